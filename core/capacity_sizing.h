#pragma once

#include "catalogue.h"
#include "config_sheet.h"
#include "raid_rules.h"
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

// Sizing for a capacity: the reverse of Compute. Given a usable capacity that the planner needs,
// every group layout that the RAID rules accept is sized with the smallest group count that
// reaches it, in exactly Compute's arithmetic, so that a layout put into the sheet shows the
// same figures there.

// Every (RAID type, disks per group) pair that the RAID rules accept: RAID0 3-16, RAID1 2,
// RAID1/0 2-16 even, RAID3 5 or 9, RAID5 3-16, RAID6 4-16 even, IndivDisk 1.
inline constexpr std::size_t kMaxLayouts = 47;

// The most a planner may ask for: 1,000,000 TiB, in MiB.
inline constexpr double kMaxTargetMib = 1'000'000.0 * kMibPerTib;

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

// The largest figures a line can show, for columns that never cut one: the other nine rows of
// the sheet may hold the most groups of the largest groups (with no RAID type they add disks
// but no capacity), and the new groups overshoot the target by less than one largest group.
inline constexpr std::uint64_t kMostDisksShown =
    (kRowCount - 1) * std::uint64_t{std::numeric_limits<std::uint32_t>::max()} * kMaxDisksPerGroup +
    static_cast<std::uint64_t>(kMostGroupsNeeded) * kMaxDisksPerGroup;
inline constexpr std::uint64_t kMostArraysShown = kMostDisksShown / fewestDisksOfAModel() + 1;
inline constexpr double kMostUsableMibShown =
    kMaxTargetMib + largestUsableDiskKib() / kKibPerMib * kMaxDisksPerGroup;

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
    // The smallest count whose net total reaches the target.
    std::uint32_t groupCount = 0;
    std::uint64_t disks = 0;          // of the new groups plus the baseline's
    std::uint64_t arraysRequired = 0; // for all those disks, on the model
    double groupUsableMib = 0.0;      // one new group, as Compute writes it into the new row
    double rowTotalMib = 0.0;         // all new groups: the new row's total
    double netTotalMib = 0.0;         // the baseline's rows and the new row, in Compute's order
    double efficiency = 0.0;          // usable share of the group's raw capacity, 0 to 1
    int failuresSurvived = 0;
    // Exactly the net totals that Compute writes once the row is in ("%8.2f" GiB and TiB).
    std::string netTotalGbText;
    std::string netTotalTbText;
};

struct SizingResult {
    std::array<SizedLayout, kMaxLayouts> layouts{};
    std::size_t count = 0; // layouts in use, sorted: disks, then failures survived (more first),
                           // then efficiency (more first)
    bool alreadyReached = false; // the baseline alone reaches the target: no layouts
};

// Sizes every accepted layout of `diskType` on `modelIndex` for `targetMib` (above 0, at most
// kMaxTargetMib) on top of `baseline`, for a row that holds the vault when `includesVault` is
// set (every disk then loses the vault reservation, as in Compute). No layouts when the disk
// type is not offered on the model's family, when an ATA disk type may not hold the vault on
// the model, when either index is outside its table or the target outside its range. When the
// baseline already reaches the target, `alreadyReached` and no layouts, whatever the disk type.
SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline);

} // namespace brim
