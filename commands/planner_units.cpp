#include "commands/planner_units.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <system_error>

namespace brim {
namespace {

// Smallest chance that two decimals of a percent show as itself: 0.01 %.
constexpr double kSmallestPercentShown = 0.01;
// Fewest hours that one decimal shows as more than none: 0.05 rounds to 0.1.
constexpr double kFewestHoursShown = 0.05;
// Below this a cost per TB or per 1000 IOPS keeps one decimal.
constexpr double kWholeCostPerFrom = 100.0;

// Whole values up to this are exact in a double and in a long long alike.
constexpr double kLargestExactWhole = 9007199254740992.0; // 2^53

// std::to_chars rounds the exact binary value like printf's "%.Nf" does, whatever the locale.
// A whole number of it is the value rounded to the nearest, a half to the even one, as
// nearbyint rounds in the default mode: written as an integer, at a fraction of the cost.
std::string fixed(double value, int decimals) {
    if (decimals == 0 && std::fabs(value) <= kLargestExactWhole) {
        const double whole = std::nearbyint(value);
        return whole == 0.0 && std::signbit(whole) ? std::string("-0")
                                                   : std::to_string(static_cast<long long>(whole));
    }
    // Room for the largest double written out in full (309 digits), its sign and decimals.
    char digits[320];
    const auto [end, ec] = std::to_chars(std::begin(digits), std::end(digits), value,
                                         std::chars_format::fixed, decimals);
    return ec == std::errc{} ? std::string(digits, end) : std::string{};
}

// Digits from the first that is not 0, the point left out: "0.00140" has three.
std::size_t significantDigits(std::string_view text) noexcept {
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        count += text[i] != '.' ? 1 : 0;
    }
    return count;
}

} // namespace

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

std::string formatShare(double fraction) {
    return fixed(fraction * 100.0, 1) + '%';
}

std::string formatHours(double hours) {
    if (hours < kFewestHoursShown) {
        return "<0.1";
    }
    return fixed(hours, 1);
}

std::string formatLossChance(double chance) {
    const double percent = chance * 100.0;
    if (!std::isfinite(percent)) {
        return std::string(kNoFigureText);
    }
    if (percent < kSmallestLossPercentShown) {
        return "<0.0001%";
    }
    // Two significant digits take 1 - d decimals for a percent of d digits' decade. The decade
    // comes from a logarithm, which may be off by one next to a power of ten, and rounding may
    // carry into the next decade: the digits themselves settle it.
    const int decade = static_cast<int>(std::floor(std::log10(percent)));
    int decimals = decade < 1 ? 1 - decade : 0;
    std::string text = fixed(percent, decimals);
    while (decimals > 0 && significantDigits(text) > 2) {
        text = fixed(percent, --decimals);
    }
    return text + '%';
}

std::string formatCost(double cost) {
    return fixed(std::round(cost), 0);
}

std::string formatCostPer(double cost) {
    std::string text = fixed(cost, 1);
    if (cost >= kWholeCostPerFrom || text == "100.0") {
        return formatCost(cost);
    }
    return text;
}

std::string formatTb(double tib) {
    return fixed(tib, 2);
}

std::string formatKilowatts(double kilowatts) {
    return fixed(kilowatts, 1);
}

std::string formatDisksAndArrays(std::uint64_t disks, std::uint64_t arrays) {
    return std::to_string(disks) + " / " + std::to_string(arrays);
}

} // namespace brim
