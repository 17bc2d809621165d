#pragma once

// Every planning figure by its scope, and for each one record of what core knows of it: its
// range, how it is typed and held, its default, and where it is read and set. The other layers
// keep their own record of each figure (the workbook its key, the windows and the printed plan
// their words), each table indexed by these enums and checked complete when it compiles, so that
// the workbook, the editors and the printed assumptions walk the tables instead of naming the
// figures one by one.
//
// A new figure is its member in core (DiskFigures, Prices, a program class), its name below
// before `Count`, and one record in each table: kDiskFigureRules here, the workbook's keys
// (report/workbook_keys.h) and the words (commands/figure_words.h). The figures of the years
// ahead are a scope of their own: the Growth Plan window edits them, Sheet Performance does not.

#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace brim {

// Per disk type. `Count` names no figure: it counts them.
enum class DiskFigure : std::uint8_t {
    RandomIops,
    SequentialMbps,
    ReadErrorExponent,
    RebuildMbps,
    AnnualFailure,
    Watts,
    Price,
    Count
};
// Per array model.
enum class ModelFigure : std::uint8_t { ArrayPrice, ArrayWatts, Count };
// One for the program.
enum class ProgramFigure : std::uint8_t {
    ReadPercent,
    DisksPerSpare,
    MinSparesPerType,
    HoursBeforeRebuild,
    Count
};

// The years ahead, in the order the Growth Plan window takes them.
enum class GrowthFigure : std::uint8_t {
    NeededToday,
    CapacityGrowth,
    WorkloadGrowth,
    Years,
    GrowDefinition,
    Installed,
    DiskPriceChange,
    ArrayPriceChange,
    EnergyPrice,
    Pue,
    Support,
    Count
};

template <typename Figure>
constexpr std::size_t kFigureCount = static_cast<std::size_t>(Figure::Count);

// How a figure is typed, held and shown: a whole number; a power of ten ("10^16", held as 16); a
// decimal with up to `decimals` places, held as a whole number of its smallest step (an AFR of
// 2.5 % as 250 hundredths); yes or no, held as 1 or 0; a definition of the sheet, held as its row
// 1 to 10, or 0 for the largest.
enum class FigureForm : std::uint8_t { Whole, PowerOfTen, Decimal, Flag, Definition };

// A figure that may be left empty holds this while it is.
inline constexpr std::int64_t kEmptyFigure = std::numeric_limits<std::int64_t>::min();

struct FigureRule {
    FigureForm form = FigureForm::Whole;
    int decimals = 0;                 // places a Decimal takes; 0 for the others
    AllowedRange<std::int64_t> range; // in the unit it is held in
    bool mayBeEmpty = false;          // empty means something of its own: kEmptyFigure
};

// A figure's value where it is kept. The index is the disk type or the model; a program figure
// takes none.
template <typename Figure> struct FigureRecord {
    Figure figure;
    FigureRule rule;
    std::int64_t (*value)(const PlanningAssumptions&, int index);
    // False, with the old value kept, for a value outside the range or an index outside its table.
    bool (*store)(PlanningAssumptions&, int index, std::int64_t value);
    std::int64_t (*defaultValue)(int index);
};

template <typename Table> constexpr bool recordsInFigureOrder(const Table& table) noexcept {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].figure) != i) {
            return false;
        }
    }
    return true;
}

// ---- how the records reach the figures ----------------------------------------------------

template <auto Member> std::int64_t diskMember(const PlanningAssumptions& a, int diskType) {
    const DiskFigures* figures = a.disks.figures(diskType);
    return figures ? static_cast<std::int64_t>(figures->*Member) : 0;
}
template <auto Member> std::int64_t defaultDiskMember(int diskType) {
    const DiskType* disk = Catalogue::diskType(diskType);
    return disk ? static_cast<std::int64_t>(defaultFigures(*disk).*Member) : 0;
}
template <auto Member, const auto& Range>
bool storeDiskMember(PlanningAssumptions& a, int diskType, std::int64_t value) {
    return a.disks.set<Member>(diskType, value, Range);
}

inline std::int64_t diskPrice(const PlanningAssumptions& a, int diskType) {
    return a.prices.diskHundredths(diskType);
}
inline bool storeDiskPrice(PlanningAssumptions& a, int diskType, std::int64_t hundredths) {
    return a.prices.setDiskHundredths(diskType, hundredths);
}
inline std::int64_t arrayPrice(const PlanningAssumptions& a, int model) {
    return a.prices.arrayHundredths(model);
}
inline bool storeArrayPrice(PlanningAssumptions& a, int model, std::int64_t hundredths) {
    return a.prices.setArrayHundredths(model, hundredths);
}
constexpr std::int64_t notPriced(int) {
    return 0;
}

// A program figure is kept by one of the assumptions' parts (the spare policy, the workload ...).
template <auto Part, auto Getter> std::int64_t programValue(const PlanningAssumptions& a, int) {
    return static_cast<std::int64_t>(((a.*Part).*Getter)());
}
template <auto Part, auto Setter>
bool storeProgramValue(PlanningAssumptions& a, int, std::int64_t value) {
    return ((a.*Part).*Setter)(value);
}
template <auto Default> constexpr std::int64_t programDefault(int) {
    return static_cast<std::int64_t>(Default);
}

inline std::int64_t arrayWattsOf(const PlanningAssumptions& a, int model) {
    return a.arrayPower.watts(model);
}
inline bool storeArrayWatts(PlanningAssumptions& a, int model, std::int64_t watts) {
    return a.arrayPower.setWatts(model, watts);
}

// A figure of the years ahead is a member of the assumptions' growth figures.
template <auto Member> std::int64_t growthValue(const PlanningAssumptions& a, int) {
    return static_cast<std::int64_t>(a.growth.*Member);
}
template <auto Member, const auto& Range>
bool storeGrowthValue(PlanningAssumptions& a, int, std::int64_t value) {
    if (!Range.holds(value)) {
        return false;
    }
    using Held = std::remove_reference_t<decltype(a.growth.*Member)>;
    a.growth.*Member = static_cast<Held>(value);
    return true;
}
template <auto Member> std::int64_t growthDefault(int) {
    return static_cast<std::int64_t>(GrowthFigures{}.*Member);
}
inline std::int64_t neededToday(const PlanningAssumptions& a, int) {
    return a.growth.neededTodayHundredths.value_or(kEmptyFigure);
}
inline bool storeNeededToday(PlanningAssumptions& a, int, std::int64_t hundredths) {
    if (hundredths == kEmptyFigure) {
        a.growth.neededTodayHundredths.reset();
        return true;
    }
    if (!kNeededTodayHundredthsRange.holds(hundredths)) {
        return false;
    }
    a.growth.neededTodayHundredths = hundredths;
    return true;
}
constexpr std::int64_t nothingNeeded(int) {
    return kEmptyFigure;
}

template <typename T> constexpr AllowedRange<std::int64_t> widened(AllowedRange<T> range) {
    return {static_cast<std::int64_t>(range.lowest), static_cast<std::int64_t>(range.highest)};
}
constexpr FigureRule wholeIn(AllowedRange<std::int64_t> range) {
    return {FigureForm::Whole, 0, range};
}
constexpr FigureRule hundredthsIn(AllowedRange<std::int64_t> range) {
    return {FigureForm::Decimal, 2, range};
}
constexpr FigureRule tenthsIn(AllowedRange<std::int64_t> range) {
    return {FigureForm::Decimal, 1, range};
}

// ---- the records ----------------------------------------------------------------------------

// clang-format off
inline constexpr std::array<FigureRecord<DiskFigure>, kFigureCount<DiskFigure>> kDiskFigureRules{{
    {DiskFigure::RandomIops, wholeIn(widened(kRandomIopsRange)),
        diskMember<&DiskFigures::randomIops>,
        storeDiskMember<&DiskFigures::randomIops, kRandomIopsRange>,
        defaultDiskMember<&DiskFigures::randomIops>},
    {DiskFigure::SequentialMbps, wholeIn(widened(kSequentialMbpsRange)),
        diskMember<&DiskFigures::sequentialMbps>,
        storeDiskMember<&DiskFigures::sequentialMbps, kSequentialMbpsRange>,
        defaultDiskMember<&DiskFigures::sequentialMbps>},
    {DiskFigure::ReadErrorExponent,
        {FigureForm::PowerOfTen, 0, widened(kReadErrorExponentRange)},
        diskMember<&DiskFigures::readErrorExponent>,
        storeDiskMember<&DiskFigures::readErrorExponent, kReadErrorExponentRange>,
        defaultDiskMember<&DiskFigures::readErrorExponent>},
    {DiskFigure::RebuildMbps, wholeIn(widened(kRebuildMbpsRange)),
        diskMember<&DiskFigures::rebuildMbps>,
        storeDiskMember<&DiskFigures::rebuildMbps, kRebuildMbpsRange>,
        defaultDiskMember<&DiskFigures::rebuildMbps>},
    {DiskFigure::AnnualFailure, hundredthsIn(widened(kAnnualFailureHundredthsRange)),
        diskMember<&DiskFigures::annualFailureHundredths>,
        storeDiskMember<&DiskFigures::annualFailureHundredths, kAnnualFailureHundredthsRange>,
        defaultDiskMember<&DiskFigures::annualFailureHundredths>},
    {DiskFigure::Watts, tenthsIn(widened(kDiskWattsTenthsRange)),
        diskMember<&DiskFigures::wattsTenths>,
        storeDiskMember<&DiskFigures::wattsTenths, kDiskWattsTenthsRange>,
        defaultDiskMember<&DiskFigures::wattsTenths>},
    {DiskFigure::Price, hundredthsIn(kPriceHundredthsRange), diskPrice, storeDiskPrice, notPriced},
}};

inline constexpr std::array<FigureRecord<ModelFigure>, kFigureCount<ModelFigure>> kModelFigureRules{{
    {ModelFigure::ArrayPrice, hundredthsIn(kPriceHundredthsRange), arrayPrice, storeArrayPrice,
        notPriced},
    {ModelFigure::ArrayWatts, wholeIn(widened(kArrayWattsRange)), arrayWattsOf, storeArrayWatts,
        notPriced},
}};

inline constexpr std::array<FigureRecord<ProgramFigure>, kFigureCount<ProgramFigure>>
    kProgramFigureRules{{
    {ProgramFigure::ReadPercent, wholeIn(widened(kReadPercentRange)),
        programValue<&PlanningAssumptions::workload, &Workload::readPercent>,
        storeProgramValue<&PlanningAssumptions::workload, &Workload::setReadPercent>,
        programDefault<Workload::kDefaultReadPercent>},
    {ProgramFigure::DisksPerSpare, wholeIn(widened(kDisksPerSpareRange)),
        programValue<&PlanningAssumptions::spares, &SparePolicy::disksPerSpare>,
        storeProgramValue<&PlanningAssumptions::spares, &SparePolicy::setDisksPerSpare>,
        programDefault<SparePolicy::kDefaultDisksPerSpare>},
    {ProgramFigure::MinSparesPerType, wholeIn(widened(kMinSparesPerTypeRange)),
        programValue<&PlanningAssumptions::spares, &SparePolicy::minSparesPerType>,
        storeProgramValue<&PlanningAssumptions::spares, &SparePolicy::setMinSparesPerType>,
        programDefault<SparePolicy::kDefaultMinSparesPerType>},
    {ProgramFigure::HoursBeforeRebuild, wholeIn(widened(kHoursBeforeRebuildRange)),
        programValue<&PlanningAssumptions::rebuildWait, &RebuildWait::hoursBeforeRebuild>,
        storeProgramValue<&PlanningAssumptions::rebuildWait, &RebuildWait::setHoursBeforeRebuild>,
        programDefault<RebuildWait::kDefaultHoursBeforeRebuild>},
}};

inline constexpr std::array<FigureRecord<GrowthFigure>, kFigureCount<GrowthFigure>>
    kGrowthFigureRules{{
    {GrowthFigure::NeededToday,
        {FigureForm::Decimal, 2, kNeededTodayHundredthsRange, true},
        neededToday, storeNeededToday, nothingNeeded},
    {GrowthFigure::CapacityGrowth, tenthsIn(widened(kGrowthTenthsRange)),
        growthValue<&GrowthFigures::capacityGrowthTenths>,
        storeGrowthValue<&GrowthFigures::capacityGrowthTenths, kGrowthTenthsRange>,
        growthDefault<&GrowthFigures::capacityGrowthTenths>},
    {GrowthFigure::WorkloadGrowth, tenthsIn(widened(kGrowthTenthsRange)),
        growthValue<&GrowthFigures::workloadGrowthTenths>,
        storeGrowthValue<&GrowthFigures::workloadGrowthTenths, kGrowthTenthsRange>,
        growthDefault<&GrowthFigures::workloadGrowthTenths>},
    {GrowthFigure::Years, wholeIn(widened(kGrowthYearsRange)),
        growthValue<&GrowthFigures::years>,
        storeGrowthValue<&GrowthFigures::years, kGrowthYearsRange>,
        growthDefault<&GrowthFigures::years>},
    {GrowthFigure::GrowDefinition, {FigureForm::Definition, 0, widened(kGrowDefinitionRange)},
        growthValue<&GrowthFigures::growDefinition>,
        storeGrowthValue<&GrowthFigures::growDefinition, kGrowDefinitionRange>,
        growthDefault<&GrowthFigures::growDefinition>},
    {GrowthFigure::Installed, {FigureForm::Flag, 0, widened(kFlagRange)},
        growthValue<&GrowthFigures::installed>,
        storeGrowthValue<&GrowthFigures::installed, kFlagRange>,
        growthDefault<&GrowthFigures::installed>},
    {GrowthFigure::DiskPriceChange, tenthsIn(widened(kPriceChangeTenthsRange)),
        growthValue<&GrowthFigures::diskPriceChangeTenths>,
        storeGrowthValue<&GrowthFigures::diskPriceChangeTenths, kPriceChangeTenthsRange>,
        growthDefault<&GrowthFigures::diskPriceChangeTenths>},
    {GrowthFigure::ArrayPriceChange, tenthsIn(widened(kPriceChangeTenthsRange)),
        growthValue<&GrowthFigures::arrayPriceChangeTenths>,
        storeGrowthValue<&GrowthFigures::arrayPriceChangeTenths, kPriceChangeTenthsRange>,
        growthDefault<&GrowthFigures::arrayPriceChangeTenths>},
    {GrowthFigure::EnergyPrice, {FigureForm::Decimal, 3, kEnergyPriceThousandthsRange},
        growthValue<&GrowthFigures::energyPriceThousandths>,
        storeGrowthValue<&GrowthFigures::energyPriceThousandths, kEnergyPriceThousandthsRange>,
        growthDefault<&GrowthFigures::energyPriceThousandths>},
    {GrowthFigure::Pue, hundredthsIn(widened(kPueHundredthsRange)),
        growthValue<&GrowthFigures::pueHundredths>,
        storeGrowthValue<&GrowthFigures::pueHundredths, kPueHundredthsRange>,
        growthDefault<&GrowthFigures::pueHundredths>},
    {GrowthFigure::Support, tenthsIn(widened(kSupportTenthsRange)),
        growthValue<&GrowthFigures::supportTenths>,
        storeGrowthValue<&GrowthFigures::supportTenths, kSupportTenthsRange>,
        growthDefault<&GrowthFigures::supportTenths>},
}};
// clang-format on

static_assert(recordsInFigureOrder(kDiskFigureRules), "a disk figure's rule stands at its place");
static_assert(recordsInFigureOrder(kModelFigureRules), "a model figure's rule stands at its place");
static_assert(recordsInFigureOrder(kProgramFigureRules),
              "a program figure's rule stands at its place");
static_assert(recordsInFigureOrder(kGrowthFigureRules),
              "a figure of the years ahead has its rule at its place");

constexpr const FigureRecord<DiskFigure>& figureRule(DiskFigure figure) noexcept {
    return kDiskFigureRules[static_cast<std::size_t>(figure)];
}
constexpr const FigureRecord<ModelFigure>& figureRule(ModelFigure figure) noexcept {
    return kModelFigureRules[static_cast<std::size_t>(figure)];
}
constexpr const FigureRecord<ProgramFigure>& figureRule(ProgramFigure figure) noexcept {
    return kProgramFigureRules[static_cast<std::size_t>(figure)];
}
constexpr const FigureRecord<GrowthFigure>& figureRule(GrowthFigure figure) noexcept {
    return kGrowthFigureRules[static_cast<std::size_t>(figure)];
}

// Each figure of a scope in order, for the tables' walks.
template <typename Figure> constexpr std::array<Figure, kFigureCount<Figure>> allFigures() {
    std::array<Figure, kFigureCount<Figure>> figures{};
    for (std::size_t i = 0; i < figures.size(); ++i) {
        figures[i] = static_cast<Figure>(i);
    }
    return figures;
}

// A figure as typed, in the unit it is held in, or nothing when the text is no number of its
// form in its range: a whole number, a power of ten with or without its "10^", or a decimal
// with up to the rule's places; a flag or a definition as its whole number. An empty (or blank)
// text is kEmptyFigure where the rule allows it.
std::optional<std::int64_t> typedFigure(const FigureRule& rule, std::string_view text) noexcept;

} // namespace brim
