#include "sheet_performance_plan.h"

#include "blanks.h"
#include "catalogue.h"
#include "performance.h"
#include "planner_inputs.h"
#include "planner_texts.h"
#include "sheet_exchange.h"
#include "spares.h"
#include "units.h"

#include <utility>

namespace brim {
namespace {

constexpr std::string_view kTotalText = "Total";
// A typed error rate may keep the base it is shown with: "10^17" as well as "17".
constexpr std::string_view kPowerOfTen = "10^";

std::size_t slot(PlanField field) noexcept {
    return static_cast<std::size_t>(field);
}

std::string rangeText(const AllowedRange<std::int64_t>& range) {
    return std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

// "a whole number from 1 to 100000", "a power of ten from 12 to 18".
std::string allowedText(const DiskFigureColumn& figure) {
    return (figure.powerOfTen ? "a power of ten from " : "a whole number from ") +
           rangeText(figure.range);
}

std::string shownFigure(const DiskFigureColumn& figure, std::int64_t value) {
    return (figure.powerOfTen ? std::string(kPowerOfTen) : std::string{}) + std::to_string(value);
}

WholeNumberParse typedFigure(const DiskFigureColumn& figure, std::string_view text) {
    const std::string_view trimmed = trimBlanks(text);
    if (figure.powerOfTen && trimmed.starts_with(kPowerOfTen)) {
        return parseWholeNumber(trimmed.substr(kPowerOfTen.size()), figure.range);
    }
    return parseWholeNumber(text, figure.range);
}

std::string_view fieldRefusal(PlanField field, InputRefusal why) noexcept {
    switch (field) {
    case PlanField::ReadPercent:
        return readPercentRefusal(why);
    case PlanField::DisksPerSpare:
        return disksPerSpareRefusal(why);
    case PlanField::MinSparesPerType:
        return minSparesPerTypeRefusal(why);
    }
    return {};
}

// Takes a whole number into a field's assumption; the reason when it is refused.
InputRefusal storeField(PlanningAssumptions& assumptions, PlanField field, std::string_view text) {
    const auto store = [&](const auto& range, auto setter) {
        const WholeNumberParse parsed = parseWholeNumber(text, range);
        if (!parsed.taken()) {
            return parsed.refusal;
        }
        return setter(parsed.value) ? InputRefusal::None : InputRefusal::AboveRange;
    };
    switch (field) {
    case PlanField::ReadPercent:
        return store(kReadPercentRange,
                     [&](std::int64_t v) { return assumptions.workload.setReadPercent(v); });
    case PlanField::DisksPerSpare:
        return store(kDisksPerSpareRange,
                     [&](std::int64_t v) { return assumptions.spares.setDisksPerSpare(v); });
    case PlanField::MinSparesPerType:
        return store(kMinSparesPerTypeRange,
                     [&](std::int64_t v) { return assumptions.spares.setMinSparesPerType(v); });
    }
    return InputRefusal::NotANumber;
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

PerformanceTextLine textLine(PerformanceLine& line, std::string_view diskName) {
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
    return text;
}

PerformanceTextLine totalLine(const Delivery& total) {
    PerformanceTextLine text;
    text.cells[static_cast<std::size_t>(PerformanceColumn::Row)] = kTotalText;
    writeDelivery(text, total);
    return text;
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
    }
    return {};
}

std::string_view SheetPerformancePlan::typeField(PlanField field, std::string_view text) {
    fieldNotes_[slot(field)] = fieldRefusal(field, storeField(assumptions_, field, text));
    if (field == PlanField::ReadPercent) {
        refreshPerformance();
    } else {
        refreshOrder();
    }
    return fieldNotes_[slot(field)];
}

std::string_view SheetPerformancePlan::fieldNote(PlanField field) const noexcept {
    return fieldNotes_[slot(field)];
}

PlanNoteLine SheetPerformancePlan::noteLineOf(PlanField field) noexcept {
    return field == PlanField::ReadPercent ? PlanNoteLine::Reads : PlanNoteLine::Spares;
}

std::string_view SheetPerformancePlan::noteLineText(PlanNoteLine line) const noexcept {
    for (const PlanField field :
         {PlanField::ReadPercent, PlanField::DisksPerSpare, PlanField::MinSparesPerType}) {
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
    const DiskFigures* figures = assumptions_.disks.figures(diskType);
    const DiskFigureColumn& figure = figureColumn(column);
    return figures ? shownFigure(figure, figure.value(*figures)) : std::string{};
}

std::string SheetPerformancePlan::figureEditText(int diskType, FigureColumn column) const {
    const DiskFigures* figures = assumptions_.disks.figures(diskType);
    const DiskFigureColumn& figure = figureColumn(column);
    if (!figures || !figure.value) {
        return {};
    }
    return std::to_string(figure.value(*figures));
}

std::string SheetPerformancePlan::widestFigureText(FigureColumn column) const {
    const DiskFigureColumn& figure = figureColumn(column);
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
    const WholeNumberParse value =
        figure.store ? typedFigure(figure, text) : WholeNumberParse{0, InputRefusal::NotANumber};
    if (!value.taken() || !(assumptions_.disks.*figure.store)(diskType, value.value)) {
        figureNote_ = "Kept " + figureText(diskType, column) + " as the " +
                      std::string(diskName(kRowCount - 1, diskType)) + "'s " +
                      std::string(figure.name) + ": type " + allowedText(figure) + '.';
        return false;
    }
    figureNote_.clear();
    refreshPerformance();
    return true;
}

void SheetPerformancePlan::restoreDefaults() {
    assumptions_.disks.restoreDefaults();
    figureNote_.clear();
    refreshPerformance();
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
    performanceLines_.reserve(sheet.count + 1);
    for (std::size_t i = 0; i < sheet.count; ++i) {
        PerformanceLine& line = sheet.lines[i];
        performanceLines_.push_back(textLine(line, diskName(line.rowIndex, line.diskType)));
    }
    performanceLines_.push_back(totalLine(sheet.total));
}

bool SheetPerformancePlan::sparesTaken() const noexcept {
    return fieldNote(PlanField::DisksPerSpare).empty() &&
           fieldNote(PlanField::MinSparesPerType).empty();
}

void SheetPerformancePlan::refreshOrder() {
    orderLines_.clear();
    arraysLine_.clear();
    if (!sparesTaken()) {
        return;
    }
    const DisksToOrder order = sheetDisksToOrder(sheet_, assumptions_.spares);
    for (std::size_t disk = 0; disk < order.inGroups.size(); ++disk) {
        if (order.inGroups[disk] != 0) {
            orderLines_.push_back({std::string(diskName(kRowCount - 1, static_cast<int>(disk))),
                                   std::to_string(order.inGroups[disk]),
                                   std::to_string(order.spares[disk]),
                                   std::to_string(order.toOrder[disk])});
        }
    }
    orderLines_.push_back({std::string(kTotalText), std::to_string(order.allInGroups),
                           std::to_string(order.allToOrder - order.allInGroups),
                           std::to_string(order.allToOrder)});
    arraysLine_ = arraysText(order, sheet_.modelIndex);
}

} // namespace brim
