#pragma once

#include "catalogue.h"
#include "config_sheet.h"
#include "planning_assumptions.h"
#include "raid_rules.h"
#include "rebuild_risk.h"
#include "spares.h"
#include "units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

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

// The most a planner may ask for: 1,000,000 TiB, in MiB.
inline constexpr double kMaxTargetMib = 1'000'000.0 * kMibPerTib;

// The most host IOPS and sequential MB/s a planner may ask for.
inline constexpr double kMaxHostIopsNeed = 10'000'000.0;
inline constexpr double kMaxMbpsNeed = 1'000'000.0;

// The smallest group that the RAID rules accept holds one disk's worth of data: a single disk,
// or a mirrored pair.
inline constexpr double kSmallestGroupInDisks = 1.0;

// The smallest and the largest usable disk of the catalogue (the smallest with its family's
// vault reservation taken off), and the fewest disks an array model holds.
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
constexpr std::uint32_t largestUsableDiskKib() noexcept {
    std::uint32_t largest = 0;
    for (const DiskType& disk : kDiskTypes) {
        for (const std::uint32_t kib : disk.usableKib) {
            largest = std::max(largest, kib);
        }
    }
    return largest;
}
constexpr std::uint32_t fewestDisksOfAModel() noexcept {
    std::uint32_t fewest = std::numeric_limits<std::uint32_t>::max();
    for (const ArrayModel& model : kArrayModels) {
        fewest = std::min(fewest, model.maxDisks);
    }
    return fewest;
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
// largest workload needs no more groups than the largest capacity, and the columns sized for
// that hold it too.
static_assert(kMaxHostIopsNeed * largestWritePenalty() / kRandomIopsRange.lowest + 1.0 <=
                  kMostGroupsNeeded,
              "the largest IOPS need could take more groups than the largest capacity");
static_assert(kMaxMbpsNeed / kSequentialMbpsRange.lowest + 1.0 <= kMostGroupsNeeded,
              "the largest MB/s need could take more groups than the largest capacity");

// The largest figures a line can show, for columns that never cut one: the other nine rows of
// the sheet may hold the most groups of the largest groups (with no RAID type they add disks
// but no capacity), and the new groups overshoot the target by less than one largest group.
inline constexpr std::uint64_t kMostDisksShown =
    (kRowCount - 1) * std::uint64_t{std::numeric_limits<std::uint32_t>::max()} * kMaxDisksPerGroup +
    static_cast<std::uint64_t>(kMostGroupsNeeded) * kMaxDisksPerGroup;
inline constexpr std::uint64_t kMostArraysShown = kMostDisksShown / fewestDisksOfAModel() + 1;
inline constexpr double kMostUsableMibShown =
    kMaxTargetMib + largestUsableDiskKib() / kKibPerMib * kMaxDisksPerGroup;
// No disk gives the host more than its own IOPS (r + w × P is at least 1) or streams more than
// its own MB/s.
inline constexpr double kMostHostIopsShown =
    static_cast<double>(kMostDisksShown) * kRandomIopsRange.highest;
inline constexpr double kMostMbpsShown =
    static_cast<double>(kMostDisksShown) * kSequentialMbpsRange.highest;
// A type's spares are at most one per disk, or the fewest kept per type.
inline constexpr std::uint64_t kMostDisksOrderedShown =
    2 * kMostDisksShown + kDiskTypes.size() * std::uint64_t{kMinSparesPerTypeRange.highest};
inline constexpr std::uint64_t kMostArraysOrderedShown =
    kMostDisksOrderedShown / fewestDisksOfAModel() + 1;

enum class CapacityUnit : std::uint8_t { Gb, Tb }; // binary, as everywhere: 1 TB = 1024 GB

// A capacity in MiB in the unit the planner picked.
double capacityInUnit(double mib, CapacityUnit unit) noexcept;

// What the planner typed, as MiB, or why it is refused (a text for under the field).
struct TargetParse {
    std::optional<double> mib;
    std::string_view refusal; // empty when `mib` holds a value
};

// A plain decimal with a point as the decimal mark ("200", "12.5", " 7 "; blanks around it
// allowed), above 0 and at most 1,000,000 TB. Signs, exponents, commas, letters, an empty text,
// zero and larger values are refused with the text to show.
TargetParse parseCapacityTarget(std::string_view text, CapacityUnit unit);

// A workload field as typed: empty (no need), a need, or refused with the text to show.
struct NeedParse {
    std::optional<double> value; // nothing when empty or refused
    std::string_view refusal;    // empty unless refused
};

// Whole numbers, blanks around them allowed: host IOPS from 1 to 10,000,000, MB/s from 1 to
// 1,000,000. An empty (or blank) field states no need.
NeedParse parseHostIopsNeed(std::string_view text);
NeedParse parseMbpsNeed(std::string_view text);

struct ReadPercentParse {
    std::optional<int> percent;
    std::string_view refusal; // empty when `percent` holds a value
};

// "% reads": a whole number from 0 to 100; an empty field is refused, as the mix is always used.
ReadPercentParse parseReadPercent(std::string_view text);

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

// "Sized by": "capacity", "IOPS", "MB/s".
std::string_view sizedByText(SizingNeed need) noexcept;

// A figure of the sheet's rows, added up in row order around the new row's place as Sheet
// Performance adds its rows, so that the sum with the new row has its last digit too.
struct RowOrderSum {
    double beforeRow = 0.0;
    std::array<double, kRowCount> afterRow{};
    std::size_t rowsAfter = 0;

    double with(double rowFigure) const noexcept;
    double withoutRow() const noexcept { return with(0.0); }
};

// What the sheet's rows deliver at a read share, each row with groups checked by itself as
// Sheet Performance does it (with a rule broken a row delivers nothing).
struct SheetDelivery {
    RowOrderSum hostIops;
    RowOrderSum mbps;
};

// For new groups going into row `newRow` (1-10; 0 puts them after row 10).
SheetDelivery sheetDelivery(const ConfigSheet& sheet, int newRow, const DiskAssumptions& disks,
                            double readShare);

// The sheet that a new row of groups is added to, as Compute sums it once the row is in: its
// running net total just before the new row, the totals of the rows after it in their order,
// and the disks of every other row. All zero when the target stands alone.
struct SheetBaseline {
    double netTotalMib = 0.0; // what Compute gives the sheet without the new groups
    std::uint64_t totalDisks = 0;
    double mibBeforeRow = 0.0;
    std::array<double, kRowCount> rowMibAfter{};
    std::size_t rowsAfter = 0;

    // The net total that Compute gives with a row of `rowMib` in the new row's place: the same
    // additions in the same order, so the same last digit.
    double netTotalWith(double rowMib) const noexcept;

    // The other rows' disks by type, for the disks to order with spares.
    DisksPerType disksPerType{};
    // What the other rows deliver; sheetBaseline leaves it at zero, as it depends on the mix.
    SheetDelivery delivery;
};

// What computeSheet gives for the sheet's inputs now, found silently (no message, no text
// written), with the new groups going into row `newRow` (1-10, which has 0 groups; 0 puts them
// after row 10). Nothing when a row breaks a rule.
std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet, int newRow);

// The first row (1-10) that breaks a rule when Compute walks the sheet, found silently; 0 when
// none does.
int firstRowBreakingRule(const ConfigSheet& sheet);

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
    // Exactly the net totals that Compute writes once the row is in ("%8.2f" GiB and TiB).
    std::string netTotalGbText;
    std::string netTotalTbText;
    std::string hostIopsText; // whole numbers, as Sheet Performance shows them
    std::string mbpsText;
    std::string withSparesText; // "46 / 1": disks / arrays
    std::string rebuildHoursText;
    std::string readErrorRiskText;
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
// the capacity as sizeForCapacity below, host IOPS and MB/s compared unrounded with the
// baseline's delivery counted in. A need the baseline meets by itself takes no groups; when it
// meets them all, `alreadyReached` and no layouts. No layouts without a need, with a need out
// of its range, or for a disk type the row cannot take (as below).
SizingResult sizeForNeeds(int modelIndex, int diskType, bool includesVault,
                          const SizingNeeds& needs, const SheetBaseline& baseline,
                          const PlanningAssumptions& assumptions);

// Sizes every accepted layout of `diskType` on `modelIndex` for `targetMib` (above 0, at most
// kMaxTargetMib) on top of `baseline`, for a row that holds the vault when `includesVault` is
// set (every disk then loses the vault reservation, as in Compute). No layouts when the disk
// type is not offered on the model's family, when an ATA disk type may not hold the vault on
// the model, when either index is outside its table or the target outside its range. When the
// baseline already reaches the target, `alreadyReached` and no layouts, whatever the disk type.
// The workload figures are those of the default assumptions.
SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline);

} // namespace brim
