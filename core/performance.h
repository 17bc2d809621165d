#pragma once

#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "core/rebuild_risk.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace brim {

// What the disks of a layout deliver to the host: disk-bound planning figures that leave out
// cache, the storage processors' own limits and the host. r is the read share of the workload
// (0 to 1), w = 1 - r. A group with no RAID type, or no disks, delivers 0.

// Host IOPS of one group: (N × I) ÷ (r + w × P), P the RAID type's write penalty.
double groupHostIops(std::int32_t raidType, std::uint32_t disks, double diskIops,
                     double readShare) noexcept;

// Sequential MB/s of one group for the mix: B ÷ (r ÷ D + w ÷ W), D and W the disks that carry
// a read and a write stream. A group too small for its RAID type to stream delivers 0.
double groupMbps(std::int32_t raidType, std::uint32_t disks, double diskMbps,
                 double readShare) noexcept;

// A row's figure: the group count × one group's, as a row's capacity is made.
double rowFigure(std::uint32_t groups, double perGroup) noexcept;

// What the groups of one row deliver, at the workload's mix and streaming only one way.
struct Delivery {
    double hostIops = 0.0;
    double mbps = 0.0;
    double readOnlyMbps = 0.0;
    double writeOnlyMbps = 0.0;
};

Delivery rowDelivery(std::int32_t raidType, std::uint32_t disksPerGroup, std::uint32_t groups,
                     const DiskFigures& figures, double readShare) noexcept;

// One row with groups, checked by itself. A row that breaks a rule carries the rule's message
// and no figures.
struct PerformanceLine {
    std::size_t rowIndex = 0; // 0 to 9
    std::int32_t diskType = 0;
    std::int32_t raidType = kNoRaidType;
    std::uint32_t disksPerGroup = 0;
    std::uint32_t groupCount = 0;
    std::string brokenRule; // empty when the row computed
    Delivery delivery;
    RebuildRisk rebuild;
};

struct SheetPerformance {
    std::array<PerformanceLine, kRowCount> lines{};
    std::size_t count = 0; // lines in use, in row order
    Delivery total;        // the rows that computed, added in row order
};

// Every row of the sheet with groups, each checked by itself with Compute's rules (a broken
// rule shows nothing), with the disk figures of its type at the read share `readShare`.
SheetPerformance sheetPerformance(const ConfigSheet& sheet, const DiskAssumptions& disks,
                                  double readShare);

} // namespace brim
