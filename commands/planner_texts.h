#pragma once

// The words of the two planner windows, Size for Capacity and Sheet Performance, made once from
// the core's numbers and reasons: why a field is refused, what sized a layout, what a rebuild
// risks, and how things are counted.

#include "core/capacity_sizing.h"
#include "core/planner_inputs.h"
#include "core/planning_assumptions.h"
#include "core/rebuild_risk.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

// Under a field that refuses its text; empty for InputRefusal::None.
std::string_view capacityTargetRefusal(InputRefusal why) noexcept;
std::string_view hostIopsRefusal(InputRefusal why) noexcept;
std::string_view mbpsRefusal(InputRefusal why) noexcept;
std::string_view readPercentRefusal(InputRefusal why) noexcept;
std::string_view lossLimitRefusal(DecimalRefusal why) noexcept;

// Over both windows: "Array model: Telvar A".
std::string modelLineText(int modelIndex);

// "Sized by": "capacity", "IOPS", "MB/s".
std::string_view sizedByText(SizingNeed need) noexcept;

// "Rebuild h": "5.2"; the dash where nothing rebuilds.
std::string rebuildHoursText(const RebuildRisk& risk);

// "Read-error risk": "3.10%", "<0.01%", "0.05% after 2 failures", "no redundancy"; the dash
// with no layout.
std::string readErrorRiskText(const RebuildRisk& risk);

// "1 array", "3 more arrays": a count and the thing counted, in the plural unless one.
std::string countOf(std::uint64_t count, std::string_view thing);

} // namespace brim
