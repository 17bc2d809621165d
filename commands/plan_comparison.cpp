#include "commands/plan_comparison.h"

#include "commands/digit_grouping.h"
#include "commands/figure_words.h"
#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "commands/table_text.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/message_sink.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/rebuild_risk.h"
#include "core/sheet_exchange.h"
#include "core/spares.h"
#include "core/units.h"

#include <algorithm>
#include <utility>

namespace brim {
namespace {

constexpr std::string_view kTimes = " \u00D7 ";
constexpr std::string_view kVaultWord = " vault";
constexpr std::string_view kRowSeparator = "; ";
// A layout without redundancy loses its data with the first failure: it reads worse than any
// chance of a rebuild's read error after one failure.
constexpr double kNoRedundancyRisk = 1.0;
constexpr int kNoRedundancyFailures = 1;

ComparedCell& cell(ComparedColumn& column, PlanFigure figure) {
    return column.cells[static_cast<std::size_t>(figure)];
}

ComparedCell figureCell(std::string text, double value) {
    return {std::move(text), value, false};
}

ComparedCell dash() {
    return {std::string(kNoFigureText), std::nullopt, false};
}

std::string capacityText(double value) {
    return std::string(trimBlanks(formatCapacity(value)));
}

// The worst rebuild among the rows that compute: no redundancy first, then the largest chance.
ComparedCell worstRisk(const SheetPerformance& performance) {
    const RebuildRisk* worst = nullptr;
    double worstValue = -1.0;
    for (std::size_t i = 0; i < performance.count; ++i) {
        const PerformanceLine& line = performance.lines[i];
        if (!line.brokenRule.empty() || line.rebuild.kind == RebuildCase::NoLayout) {
            continue;
        }
        const double value = line.rebuild.kind == RebuildCase::NoRedundancy ? kNoRedundancyRisk
                                                                            : line.rebuild.chance;
        if (value > worstValue) {
            worst = &line.rebuild;
            worstValue = value;
        }
    }
    if (!worst) {
        return dash();
    }
    ComparedCell risk = figureCell(readErrorRiskText(*worst), worstValue);
    risk.kind =
        worst->kind == RebuildCase::NoRedundancy ? kNoRedundancyFailures : worst->failedDisks;
    return risk;
}

void fillCosts(ComparedColumn& column, const ConfigSheet& sheet,
               const PlanningAssumptions& planning) {
    const PlanCost cost = sheetCost(sheet, planning);
    if (!cost.priced) {
        cell(column, PlanFigure::Cost) = dash();
        cell(column, PlanFigure::CostPerUsableTb) = dash();
        cell(column, PlanFigure::CostPerThousandIops) = dash();
        return;
    }
    cell(column, PlanFigure::Cost) = figureCell(formatCost(cost.cost), cost.cost);
    const auto per = [](const std::optional<double>& value) {
        return value ? figureCell(formatCostPer(*value), *value) : dash();
    };
    cell(column, PlanFigure::CostPerUsableTb) = per(cost.perUsableTib);
    cell(column, PlanFigure::CostPerThousandIops) = per(cost.perThousandHostIops);
}

// What the plan costs over the years ahead and what it holds in their last: the dash where it
// has no schedule (nothing can grow), where the schedule ends before the last year, and for the
// cost while nothing it uses is priced.
void fillYears(ComparedColumn& column, const ConfigSheet& sheet,
               const PlanningAssumptions& planning, const StatedWorkload& workload) {
    const GrowthSchedule schedule = growthSchedule({sheet, planning, workload});
    if (schedule.missing != NoSchedule::None ||
        schedule.yearCount != static_cast<std::size_t>(planning.growth.years)) {
        cell(column, PlanFigure::CostOverYears) = dash();
        cell(column, PlanFigure::UsableTbInYear) = dash();
        return;
    }
    const double usableTib = schedule.years[schedule.yearCount - 1].usableTib;
    cell(column, PlanFigure::UsableTbInYear) = figureCell(capacityText(usableTib), usableTib);
    const double cost = schedule.totals.cost;
    cell(column, PlanFigure::CostOverYears) =
        schedule.pricing.priced ? figureCell(formatCost(cost), cost) : dash();
}

void fillFigures(ComparedColumn& column, const ConfigSheet& sheet, const SheetWalk& walk,
                 const PlanningAssumptions& planning) {
    cell(column, PlanFigure::UsableGb) =
        figureCell(capacityText(gibFromMib(walk.netTotalMib)), gibFromMib(walk.netTotalMib));
    cell(column, PlanFigure::UsableTb) =
        figureCell(capacityText(tibFromMib(walk.netTotalMib)), tibFromMib(walk.netTotalMib));
    const auto count = [](std::uint64_t value) {
        return figureCell(std::to_string(value), static_cast<double>(value));
    };
    cell(column, PlanFigure::Disks) = count(walk.totalDisks);
    cell(column, PlanFigure::Arrays) = count(arraysRequired(walk.totalDisks, sheet.modelIndex));
    const DisksToOrder order = sheetDisksToOrder(sheet, planning.spares);
    cell(column, PlanFigure::DisksWithSpares) = count(order.allToOrder);
    cell(column, PlanFigure::ArraysWithSpares) = count(order.arrays);

    const SheetPerformance performance =
        sheetPerformance(sheet, planning.disks, planning.workload.readShare());
    cell(column, PlanFigure::HostIops) =
        figureCell(formatRate(performance.total.hostIops), performance.total.hostIops);
    cell(column, PlanFigure::Mbps) =
        figureCell(formatRate(performance.total.mbps), performance.total.mbps);
    cell(column, PlanFigure::ReadErrorRisk) = worstRisk(performance);

    const SheetLoss loss = sheetLoss(sheet, planning);
    const bool anyLoss =
        std::any_of(loss.lines.begin(), loss.lines.begin() + loss.count,
                    [](const LossLine& l) { return l.kind == LossCase::Computed; });
    cell(column, PlanFigure::LossChance) =
        anyLoss ? figureCell(formatLossChance(loss.planChance), loss.planChance) : dash();
    fillCosts(column, sheet, planning);
}

// A kept plan is not bought yet, and the definition that grows is its own: its largest.
PlanningAssumptions keptPlanGrowth(const PlanningAssumptions& planning) {
    PlanningAssumptions kept = planning;
    kept.growth.growDefinition = kGrowLargestDefinition;
    kept.growth.installed = false;
    return kept;
}

bool better(Better way, double a, double b) noexcept {
    return way == Better::More ? a > b : a < b;
}

// Whether the values of figure `f` that take part are all of one kind, so that one can be best.
bool alikeValues(const std::vector<ComparedColumn>& columns, std::size_t f) {
    std::optional<int> kind;
    for (const ComparedColumn& column : columns) {
        const ComparedCell& c = column.cells[f];
        if (!column.takesPart || !c.value) {
            continue;
        }
        if (kind && *kind != c.kind) {
            return false;
        }
        kind = c.kind;
    }
    return true;
}

void markBest(std::vector<ComparedColumn>& columns) {
    const auto taking = std::count_if(columns.begin(), columns.end(),
                                      [](const ComparedColumn& c) { return c.takesPart; });
    if (taking < 2) {
        return;
    }
    for (std::size_t f = 0; f < kPlanFigureCount; ++f) {
        const Better way = kPlanFigures[f].better;
        if (way == Better::None || way == Better::Unmarked || !alikeValues(columns, f)) {
            continue;
        }
        std::optional<double> best;
        for (const ComparedColumn& column : columns) {
            const std::optional<double>& value = column.cells[f].value;
            if (column.takesPart && value && (!best || better(way, *value, *best))) {
                best = *value;
            }
        }
        for (ComparedColumn& column : columns) {
            ComparedCell& c = column.cells[f];
            c.best = column.takesPart && best && c.value && *c.value == *best;
        }
    }
}

} // namespace

std::string planFigureHeading(PlanFigure figure, int years) {
    const std::string ahead = figure == PlanFigure::CostOverYears
                                  ? countOf(static_cast<std::uint64_t>(years), "year")
                                  : std::to_string(years);
    return filledIn(kPlanFigures[static_cast<std::size_t>(figure)].heading, ahead);
}

std::string definitionsText(const ConfigSheet& sheet) {
    std::string text;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const GroupDefinition& row = sheet.rows[i];
        if (row.groupCount == 0) {
            continue;
        }
        if (!text.empty()) {
            text += kRowSeparator;
        }
        text += numberText(row.groupCount);
        text += kTimes;
        text += Catalogue::diskReportName(row.diskType, sheet.modelIndex);
        text += ' ';
        text += Catalogue::raidPickerName(row.raidType);
        text += ' ';
        text += numberText(row.disksPerGroup);
        if (rowHoldsVault(sheet, i)) {
            text += kVaultWord;
        }
    }
    return text.empty() ? std::string(kNoFigureText) : text;
}

ComparedColumn compareColumn(std::string name, const ConfigSheet& sheet,
                             const PlanningAssumptions& planning, const StatedWorkload& workload) {
    ComparedColumn column;
    column.name = std::move(name);
    cell(column, PlanFigure::Model) = {std::string(Catalogue::modelName(sheet.modelIndex)),
                                       std::nullopt, false};
    cell(column, PlanFigure::Definitions) = {definitionsText(sheet), std::nullopt, false};
    FirstMessage message;
    const SheetWalk walk = walkSheet(sheet, message);
    if (walk.failed) {
        column.brokenRule = true;
        cell(column, PlanFigure::UsableGb) = {std::move(message.message), std::nullopt, false};
        return column;
    }
    fillFigures(column, sheet, walk, planning);
    fillYears(column, sheet, planning, workload);
    column.takesPart = walk.totalDisks != 0;
    return column;
}

std::vector<ComparedColumn> comparePlans(const ConfigSheet& sheetNow,
                                         std::span<const NamedPlan> plans,
                                         const PlanningAssumptions& planning,
                                         const StatedWorkload& workload) {
    std::vector<ComparedColumn> columns;
    columns.reserve(plans.size() + 1);
    columns.push_back(compareColumn(std::string(kSheetNowName), sheetNow, planning, workload));
    const PlanningAssumptions kept = keptPlanGrowth(planning);
    for (const NamedPlan& plan : plans) {
        columns.push_back(compareColumn(plan.name, configSheetOf(plan.sheet), kept, workload));
    }
    markBest(columns);
    return columns;
}

std::string shownText(const ComparedCell& cell, PlanFigure figure, std::string_view separator) {
    const bool grouped = kPlanFigures[static_cast<std::size_t>(figure)].grouped;
    return grouped ? groupDigits(cell.text, separator) : cell.text;
}

std::vector<std::size_t> chartedColumns(std::span<const ComparedColumn> columns,
                                        PlanFigure figure) {
    std::vector<std::size_t> charted;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].takesPart && columns[i][figure].value) {
            charted.push_back(i);
        }
    }
    return charted;
}

std::string chartDescription(std::span<const ComparedColumn> columns, PlanFigure figure,
                             int years) {
    const PlanFigureInfo& info = kPlanFigures[static_cast<std::size_t>(figure)];
    const std::vector<std::size_t> charted = chartedColumns(columns, figure);
    std::string text = planFigureHeading(figure, years);
    if (info.better == Better::None || charted.empty()) {
        return text + ": no plan with groups has a figure to chart.";
    }
    text += ": ";
    for (std::size_t i = 0; i < charted.size(); ++i) {
        const ComparedColumn& column = columns[charted[i]];
        if (i != 0) {
            text += "; ";
        }
        text += column.name + ' ' + column[figure].text;
        if (column[figure].best) {
            text += " (best)";
        }
    }
    return text + '.';
}

std::string comparisonTableText(std::span<const ComparedColumn> columns, int years) {
    std::string text;
    std::vector<std::string> cells{std::string()};
    for (const ComparedColumn& column : columns) {
        cells.push_back(column.name);
    }
    appendTableLine(text, cells);
    for (const PlanFigureInfo& info : kPlanFigures) {
        cells.clear();
        cells.push_back(planFigureHeading(info.figure, years));
        for (const ComparedColumn& column : columns) {
            cells.push_back(column[info.figure].text);
        }
        appendTableLine(text, cells);
    }
    return text;
}

} // namespace brim
