#pragma once

// The per-disk figures the planner edits in Sheet Performance, one record a column: what the
// heading and a refusal call it, the range it takes, and where it is read and stored. A new
// figure is a new record (and its name in FigureColumn).

#include "planning_assumptions.h"

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
};

struct DiskFigureColumn {
    FigureColumn column;
    std::string_view heading; // "\n" sets it on two lines, to keep a narrow column narrow
    std::string_view name;    // what a refusal calls the figure
    AllowedRange<std::int64_t> range;
    std::int64_t (*value)(const DiskFigures&); // nullptr for the disk type's own column
    bool (DiskAssumptions::*store)(int, std::int64_t) noexcept;
    bool powerOfTen; // shown as "10^16", typed with or without the "10^"
};

template <typename T> constexpr AllowedRange<std::int64_t> widened(AllowedRange<T> range) {
    return {static_cast<std::int64_t>(range.lowest), static_cast<std::int64_t>(range.highest)};
}

// clang-format off
inline constexpr std::array kDiskFigureColumns{
    DiskFigureColumn{FigureColumn::DiskType, "Disk type", {}, {0, 0}, nullptr, nullptr, false},
    DiskFigureColumn{FigureColumn::RandomIops, "IOPS", "IOPS", widened(kRandomIopsRange),
        [](const DiskFigures& f) -> std::int64_t { return f.randomIops; },
        &DiskAssumptions::setRandomIops, false},
    DiskFigureColumn{FigureColumn::SequentialMbps, "MB/s", "MB/s", widened(kSequentialMbpsRange),
        [](const DiskFigures& f) -> std::int64_t { return f.sequentialMbps; },
        &DiskAssumptions::setSequentialMbps, false},
    DiskFigureColumn{FigureColumn::ReadErrorExponent, "Bits per\nread error", "read-error rate",
        widened(kReadErrorExponentRange),
        [](const DiskFigures& f) -> std::int64_t { return f.readErrorExponent; },
        &DiskAssumptions::setReadErrorExponent, true},
    DiskFigureColumn{FigureColumn::RebuildMbps, "Rebuild\nMB/s", "rebuild MB/s",
        widened(kRebuildMbpsRange),
        [](const DiskFigures& f) -> std::int64_t { return f.rebuildMbps; },
        &DiskAssumptions::setRebuildMbps, false},
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
