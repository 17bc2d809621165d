#pragma once

// What the printed plan says, without the printing: its title, its sections in order, and in
// each the sentences, tables and chart a planner hands on, every text ready to print as it
// stands. The page, the fonts and the drawing belong to the window side.
//
// The figures come from the same functions as the windows: the sheet's fields as Copy Sheet
// gives them, Sheet Performance's lines and disks to order, and the core's chance of losing data
// in a year and cost. A plan kept for comparison is figured with the planning assumptions in
// force, as the one on screen is.

#include "commands/digit_grouping.h"
#include "commands/disk_choices.h"
#include "commands/kept_plans.h"
#include "commands/plan_comparison.h"
#include "core/config_sheet.h"
#include "core/growth_schedule.h"
#include "core/planning_assumptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brim {

// A plan the planner kept to compare with others: the name it was kept under and its sheet.
struct KeptPlan {
    std::string name;
    ConfigSheet sheet;
};

struct CalendarDate {
    int year = 2000;
    int month = 1; // 1 to 12
    int day = 1;
};

struct DocumentParagraph {
    std::string text;
};

struct DocumentLine {
    std::vector<std::string> cells;
    // The second cell reads across the rest: the message of a row that breaks a rule.
    bool acrossRest = false;
};

struct DocumentTable {
    std::vector<std::string> headings;
    std::vector<bool> numeric; // per column: right-aligned, so that the digits line up
    std::vector<DocumentLine> lines;
    bool endsWithTotal = false; // the last line adds up the others
};

struct DocumentBar {
    std::string label;
    double value = 0.0; // bars are drawn in proportion, 0 and up
    std::string valueText;
    // A mark across the bar at this value, in proportion as the bars are: a year's need against
    // the usable TB it installs. None for most charts.
    std::optional<double> mark = {};
};

// A bar chart on the page (named apart from the Compare Plans window's chart widget, which is
// another type of the same namespace).
struct DocumentChart {
    std::string caption;
    std::vector<DocumentBar> bars;
};

using DocumentBlock = std::variant<DocumentParagraph, DocumentTable, DocumentChart>;

struct DocumentSection {
    std::string heading;
    std::vector<DocumentBlock> blocks;
};

struct PlanDocument {
    std::string title;
    std::vector<DocumentSection> sections;
};

struct PlanDocumentInputs {
    const ConfigSheet& sheet; // as the last Compute left it
    const PlanningAssumptions& assumptions;
    const RowDiskNames& names; // the main window's Disk Type lists
    std::span<const KeptPlan> keptPlans;
    // The figure last selected for comparison; usable TB when none was.
    std::optional<PlanFigure> chartFigure;
    CalendarDate date;
    // The locale's digit group separator, which costs and counts of kFewestDigitsGrouped digits
    // and more take on the page ("1,234,567"); empty leaves every figure in plain digits.
    // Capacities, percentages, hours and the per-disk assumptions stay as the windows write them.
    std::string_view digitSeparator = {};
    // The workload Size for Capacity states, which the years ahead grow.
    StatedWorkload workload = {};
};

// Sections in order: the sheet, what it delivers, the disks to order, risk and cost, the years
// ahead, the kept plans (only when some are kept) and the assumptions.
PlanDocument planDocument(const PlanDocumentInputs& inputs);

// What each page carries at its foot: "page 2 of 3".
std::string pageFooterText(int page, int pageCount);

// The kept plans as the printed plan takes them.
std::vector<KeptPlan> keptPlansOf(const KeptPlans& plans);

// The printed chart's figure for one charted in Compare Plans: the same figure, or the one the
// page shows of it (disks with spares for disks, arrays with spares for arrays); usable TB for
// the lines that are no figure (model, definitions), for those the kept plans' table lacks
// (usable GB, the worst read-error risk) and when none was charted.
PlanFigure printedFigureOf(std::optional<PlanFigure> charted) noexcept;

// The name a printed figure has in the kept plans' table and the chart's caption; empty for a
// figure the page does not print.
std::string_view planFigureName(PlanFigure figure) noexcept;

} // namespace brim
