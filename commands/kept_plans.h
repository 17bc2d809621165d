#pragma once

// The plans the planner keeps beside the sheet while the program runs: the sheet's inputs under
// a name, "Plan A", "Plan B", ..., at most kMaxKeptPlans. They are not part of the sheet's
// Undo; a workbook saves them and opens them again.

#include "commands/compare_texts.h"
#include "commands/plan_comparison.h"
#include "core/config_sheet.h"
#include "report/workbook.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

inline constexpr std::string_view kPlanNamePrefix = "Plan ";

class KeptPlans {
public:
    const std::vector<NamedPlan>& plans() const noexcept { return plans_; }
    std::size_t size() const noexcept { return plans_.size(); }
    bool full() const noexcept { return plans_.size() >= kMaxKeptPlans; }

    // Keeps the sheet's inputs as "Plan X", X the first letter no plan is named with; its
    // position, or nothing when full or when a plan holds these inputs already.
    std::optional<std::size_t> keep(const ConfigSheet& sheet);
    // The first plan whose inputs, the model and the ten rows, are the sheet's.
    std::optional<std::size_t> keptAs(const ConfigSheet& sheet) const;
    // Gives the plan a new name, blanks at either end left off. Empty when taken; otherwise
    // why not, and the old name stays.
    std::string rename(std::size_t index, std::string_view name);
    void remove(std::size_t index);
    void replaceAll(std::vector<NamedPlan> plans) { plans_ = std::move(plans); }

    // The figure the planner last charted in Compare Plans, which the printed plan charts too.
    std::optional<PlanFigure> chartedFigure() const noexcept { return charted_; }
    void chart(PlanFigure figure) noexcept { charted_ = figure; }

private:
    std::string freeName() const;
    bool nameInUse(std::string_view name, std::size_t except) const;

    std::vector<NamedPlan> plans_;
    std::optional<PlanFigure> charted_;
};

// Whether Keep the Sheet can keep `sheet` now, and the note beside it when it cannot.
struct KeepState {
    bool canKeep = true;
    std::string note;
};
KeepState keepState(const KeptPlans& plans, const ConfigSheet& sheet);

// "Put Back Plan B": the step Undo names.
std::string putBackStepName(const NamedPlan& plan);

} // namespace brim
