#include "core/data_loss.h"

#include "core/catalogue.h"
#include "core/raid_disk_use.h"
#include "core/rebuild_risk.h"
#include "core/row_check.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace brim {
namespace {

// U(k) = −expm1(k × 8 × C × log1p(−10^−E)). The read-error risk computes it from the bytes
// read, 8 × (k × C): scaling by 8 is exact, so both orders give the same double.
double unreadableWhenReading(double disks, const LossFigures& figures) noexcept {
    return unrecoverableReadChance(disks * figures.diskBytes, figures.readErrorExponent);
}

LossLine lineOf(const ConfigSheet& sheet, std::size_t rowIndex,
                const PlanningAssumptions& assumptions) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    LossLine line;
    line.rowIndex = rowIndex;
    line.groupCount = row.groupCount;
    // A row that passed the disk check has a disk type of the table.
    const DiskFigures* disk = assumptions.disks.figures(row.diskType);
    if (!brokenRuleOfRow(sheet, rowIndex).empty() || !disk) {
        line.kind = LossCase::BreaksRule;
        return line;
    }
    const std::uint32_t diskKib =
        usableDiskKib(sheet.modelIndex, row.diskType, rowHoldsVault(sheet, rowIndex));
    const std::optional<double> groupRate =
        groupLossRate(row.raidType, row.disksPerGroup,
                      lossFigures(diskKib, *disk, assumptions.rebuildWait.hoursBeforeRebuild()));
    if (!groupRate) {
        return line;
    }
    line.kind = LossCase::Computed;
    line.groupRate = *groupRate;
    line.rowRate = rowLossRate(row.groupCount, *groupRate);
    line.groupChance = lossChanceInYear(line.groupRate);
    line.rowChance = lossChanceInYear(line.rowRate);
    return line;
}

} // namespace

double failuresPerHour(double annualFailureRate) noexcept {
    return -std::log1p(-annualFailureRate) / kHoursPerYear;
}

double failureWithin(double disks, double failuresPerHour, double hours) noexcept {
    return -std::expm1(-disks * failuresPerHour * hours);
}

double failureOrUnreadable(double failure, double unreadable) noexcept {
    return failure + (1.0 - failure) * unreadable;
}

LossFigures lossFigures(std::uint32_t diskKib, const DiskFigures& disk,
                        int hoursBeforeRebuild) noexcept {
    LossFigures figures;
    figures.diskBytes = static_cast<double>(diskKib) * kBytesPerKib;
    figures.failuresPerHour = failuresPerHour(disk.annualFailureRate());
    figures.exposedHours =
        static_cast<double>(hoursBeforeRebuild) + rebuildHours(figures.diskBytes, disk.rebuildMbps);
    figures.readErrorExponent = disk.readErrorExponent;
    return figures;
}

std::optional<double> groupLossRate(std::int32_t raidType, std::uint32_t disks,
                                    const LossFigures& figures) noexcept {
    const RaidDiskUse* use = raidDiskUse(raidType);
    if (!use || disks == 0) {
        return std::nullopt;
    }
    const double n = static_cast<double>(disks);
    const double lambda = figures.failuresPerHour;
    const double t = figures.exposedHours;
    const int survived = Catalogue::failuresSurvived(raidType);
    if (survived == 0) {
        return n * lambda;
    }
    // The disks read to rebuild the last failure the group survives: N − 1, N − 2 or the mirror.
    // A group too small for its RAID type (which the rules refuse) reads none.
    const double k = std::max(0.0, disksOf(use->readToRebuild, n));
    const double lastStep =
        failureOrUnreadable(failureWithin(k, lambda, t), unreadableWhenReading(k, figures));
    if (survived == 1) {
        return n * lambda * lastStep;
    }
    return n * lambda * failureWithin(n - 1.0, lambda, t) * lastStep;
}

double rowLossRate(std::uint32_t groups, double groupRate) noexcept {
    return static_cast<double>(groups) * groupRate;
}

double lossChanceInYear(double ratePerHour) noexcept {
    return -std::expm1(-ratePerHour * kHoursPerYear);
}

SheetLoss sheetLoss(const ConfigSheet& sheet, const PlanningAssumptions& assumptions) {
    SheetLoss result;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount == 0) {
            continue;
        }
        LossLine& line = result.lines[result.count++];
        line = lineOf(sheet, i, assumptions);
        result.rowsBreakingRule += line.kind == LossCase::BreaksRule ? 1 : 0;
        result.planRate += line.rowRate;
    }
    result.planChance = lossChanceInYear(result.planRate);
    return result;
}

} // namespace brim
