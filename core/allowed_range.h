#pragma once

#include <cstdint>

namespace brim {

// The values a planning figure may take, inclusive, in the unit it is held in.
template <typename T> struct AllowedRange {
    T lowest;
    T highest;
    constexpr bool holds(std::int64_t value) const noexcept {
        return value >= static_cast<std::int64_t>(lowest) &&
               value <= static_cast<std::int64_t>(highest);
    }
};

} // namespace brim
