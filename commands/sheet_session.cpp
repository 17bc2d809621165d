#include "commands/sheet_session.h"

#include "commands/questions.h"

#include <algorithm>

namespace brim {
namespace {

// A fresh session replaces nothing unsaved, so no question comes; were one to come, the file
// named is what the command line was asked to open.
class OpenWhatIsNamed final : public Questions {
public:
    bool ask(std::string_view) override { return true; }
};

// The first rule the sheet breaks as Compute would show it, found silently.
std::string firstBrokenRule(const ConfigSheet& sheet) {
    FirstMessage first;
    (void)walkSheet(sheet, first);
    return first.message;
}

} // namespace

SheetSession::SheetSession()
    : view_(sheet_), commands_(sheet_, view_),
      workbook_({commands_, sheet_, plans_, planning_, sizing_, file_}, view_) {}

bool SheetSession::open(const std::string& path, std::string_view text) {
    OpenWhatIsNamed questions;
    return workbook_.openText(path, text, questions);
}

bool SheetSession::putBack(std::string_view name) {
    const std::vector<NamedPlan>& kept = plans_.plans();
    const auto plan = std::find_if(kept.begin(), kept.end(),
                                   [name](const NamedPlan& p) { return p.name == name; });
    if (plan == kept.end()) {
        return false;
    }
    commands_.putSheet(configSheetOf(plan->sheet), putBackStepName(*plan));
    return true;
}

std::vector<PlanRule> SheetSession::brokenRules() const {
    std::vector<PlanRule> rules;
    rules.reserve(plans_.size() + 1);
    rules.push_back({std::string(kSheetPlanName), firstBrokenRule(sheet_)});
    for (const NamedPlan& plan : plans_.plans()) {
        rules.push_back({plan.name, firstBrokenRule(configSheetOf(plan.sheet))});
    }
    return rules;
}

} // namespace brim
