// The printed plan's years ahead: the Growth Plan window's schedule as two tables (what each year
// holds, and what it buys and costs), the chart of usable TB installed against each year's need,
// and its sentences, all made by the same functions as the window's.

#include "commands/growth_texts.h"
#include "commands/plan_document_parts.h"
#include "commands/plan_document_texts.h"
#include "core/growth_schedule.h"

#include <algorithm>
#include <array>
#include <span>

namespace brim {
namespace {

using plan_document_parts::Column;
using plan_document_parts::DigitGrouping;
using plan_document_parts::lineOf;
using plan_document_parts::str;
using plan_document_parts::tableWith;

// Seventeen columns do not fit a portrait page: the schedule prints as two tables, each led by
// the year.
constexpr auto kHoldsColumns = std::to_array<GrowthColumn>({
    GrowthColumn::Year,
    GrowthColumn::NeedTb,
    GrowthColumn::SizedBy,
    GrowthColumn::Groups,
    GrowthColumn::UsableTb,
    GrowthColumn::HostIops,
    GrowthColumn::DisksToOrder,
    GrowthColumn::Arrays,
    GrowthColumn::LossPerYear,
});
constexpr auto kBuysColumns = std::to_array<GrowthColumn>({
    GrowthColumn::Year,
    GrowthColumn::BuyDisks,
    GrowthColumn::BuyArrays,
    GrowthColumn::Purchase,
    GrowthColumn::Kw,
    GrowthColumn::Energy,
    GrowthColumn::Support,
    GrowthColumn::Cost,
    GrowthColumn::Cumulative,
});

DocumentTable scheduleTable(std::span<const GrowthColumn> shown, const GrowthPlanTexts& texts,
                            const DigitGrouping& grouping) {
    std::vector<Column> columns;
    for (const GrowthColumn column : shown) {
        const TextColumn& words = kGrowthColumns[static_cast<std::size_t>(column)];
        columns.push_back({words.heading, words.numeric, words.grouped});
    }
    DocumentTable table = tableWith(columns);
    // The window sets a heading on two lines; the page wraps it where its column needs.
    for (std::string& heading : table.headings) {
        std::replace(heading.begin(), heading.end(), '\n', ' ');
    }
    for (const GrowthTextLine& line : texts.lines) {
        std::vector<std::string> cells;
        for (const GrowthColumn column : shown) {
            cells.push_back(line[static_cast<std::size_t>(column)]);
        }
        table.lines.push_back(lineOf(cells, columns, grouping));
    }
    table.endsWithTotal = true;
    return table;
}

DocumentChart scheduleChart(const GrowthChart& chart) {
    DocumentChart printed{str(PlanDocumentWords::kYearsChart), {}};
    for (const GrowthChartYear& year : chart.years) {
        printed.bars.push_back({year.label, year.usableTib,
                                yearBarText(year.usableText, year.needText), year.needTib});
    }
    return printed;
}

// A sentence groups its costs and counts as the tables do.
void addParagraph(DocumentSection& section, const std::string& text,
                  const DigitGrouping& grouping) {
    if (!text.empty()) {
        section.blocks.emplace_back(DocumentParagraph{grouping(text, true)});
    }
}

} // namespace

DocumentSection plan_document_parts::yearsAheadSection(const PlanDocumentInputs& inputs) {
    DocumentSection section{str(PlanDocumentWords::kYearsAhead), {}};
    const GrowthInputs growth{inputs.sheet, inputs.assumptions, inputs.workload};
    const GrowthSchedule schedule = growthSchedule(growth);
    const GrowthPlanTexts texts = growthPlanTexts(schedule, growth, inputs.names[kRowCount - 1]);
    const DigitGrouping grouping(inputs.digitSeparator);
    for (const std::string& note : texts.notes) {
        addParagraph(section, note, grouping);
    }
    if (texts.lines.empty()) {
        return section;
    }
    addParagraph(section, texts.growthRow, grouping);
    addParagraph(section, texts.workload, grouping);
    section.blocks.emplace_back(scheduleTable(kHoldsColumns, texts, grouping));
    section.blocks.emplace_back(scheduleTable(kBuysColumns, texts, grouping));
    section.blocks.emplace_back(scheduleChart(texts.chart));
    addParagraph(section, texts.runOut, grouping);
    addParagraph(section, texts.total, grouping);
    addParagraph(section, texts.leftOut, grouping);
    return section;
}

} // namespace brim
