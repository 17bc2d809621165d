#pragma once

// The Compare Plans window's words: its buttons and the names a screen reader gives its table,
// chart and name editor, and the notes and questions of its kept plans. The figures' headings and
// texts come from plan_comparison.h.

#include <string>
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

inline constexpr std::string_view kPlansFullNote =
    "Eight plans are kept, the most there can be: remove one to keep another.";

// "The sheet is kept already as Plan A."
inline std::string keptAlreadyNote(std::string_view plan) {
    return "The sheet is kept already as " + std::string(plan) + '.';
}
// A rename to a name in use: 'Another plan is named "Cheap".'
inline std::string namedAlreadyNote(std::string_view name) {
    return "Another plan is named \"" + std::string(name) + "\".";
}
// "Remove Plan B?"
inline std::string removePlanQuestion(std::string_view plan) {
    return "Remove " + std::string(plan) + '?';
}

} // namespace brim
