#include "core/rebuild_risk.h"

#include "core/catalogue.h"
#include "core/raid_disk_use.h"
#include "core/units.h"

#include <cmath>

namespace brim {
namespace {

constexpr double kBitsPerByte = 8.0;

// Every power of ten up to 10^22 is exact in a double, and so is each product on the way.
double powerOfTen(int exponent) noexcept {
    double value = 1.0;
    for (int i = 0; i < exponent; ++i) {
        value *= 10.0;
    }
    return value;
}

} // namespace

double rebuildHours(double diskBytes, std::uint32_t rebuildMbps) noexcept {
    if (rebuildMbps == 0) {
        return 0.0;
    }
    return diskBytes / (static_cast<double>(rebuildMbps) * kBytesPerMb) / kSecondsPerHour;
}

double unrecoverableReadChance(double bytesRead, int readErrorExponent) noexcept {
    if (!(bytesRead > 0.0)) {
        return 0.0;
    }
    const double bits = kBitsPerByte * bytesRead;
    // (1 - p)^bits as exp(bits × log(1 - p)): with p near 10^-16, 1 - p itself would lose the
    // very digits the answer is made of.
    return -std::expm1(bits * std::log1p(-1.0 / powerOfTen(readErrorExponent)));
}

RebuildRisk rebuildRisk(std::int32_t raidType, std::uint32_t disks, std::uint32_t diskKib,
                        const DiskFigures& figures) noexcept {
    RebuildRisk risk;
    const RaidDiskUse* use = raidDiskUse(raidType);
    if (!use || disks == 0) {
        return risk;
    }
    if (use->readToRebuild == GroupDisks::None) {
        risk.kind = RebuildCase::NoRedundancy;
        return risk;
    }
    const double diskBytes = static_cast<double>(diskKib) * kBytesPerKib;
    risk.kind = RebuildCase::Rebuilds;
    risk.hours = rebuildHours(diskBytes, figures.rebuildMbps);
    risk.bytesRead = disksOf(use->readToRebuild, static_cast<double>(disks)) * diskBytes;
    risk.chance = unrecoverableReadChance(risk.bytesRead, figures.readErrorExponent);
    risk.failedDisks = Catalogue::failuresSurvived(raidType);
    return risk;
}

} // namespace brim
