#pragma once

// Units and number texts of the whole program. Capacities are computed in MiB and shown in
// binary GB (GiB) and TB (TiB), as a host operating system reports them.

#include <string>

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

// "%8.2f" of a capacity: two decimals, at least eight characters, never cut.
std::string formatCapacity(double value);

} // namespace brim
