#include "commands/growth_planner.h"

#include "commands/compare_texts.h"
#include "commands/figure_words.h"
#include "core/growing_sheet.h"
#include "core/planner_inputs.h"

#include <algorithm>

namespace brim {
namespace {

std::size_t indexOf(GrowthFigure figure) noexcept {
    return static_cast<std::size_t>(figure);
}

std::string yearPlanName(int year) {
    return "Year " + std::to_string(year);
}

bool namedSo(const KeptPlans& plans, std::string_view name) {
    return std::any_of(plans.plans().begin(), plans.plans().end(),
                       [name](const NamedPlan& plan) { return plan.name == name; });
}

} // namespace

GrowthPlanner::GrowthPlanner(const ConfigSheet& sheet, PlanningAssumptions& planning,
                             StatedWorkload workload, const RowDiskNames& names)
    : sheet_(sheet), planning_(planning), workload_(workload), diskNames_(names[kRowCount - 1]) {
    listDefinitions();
    refresh();
}

void GrowthPlanner::listDefinitions() {
    definitionRows_.push_back(kGrowLargestDefinition);
    for (std::size_t i = 0; i < sheet_.rows.size(); ++i) {
        if (canGrow(sheet_.rows[i])) {
            definitionRows_.push_back(static_cast<int>(i) + 1);
        }
    }
    for (const int row : definitionRows_) {
        definitionTexts_.push_back(definitionText(row));
    }
}

std::string GrowthPlanner::fieldText(GrowthFigure figure) const {
    const auto& record = figureRule(figure);
    return figureEditText(record.rule, record.value(planning_, 0));
}

std::string_view GrowthPlanner::typeField(GrowthFigure figure, std::string_view text) {
    const auto& record = figureRule(figure);
    const std::optional<std::int64_t> typed = typedFigure(record.rule, text);
    const bool stored = typed && record.store(planning_, 0, *typed);
    refusals_[indexOf(figure)] = stored ? std::string_view{} : figureWords(figure).refusal;
    refresh();
    return refusals_[indexOf(figure)];
}

std::string_view GrowthPlanner::refusal() const noexcept {
    const auto refused = std::find_if(refusals_.begin(), refusals_.end(),
                                      [](std::string_view r) { return !r.empty(); });
    return refused == refusals_.end() ? std::string_view{} : *refused;
}

bool GrowthPlanner::anyRefused() const noexcept {
    return !refusal().empty();
}

std::size_t GrowthPlanner::definitionIndex() const noexcept {
    const auto found =
        std::find(definitionRows_.begin(), definitionRows_.end(), planning_.growth.growDefinition);
    return found == definitionRows_.end()
               ? 0
               : static_cast<std::size_t>(found - definitionRows_.begin());
}

void GrowthPlanner::pickDefinition(std::size_t index) {
    if (index < definitionRows_.size()) {
        typeField(GrowthFigure::GrowDefinition, std::to_string(definitionRows_[index]));
    }
}

void GrowthPlanner::setInstalled(bool installed) {
    typeField(GrowthFigure::Installed, installed ? "1" : "0");
}

// A refused field leaves the figures as they were, but the table would show figures the fields
// no longer do: it waits, as the other planners' do, until every field holds a good one.
void GrowthPlanner::refresh() {
    const GrowthInputs inputs{sheet_, planning_, workload_};
    schedule_ = growthSchedule(inputs);
    texts_ = growthPlanTexts(schedule_, inputs, diskNames_);
    if (anyRefused()) {
        const std::string workload = std::move(texts_.workload);
        texts_ = {};
        texts_.workload = workload;
    }
}

std::size_t GrowthPlanner::yearLineCount() const noexcept {
    return texts_.lines.empty() ? 0 : texts_.lines.size() - 1;
}

std::string GrowthPlanner::copyText(const GrowthColumnsShown& shown,
                                    std::optional<std::size_t> line) const {
    std::span<const GrowthTextLine> lines = texts_.lines;
    if (line) {
        lines = *line < lines.size() ? lines.subspan(*line, 1) : lines.subspan(0, 0);
    }
    return growthTableText(lines, shown);
}

std::optional<ConfigSheet> GrowthPlanner::yearSheet(std::size_t line) const {
    if (line >= yearLineCount()) {
        return std::nullopt;
    }
    ConfigSheet plan = sheet_;
    plan.rows[static_cast<std::size_t>(schedule_.growthRow - 1)].groupCount =
        schedule_.years[line].groups;
    return plan;
}

// The notes of Keep the Sheet, and the name a year's plan is kept under.
KeepState GrowthPlanner::keepYearState(std::size_t line, const KeptPlans& plans) const {
    const std::optional<ConfigSheet> plan = yearSheet(line);
    if (!plan) {
        return {false, {}};
    }
    const std::string name = yearPlanName(schedule_.years[line].year);
    if (const std::optional<std::size_t> kept = plans.keptAs(*plan)) {
        return {false, name + "'s plan is kept already as " + plans.plans()[*kept].name + '.'};
    }
    if (plans.full()) {
        return {false, std::string(kPlansFullNote)};
    }
    if (namedSo(plans, name)) {
        return {false, namedAlreadyNote(name)};
    }
    return {};
}

std::string GrowthPlanner::keepYear(std::size_t line, KeptPlans& plans) const {
    const KeepState state = keepYearState(line, plans);
    if (!state.canKeep) {
        return state.note;
    }
    const std::string name = yearPlanName(schedule_.years[line].year);
    const std::optional<std::size_t> kept = plans.keep(*yearSheet(line));
    if (!kept) {
        return std::string(kPlansFullNote);
    }
    plans.rename(*kept, name);
    return name + "'s plan is kept in Compare Plans.";
}

} // namespace brim
