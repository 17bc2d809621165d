#pragma once

// The words of the years ahead: the Growth Plan window's labels and buttons, the columns of its
// schedule, and every line and sentence made from a schedule, ready to show or print as they
// stand. Costs and counts are plain digits; a window groups them where it draws them.

#include "commands/capacity_columns.h"
#include "commands/performance_columns.h"
#include "core/config_sheet.h"
#include "core/growth_schedule.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

struct GrowthWords {
    static constexpr std::string_view kTitle = "Growth Plan";
    static constexpr std::string_view kTableName = "Schedule of the years ahead";
    static constexpr std::string_view kChartName = "Chart of usable TB installed per year";
    static constexpr std::string_view kUsableLegend = "Usable TB installed";
    static constexpr std::string_view kNeedLegend = "Need TB";
    static constexpr std::string_view kKeepYear = "&Keep Year...";
    static constexpr std::string_view kClose = "Close";
};

enum class GrowthColumn : std::uint8_t {
    Year,
    NeedTb,
    SizedBy,
    Groups,
    UsableTb,
    HostIops,
    DisksToOrder,
    Arrays,
    BuyDisks,
    BuyArrays,
    Purchase,
    Kw,
    Energy,
    Support,
    Cost,
    Cumulative,
    LossPerYear,
};
inline constexpr std::size_t kGrowthColumnCount = 17;

// A realistic schedule: ten years of a few thousand groups, an order of tens of millions.
// clang-format off
inline constexpr std::array<TextColumn, kGrowthColumnCount> kGrowthColumns{{
    // heading            numeric  sample        grouped
    {"Year",              true,    "Total",      false},
    {"Need\nTB",          true,    "12345.67",   false},
    {"Sized\nby",         false,   "capacity",   false},
    {"Groups",            true,    "12345",      true},
    {"Usable\nTB",        true,    "12345.67",   false},
    {"Host\nIOPS",        true,    "123456",     true},
    {"Disks to\norder",   true,    "12345",      true},
    {"Arrays",            true,    "123",        true},
    {"Buy\ndisks",        true,    "12345",      true},
    {"Buy\narrays",       true,    "123",        true},
    {"Purchase",          true,    "12345678",   true},
    {"kW",                true,    "123.4",      false},
    {"Energy",            true,    "1234567",    true},
    {"Support",           true,    "1234567",    true},
    {"Cost",              true,    "12345678",   true},
    {"Cumulative",        true,    "12345678",   true},
    {"Loss/yr",           true,    "0.00014%",   false},
}};
// clang-format on

// One line of the schedule, a cell per column; the total line leaves the cells that add up to
// nothing empty.
using GrowthTextLine = std::array<std::string, kGrowthColumnCount>;
// Which columns a table shows, in GrowthColumn order.
using GrowthColumnsShown = std::array<bool, kGrowthColumnCount>;

// "capacity", "IOPS", "MB/s", or the dash when the groups did not change.
std::string_view sizedByText(SizedBy by) noexcept;

// A year of the chart: the usable TB its plan installs and the need it must meet.
struct GrowthChartYear {
    std::string label; // "Year 3"
    double usableTib = 0.0;
    double needTib = 0.0;
    std::string usableText; // "48.37"
    std::string needText;   // "43.94"
};

struct GrowthChart {
    std::vector<GrowthChartYear> years;
    std::string description; // what a screen reader says of it
};

// Everything a schedule says, for the window and the printed plan alike.
struct GrowthPlanTexts {
    std::vector<GrowthTextLine> lines; // one a year, then the total; none without a schedule
    std::string growthRow;             // "Row 1 grows, from 4 groups on the sheet."
    std::string workload;              // "Workload today, from Size for Capacity: ..."
    std::string runOut;                // empty without a need typed
    std::string total;                 // "Over 5 years the plan costs 88685: ..."
    std::string leftOut;               // "Not priced: ... Not counted: ..."; empty for none
    std::vector<std::string> notes;    // why there is no schedule, or what it had to give up
    GrowthChart chart;
};

// The texts of `schedule`, made from `inputs`; disk types are named as `diskNames` (a Disk Type
// list of the main window) names them.
GrowthPlanTexts growthPlanTexts(const GrowthSchedule& schedule, const GrowthInputs& inputs,
                                std::span<const std::string_view> diskNames);

// The keys a program reads the columns under, in their order: camelCase after the headings.
inline constexpr std::array<std::string_view, kGrowthColumnCount> kGrowthKeys{
    "year",         "needTb",  "sizedBy",  "groups",     "usableTb",   "hostIops",
    "disksToOrder", "arrays",  "buyDisks", "buyArrays",  "purchase",   "kw",
    "energy",       "support", "cost",     "cumulative", "lossPerYear"};
using GrowthFigureLine = std::array<CellFigure, kGrowthColumnCount>;

// The numbers a schedule's lines are made from, a line a year and then the total's, at full
// precision; a cell the line leaves empty has none (a program reads the dash as none too).
std::vector<GrowthFigureLine> growthFigureLines(const GrowthSchedule& schedule);

// The lines as a spreadsheet pastes them: the headings of the columns shown, each on one line,
// then `lines`, cells joined by tabs and every line ended by a newline.
std::string growthTableText(std::span<const GrowthTextLine> lines, const GrowthColumnsShown& shown);

} // namespace brim
