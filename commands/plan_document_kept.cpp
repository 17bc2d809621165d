// The printed plan's kept plans: one line per plan with the figures a choice between them rests
// on, and the bar chart of the figure last compared.

#include "commands/plan_document_parts.h"
#include "commands/plan_document_texts.h"
#include "commands/planner_units.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/spares.h"
#include "core/units.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brim {
namespace {

using plan_document_parts::DigitGrouping;
using plan_document_parts::str;

// The figures of a plan the page prints, in its order: each in a column of the kept plans'
// table but the arrays, which "disks / arrays" holds and only the chart shows alone. Their
// digits group as Compare Plans groups them.
struct PrintedFigure {
    PlanFigure figure;
    std::string_view heading; // in the table and the chart's caption
    bool inTable;
};

// clang-format off
constexpr auto kPrintedFigures = std::to_array<PrintedFigure>({
    {PlanFigure::UsableTb,            "Usable TB",               true},
    {PlanFigure::DisksWithSpares,     "Disks / arrays to order", true},
    {PlanFigure::ArraysWithSpares,    "Arrays",                  false},
    {PlanFigure::HostIops,            "Host IOPS",               true},
    {PlanFigure::Mbps,                "MB/s",                    true},
    {PlanFigure::LossChance,          "Loss/yr",                 true},
    {PlanFigure::Cost,                "Cost",                    true},
    {PlanFigure::CostPerUsableTb,     "Cost per usable TB",      true},
    {PlanFigure::CostPerThousandIops, "Cost per 1000 host IOPS", true},
});
// clang-format on

const PrintedFigure* printedAs(PlanFigure figure) noexcept {
    const auto* found = std::ranges::find(kPrintedFigures, figure, &PrintedFigure::figure);
    return found == kPrintedFigures.end() ? nullptr : found;
}

bool groupedFigure(PlanFigure figure) noexcept {
    return kPlanFigures[static_cast<std::size_t>(figure)].grouped;
}

struct FigureOfPlan {
    double value = 0.0;
    std::string text;
};

FigureOfPlan noFigure() {
    return {0.0, str(kNoFigureText)};
}

// Every figure of one kept plan, as its line in the comparison table and its bar.
std::array<FigureOfPlan, kPrintedFigures.size()> planFigures(const ConfigSheet& sheet,
                                                             const PlanningAssumptions& assumptions,
                                                             const DigitGrouping& grouping) {
    const double usableTib = sheetUsableTib(sheet);
    const DisksToOrder order = sheetDisksToOrder(sheet, assumptions.spares);
    const Delivery delivery =
        sheetPerformance(sheet, assumptions.disks, assumptions.workload.readShare()).total;
    const double lossChance = sheetLoss(sheet, assumptions).planChance;
    const PlanCost cost = sheetCost(sheet, assumptions);
    const auto count = [](std::uint64_t n) {
        return FigureOfPlan{static_cast<double>(n), std::to_string(n)};
    };
    const auto per = [&cost](const std::optional<double>& value) {
        return cost.priced && value ? FigureOfPlan{*value, formatCostPer(*value)} : noFigure();
    };
    std::array<FigureOfPlan, kPrintedFigures.size()> figures{{
        {usableTib, str(trimBlanks(formatCapacity(usableTib)))},
        {static_cast<double>(order.allToOrder),
         formatDisksAndArrays(order.allToOrder, order.arrays)},
        count(order.arrays),
        {delivery.hostIops, formatRate(delivery.hostIops)},
        {delivery.mbps, formatRate(delivery.mbps)},
        {lossChance, formatLossChance(lossChance)},
        cost.priced ? FigureOfPlan{cost.cost, formatCost(cost.cost)} : noFigure(),
        per(cost.perUsableTib),
        per(cost.perThousandHostIops),
    }};
    for (std::size_t f = 0; f < figures.size(); ++f) {
        figures[f].text = grouping(figures[f].text, groupedFigure(kPrintedFigures[f].figure));
    }
    return figures;
}

} // namespace

namespace plan_document_parts {

DocumentSection keptPlansSection(const PlanDocumentInputs& inputs) {
    const DigitGrouping grouping(inputs.digitSeparator);
    const PlanFigure charted = printedFigureOf(inputs.chartFigure);
    DocumentTable table;
    table.headings = {"Plan", "Model"};
    table.numeric = {false, false};
    for (const PrintedFigure& column : kPrintedFigures) {
        if (column.inTable) {
            table.headings.emplace_back(column.heading);
            table.numeric.push_back(true);
        }
    }
    DocumentChart chart{chartCaption(planFigureName(charted)), {}};
    for (const KeptPlan& kept : inputs.keptPlans) {
        const auto figures = planFigures(kept.sheet, inputs.assumptions, grouping);
        DocumentLine line{{kept.name, str(Catalogue::modelName(kept.sheet.modelIndex))}};
        for (std::size_t f = 0; f < figures.size(); ++f) {
            if (kPrintedFigures[f].inTable) {
                line.cells.push_back(figures[f].text);
            }
        }
        table.lines.push_back(std::move(line));
        const FigureOfPlan& bar =
            figures[static_cast<std::size_t>(printedAs(charted) - kPrintedFigures.data())];
        chart.bars.push_back({kept.name, std::max(bar.value, 0.0), bar.text});
    }
    DocumentSection section{str(PlanDocumentWords::kKeptPlans), {}};
    section.blocks.emplace_back(DocumentParagraph{str(PlanDocumentWords::kKeptPlansFigured)});
    section.blocks.emplace_back(std::move(table));
    section.blocks.emplace_back(std::move(chart));
    return section;
}

} // namespace plan_document_parts

std::string_view planFigureName(PlanFigure figure) noexcept {
    const PrintedFigure* printed = printedAs(figure);
    return printed ? printed->heading : std::string_view{};
}

std::vector<KeptPlan> keptPlansOf(const KeptPlans& plans) {
    std::vector<KeptPlan> kept;
    kept.reserve(plans.size());
    for (const NamedPlan& plan : plans.plans()) {
        kept.push_back({plan.name, configSheetOf(plan.sheet)});
    }
    return kept;
}

PlanFigure printedFigureOf(std::optional<PlanFigure> charted) noexcept {
    const PlanFigure figure = charted.value_or(PlanFigure::UsableTb);
    switch (figure) {
    case PlanFigure::Disks:
        return PlanFigure::DisksWithSpares;
    case PlanFigure::Arrays:
        return PlanFigure::ArraysWithSpares;
    default:
        break;
    }
    return printedAs(figure) ? figure : PlanFigure::UsableTb;
}

} // namespace brim
