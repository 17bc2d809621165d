#pragma once

// The texts of the Size for Capacity window: what its planner decided, said in words.

#include "capacity_planner.h"

#include <array>
#include <string>
#include <string_view>

namespace brim {

// In CapacityUnit order: a unit's position in its list is its value.
inline constexpr std::array<std::string_view, 2> kCapacityUnitTexts{"GB", "TB"};

// The note under the inputs: why there are no lines, or nothing.
std::string noticeText(const CapacityAnswer& answer, CapacityUnit unit, int modelIndex);
// Above the table with the sheet added: what the sheet gives and what the layouts add.
std::string sheetFigureText(const CapacityAnswer& answer, CapacityUnit unit);
// Which row Put in Row fills, or why it cannot.
std::string rowNoteText(const CapacityPlanner& planner);

} // namespace brim
