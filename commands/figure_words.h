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
    {DiskFigure::Price, "Price", "price", "Price per disk", "price", "", "not priced",
        "the planner's quote"},
}};

inline constexpr std::array<ModelFigureWords, kFigureCount<ModelFigure>> kModelFigureWords{{
    {ModelFigure::ArrayPrice, "Price of one {} &array:", "arrayPrice", "Price of one array",
        "Type a price from 0 to 1000000000 with up to two decimals, such as 45000.",
        "Price per array", "not priced", "the planner's quote"},
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
// clang-format on

static_assert(recordsInFigureOrder(kDiskFigureWords), "a disk figure's words stand at its place");
static_assert(recordsInFigureOrder(kModelFigureWords), "a model figure's words stand at its place");
static_assert(recordsInFigureOrder(kProgramFigureWords),
              "a program figure's words stand at its place");

constexpr const DiskFigureWords& figureWords(DiskFigure figure) noexcept {
    return kDiskFigureWords[static_cast<std::size_t>(figure)];
}
constexpr const ModelFigureWords& figureWords(ModelFigure figure) noexcept {
    return kModelFigureWords[static_cast<std::size_t>(figure)];
}
constexpr const ProgramFigureWords& figureWords(ProgramFigure figure) noexcept {
    return kProgramFigureWords[static_cast<std::size_t>(figure)];
}

// A figure as the windows show it: "180", "10^16", "2.5"; for the editor, the number alone.
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
