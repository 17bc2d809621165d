#pragma once

#include "core/catalogue.h"
#include "core/raid_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brim {

// The four preset buttons: each fills the definitions with a typical layout.
struct Preset {
    std::string_view caption;
    int controlId;
    std::uint32_t disksPerGroup;
    std::int32_t diskType;
    std::int32_t raidType;
};

// clang-format off
// Left to right on screen.
inline constexpr std::array<Preset, 4> kPresets{{
    // caption        button  disks/group  disk type               RAID type
    {"Low Cost",     1093,   9,           diskIndex("450 G FC"),  raidIndex("RAID5")},
    {"Cheap IOPS",   1095,   5,           diskIndex("300 G FC"),  raidIndex("RAID5")},
    {"Max IOPS",     1094,   4,           diskIndex("146 G FC"),  raidIndex("RAID1/0")},
    {"BU 2 Disk",    1098,   5,           diskIndex("1 TB ATA"),  raidIndex("RAID5")},
}};
// clang-format on

// Every preset writes only values that the copy-in validations and the RAID rules accept:
// a disk type of the catalogue that every family offers, a RAID type other than
// the two locking ones, and a disks-per-group count within the range check.
constexpr bool presetIsValid(const Preset& preset) noexcept {
    if (preset.diskType < 0 || preset.diskType >= static_cast<std::int32_t>(kDiskTypes.size()) ||
        preset.raidType < 0 || preset.raidType >= static_cast<std::int32_t>(kRaidTypes.size()) ||
        preset.raidType == kRaidTypeRaid1 || preset.raidType == kRaidTypeIndivDisk ||
        preset.disksPerGroup < 1 || preset.disksPerGroup > kMaxDisksPerGroup) {
        return false;
    }
    for (const std::uint32_t kib :
         kDiskTypes[static_cast<std::size_t>(preset.diskType)].usableKib) {
        if (kib == 0) {
            return false;
        }
    }
    return true;
}

constexpr bool allPresetsValid() noexcept {
    for (const Preset& preset : kPresets) {
        if (!presetIsValid(preset)) {
            return false;
        }
    }
    return true;
}
static_assert(allPresetsValid(), "a preset writes a value that the rules refuse");

} // namespace brim
