#include "core/planning_assumptions.h"

#include "core/blanks.h"

#include <cstddef>
#include <limits>

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

template <typename Table> bool inTable(const Table& table, int index) noexcept {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

bool inDiskTable(int diskType) noexcept {
    return inTable(kDiskTypes, diskType);
}

// Whole parts beyond this would overflow once counted in hundredths; every range ends far below.
constexpr std::int64_t kLargestWholePart = (std::numeric_limits<std::int64_t>::max() - 99) / 100;

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

bool DiskAssumptions::setAnnualFailureHundredths(int diskType, std::int64_t hundredths) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kAnnualFailureHundredthsRange, hundredths,
                     figures_[static_cast<std::size_t>(diskType)].annualFailureHundredths);
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

bool RebuildWait::setHoursBeforeRebuild(std::int64_t hours) noexcept {
    return setWithin(kHoursBeforeRebuildRange, hours, hoursBeforeRebuild_);
}

void RebuildWait::restoreDefaults() noexcept {
    hoursBeforeRebuild_ = kDefaultHoursBeforeRebuild;
}

std::int64_t Prices::diskHundredths(int diskType) const noexcept {
    return inDiskTable(diskType) ? disks_[static_cast<std::size_t>(diskType)] : 0;
}

std::int64_t Prices::arrayHundredths(int modelIndex) const noexcept {
    return inTable(kArrayModels, modelIndex) ? arrays_[static_cast<std::size_t>(modelIndex)] : 0;
}

bool Prices::setDiskHundredths(int diskType, std::int64_t hundredths) noexcept {
    return inDiskTable(diskType) &&
           setWithin(kPriceHundredthsRange, hundredths, disks_[static_cast<std::size_t>(diskType)]);
}

bool Prices::setArrayHundredths(int modelIndex, std::int64_t hundredths) noexcept {
    return inTable(kArrayModels, modelIndex) &&
           setWithin(kPriceHundredthsRange, hundredths,
                     arrays_[static_cast<std::size_t>(modelIndex)]);
}

HundredthsParse parseHundredths(std::string_view text,
                                const AllowedRange<std::int64_t>& range) noexcept {
    const std::string_view number = trimBlanks(text);
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : number.substr(point + 1);
    const auto allDigits = [](std::string_view digits) {
        for (const char c : digits) {
            if (!isDigit(c)) {
                return false;
            }
        }
        return true;
    };
    if (whole.empty() && fraction.empty()) {
        return {0, DecimalRefusal::NotANumber};
    }
    if (!allDigits(whole) || !allDigits(fraction)) {
        return {0, DecimalRefusal::NotANumber};
    }
    for (std::size_t i = 2; i < fraction.size(); ++i) {
        if (fraction[i] != '0') {
            return {0, DecimalRefusal::TooManyDecimals};
        }
    }
    std::int64_t wholePart = 0;
    for (const char c : whole) {
        wholePart = wholePart * 10 + (c - '0');
        if (wholePart > kLargestWholePart) {
            return {0, DecimalRefusal::OutOfRange};
        }
    }
    std::int64_t hundredths = wholePart * 100;
    if (!fraction.empty()) {
        hundredths += (fraction[0] - '0') * 10;
    }
    if (fraction.size() > 1) {
        hundredths += fraction[1] - '0';
    }
    if (!range.holds(hundredths)) {
        return {0, DecimalRefusal::OutOfRange};
    }
    return {hundredths, DecimalRefusal::None};
}

} // namespace brim
