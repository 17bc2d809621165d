#pragma once

// What the Compare Plans window shows, without the window: one column for the sheet as it
// stands and one per kept plan, one line per figure, each figure computed by the same core
// functions as Compute and Sheet Performance with the planning figures in force now, and the
// best value of each line marked. Every plan also grows over the years ahead by the same growth
// figures: what it costs over them and what it holds in their last year. Every text is ready to
// show as it stands.

#include "core/config_sheet.h"
#include "core/growth_schedule.h"
#include "core/planning_assumptions.h"
#include "report/workbook.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

enum class PlanFigure : std::uint8_t {
    Model,
    Definitions,
    UsableGb,
    UsableTb,
    Disks,
    Arrays,
    DisksWithSpares,
    ArraysWithSpares,
    HostIops,
    Mbps,
    ReadErrorRisk,
    LossChance,
    Cost,
    CostPerUsableTb,
    CostPerThousandIops,
    CostOverYears,
    UsableTbInYear,
};

// Which way a figure is better; None for the texts that are no figure. An Unmarked figure is
// charted but none of its values is best: what a plan grows to in the last year follows the
// need it grows to, and says nothing of the plan.
enum class Better : std::uint8_t { None, More, Less, Unmarked };

struct PlanFigureInfo {
    PlanFigure figure;
    std::string_view heading; // "{}" the years ahead: planFigureHeading fills it in
    Better better;
    // Shown with the locale's digit grouping in a window: the costs and counts. The capacities
    // keep the sheet's own texts; copies always take the plain text.
    bool grouped;
};

// clang-format off
inline constexpr std::array<PlanFigureInfo, 17> kPlanFigures{{
    // figure                            heading                       better        grouped
    {PlanFigure::Model,               "Array model",                Better::None, false},
    {PlanFigure::Definitions,         "Definitions",                Better::None, false},
    {PlanFigure::UsableGb,            "Usable GB",                  Better::More, false},
    {PlanFigure::UsableTb,            "Usable TB",                  Better::More, false},
    {PlanFigure::Disks,               "Disks",                      Better::Less, true},
    {PlanFigure::Arrays,              "Arrays needed",              Better::Less, true},
    {PlanFigure::DisksWithSpares,     "Disks to order with spares", Better::Less, true},
    {PlanFigure::ArraysWithSpares,    "Arrays with spares",         Better::Less, true},
    {PlanFigure::HostIops,            "Host IOPS",                  Better::More, true},
    {PlanFigure::Mbps,                "MB/s",                       Better::More, true},
    {PlanFigure::ReadErrorRisk,       "Worst read-error risk",      Better::Less, false},
    {PlanFigure::LossChance,          "Chance of data loss a year", Better::Less, false},
    {PlanFigure::Cost,                "Cost",                       Better::Less, true},
    {PlanFigure::CostPerUsableTb,     "Cost per usable TB",         Better::Less, true},
    {PlanFigure::CostPerThousandIops, "Cost per 1000 host IOPS",    Better::Less, true},
    {PlanFigure::CostOverYears,       "Cost over {}",               Better::Less, true},
    {PlanFigure::UsableTbInYear,      "Usable TB in year {}",       Better::Unmarked, false},
}};
// clang-format on
inline constexpr std::size_t kPlanFigureCount = kPlanFigures.size();

constexpr bool planFiguresInOrder() noexcept {
    for (std::size_t i = 0; i < kPlanFigureCount; ++i) {
        if (static_cast<std::size_t>(kPlanFigures[i].figure) != i) {
            return false;
        }
    }
    return true;
}
static_assert(planFiguresInOrder(), "a plan figure's line stands at its place");

// A figure's heading, the years ahead filled in: "Cost over 5 years", "Usable TB in year 5".
std::string planFigureHeading(PlanFigure figure, int years);

inline constexpr std::string_view kSheetNowName = "Sheet now";

struct ComparedCell {
    std::string text;
    std::optional<double> value; // what the best value and the chart are taken from
    bool best = false;
    // Values of one figure are alike, and one can be best, only when their kinds agree: a
    // read-error risk's kind is the number of failures before the rebuild it is the risk of, as
    // RAID6's "4.62% after 2 failures" says nothing against RAID5's risk after one.
    int kind = 0;
};

struct ComparedColumn {
    std::string name;
    // Whether the column competes for the best values: it has groups and breaks no rule.
    bool takesPart = false;
    // The first rule a row breaks, in the first figure's cell; the figures are then empty.
    bool brokenRule = false;
    std::array<ComparedCell, kPlanFigureCount> cells{};

    const ComparedCell& operator[](PlanFigure figure) const {
        return cells[static_cast<std::size_t>(figure)];
    }
};

// The figures of one sheet's inputs under `name`; its years ahead grow as `planning`'s growth
// figures say, with `workload` the needs Size for Capacity states.
ComparedColumn compareColumn(std::string name, const ConfigSheet& sheet,
                             const PlanningAssumptions& planning, const StatedWorkload& workload);

// The sheet now, then every plan in order, with the best value of each figure marked among the
// columns that take part (a tie marks each) when at least two do and their values of the figure
// are all of one kind. Every plan grows to the same need, or from its own net total when none is
// typed; the sheet grows the definition the growth figures pick and is installed when they say
// so, a kept plan grows its largest definition and is not installed yet.
std::vector<ComparedColumn> comparePlans(const ConfigSheet& sheetNow,
                                         std::span<const NamedPlan> plans,
                                         const PlanningAssumptions& planning,
                                         const StatedWorkload& workload);

// The cell's text as a window shows it: a grouped figure's digits grouped by `separator` (the
// locale's), any other as it stands.
std::string shownText(const ComparedCell& cell, PlanFigure figure, std::string_view separator);

// The table as the window's copy of it makes it (table_text.h): the plans' names after an empty
// cell, then a line per figure, its heading first (`years` as planFigureHeading takes it).
std::string comparisonTableText(std::span<const ComparedColumn> columns, int years);

// The columns a chart of `figure` draws: those that take part and have a value for it.
std::vector<std::size_t> chartedColumns(std::span<const ComparedColumn> columns, PlanFigure figure);

// What a chart of `figure` says to a screen reader: "Usable TB: Sheet now 12.50; Plan A 20.00
// (best)." or why there is nothing to draw; `years` as planFigureHeading takes it.
std::string chartDescription(std::span<const ComparedColumn> columns, PlanFigure figure, int years);

// "5 × 450 G FC RAID5 5 vault; 4 × 1 TB ATA RAID6 8": groups, disk type, RAID type, disks per
// group and "vault" for each row with groups; the dash for none.
std::string definitionsText(const ConfigSheet& sheet);

} // namespace brim
