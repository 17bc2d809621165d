#include "plan_document.h"

#include "blanks.h"
#include "catalogue.h"
#include "data_loss.h"
#include "performance.h"
#include "plan_cost.h"
#include "sheet_performance_plan.h"
#include "sheet_table.h"
#include "spares.h"
#include "units.h"

#include <algorithm>
#include <array>
#include <utility>

namespace brim {
namespace {

struct Column {
    std::string_view heading;
    bool numeric;
};

// clang-format off
constexpr auto kPerformanceColumns = std::to_array<Column>({
    {"Row", true}, {"Disk Type", false}, {"RAID Type", false}, {"Disks/ Group", true},
    {"Groups", true}, {"Host IOPS", true}, {"MB/s", true}, {"Read-only MB/s", true},
    {"Write-only MB/s", true}, {"Rebuild h", true}, {"Read-error risk", false},
    {"Loss/yr", true},
});
constexpr auto kOrderColumns = std::to_array<Column>({
    {"Disk Type", false}, {"In groups", true}, {"Spares", true}, {"To order", true},
    {"Cost", true},
});
constexpr std::array<Column, 6> kLossColumns{{
    {"Row", true}, {"Disk Type", false}, {"RAID Type", false}, {"Groups", true},
    {"Loss/yr, one group", true}, {"Loss/yr, the row", true},
}};
constexpr std::array<Column, 7> kDiskFigureColumns{{
    {"Disk Type", false}, {"IOPS", true}, {"MB/s", true}, {"Bits per read error", true},
    {"Rebuild MB/s", true}, {"AFR", true}, {"Price per disk", true},
}};
constexpr std::array<std::string_view, kPlanFigureCount> kPlanFigureNames{
    "Usable TB", "Disks / arrays to order", "Arrays", "Host IOPS", "MB/s", "Loss/yr", "Cost",
};
constexpr std::array<std::string_view, 12> kMonthNames{
    "January", "February", "March", "April", "May", "June", "July", "August", "September",
    "October", "November", "December",
};
// clang-format on
// A column the lines carry but the headings lack would print unnamed: the counts must agree.
static_assert(kPerformanceColumns.size() == kPerformanceColumnCount);
static_assert(kOrderColumns.size() == kOrderColumnCount);

constexpr std::string_view kNotPriced = "not priced";
constexpr std::string_view kPowerOfTen = "10^";

template <std::size_t N> DocumentTable tableWith(const std::array<Column, N>& columns) {
    DocumentTable table;
    for (const Column& column : columns) {
        table.headings.emplace_back(column.heading);
        table.numeric.push_back(column.numeric);
    }
    return table;
}

std::string str(std::string_view text) {
    return std::string(text);
}

std::string dateText(const CalendarDate& date) {
    const bool monthKnown = date.month >= 1 && date.month <= 12;
    const std::string month =
        monthKnown ? str(kMonthNames[static_cast<std::size_t>(date.month - 1)]) : "?";
    return std::to_string(date.day) + ' ' + month + ' ' + std::to_string(date.year);
}

std::string trimmed(const std::string& text) {
    return str(trimBlanks(text));
}

// The name a row's own Disk Type list gives its disk, as the windows show it.
std::string_view diskName(const RowDiskNames& names, std::size_t rowIndex, int diskType,
                          int modelIndex) {
    const std::span<const std::string_view> entries = names[rowIndex];
    if (diskType >= 0 && static_cast<std::size_t>(diskType) < entries.size()) {
        return trimBlanks(entries[static_cast<std::size_t>(diskType)]);
    }
    return Catalogue::diskReportName(diskType, modelIndex);
}

std::string priceText(std::int64_t hundredths) {
    return hundredths == 0 ? str(kNotPriced) : formatHundredths(hundredths);
}

// ---- the sheet ----------------------------------------------------------------------------

DocumentSection sheetSection(const ConfigSheet& sheet) {
    const SheetTableFields fields = sheetTableFields(sheet);
    DocumentTable table;
    for (const std::string_view heading : kSheetTableHeadings) {
        table.headings.emplace_back(heading);
    }
    // Groups, disk type, RAID type, disks per group, vault, two capacities.
    table.numeric = {true, false, false, true, false, true, true};
    for (const SheetTableLine& line : fields.lines) {
        table.lines.push_back({{line.begin(), line.end()}});
    }
    DocumentTable totals;
    totals.headings = {"Totals", ""};
    totals.numeric = {false, true};
    for (const SheetTableTotal& total : fields.totals) {
        totals.lines.push_back({{str(total.label), total.text}});
    }
    DocumentSection section{"The sheet", {}};
    section.blocks.emplace_back(
        DocumentParagraph{str(fields.modelHeading) + ": " + str(fields.modelName) + '.'});
    if (table.lines.empty()) {
        section.blocks.emplace_back(DocumentParagraph{"No definition has groups."});
    } else {
        section.blocks.emplace_back(std::move(table));
    }
    section.blocks.emplace_back(std::move(totals));
    return section;
}

// ---- what it delivers, the disks to order -------------------------------------------------

DocumentSection deliverySection(const SheetPerformancePlan& plan, int readPercent) {
    DocumentTable table = tableWith(kPerformanceColumns);
    for (const PerformanceTextLine& line : plan.performanceLines()) {
        table.lines.push_back({{line.cells.begin(), line.cells.end()}, line.brokenRule});
    }
    table.endsWithTotal = true;
    DocumentSection section{"What the sheet delivers", {}};
    section.blocks.emplace_back(DocumentParagraph{
        "Each definition checked by itself, at " + std::to_string(readPercent) +
        " % reads: host IOPS and MB/s at that mix, MB/s when it only reads and only writes, the "
        "hours to rebuild one failed disk and the chance that the rebuild meets an unreadable "
        "sector."});
    section.blocks.emplace_back(std::move(table));
    return section;
}

std::string sparePolicyText(const SparePolicy& spares) {
    return "One hot spare per " + std::to_string(spares.disksPerSpare()) +
           " disks of each type in use, at least " + std::to_string(spares.minSparesPerType()) +
           " of each.";
}

DocumentSection orderSection(const SheetPerformancePlan& plan, const SparePolicy& spares) {
    DocumentTable table = tableWith(kOrderColumns);
    for (const OrderTextLine& line : plan.orderLines()) {
        table.lines.push_back({{line.begin(), line.end()}});
    }
    table.endsWithTotal = true;
    DocumentSection section{"Disks to order", {}};
    section.blocks.emplace_back(DocumentParagraph{sparePolicyText(spares)});
    section.blocks.emplace_back(std::move(table));
    if (!plan.arraysLine().empty()) {
        section.blocks.emplace_back(DocumentParagraph{plan.arraysLine()});
    }
    return section;
}

// ---- risk and cost ------------------------------------------------------------------------

DocumentLine lossLine(const LossLine& loss, const ConfigSheet& sheet, const RowDiskNames& names) {
    const GroupDefinition& row = sheet.rows[loss.rowIndex];
    DocumentLine line;
    line.cells.push_back(std::to_string(loss.rowIndex + 1));
    if (loss.kind == LossCase::BreaksRule) {
        line.cells.emplace_back("Breaks a rule: left out of the plan's chance.");
        line.cells.resize(kLossColumns.size());
        line.acrossRest = true;
        return line;
    }
    const bool computed = loss.kind == LossCase::Computed;
    line.cells.push_back(str(diskName(names, loss.rowIndex, row.diskType, sheet.modelIndex)));
    line.cells.push_back(str(Catalogue::raidPickerName(row.raidType)));
    line.cells.push_back(std::to_string(loss.groupCount));
    line.cells.push_back(computed ? formatLossChance(loss.groupChance) : str(kNoFigureText));
    line.cells.push_back(computed ? formatLossChance(loss.rowChance) : str(kNoFigureText));
    return line;
}

std::string costLeftOutText(const PlanCost& cost, const ConfigSheet& sheet,
                            const RowDiskNames& names) {
    std::string text;
    const auto add = [&text](std::string_view thing) {
        text += text.empty() ? "Not priced, so left out of the cost: " : ", ";
        text += thing;
    };
    for (std::size_t disk = 0; disk < cost.unpricedDiskTypes.size(); ++disk) {
        if (cost.unpricedDiskTypes[disk]) {
            add(str(diskName(names, kRowCount - 1, static_cast<int>(disk), sheet.modelIndex)) +
                " disks");
        }
    }
    if (cost.arrayUnpriced) {
        add(str(Catalogue::modelName(sheet.modelIndex)) + " arrays");
    }
    return text.empty() ? text : text + '.';
}

std::vector<DocumentParagraph> costParagraphs(const ConfigSheet& sheet,
                                              const PlanningAssumptions& assumptions,
                                              const RowDiskNames& names) {
    const PlanCost cost = sheetCost(sheet, assumptions);
    if (!cost.priced) {
        return {{"No price is set for the disks or arrays this plan orders, so it has no cost."}};
    }
    std::vector<DocumentParagraph> lines{
        {"Cost of the disks to order, spares included, and the arrays they need: " +
         formatCost(cost.cost) + '.'}};
    if (cost.perUsableTib) {
        lines.push_back({"Cost per usable TB: " + formatCostPer(*cost.perUsableTib) + '.'});
    }
    if (cost.perThousandHostIops) {
        lines.push_back(
            {"Cost per 1000 host IOPS: " + formatCostPer(*cost.perThousandHostIops) + '.'});
    }
    if (cost.leavesSomethingOut()) {
        lines.push_back({costLeftOutText(cost, sheet, names)});
    }
    return lines;
}

DocumentSection riskAndCostSection(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                                   const RowDiskNames& names) {
    const SheetLoss loss = sheetLoss(sheet, assumptions);
    DocumentTable table = tableWith(kLossColumns);
    for (std::size_t i = 0; i < loss.count; ++i) {
        table.lines.push_back(lossLine(loss.lines[i], sheet, names));
    }
    DocumentSection section{"Risk and cost", {}};
    section.blocks.emplace_back(DocumentParagraph{"Chance of losing data in a year, the whole "
                                                  "plan: " +
                                                  formatLossChance(loss.planChance) + '.'});
    if (!table.lines.empty()) {
        section.blocks.emplace_back(std::move(table));
    }
    for (DocumentParagraph& line : costParagraphs(sheet, assumptions, names)) {
        section.blocks.emplace_back(std::move(line));
    }
    return section;
}

// ---- kept plans ---------------------------------------------------------------------------

struct FigureOfPlan {
    double value = 0.0;
    std::string text;
};

// Every figure of one kept plan, as its line in the comparison table and its bar.
std::array<FigureOfPlan, kPlanFigureCount> planFigures(const ConfigSheet& sheet,
                                                       const PlanningAssumptions& assumptions) {
    const double usableTib = sheetUsableTib(sheet);
    const DisksToOrder order = sheetDisksToOrder(sheet, assumptions.spares);
    const Delivery delivery =
        sheetPerformance(sheet, assumptions.disks, assumptions.workload.readShare()).total;
    const double lossChance = sheetLoss(sheet, assumptions).planChance;
    const PlanCost cost = sheetCost(sheet, assumptions);
    const auto count = [](std::uint64_t n) {
        return FigureOfPlan{static_cast<double>(n), std::to_string(n)};
    };
    return {{
        {usableTib, trimmed(formatCapacity(usableTib))},
        {static_cast<double>(order.allToOrder),
         formatDisksAndArrays(order.allToOrder, order.arrays)},
        count(order.arrays),
        {delivery.hostIops, formatRate(delivery.hostIops)},
        {delivery.mbps, formatRate(delivery.mbps)},
        {lossChance, formatLossChance(lossChance)},
        {cost.priced ? cost.cost : 0.0, cost.priced ? formatCost(cost.cost) : str(kNoFigureText)},
    }};
}

// The comparison leaves out the arrays' own column: "disks / arrays" already holds them.
constexpr bool inComparisonTable(PlanFigure figure) noexcept {
    return figure != PlanFigure::Arrays;
}

DocumentSection keptPlansSection(const PlanDocumentInputs& inputs) {
    const PlanFigure charted = inputs.chartFigure.value_or(PlanFigure::UsableTb);
    DocumentTable table;
    table.headings = {"Plan", "Model"};
    table.numeric = {false, false};
    for (std::size_t f = 0; f < kPlanFigureCount; ++f) {
        if (inComparisonTable(static_cast<PlanFigure>(f))) {
            table.headings.emplace_back(kPlanFigureNames[f]);
            table.numeric.push_back(true);
        }
    }
    BarChart chart{str(planFigureName(charted)) + " of each kept plan", {}};
    for (const KeptPlan& kept : inputs.keptPlans) {
        const auto figures = planFigures(kept.sheet, inputs.assumptions);
        DocumentLine line{{kept.name, str(Catalogue::modelName(kept.sheet.modelIndex))}};
        for (std::size_t f = 0; f < kPlanFigureCount; ++f) {
            if (inComparisonTable(static_cast<PlanFigure>(f))) {
                line.cells.push_back(figures[f].text);
            }
        }
        table.lines.push_back(std::move(line));
        const FigureOfPlan& bar = figures[static_cast<std::size_t>(charted)];
        chart.bars.push_back({kept.name, std::max(bar.value, 0.0), bar.text});
    }
    DocumentSection section{"Kept plans", {}};
    section.blocks.emplace_back(DocumentParagraph{
        "Each kept plan figured with the assumptions below, disks to order with their spares."});
    section.blocks.emplace_back(std::move(table));
    section.blocks.emplace_back(std::move(chart));
    return section;
}

// ---- assumptions --------------------------------------------------------------------------

// The disk types the model's family offers, then any other that a kept plan uses.
std::vector<std::pair<int, std::string>> disksToList(const PlanDocumentInputs& inputs) {
    std::vector<std::pair<int, std::string>> disks;
    const auto listed = [&disks](int disk) {
        return std::any_of(disks.begin(), disks.end(),
                           [disk](const auto& entry) { return entry.first == disk; });
    };
    const int model = inputs.sheet.modelIndex;
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (usableDiskKib(model, disk, false) != 0) {
            disks.emplace_back(disk, str(diskName(inputs.names, kRowCount - 1, disk, model)));
        }
    }
    for (const KeptPlan& kept : inputs.keptPlans) {
        for (const GroupDefinition& row : kept.sheet.rows) {
            if (row.groupCount != 0 && Catalogue::diskType(row.diskType) && !listed(row.diskType)) {
                disks.emplace_back(row.diskType, str(Catalogue::diskReportName(
                                                     row.diskType, kept.sheet.modelIndex)));
            }
        }
    }
    return disks;
}

DocumentTable diskFiguresTable(const PlanDocumentInputs& inputs) {
    DocumentTable table = tableWith(kDiskFigureColumns);
    for (const auto& [disk, name] : disksToList(inputs)) {
        const DiskFigures* figures = inputs.assumptions.disks.figures(disk);
        if (figures == nullptr) {
            continue;
        }
        table.lines.push_back(
            {{name, std::to_string(figures->randomIops), std::to_string(figures->sequentialMbps),
              str(kPowerOfTen) + std::to_string(figures->readErrorExponent),
              std::to_string(figures->rebuildMbps),
              formatHundredths(figures->annualFailureHundredths) + "%",
              priceText(inputs.assumptions.prices.diskHundredths(disk))}});
    }
    return table;
}

std::string arrayPricesText(const PlanDocumentInputs& inputs) {
    std::vector<int> models{inputs.sheet.modelIndex};
    for (const KeptPlan& kept : inputs.keptPlans) {
        if (std::find(models.begin(), models.end(), kept.sheet.modelIndex) == models.end()) {
            models.push_back(kept.sheet.modelIndex);
        }
    }
    std::string text = "Price per array:";
    for (std::size_t i = 0; i < models.size(); ++i) {
        text += (i == 0 ? " " : "; ") + str(Catalogue::modelName(models[i])) + ' ' +
                priceText(inputs.assumptions.prices.arrayHundredths(models[i]));
    }
    return text + '.';
}

DocumentSection assumptionsSection(const PlanDocumentInputs& inputs) {
    const PlanningAssumptions& assumptions = inputs.assumptions;
    DocumentSection section{"Assumptions", {}};
    section.blocks.emplace_back(DocumentParagraph{
        "Every planning figure the pages above rest on, per disk: random IOPS, sequential MB/s, "
        "bits read per unrecoverable read error, rebuild rate, annual failure rate (AFR) and "
        "price."});
    section.blocks.emplace_back(diskFiguresTable(inputs));
    section.blocks.emplace_back(DocumentParagraph{arrayPricesText(inputs)});
    section.blocks.emplace_back(
        DocumentParagraph{"Hot spares: " + sparePolicyText(assumptions.spares)});
    section.blocks.emplace_back(
        DocumentParagraph{"Reads: " + std::to_string(assumptions.workload.readPercent()) +
                          " % of host operations; writes the rest."});
    section.blocks.emplace_back(
        DocumentParagraph{"Hours before a rebuild starts: " +
                          std::to_string(assumptions.rebuildWait.hoursBeforeRebuild()) + '.'});
    section.blocks.emplace_back(
        DocumentParagraph{"Capacities are binary: GB is 2^30 bytes, TB 2^40 bytes, MB/s "
                          "2^20 bytes a second. Prices are in the currency of the quote."});
    return section;
}

} // namespace

std::string_view planFigureName(PlanFigure figure) noexcept {
    const auto index = static_cast<std::size_t>(figure);
    return index < kPlanFigureNames.size() ? kPlanFigureNames[index] : std::string_view{};
}

std::string pageFooterText(int page, int pageCount) {
    return "page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

PlanDocument planDocument(const PlanDocumentInputs& inputs) {
    // The plan edits the assumptions it is given; the document only reads them.
    PlanningAssumptions assumptions = inputs.assumptions;
    const SheetPerformancePlan plan(inputs.sheet, assumptions, inputs.names);
    PlanDocument document;
    document.title = "Brimcount plan for a " + str(Catalogue::modelName(inputs.sheet.modelIndex)) +
                     ", " + dateText(inputs.date);
    document.sections.push_back(sheetSection(inputs.sheet));
    document.sections.push_back(deliverySection(plan, assumptions.workload.readPercent()));
    document.sections.push_back(orderSection(plan, assumptions.spares));
    document.sections.push_back(riskAndCostSection(inputs.sheet, assumptions, inputs.names));
    if (!inputs.keptPlans.empty()) {
        document.sections.push_back(keptPlansSection(inputs));
    }
    document.sections.push_back(assumptionsSection(inputs));
    return document;
}

std::vector<KeptPlan> keptPlansOf(const KeptPlans& plans) {
    std::vector<KeptPlan> kept;
    kept.reserve(plans.size());
    for (const NamedPlan& plan : plans.plans()) {
        kept.push_back({plan.name, configSheetOf(plan.sheet)});
    }
    return kept;
}

PlanFigure printedFigureOf(std::optional<ComparedFigure> charted) noexcept {
    switch (charted.value_or(ComparedFigure::UsableTb)) {
    case ComparedFigure::Disks:
    case ComparedFigure::DisksWithSpares:
        return PlanFigure::DisksToOrder;
    case ComparedFigure::Arrays:
    case ComparedFigure::ArraysWithSpares:
        return PlanFigure::Arrays;
    case ComparedFigure::HostIops:
        return PlanFigure::HostIops;
    case ComparedFigure::Mbps:
        return PlanFigure::Mbps;
    case ComparedFigure::LossChance:
        return PlanFigure::LossChance;
    case ComparedFigure::Cost:
    case ComparedFigure::CostPerUsableTb:
    case ComparedFigure::CostPerThousandIops:
        return PlanFigure::Cost;
    default:
        return PlanFigure::UsableTb;
    }
}

} // namespace brim
