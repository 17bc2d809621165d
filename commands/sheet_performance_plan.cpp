#include "commands/sheet_performance_plan.h"

#include "commands/planner_texts.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/planner_inputs.h"
#include "core/sheet_exchange.h"
#include "core/spares.h"
#include "core/units.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

namespace brim {
namespace {

constexpr std::string_view kTotalText = "Total";
constexpr std::string_view kArraysText = "Arrays";
// A typed error rate may keep the base it is shown with: "10^17" as well as "17".
constexpr std::string_view kPowerOfTen = "10^";

std::size_t slot(PlanField field) noexcept {
    return static_cast<std::size_t>(field);
}

std::string shownFigure(const DiskFigureColumn& figure, std::int64_t value) {
    switch (figure.form) {
    case FigureForm::PowerOfTen:
        return std::string(kPowerOfTen) + std::to_string(value);
    case FigureForm::Hundredths:
        return formatHundredths(value);
    case FigureForm::Whole:
        break;
    }
    return std::to_string(value);
}

// "a whole number from 1 to 100000", "a power of ten from 12 to 18", "a number from 0.01 to 50
// with up to two decimals".
std::string allowedText(const DiskFigureColumn& figure) {
    const std::int64_t lowest = figure.range.lowest;
    const std::int64_t highest = figure.range.highest;
    switch (figure.form) {
    case FigureForm::PowerOfTen:
        return "a power of ten from " + std::to_string(lowest) + " to " + std::to_string(highest);
    case FigureForm::Hundredths:
        return "a number from " + formatHundredths(lowest) + " to " + formatHundredths(highest) +
               " with up to two decimals";
    case FigureForm::Whole:
        break;
    }
    return "a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
}

// The figure typed, in the unit it is kept in; nothing when it is refused.
std::optional<std::int64_t> typedFigure(const DiskFigureColumn& figure, std::string_view text) {
    if (figure.form == FigureForm::Hundredths) {
        const HundredthsParse parsed = parseHundredths(text, figure.range);
        return parsed.taken() ? std::optional(parsed.hundredths) : std::nullopt;
    }
    const std::string_view trimmed = trimBlanks(text);
    const bool base = figure.form == FigureForm::PowerOfTen && trimmed.starts_with(kPowerOfTen);
    const WholeNumberParse parsed =
        parseWholeNumber(base ? trimmed.substr(kPowerOfTen.size()) : text, figure.range);
    return parsed.taken() ? std::optional(parsed.value) : std::nullopt;
}

// Takes a field's text into its assumption; the note saying why when it is refused.
std::string_view storeField(PlanningAssumptions& assumptions, int modelIndex, PlanField field,
                            std::string_view text) {
    const auto store = [&](const auto& range, auto setter) {
        const WholeNumberParse parsed = parseWholeNumber(text, range);
        if (!parsed.taken()) {
            return parsed.refusal;
        }
        return setter(parsed.value) ? InputRefusal::None : InputRefusal::AboveRange;
    };
    switch (field) {
    case PlanField::ReadPercent:
        return readPercentRefusal(store(kReadPercentRange, [&](std::int64_t v) {
            return assumptions.workload.setReadPercent(v);
        }));
    case PlanField::DisksPerSpare:
        return disksPerSpareRefusal(store(kDisksPerSpareRange, [&](std::int64_t v) {
            return assumptions.spares.setDisksPerSpare(v);
        }));
    case PlanField::MinSparesPerType:
        return minSparesPerTypeRefusal(store(kMinSparesPerTypeRange, [&](std::int64_t v) {
            return assumptions.spares.setMinSparesPerType(v);
        }));
    case PlanField::HoursBeforeRebuild:
        return hoursBeforeRebuildRefusal(store(kHoursBeforeRebuildRange, [&](std::int64_t v) {
            return assumptions.rebuildWait.setHoursBeforeRebuild(v);
        }));
    case PlanField::ArrayPrice: {
        const HundredthsParse parsed = parseHundredths(text, kPriceHundredthsRange);
        const bool stored =
            parsed.taken() && assumptions.prices.setArrayHundredths(modelIndex, parsed.hundredths);
        return arrayPriceRefusal(parsed.taken() && !stored ? DecimalRefusal::OutOfRange
                                                           : parsed.refusal);
    }
    }
    return {};
}

// Host IOPS and MB/s as whole numbers, the dash for 0.
void writeDelivery(PerformanceTextLine& text, const Delivery& delivery) {
    auto cell = [&text](PerformanceColumn column) -> std::string& {
        return text.cells[static_cast<std::size_t>(column)];
    };
    cell(PerformanceColumn::HostIops) = formatRate(delivery.hostIops);
    cell(PerformanceColumn::Mbps) = formatRate(delivery.mbps);
    cell(PerformanceColumn::ReadOnlyMbps) = formatRate(delivery.readOnlyMbps);
    cell(PerformanceColumn::WriteOnlyMbps) = formatRate(delivery.writeOnlyMbps);
}

// "Loss/yr" of a row computed by itself; the dash for a row with no layout.
std::string lossText(const LossLine* loss) {
    return loss && loss->kind == LossCase::Computed ? formatLossChance(loss->rowChance)
                                                    : std::string(kNoFigureText);
}

const LossLine* lossOfRow(const SheetLoss& loss, std::size_t rowIndex) {
    const auto* end = loss.lines.begin() + static_cast<std::ptrdiff_t>(loss.count);
    const auto* found = std::find_if(loss.lines.begin(), end, [rowIndex](const LossLine& line) {
        return line.rowIndex == rowIndex;
    });
    return found == end ? nullptr : found;
}

PerformanceTextLine textLine(PerformanceLine& line, std::string_view diskName,
                             const SheetLoss& loss) {
    PerformanceTextLine text;
    auto cell = [&text](PerformanceColumn column) -> std::string& {
        return text.cells[static_cast<std::size_t>(column)];
    };
    cell(PerformanceColumn::Row) = std::to_string(line.rowIndex + 1);
    if (!line.brokenRule.empty()) {
        text.brokenRule = true;
        cell(PerformanceColumn::DiskType) = std::move(line.brokenRule);
        return text;
    }
    cell(PerformanceColumn::DiskType) = diskName;
    cell(PerformanceColumn::RaidType) = Catalogue::raidPickerName(line.raidType);
    cell(PerformanceColumn::DisksPerGroup) = numberText(line.disksPerGroup);
    cell(PerformanceColumn::Groups) = numberText(line.groupCount);
    writeDelivery(text, line.delivery);
    cell(PerformanceColumn::RebuildHours) = rebuildHoursText(line.rebuild);
    cell(PerformanceColumn::ReadErrorRisk) = readErrorRiskText(line.rebuild);
    cell(PerformanceColumn::LossPerYear) = lossText(lossOfRow(loss, line.rowIndex));
    return text;
}

// The plan's chance of loss over the rows computed; the dash when none is.
PerformanceTextLine totalLine(const Delivery& total, const SheetLoss& loss) {
    PerformanceTextLine text;
    text.cells[static_cast<std::size_t>(PerformanceColumn::Row)] = kTotalText;
    writeDelivery(text, total);
    const auto* end = loss.lines.begin() + static_cast<std::ptrdiff_t>(loss.count);
    const bool computed = std::any_of(loss.lines.begin(), end, [](const LossLine& line) {
        return line.kind == LossCase::Computed;
    });
    text.cells[static_cast<std::size_t>(PerformanceColumn::LossPerYear)] =
        computed ? formatLossChance(loss.planChance) : std::string(kNoFigureText);
    return text;
}

// Count × a price in hundredths, as the Cost column shows it; the dash while the plan is not
// priced or this price is 0.
std::string pricedText(const PlanCost& cost, std::uint64_t count, std::int64_t hundredths) {
    if (!cost.priced || hundredths == 0) {
        return std::string(kNoFigureText);
    }
    return formatCost(static_cast<double>(count) * static_cast<double>(hundredths) / 100.0);
}

std::string costPerText(const std::optional<double>& cost) {
    return cost ? formatCostPer(*cost) : std::string(kNoFigureText);
}

std::string arraysText(const DisksToOrder& order, int modelIndex) {
    if (order.allToOrder == 0) {
        return {};
    }
    std::string text = "The disks to order need " + countOf(order.arrays, "array") + " of the " +
                       std::string(Catalogue::modelName(modelIndex));
    if (order.extraArrays != 0) {
        text += ": the spares need " + countOf(order.extraArrays, "more array") + " than the " +
                std::to_string(order.arraysWithoutSpares) + " D/SPEs Required";
    }
    return text + '.';
}

// "The plan costs 123456: 1520 per usable TB, 18.4 per 1000 host IOPS.", and what it leaves out.
std::string costText(const PlanCost& cost, std::span<const std::string_view> unpricedDisks,
                     int modelIndex) {
    if (!cost.priced) {
        return {};
    }
    std::string text = "The plan costs " + formatCost(cost.cost) + ": " +
                       costPerText(cost.perUsableTib) + " per usable TB, " +
                       costPerText(cost.perThousandHostIops) + " per 1000 host IOPS.";
    if (!cost.leavesSomethingOut()) {
        return text;
    }
    std::string unpriced;
    const auto name = [&unpriced](std::string_view thing) {
        unpriced += (unpriced.empty() ? "" : ", ") + std::string(thing);
    };
    std::ranges::for_each(unpricedDisks, name);
    if (cost.arrayUnpriced) {
        name("the " + std::string(Catalogue::modelName(modelIndex)) + " array");
    }
    return text + " Not priced: " + unpriced + '.';
}

} // namespace

SheetPerformancePlan::SheetPerformancePlan(const ConfigSheet& sheet,
                                           PlanningAssumptions& assumptions,
                                           const RowDiskNames& names)
    : sheet_(sheet), assumptions_(assumptions), names_(names),
      diskTypes_(offeredDiskTypes(sheet.modelIndex, names[kRowCount - 1])) {
    refresh();
}

std::string_view SheetPerformancePlan::diskName(std::size_t rowIndex, int diskType) const {
    return diskNameInList(names_[rowIndex], diskType, sheet_.modelIndex);
}

std::string SheetPerformancePlan::fieldText(PlanField field) const {
    switch (field) {
    case PlanField::ReadPercent:
        return numberText(static_cast<std::uint32_t>(assumptions_.workload.readPercent()));
    case PlanField::DisksPerSpare:
        return numberText(assumptions_.spares.disksPerSpare());
    case PlanField::MinSparesPerType:
        return numberText(assumptions_.spares.minSparesPerType());
    case PlanField::ArrayPrice:
        return formatHundredths(assumptions_.prices.arrayHundredths(sheet_.modelIndex));
    case PlanField::HoursBeforeRebuild:
        return std::to_string(assumptions_.rebuildWait.hoursBeforeRebuild());
    }
    return {};
}

// "% reads" moves the host IOPS a cost is counted per, the hours the chance of loss: every
// field may change both tables.
std::string_view SheetPerformancePlan::typeField(PlanField field, std::string_view text) {
    fieldNotes_[slot(field)] = storeField(assumptions_, sheet_.modelIndex, field, text);
    refresh();
    return fieldNotes_[slot(field)];
}

std::string_view SheetPerformancePlan::fieldNote(PlanField field) const noexcept {
    return fieldNotes_[slot(field)];
}

PlanNoteLine SheetPerformancePlan::noteLineOf(PlanField field) noexcept {
    switch (field) {
    case PlanField::ReadPercent:
        return PlanNoteLine::Reads;
    case PlanField::DisksPerSpare:
    case PlanField::MinSparesPerType:
        return PlanNoteLine::Spares;
    case PlanField::ArrayPrice:
    case PlanField::HoursBeforeRebuild:
        break;
    }
    return PlanNoteLine::Costs;
}

std::string_view SheetPerformancePlan::noteLineText(PlanNoteLine line) const noexcept {
    for (const PlanField field :
         {PlanField::ReadPercent, PlanField::DisksPerSpare, PlanField::MinSparesPerType,
          PlanField::ArrayPrice, PlanField::HoursBeforeRebuild}) {
        if (noteLineOf(field) == line && !fieldNote(field).empty()) {
            return fieldNote(field);
        }
    }
    return {};
}

std::string SheetPerformancePlan::figureText(int diskType, FigureColumn column) const {
    if (column == FigureColumn::DiskType) {
        return std::string(diskName(kRowCount - 1, diskType));
    }
    const DiskFigureColumn& figure = figureColumn(column);
    if (!assumptions_.disks.figures(diskType) || !figure.value) {
        return {};
    }
    return shownFigure(figure, figure.value(assumptions_, diskType));
}

std::string SheetPerformancePlan::figureEditText(int diskType, FigureColumn column) const {
    const DiskFigureColumn& figure = figureColumn(column);
    if (!assumptions_.disks.figures(diskType) || !figure.value) {
        return {};
    }
    const std::int64_t value = figure.value(assumptions_, diskType);
    return figure.form == FigureForm::Hundredths ? formatHundredths(value) : std::to_string(value);
}

// A decimal column is as wide as a realistic figure (a disk priced under 100000, an AFR of
// 49.99 %); a longer price still shows whole in its editor.
std::string SheetPerformancePlan::widestFigureText(FigureColumn column) const {
    constexpr std::int64_t kWidestShownHundredths = 9'999'999;
    const DiskFigureColumn& figure = figureColumn(column);
    if (figure.form == FigureForm::Hundredths) {
        return formatHundredths(std::min(figure.range.highest - 1, kWidestShownHundredths));
    }
    if (figure.value) {
        return shownFigure(figure, figure.range.highest);
    }
    std::string_view longest;
    for (const DiskChoice& choice : diskTypes_) {
        longest = choice.name.size() > longest.size() ? choice.name : longest;
    }
    return std::string(longest);
}

bool SheetPerformancePlan::setFigure(int diskType, FigureColumn column, std::string_view text) {
    const DiskFigureColumn& figure = figureColumn(column);
    const std::optional<std::int64_t> value =
        figure.store ? typedFigure(figure, text) : std::nullopt;
    if (!value || !figure.store(assumptions_, diskType, *value)) {
        figureNote_ = "Kept " + figureText(diskType, column) + " as the " +
                      std::string(diskName(kRowCount - 1, diskType)) + "'s " +
                      std::string(figure.name) + ": type " + allowedText(figure) + '.';
        return false;
    }
    figureNote_.clear();
    refresh();
    return true;
}

void SheetPerformancePlan::restoreDefaults() {
    assumptions_.disks.restoreDefaults();
    figureNote_.clear();
    refresh();
}

void SheetPerformancePlan::refresh() {
    refreshPerformance();
    refreshOrder();
}

void SheetPerformancePlan::refreshPerformance() {
    performanceLines_.clear();
    if (!fieldNote(PlanField::ReadPercent).empty()) {
        return;
    }
    SheetPerformance sheet =
        sheetPerformance(sheet_, assumptions_.disks, assumptions_.workload.readShare());
    const SheetLoss loss = sheetLoss(sheet_, assumptions_);
    performanceLines_.reserve(sheet.count + 1);
    for (std::size_t i = 0; i < sheet.count; ++i) {
        PerformanceLine& line = sheet.lines[i];
        performanceLines_.push_back(textLine(line, diskName(line.rowIndex, line.diskType), loss));
    }
    performanceLines_.push_back(totalLine(sheet.total, loss));
}

bool SheetPerformancePlan::sparesTaken() const noexcept {
    return fieldNote(PlanField::DisksPerSpare).empty() &&
           fieldNote(PlanField::MinSparesPerType).empty();
}

void SheetPerformancePlan::refreshOrder() {
    orderLines_.clear();
    arraysLine_.clear();
    costLine_.clear();
    if (!sparesTaken()) {
        return;
    }
    const DisksToOrder order = sheetDisksToOrder(sheet_, assumptions_.spares);
    const PlanCost cost = sheetCost(sheet_, assumptions_);
    const Prices& prices = assumptions_.prices;
    std::vector<std::string_view> unpricedDisks;
    for (std::size_t disk = 0; disk < order.inGroups.size(); ++disk) {
        if (order.inGroups[disk] != 0) {
            const int type = static_cast<int>(disk);
            orderLines_.push_back(
                {std::string(diskName(kRowCount - 1, type)), std::to_string(order.inGroups[disk]),
                 std::to_string(order.spares[disk]), std::to_string(order.toOrder[disk]),
                 pricedText(cost, order.toOrder[disk], prices.diskHundredths(type))});
        }
        if (cost.unpricedDiskTypes[disk]) {
            unpricedDisks.push_back(diskName(kRowCount - 1, static_cast<int>(disk)));
        }
    }
    // Once the plan is priced its arrays are a line of the order too, counted in its cost.
    if (cost.priced && order.arrays != 0) {
        orderLines_.push_back(
            {std::string(kArraysText),
             {},
             {},
             std::to_string(order.arrays),
             pricedText(cost, order.arrays, prices.arrayHundredths(sheet_.modelIndex))});
    }
    orderLines_.push_back({std::string(kTotalText), std::to_string(order.allInGroups),
                           std::to_string(order.allToOrder - order.allInGroups),
                           std::to_string(order.allToOrder),
                           cost.priced ? formatCost(cost.cost) : std::string(kNoFigureText)});
    arraysLine_ = arraysText(order, sheet_.modelIndex);
    costLine_ = costText(cost, unpricedDisks, sheet_.modelIndex);
}

} // namespace brim
