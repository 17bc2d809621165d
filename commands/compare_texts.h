#pragma once

// The Compare Plans window's own words: its buttons and the names a screen reader gives its
// table, chart and name editor. The figures' headings and texts come from plan_comparison.h,
// its notes and questions from kept_plans.h.

#include <string_view>

namespace brim {

struct CompareWords {
    static constexpr std::string_view kTitle = "Compare Plans";

    static constexpr std::string_view kKeepSheet = "&Keep the Sheet";
    static constexpr std::string_view kTableName = "Plans compared";
    static constexpr std::string_view kPlanNameEditor = "Plan name";
    static constexpr std::string_view kChartName = "Chart of the selected figure";

    static constexpr std::string_view kPutBack = "Put &Back";
    static constexpr std::string_view kRemove = "Remove";
    static constexpr std::string_view kRemoveTip = "Remove the selected plan (Delete)";
    static constexpr std::string_view kClose = "Close";
};

} // namespace brim
