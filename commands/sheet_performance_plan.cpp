#include "commands/sheet_performance_plan.h"

#include "commands/performance_texts.h"
#include "commands/planner_texts.h"
#include "commands/planner_units.h"
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
#include <type_traits>
#include <utility>

namespace brim {
namespace {

constexpr std::string_view kTotalText = "Total";
constexpr std::string_view kArraysText = "Arrays";

// A program figure takes no index; a model figure's is the model the window shows.
template <typename Figure> int indexOf(Figure, int modelIndex) {
    return std::is_same_v<Figure, ModelFigure> ? modelIndex : 0;
}

// A figure that reads as the dash is none.
CellFigure figureOr(bool shown, double value) {
    return shown ? CellFigure{value} : CellFigure{};
}

void setRate(PerformanceTextLine& text, PerformanceColumn column, double rate) {
    const auto at = static_cast<std::size_t>(column);
    text.cells[at] = formatRate(rate);
    text.figures[at] = figureOr(rate != 0.0, rate);
}

// Host IOPS and MB/s as whole numbers, the dash for 0.
void writeDelivery(PerformanceTextLine& text, const Delivery& delivery) {
    setRate(text, PerformanceColumn::HostIops, delivery.hostIops);
    setRate(text, PerformanceColumn::Mbps, delivery.mbps);
    setRate(text, PerformanceColumn::ReadOnlyMbps, delivery.readOnlyMbps);
    setRate(text, PerformanceColumn::WriteOnlyMbps, delivery.writeOnlyMbps);
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
    auto figure = [&text](PerformanceColumn column) -> CellFigure& {
        return text.figures[static_cast<std::size_t>(column)];
    };
    cell(PerformanceColumn::Row) = std::to_string(line.rowIndex + 1);
    figure(PerformanceColumn::Row) = static_cast<double>(line.rowIndex + 1);
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
    const LossLine* rowLoss = lossOfRow(loss, line.rowIndex);
    cell(PerformanceColumn::LossPerYear) = lossText(rowLoss);
    const bool rebuilds = line.rebuild.kind == RebuildCase::Rebuilds;
    figure(PerformanceColumn::DiskType) = diskName;
    figure(PerformanceColumn::RaidType) = Catalogue::raidPickerName(line.raidType);
    figure(PerformanceColumn::DisksPerGroup) = static_cast<double>(line.disksPerGroup);
    figure(PerformanceColumn::Groups) = static_cast<double>(line.groupCount);
    figure(PerformanceColumn::RebuildHours) = figureOr(rebuilds, line.rebuild.hours);
    figure(PerformanceColumn::ReadErrorRisk) = figureOr(rebuilds, line.rebuild.chance);
    figure(PerformanceColumn::LossPerYear) = figureOr(
        rowLoss && rowLoss->kind == LossCase::Computed, rowLoss ? rowLoss->rowChance : 0.0);
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
    text.figures[static_cast<std::size_t>(PerformanceColumn::Row)] = kTotalText;
    text.figures[static_cast<std::size_t>(PerformanceColumn::LossPerYear)] =
        figureOr(computed, loss.planChance);
    return text;
}

double pricedCost(std::uint64_t count, std::int64_t hundredths) {
    return static_cast<double>(count) * static_cast<double>(hundredths) / 100.0;
}

// Count × a price in hundredths, as the Cost column shows it; the dash while the plan is not
// priced or this price is 0.
std::string pricedText(const PlanCost& cost, std::uint64_t count, std::int64_t hundredths) {
    if (!cost.priced || hundredths == 0) {
        return std::string(kNoFigureText);
    }
    return formatCost(pricedCost(count, hundredths));
}

CellFigure pricedFigure(const PlanCost& cost, std::uint64_t count, std::int64_t hundredths) {
    return figureOr(cost.priced && hundredths != 0, pricedCost(count, hundredths));
}

CellFigure countFigure(std::uint64_t count) {
    return static_cast<double>(count);
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
    return std::visit(
        [this](auto figure) {
            const auto& record = figureRule(figure);
            return brim::figureEditText(
                record.rule, record.value(assumptions_, indexOf(figure, sheet_.modelIndex)));
        },
        field);
}

std::string_view& SheetPerformancePlan::noteOf(PlanField field) noexcept {
    if (const auto* program = std::get_if<ProgramFigure>(&field)) {
        return programNotes_[static_cast<std::size_t>(*program)];
    }
    return modelNotes_[static_cast<std::size_t>(std::get<ModelFigure>(field))];
}

// "% reads" moves the host IOPS a cost is counted per, the hours the chance of loss: every
// field may change both tables. A refused text keeps the figure in use.
std::string_view SheetPerformancePlan::typeField(PlanField field, std::string_view text) {
    const bool stored = std::visit(
        [&](auto figure) {
            const auto& record = figureRule(figure);
            const std::optional<std::int64_t> value = typedFigure(record.rule, text);
            return value && record.store(assumptions_, indexOf(figure, sheet_.modelIndex), *value);
        },
        field);
    noteOf(field) =
        stored ? std::string_view{}
               : std::visit([](auto figure) { return figureWords(figure).refusal; }, field);
    refresh();
    return noteOf(field);
}

std::string_view SheetPerformancePlan::fieldNote(PlanField field) const noexcept {
    return const_cast<SheetPerformancePlan*>(this)->noteOf(field);
}

PlanNoteLine SheetPerformancePlan::noteLineOf(PlanField field) noexcept {
    const auto* program = std::get_if<ProgramFigure>(&field);
    return program ? figureWords(*program).noteLine : PlanNoteLine::Costs;
}

std::string_view SheetPerformancePlan::noteLineText(PlanNoteLine line) const noexcept {
    for (const ProgramFigure figure : allFigures<ProgramFigure>()) {
        if (noteLineOf(figure) == line && !fieldNote(figure).empty()) {
            return fieldNote(figure);
        }
    }
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        if (noteLineOf(figure) == line && !fieldNote(figure).empty()) {
            return fieldNote(figure);
        }
    }
    return {};
}

std::string_view SheetPerformancePlan::diskTypeName(int diskType) const {
    return diskName(kRowCount - 1, diskType);
}

std::string SheetPerformancePlan::figureText(int diskType, DiskFigure figure) const {
    const auto& record = figureRule(figure);
    if (!assumptions_.disks.figures(diskType)) {
        return {};
    }
    return brim::figureText(record.rule, record.value(assumptions_, diskType));
}

std::optional<std::int64_t> SheetPerformancePlan::heldFigure(int diskType,
                                                             DiskFigure figure) const {
    if (!assumptions_.disks.figures(diskType)) {
        return std::nullopt;
    }
    return figureRule(figure).value(assumptions_, diskType);
}

std::string SheetPerformancePlan::figureEditText(int diskType, DiskFigure figure) const {
    const auto& record = figureRule(figure);
    if (!assumptions_.disks.figures(diskType)) {
        return {};
    }
    return brim::figureEditText(record.rule, record.value(assumptions_, diskType));
}

// A decimal column is as wide as a realistic figure (a disk priced under 100000, an AFR of
// 49.99 %); a longer price still shows whole in its editor.
std::string SheetPerformancePlan::widestFigureText(DiskFigure figure) const {
    constexpr std::int64_t kWidestShownHundredths = 9'999'999;
    const FigureRule& rule = figureRule(figure).rule;
    if (rule.form == FigureForm::Decimal) {
        return formatDecimal(std::min(rule.range.highest - 1, kWidestShownHundredths),
                             rule.decimals);
    }
    return brim::figureText(rule, rule.range.highest);
}

std::string SheetPerformancePlan::widestDiskTypeName() const {
    std::string_view longest;
    for (const DiskChoice& choice : diskTypes_) {
        longest = choice.name.size() > longest.size() ? choice.name : longest;
    }
    return std::string(longest);
}

bool SheetPerformancePlan::setFigure(int diskType, DiskFigure figure, std::string_view text) {
    const auto& record = figureRule(figure);
    const std::optional<std::int64_t> value = typedFigure(record.rule, text);
    if (!value || !record.store(assumptions_, diskType, *value)) {
        figureNote_ = "Kept " + figureText(diskType, figure) + " as the " +
                      std::string(diskTypeName(diskType)) + "'s " +
                      std::string(figureWords(figure).name) + ": type " + allowedText(record.rule) +
                      '.';
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
    if (!fieldNote(ProgramFigure::ReadPercent).empty()) {
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
    return fieldNote(ProgramFigure::DisksPerSpare).empty() &&
           fieldNote(ProgramFigure::MinSparesPerType).empty();
}

void SheetPerformancePlan::refreshOrder() {
    orderLines_.clear();
    orderFigures_.clear();
    arraysLine_.clear();
    costLine_.clear();
    powerLine_.clear();
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
            orderFigures_.push_back(
                {diskName(kRowCount - 1, type), countFigure(order.inGroups[disk]),
                 countFigure(order.spares[disk]), countFigure(order.toOrder[disk]),
                 pricedFigure(cost, order.toOrder[disk], prices.diskHundredths(type))});
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
        orderFigures_.push_back(
            {kArraysText,
             {},
             {},
             countFigure(order.arrays),
             pricedFigure(cost, order.arrays, prices.arrayHundredths(sheet_.modelIndex))});
    }
    orderLines_.push_back({std::string(kTotalText), std::to_string(order.allInGroups),
                           std::to_string(order.allToOrder - order.allInGroups),
                           std::to_string(order.allToOrder),
                           cost.priced ? formatCost(cost.cost) : std::string(kNoFigureText)});
    orderFigures_.push_back({kTotalText, countFigure(order.allInGroups),
                             countFigure(order.allToOrder - order.allInGroups),
                             countFigure(order.allToOrder), figureOr(cost.priced, cost.cost)});
    arraysLine_ = arraysText(order, sheet_.modelIndex);
    costLine_ = costText(cost, unpricedDisks, sheet_.modelIndex);
    if (order.allToOrder != 0) {
        const bool arrayPowerNotCounted =
            order.arrays != 0 && arrayWatts(assumptions_, sheet_.modelIndex) == 0.0;
        powerLine_ = powerText(orderPowerWatts(order, sheet_.modelIndex, assumptions_),
                               arrayPowerNotCounted, sheet_.modelIndex);
    }
}

} // namespace brim
