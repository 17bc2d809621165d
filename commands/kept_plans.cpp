#include "kept_plans.h"

#include "blanks.h"
#include "sheet_step.h"

#include <algorithm>
#include <utility>

namespace brim {

std::optional<std::size_t> KeptPlans::keep(const ConfigSheet& sheet) {
    if (full()) {
        return std::nullopt;
    }
    plans_.push_back({freeName(), planSheetOf(sheet)});
    return plans_.size() - 1;
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
        return "Another plan is named \"" + std::string(trimmed) + "\".";
    }
    plans_[index].name = std::string(trimmed);
    return {};
}

void KeptPlans::remove(std::size_t index) {
    if (index < plans_.size()) {
        plans_.erase(plans_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

std::string removePlanQuestion(const NamedPlan& plan) {
    return "Remove " + plan.name + '?';
}

std::string putBackStepName(const NamedPlan& plan) {
    return std::string(kPutBackStepName) + ' ' + plan.name;
}

} // namespace brim
