#include "config_sheet.h"

#include "catalogue.h"
#include "raid_rules.h"

#include <charconv>
#include <cmath>
#include <cstddef>

namespace brim {
namespace {

constexpr std::size_t kCapacityWidth = 8;
constexpr double kMibPerGib = 1024.0;

bool breaksAtaVaultRule(const ArrayModel* model, const GroupDefinition& row, bool holdsVault) {
    const DiskType* disk = Catalogue::diskType(row.diskType);
    return holdsVault && model && !model->ataVaultAllowed && disk && disk->isAta;
}

void endWithError(ConfigSheet& sheet) {
    sheet.netTotalGbText = "Error";
    sheet.netTotalTbText = "Error";
    sheet.totalDisksText = "Error";
    sheet.arraysRequiredText.clear();
}

// Arrays of the model needed for this many disks, rounded up; 0 disks need none.
std::uint64_t arraysNeeded(std::uint64_t totalDisks, const ArrayModel* model) {
    if (totalDisks == 0 || !model || model->maxDisks == 0) {
        return 0;
    }
    const double arrays =
        std::ceil(static_cast<double>(totalDisks) / static_cast<double>(model->maxDisks));
    return static_cast<std::uint64_t>(arrays);
}

} // namespace

bool rowHoldsVault(const ConfigSheet& sheet, std::size_t rowIndex) noexcept {
    return rowIndex < static_cast<std::size_t>(kVaultRowCount) &&
           sheet.rows[rowIndex].includesVault;
}

std::string formatCapacity(double value) {
    // std::to_chars rounds the exact binary value like printf's "%.2f" does, at a fraction of
    // its cost; the padding makes it "%8.2f".
    // Room for the largest double written out in full (309 digits), its sign and ".00".
    char digits[320];
    const auto [end, ec] =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 2);
    const std::size_t length = ec == std::errc{} ? static_cast<std::size_t>(end - digits) : 0;
    std::string text;
    if (length < kCapacityWidth) {
        text.assign(kCapacityWidth - length, ' ');
    }
    text.append(digits, length);
    return text;
}

GroupCapacity computeGroup(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::uint32_t groupCount, std::int32_t raidType, MessageSink& messages) {
    const double groupGrossMib =
        static_cast<double>(diskKib) * static_cast<double>(disksPerGroup) / 1024.0;
    const RaidEfficiency rule = raidEfficiency(raidType, disksPerGroup, messages);
    GroupCapacity result;
    result.error = rule.error;
    result.groupUsableMib = rule.fraction * groupGrossMib;
    // One group's capacity is rounded to double first, then multiplied by the group count.
    result.totalUsableMib = static_cast<double>(groupCount) * result.groupUsableMib;
    return result;
}

void computeSheet(ConfigSheet& sheet, MessageSink& messages) {
    const ArrayModel* model = Catalogue::model(sheet.modelIndex);
    double netTotalMib = 0.0;
    // Counted in 64 bits: hundreds of millions of groups would wrap a 32-bit count.
    std::uint64_t totalDisks = 0;

    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        GroupDefinition& row = sheet.rows[i];
        const bool holdsVault = rowHoldsVault(sheet, i);

        if (breaksAtaVaultRule(model, row, holdsVault)) {
            messages.show("Error: SATA drives not allowed in Vault enclosure.");
            endWithError(sheet);
            return;
        }
        const std::uint32_t diskKib = usableDiskKib(sheet.modelIndex, row.diskType, holdsVault);
        if (diskKib == 0 && row.groupCount != 0) {
            messages.show("Disk type not allowed with selected chassis");
            endWithError(sheet);
            return;
        }

        const GroupCapacity capacity =
            computeGroup(diskKib, row.disksPerGroup, row.groupCount, row.raidType, messages);
        netTotalMib += capacity.totalUsableMib;
        totalDisks += static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        row.groupCapacityText = formatCapacity(capacity.groupUsableMib / kMibPerGib);
        row.totalCapacityText = formatCapacity(capacity.totalUsableMib / kMibPerGib);
        if (capacity.error) {
            endWithError(sheet);
            return;
        }
    }

    sheet.netTotalGbText = formatCapacity(netTotalMib / kMibPerGib);
    sheet.netTotalTbText = formatCapacity(netTotalMib / kMibPerGib / kMibPerGib);
    sheet.totalDisksText = std::to_string(totalDisks);
    sheet.arraysRequiredText = std::to_string(arraysNeeded(totalDisks, model));
}

} // namespace brim
