#include "core/growing_sheet.h"

#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "core/units.h"

namespace brim {
namespace {

// A row's figure goes before or after the growing row's place, as RowOrderSum keeps them.
void addAroundRow(RowOrderSum& sum, std::size_t rowIndex, std::size_t growthIndex,
                  double figure) noexcept {
    if (rowIndex < growthIndex) {
        sum.beforeRow += figure;
    } else if (rowIndex > growthIndex) {
        sum.afterRow[sum.rowsAfter++] = figure;
    }
}

// What one group of a row gives, as Sheet Performance and the loss model count it for a row
// that passes its rules by itself, and what all its groups lose a year.
struct RowGives {
    double groupHostIops = 0.0;
    double groupMbps = 0.0;
    double groupLossRate = 0.0;
    double lossRate = 0.0;
};

RowGives rowGives(const ConfigSheet& sheet, std::size_t rowIndex,
                  const PlanningAssumptions& assumptions) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    // The sheet computes, so every row's disk type is one of the table's.
    const DiskFigures& figures = *assumptions.disks.figures(row.diskType);
    const double readShare = assumptions.workload.readShare();
    RowGives gives;
    gives.groupHostIops = groupHostIops(row.raidType, row.disksPerGroup,
                                        static_cast<double>(figures.randomIops), readShare);
    gives.groupMbps = groupMbps(row.raidType, row.disksPerGroup,
                                static_cast<double>(figures.sequentialMbps), readShare);
    const std::uint32_t diskKib =
        usableDiskKib(sheet.modelIndex, row.diskType, rowHoldsVault(sheet, rowIndex));
    const std::optional<double> groupRate =
        groupLossRate(row.raidType, row.disksPerGroup,
                      lossFigures(diskKib, figures, assumptions.rebuildWait.hoursBeforeRebuild()));
    gives.groupLossRate = groupRate.value_or(0.0);
    gives.lossRate = groupRate ? rowLossRate(row.groupCount, *groupRate) : 0.0;
    return gives;
}

} // namespace

bool canGrow(const GroupDefinition& row) noexcept {
    return row.groupCount > 0 && Catalogue::raidType(row.raidType) != nullptr &&
           row.disksPerGroup > 0;
}

int largestGrowingRow(const ConfigSheet& sheet, const SheetWalk& walk) noexcept {
    int largest = 0;
    double largestMib = 0.0;
    for (std::size_t i = 0; i < walk.rowsComputed; ++i) {
        if (canGrow(sheet.rows[i]) && (largest == 0 || walk.rows[i].totalUsableMib > largestMib)) {
            largest = static_cast<int>(i) + 1;
            largestMib = walk.rows[i].totalUsableMib;
        }
    }
    return largest;
}

// Once the walk has gone through, every row passes its rules by itself too, so the rows'
// figures are summed straight from the walk, without judging each row again as Sheet
// Performance and the loss model do; the schedule's tests hold the two to the same digits.
GrowingSheet growingSheet(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                          int growthRow, const SheetWalk& walk) {
    GrowingSheet g;
    g.modelIndex = sheet.modelIndex;
    g.rowIndex = static_cast<std::size_t>(growthRow - 1);
    g.diskType = sheet.rows[g.rowIndex].diskType;
    g.disksPerGroup = sheet.rows[g.rowIndex].disksPerGroup;
    g.groupUsableMib = walk.rows[g.rowIndex].groupUsableMib;
    for (std::size_t i = 0; i < walk.rowsComputed; ++i) {
        addAroundRow(g.otherNetMib, i, g.rowIndex, walk.rows[i].totalUsableMib);
        const GroupDefinition& row = sheet.rows[i];
        if (row.groupCount == 0) {
            continue; // no line in Sheet Performance, nothing to order
        }
        const RowGives gives = rowGives(sheet, i, assumptions);
        if (i == g.rowIndex) {
            g.groupHostIops = gives.groupHostIops;
            g.groupMbps = gives.groupMbps;
            g.groupLossRate = gives.groupLossRate;
            continue;
        }
        g.otherDisks[static_cast<std::size_t>(row.diskType)] +=
            static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        addAroundRow(g.otherHostIops, i, g.rowIndex,
                     rowFigure(row.groupCount, gives.groupHostIops));
        addAroundRow(g.otherMbps, i, g.rowIndex, rowFigure(row.groupCount, gives.groupMbps));
        addAroundRow(g.otherLossRate, i, g.rowIndex, gives.lossRate);
    }
    return g;
}

double GrowingSheet::usableTib(std::uint32_t groups) const noexcept {
    return tibFromMib(otherNetMib.with(rowFigure(groups, groupUsableMib)));
}

double GrowingSheet::hostIops(std::uint32_t groups) const noexcept {
    return otherHostIops.with(rowFigure(groups, groupHostIops));
}

double GrowingSheet::mbps(std::uint32_t groups) const noexcept {
    return otherMbps.with(rowFigure(groups, groupMbps));
}

DisksToOrder GrowingSheet::order(std::uint32_t groups, const SparePolicy& spares) const noexcept {
    DisksPerType disks = otherDisks;
    disks[static_cast<std::size_t>(diskType)] += static_cast<std::uint64_t>(groups) * disksPerGroup;
    return disksToOrder(disks, modelIndex, spares);
}

double GrowingSheet::lossChance(std::uint32_t groups) const noexcept {
    return lossChanceInYear(otherLossRate.with(rowLossRate(groups, groupLossRate)));
}

} // namespace brim
