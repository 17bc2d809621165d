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
    return set<&DiskFigures::randomIops>(diskType, iops, kRandomIopsRange);
}

bool DiskAssumptions::setSequentialMbps(int diskType, std::int64_t mbps) noexcept {
    return set<&DiskFigures::sequentialMbps>(diskType, mbps, kSequentialMbpsRange);
}

bool DiskAssumptions::setReadErrorExponent(int diskType, std::int64_t exponent) noexcept {
    return set<&DiskFigures::readErrorExponent>(diskType, exponent, kReadErrorExponentRange);
}

bool DiskAssumptions::setRebuildMbps(int diskType, std::int64_t mbps) noexcept {
    return set<&DiskFigures::rebuildMbps>(diskType, mbps, kRebuildMbpsRange);
}

bool DiskAssumptions::setAnnualFailureHundredths(int diskType, std::int64_t hundredths) noexcept {
    return set<&DiskFigures::annualFailureHundredths>(diskType, hundredths,
                                                      kAnnualFailureHundredthsRange);
}

std::uint32_t ArrayPower::watts(int modelIndex) const noexcept {
    return inTable(kArrayModels, modelIndex) ? watts_[static_cast<std::size_t>(modelIndex)] : 0;
}

bool ArrayPower::setWatts(int modelIndex, std::int64_t watts) noexcept {
    return inTable(kArrayModels, modelIndex) &&
           setWithin(kArrayWattsRange, watts, watts_[static_cast<std::size_t>(modelIndex)]);
}

double diskWatts(const PlanningAssumptions& assumptions, int diskType) noexcept {
    const DiskFigures* figures = assumptions.disks.figures(diskType);
    return figures ? figures->watts() : 0.0;
}

double arrayWatts(const PlanningAssumptions& assumptions, int modelIndex) noexcept {
    return static_cast<double>(assumptions.arrayPower.watts(modelIndex));
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

HundredthsParse parseDecimal(std::string_view text, int decimals,
                             const AllowedRange<std::int64_t>& range) noexcept {
    std::string_view number = trimBlanks(text);
    // A sign only where the range goes below 0: a price of "-0" is no price.
    const bool negative = range.lowest < 0 && number.starts_with('-');
    if (negative) {
        number.remove_prefix(1);
    }
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
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction)) {
        return {0, DecimalRefusal::NotANumber};
    }
    const auto places = static_cast<std::size_t>(decimals);
    for (std::size_t i = places; i < fraction.size(); ++i) {
        if (fraction[i] != '0') {
            return {0, DecimalRefusal::TooManyDecimals};
        }
    }
    std::int64_t step = 1;
    for (std::size_t i = 0; i < places; ++i) {
        step *= 10;
    }
    const std::int64_t largestWhole = (std::numeric_limits<std::int64_t>::max() - step) / step;
    std::int64_t wholePart = 0;
    for (const char c : whole) {
        wholePart = wholePart * 10 + (c - '0');
        if (wholePart > largestWhole) {
            return {0, DecimalRefusal::OutOfRange};
        }
    }
    std::int64_t held = wholePart * step;
    std::int64_t place = step;
    for (std::size_t i = 0; i < places && i < fraction.size(); ++i) {
        place /= 10;
        held += (fraction[i] - '0') * place;
    }
    if (negative) {
        held = -held;
    }
    if (!range.holds(held)) {
        return {0, DecimalRefusal::OutOfRange};
    }
    return {held, DecimalRefusal::None};
}

HundredthsParse parseHundredths(std::string_view text,
                                const AllowedRange<std::int64_t>& range) noexcept {
    return parseDecimal(text, 2, range);
}

} // namespace brim
