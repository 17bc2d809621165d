#pragma once

// Units and number texts of the whole program. Capacities are computed in MiB and shown in
// binary GB (GiB) and TB (TiB), as a host operating system reports them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

inline constexpr double kKibPerMib = 1024.0; // a disk's capacity is stored in KiB
inline constexpr double kMibPerGib = 1024.0;
inline constexpr double kMibPerTib = kMibPerGib * 1024.0;

// A capacity in MiB as the GB and TB that the window and the report show: MiB ÷ 1024, and
// MiB ÷ 1024 ÷ 1024, each division rounded to double as Compute does it.
constexpr double gibFromMib(double mib) noexcept {
    return mib / kMibPerGib;
}
constexpr double tibFromMib(double mib) noexcept {
    return mib / kMibPerGib / kMibPerGib;
}

// "%8.2f" of a capacity: two decimals, at least eight characters (blanks in front), never cut.
inline constexpr std::size_t kCapacityTextWidth = 8;
std::string formatCapacity(double value);

// Rates and rebuilds count in bytes: a disk's KiB × 1024, and MB/s with MB = 2^20 bytes, as GB
// is GiB.
inline constexpr double kBytesPerKib = 1024.0;
inline constexpr double kBytesPerMb = 1024.0 * 1024.0;
inline constexpr double kSecondsPerHour = 3600.0;

// What a figure reads where there is nothing to show: a row that delivers nothing, a layout
// without a rebuild.
inline constexpr std::string_view kNoFigureText = "\u2014"; // an em dash

// Host IOPS or MB/s as a whole number ("474" for 473.68), no thousands separator; 0 (a row
// that delivers nothing) reads as the dash.
std::string formatRate(double value);

// A figure as a whole number, 0 as "0": what a sheet delivers in a sentence.
std::string formatWholeNumber(double value);

// A chance from 0 to 1 as "%.2f%%" of it ("3.10%"), whatever the locale. A chance under 0.01 %
// reads "<0.01%": two decimals would show it as 0.00 % (no risk at all) or round it up.
std::string formatPercent(double chance);

// A share from 0 to 1 (an efficiency) as a percent with one decimal: "80.0%".
std::string formatShare(double fraction);

// Hours with one decimal: "5.2". Under 0.05 h reads "<0.1": "0.0" would say the rebuild takes
// no time at all.
std::string formatHours(double hours);

// A year of failures: 365.25 days of 24 hours.
inline constexpr double kHoursPerYear = 8766.0;

// A chance of losing data, 0 to 1, as a percent with two significant digits and never in
// exponent form: "56%", "9.6%", "0.47%", "0.00014%"; a value that rounds up to the next power of
// ten keeps two digits ("0.10%" for 0.0999 %). Under 0.0001 % it reads "<0.0001%".
inline constexpr double kSmallestLossPercentShown = 0.0001;
std::string formatLossChance(double chance);

// A cost in the currency of the quote, whole and without a symbol or separators: "45620"; a
// half rounds up, as money does.
std::string formatCost(double cost);

// A cost per usable TB or per 1000 host IOPS: whole from 100 up ("1520"), one decimal below
// ("99.5", "0.3").
std::string formatCostPer(double cost);

// A figure held in hundredths (a price, an AFR) as the planner edits it: as few decimals as it
// needs, so that it reads back to the same value: "1520", "1520.5", "1520.05", "0.01".
std::string formatHundredths(std::int64_t hundredths);
// The same for a figure held in steps of 10^-places: formatDecimal(205, 1) is "20.5".
std::string formatDecimal(std::int64_t held, int places);

// Disks to order and the arrays they need, as a narrow column reads them under the heading
// "disks / arrays": "46 / 1".
std::string formatDisksAndArrays(std::uint64_t disks, std::uint64_t arrays);

} // namespace brim
