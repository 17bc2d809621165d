#include "units.h"

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

} // namespace brim
