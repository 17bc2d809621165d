// Print computes first whenever the controls or the sheet no longer show the inputs of the last
// Compute, so that every report is what Compute then Print would write, and opens again to the
// figures it printed; the figures are drawn stale exactly while the screen leaves their inputs.

#include "report/report.h"
#include "report/report_reader.h"
#include "tests/support/fake_sheet_view.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <variant>

namespace brim::test {
namespace {

// One random step of a planner at the window: the screen changes as the user's would, then the
// command that the change runs, if any.
void randomEdit(CommandsFixture& f, std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int r = pick(1, kRowCount);
    GroupDefinition& shown = row(f.view.screen, r);
    switch (pick(0, 6)) {
    case 0: // a number of groups typed
        shown.groupCount = static_cast<std::uint32_t>(pick(0, 3) * pick(0, 40));
        f.commands.captureInput();
        return;
    case 1: // Sticky Changes clicked or not, then a preset
        if (pick(0, 1) == 0) {
            f.view.screen.stickyChanges = !f.view.screen.stickyChanges;
            f.commands.captureInput();
        }
        f.commands.applyPreset(kPresets[static_cast<std::size_t>(pick(0, 3))]);
        return;
    case 2:
        f.commands.clearRow(r);
        return;
    case 3:
        f.view.screen.modelIndex = pick(0, 8);
        f.commands.changeModel();
        return;
    case 4:
        f.pickRaid(r, pick(0, 6));
        return;
    case 5: // a disk type picked or a disks-per-group typed (17 too), which run nothing
        if (pick(0, 1) == 0) {
            shown.diskType = pick(0, 7);
        } else {
            shown.disksPerGroup = static_cast<std::uint32_t>(pick(0, 17));
        }
        return;
    default:
        f.commands.compute();
        return;
    }
}

// What a row's texts were last written from, as the test sees it: the screen's inputs at the
// moment a Compute wrote them (a failed Compute writes the rows up to the one that failed).
struct FiguresRecord {
    std::array<std::optional<ScreenInputs>, kRowCount> rows{};
    std::optional<ScreenInputs> totals;

    // After a command: a Compute that ran wrote new bases where inputs changed.
    void noteCommand(const ConfigSheet& before, const ConfigSheet& after) {
        if (after.totalsBasis == before.totalsBasis) {
            return;
        }
        const ScreenInputs inputs = screenInputsOf(after);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (after.rowFiguresBasis[i] != before.rowFiguresBasis[i]) {
                rows[i] = inputs;
            }
        }
        totals = inputs;
    }
};

bool shows(const ScreenInputs& screen, const ScreenInputs& inputs, std::size_t row) {
    return screen.modelIndex == inputs.modelIndex && screen.rows[row] == inputs.rows[row];
}

TEST(PrintAfterEdits, WritesWhatComputeThenPrintWouldAndEveryReportOpensToItsFigures) {
    std::mt19937 random(14);
    int printed = 0;
    int computedFirst = 0;
    int compared = 0; // reports with computed totals, whose figures Open Report compares
    for (int sequence = 0; sequence < 300; ++sequence) {
        CommandsFixture f;
        FiguresRecord record;
        for (int step = 0; step < 40; ++step) {
            const ConfigSheet before = f.sheet;
            randomEdit(f, random);
            record.noteCommand(before, f.sheet);
            const ScreenInputs screen = f.view.screenInputs();
            for (std::size_t i = 0; i < kRowCount; ++i) {
                const bool grey = record.rows[i] && !shows(screen, *record.rows[i], i);
                ASSERT_EQ(rowFiguresDifferFromScreen(f.sheet, screen, i), grey)
                    << "row " << i + 1 << " step " << step;
            }
            ASSERT_EQ(totalsDifferFromScreen(f.sheet, screen),
                      record.totals && !(screen.modelIndex == record.totals->modelIndex &&
                                         screen.rows == record.totals->rows));
            if (step % 4 != 3) {
                continue;
            }
            // Pressing Compute, then Print, in a window of its own showing the same controls.
            CommandsFixture pressed;
            pressed.sheet = f.sheet;
            pressed.view.screen = f.view.screen;
            pressed.commands.compute();
            const bool neverComputed = !f.sheet.totalsBasis;
            const bool screenIsSheet = sameSheet(f.view.screen, f.sheet);

            f.view.calls.clear();
            const ConfigSheet beforePrint = f.sheet;
            f.commands.computeBeforeOutput(); // what Print runs first
            record.noteCommand(beforePrint, f.sheet);
            computedFirst += f.view.count(ViewCall::Kind::Capture) != 0 ? 1 : 0;
            const std::string report = formatReport(f.sheet, ReportTime{});
            if (neverComputed && screenIsSheet) {
                ASSERT_EQ(f.view.calls.size(), 0U); // prints as it stands, with empty texts
            } else {
                ASSERT_EQ(report, formatReport(pressed.sheet, ReportTime{}))
                    << "sequence " << sequence << " step " << step;
            }

            const ReportReading reading = readReport(report);
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
    RecordProperty("computedFirst", computedFirst);
    RecordProperty("reportsCompared", compared);
    EXPECT_GT(compared, printed / 2);      // most reports are compared, or the property says little
    EXPECT_GT(computedFirst, printed / 4); // and many of them needed a Compute first
}

} // namespace
} // namespace brim::test
