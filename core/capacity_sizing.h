#pragma once

#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "core/planner_inputs.h"
#include "core/planning_assumptions.h"
#include "core/raid_rules.h"
#include "core/rebuild_risk.h"
#include "core/sheet_baseline.h"
#include "core/units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace brim {

// Sizing for a capacity and a workload: the reverse of Compute. Given a usable capacity, host
// IOPS and sequential MB/s that the planner needs (each optional), every group layout that the
// RAID rules accept is sized with the smallest group count that meets them all: the capacity in
// exactly Compute's arithmetic, so that a layout put into the sheet shows the same figures
// there, and the workload in the disk-bound model of performance.h.

// Every (RAID type, disks per group) pair that the RAID rules accept: RAID0 3-16, RAID1 2,
// RAID1/0 2-16 even, RAID3 5 or 9, RAID5 3-16, RAID6 4-16 even, IndivDisk 1.
inline constexpr std::size_t kMaxLayouts = 47;

constexpr std::size_t layoutsTheRulesAccept() noexcept {
    std::size_t count = 0;
    for (std::int32_t raid = 0; raid < static_cast<std::int32_t>(kRaidTypes.size()); ++raid) {
        for (std::uint32_t n = 1; n <= kMaxDisksPerGroup; ++n) {
            count += raidAccepts(raid, n) ? 1 : 0;
        }
    }
    return count;
}
static_assert(layoutsTheRulesAccept() == kMaxLayouts, "kMaxLayouts must count every layout");

// The smallest group that the RAID rules accept holds one disk's worth of data: a single disk,
// or a mirrored pair.
inline constexpr double kSmallestGroupInDisks = 1.0;

// The smallest usable disk of the catalogue, with its family's vault reservation taken off.
constexpr std::uint32_t smallestUsableDiskKib() noexcept {
    std::uint32_t smallest = std::numeric_limits<std::uint32_t>::max();
    for (const FamilyInfo& family : kFamilies) {
        for (const DiskType& disk : kDiskTypes) {
            const std::uint32_t kib = disk.usableKib[static_cast<std::size_t>(family.family)];
            if (kib != 0) {
                smallest = std::min(smallest, kib - family.vaultReservationKib);
            }
        }
    }
    return smallest;
}

// The most groups the largest target can need: it in groups of the smallest group, about 2.2e8
// (73 G disks in a Telvar vault row). A group count therefore always fits a # of Groups field.
inline constexpr double kMostGroupsNeeded =
    kMaxTargetMib / (smallestUsableDiskKib() / kKibPerMib * kSmallestGroupInDisks) + 1.0;
static_assert(kMostGroupsNeeded + 2.0 < std::numeric_limits<std::uint32_t>::max(),
              "the largest target would need more groups than a # of Groups field holds");

constexpr int largestWritePenalty() noexcept {
    int largest = 0;
    for (const RaidType& raid : kRaidTypes) {
        largest = std::max(largest, raid.writePenalty);
    }
    return largest;
}

// A group gives the host at least one disk's IOPS over the largest write penalty, and streams
// at least one disk's MB/s (every accepted layout reads and writes on a disk or more). So the
// largest workload needs no more groups than the largest capacity, and every bound drawn from
// kMostGroupsNeeded holds it too.
static_assert(kMaxHostIopsNeed * largestWritePenalty() / kRandomIopsRange.lowest + 1.0 <=
                  kMostGroupsNeeded,
              "the largest IOPS need could take more groups than the largest capacity");
static_assert(kMaxMbpsNeed / kSequentialMbpsRange.lowest + 1.0 <= kMostGroupsNeeded,
              "the largest MB/s need could take more groups than the largest capacity");

// What the new groups must give, with the sheet's when it is added. Each need is optional; with
// none there is nothing to size for. The mix is the workload's of PlanningAssumptions.
struct SizingNeeds {
    std::optional<double> targetMib; // usable capacity
    std::optional<double> hostIops;
    std::optional<double> mbps; // sequential

    bool any() const noexcept { return targetMib || hostIops || mbps; }
};

// The needs in the order that settles a tie: the first of them that takes the most groups is
// the one that sized the layout.
enum class SizingNeed : std::uint8_t { Capacity, HostIops, Mbps };

struct SizedLayout {
    std::int32_t diskType = 0;
    std::int32_t raidType = -1;
    std::uint32_t disksPerGroup = 0;
    // The smallest count that meets every need.
    std::uint32_t groupCount = 0;
    SizingNeed sizedBy = SizingNeed::Capacity; // the need that set the count
    std::uint64_t disks = 0;                   // of the new groups plus the baseline's
    std::uint64_t arraysRequired = 0;          // for all those disks, on the model
    double groupUsableMib = 0.0; // one new group, as Compute writes it into the new row
    double rowTotalMib = 0.0;    // all new groups: the new row's total
    double netTotalMib = 0.0;    // the baseline's rows and the new row, in Compute's order
    double efficiency = 0.0;     // usable share of the group's raw capacity, 0 to 1
    int failuresSurvived = 0;
    // What the baseline's rows and the new row deliver at the mix, summed as Sheet Performance
    // sums its rows, so that like the capacity they describe the whole sheet once the row is in.
    double hostIops = 0.0;
    double mbps = 0.0;
    // The disks of the new groups' type and the baseline's of every type, with their hot
    // spares, and the arrays they need.
    std::uint64_t disksWithSpares = 0;
    std::uint64_t arraysWithSpares = 0;
    RebuildRisk rebuild; // of one new group, its disks as the new row sizes them
    // Set by the sizing planner, which knows the sheet the line goes into: the chance of losing
    // data in a year and what the order costs, of the new groups alone or, with the sheet added,
    // of the whole sheet once they are in.
    double lossRate = 0.0;   // losses per hour
    double lossChance = 0.0; // in a year
    bool priced = false;     // some price the line uses is set; until then no cost
    double cost = 0.0;       // the disks to order, spares included, and the arrays
};

struct SizingResult {
    std::array<SizedLayout, kMaxLayouts> layouts{};
    std::size_t count = 0; // layouts in use, sorted: disks, then failures survived (more first),
                           // then efficiency (more first)
    bool alreadyReached = false; // the baseline alone meets every need: no layouts
};

// Sizes every accepted layout of `diskType` on `modelIndex` for `needs` on top of `baseline`,
// for a row that holds the vault when `includesVault` is set, with the disk figures, spare
// policy and mix of `assumptions`. Each count is the smallest that meets every need stated:
// the capacity in Compute's arithmetic and row order (every disk losing the vault reservation
// when the row holds the vault), host IOPS and MB/s compared unrounded with the baseline's
// delivery counted in. A need the baseline meets by itself takes no groups; when it meets them
// all, `alreadyReached` and no layouts, whatever the disk type. No layouts without a need, with
// a need out of its range, when either index is outside its table, when the disk type is not
// offered on the model's family, or when an ATA disk type may not hold the vault on the model.
SizingResult sizeForNeeds(int modelIndex, int diskType, bool includesVault,
                          const SizingNeeds& needs, const SheetBaseline& baseline,
                          const PlanningAssumptions& assumptions);

// The smallest group count, at least 1, whose figure at `perGroup` a group, added to the
// sheet's rows in their order, reaches `need`, compared unrounded; 0 when the sheet's rows reach
// it alone; nothing when even kMostGroupsNeeded groups fall short (or one group delivers
// nothing).
std::optional<std::uint32_t> groupsToCarry(double perGroup, const RowOrderSum& sheet, double need);

} // namespace brim
