#pragma once

// The sheet's history as the editing commands see it: each command that changed the sheet hands
// the window one step, what the sheet was before it and after it, and Undo and Redo put one of
// the two back.

#include "core/config_sheet.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// All that Undo and Redo give back: the whole sheet (inputs, result texts and anything Compute
// keeps beside them) and the RAID locks of the disks-per-group fields, which the window holds.
struct SheetSnapshot {
    ConfigSheet sheet;
    std::array<bool, kRowCount> disksFieldLocked{};
};

// One command that changed the sheet, named as the Undo and Redo entries show it
// ("Clear Row 3").
struct SheetStep {
    std::string name;
    SheetSnapshot before;
    SheetSnapshot after;
    // Another keystroke of the typing that the newest step holds: that step keeps its name and its
    // before and takes this after.
    bool extendsLastStep = false;
};

// Whether the two differ in anything a user edits: an input field of the sheet or a RAID lock.
// Result texts do not count: Compute writes them from the inputs.
bool inputsDiffer(const SheetSnapshot& a, const SheetSnapshot& b) noexcept;

// The first row (1-10) whose inputs differ, 0 when no row's do.
int firstChangedRow(const ConfigSheet& a, const ConfigSheet& b) noexcept;

// The rows (1-10) whose inputs differ, in order.
std::vector<int> changedRows(const ConfigSheet& a, const ConfigSheet& b);

// The step of edits a capture took in: "Edit Row 2", "Edit Rows 2, 3", or "Edit" when no row's
// inputs changed (the model or Sticky Changes did).
std::string editStepName(const std::vector<int>& rows);

// "Clear Row 3" from "Clear Row" and 3.
std::string rowStepName(std::string_view action, int row);

// The names of steps that no preset caption or row gives.
inline constexpr std::string_view kEditStepName = "Edit"; // edits a capture took in, no row's
inline constexpr std::string_view kEditRowStepName = "Edit Row";
inline constexpr std::string_view kEditRowsStepName = "Edit Rows";
inline constexpr std::string_view kTypingStepName = "Typing in Row";
inline constexpr std::string_view kClearRowStepName = "Clear Row";
inline constexpr std::string_view kRaidTypeStepName = "RAID Type Row";
inline constexpr std::string_view kVaultStepName = "Vault Row";
inline constexpr std::string_view kPutInRowStepName = "Put in Row";
inline constexpr std::string_view kModelChangeStepName = "Model Change";
inline constexpr std::string_view kStickyChangesStepName = "Sticky Changes";
inline constexpr std::string_view kOpenReportStepName = "Open Report";
inline constexpr std::string_view kPutBackStepName = "Put Back"; // followed by the plan's name
inline constexpr std::string_view kOpenWorkbookStepName = "Open Workbook";

} // namespace brim
