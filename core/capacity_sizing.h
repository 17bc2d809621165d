#pragma once

#include "config_sheet.h"
#include "units.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

enum class CapacityUnit : std::uint8_t { Gb, Tb }; // binary, as everywhere: 1 TB = 1024 GB

// What the planner typed, as MiB, or why it is refused (a text for under the field).
struct TargetParse {
    std::optional<double> mib;
    std::string_view refusal; // empty when `mib` holds a value
};

// A plain decimal with a point as the decimal mark ("200", "12.5", " 7 "; blanks around it
// allowed), above 0 and at most 1,000,000 TB. Signs, exponents, commas, letters, an empty text,
// zero and larger values are refused with the text to show.
TargetParse parseCapacityTarget(std::string_view text, CapacityUnit unit);

// The sheet that a new layout is added to: its net total and disks as the last successful
// Compute found them. All zero when the target stands alone.
struct SheetBaseline {
    double netTotalMib = 0.0;
    std::uint64_t totalDisks = 0;
};

// The net total and disks that computeSheet would give the sheet's inputs now, found silently:
// no message, no text written. Nothing when a row breaks a rule.
std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet);

struct SizedLayout {
    std::int32_t raidType = -1;
    std::uint32_t disksPerGroup = 0;
    // The smallest count whose usable total reaches what is missing, or nothing when that count
    // would not fit a # of Groups field (32 bits): "too many".
    std::optional<std::uint32_t> groupCount;
    std::uint64_t disks = 0;          // of the new groups plus the baseline's
    std::uint64_t arraysRequired = 0; // for all those disks, on the model
    double usableMib = 0.0;           // of the new groups alone: the row's total
    double efficiency = 0.0;          // usable share of the group's raw capacity, 0 to 1
    int failuresSurvived = 0;
    // Exactly the texts that Compute writes into the row that holds these groups ("%8.2f" GiB),
    // and the new groups' usable TiB in the same format. Empty for "too many".
    std::string groupCapacityText;
    std::string totalCapacityText;
    std::string totalTbText;
};

struct SizingResult {
    std::array<SizedLayout, kMaxLayouts> layouts{};
    std::size_t count = 0; // layouts in use, sorted: disks, then failures survived (more first),
                           // then efficiency (more first); "too many" last
    bool alreadyReached = false; // the baseline alone reaches the target: no layouts
};

// Sizes every accepted layout of `diskType` on `modelIndex` for `targetMib` on top of
// `baseline`, for a row that holds the vault when `includesVault` is set (every disk then loses
// the vault reservation, as in Compute). No layouts when the disk type is not offered on the
// model's family, when an ATA disk type may not hold the vault on the model, or when either
// index is outside its table. When the baseline already reaches the target, `alreadyReached`
// and no layouts, whatever the disk type.
SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline);

} // namespace brim
