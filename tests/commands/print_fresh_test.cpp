// Print recomputes a sheet whose inputs changed since its last Compute, so that every report,
// opened again, computes to the figures it printed.

#include "fake_sheet_view.h"
#include "report.h"
#include "report_reader.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <variant>
#include <vector>

namespace brim::test {
namespace {

// One random step of a planner at the window: the screen changes as the user's would, then
// the command that the change runs, if any.
void randomEdit(CommandsFixture& f, std::mt19937& random) {
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int r = pick(1, kRowCount);
    switch (pick(0, 8)) {
    case 0:
    case 1: // a number of groups typed
        row(f.view.screen, r).groupCount = static_cast<std::uint32_t>(pick(0, 3) * pick(0, 40));
        f.commands.captureInput();
        break;
    case 2: // Sticky Changes clicked or not, then a preset
        if (pick(0, 1) == 0) {
            f.view.screen.stickyChanges = !f.view.screen.stickyChanges;
            f.commands.captureInput();
        }
        f.commands.applyPreset(kPresets[static_cast<std::size_t>(pick(0, 3))]);
        break;
    case 3:
        f.commands.clearRow(r);
        break;
    case 4:
        f.view.screen.modelIndex = pick(0, 8);
        f.commands.changeModel();
        break;
    case 5:
        f.pickRaid(r, pick(0, 6));
        break;
    case 6: // a disk type picked and a disks-per-group typed, which run nothing
        row(f.view.screen, r).diskType = pick(0, 7);
        row(f.view.screen, r).disksPerGroup = static_cast<std::uint32_t>(pick(0, 16));
        break;
    case 7:
        row(f.view.screen, 1 + r % kVaultRowCount).includesVault ^= true;
        f.commands.toggleVault();
        break;
    default:
        f.commands.compute();
        break;
    }
}

TEST(PrintAfterEdits, EveryReportOpensToTheFiguresItPrinted) {
    std::mt19937 random(14);
    int printed = 0;
    int compared = 0; // reports with computed totals, whose figures Open Report compares
    for (int sequence = 0; sequence < 300; ++sequence) {
        CommandsFixture f;
        for (int step = 0; step < 40; ++step) {
            randomEdit(f, random);
            if (step % 4 != 3) {
                continue;
            }
            f.commands.computeIfInputsChanged(); // what Print runs first
            const ReportReading reading = readReport(formatReport(f.sheet, ReportTime{}));
            const auto* opened = std::get_if<OpenedReport>(&reading);
            ASSERT_NE(opened, nullptr) << std::get<ReportRefusal>(reading).message;
            CommandsFixture reopened;
            reopened.commands.openPlan(opened->plan, opened->version);
            for (const std::string& shown : reopened.view.messagesShown()) {
                ASSERT_NE(shown, differingFiguresMessage(opened->version))
                    << "sequence " << sequence << " step " << step;
            }
            ++printed;
            compared += holdsComputedResults(opened->plan) ? 1 : 0;
        }
    }
    RecordProperty("reportsPrinted", printed);
    RecordProperty("reportsCompared", compared);
    EXPECT_GT(compared, printed / 4); // most reports are compared, or the property says little
}

struct PrintCase {
    const char* name;
    std::function<void(CommandsFixture&)> edits;
    bool computes;
};

class BeforePrint : public ::testing::TestWithParam<PrintCase> {};

// Recomputing when nothing changed would show a failed Compute's message a second time.
TEST_P(BeforePrint, ComputesOnlyWhenTheInputsChanged) {
    CommandsFixture f;
    GetParam().edits(f);
    f.view.calls.clear();
    f.commands.computeIfInputsChanged();
    EXPECT_EQ(f.view.count(ViewCall::Kind::Capture), GetParam().computes ? 1U : 0U);
    EXPECT_EQ(f.view.count(ViewCall::Kind::Refresh), GetParam().computes ? 1U : 0U);
}

void typeGroups(CommandsFixture& f, int r, std::uint32_t groups) {
    row(f.view.screen, r).groupCount = groups;
    f.commands.captureInput();
}

void failCompute(CommandsFixture& f) { // RAID5 of 2 disks in row 4
    row(f.view.screen, 4).disksPerGroup = 2;
    f.pickRaid(4, raid::Raid5);
    f.commands.compute();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BeforePrint,
    ::testing::Values(
        PrintCase{"NeverComputed", [](CommandsFixture& f) { typeGroups(f, 2, 20); }, false},
        PrintCase{"Computed", [](CommandsFixture& f) { f.commands.compute(); }, false},
        PrintCase{"ComputedThenGroupsTyped",
                  [](CommandsFixture& f) {
                      f.commands.compute();
                      typeGroups(f, 2, 20);
                  },
                  true},
        PrintCase{"FailedCompute", failCompute, false},
        PrintCase{"FailedComputeThenGroupsTyped",
                  [](CommandsFixture& f) {
                      failCompute(f);
                      typeGroups(f, 7, 1);
                  },
                  true},
        PrintCase{"PresetOnRowsWithoutGroups",
                  [](CommandsFixture& f) {
                      typeGroups(f, 1, 3);
                      f.commands.compute();
                      f.commands.applyPreset(kPresets[2]);
                  },
                  true},
        PrintCase{"DiskPickedOnScreenOnly",
                  [](CommandsFixture& f) {
                      f.commands.compute();
                      row(f.view.screen, 1).diskType = 1; // no capture yet
                  },
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brim::test
