#include "core/units.h"

#include <charconv>
#include <cstddef>
#include <iterator>
#include <system_error>

namespace brim {

std::string formatCapacity(double value) {
    // std::to_chars rounds the exact binary value like printf's "%.2f" does, at a fraction of
    // its cost; the padding makes it "%8.2f".
    // Room for the largest double written out in full (309 digits), its sign and ".00".
    char digits[320];
    const auto [end, ec] =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 2);
    const std::size_t length = ec == std::errc{} ? static_cast<std::size_t>(end - digits) : 0;
    std::string text;
    if (length < kCapacityTextWidth) {
        text.assign(kCapacityTextWidth - length, ' ');
    }
    text.append(digits, length);
    return text;
}

std::string formatDecimal(std::int64_t held, int places) {
    std::uint64_t step = 1;
    for (int i = 0; i < places; ++i) {
        step *= 10;
    }
    // In unsigned magnitude, so that even the most negative count has one.
    const std::uint64_t magnitude =
        held < 0 ? 0 - static_cast<std::uint64_t>(held) : static_cast<std::uint64_t>(held);
    std::string text = (held < 0 ? "-" : "") + std::to_string(magnitude / step);
    std::uint64_t fraction = magnitude % step;
    if (fraction == 0) {
        return text;
    }
    text += '.';
    for (std::uint64_t place = step / 10; fraction != 0; place /= 10) {
        text += static_cast<char>('0' + fraction / place);
        fraction %= place;
    }
    return text;
}

std::string formatHundredths(std::int64_t hundredths) {
    return formatDecimal(hundredths, 2);
}

} // namespace brim
