#pragma once

#include "core/message_sink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brim {

inline constexpr std::uint32_t kMaxDisksPerGroup = 16;

struct RaidEfficiency {
    double fraction = 0.0; // usable share of the group's raw capacity, 0 to 1
    bool error = false;    // a rule was broken; its message has been shown already
};

// What one RAID type accepts and leaves usable, n being the disks per group (1 to 16 here).
struct RaidRule {
    bool (*accepts)(std::uint32_t n);
    double (*usableFraction)(double n);
    std::string_view message;
};

// clang-format off
inline constexpr std::array<RaidRule, 7> kRaidRules{{
    // RAID0: striping only
    {[](std::uint32_t n) { return n >= 3; },
     [](double) { return 1.0; },
     "Error: RAID0 requires 3 to 16 disks per group"},
    // RAID1: one mirrored pair
    {[](std::uint32_t n) { return n == 2; },
     [](double) { return 0.5; },
     "Error: RAID1 disks per group is 2"},
    // RAID1/0: mirrored pairs, striped
    {[](std::uint32_t n) { return n % 2 == 0; },
     [](double) { return 0.5; },
     "Error: RAID10 group must have even number of disks"},
    // RAID3: one parity disk, 4+1 or 8+1
    {[](std::uint32_t n) { return n == 5 || n == 9; },
     [](double n) { return 1.0 - 1.0 / n; },
     "Error: RAID3 requires 5 or 9 disks per group"},
    // RAID5: one disk's worth of parity
    {[](std::uint32_t n) { return n >= 3; },
     [](double n) { return 1.0 - 1.0 / n; },
     "Error: RAID5 requires 3 to 16 disks per group"},
    // RAID6: two disks' worth of parity
    {[](std::uint32_t n) { return n >= 4 && n % 2 == 0; },
     [](double n) { return 1.0 - 2.0 / n; },
     "Error: RAID6 requires 4 to 16, even number of disks per group"},
    // IndivDisk: a single unprotected disk
    {[](std::uint32_t n) { return n == 1; },
     [](double) { return 1.0; },
     "Error: Individual Disk requires 1 disk per group"},
}};
// clang-format on

// Whether the rules accept a group of `disksPerGroup` disks (1 to 16) of a RAID type; false for
// no RAID type chosen.
constexpr bool raidAccepts(std::int32_t raidType, std::uint32_t disksPerGroup) noexcept {
    return raidType >= 0 && static_cast<std::size_t>(raidType) < kRaidRules.size() &&
           disksPerGroup >= 1 && disksPerGroup <= kMaxDisksPerGroup &&
           kRaidRules[static_cast<std::size_t>(raidType)].accepts(disksPerGroup);
}

// What a RAID type demands of a group and how much of it stays usable. A broken rule shows its
// own message through `messages` before returning, with fraction 0 and the error flag.
RaidEfficiency raidEfficiency(std::int32_t raidType, std::uint32_t disksPerGroup,
                              MessageSink& messages);

} // namespace brim
