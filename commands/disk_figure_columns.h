#pragma once

// The per-disk figures the planner edits in Sheet Performance, one record a column: what the
// heading and a refusal call it, the range it takes, and where it is read and stored. A new
// figure is a new record (and its name in FigureColumn).

#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brim {

enum class FigureColumn : std::uint8_t {
    DiskType,
    RandomIops,
    SequentialMbps,
    ReadErrorExponent,
    RebuildMbps,
    AnnualFailure,
    Price,
};

// How a figure is typed and shown: a whole number, a power of ten ("10^16", typed with or
// without the "10^"), or a decimal with up to two places, held in hundredths ("2.5" for 250).
enum class FigureForm : std::uint8_t { Whole, PowerOfTen, Hundredths };

struct DiskFigureColumn {
    FigureColumn column;
    std::string_view heading; // "\n" sets it on two lines, to keep a narrow column narrow
    std::string_view name;    // what a refusal calls the figure
    AllowedRange<std::int64_t> range;
    // nullptr for the disk type's own column; a disk type outside the table reads 0.
    std::int64_t (*value)(const PlanningAssumptions&, int diskType);
    bool (*store)(PlanningAssumptions&, int diskType, std::int64_t);
    FigureForm form;
};

// The readers and writers of a DiskFigures member, for the records below.
template <auto Member> std::int64_t diskFigure(const PlanningAssumptions& a, int diskType) {
    const DiskFigures* figures = a.disks.figures(diskType);
    return figures ? static_cast<std::int64_t>(figures->*Member) : 0;
}
template <auto Setter>
bool storeDiskFigure(PlanningAssumptions& a, int diskType, std::int64_t value) {
    return (a.disks.*Setter)(diskType, value);
}
inline std::int64_t diskPrice(const PlanningAssumptions& a, int diskType) {
    return a.prices.diskHundredths(diskType);
}
inline bool storeDiskPrice(PlanningAssumptions& a, int diskType, std::int64_t hundredths) {
    return a.prices.setDiskHundredths(diskType, hundredths);
}

template <typename T> constexpr AllowedRange<std::int64_t> widened(AllowedRange<T> range) {
    return {static_cast<std::int64_t>(range.lowest), static_cast<std::int64_t>(range.highest)};
}

// clang-format off
inline constexpr std::array kDiskFigureColumns{
    DiskFigureColumn{FigureColumn::DiskType, "Disk type", {}, {0, 0}, nullptr, nullptr,
        FigureForm::Whole},
    DiskFigureColumn{FigureColumn::RandomIops, "IOPS", "IOPS", widened(kRandomIopsRange),
        diskFigure<&DiskFigures::randomIops>, storeDiskFigure<&DiskAssumptions::setRandomIops>,
        FigureForm::Whole},
    DiskFigureColumn{FigureColumn::SequentialMbps, "MB/s", "MB/s", widened(kSequentialMbpsRange),
        diskFigure<&DiskFigures::sequentialMbps>,
        storeDiskFigure<&DiskAssumptions::setSequentialMbps>, FigureForm::Whole},
    DiskFigureColumn{FigureColumn::ReadErrorExponent, "Bits per\nread error", "read-error rate",
        widened(kReadErrorExponentRange), diskFigure<&DiskFigures::readErrorExponent>,
        storeDiskFigure<&DiskAssumptions::setReadErrorExponent>, FigureForm::PowerOfTen},
    DiskFigureColumn{FigureColumn::RebuildMbps, "Rebuild\nMB/s", "rebuild MB/s",
        widened(kRebuildMbpsRange), diskFigure<&DiskFigures::rebuildMbps>,
        storeDiskFigure<&DiskAssumptions::setRebuildMbps>, FigureForm::Whole},
    DiskFigureColumn{FigureColumn::AnnualFailure, "AFR %", "AFR %",
        widened(kAnnualFailureHundredthsRange), diskFigure<&DiskFigures::annualFailureHundredths>,
        storeDiskFigure<&DiskAssumptions::setAnnualFailureHundredths>, FigureForm::Hundredths},
    DiskFigureColumn{FigureColumn::Price, "Price", "price", kPriceHundredthsRange, diskPrice,
        storeDiskPrice, FigureForm::Hundredths},
};
// clang-format on
inline constexpr std::size_t kFigureColumnCount = kDiskFigureColumns.size();

constexpr bool recordsInColumnOrder() noexcept {
    for (std::size_t i = 0; i < kDiskFigureColumns.size(); ++i) {
        if (static_cast<std::size_t>(kDiskFigureColumns[i].column) != i) {
            return false;
        }
    }
    return true;
}
static_assert(recordsInColumnOrder(), "a figure column's record stands at its position");

constexpr const DiskFigureColumn& figureColumn(FigureColumn column) noexcept {
    return kDiskFigureColumns[static_cast<std::size_t>(column)];
}

} // namespace brim
