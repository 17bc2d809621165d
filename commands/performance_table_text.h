#pragma once

// Sheet Performance's three tables as a spreadsheet pastes them (table_text.h): the lines of the
// rows with their Total, the disks to order, and the disks' figures. The window's copy keys and
// the command line make them alike from the plan's texts; the figures' cells are made here for
// both, and each column carries the key a program reads its figure under.

#include "commands/performance_columns.h"
#include "commands/sheet_performance_plan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

enum class PerformanceTable : std::uint8_t { Lines, Order, Figures };

// The keys of each table's columns, in their order: camelCase after the headings.
inline constexpr std::array<std::string_view, kPerformanceColumnCount> kSheetLineKeys{
    "row",  "diskType",     "raidType",      "disksPerGroup", "groups",        "hostIops",
    "mbps", "readOnlyMbps", "writeOnlyMbps", "rebuildHours",  "readErrorRisk", "lossPerYear"};
inline constexpr std::array<std::string_view, kOrderColumnCount> kOrderLineKeys{
    "diskType", "inGroups", "spares", "toOrder", "cost"};
inline constexpr std::array<std::string_view, kFigureColumnCount> kFigureKeys{
    "diskType", "iops", "mbps", "bitsPerReadError", "rebuildMbps", "afrPercent", "watts", "price"};

// The figures table's heading of a column: the disk type's, then each figure's.
std::string_view figureColumnHeading(std::size_t column);
// Its cell of the disk type on line `line` (diskTypes()'s order).
std::string figureCellText(const SheetPerformancePlan& plan, std::size_t line, std::size_t column);
// Its figure for a program: the disk type's name, or the figure's value in its own unit (the
// error rate as the number of bits, 1e16); nothing where the cell is empty.
CellFigure figureCellFigure(const SheetPerformancePlan& plan, std::size_t line, std::size_t column);

// The whole table, headings first, every line and column.
std::string performanceTableText(const SheetPerformancePlan& plan, PerformanceTable table);

} // namespace brim
