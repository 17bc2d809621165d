#pragma once

#include "catalogue.h"

#include <array>
#include <cstdint>

namespace brim {

// The figures a workload, spare or rebuild plan rests on that no catalogue can know: what the
// drives being bought deliver, how many spares the planner keeps, how the host mixes reads and
// writes. Each starts at a rule of thumb and may be changed within its range; a setter refuses
// a value outside it, keeps the old one and says whether it took the new one.

template <typename T> struct AllowedRange {
    T lowest;
    T highest;
    constexpr bool holds(std::int64_t value) const noexcept {
        return value >= static_cast<std::int64_t>(lowest) &&
               value <= static_cast<std::int64_t>(highest);
    }
};

inline constexpr AllowedRange<std::uint32_t> kRandomIopsRange{1, 100'000};
inline constexpr AllowedRange<std::uint32_t> kSequentialMbpsRange{1, 10'000};
inline constexpr AllowedRange<int> kReadErrorExponentRange{12, 18};
inline constexpr AllowedRange<std::uint32_t> kRebuildMbpsRange{1, 10'000};
inline constexpr AllowedRange<std::uint32_t> kDisksPerSpareRange{1, 1'000};
inline constexpr AllowedRange<std::uint32_t> kMinSparesPerTypeRange{0, 100};
inline constexpr AllowedRange<int> kReadPercentRange{0, 100};

// What one disk of a type delivers, as the planner assumes it.
struct DiskFigures {
    std::uint32_t randomIops = 0;     // small random operations per second
    std::uint32_t sequentialMbps = 0; // streaming MB/s
    int readErrorExponent = 0;        // one unrecoverable read error per 10^E bits read
    std::uint32_t rebuildMbps = 0;    // MB/s the array rebuilds a failed disk at

    friend bool operator==(const DiskFigures&, const DiskFigures&) = default;
};

// clang-format off
// Rules of thumb by drive class; the error rates are the class figures of drive data sheets.
//                                          IOPS  MB/s  error 10^E  rebuild MB/s
inline constexpr DiskFigures kFcSasDefaults{180,  90,   16,         50};
inline constexpr DiskFigures kAtaDefaults  { 80,  60,   15,         50};
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

    bool setRandomIops(int diskType, std::int64_t iops) noexcept;
    bool setSequentialMbps(int diskType, std::int64_t mbps) noexcept;
    bool setReadErrorExponent(int diskType, std::int64_t exponent) noexcept;
    bool setRebuildMbps(int diskType, std::int64_t mbps) noexcept;

    void restoreDefaults() noexcept;

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

private:
    int readPercent_ = kDefaultReadPercent;
};

// Everything the planner assumes, as the windows hold and edit it while the program runs.
struct PlanningAssumptions {
    DiskAssumptions disks;
    SparePolicy spares;
    Workload workload;
};

} // namespace brim
