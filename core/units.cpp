#include "units.h"

#include <charconv>
#include <cstddef>
#include <iterator>
#include <system_error>

namespace brim {
namespace {

// Smallest chance that two decimals of a percent show as itself: 0.01 %.
constexpr double kSmallestPercentShown = 0.01;
// Fewest hours that one decimal shows as more than none: 0.05 rounds to 0.1.
constexpr double kFewestHoursShown = 0.05;

// std::to_chars rounds the exact binary value like printf's "%.Nf" does, whatever the locale.
std::string fixed(double value, int decimals) {
    // Room for the largest double written out in full (309 digits), its sign and decimals.
    char digits[320];
    const auto [end, ec] = std::to_chars(std::begin(digits), std::end(digits), value,
                                         std::chars_format::fixed, decimals);
    return ec == std::errc{} ? std::string(digits, end) : std::string{};
}

} // namespace

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

std::string formatRate(double value) {
    return value == 0.0 ? std::string(kNoFigureText) : fixed(value, 0);
}

std::string formatWholeNumber(double value) {
    return fixed(value, 0);
}

std::string formatPercent(double chance) {
    const double percent = chance * 100.0;
    if (percent < kSmallestPercentShown) {
        return "<0.01%";
    }
    return fixed(percent, 2) + '%';
}

std::string formatHours(double hours) {
    if (hours < kFewestHoursShown) {
        return "<0.1";
    }
    return fixed(hours, 1);
}

std::string formatDisksAndArrays(std::uint64_t disks, std::uint64_t arrays) {
    return std::to_string(disks) + " / " + std::to_string(arrays);
}

} // namespace brim
