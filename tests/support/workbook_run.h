#pragma once

#include "commands/kept_plans.h"
#include "commands/workbook_commands.h"
#include "tests/support/fake_sheet_view.h"

#include <string>
#include <vector>

namespace brim::test {

// One run of the program: its sheet, kept plans, planning figures and workbook file, wired as
// the main window wires them, over the stand-in main window.
struct WorkbookRun {
    ConfigSheet sheet;
    FakeSheetView view{sheet};
    RowCommands commands{sheet, view};
    KeptPlans plans;
    PlanningAssumptions planning;
    CapacityChoices sizing;
    WorkbookFile file;
    WorkbookCommands workbook{{commands, sheet, plans, planning, sizing, file}, view};

    explicit WorkbookRun(const ConfigSheet& start = {}) : sheet(start) {}

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const ViewCall& call : view.calls) {
            if (call.kind == ViewCall::Kind::Message) {
                texts.push_back(call.text);
            }
        }
        return texts;
    }
};

} // namespace brim::test
