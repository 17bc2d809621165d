#include "commands/capacity_columns.h"

#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "commands/table_text.h"
#include "core/catalogue.h"
#include "core/units.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace brim {
namespace {

std::string trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first);
}

std::string count(std::uint64_t value) {
    return std::to_string(value);
}

// A layout that cannot rebuild sorts after every one that can: its first failure loses data.
double rebuildKey(const SizedLayout& line, double figure) {
    return line.rebuild.kind == RebuildCase::Rebuilds ? figure
                                                      : std::numeric_limits<double>::infinity();
}

CellFigure number(double value) {
    return std::isfinite(value) ? CellFigure{value} : CellFigure{};
}

CellFigure countFigure(std::uint64_t value) {
    return static_cast<double>(value);
}

// A rate of 0 reads as the dash (formatRate).
CellFigure rate(double value) {
    return value == 0.0 ? CellFigure{} : number(value);
}

// A layout that does not rebuild shows the dash, or "no redundancy", for its rebuild's figures.
CellFigure ofRebuild(const SizedLayout& line, double figure) {
    return line.rebuild.kind == RebuildCase::Rebuilds ? number(figure) : CellFigure{};
}

} // namespace

// clang-format off
const std::array<CapacityColumnInfo, kCapacityColumnCount> kCapacityColumns{{
    {CapacityColumn::RaidType, "RAID\ntype", false, false,
     [](const SizedLayout& l) { return std::string(Catalogue::raidPickerName(l.raidType)); },
     [](const SizedLayout& l) { return static_cast<double>(l.raidType); },
     "IndivDisk", false, false,
     "raidType",
     [](const SizedLayout& l) { return CellFigure{Catalogue::raidPickerName(l.raidType)}; }},
    {CapacityColumn::DisksPerGroup, "Disks per\ngroup", true, false,
     [](const SizedLayout& l) { return count(l.disksPerGroup); },
     [](const SizedLayout& l) { return static_cast<double>(l.disksPerGroup); },
     "16", false, false,
     "disksPerGroup", [](const SizedLayout& l) { return countFigure(l.disksPerGroup); }},
    {CapacityColumn::GroupsNeeded, "Groups\nneeded", true, false,
     [](const SizedLayout& l) { return count(l.groupCount); },
     [](const SizedLayout& l) { return static_cast<double>(l.groupCount); },
     "1234", false, true,
     "groupsNeeded", [](const SizedLayout& l) { return countFigure(l.groupCount); }},
    {CapacityColumn::SizedBy, "Sized by", false, false,
     [](const SizedLayout& l) { return std::string(sizedByText(l.sizedBy)); },
     [](const SizedLayout& l) { return static_cast<double>(l.sizedBy); },
     "capacity", false, false,
     "sizedBy", [](const SizedLayout& l) { return CellFigure{sizedByText(l.sizedBy)}; }},
    {CapacityColumn::Disks, "Disks", true, false,
     [](const SizedLayout& l) { return count(l.disks); },
     [](const SizedLayout& l) { return static_cast<double>(l.disks); },
     "12345", false, true,
     "disks", [](const SizedLayout& l) { return countFigure(l.disks); }},
    {CapacityColumn::ArraysNeeded, "Arrays\nneeded", true, false,
     [](const SizedLayout& l) { return count(l.arraysRequired); },
     [](const SizedLayout& l) { return static_cast<double>(l.arraysRequired); },
     "123", false, true,
     "arraysNeeded", [](const SizedLayout& l) { return countFigure(l.arraysRequired); }},
    {CapacityColumn::WithSpares, "With spares:\ndisks / arrays", false, false,
     [](const SizedLayout& l) { return formatDisksAndArrays(l.disksWithSpares, l.arraysWithSpares); },
     [](const SizedLayout& l) { return static_cast<double>(l.disksWithSpares); },
     "12345 / 123", false, true,
     "withSpares",
     [](const SizedLayout& l) { return CellFigure{DisksAndArrays{l.disksWithSpares, l.arraysWithSpares}}; }},
    {CapacityColumn::UsableGb, "Usable\nGB", true, false,
     [](const SizedLayout& l) { return trimmed(formatCapacity(gibFromMib(l.netTotalMib))); },
     [](const SizedLayout& l) { return l.netTotalMib; },
     "123456.78", true, false,
     "usableGb", [](const SizedLayout& l) { return number(gibFromMib(l.netTotalMib)); }},
    {CapacityColumn::UsableTb, "Usable\nTB", true, false,
     [](const SizedLayout& l) { return trimmed(formatCapacity(tibFromMib(l.netTotalMib))); },
     [](const SizedLayout& l) { return l.netTotalMib; },
     "1234.56", false, false,
     "usableTb", [](const SizedLayout& l) { return number(tibFromMib(l.netTotalMib)); }},
    {CapacityColumn::HostIops, "Host IOPS", true, true,
     [](const SizedLayout& l) { return formatRate(l.hostIops); },
     [](const SizedLayout& l) { return l.hostIops; },
     "123456", false, true,
     "hostIops", [](const SizedLayout& l) { return rate(l.hostIops); }},
    {CapacityColumn::Mbps, "MB/s", true, true,
     [](const SizedLayout& l) { return formatRate(l.mbps); },
     [](const SizedLayout& l) { return l.mbps; },
     "123456", false, true,
     "mbps", [](const SizedLayout& l) { return rate(l.mbps); }},
    {CapacityColumn::Efficiency, "Efficiency", false, true,
     [](const SizedLayout& l) { return formatShare(l.efficiency); },
     [](const SizedLayout& l) { return l.efficiency; },
     "100.0%", true, false,
     "efficiency", [](const SizedLayout& l) { return number(l.efficiency); }},
    {CapacityColumn::FailuresSurvived, "Failures\nsurvived", true, true,
     [](const SizedLayout& l) { return std::to_string(l.failuresSurvived); },
     [](const SizedLayout& l) { return static_cast<double>(l.failuresSurvived); },
     "2", true, false,
     "failuresSurvived", [](const SizedLayout& l) { return number(l.failuresSurvived); }},
    {CapacityColumn::RebuildHours, "Rebuild h", true, false,
     [](const SizedLayout& l) { return rebuildHoursText(l.rebuild); },
     [](const SizedLayout& l) { return rebuildKey(l, l.rebuild.hours); },
     "123.4", false, false,
     "rebuildHours", [](const SizedLayout& l) { return ofRebuild(l, l.rebuild.hours); }},
    {CapacityColumn::ReadErrorRisk, "Read-error risk", true, false,
     [](const SizedLayout& l) { return readErrorRiskText(l.rebuild); },
     [](const SizedLayout& l) { return rebuildKey(l, l.rebuild.chance); },
     "12.34% after 2 failures", false, false,
     "readErrorRisk", [](const SizedLayout& l) { return ofRebuild(l, l.rebuild.chance); }},
    {CapacityColumn::LossPerYear, "Loss/yr", true, false,
     [](const SizedLayout& l) { return formatLossChance(l.lossChance); },
     [](const SizedLayout& l) { return l.lossRate; },
     "0.00014%", false, false,
     "lossPerYear", [](const SizedLayout& l) { return number(l.lossChance); }},
    {CapacityColumn::Cost, "Cost", true, false,
     [](const SizedLayout& l) { return l.priced ? formatCost(l.cost) : std::string(kNoFigureText); },
     capacityCostKey,
     "12345678", false, true,
     "cost", [](const SizedLayout& l) { return l.priced ? number(l.cost) : CellFigure{}; }},
}};
// clang-format on

const CapacityColumnInfo& capacityColumn(CapacityColumn column) noexcept {
    return kCapacityColumns[static_cast<std::size_t>(column)];
}

std::array<bool, kCapacityColumnCount> columnsHiddenAtStart() {
    std::array<bool, kCapacityColumnCount> hidden{};
    for (std::size_t i = 0; i < kCapacityColumns.size(); ++i) {
        hidden[i] = kCapacityColumns[i].startsHidden;
    }
    return hidden;
}

double capacityCostKey(const SizedLayout& line) noexcept {
    return line.priced ? line.cost : std::numeric_limits<double>::infinity();
}

std::string capacityCellText(const SizedLayout& line, CapacityColumn column) {
    return capacityColumn(column).text(line);
}

std::string capacityTableText(std::span<const SizedLayout> lines,
                              std::span<const CapacityColumn> columns) {
    std::string text;
    std::vector<std::string_view> headings;
    for (const CapacityColumn column : columns) {
        headings.push_back(capacityColumn(column).heading);
    }
    appendTableLine(text, headings);
    std::vector<std::string> cells(columns.size());
    for (const SizedLayout& line : lines) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            cells[i] = capacityCellText(line, columns[i]);
        }
        appendTableLine(text, cells);
    }
    return text;
}

std::array<CapacityColumn, kCapacityColumnCount> everyCapacityColumn() {
    std::array<CapacityColumn, kCapacityColumnCount> columns{};
    for (std::size_t i = 0; i < kCapacityColumns.size(); ++i) {
        columns[i] = kCapacityColumns[i].column;
    }
    return columns;
}

// Read back from the cell's own text, the one home of its rounding. Below the smallest figure
// shown ("<0.0001%") the chance itself counts; a chance that cannot be told (the dash) counts as
// the worst.
double shownLossPercent(const SizedLayout& line) {
    const std::string text = formatLossChance(line.lossChance);
    if (text.starts_with('<')) {
        return line.lossChance * 100.0;
    }
    double percent = std::numeric_limits<double>::infinity();
    std::from_chars(text.data(), text.data() + text.size(), percent);
    return percent;
}

bool losesDataOften(const SizedLayout& line) {
    return shownLossPercent(line) >= kRiskyLossPercent;
}

bool capacityCellWarns(const SizedLayout& line, CapacityColumn column) {
    return column == CapacityColumn::LossPerYear && losesDataOften(line);
}

} // namespace brim
