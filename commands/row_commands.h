#pragma once

#include "catalogue.h"
#include "config_sheet.h"
#include "message_sink.h"
#include "sheet_step.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

// What the editing commands need of the main window: the two directions of exchange, enabling
// one control by its identifier, the message box, and the sheet's history.
class SheetView {
public:
    virtual ~SheetView() = default;
    // Reads every control into the sheet; false when a field was refused (its notice shown).
    virtual bool copyControlsToSheet() = 0;
    virtual void copySheetToControls() = 0;
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual MessageSink& messages() = 0;
    // A command changed the sheet: the window keeps the step for Undo and Redo and drops what
    // could have been redone. A step that extends the last one is folded into it.
    virtual void recordStep(SheetStep step) = 0;
};

struct Preset {
    std::string_view caption;
    int controlId;
    std::uint32_t disksPerGroup;
    std::int32_t diskType;
    std::int32_t raidType;
};

// clang-format off
// Left to right on screen.
inline constexpr std::array<Preset, 4> kPresets{{
    // caption        button  disks/group  disk type               RAID type
    {"Low Cost",     1093,   9,           diskIndex("450 G FC"),  raidIndex("RAID5")},
    {"Cheap IOPS",   1095,   5,           diskIndex("300 G FC"),  raidIndex("RAID5")},
    {"Max IOPS",     1094,   4,           diskIndex("146 G FC"),  raidIndex("RAID1/0")},
    {"BU 2 Disk",    1098,   5,           diskIndex("1 TB ATA"),  raidIndex("RAID5")},
}};

// A definition to put into the sheet whole, as Size for Capacity offers it.
struct GroupLayout {
    std::int32_t diskType;
    std::int32_t raidType;
    std::uint32_t disksPerGroup;
    std::uint32_t groupCount;
};

// A figure of an opened report that Compute gives otherwise now, named as the report names it
// ("row 2 Subtotal", "Total Net (GB)"), with both texts trimmed of blanks.
struct DifferingFigure {
    std::string name;
    std::string printed;
    std::string computed;
};

// Shown after opening a report whose printed figures are not what Compute gives now; it names
// the first figure that differs. The report's own texts, which a hand-made file can make as long
// as a line, are cut.
std::string differingFiguresMessage(std::string_view reportVersion, const DifferingFigure& first);

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
// Only compute() writes result texts, through computeSheet.
//
// History: a command that changed an input or a RAID lock hands the view one step, named for
// it, once it is done. Edits that its capture took in besides the command's own control (a disk
// type picked, a disks-per-group value typed: controls that run no command) go first, as a step
// of their own, "Edit Row N" for the first row they changed. Compute changes no input, so it
// records only such edits. Recording adds no capture, refresh or enabling.
class RowCommands {
public:
    // Both must outlive the commands. Every disks-per-group field starts unlocked, as every
    // control of the window starts enabled.
    RowCommands(ConfigSheet& sheet, SheetView& view) noexcept;

    // The Compute command: capture, computeSheet, refresh (on every path).
    void compute();
    // The Compute command, when the model or a row as the sheet holds them (no capture to find
    // out) has changed since the last computeSheet; nothing on a sheet never computed, nor
    // after a failed Compute whose inputs are unchanged. Run before the sheet leaves the
    // program, so that no figure goes out beside inputs it was not computed from.
    void computeIfInputsChanged();
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
    // A number-of-groups keystroke or the Sticky Changes box: capture and nothing else. The two
    // below run it under their own step names; alone, it records only the edits it took in.
    // Whether the copy took every field (a window that sizes against the sheet opens only then).
    bool captureInput();
    // captureInput for a keystroke in the row's # of Groups field. The typing in one field is one
    // step, "Typing in Row N", until the focus leaves the field (endTyping) or another command
    // runs.
    void captureGroupCount(int row);
    // captureInput for a click on the Sticky Changes box, the step "Sticky Changes".
    void captureStickyChanges();
    // The focus left a # of Groups field: its next keystroke begins a new step.
    void endTyping() noexcept;

    // Undo and Redo begin as every command does, with a capture: an edit not yet in the sheet
    // becomes the newest step, which is then the one undone.
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
    // Gives the command's own control in `edited` its value of `before` again.
    static void keepOwnChangeOut(OwnControl own, int row, const ConfigSheet& before,
                                 ConfigSheet& edited) noexcept;
    // Hands the view the step from `before` to now when an input or a lock changed.
    bool recordStep(std::string name, SheetSnapshot before, bool extendsLastStep = false);

    ConfigSheet& sheet_;
    SheetView& view_;
    std::array<bool, kRowCount> disksFieldLocked_{};
    int typingRow_ = 0; // the row whose typing the newest step holds, 0 for none
};

} // namespace brim
