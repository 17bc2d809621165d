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
// (report/workbook_keys.h) and the words (commands/figure_words.h).

#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
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
    Price,
    Count
};
// Per array model.
enum class ModelFigure : std::uint8_t { ArrayPrice, Count };
// One for the program.
enum class ProgramFigure : std::uint8_t {
    ReadPercent,
    DisksPerSpare,
    MinSparesPerType,
    HoursBeforeRebuild,
    Count
};

template <typename Figure>
constexpr std::size_t kFigureCount = static_cast<std::size_t>(Figure::Count);

// How a figure is typed, held and shown: a whole number; a power of ten ("10^16", held as 16); a
// decimal with up to `decimals` places, held as a whole number of its smallest step (an AFR of
// 2.5 % as 250 hundredths).
enum class FigureForm : std::uint8_t { Whole, PowerOfTen, Decimal };

struct FigureRule {
    FigureForm form = FigureForm::Whole;
    int decimals = 0;                 // places a Decimal takes; 0 for the others
    AllowedRange<std::int64_t> range; // in the unit it is held in
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

template <typename T> constexpr AllowedRange<std::int64_t> widened(AllowedRange<T> range) {
    return {static_cast<std::int64_t>(range.lowest), static_cast<std::int64_t>(range.highest)};
}
constexpr FigureRule wholeIn(AllowedRange<std::int64_t> range) {
    return {FigureForm::Whole, 0, range};
}
constexpr FigureRule hundredthsIn(AllowedRange<std::int64_t> range) {
    return {FigureForm::Decimal, 2, range};
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
    {DiskFigure::Price, hundredthsIn(kPriceHundredthsRange), diskPrice, storeDiskPrice, notPriced},
}};

inline constexpr std::array<FigureRecord<ModelFigure>, kFigureCount<ModelFigure>> kModelFigureRules{{
    {ModelFigure::ArrayPrice, hundredthsIn(kPriceHundredthsRange), arrayPrice, storeArrayPrice,
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
// clang-format on

static_assert(recordsInFigureOrder(kDiskFigureRules), "a disk figure's rule stands at its place");
static_assert(recordsInFigureOrder(kModelFigureRules), "a model figure's rule stands at its place");
static_assert(recordsInFigureOrder(kProgramFigureRules),
              "a program figure's rule stands at its place");

constexpr const FigureRecord<DiskFigure>& figureRule(DiskFigure figure) noexcept {
    return kDiskFigureRules[static_cast<std::size_t>(figure)];
}
constexpr const FigureRecord<ModelFigure>& figureRule(ModelFigure figure) noexcept {
    return kModelFigureRules[static_cast<std::size_t>(figure)];
}
constexpr const FigureRecord<ProgramFigure>& figureRule(ProgramFigure figure) noexcept {
    return kProgramFigureRules[static_cast<std::size_t>(figure)];
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
// with up to the rule's places.
std::optional<std::int64_t> typedFigure(const FigureRule& rule, std::string_view text) noexcept;

} // namespace brim
