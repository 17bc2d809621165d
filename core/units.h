#pragma once

// Units and number texts of the whole program. Capacities are computed in MiB and shown in
// binary GB (GiB) and TB (TiB), as a host operating system reports them.

#include <cstddef>
#include <string>

namespace brim {

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

} // namespace brim
