#pragma once

// The main window's controls that tests and benchmarks press or read, by name. Every identifier
// comes from the window's own tables (window_layout.h, and row_commands.h for the rows' editing
// controls, named in row_control_names.h); none is written here as a number. Needs
// brimcount_ui.

#include "tests/support/row_control_names.h"
#include "ui/window_layout.h"

#include <cstddef>

namespace brim::test::controls {

inline constexpr int kModelList = kModelListId;
inline constexpr int kModelLabel = fixedControlId("Array Model:");
inline constexpr int kHelp = fixedControlId("Help");
inline constexpr int kLowCost = fixedControlId("Low Cost");
inline constexpr int kCheapIops = fixedControlId("Cheap IOPS");
inline constexpr int kMaxIops = fixedControlId("Max IOPS");
inline constexpr int kBu2Disk = fixedControlId("BU 2 Disk");
inline constexpr int kSticky = fixedControlId("Sticky Changes");
inline constexpr int kCompute = fixedControlId("Compute");
inline constexpr int kPrint = fixedControlId("Print");
inline constexpr int kDone = fixedControlId("Done");
inline constexpr int kTotalDisks = fixedControlId("Total disks");
inline constexpr int kNetTotalGb = fixedControlId("Net total in GB");
inline constexpr int kNetTotalTb = fixedControlId("Net total in TB");
inline constexpr int kArraysRequired = fixedControlId("D/SPEs required");

// A row's controls, rows 1 to 10.
constexpr const RowLayout& rowLayout(int row) {
    return kRowLayouts[static_cast<std::size_t>(row - 1)];
}
constexpr int groupsFieldOf(int row) {
    return rowLayout(row).groupCount.id;
}

} // namespace brim::test::controls
