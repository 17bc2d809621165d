#pragma once

// The editing controls of a row (its disk picker, RAID picker and disks-per-group field) by
// name, as the row editing commands know them: tests of those commands need no window for
// them. Every identifier comes from the commands' own table (row_commands.h); none is written
// here as a number. Needs brimcount_commands only.

#include "commands/row_commands.h"

#include <cstddef>

namespace brim::test::controls {

// Row 1 to 10.
constexpr const RowEditControls& rowEditControlsOf(int row) {
    return kRowEditControls[static_cast<std::size_t>(row - 1)];
}
constexpr int diskPickerOf(int row) {
    return rowEditControlsOf(row).diskPicker;
}
constexpr int raidPickerOf(int row) {
    return rowEditControlsOf(row).raidPicker;
}
constexpr int disksFieldOf(int row) {
    return rowEditControlsOf(row).disksPerGroupField;
}

} // namespace brim::test::controls
