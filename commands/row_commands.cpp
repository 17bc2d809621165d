#include "commands/row_commands.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/raid_rules.h"
#include "report/report_compare.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace brim {
namespace {

// The values a clear puts into its row. "300 G FC" is the clear's own value; a row starts with
// "450 G FC".
constexpr std::int32_t kClearedDiskType = diskIndex("300 G FC");
constexpr std::uint32_t kRaid1DisksPerGroup = 2;
constexpr std::uint32_t kIndivDiskDisksPerGroup = 1;

constexpr bool isRow(int row) noexcept {
    return row >= 1 && row <= kRowCount;
}

constexpr std::size_t rowIndex(int row) noexcept {
    return static_cast<std::size_t>(row - 1);
}

// The thirty editing controls are distinct.
constexpr bool rowEditControlsDistinct() noexcept {
    std::array<int, kRowEditControls.size() * RowEditControls::kControlsPerRow> ids{};
    std::size_t count = 0;
    for (const RowEditControls& row : kRowEditControls) {
        for (const int id : row.inOrder()) {
            ids[count++] = id;
        }
    }
    for (std::size_t a = 0; a < ids.size(); ++a) {
        for (std::size_t b = a + 1; b < ids.size(); ++b) {
            if (ids[a] == ids[b]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(rowEditControlsDistinct(), "two row editing controls share an identifier");

} // namespace

RowCommands::RowCommands(ConfigSheet& sheet, SheetView& view) noexcept
    : sheet_(sheet), view_(view) {}

GroupDefinition* RowCommands::rowAt(int row) noexcept {
    return isRow(row) ? &sheet_.rows[rowIndex(row)] : nullptr;
}

bool RowCommands::disksFieldLocked(int row) const noexcept {
    return isRow(row) && disksFieldLocked_[rowIndex(row)];
}

void RowCommands::setDisksFieldLocked(int row, bool locked) {
    disksFieldLocked_[rowIndex(row)] = locked;
    view_.enableControl(kRowEditControls[rowIndex(row)].disksPerGroupField, !locked);
}

SheetSnapshot RowCommands::snapshot() const {
    return {sheet_, disksFieldLocked_};
}

void RowCommands::keepOwnChangeOut(OwnControl own, int row, const ConfigSheet& before,
                                   ConfigSheet& edited) noexcept {
    const std::size_t i = isRow(row) ? rowIndex(row) : 0;
    switch (own) {
    case OwnControl::None:
        break;
    case OwnControl::RaidPicker:
        edited.rows[i].raidType = before.rows[i].raidType;
        break;
    case OwnControl::GroupsField:
        edited.rows[i].groupCount = before.rows[i].groupCount;
        break;
    case OwnControl::ModelList:
        edited.modelIndex = before.modelIndex;
        break;
    case OwnControl::VaultBoxes: // one command for all five boxes
        for (std::size_t v = 0; v < kVaultRowCount; ++v) {
            edited.rows[v].includesVault = before.rows[v].includesVault;
        }
        break;
    case OwnControl::StickyBox:
        edited.stickyChanges = before.stickyChanges;
        break;
    }
}

SheetSnapshot RowCommands::captureTakingEdits(OwnControl own, int row, bool* tookEveryField) {
    SheetSnapshot before = snapshot();
    // A failed copy leaves the sheet as it stopped; most commands go on with it.
    const bool tookAll = view_.copyControlsToSheet();
    if (tookEveryField) {
        *tookEveryField = tookAll;
    }
    return recordEditsTakenIn(own, row, std::move(before));
}

SheetSnapshot RowCommands::recordEditsTakenIn(OwnControl own, int row, SheetSnapshot before) {
    SheetSnapshot edited = snapshot();
    keepOwnChangeOut(own, row, before.sheet, edited.sheet);
    if (inputsDiffer(before, edited)) {
        view_.recordStep(
            {editStepName(changedRows(before.sheet, edited.sheet)), std::move(before), edited});
        endTyping(); // the typing step is no longer the newest
    }
    return edited;
}

bool RowCommands::recordStep(std::string name, SheetSnapshot before, bool extendsLastStep) {
    SheetSnapshot after = snapshot();
    if (!inputsDiffer(before, after)) {
        return false;
    }
    view_.recordStep({std::move(name), std::move(before), std::move(after), extendsLastStep});
    return true;
}

void RowCommands::computeCaptured() {
    computeSheet(sheet_, view_.messages());
    view_.copySheetToControls();
}

void RowCommands::computeBeforeOutput() {
    if (computeDueBeforeOutput(sheet_, view_.screenInputs())) {
        compute();
    }
}

void RowCommands::computeCommand() {
    (void)view_.copyControlsToSheet(); // a failed copy leaves the sheet as it stopped
    computeCaptured();
}

void RowCommands::compute() {
    endTyping();
    (void)captureTakingEdits(OwnControl::None);
    computeCaptured();
}

void RowCommands::changeRaidType(int row) {
    if (!isRow(row)) {
        return;
    }
    endTyping();
    SheetSnapshot before = captureTakingEdits(OwnControl::RaidPicker, row);
    applyRaidLock(row);
    view_.copySheetToControls(); // for every RAID type, so a fixed value shows at once
    recordStep(rowStepName(kRaidTypeStepName, row), std::move(before));
}

void RowCommands::applyRaidLock(int row) {
    GroupDefinition* definition = rowAt(row);
    if (!definition) {
        return;
    }
    switch (definition->raidType) {
    case kRaidTypeRaid1:
        definition->disksPerGroup = kRaid1DisksPerGroup;
        setDisksFieldLocked(row, true);
        break;
    case kRaidTypeIndivDisk:
        definition->disksPerGroup = kIndivDiskDisksPerGroup;
        setDisksFieldLocked(row, true);
        break;
    default:
        // Unlocking keeps the value: RAID1 then RAID5 leaves 2 disks per group.
        setDisksFieldLocked(row, false);
        break;
    }
}

void RowCommands::clearRow(int row) {
    GroupDefinition* definition = rowAt(row);
    if (!definition) {
        return;
    }
    endTyping();
    SheetSnapshot before = captureTakingEdits(OwnControl::None);
    definition->diskType = kClearedDiskType;
    definition->disksPerGroup = 0;
    definition->groupCount = 0;
    definition->raidType = kNoRaidType;
    // includesVault and the capacity texts stay as they are.
    for (const int controlId : kRowEditControls[rowIndex(row)].inOrder()) {
        view_.enableControl(controlId, true);
    }
    disksFieldLocked_[rowIndex(row)] = false;
    view_.copySheetToControls();
    recordStep(rowStepName(kClearRowStepName, row), std::move(before));
}

void RowCommands::applyPreset(const Preset& preset) {
    // No capture: the sticky test reads the sheet as the last capture left it.
    endTyping();
    SheetSnapshot before = snapshot();
    for (GroupDefinition& definition : sheet_.rows) {
        if (!sheet_.stickyChanges || definition.groupCount == 0) {
            definition.disksPerGroup = preset.disksPerGroup;
            definition.diskType = preset.diskType;
            definition.raidType = preset.raidType;
        }
    }
    view_.copySheetToControls();
    recordStep(std::string(preset.caption), std::move(before));
}

void RowCommands::changeModel() {
    endTyping();
    SheetSnapshot before = captureTakingEdits(OwnControl::ModelList); // takes the new modelIndex
    view_.copySheetToControls();
    computeCommand();
    recordStep(std::string(kModelChangeStepName), std::move(before));
}

// The Compute command, with the box's new state taken in as the command's own change.
void RowCommands::toggleVault() {
    endTyping();
    SheetSnapshot before = captureTakingEdits(OwnControl::VaultBoxes);
    computeCaptured();
    const int tickedRow = firstChangedRow(before.sheet, sheet_);
    recordStep(rowStepName(kVaultStepName, tickedRow), std::move(before));
}

void RowCommands::openPlan(const ConfigSheet& plan, std::string_view reportVersion) {
    endTyping();
    SheetSnapshot before = snapshot();
    takeWholeSheet(plan);
    if (holdsComputedResults(plan)) {
        if (const std::optional<DifferingFigure> first = firstDifferingFigure(plan, sheet_)) {
            view_.messages().show(differingFiguresMessage(reportVersion, *first));
        }
    }
    recordStep(std::string(kOpenReportStepName), std::move(before));
}

void RowCommands::putSheet(const ConfigSheet& inputs, std::string stepName) {
    endTyping();
    SheetSnapshot before = snapshot();
    takeWholeSheet(inputs);
    recordStep(std::move(stepName), std::move(before));
}

void RowCommands::takeWholeSheet(const ConfigSheet& plan) {
    const bool sticky = sheet_.stickyChanges;
    sheet_ = plan;
    sheet_.stickyChanges = sticky;
    for (int row = 1; row <= kRowCount; ++row) {
        applyRaidLock(row);
    }
    view_.copySheetToControls();
    computeCommand();
}

bool RowCommands::captureInput() {
    endTyping();
    bool tookEveryField = false;
    (void)captureTakingEdits(OwnControl::None, 0, &tookEveryField);
    return tookEveryField;
}

void RowCommands::captureGroupCount(int row) {
    if (!isRow(row)) {
        return;
    }
    if (typingRow_ != row) {
        endTyping();
    }
    SheetSnapshot before = captureTakingEdits(OwnControl::GroupsField, row);
    if (recordStep(rowStepName(kTypingStepName, row), std::move(before), typingRow_ == row)) {
        typingRow_ = row;
    }
}

void RowCommands::captureStickyChanges() {
    endTyping();
    SheetSnapshot before = captureTakingEdits(OwnControl::StickyBox);
    recordStep(std::string(kStickyChangesStepName), std::move(before));
}

void RowCommands::endTyping() noexcept {
    typingRow_ = 0;
}

// Not the capture of the other commands: a refused field would show its notice and stop the
// copy before the edits after it, which the step undone would then take back unseen with it.
void RowCommands::beginUndoOrRedo() {
    endTyping();
    SheetSnapshot before = snapshot();
    view_.copyReadableControlsToSheet();
    (void)recordEditsTakenIn(OwnControl::None, 0, std::move(before));
}

void RowCommands::restore(const SheetSnapshot& snapshot) {
    endTyping();
    sheet_ = snapshot.sheet;
    for (int row = 1; row <= kRowCount; ++row) {
        setDisksFieldLocked(row, snapshot.disksFieldLocked[rowIndex(row)]);
    }
    view_.copySheetToControls();
}

int RowCommands::firstFreeRow() const noexcept {
    for (int row = 1; row <= kRowCount; ++row) {
        if (sheet_.rows[rowIndex(row)].groupCount == 0) {
            return row;
        }
    }
    return 0;
}

bool RowCommands::putInFirstFreeRow(const GroupLayout& layout) {
    const int row = firstFreeRow();
    GroupDefinition* definition = rowAt(row);
    if (!definition) {
        view_.messages().show(kEveryRowInUseMessage);
        return false;
    }
    endTyping();
    SheetSnapshot before = snapshot();
    static_cast<DefinitionInputs&>(*definition) = laidOut(*definition, layout);
    applyRaidLock(row); // as if the RAID type had been picked in the row
    view_.copySheetToControls();
    computeCommand(); // its capture reads back what the refresh just showed
    recordStep(rowStepName(kPutInRowStepName, row), std::move(before));
    return true;
}

DefinitionInputs laidOut(DefinitionInputs row, const GroupLayout& layout) noexcept {
    row.diskType = layout.diskType;
    row.raidType = layout.raidType;
    row.disksPerGroup = layout.disksPerGroup;
    row.groupCount = layout.groupCount;
    return row;
}

} // namespace brim
