#include "core/performance.h"

#include "core/catalogue.h"
#include "core/raid_disk_use.h"
#include "core/row_check.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brim {
namespace {

constexpr double kReadsOnly = 1.0;
constexpr double kWritesOnly = 0.0;

void add(Delivery& sum, const Delivery& row) noexcept {
    sum.hostIops += row.hostIops;
    sum.mbps += row.mbps;
    sum.readOnlyMbps += row.readOnlyMbps;
    sum.writeOnlyMbps += row.writeOnlyMbps;
}

PerformanceLine lineOf(const ConfigSheet& sheet, std::size_t rowIndex, const DiskAssumptions& disks,
                       double readShare) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    PerformanceLine line;
    line.rowIndex = rowIndex;
    line.diskType = row.diskType;
    line.raidType = row.raidType;
    line.disksPerGroup = row.disksPerGroup;
    line.groupCount = row.groupCount;
    line.brokenRule = brokenRuleOfRow(sheet, rowIndex);
    // A row that passed the disk check has a disk type of the table.
    const DiskFigures* figures = disks.figures(row.diskType);
    if (!line.brokenRule.empty() || !figures) {
        return line;
    }
    line.delivery =
        rowDelivery(row.raidType, row.disksPerGroup, row.groupCount, *figures, readShare);
    const std::uint32_t diskKib =
        usableDiskKib(sheet.modelIndex, row.diskType, rowHoldsVault(sheet, rowIndex));
    line.rebuild = rebuildRisk(row.raidType, row.disksPerGroup, diskKib, *figures);
    return line;
}

} // namespace

double groupHostIops(std::int32_t raidType, std::uint32_t disks, double diskIops,
                     double readShare) noexcept {
    const int penalty = Catalogue::writePenalty(raidType);
    if (penalty == 0 || disks == 0) {
        return 0.0;
    }
    const double writeShare = 1.0 - readShare;
    return (static_cast<double>(disks) * diskIops) /
           (readShare + writeShare * static_cast<double>(penalty));
}

double groupMbps(std::int32_t raidType, std::uint32_t disks, double diskMbps,
                 double readShare) noexcept {
    const RaidDiskUse* use = raidDiskUse(raidType);
    if (!use || disks == 0) {
        return 0.0;
    }
    const double n = static_cast<double>(disks);
    const double readDisks = disksOf(use->readStream, n);
    const double writeDisks = disksOf(use->writeStream, n);
    if (!(readDisks > 0.0 && writeDisks > 0.0)) {
        return 0.0;
    }
    const double writeShare = 1.0 - readShare;
    // Time per MB is shared between reads and writes, as time per operation is for IOPS.
    return diskMbps / (readShare / readDisks + writeShare / writeDisks);
}

double rowFigure(std::uint32_t groups, double perGroup) noexcept {
    return static_cast<double>(groups) * perGroup;
}

Delivery rowDelivery(std::int32_t raidType, std::uint32_t disksPerGroup, std::uint32_t groups,
                     const DiskFigures& figures, double readShare) noexcept {
    const double iops = static_cast<double>(figures.randomIops);
    const double mbps = static_cast<double>(figures.sequentialMbps);
    const auto row = [&](double perGroup) { return rowFigure(groups, perGroup); };
    Delivery delivery;
    delivery.hostIops = row(groupHostIops(raidType, disksPerGroup, iops, readShare));
    delivery.mbps = row(groupMbps(raidType, disksPerGroup, mbps, readShare));
    delivery.readOnlyMbps = row(groupMbps(raidType, disksPerGroup, mbps, kReadsOnly));
    delivery.writeOnlyMbps = row(groupMbps(raidType, disksPerGroup, mbps, kWritesOnly));
    return delivery;
}

SheetPerformance sheetPerformance(const ConfigSheet& sheet, const DiskAssumptions& disks,
                                  double readShare) {
    SheetPerformance result;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount == 0) {
            continue;
        }
        PerformanceLine& line = result.lines[result.count++];
        line = lineOf(sheet, i, disks, readShare);
        add(result.total, line.delivery);
    }
    return result;
}

} // namespace brim
