#pragma once

#include "core/planning_assumptions.h"

#include <cstdint>

namespace brim {

// What one failed disk costs a group: how long the array takes to rebuild it, and the chance
// that the rebuild meets a sector it cannot read, which then loses data.

enum class RebuildCase : std::uint8_t {
    NoLayout,     // no RAID type chosen, or no disks: nothing to say
    NoRedundancy, // RAID0, IndivDisk: a failed disk loses the group's data, nothing rebuilds
    Rebuilds,
};

struct RebuildRisk {
    RebuildCase kind = RebuildCase::NoLayout;
    double hours = 0.0;     // to rebuild one failed disk
    double bytesRead = 0.0; // from the disks left, in the rebuild whose risk counts
    double chance = 0.0;    // of an unrecoverable read on the way, 0 to 1
    int failedDisks = 1;    // disks already failed in that rebuild: 2 for RAID6
};

// Hours to rebuild one disk of `diskBytes` usable bytes at `rebuildMbps` MB/s (MB = 2^20
// bytes). 0 at a rate of 0.
double rebuildHours(double diskBytes, std::uint32_t rebuildMbps) noexcept;

// 1 - (1 - 10^-E)^bits for the bits of `bytesRead`, computed so that a small chance keeps its
// digits; 0 when nothing is read.
double unrecoverableReadChance(double bytesRead, int readErrorExponent) noexcept;

// One group of `disks` disks of `diskKib` usable KiB each (the KiB Compute sizes the row with,
// vault reservation taken off where the row holds the vault).
RebuildRisk rebuildRisk(std::int32_t raidType, std::uint32_t disks, std::uint32_t diskKib,
                        const DiskFigures& figures) noexcept;

} // namespace brim
