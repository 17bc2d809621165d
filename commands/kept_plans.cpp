#include "commands/kept_plans.h"

#include "commands/sheet_step.h"
#include "core/blanks.h"
#include "core/plan_name.h"

#include <algorithm>
#include <utility>

namespace brim {

std::optional<std::size_t> KeptPlans::keep(const ConfigSheet& sheet) {
    if (full() || keptAs(sheet)) {
        return std::nullopt;
    }
    plans_.push_back({freeName(), planSheetOf(sheet)});
    return plans_.size() - 1;
}

std::optional<std::size_t> KeptPlans::keptAs(const ConfigSheet& sheet) const {
    const PlanSheet inputs = planSheetOf(sheet);
    const auto found = std::find_if(plans_.begin(), plans_.end(), [&inputs](const NamedPlan& plan) {
        return plan.sheet == inputs;
    });
    if (found == plans_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - plans_.begin());
}

// Eight plans never use up 26 letters.
std::string KeptPlans::freeName() const {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string name = std::string(kPlanNamePrefix) + letter;
        if (!nameInUse(name, plans_.size())) {
            return name;
        }
    }
    return std::string(kPlanNamePrefix);
}

bool KeptPlans::nameInUse(std::string_view name, std::size_t except) const {
    for (std::size_t i = 0; i < plans_.size(); ++i) {
        if (i != except && plans_[i].name == name) {
            return true;
        }
    }
    return false;
}

std::string KeptPlans::rename(std::size_t index, std::string_view name) {
    if (index >= plans_.size()) {
        return {};
    }
    const std::string_view trimmed = trimBlanks(name);
    if (!isPlanName(trimmed)) {
        std::string rule(kPlanNameRule);
        rule.front() = 'A';
        return rule;
    }
    if (nameInUse(trimmed, index)) {
        return namedAlreadyNote(trimmed);
    }
    plans_[index].name = std::string(trimmed);
    return {};
}

void KeptPlans::remove(std::size_t index) {
    if (index < plans_.size()) {
        plans_.erase(plans_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

// A sheet kept already says so even when the plans are full: it needs no room.
KeepState keepState(const KeptPlans& plans, const ConfigSheet& sheet) {
    if (const std::optional<std::size_t> kept = plans.keptAs(sheet)) {
        return {false, keptAlreadyNote(plans.plans()[*kept].name)};
    }
    if (plans.full()) {
        return {false, std::string(kPlansFullNote)};
    }
    return {};
}

std::string putBackStepName(const NamedPlan& plan) {
    return std::string(kPutBackStepName) + ' ' + plan.name;
}

} // namespace brim
