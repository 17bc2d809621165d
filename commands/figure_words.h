#pragma once

// The words of every planning figure, one record a figure of each scope, in the order of the
// enums of core/planning_figures.h: what the windows that edit it call it, what a refusal says,
// how the printed plan's Assumptions shows it, and where its default comes from (the README's
// table says the same). The Sheet Performance editor and the printed Assumptions walk these.

#include "core/planning_figures.h"

#include <array>
#include <string>
#include <string_view>

namespace brim {

struct DiskFigureWords {
    DiskFigure figure;
    std::string_view heading;        // the editor's column; "\n" sets it on two lines
    std::string_view name;           // what a refusal calls it
    std::string_view printedHeading; // the Assumptions' column
    std::string_view described;      // the Assumptions' sentence before the table names it so
    std::string_view unit;           // after a printed value: "%"
    std::string_view unsetText;      // a printed 0 that means "not given yet"; empty prints 0
    std::string_view defaultSource;
};

struct ModelFigureWords {
    ModelFigure figure;
    std::string_view label;          // the field's, "{}" the model it is of
    std::string_view fieldName;      // the field's object name
    std::string_view accessibleName; // what a screen reader calls the field
    std::string_view refusal;        // under the field that refuses its text
    std::string_view printedLabel;   // the Assumptions' sentence: "Price per array: ..."
    std::string_view unsetText;      // a printed 0 that means "not given yet"
    std::string_view defaultSource;
};

// Which of the Sheet Performance window's note lines shows a field's refusal: the one under
// "% reads", under the spare fields, or under the array's figures and the hours before a rebuild.
enum class PlanNoteLine : std::uint8_t { Reads, Spares, Costs };
inline constexpr std::size_t kPlanNoteLineCount = 3;

struct ProgramFigureWords {
    ProgramFigure figure;
    std::string_view label;          // the field's, with its access key
    std::string_view fieldName;      // the field's object name
    std::string_view accessibleName; // what a screen reader calls the field
    std::string_view refusal;        // under the field that refuses its text
    PlanNoteLine noteLine;           // where that refusal shows
    std::string_view printed;        // the Assumptions' sentence, "{}" the figure
    std::string_view defaultSource;
};

// A figure of the years ahead, edited in the Growth Plan window and printed in the Assumptions.
struct GrowthFigureWords {
    GrowthFigure figure;
    std::string_view label;          // the field's, with its access key
    std::string_view fieldName;      // the field's object name
    std::string_view accessibleName; // what a screen reader calls the field
    std::string_view refusal;        // under the field that refuses its text; a list refuses none
    std::string_view printed;        // the Assumptions' sentence, "{}" the figure
    // Printed for an empty figure or a 0 that means "not given yet"; empty prints the figure.
    std::string_view unsetText;
    std::string_view defaultSource;
};

// clang-format off
inline constexpr std::array<DiskFigureWords, kFigureCount<DiskFigure>> kDiskFigureWords{{
    {DiskFigure::RandomIops, "IOPS", "IOPS", "IOPS", "random IOPS", "", "",
        "rules of thumb by drive class"},
    {DiskFigure::SequentialMbps, "MB/s", "MB/s", "MB/s", "sequential MB/s", "", "",
        "rules of thumb by drive class"},
    {DiskFigure::ReadErrorExponent, "Bits per\nread error", "read-error rate",
        "Bits per read error", "bits read per unrecoverable read error", "", "",
        "the class figures of drive data sheets"},
    {DiskFigure::RebuildMbps, "Rebuild\nMB/s", "rebuild MB/s", "Rebuild MB/s", "rebuild rate", "",
        "", "a rule of thumb"},
    {DiskFigure::AnnualFailure, "AFR %", "AFR %", "AFR", "annual failure rate (AFR)", "%", "",
        "large field studies of disk replacements"},
    {DiskFigure::Watts, "Watts", "watts", "Watts", "watts drawn", "", "",
        "the mid-point of idle and active power in drive makers' manuals"},
    {DiskFigure::Price, "Price", "price", "Price per disk", "price", "", "not priced",
        "the planner's quote"},
}};

inline constexpr std::array<ModelFigureWords, kFigureCount<ModelFigure>> kModelFigureWords{{
    {ModelFigure::ArrayPrice, "Price of one {} &array:", "arrayPrice", "Price of one array",
        "Type a price from 0 to 1000000000 with up to two decimals, such as 45000.",
        "Price per array", "not priced", "the planner's quote"},
    {ModelFigure::ArrayWatts, "Power of one {} array, &W:", "arrayWatts", "Power of one array",
        "Type a whole number of watts from 0 to 100000, such as 600.", "Power per array, W",
        "not counted", "the array maker's figure, typed by the planner"},
}};

inline constexpr std::array<ProgramFigureWords, kFigureCount<ProgramFigure>> kProgramFigureWords{{
    {ProgramFigure::ReadPercent, "% &reads:", "readPercent", "Percent reads",
        "Type a whole percentage from 0 to 100, such as 70.", PlanNoteLine::Reads,
        "Reads: {} % of host operations; writes the rest.", "a typical transactional mix"},
    {ProgramFigure::DisksPerSpare, "One spare &per", "disksPerSpare", "Disks per hot spare",
        "Type a whole number of disks from 1 to 1000, such as 30.", PlanNoteLine::Spares,
        "Hot spares: one per {} disks of each type in use.", "a common rule of thumb"},
    {ProgramFigure::MinSparesPerType, "disks, at &least", "minSpares",
        "Fewest hot spares per disk type",
        "Type a whole number of spares from 0 to 100, such as 1.", PlanNoteLine::Spares,
        "Hot spares of each type in use: at least {}.", "a common rule of thumb"},
    {ProgramFigure::HoursBeforeRebuild, "&Hours before a rebuild starts:", "hoursBeforeRebuild",
        "Hours before a rebuild starts",
        "Type a whole number of hours from 0 to 720, such as 0 or 24.", PlanNoteLine::Costs,
        "Hours before a rebuild starts: {}.", "a hot spare starts the rebuild at once"},
}};

inline constexpr std::array<GrowthFigureWords, kFigureCount<GrowthFigure>> kGrowthFigureWords{{
    {GrowthFigure::NeededToday, "Usable TB &needed today:", "neededToday",
        "Usable TB needed today",
        "Type a capacity from 0.01 to 10000000 TB with up to two decimals, or leave it empty "
        "for the sheet's net total.",
        "Usable TB needed today: {}.", "the sheet's net total", "the sheet's net total"},
    {GrowthFigure::CapacityGrowth, "&Capacity growth a year, %:", "capacityGrowth",
        "Capacity growth a year, percent", "Type a growth from 0 to 1000 %, such as 20.",
        "Capacity growth a year: {} %.", "", "a placeholder for the customer's measured growth"},
    {GrowthFigure::WorkloadGrowth, "&Workload growth a year, %:", "workloadGrowth",
        "Workload growth a year, percent", "Type a growth from 0 to 1000 %, such as 10.",
        "Workload growth a year: {} %.", "", "a placeholder for the customer's measured growth"},
    {GrowthFigure::Years, "&Years:", "years", "Years",
        "Type a whole number of years from 1 to 10, such as 5.", "Years ahead: {}.", "",
        "a common planning horizon"},
    {GrowthFigure::GrowDefinition, "&Grow definition:", "growDefinition", "Grow definition", "",
        "Definition that grows: {}.", "", "the definition with the most usable capacity"},
    {GrowthFigure::Installed, "The sheet is &installed already", "installed",
        "The sheet is installed already", "", "The sheet is installed already: {}.", "",
        "a plan not yet bought"},
    {GrowthFigure::DiskPriceChange, "&Disk prices change a year, %:", "diskPriceChange",
        "Disk prices change a year, percent", "Type a change from -90 to 100 %, such as -20.",
        "Disk prices change a year: {} %.", "", "the fall of disk prices per TB since about 2010"},
    {GrowthFigure::ArrayPriceChange, "&Array price changes a year, %:", "arrayPriceChange",
        "Array price changes a year, percent", "Type a change from -90 to 100 %, such as 0.",
        "Array price changes a year: {} %.", "", "arrays held at today's price"},
    {GrowthFigure::EnergyPrice, "&Energy price per kWh:", "energyPrice", "Energy price per kWh",
        "Type a price from 0 to 1000 with up to three decimals, such as 0.15.",
        "Energy price per kWh: {}.", "not priced", "the planner's tariff"},
    {GrowthFigure::Pue, "&PUE:", "pue", "Power usage effectiveness",
        "Type a PUE from 1.00 to 3.00 with up to two decimals, such as 1.50.", "PUE: {}.", "",
        "a common data-centre figure"},
    {GrowthFigure::Support, "&Support a year, % of the price:", "support",
        "Support a year, percent of the price", "Type a share from 0 to 100 %, such as 10.",
        "Support a year: {} % of the price.", "", "the planner's quote"},
}};
// clang-format on

static_assert(recordsInFigureOrder(kDiskFigureWords), "a disk figure's words stand at its place");
static_assert(recordsInFigureOrder(kModelFigureWords), "a model figure's words stand at its place");
static_assert(recordsInFigureOrder(kProgramFigureWords),
              "a program figure's words stand at its place");
static_assert(recordsInFigureOrder(kGrowthFigureWords),
              "a figure of the years ahead has its words at its place");

constexpr const DiskFigureWords& figureWords(DiskFigure figure) noexcept {
    return kDiskFigureWords[static_cast<std::size_t>(figure)];
}
constexpr const ModelFigureWords& figureWords(ModelFigure figure) noexcept {
    return kModelFigureWords[static_cast<std::size_t>(figure)];
}
constexpr const ProgramFigureWords& figureWords(ProgramFigure figure) noexcept {
    return kProgramFigureWords[static_cast<std::size_t>(figure)];
}
constexpr const GrowthFigureWords& figureWords(GrowthFigure figure) noexcept {
    return kGrowthFigureWords[static_cast<std::size_t>(figure)];
}

// The Grow definition list: the largest definition first, then each row by its number.
inline constexpr std::string_view kLargestDefinition = "Largest";
std::string definitionText(int row);

// A figure as the windows show it: "180", "10^16", "2.5", "yes", "Row 3"; for the editor, the
// number alone. An empty figure is an empty text.
std::string figureText(const FigureRule& rule, std::int64_t held);
std::string figureEditText(const FigureRule& rule, std::int64_t held);
// "a whole number from 1 to 100000", "a power of ten from 12 to 18", "a number from 0.01 to 50
// with up to two decimals": what a refusal asks the planner to type.
std::string allowedText(const FigureRule& rule);
// `pattern` with its "{}" replaced by `value`.
std::string filledIn(std::string_view pattern, std::string_view value);
// "Price of one Telvar A &array:": a model figure's field names the model it is of.
std::string modelFigureLabel(ModelFigure figure, int modelIndex);

} // namespace brim
