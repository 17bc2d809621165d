#pragma once

// The workbook's names: of its objects and fields, and of each planning figure, one record a
// figure, walked by the writer and the reader. A figure of a disk type is a field of its entry in
// "planning.disks", a figure of a model one of its entry in "planning.arrayPrices", and a program
// figure a field of "planning" itself, or of the group of fields it belongs to ("planning.spares").

#include "core/planner_inputs.h"
#include "core/planning_figures.h"
#include "report/workbook.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace brim {

// The JSON keys of the file's objects. QJsonObject writes its keys in sorted order: "format" and
// "formatVersion" sort first, so the file begins with them.
namespace workbook_keys {
inline constexpr char kFormatKey[] = "format";
inline constexpr char kVersionKey[] = "formatVersion";
inline constexpr char kSheetKey[] = "sheet";
inline constexpr char kPlansKey[] = "plans";
inline constexpr char kPlanningKey[] = "planning";
inline constexpr char kModelKey[] = "model";
inline constexpr char kRowsKey[] = "rows";
inline constexpr char kNameKey[] = "name";
inline constexpr char kDiskTypeKey[] = "diskType";
inline constexpr char kRaidTypeKey[] = "raidType";
inline constexpr char kDisksPerGroupKey[] = "disksPerGroup";
inline constexpr char kGroupsKey[] = "groups";
inline constexpr char kVaultKey[] = "vault";
inline constexpr char kDisksKey[] = "disks";
inline constexpr char kMbpsKey[] = "mbps";
inline constexpr char kArrayPricesKey[] = "arrayPrices";
inline constexpr char kSizingKey[] = "sizing";
inline constexpr char kUnitKey[] = "unit";
inline constexpr char kMinimumFailuresKey[] = "minimumFailures";
inline constexpr char kHostIopsKey[] = "hostIops";
inline constexpr char kMaxLossKey[] = "maxLossPercent";

inline constexpr std::array<std::string_view, 2> kUnitNames{"GB", "TB"}; // in CapacityUnit order

// Size for Capacity's workload fields: kept as the texts the window shows, read as the window
// reads them.
struct WorkloadField {
    const char* key;
    std::string SizingChoices::*text;
    AllowedRange<std::int64_t> range;
    NeedParse (*parse)(std::string_view text);
};

inline constexpr std::array<WorkloadField, 2> kWorkloadFields{{
    {kHostIopsKey, &SizingChoices::hostIopsText, kHostIopsNeedRange, parseHostIopsNeed},
    {kMbpsKey, &SizingChoices::mbpsText, kMbpsNeedRange, parseMbpsNeed},
}};

} // namespace workbook_keys

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
    {DiskFigure::Watts,             "watts"},
    {DiskFigure::Price,             "price"},
}};
inline constexpr std::array<FigureKey<ModelFigure>, kFigureCount<ModelFigure>> kModelFigureKeys{{
    {ModelFigure::ArrayPrice, "price"},
    {ModelFigure::ArrayWatts, "arrayWatts"},
}};
inline constexpr std::array<FigureKey<ProgramFigure>, kFigureCount<ProgramFigure>>
    kProgramFigureKeys{{
    {ProgramFigure::ReadPercent,        "readPercent"},
    {ProgramFigure::DisksPerSpare,      "disksPerSpare",    "spares"},
    {ProgramFigure::MinSparesPerType,   "minSparesPerType", "spares"},
    {ProgramFigure::HoursBeforeRebuild, "hoursBeforeRebuild"},
}};
// The years ahead: the fields of "planning.growth".
inline constexpr std::array<FigureKey<GrowthFigure>, kFigureCount<GrowthFigure>> kGrowthFigureKeys{{
    {GrowthFigure::NeededToday,      "neededTodayTb",           "growth"},
    {GrowthFigure::CapacityGrowth,   "capacityGrowthPercent",   "growth"},
    {GrowthFigure::WorkloadGrowth,   "workloadGrowthPercent",   "growth"},
    {GrowthFigure::Years,            "years",                   "growth"},
    {GrowthFigure::GrowDefinition,   "growDefinition",          "growth"},
    {GrowthFigure::Installed,        "installed",               "growth"},
    {GrowthFigure::DiskPriceChange,  "diskPriceChangePercent",  "growth"},
    {GrowthFigure::ArrayPriceChange, "arrayPriceChangePercent", "growth"},
    {GrowthFigure::EnergyPrice,      "energyPrice",             "growth"},
    {GrowthFigure::Pue,              "pue",                     "growth"},
    {GrowthFigure::Support,          "supportPercent",          "growth"},
}};
inline constexpr std::string_view kGrowthGroup = "growth";
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
static_assert(recordsInFigureOrder(kGrowthFigureKeys),
              "a figure of the years ahead has its key at its place");
static_assert(keysApart(kGrowthFigureKeys, {}), "the growth fields have names of their own");

// The groups of program figures, each once, in the order of their first figure.
inline std::vector<std::string_view> programGroups() {
    std::vector<std::string_view> groups;
    for (const FigureKey<ProgramFigure>& figure : kProgramFigureKeys) {
        if (!figure.group.empty() &&
            std::find(groups.begin(), groups.end(), figure.group) == groups.end()) {
            groups.push_back(figure.group);
        }
    }
    return groups;
}

} // namespace brim
