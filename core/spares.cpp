#include "core/spares.h"

#include "core/row_check.h"

#include <algorithm>
#include <cstddef>

namespace brim {

std::uint64_t sparesFor(std::uint64_t disks, const SparePolicy& policy) noexcept {
    if (disks == 0) {
        return 0;
    }
    const std::uint64_t perSpare = policy.disksPerSpare();
    const std::uint64_t oneInK = disks / perSpare + (disks % perSpare != 0 ? 1 : 0);
    return std::max<std::uint64_t>(policy.minSparesPerType(), oneInK);
}

DisksToOrder disksToOrder(const DisksPerType& inGroups, int modelIndex,
                          const SparePolicy& policy) noexcept {
    DisksToOrder order;
    order.inGroups = inGroups;
    for (std::size_t i = 0; i < inGroups.size(); ++i) {
        order.spares[i] = sparesFor(inGroups[i], policy);
        order.toOrder[i] = inGroups[i] + order.spares[i];
        order.allInGroups += inGroups[i];
        order.allToOrder += order.toOrder[i];
    }
    order.arraysWithoutSpares = arraysRequired(order.allInGroups, modelIndex);
    order.arrays = arraysRequired(order.allToOrder, modelIndex);
    order.extraArrays = order.arrays - order.arraysWithoutSpares;
    return order;
}

DisksPerType sheetDisksPerType(const ConfigSheet& sheet) {
    DisksPerType disks{};
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const GroupDefinition& row = sheet.rows[i];
        const std::uint64_t inRow = static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        // A disk type outside the table breaks the disk check; a row without disks adds none.
        if (inRow != 0 && brokenRuleOfRow(sheet, i).empty()) {
            disks[static_cast<std::size_t>(row.diskType)] += inRow;
        }
    }
    return disks;
}

DisksToOrder sheetDisksToOrder(const ConfigSheet& sheet, const SparePolicy& policy) {
    return disksToOrder(sheetDisksPerType(sheet), sheet.modelIndex, policy);
}

} // namespace brim
