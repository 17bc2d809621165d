#pragma once

#include "commands/presets.h"
#include "commands/sheet_step.h"
#include "commands/sheet_view.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

// A definition to put into the sheet whole, as Size for Capacity offers it. It has no vault
// flag: it was sized for the row it goes into, which keeps its tick.
struct GroupLayout {
    std::int32_t diskType;
    std::int32_t raidType;
    std::uint32_t disksPerGroup;
    std::uint32_t groupCount;
};

// The row's inputs with the layout's in place of its own, its vault tick kept.
DefinitionInputs laidOut(DefinitionInputs row, const GroupLayout& layout) noexcept;

inline constexpr std::string_view kEveryRowInUseMessage =
    "Every definition is in use: clear one with its X button first.";

// The editing controls of each row, in the order a clear enables them: disk picker, RAID
// picker, disks-per-group field.
struct RowEditControls {
    static constexpr int kControlsPerRow = 3;
    int diskPicker;
    int raidPicker;
    int disksPerGroupField;

    // The three identifiers in table order.
    constexpr std::array<int, kControlsPerRow> inOrder() const noexcept {
        return {diskPicker, raidPicker, disksPerGroupField};
    }
};

// clang-format off
inline constexpr std::array<RowEditControls, kRowCount> kRowEditControls{{
    {1007, 1010, 1009},
    {1014, 1015, 1013},
    {1020, 1021, 1019},
    {1030, 1031, 1032},
    {1036, 1037, 1038},
    {1042, 1043, 1044},
    {1048, 1049, 1050},
    {1054, 1055, 1056},
    {1060, 1061, 1062},
    {1066, 1067, 1068},
}};
// clang-format on

// The commands by which the main window changes its sheet. The order in which each
// calls the view is what the user sees, so it is part of each command. "Capture" is
// copyControlsToSheet, whose outcome no command looks at: a command goes on with the sheet as a
// failed copy left it. "Refresh" is copySheetToControls. Rows are numbered 1 to 10; a command
// given a row outside 1-10 does nothing at all (no call on the view, no change to the sheet).
// Result texts are computed only through computeSheet, by the Compute command and the commands
// that run it; a capture reads them back as shown, and restore() puts a step's texts back.
//
// History: a command that changed an input or a RAID lock hands the view one step, named for
// it, once it is done. Edits that its capture took in besides the command's own control (a disk
// type picked, a disks-per-group value typed: controls that run no command) go first, as a step
// of their own, "Edit Row 2" or "Edit Rows 2, 3" for the rows they changed. Compute changes no
// input, so it records only such edits. Recording adds no capture, refresh or enabling.
class RowCommands {
public:
    // Both must outlive the commands. Every disks-per-group field starts unlocked, as every
    // control of the window starts enabled.
    RowCommands(ConfigSheet& sheet, SheetView& view) noexcept;

    // The Compute command: capture, computeSheet, refresh (on every path).
    void compute();
    // The Compute command, exactly as pressed, when what the controls show (read without a
    // capture) or the sheet's inputs differ from those of the last Compute; on a sheet never
    // computed, when the controls differ from the sheet. Nothing after a failed Compute whose
    // inputs are still on screen. Run before the sheet leaves the program, so that what goes out
    // is what the window shows, and no figure beside inputs it was not computed from.
    void computeBeforeOutput();
    // A RAID type picked in the row: capture, applyRaidLock(row), refresh (for every RAID type).
    void changeRaidType(int row);
    // By the row's raidType as the sheet holds it: RAID1 sets 2 disks per group and locks the
    // field, IndivDisk sets 1 and locks it, anything else (-1 too) unlocks it and keeps the
    // value. The lock is applied through view.enableControl on the disks-per-group field.
    // No capture and no refresh of its own.
    void applyRaidLock(int row);
    // The row's X button: capture; disk type 2, 0 disks per group, 0 groups, no RAID type;
    // enable the row's three editing controls in table order (unlocks the field); refresh.
    // The vault flag and the capacity texts stay; nothing is recomputed.
    void clearRow(int row);
    // No capture. Every row whose groupCount is 0, or every row when stickyChanges is off,
    // takes the preset's disksPerGroup, diskType and raidType; then refresh. Locks stay.
    void applyPreset(const Preset& preset);
    // The model picker: capture, refresh, Compute.
    void changeModel();
    // Any vault box: the Compute command and nothing else.
    void toggleVault();
    // Capture and nothing else, recording only the edits it took in, as a window that works on
    // the sheet as the controls show it begins. Whether the copy took every field: such a window
    // opens only then. The keystroke and Sticky Changes commands below capture under their own
    // step names.
    bool captureInput();
    // captureInput for a keystroke in the row's # of Groups field. The typing in one field is one
    // step, "Typing in Row N", until the focus leaves the field (endTyping) or another command
    // runs.
    void captureGroupCount(int row);
    // captureInput for a click on the Sticky Changes box, the step "Sticky Changes".
    void captureStickyChanges();
    // The focus left a # of Groups field: its next keystroke begins a new step.
    void endTyping() noexcept;

    // Undo and Redo begin by reading the controls quietly (copyReadableControlsToSheet): an edit
    // not yet in the sheet becomes the newest step, which is then the one undone, also when a
    // field holds a value a capture refuses (a number out of range is such an edit; a field
    // holding no number is none, and the step undone puts its value back). No notice.
    void beginUndoOrRedo();
    // Puts back what a step held: the sheet, each disks-per-group field enabled as its lock says
    // (rows 1 to 10), then one refresh. No Compute and no message.
    void restore(const SheetSnapshot& snapshot);
    // The sheet and the RAID locks as they stand.
    SheetSnapshot snapshot() const;

    // The first row (1-10) whose groupCount is 0, or 0 when every row has groups.
    int firstFreeRow() const noexcept;
    // Writes the layout into firstFreeRow() (disk type, RAID type, disks per group, groups; the
    // vault flag stays), applies that row's RAID lock, refreshes and runs the Compute command.
    // No capture: the caller captured when it began. With every row in use it shows
    // kEveryRowInUseMessage, changes nothing and returns false.
    bool putInFirstFreeRow(const GroupLayout& layout);

    // Opens a plan read from a printed report, with no capture: the sheet takes the plan's model,
    // rows and result texts (its Sticky Changes stays), each row gets its RAID lock, the controls
    // are refreshed and the Compute command runs. When the plan holds computed totals, every
    // figure it printed (the capacities of its rows with groups, and the totals) is then compared
    // with what Compute wrote, the rows before the totals; the first difference shows
    // differingFiguresMessage.
    void openPlan(const ConfigSheet& plan, std::string_view reportVersion);
    // Puts a kept plan's or a workbook's sheet in whole, with no capture, as the step
    // `stepName`: the model and every row's inputs (Sticky Changes stays), each row's RAID lock,
    // a refresh and the Compute command.
    void putSheet(const ConfigSheet& inputs, std::string stepName);

    // Whether the row's disks-per-group field is disabled by the RAID lock; false for a row
    // outside 1-10.
    bool disksFieldLocked(int row) const noexcept;

private:
    // The control whose change a command's capture takes in as the command's own.
    enum class OwnControl { None, RaidPicker, GroupsField, ModelList, VaultBoxes, StickyBox };

    // The row's definition, or nullptr for a row outside 1-10.
    GroupDefinition* rowAt(int row) noexcept;
    void setDisksFieldLocked(int row, bool locked);
    // The Compute command inside another command: its capture reads back what that command
    // showed, and the step is that command's.
    void computeCommand();
    // computeSheet and the refresh that follow the Compute command's capture.
    void computeCaptured();
    // The capture that begins a command; what it took in besides `own` (of `row`) is recorded
    // as an edit step. Returns the sheet as the command's own step begins.
    SheetSnapshot captureTakingEdits(OwnControl own, int row = 0, bool* tookEveryField = nullptr);
    // Records what the controls' copy took in since `before`, but for `own` (of `row`), as an
    // edit step; returns the sheet as it now stands, `own` left out.
    SheetSnapshot recordEditsTakenIn(OwnControl own, int row, SheetSnapshot before);
    // Gives the command's own control in `edited` its value of `before` again.
    static void keepOwnChangeOut(OwnControl own, int row, const ConfigSheet& before,
                                 ConfigSheet& edited) noexcept;
    // The sheet becomes `plan` but for Sticky Changes; locks, refresh and the Compute command.
    void takeWholeSheet(const ConfigSheet& plan);
    // Hands the view the step from `before` to now when an input or a lock changed.
    bool recordStep(std::string name, SheetSnapshot before, bool extendsLastStep = false);

    ConfigSheet& sheet_;
    SheetView& view_;
    std::array<bool, kRowCount> disksFieldLocked_{};
    int typingRow_ = 0; // the row whose typing the newest step holds, 0 for none
};

} // namespace brim
