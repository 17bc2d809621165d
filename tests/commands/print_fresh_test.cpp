// Print recomputes a sheet whose inputs changed since its last Compute, and only such a sheet,
// so that every report, opened again, computes to the figures it printed.

#include "fake_sheet_view.h"
#include "report.h"
#include "report_reader.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <variant>

namespace brim::test {
namespace {

// The model and the rows' inputs: what Compute reads.
ConfigSheet inputsOf(ConfigSheet sheet) {
    fillStaleTexts(sheet);
    sheet.stickyChanges = true;
    sheet.rowFiguresBasis = {};
    sheet.totalsBasis.reset();
    return sheet;
}

// One random step of a planner at the window: the screen changes as the user's would, then the
// command that the change runs, if any. True when that command computes.
bool randomEdit(CommandsFixture& f, std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int r = pick(1, kRowCount);
    GroupDefinition& shown = row(f.view.screen, r);
    switch (pick(0, 6)) {
    case 0: // a number of groups typed
        shown.groupCount = static_cast<std::uint32_t>(pick(0, 3) * pick(0, 40));
        f.commands.captureInput();
        return false;
    case 1: // Sticky Changes clicked or not, then a preset
        if (pick(0, 1) == 0) {
            f.view.screen.stickyChanges = !f.view.screen.stickyChanges;
            f.commands.captureInput();
        }
        f.commands.applyPreset(kPresets[static_cast<std::size_t>(pick(0, 3))]);
        return false;
    case 2:
        f.commands.clearRow(r);
        return false;
    case 3:
        f.view.screen.modelIndex = pick(0, 8);
        f.commands.changeModel();
        return true;
    case 4:
        f.pickRaid(r, pick(0, 6));
        return false;
    case 5: // a disk type picked and a disks-per-group typed, which run nothing
        shown.diskType = pick(0, 7);
        shown.disksPerGroup = static_cast<std::uint32_t>(pick(0, 16));
        return false;
    default:
        f.commands.compute();
        return true;
    }
}

TEST(PrintAfterEdits, ComputesWhenTheInputsChangedAndEveryReportOpensToItsFigures) {
    std::mt19937 random(14);
    int printed = 0;
    int compared = 0; // reports with computed totals, whose figures Open Report compares
    for (int sequence = 0; sequence < 300; ++sequence) {
        CommandsFixture f;
        std::optional<ConfigSheet> computedInputs; // as the last Compute read them
        for (int step = 0; step < 40; ++step) {
            if (randomEdit(f, random)) {
                computedInputs = inputsOf(f.sheet);
            }
            if (step % 4 != 3) {
                continue;
            }
            const bool due = computedInputs && !sameSheet(*computedInputs, inputsOf(f.sheet));
            f.view.calls.clear();
            f.commands.computeIfInputsChanged(); // what Print runs first
            ASSERT_EQ(f.view.count(ViewCall::Kind::Capture), due ? 1U : 0U) << "step " << step;
            computedInputs = due ? inputsOf(f.sheet) : computedInputs;

            const ReportReading reading = readReport(formatReport(f.sheet, ReportTime{}));
            const auto* opened = std::get_if<OpenedReport>(&reading);
            ASSERT_NE(opened, nullptr) << std::get<ReportRefusal>(reading).message;
            CommandsFixture reopened;
            reopened.commands.openPlan(opened->plan, opened->version);
            for (const std::string& message : reopened.view.messagesShown()) {
                ASSERT_FALSE(message.starts_with("The report's figures differ"))
                    << message << " (sequence " << sequence << " step " << step << ")";
            }
            ++printed;
            compared += holdsComputedResults(opened->plan) ? 1 : 0;
        }
    }
    RecordProperty("reportsPrinted", printed);
    RecordProperty("reportsCompared", compared);
    EXPECT_GT(compared, printed / 2); // most reports are compared, or the property says little
}

} // namespace
} // namespace brim::test
