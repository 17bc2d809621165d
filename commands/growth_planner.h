#pragma once

// What the Growth Plan window decides, without the window: its eleven fields, one figure of the
// years ahead each, walked in GrowthFigure's order (the window's Tab order); the Grow definition
// list; the schedule of the sheet as the main window shows it and every line and sentence of it
// (growth_texts.h); the copy of its columns; and keeping a year's plan among the kept plans.
//
// The figures are the main window's planning assumptions, edited in place, so that Save
// Workbook keeps them and the closing question sees them. The sheet holds still while the
// planner lives.

#include "commands/capacity_planner.h"
#include "commands/disk_choices.h"
#include "commands/growth_texts.h"
#include "commands/kept_plans.h"
#include "core/config_sheet.h"
#include "core/growth_schedule.h"
#include "core/planning_assumptions.h"
#include "core/planning_figures.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// The choices of the window that last while the program runs (not between runs): the main
// window keeps one and hands it to each Growth Plan window it opens.
struct GrowthChoices {
    GrowthColumnsShown shownColumns = [] {
        GrowthColumnsShown all{};
        all.fill(true);
        return all;
    }();
};

class GrowthPlanner {
public:
    // `sheet` is the main window's, just captured; `planning` its assumptions. Both must outlive
    // the planner. `names` are the main window's Disk Type lists.
    GrowthPlanner(const ConfigSheet& sheet, PlanningAssumptions& planning, StatedWorkload workload,
                  const RowDiskNames& names);

    int modelIndex() const noexcept { return sheet_.modelIndex; }

    // A field's text as it opens: the figure in use ("20", "" for no need typed).
    std::string fieldText(GrowthFigure figure) const;
    // Takes a field's text as typed. A good one becomes the figure in use; a refused one keeps
    // the figure as it was and empties the schedule until the field holds a good one again.
    // Returns the field's refusal, empty when taken.
    std::string_view typeField(GrowthFigure figure, std::string_view text);
    // What shows under the fields: the refusal of the first field, in Tab order, that refuses
    // its text; empty when none does.
    std::string_view refusal() const noexcept;

    // The Grow definition list: "Largest", then "Row N" for each definition that can grow.
    const std::vector<std::string>& definitionTexts() const noexcept { return definitionTexts_; }
    // The entry of the definition in use; "Largest" for a row that cannot grow.
    std::size_t definitionIndex() const noexcept;
    void pickDefinition(std::size_t index);
    bool installed() const noexcept { return planning_.growth.installed; }
    void setInstalled(bool installed);

    const GrowthSchedule& schedule() const noexcept { return schedule_; }
    // One line a year, then the total line; none while a field refuses its text or without a
    // schedule (the notes say why).
    const std::vector<GrowthTextLine>& lines() const noexcept { return texts_.lines; }
    std::size_t yearLineCount() const noexcept;
    const std::string& growthRowSentence() const noexcept { return texts_.growthRow; }
    const std::string& workloadSentence() const noexcept { return texts_.workload; }
    const std::string& runOutSentence() const noexcept { return texts_.runOut; }
    const std::string& totalSentence() const noexcept { return texts_.total; }
    const std::string& leftOutLine() const noexcept { return texts_.leftOut; }
    const std::vector<std::string>& notes() const noexcept { return texts_.notes; }
    const GrowthChart& chart() const noexcept { return texts_.chart; }
    const GrowthPlanTexts& texts() const noexcept { return texts_; }

    // The columns shown, headings first, then every line, or only line `line` when given.
    std::string copyText(const GrowthColumnsShown& shown,
                         std::optional<std::size_t> line = std::nullopt) const;

    // The plan of the year on line `line` (0 for year 1): the sheet with the growth row at that
    // year's groups. Nothing for the total line or beyond.
    std::optional<ConfigSheet> yearSheet(std::size_t line) const;
    // Whether Keep Year can keep that plan now, and the note beside it when it cannot.
    KeepState keepYearState(std::size_t line, const KeptPlans& plans) const;
    // Keeps the plan as "Year N" for Compare Plans; the note says what was done, or why not.
    std::string keepYear(std::size_t line, KeptPlans& plans) const;

private:
    bool anyRefused() const noexcept;
    void listDefinitions();
    void refresh();

    const ConfigSheet& sheet_;
    PlanningAssumptions& planning_;
    StatedWorkload workload_;
    std::span<const std::string_view> diskNames_;
    std::vector<int> definitionRows_; // kGrowLargestDefinition, then the rows that can grow
    std::vector<std::string> definitionTexts_;
    std::array<std::string_view, kFigureCount<GrowthFigure>> refusals_{};
    GrowthSchedule schedule_;
    GrowthPlanTexts texts_;
};

} // namespace brim
