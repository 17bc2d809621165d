#include "planning_assumptions.h"

#include <cstddef>

namespace brim {
namespace {

template <typename T, typename Field>
bool setWithin(const AllowedRange<T>& range, std::int64_t value, Field& field) noexcept {
    if (!range.holds(value)) {
        return false;
    }
    field = static_cast<Field>(value);
    return true;
}

bool inDiskTable(int diskType) noexcept {
    return diskType >= 0 && static_cast<std::size_t>(diskType) < kDiskTypes.size();
}

} // namespace

DiskAssumptions::DiskAssumptions() noexcept {
    restoreDefaults();
}

void DiskAssumptions::restoreDefaults() noexcept {
    for (std::size_t i = 0; i < kDiskTypes.size(); ++i) {
        figures_[i] = defaultFigures(kDiskTypes[i]);
    }
}

const DiskFigures* DiskAssumptions::figures(int diskType) const noexcept {
    return inDiskTable(diskType) ? &figures_[static_cast<std::size_t>(diskType)] : nullptr;
}

bool DiskAssumptions::setRandomIops(int diskType, std::int64_t iops) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kRandomIopsRange, iops,
                     figures_[static_cast<std::size_t>(diskType)].randomIops);
}

bool DiskAssumptions::setSequentialMbps(int diskType, std::int64_t mbps) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kSequentialMbpsRange, mbps,
                     figures_[static_cast<std::size_t>(diskType)].sequentialMbps);
}

bool DiskAssumptions::setReadErrorExponent(int diskType, std::int64_t exponent) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kReadErrorExponentRange, exponent,
                     figures_[static_cast<std::size_t>(diskType)].readErrorExponent);
}

bool DiskAssumptions::setRebuildMbps(int diskType, std::int64_t mbps) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kRebuildMbpsRange, mbps,
                     figures_[static_cast<std::size_t>(diskType)].rebuildMbps);
}

bool SparePolicy::setDisksPerSpare(std::int64_t disks) noexcept {
    return setWithin(kDisksPerSpareRange, disks, disksPerSpare_);
}

bool SparePolicy::setMinSparesPerType(std::int64_t spares) noexcept {
    return setWithin(kMinSparesPerTypeRange, spares, minSparesPerType_);
}

void SparePolicy::restoreDefaults() noexcept {
    disksPerSpare_ = kDefaultDisksPerSpare;
    minSparesPerType_ = kDefaultMinSparesPerType;
}

bool Workload::setReadPercent(std::int64_t percent) noexcept {
    return setWithin(kReadPercentRange, percent, readPercent_);
}

} // namespace brim
