#pragma once

#include "core/catalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brim {

// How many of a group's N disks take part in a piece of work.
enum class GroupDisks : std::uint8_t { None, One, Half, AllButTwo, AllButOne, All };

constexpr double disksOf(GroupDisks share, double n) noexcept {
    switch (share) {
    case GroupDisks::One:
        return 1.0;
    case GroupDisks::Half:
        return n / 2.0;
    case GroupDisks::AllButTwo:
        return n - 2.0;
    case GroupDisks::AllButOne:
        return n - 1.0;
    case GroupDisks::All:
        return n;
    case GroupDisks::None:
        break;
    }
    return 0.0;
}

// Per RAID type: the disks that carry one read stream and one write stream (parity and mirror
// copies carry no data of their own), and the disks read to rebuild one failed disk.
struct RaidDiskUse {
    std::string_view raid; // the picker name, so that the rows line up with the catalogue's
    GroupDisks readStream;
    GroupDisks writeStream;
    GroupDisks readToRebuild;
};

// clang-format off
// A mirror rebuilds from the other copy; RAID0 and IndivDisk have no redundancy to rebuild from.
// A RAID6 rebuild with one disk failed still corrects an unreadable sector from the second
// parity, so the read whose risk counts is the one with two disks failed.
inline constexpr std::array<RaidDiskUse, 7> kRaidDiskUse{{
    // RAID type   read stream            write stream           read to rebuild one disk
    {"RAID0",     GroupDisks::All,       GroupDisks::All,       GroupDisks::None},
    {"RAID1",     GroupDisks::All,       GroupDisks::Half,      GroupDisks::One},
    {"RAID1/0",   GroupDisks::All,       GroupDisks::Half,      GroupDisks::One},
    {"RAID3",     GroupDisks::AllButOne, GroupDisks::AllButOne, GroupDisks::AllButOne},
    {"RAID5",     GroupDisks::AllButOne, GroupDisks::AllButOne, GroupDisks::AllButOne},
    {"RAID6",     GroupDisks::AllButTwo, GroupDisks::AllButTwo, GroupDisks::AllButTwo},
    {"IndivDisk", GroupDisks::One,       GroupDisks::One,       GroupDisks::None},
}};
// clang-format on

constexpr bool linesUpWithCatalogue() noexcept {
    if (kRaidDiskUse.size() != kRaidTypes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kRaidTypes.size(); ++i) {
        if (kRaidDiskUse[i].raid != kRaidTypes[i].pickerName) {
            return false;
        }
    }
    return true;
}
static_assert(linesUpWithCatalogue(), "kRaidDiskUse must follow kRaidTypes row for row");

// nullptr for an index outside the table, such as no RAID type chosen.
constexpr const RaidDiskUse* raidDiskUse(std::int32_t raidType) noexcept {
    return raidType >= 0 && static_cast<std::size_t>(raidType) < kRaidDiskUse.size()
               ? &kRaidDiskUse[static_cast<std::size_t>(raidType)]
               : nullptr;
}

} // namespace brim
