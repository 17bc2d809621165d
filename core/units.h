#pragma once

// The units of every figure, and the texts core and the files write: capacities are computed in
// MiB and shown in binary GB (GiB) and TB (TiB), as a host operating system reports them; a
// decimal figure is written with as few decimals as it needs. The forms the planners show their
// figures in are commands' (commands/planner_units.h).

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

// A year of failures: 365.25 days of 24 hours.
inline constexpr double kHoursPerYear = 8766.0;

// A figure held in hundredths (a price, an AFR) as the planner edits it: as few decimals as it
// needs, so that it reads back to the same value: "1520", "1520.5", "1520.05", "0.01".
std::string formatHundredths(std::int64_t hundredths);
// The same for a figure held in steps of 10^-places: formatDecimal(205, 1) is "20.5".
std::string formatDecimal(std::int64_t held, int places);

} // namespace brim
