#include "sheet_performance_plan.h"

#include "blanks.h"
#include "capacity_sizing.h"
#include "catalogue.h"
#include "performance.h"
#include "sheet_exchange.h"
#include "spares.h"

#include <optional>
#include <utility>

namespace brim {
namespace {

constexpr std::string_view kTotalText = "Total";
// A typed error rate may keep the base it is shown with: "10^17" as well as "17".
constexpr std::string_view kPowerOfTen = "10^";

// "% reads" is the sizing window's field too: its reading and refusal are the sizing core's.
constexpr std::array<std::string_view, 3> kFieldRefusals{
    std::string_view{},
    "Type a whole number of disks from 1 to 1000, such as 30.",
    "Type a whole number of spares from 0 to 100, such as 1.",
};

std::size_t slot(PlanField field) noexcept {
    return static_cast<std::size_t>(field);
}

// What a refusal of each edited figure calls it.
std::string_view figureName(FigureColumn column) noexcept {
    switch (column) {
    case FigureColumn::RandomIops:
        return "IOPS";
    case FigureColumn::SequentialMbps:
        return "MB/s";
    case FigureColumn::ReadErrorExponent:
        return "read-error rate";
    case FigureColumn::RebuildMbps:
        return "rebuild MB/s";
    case FigureColumn::DiskType:
        break;
    }
    return {};
}

std::string rangeText(std::int64_t lowest, std::int64_t highest) {
    return std::to_string(lowest) + " to " + std::to_string(highest);
}

std::string allowedText(FigureColumn column) {
    switch (column) {
    case FigureColumn::RandomIops:
        return "a whole number from " +
               rangeText(kRandomIopsRange.lowest, kRandomIopsRange.highest);
    case FigureColumn::SequentialMbps:
        return "a whole number from " +
               rangeText(kSequentialMbpsRange.lowest, kSequentialMbpsRange.highest);
    case FigureColumn::ReadErrorExponent:
        return "a power of ten from " +
               rangeText(kReadErrorExponentRange.lowest, kReadErrorExponentRange.highest);
    case FigureColumn::RebuildMbps:
        return "a whole number from " +
               rangeText(kRebuildMbpsRange.lowest, kRebuildMbpsRange.highest);
    case FigureColumn::DiskType:
        break;
    }
    return {};
}

std::optional<std::int64_t> figureValue(const DiskFigures& figures, FigureColumn column) {
    switch (column) {
    case FigureColumn::RandomIops:
        return figures.randomIops;
    case FigureColumn::SequentialMbps:
        return figures.sequentialMbps;
    case FigureColumn::ReadErrorExponent:
        return figures.readErrorExponent;
    case FigureColumn::RebuildMbps:
        return figures.rebuildMbps;
    case FigureColumn::DiskType:
        break;
    }
    return std::nullopt;
}

bool storeFigure(DiskAssumptions& disks, int diskType, FigureColumn column, std::int64_t value) {
    switch (column) {
    case FigureColumn::RandomIops:
        return disks.setRandomIops(diskType, value);
    case FigureColumn::SequentialMbps:
        return disks.setSequentialMbps(diskType, value);
    case FigureColumn::ReadErrorExponent:
        return disks.setReadErrorExponent(diskType, value);
    case FigureColumn::RebuildMbps:
        return disks.setRebuildMbps(diskType, value);
    case FigureColumn::DiskType:
        break;
    }
    return false;
}

std::optional<std::int64_t> wholeNumber(std::string_view text) {
    const std::optional<std::uint32_t> value = parseUnsigned32(text);
    if (!value) {
        return std::nullopt;
    }
    return *value;
}

std::optional<std::int64_t> typedFigure(FigureColumn column, std::string_view text) {
    if (column == FigureColumn::ReadErrorExponent) {
        const std::string_view trimmed = trimBlanks(text);
        if (trimmed.starts_with(kPowerOfTen)) {
            return wholeNumber(trimmed.substr(kPowerOfTen.size()));
        }
    }
    return wholeNumber(text);
}

std::string countOf(std::uint64_t count, std::string_view thing) {
    std::string text = std::to_string(count) + ' ' + std::string(thing);
    if (count != 1) {
        text += 's';
    }
    return text;
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
    cell(PerformanceColumn::HostIops) = std::move(line.texts.hostIops);
    cell(PerformanceColumn::Mbps) = std::move(line.texts.mbps);
    cell(PerformanceColumn::ReadOnlyMbps) = std::move(line.texts.readOnlyMbps);
    cell(PerformanceColumn::WriteOnlyMbps) = std::move(line.texts.writeOnlyMbps);
    cell(PerformanceColumn::RebuildHours) = std::move(line.rebuildHoursText);
    cell(PerformanceColumn::ReadErrorRisk) = std::move(line.readErrorRiskText);
    return text;
}

PerformanceTextLine totalLine(DeliveryTexts& total) {
    PerformanceTextLine text;
    auto cell = [&text](PerformanceColumn column) -> std::string& {
        return text.cells[static_cast<std::size_t>(column)];
    };
    cell(PerformanceColumn::Row) = kTotalText;
    cell(PerformanceColumn::HostIops) = std::move(total.hostIops);
    cell(PerformanceColumn::Mbps) = std::move(total.mbps);
    cell(PerformanceColumn::ReadOnlyMbps) = std::move(total.readOnlyMbps);
    cell(PerformanceColumn::WriteOnlyMbps) = std::move(total.writeOnlyMbps);
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
    : sheet_(sheet), assumptions_(assumptions), names_(names) {
    listDiskTypes();
    refresh();
}

void SheetPerformancePlan::listDiskTypes() {
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (usableDiskKib(sheet_.modelIndex, disk, false) != 0) {
            diskTypes_.push_back({disk, diskName(kRowCount - 1, disk)});
        }
    }
}

std::string_view SheetPerformancePlan::diskName(std::size_t rowIndex, int diskType) const {
    const std::span<const std::string_view> entries = names_[rowIndex];
    if (diskType >= 0 && static_cast<std::size_t>(diskType) < entries.size()) {
        return trimBlanks(entries[static_cast<std::size_t>(diskType)]);
    }
    return Catalogue::diskReportName(diskType, sheet_.modelIndex);
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
    if (field == PlanField::ReadPercent) {
        const ReadPercentParse percent = parseReadPercent(text);
        const bool taken =
            percent.percent && assumptions_.workload.setReadPercent(*percent.percent);
        fieldNotes_[slot(field)] = taken ? std::string_view{} : percent.refusal;
        refreshPerformance();
        return fieldNotes_[slot(field)];
    }
    const std::optional<std::int64_t> value = wholeNumber(text);
    bool taken = false;
    if (value) {
        switch (field) {
        case PlanField::ReadPercent:
            break;
        case PlanField::DisksPerSpare:
            taken = assumptions_.spares.setDisksPerSpare(*value);
            break;
        case PlanField::MinSparesPerType:
            taken = assumptions_.spares.setMinSparesPerType(*value);
            break;
        }
    }
    fieldNotes_[slot(field)] = taken ? std::string_view{} : kFieldRefusals[slot(field)];
    refreshOrder();
    return fieldNotes_[slot(field)];
}

std::string_view SheetPerformancePlan::fieldNote(PlanField field) const noexcept {
    return fieldNotes_[slot(field)];
}

std::string SheetPerformancePlan::figureText(int diskType, FigureColumn column) const {
    if (column == FigureColumn::DiskType) {
        return std::string(diskName(kRowCount - 1, diskType));
    }
    const std::string number = figureEditText(diskType, column);
    if (column == FigureColumn::ReadErrorExponent && !number.empty()) {
        return std::string(kPowerOfTen) + number;
    }
    return number;
}

std::string SheetPerformancePlan::figureEditText(int diskType, FigureColumn column) const {
    const DiskFigures* figures = assumptions_.disks.figures(diskType);
    const std::optional<std::int64_t> value =
        figures ? figureValue(*figures, column) : std::nullopt;
    return value ? std::to_string(*value) : std::string{};
}

bool SheetPerformancePlan::setFigure(int diskType, FigureColumn column, std::string_view text) {
    const std::optional<std::int64_t> value = typedFigure(column, text);
    if (!value || !storeFigure(assumptions_.disks, diskType, column, *value)) {
        figureNote_ = "Kept " + figureText(diskType, column) + " as the " +
                      std::string(diskName(kRowCount - 1, diskType)) + "'s " +
                      std::string(figureName(column)) + ": type " + allowedText(column) + '.';
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
    performanceLines_.push_back(totalLine(sheet.totalTexts));
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
