#include "core/config_sheet.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/raid_rules.h"

#include <cmath>
#include <cstddef>

namespace brim {
namespace {

RowInputs rowInputs(const ConfigSheet& sheet, std::size_t rowIndex) noexcept {
    return rowInputsOf(sheet.rows[rowIndex], rowIndex);
}

RowFiguresBasis rowFiguresBasisNow(const ConfigSheet& sheet, std::size_t rowIndex) noexcept {
    return {sheet.modelIndex, rowInputs(sheet, rowIndex)};
}

TotalsBasis totalsBasisNow(const ConfigSheet& sheet) noexcept {
    TotalsBasis basis{sheet.modelIndex, {}};
    for (std::size_t i = 0; i < basis.rows.size(); ++i) {
        basis.rows[i] = rowInputs(sheet, i);
    }
    return basis;
}

bool screenShows(const ScreenInputs& screen, const TotalsBasis& inputs) noexcept {
    if (screen.modelIndex != inputs.modelIndex) {
        return false;
    }
    for (std::size_t i = 0; i < inputs.rows.size(); ++i) {
        if (screen.rows[i] != inputs.rows[i]) {
            return false;
        }
    }
    return true;
}

void endWithError(ConfigSheet& sheet) {
    sheet.netTotalGbText = "Error";
    sheet.netTotalTbText = "Error";
    sheet.totalDisksText = "Error";
    sheet.arraysRequiredText.clear();
}

} // namespace

bool breaksAtaVaultRule(int modelIndex, int diskType, bool holdsVault) noexcept {
    const ArrayModel* model = Catalogue::model(modelIndex);
    const DiskType* disk = Catalogue::diskType(diskType);
    return holdsVault && model && !model->ataVaultAllowed && disk && disk->isAta;
}

bool holdsComputedResults(const ConfigSheet& sheet) noexcept {
    const auto computed = [](std::string_view text) {
        const std::string_view value = trimBlanks(text);
        return !value.empty() && value != "Error";
    };
    return computed(sheet.netTotalGbText) && computed(sheet.netTotalTbText) &&
           computed(sheet.totalDisksText) && computed(sheet.arraysRequiredText);
}

bool rowFiguresStale(const ConfigSheet& sheet, std::size_t rowIndex) noexcept {
    if (rowIndex >= sheet.rows.size()) {
        return false;
    }
    const std::optional<RowFiguresBasis>& basis = sheet.rowFiguresBasis[rowIndex];
    return basis && *basis != rowFiguresBasisNow(sheet, rowIndex);
}

bool totalsStale(const ConfigSheet& sheet) noexcept {
    return sheet.totalsBasis && *sheet.totalsBasis != totalsBasisNow(sheet);
}

// Every computeSheet writes the totals, "Error" too, so theirs is the last Compute's basis.
bool sheetInputsChangedSinceCompute(const ConfigSheet& sheet) noexcept {
    return totalsStale(sheet);
}

ScreenInputs screenInputsOf(const ConfigSheet& sheet) noexcept {
    ScreenInputs screen{sheet.modelIndex, {}};
    for (std::size_t i = 0; i < screen.rows.size(); ++i) {
        screen.rows[i] = rowInputs(sheet, i);
    }
    return screen;
}

bool rowFiguresDifferFromScreen(const ConfigSheet& sheet, const ScreenInputs& screen,
                                std::size_t rowIndex) noexcept {
    if (rowIndex >= sheet.rows.size()) {
        return false;
    }
    const std::optional<RowFiguresBasis>& basis = sheet.rowFiguresBasis[rowIndex];
    const std::optional<RowInputs>& shown = screen.rows[rowIndex];
    return basis && (!shown || basis->modelIndex != screen.modelIndex || basis->inputs != *shown);
}

bool totalsDifferFromScreen(const ConfigSheet& sheet, const ScreenInputs& screen) noexcept {
    return sheet.totalsBasis && !screenShows(screen, *sheet.totalsBasis);
}

bool computeDueBeforeOutput(const ConfigSheet& sheet, const ScreenInputs& screen) noexcept {
    if (!sheet.totalsBasis) {
        return !screenShows(screen, totalsBasisNow(sheet));
    }
    return totalsStale(sheet) || !screenShows(screen, *sheet.totalsBasis);
}

bool rowHoldsVault(const ConfigSheet& sheet, std::size_t rowIndex) noexcept {
    return rowIndex < static_cast<std::size_t>(kVaultRowCount) &&
           sheet.rows[rowIndex].includesVault;
}

RowInputs rowInputsOf(const DefinitionInputs& row, std::size_t rowIndex) noexcept {
    return {row.diskType, row.raidType, row.disksPerGroup, row.groupCount,
            rowIndex < static_cast<std::size_t>(kVaultRowCount) && row.includesVault};
}

GroupCapacity computeGroup(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::uint32_t groupCount, std::int32_t raidType, MessageSink& messages) {
    const double groupGrossMib =
        static_cast<double>(diskKib) * static_cast<double>(disksPerGroup) / kKibPerMib;
    const RaidEfficiency rule = raidEfficiency(raidType, disksPerGroup, messages);
    GroupCapacity result;
    result.error = rule.error;
    result.groupUsableMib = rule.fraction * groupGrossMib;
    // One group's capacity is rounded to double first, then multiplied by the group count.
    result.totalUsableMib = static_cast<double>(groupCount) * result.groupUsableMib;
    return result;
}

SheetWalk walkSheet(const ConfigSheet& sheet, MessageSink& messages) {
    SheetWalk walk;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const GroupDefinition& row = sheet.rows[i];
        const bool holdsVault = rowHoldsVault(sheet, i);

        if (breaksAtaVaultRule(sheet.modelIndex, row.diskType, holdsVault)) {
            messages.show("Error: SATA drives not allowed in Vault enclosure.");
            walk.failed = true;
            return walk;
        }
        const std::uint32_t diskKib = usableDiskKib(sheet.modelIndex, row.diskType, holdsVault);
        if (diskKib == 0 && row.groupCount != 0) {
            messages.show("Disk type not allowed with selected chassis");
            walk.failed = true;
            return walk;
        }

        const GroupCapacity capacity =
            computeGroup(diskKib, row.disksPerGroup, row.groupCount, row.raidType, messages);
        walk.rows[walk.rowsComputed++] = capacity;
        walk.netTotalMib += capacity.totalUsableMib;
        walk.totalDisks += static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        if (capacity.error) {
            walk.failed = true;
            return walk;
        }
    }
    return walk;
}

std::uint64_t arraysRequired(std::uint64_t totalDisks, int modelIndex) noexcept {
    const ArrayModel* model = Catalogue::model(modelIndex);
    if (totalDisks == 0 || !model || model->maxDisks == 0) {
        return 0;
    }
    const double arrays =
        std::ceil(static_cast<double>(totalDisks) / static_cast<double>(model->maxDisks));
    return static_cast<std::uint64_t>(arrays);
}

void computeSheet(ConfigSheet& sheet, MessageSink& messages) {
    const SheetWalk walk = walkSheet(sheet, messages);
    // The rows computed show their new texts, a row whose RAID rule broke too (0.00); a row
    // stopped by the vault or disk check and every row after it keep their old texts.
    for (std::size_t i = 0; i < walk.rowsComputed; ++i) {
        sheet.rows[i].groupCapacityText = formatCapacity(gibFromMib(walk.rows[i].groupUsableMib));
        sheet.rows[i].totalCapacityText = formatCapacity(gibFromMib(walk.rows[i].totalUsableMib));
        sheet.rowFiguresBasis[i] = rowFiguresBasisNow(sheet, i);
    }
    sheet.totalsBasis = totalsBasisNow(sheet);
    if (walk.failed) {
        endWithError(sheet);
        return;
    }
    sheet.netTotalGbText = formatCapacity(gibFromMib(walk.netTotalMib));
    sheet.netTotalTbText = formatCapacity(tibFromMib(walk.netTotalMib));
    sheet.totalDisksText = std::to_string(walk.totalDisks);
    sheet.arraysRequiredText = std::to_string(arraysRequired(walk.totalDisks, sheet.modelIndex));
}

} // namespace brim
