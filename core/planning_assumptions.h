#pragma once

#include "core/allowed_range.h"
#include "core/catalogue.h"
#include "core/growth_figures.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace brim {

// The figures a workload, spare or rebuild plan rests on that no catalogue can know: what the
// drives being bought deliver, how many spares the planner keeps, how the host mixes reads and
// writes. Each starts at a rule of thumb and may be changed within its range; a setter refuses
// a value outside it, keeps the old one and says whether it took the new one.

inline constexpr AllowedRange<std::uint32_t> kRandomIopsRange{1, 100'000};
inline constexpr AllowedRange<std::uint32_t> kSequentialMbpsRange{1, 10'000};
inline constexpr AllowedRange<int> kReadErrorExponentRange{12, 18};
inline constexpr AllowedRange<std::uint32_t> kRebuildMbpsRange{1, 10'000};
inline constexpr AllowedRange<std::uint32_t> kDisksPerSpareRange{1, 1'000};
inline constexpr AllowedRange<std::uint32_t> kMinSparesPerTypeRange{0, 100};
inline constexpr AllowedRange<int> kReadPercentRange{0, 100};
// Decimal figures are kept in hundredths, so that what the planner typed is held exactly.
inline constexpr AllowedRange<std::uint32_t> kAnnualFailureHundredthsRange{1, 5'000}; // 0.01-50 %
inline constexpr AllowedRange<int> kHoursBeforeRebuildRange{0, 720};
inline constexpr AllowedRange<std::int64_t> kPriceHundredthsRange{0, 100'000'000'000}; // 0-1e9
inline constexpr AllowedRange<std::uint32_t> kDiskWattsTenthsRange{0, 1'000};          // 0-100.0 W
inline constexpr AllowedRange<std::uint32_t> kArrayWattsRange{0, 100'000};

// What one disk of a type delivers, as the planner assumes it.
struct DiskFigures {
    std::uint32_t randomIops = 0;              // small random operations per second
    std::uint32_t sequentialMbps = 0;          // streaming MB/s
    int readErrorExponent = 0;                 // one unrecoverable read error per 10^E bits read
    std::uint32_t rebuildMbps = 0;             // MB/s the array rebuilds a failed disk at
    std::uint32_t annualFailureHundredths = 0; // AFR in hundredths of a percent: 300 = 3 %
    std::uint32_t wattsTenths = 0;             // power drawn, in tenths of a watt: 120 = 12 W

    // The AFR as a share of the disks, 0 to 1: 0.03 for 3 %.
    constexpr double annualFailureRate() const noexcept {
        return static_cast<double>(annualFailureHundredths) / 10'000.0;
    }
    constexpr double watts() const noexcept { return static_cast<double>(wattsTenths) / 10.0; }

    friend bool operator==(const DiskFigures&, const DiskFigures&) = default;
};

// clang-format off
// Rules of thumb by drive class; the error rates are the class figures of drive data sheets. The
// failure rates are those of large field studies of disk replacements (2-4 % a year), not the
// 0.4-1.1 % that data sheets claim. The watts are the mid-point of idle and active power in drive
// makers' manuals: 15k FC/SAS 3.5-inch and 7.2k enterprise ATA.
//                                          IOPS  MB/s  error 10^E  rebuild MB/s  AFR 0.01 %  W 0.1
inline constexpr DiskFigures kFcSasDefaults{180,  90,   16,         50,           200,        120};
inline constexpr DiskFigures kAtaDefaults  { 80,  60,   15,         50,           300,        100};
// clang-format on

// The default figures of a disk type, by its class.
constexpr const DiskFigures& defaultFigures(const DiskType& disk) noexcept {
    return disk.isAta ? kAtaDefaults : kFcSasDefaults;
}

// One record of figures per disk type of the catalogue, in catalogue order.
class DiskAssumptions {
public:
    DiskAssumptions() noexcept;

    // nullptr for an index outside the disk table.
    const DiskFigures* figures(int diskType) const noexcept;

    // Sets one member of a type's figures when the value is in `range`; the planning figure
    // records (planning_figures.h) set every figure this way.
    template <auto Member, typename T>
    bool set(int diskType, std::int64_t value, const AllowedRange<T>& range) noexcept {
        if (diskType < 0 || static_cast<std::size_t>(diskType) >= figures_.size() ||
            !range.holds(value)) {
            return false;
        }
        using Held = std::remove_reference_t<decltype(figures_[0].*Member)>;
        figures_[static_cast<std::size_t>(diskType)].*Member = static_cast<Held>(value);
        return true;
    }

    bool setRandomIops(int diskType, std::int64_t iops) noexcept;
    bool setSequentialMbps(int diskType, std::int64_t mbps) noexcept;
    bool setReadErrorExponent(int diskType, std::int64_t exponent) noexcept;
    bool setRebuildMbps(int diskType, std::int64_t mbps) noexcept;
    bool setAnnualFailureHundredths(int diskType, std::int64_t hundredths) noexcept;

    // Every figure of every type back to its default, the failure rates too.
    void restoreDefaults() noexcept;

    friend bool operator==(const DiskAssumptions&, const DiskAssumptions&) = default;

private:
    std::array<DiskFigures, kDiskTypes.size()> figures_{};
};

// Hot spares are kept per disk type for the whole plan, not per array: one per `disksPerSpare`
// disks of a type in use, and never fewer than `minSparesPerType` of it.
class SparePolicy {
public:
    static constexpr std::uint32_t kDefaultDisksPerSpare = 30;
    static constexpr std::uint32_t kDefaultMinSparesPerType = 1;

    std::uint32_t disksPerSpare() const noexcept { return disksPerSpare_; }
    std::uint32_t minSparesPerType() const noexcept { return minSparesPerType_; }
    bool setDisksPerSpare(std::int64_t disks) noexcept;
    bool setMinSparesPerType(std::int64_t spares) noexcept;
    void restoreDefaults() noexcept;

    friend bool operator==(const SparePolicy&, const SparePolicy&) = default;

private:
    std::uint32_t disksPerSpare_ = kDefaultDisksPerSpare;
    std::uint32_t minSparesPerType_ = kDefaultMinSparesPerType;
};

// The host's mix of reads and writes, typed as a whole "% reads".
class Workload {
public:
    static constexpr int kDefaultReadPercent = 70;

    int readPercent() const noexcept { return readPercent_; }
    // The read share r, 0 to 1; the write share is 1 - r.
    double readShare() const noexcept { return readPercent_ / 100.0; }
    bool setReadPercent(std::int64_t percent) noexcept;

    friend bool operator==(const Workload&, const Workload&) = default;

private:
    int readPercent_ = kDefaultReadPercent;
};

// How long a failed disk waits before its rebuild starts: 0 with a hot spare in place, longer
// when someone must bring a disk. The group runs without its redundancy for that time too.
class RebuildWait {
public:
    static constexpr int kDefaultHoursBeforeRebuild = 0;

    int hoursBeforeRebuild() const noexcept { return hoursBeforeRebuild_; }
    bool setHoursBeforeRebuild(std::int64_t hours) noexcept;
    void restoreDefaults() noexcept;

    friend bool operator==(const RebuildWait&, const RebuildWait&) = default;

private:
    int hoursBeforeRebuild_ = kDefaultHoursBeforeRebuild;
};

// The planner's prices in the currency of the quote, in hundredths so that they are exact: one
// per disk of each type and one per array of each model. 0 means not priced. Restoring the
// default figures leaves them alone: a price is the planner's own, not a rule of thumb.
class Prices {
public:
    // 0 for an index outside its table, as for a type not priced.
    std::int64_t diskHundredths(int diskType) const noexcept;
    std::int64_t arrayHundredths(int modelIndex) const noexcept;
    bool setDiskHundredths(int diskType, std::int64_t hundredths) noexcept;
    bool setArrayHundredths(int modelIndex, std::int64_t hundredths) noexcept;

    friend bool operator==(const Prices&, const Prices&) = default;

private:
    std::array<std::int64_t, kDiskTypes.size()> disks_{};
    std::array<std::int64_t, kArrayModels.size()> arrays_{};
};

// The power one array of each model draws, enclosures and controllers, in whole watts; 0 until the
// planner types it: an enclosure draws what its maker says, not what its disks do. Like a price it
// is the planner's own, and restoring the disks' defaults leaves it alone.
class ArrayPower {
public:
    // 0 for an index outside the model table.
    std::uint32_t watts(int modelIndex) const noexcept;
    bool setWatts(int modelIndex, std::int64_t watts) noexcept;

    friend bool operator==(const ArrayPower&, const ArrayPower&) = default;

private:
    std::array<std::uint32_t, kArrayModels.size()> watts_{};
};

// Everything the planner assumes, as the windows hold and edit it while the program runs.
struct PlanningAssumptions {
    DiskAssumptions disks;
    SparePolicy spares;
    Workload workload;
    RebuildWait rebuildWait;
    Prices prices;
    ArrayPower arrayPower;
    GrowthFigures growth;

    friend bool operator==(const PlanningAssumptions&, const PlanningAssumptions&) = default;
};

// A decimal figure as typed (an AFR, a price): a plain decimal with a point ("1520", "1520.5",
// ".5"; blanks around it allowed), held in hundredths. Signs, exponents, commas and letters are
// not a number; digits after the second decimal are allowed only as zeros ("2.500").
enum class DecimalRefusal : std::uint8_t { None, NotANumber, TooManyDecimals, OutOfRange };

// The refusals are checked in that order: a number first, then its decimals, then its range.
struct HundredthsParse {
    std::int64_t hundredths = 0; // 0 when refused
    DecimalRefusal refusal = DecimalRefusal::None;
    bool taken() const noexcept { return refusal == DecimalRefusal::None; }
};

HundredthsParse parseHundredths(std::string_view text,
                                const AllowedRange<std::int64_t>& range) noexcept;

// The watts one disk of a type draws and one array of a model; 0 outside their tables.
double diskWatts(const PlanningAssumptions& assumptions, int diskType) noexcept;
double arrayWatts(const PlanningAssumptions& assumptions, int modelIndex) noexcept;

// The same for a decimal of up to `decimals` places, held in steps of 10^-decimals ("20.5" with
// one place is 205). A minus sign is taken only where the range goes below 0.
HundredthsParse parseDecimal(std::string_view text, int decimals,
                             const AllowedRange<std::int64_t>& range) noexcept;

template <typename T>
HundredthsParse parseHundredths(std::string_view text, const AllowedRange<T>& range) noexcept {
    return parseHundredths(text,
                           AllowedRange<std::int64_t>{static_cast<std::int64_t>(range.lowest),
                                                      static_cast<std::int64_t>(range.highest)});
}

} // namespace brim
