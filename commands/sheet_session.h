#pragma once

// The main window's share of one file, with no window: what the command line opens a workbook or
// a printed report into, as Open opens it into the window (the sheet as Open's Compute leaves
// it, the kept plans, the planning figures), so that each figure and message it gives is one the
// window shows. A fresh session holds no unsaved work, so Open asks nothing.

#include "commands/capacity_planner.h"
#include "commands/kept_plans.h"
#include "commands/row_commands.h"
#include "commands/sheet_view.h"
#include "commands/workbook_commands.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "core/planning_assumptions.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// The window's controls, message box and history for a session: the controls show the sheet
// as it stands, the messages are kept in order, the steps are let go.
class SessionView final : public SheetView, public MessageSink {
public:
    explicit SessionView(const ConfigSheet& sheet) noexcept : sheet_(sheet) {}

    bool copyControlsToSheet() override { return true; }
    void copyReadableControlsToSheet() override {}
    void copySheetToControls() override {}
    ScreenInputs screenInputs() const override { return screenInputsOf(sheet_); }
    void enableControl(int, bool) override {}
    MessageSink& messages() override { return *this; }
    void recordStep(SheetStep) override {}

    void show(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;

private:
    const ConfigSheet& sheet_;
};

// The first rule a sheet breaks, as Compare Plans finds it for a column: the name it has there
// ("sheet" for the sheet) and the rule's message, empty when it breaks none.
struct PlanRule {
    std::string plan;
    std::string brokenRule;
};

inline constexpr std::string_view kSheetPlanName = "sheet";

class SheetSession {
public:
    SheetSession();
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;

    // Open of the file's text, which Open read from `path` (its first kOpenReadBytes): false,
    // with the message said, when refused.
    bool open(const std::string& path, std::string_view text);
    // Put Back of the kept plan of this name: false, with nothing changed, when there is none.
    bool putBack(std::string_view name);

    const ConfigSheet& sheet() const noexcept { return sheet_; }
    const std::vector<NamedPlan>& plans() const noexcept { return plans_.plans(); }
    PlanningAssumptions& planning() noexcept { return planning_; }
    const KeptPlans& keptPlans() const noexcept { return plans_; }
    // Size for Capacity's fields as the workbook keeps them, whose workload the years ahead grow.
    const CapacityChoices& sizing() const noexcept { return sizing_; }
    RowCommands& commands() noexcept { return commands_; }

    // The sheet and then every kept plan, each with the first rule it breaks.
    std::vector<PlanRule> brokenRules() const;

    // What the window would have shown since the session began or the last forgetMessages.
    const std::vector<std::string>& messages() const noexcept { return view_.shown; }
    void forgetMessages() noexcept { view_.shown.clear(); }

private:
    ConfigSheet sheet_;
    SessionView view_;
    RowCommands commands_;
    KeptPlans plans_;
    PlanningAssumptions planning_;
    CapacityChoices sizing_;
    WorkbookFile file_;
    WorkbookCommands workbook_;
};

} // namespace brim
