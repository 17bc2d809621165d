#pragma once

// The workbook's name for each planning figure, one record a figure, walked by the writer and
// the reader. A figure of a disk type is a field of its entry in "planning.disks", a figure of a
// model one of its entry in "planning.arrayPrices", and a program figure a field of "planning"
// itself, or of the group of fields it belongs to ("planning.spares").

#include "core/planning_figures.h"

#include <array>
#include <string_view>

namespace brim {

template <typename Figure> struct FigureKey {
    Figure figure;
    std::string_view key;
    std::string_view group = {}; // the object within "planning" that holds it; none for most
};

// clang-format off
inline constexpr std::array<FigureKey<DiskFigure>, kFigureCount<DiskFigure>> kDiskFigureKeys{{
    {DiskFigure::RandomIops,        "iops"},
    {DiskFigure::SequentialMbps,    "mbps"},
    {DiskFigure::ReadErrorExponent, "readErrorExponent"},
    {DiskFigure::RebuildMbps,       "rebuildMbps"},
    {DiskFigure::AnnualFailure,     "afrPercent"},
    {DiskFigure::Price,             "price"},
}};
inline constexpr std::array<FigureKey<ModelFigure>, kFigureCount<ModelFigure>> kModelFigureKeys{{
    {ModelFigure::ArrayPrice, "price"},
}};
inline constexpr std::array<FigureKey<ProgramFigure>, kFigureCount<ProgramFigure>>
    kProgramFigureKeys{{
    {ProgramFigure::ReadPercent,        "readPercent"},
    {ProgramFigure::DisksPerSpare,      "disksPerSpare",    "spares"},
    {ProgramFigure::MinSparesPerType,   "minSparesPerType", "spares"},
    {ProgramFigure::HoursBeforeRebuild, "hoursBeforeRebuild"},
}};
// clang-format on

// No two figures of one object share a key, nor take the name of the entry's own field.
template <typename Keys> constexpr bool keysApart(const Keys& keys, std::string_view own) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].key.empty() || keys[i].key == own || keys[i].key == keys[i].group) {
            return false;
        }
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            if (keys[i].key == keys[j].key && keys[i].group == keys[j].group) {
                return false;
            }
        }
    }
    return true;
}

static_assert(recordsInFigureOrder(kDiskFigureKeys), "a disk figure's key stands at its place");
static_assert(recordsInFigureOrder(kModelFigureKeys), "a model figure's key stands at its place");
static_assert(recordsInFigureOrder(kProgramFigureKeys),
              "a program figure's key stands at its place");
static_assert(keysApart(kDiskFigureKeys, "diskType"), "a disk's fields have names of their own");
static_assert(keysApart(kModelFigureKeys, "model"), "a model's fields have names of their own");
static_assert(keysApart(kProgramFigureKeys, "disks"),
              "the planning fields have names of their own");

} // namespace brim
