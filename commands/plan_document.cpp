#include "commands/plan_document.h"

#include "commands/plan_document_parts.h"
#include "commands/plan_document_texts.h"
#include "commands/planner_units.h"
#include "commands/sheet_performance_plan.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/spares.h"
#include "core/units.h"
#include "report/sheet_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brim {
namespace {

using plan_document_parts::assumptionsSection;
using plan_document_parts::Column;
using plan_document_parts::DigitGrouping;
using plan_document_parts::diskName;
using plan_document_parts::lineOf;
using plan_document_parts::str;
using plan_document_parts::tableWith;

// Costs and counts group their digits; the row numbers, capacities, hours, percentages and the
// per-disk assumptions do not.
// clang-format off
constexpr std::array<Column, kSheetTableFieldCount> kSheetColumns{{
    {kSheetTableHeadings[0], true, true}, {kSheetTableHeadings[1], false, false},
    {kSheetTableHeadings[2], false, false}, {kSheetTableHeadings[3], true, true},
    {kSheetTableHeadings[4], false, false}, {kSheetTableHeadings[5], true, false},
    {kSheetTableHeadings[6], true, false},
}};
// The sheet's totals in Copy Sheet's order: net GB, net TB, disks, arrays.
constexpr std::array<bool, 4> kTotalsGrouped{false, false, true, true};
constexpr auto kPerformanceColumns = std::to_array<Column>({
    {"Row", true, false}, {"Disk Type", false, false}, {"RAID Type", false, false},
    {"Disks/ Group", true, true}, {"Groups", true, true}, {"Host IOPS", true, true},
    {"MB/s", true, true}, {"Read-only MB/s", true, true}, {"Write-only MB/s", true, true},
    {"Rebuild h", true, false}, {"Read-error risk", true, false}, {"Loss/yr", true, false},
});
constexpr auto kOrderColumns = std::to_array<Column>({
    {"Disk Type", false, false}, {"In groups", true, true}, {"Spares", true, true},
    {"To order", true, true}, {"Cost", true, true},
});
constexpr std::array<Column, 6> kLossColumns{{
    {"Row", true, false}, {"Disk Type", false, false}, {"RAID Type", false, false},
    {"Groups", true, true}, {"Loss/yr, one group", true, false}, {"Loss/yr, the row", true, false},
}};
constexpr std::array<std::string_view, 12> kMonthNames{
    "January", "February", "March", "April", "May", "June", "July", "August", "September",
    "October", "November", "December",
};
// clang-format on
// A column the lines carry but the headings lack would print unnamed: the counts must agree.
static_assert(kPerformanceColumns.size() == kPerformanceColumnCount);
static_assert(kOrderColumns.size() == kOrderColumnCount);
static_assert(kTotalsGrouped.size() == std::tuple_size_v<decltype(SheetTableFields::totals)>);

std::string dateText(const CalendarDate& date) {
    const bool monthKnown = date.month >= 1 && date.month <= 12;
    const std::string month =
        monthKnown ? str(kMonthNames[static_cast<std::size_t>(date.month - 1)]) : "?";
    return std::to_string(date.day) + ' ' + month + ' ' + std::to_string(date.year);
}

// ---- the sheet ----------------------------------------------------------------------------

DocumentSection sheetSection(const ConfigSheet& sheet, const DigitGrouping& grouping) {
    const SheetTableFields fields = sheetTableFields(sheet);
    DocumentTable table = tableWith(kSheetColumns);
    for (const SheetTableLine& line : fields.lines) {
        table.lines.push_back(lineOf(line, kSheetColumns, grouping));
    }
    DocumentTable totals;
    totals.headings = {str(PlanDocumentWords::kTotals), ""};
    totals.numeric = {false, true};
    for (std::size_t t = 0; t < fields.totals.size(); ++t) {
        const SheetTableTotal& total = fields.totals[t];
        totals.lines.push_back({{str(total.label), grouping(total.text, kTotalsGrouped[t])}});
    }
    DocumentSection section{str(PlanDocumentWords::kSheet), {}};
    section.blocks.emplace_back(
        DocumentParagraph{modelSentence(fields.modelHeading, fields.modelName)});
    if (table.lines.empty()) {
        section.blocks.emplace_back(DocumentParagraph{str(PlanDocumentWords::kNoDefinition)});
    } else {
        section.blocks.emplace_back(std::move(table));
    }
    section.blocks.emplace_back(std::move(totals));
    return section;
}

// ---- what it delivers, the disks to order -------------------------------------------------

DocumentSection deliverySection(const SheetPerformancePlan& plan, int readPercent,
                                const DigitGrouping& grouping) {
    DocumentTable table = tableWith(kPerformanceColumns);
    for (const PerformanceTextLine& line : plan.performanceLines()) {
        table.lines.push_back(lineOf(line.cells, kPerformanceColumns, grouping));
        table.lines.back().acrossRest = line.brokenRule;
    }
    table.endsWithTotal = true;
    DocumentSection section{str(PlanDocumentWords::kDelivers), {}};
    section.blocks.emplace_back(DocumentParagraph{deliverySentence(readPercent)});
    section.blocks.emplace_back(std::move(table));
    return section;
}

std::string sparePolicyText(const SparePolicy& spares) {
    return sparePolicySentence(spares.disksPerSpare(), spares.minSparesPerType());
}

DocumentSection orderSection(const SheetPerformancePlan& plan, const SparePolicy& spares,
                             const DigitGrouping& grouping) {
    DocumentTable table = tableWith(kOrderColumns);
    for (const OrderTextLine& line : plan.orderLines()) {
        table.lines.push_back(lineOf(line, kOrderColumns, grouping));
    }
    table.endsWithTotal = true;
    DocumentSection section{str(PlanDocumentWords::kDisksToOrder), {}};
    section.blocks.emplace_back(DocumentParagraph{sparePolicyText(spares)});
    section.blocks.emplace_back(std::move(table));
    if (!plan.arraysLine().empty()) {
        // Its only figures are counts of arrays.
        section.blocks.emplace_back(DocumentParagraph{grouping(plan.arraysLine(), true)});
    }
    return section;
}

// ---- risk and cost ------------------------------------------------------------------------

DocumentLine lossLine(const LossLine& loss, const ConfigSheet& sheet, const RowDiskNames& names,
                      const DigitGrouping& grouping) {
    const GroupDefinition& row = sheet.rows[loss.rowIndex];
    DocumentLine line;
    line.cells.push_back(std::to_string(loss.rowIndex + 1));
    if (loss.kind == LossCase::BreaksRule) {
        line.cells.emplace_back(PlanDocumentWords::kRowBreaksRule);
        line.cells.resize(kLossColumns.size());
        line.acrossRest = true;
        return line;
    }
    const bool computed = loss.kind == LossCase::Computed;
    line.cells.push_back(str(diskName(names, loss.rowIndex, row.diskType, sheet.modelIndex)));
    line.cells.push_back(str(Catalogue::raidPickerName(row.raidType)));
    line.cells.push_back(grouping(std::to_string(loss.groupCount), kLossColumns[3].grouped));
    line.cells.push_back(computed ? formatLossChance(loss.groupChance) : str(kNoFigureText));
    line.cells.push_back(computed ? formatLossChance(loss.rowChance) : str(kNoFigureText));
    return line;
}

std::string costLeftOutText(const PlanCost& cost, const ConfigSheet& sheet,
                            const RowDiskNames& names) {
    std::string text;
    const auto add = [&text](std::string_view thing) {
        text += text.empty() ? str(kLeftOutOfCost) : ", ";
        text += thing;
    };
    for (std::size_t disk = 0; disk < cost.unpricedDiskTypes.size(); ++disk) {
        if (cost.unpricedDiskTypes[disk]) {
            add(disksOf(diskName(names, kRowCount - 1, static_cast<int>(disk), sheet.modelIndex)));
        }
    }
    if (cost.arrayUnpriced) {
        add(arraysOf(Catalogue::modelName(sheet.modelIndex)));
    }
    return text.empty() ? text : text + '.';
}

std::vector<DocumentParagraph> costParagraphs(const ConfigSheet& sheet,
                                              const PlanningAssumptions& assumptions,
                                              const RowDiskNames& names,
                                              const DigitGrouping& grouping) {
    const PlanCost cost = sheetCost(sheet, assumptions);
    if (!cost.priced) {
        return {{str(PlanDocumentWords::kNoCost)}};
    }
    std::vector<DocumentParagraph> lines{
        {orderCostSentence(grouping(formatCost(cost.cost), true))}};
    if (cost.perUsableTib) {
        lines.push_back({costPerTbSentence(grouping(formatCostPer(*cost.perUsableTib), true))});
    }
    if (cost.perThousandHostIops) {
        lines.push_back({costPerThousandIopsSentence(
            grouping(formatCostPer(*cost.perThousandHostIops), true))});
    }
    if (cost.leavesSomethingOut()) {
        lines.push_back({costLeftOutText(cost, sheet, names)});
    }
    return lines;
}

DocumentSection riskAndCostSection(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                                   const RowDiskNames& names, const DigitGrouping& grouping) {
    const SheetLoss loss = sheetLoss(sheet, assumptions);
    DocumentTable table = tableWith(kLossColumns);
    for (std::size_t i = 0; i < loss.count; ++i) {
        table.lines.push_back(lossLine(loss.lines[i], sheet, names, grouping));
    }
    DocumentSection section{str(PlanDocumentWords::kRiskAndCost), {}};
    section.blocks.emplace_back(
        DocumentParagraph{planLossSentence(formatLossChance(loss.planChance))});
    if (!table.lines.empty()) {
        section.blocks.emplace_back(std::move(table));
    }
    for (DocumentParagraph& line : costParagraphs(sheet, assumptions, names, grouping)) {
        section.blocks.emplace_back(std::move(line));
    }
    return section;
}

} // namespace

std::string_view plan_document_parts::diskName(const RowDiskNames& names, std::size_t rowIndex,
                                               int diskType, int modelIndex) {
    const std::span<const std::string_view> entries = names[rowIndex];
    if (diskType >= 0 && static_cast<std::size_t>(diskType) < entries.size()) {
        return trimBlanks(entries[static_cast<std::size_t>(diskType)]);
    }
    return Catalogue::diskReportName(diskType, modelIndex);
}

DocumentTable plan_document_parts::tableWith(std::span<const Column> columns) {
    DocumentTable table;
    for (const Column& column : columns) {
        table.headings.emplace_back(column.heading);
        table.numeric.push_back(column.numeric);
    }
    return table;
}

std::string pageFooterText(int page, int pageCount) {
    return pageFooterWords(page, pageCount);
}

PlanDocument planDocument(const PlanDocumentInputs& inputs) {
    // The plan edits the assumptions it is given; the document only reads them.
    PlanningAssumptions assumptions = inputs.assumptions;
    const SheetPerformancePlan plan(inputs.sheet, assumptions, inputs.names);
    const DigitGrouping grouping(inputs.digitSeparator);
    PlanDocument document;
    document.title =
        planTitle(Catalogue::modelName(inputs.sheet.modelIndex), dateText(inputs.date));
    document.sections.push_back(sheetSection(inputs.sheet, grouping));
    document.sections.push_back(
        deliverySection(plan, assumptions.workload.readPercent(), grouping));
    document.sections.push_back(orderSection(plan, assumptions.spares, grouping));
    document.sections.push_back(
        riskAndCostSection(inputs.sheet, assumptions, inputs.names, grouping));
    document.sections.push_back(plan_document_parts::yearsAheadSection(inputs));
    if (!inputs.keptPlans.empty()) {
        document.sections.push_back(plan_document_parts::keptPlansSection(inputs));
    }
    document.sections.push_back(assumptionsSection(inputs));
    return document;
}

} // namespace brim
