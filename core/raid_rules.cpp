#include "raid_rules.h"

#include <array>
#include <string_view>

namespace brim {
namespace {

// What one RAID type accepts and leaves usable, n being the disks per group (1 to 16 here).
struct RaidRule {
    bool (*accepts)(std::uint32_t n);
    double (*usableFraction)(double n);
    std::string_view message;
};

// clang-format off
constexpr std::array<RaidRule, 7> kRaidRules{{
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

RaidEfficiency broken(std::string_view message, MessageSink& messages) {
    messages.show(message);
    return {0.0, true};
}

} // namespace

RaidEfficiency raidEfficiency(std::int32_t raidType, std::uint32_t disksPerGroup,
                              MessageSink& messages) {
    if (disksPerGroup == 0) {
        return {}; // a row left at zero disks is silently worth nothing
    }
    if (disksPerGroup > kMaxDisksPerGroup) {
        return broken("Error: Max disks per group is 16", messages);
    }
    if (raidType < 0 || raidType >= static_cast<std::int32_t>(kRaidRules.size())) {
        return {}; // no RAID type chosen yet
    }
    const RaidRule& rule = kRaidRules[static_cast<std::size_t>(raidType)];
    if (!rule.accepts(disksPerGroup)) {
        return broken(rule.message, messages);
    }
    return {rule.usableFraction(static_cast<double>(disksPerGroup)), false};
}

} // namespace brim
