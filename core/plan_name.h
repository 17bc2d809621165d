#pragma once

// The names the planner gives the plans kept for comparison, checked where a workbook is read
// and where a plan is renamed alike.

#include <cstddef>
#include <string_view>

namespace brim {

inline constexpr std::size_t kMaxPlanNameCharacters = 40;

inline constexpr std::string_view kPlanNameRule =
    "a plan's name is 1 to 40 characters, with no blank at either end and no line break.";

// Whether `name` (UTF-8) may name a kept plan.
bool isPlanName(std::string_view name) noexcept;

} // namespace brim
