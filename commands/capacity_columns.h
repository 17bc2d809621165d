#pragma once

// The columns of the Size for Capacity table, one record a column: its heading, how its figure
// reads and sorts, and the text of a realistic plan that its width is made for. The texts are
// made for the lines drawn only, from the sizer's numbers; a new column is a new record (and its
// name in CapacityColumn).

#include "core/capacity_sizing.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace brim {

enum class CapacityColumn : std::uint8_t {
    RaidType,
    DisksPerGroup,
    GroupsNeeded,
    SizedBy,
    Disks,
    ArraysNeeded,
    WithSpares,
    UsableGb,
    UsableTb,
    HostIops,
    Mbps,
    Efficiency,
    FailuresSurvived,
    RebuildHours,
    ReadErrorRisk,
    LossPerYear,
    Cost,
};

// The disks to order with spares and the arrays they need: the one cell of two counts.
struct DisksAndArrays {
    std::uint64_t disks = 0;
    std::uint64_t arrays = 0;
};

// A cell's figure as a program reads it: none, a number, a name or the two counts.
using CellFigure = std::variant<std::monostate, double, std::string_view, DisksAndArrays>;

struct CapacityColumnInfo {
    CapacityColumn column;
    std::string_view heading; // two short lines keep the numeric columns narrow
    bool numeric;             // right-aligned, so that the digits line up
    bool largestFirst;        // what a first click on the heading puts on top
    std::string (*text)(const SizedLayout&);
    double (*sortKey)(const SizedLayout&);
    // As wide a text as a realistic plan shows (a few hundred TB, tens of thousands of host
    // IOPS, an order of a few million): sized for it, every column fits a common screen. A wider
    // text is cut short in the table and reads whole in its tooltip.
    std::string_view sample;
    bool startsHidden; // a column that only some planners look at, shown from the heading's menu
    // A count or cost, whose digits the window groups as its locale does ("12,345"); copies keep
    // the plain digits.
    bool grouped;
    // The figure for a program to read, under the heading's name in camelCase: the number the
    // text is made from, at full precision, or nothing where the cell shows the dash.
    std::string_view key;
    CellFigure (*figure)(const SizedLayout&);
};

inline constexpr int kCapacityColumnCount = 17;
extern const std::array<CapacityColumnInfo, kCapacityColumnCount> kCapacityColumns;

const CapacityColumnInfo& capacityColumn(CapacityColumn column) noexcept;

// The columns hidden when the program starts.
std::array<bool, kCapacityColumnCount> columnsHiddenAtStart();

// A line's cost as it sorts: a line not priced after every priced one.
double capacityCostKey(const SizedLayout& line) noexcept;

// What a line shows in a column, trimmed.
std::string capacityCellText(const SizedLayout& line, CapacityColumn column);

// The table as the window's copy of every line makes it (table_text.h): the headings of
// `columns`, then each line's cells in them, in the order of `lines`.
std::string capacityTableText(std::span<const SizedLayout> lines,
                              std::span<const CapacityColumn> columns);

// Every column, in the window's order.
std::array<CapacityColumn, kCapacityColumnCount> everyCapacityColumn();

// A plan at least as likely as 1 in 100 to lose data within a year is one a planner should not
// take unawares: its Loss/yr stands out from this many percent on.
inline constexpr double kRiskyLossPercent = 1.0;

// A line's chance of loss a year in percent as its Loss/yr cell reads it (two significant
// digits), so that the limit and the warning judge what the planner reads: "1.0%" is 1 %.
double shownLossPercent(const SizedLayout& line);
bool losesDataOften(const SizedLayout& line);
// Whether a cell warns of what it shows: the Loss/yr of a line that losesDataOften.
bool capacityCellWarns(const SizedLayout& line, CapacityColumn column);

} // namespace brim
