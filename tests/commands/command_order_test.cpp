// The order of calls of every command, failed captures, rows outside 1-10, result texts, and
// the commands that recompute: changeModel, toggleVault and Compute.

#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"
#include "tests/support/row_control_names.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

struct CommandCase {
    const char* name;
    std::function<void(RowCommands&)> run;
    std::vector<ViewCall> expected; // on the start-up sheet, where Compute shows no message
    bool computes;                  // runs the Compute command, which writes result texts
};

const std::vector<CommandCase>& allCommands() {
    static const std::vector<CommandCase> cases{
        {"Compute", [](RowCommands& c) { c.compute(); }, {capture(), refresh()}, true},
        {"ChangeRaidType",
         [](RowCommands& c) { c.changeRaidType(8); },
         {capture(), enable(disksFieldOf(8), true), refresh()},
         false},
        {"ApplyRaidLock",
         [](RowCommands& c) { c.applyRaidLock(8); },
         {enable(disksFieldOf(8), true)},
         false},
        {"ClearRow",
         [](RowCommands& c) { c.clearRow(4); },
         {capture(), enable(diskPickerOf(4), true), enable(raidPickerOf(4), true),
          enable(disksFieldOf(4), true), refresh()},
         false},
        {"ApplyPreset", [](RowCommands& c) { c.applyPreset(kPresets[0]); }, {refresh()}, false},
        {"ChangeModel",
         [](RowCommands& c) { c.changeModel(); },
         {capture(), refresh(), capture(), refresh()},
         true},
        {"ToggleVault", [](RowCommands& c) { c.toggleVault(); }, {capture(), refresh()}, true},
        {"CaptureInput", [](RowCommands& c) { c.captureInput(); }, {capture()}, false},
    };
    return cases;
}

class EveryCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(EveryCommand, CallsTheViewInItsOrder) {
    CommandsFixture f;
    GetParam().run(f.commands);
    EXPECT_EQ(f.view.calls, GetParam().expected);
}

// A command never looks at a failed copy's outcome: with every capture failing, the calls are
// the same, to the end.
TEST_P(EveryCommand, FailedCaptureDoesNotStopIt) {
    CommandsFixture f;
    f.view.failingCaptures = 100;
    GetParam().run(f.commands);
    EXPECT_EQ(f.view.calls, GetParam().expected);
}

// Only the Compute command writes result texts; the other commands leave the stale ones.
TEST_P(EveryCommand, OnlyComputeWritesResultTexts) {
    CommandsFixture f;
    fillStaleTexts(f.sheet);
    f.syncScreen();
    const ConfigSheet before = f.sheet;

    GetParam().run(f.commands);

    if (GetParam().computes) {
        for (const GroupDefinition& definition : f.sheet.rows) {
            EXPECT_EQ(definition.groupCapacityText, "    0.00");
            EXPECT_EQ(definition.totalCapacityText, "    0.00");
        }
        EXPECT_EQ(f.sheet.netTotalGbText, "    0.00");
        EXPECT_EQ(f.sheet.netTotalTbText, "    0.00");
        EXPECT_EQ(f.sheet.totalDisksText, "0");
        EXPECT_EQ(f.sheet.arraysRequiredText, "0");
    } else {
        EXPECT_TRUE(sameResultTexts(f.sheet, before));
        EXPECT_TRUE(sameResultTexts(f.view.screen, before));
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryCommand, ::testing::ValuesIn(allCommands()),
                         [](const auto& info) { return std::string(info.param.name); });

// The same, on a sheet whose inputs every non-computing command changes: still no result text.
TEST(ResultTexts, EditingCommandsLeaveThemOnAFilledSheet) {
    CommandsFixture f;
    for (int r = 1; r <= kRowCount; ++r) {
        row(f.view.screen, r).diskType = k750GAta;
        row(f.view.screen, r).disksPerGroup = 7;
        row(f.view.screen, r).raidType = kRaid5;
        row(f.view.screen, r).groupCount = r % 3 == 0 ? 2u : 0u;
    }
    f.commands.compute();
    ASSERT_TRUE(f.view.messagesShown().empty());
    const ConfigSheet computed = f.sheet;
    ASSERT_NE(f.sheet.netTotalGbText, "    0.00");

    f.pickRaid(3, kRaid1);
    f.pickRaid(6, kIndivDisk);
    f.commands.applyRaidLock(2);
    f.commands.clearRow(9);
    f.commands.applyPreset(kPresets[1]);
    row(f.view.screen, 4).groupCount = 11;
    f.commands.captureInput();
    f.view.screen.stickyChanges = false;
    f.commands.captureInput();
    f.commands.applyPreset(kPresets[3]);

    EXPECT_TRUE(sameResultTexts(f.sheet, computed));
    EXPECT_TRUE(sameResultTexts(f.view.screen, computed));
    EXPECT_TRUE(f.view.messagesShown().empty());
}

// Rows outside 1-10 neither crash nor touch anything: no call on the view, no change to the
// sheet or to any lock, no capture of what the screen shows.
TEST(OutOfRangeRows, DoNothing) {
    const int badRows[] = {0, -1, 11, 12, 100, INT_MIN, INT_MAX};
    const std::pair<const char*, std::function<void(RowCommands&, int)>> rowCommands[] = {
        {"changeRaidType", [](RowCommands& c, int r) { c.changeRaidType(r); }},
        {"applyRaidLock", [](RowCommands& c, int r) { c.applyRaidLock(r); }},
        {"clearRow", [](RowCommands& c, int r) { c.clearRow(r); }},
    };
    for (const auto& [name, run] : rowCommands) {
        for (const int bad : badRows) {
            SCOPED_TRACE(std::string(name) + "(" + std::to_string(bad) + ")");
            CommandsFixture f;
            f.pickRaid(1, kRaid1);
            f.pickRaid(10, kIndivDisk);
            fillStaleTexts(f.sheet);
            f.syncScreen();
            row(f.view.screen, 5).groupCount = 9; // not captured
            const ConfigSheet before = f.sheet;

            run(f.commands, bad);

            EXPECT_TRUE(f.view.calls.empty());
            EXPECT_TRUE(sameSheet(f.sheet, before));
            EXPECT_EQ(row(f.view.screen, 5).groupCount, 9u);
            EXPECT_FALSE(f.commands.disksFieldLocked(bad));
            for (int r = 1; r <= kRowCount; ++r) {
                EXPECT_EQ(f.commands.disksFieldLocked(r), r == 1 || r == 10) << "row " << r;
            }
        }
    }
}

// Only changeRaidType, applyRaidLock and clearRow touch a lock: the other commands make no
// enable call and leave every lock as it was.
TEST(Locks, OtherCommandsLeaveThem) {
    const std::function<void(RowCommands&)> others[] = {
        [](RowCommands& c) { c.compute(); },
        [](RowCommands& c) { c.applyPreset(kPresets[2]); },
        [](RowCommands& c) { c.changeModel(); },
        [](RowCommands& c) { c.toggleVault(); },
        [](RowCommands& c) { c.captureInput(); },
    };
    for (std::size_t i = 0; i < std::size(others); ++i) {
        SCOPED_TRACE("command " + std::to_string(i));
        CommandsFixture f;
        f.pickRaid(2, kRaid1);
        f.pickRaid(7, kIndivDisk);
        f.view.calls.clear();

        others[i](f.commands);

        EXPECT_EQ(f.view.count(ViewCall::Kind::Enable), 0u);
        for (int r = 1; r <= kRowCount; ++r) {
            EXPECT_EQ(f.commands.disksFieldLocked(r), r == 2 || r == 7) << "row " << r;
        }
    }
}

TEST(Locks, AllUnlockedAtStart) {
    CommandsFixture f;
    for (int r = 1; r <= kRowCount; ++r) {
        EXPECT_FALSE(f.commands.disksFieldLocked(r)) << "row " << r;
    }
}

// Picking another model while row 1 holds RAID5 with 2 disks: capture (takes the model),
// refresh, then the Compute command, which shows the RAID5 message once and ends in "Error".
TEST(ChangeModel, RecomputesAndShowsOneRaidMessage) {
    CommandsFixture f;
    row(f.view.screen, 1).raidType = kRaid5;
    row(f.view.screen, 1).disksPerGroup = 2;
    row(f.view.screen, 1).groupCount = 1;
    f.commands.captureInput();
    fillStaleTexts(f.sheet);
    f.syncScreen();

    f.view.screen.modelIndex = kMorvikC; // picked
    f.commands.changeModel();

    EXPECT_EQ(f.view.calls,
              (std::vector<ViewCall>{capture(), refresh(), capture(),
                                     message("Error: RAID5 requires 3 to 16 disks per group"),
                                     refresh()}));
    EXPECT_EQ(f.sheet.modelIndex, kMorvikC);
    EXPECT_EQ(row(f.sheet, 1).groupCapacityText, "    0.00");
    EXPECT_EQ(row(f.sheet, 1).totalCapacityText, "    0.00");
    EXPECT_EQ(row(f.sheet, 2).groupCapacityText, "stale group 2"); // not reached
    EXPECT_EQ(f.view.screen.netTotalGbText, "Error");
    EXPECT_EQ(f.view.screen.netTotalTbText, "Error");
    EXPECT_EQ(f.view.screen.totalDisksText, "Error");
    EXPECT_EQ(f.view.screen.arraysRequiredText, "");
}

// A model change on a valid sheet gives what computeSheet gives for the new model.
TEST(ChangeModel, ResultsOfTheNewModel) {
    CommandsFixture f;
    row(f.view.screen, 1).diskType = k450G;
    row(f.view.screen, 1).raidType = kRaid5;
    row(f.view.screen, 1).disksPerGroup = 9;
    row(f.view.screen, 1).groupCount = 30;
    f.commands.compute();
    const ConfigSheet onTelvarA = f.sheet;

    f.view.screen.modelIndex = kZundaS;
    f.commands.changeModel();

    ConfigSheet expected = onTelvarA; // the same inputs, computed for "Zunda S"
    expected.modelIndex = kZundaS;
    FakeSheetView quiet(expected);
    computeSheet(expected, quiet);
    EXPECT_TRUE(quiet.calls.empty());
    EXPECT_TRUE(f.view.messagesShown().empty());
    EXPECT_TRUE(sameSheet(f.sheet, expected));
    EXPECT_NE(f.sheet.netTotalGbText, onTelvarA.netTotalGbText);
    EXPECT_EQ(f.sheet.arraysRequiredText, "5"); // 270 disks, 60 a Zunda S
}

// A failed first capture does not stop the model change: it still refreshes and computes.
TEST(ChangeModel, FailedCaptureStillComputes) {
    CommandsFixture f;
    fillStaleTexts(f.sheet);
    f.syncScreen();
    f.view.failingCaptures = 1;
    f.view.screen.modelIndex = kTelvarD;

    f.commands.changeModel();

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), refresh(), capture(), refresh()}));
    // The failed copy did not take the model; the refresh put the old one back on screen, and
    // Compute's own capture took that.
    EXPECT_EQ(f.sheet.modelIndex, kTelvarA);
    EXPECT_EQ(f.sheet.netTotalGbText, "    0.00");
}

// A vault box click runs exactly Compute, with the box's new state in the sheet when the
// computation starts: checking it on row 1 with ATA disks on a model that forbids ATA in the
// vault shows the vault message; unchecking it computes cleanly.
TEST(ToggleVault, ComputesWithTheNewState) {
    CommandsFixture f;
    f.view.screen.modelIndex = kTelvarB; // no ATA in vault groups
    row(f.view.screen, 1).diskType = k750GAta;
    row(f.view.screen, 1).raidType = kRaid5;
    row(f.view.screen, 1).disksPerGroup = 5;
    row(f.view.screen, 1).groupCount = 1;
    f.commands.compute();
    ASSERT_TRUE(f.view.messagesShown().empty());
    f.view.calls.clear();

    row(f.view.screen, 1).includesVault = true;
    f.commands.toggleVault();
    EXPECT_EQ(f.view.calls,
              (std::vector<ViewCall>{capture(),
                                     message("Error: SATA drives not allowed in Vault enclosure."),
                                     refresh()}));
    EXPECT_TRUE(row(f.sheet, 1).includesVault);
    EXPECT_EQ(f.sheet.netTotalGbText, "Error");
    f.view.calls.clear();

    row(f.view.screen, 1).includesVault = false;
    f.commands.toggleVault();
    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), refresh()}));
    EXPECT_FALSE(row(f.sheet, 1).includesVault);
    EXPECT_NE(f.sheet.netTotalGbText, "Error");
}

// A keystroke in a number-of-groups field: the sheet holds the new number, nothing is
// refreshed (other uncaptured edits stay on screen as typed) and nothing is recomputed.
TEST(CaptureInput, CapturesOnly) {
    CommandsFixture f;
    fillStaleTexts(f.sheet);
    f.syncScreen();
    row(f.view.screen, 2).disksPerGroup = 5;
    row(f.view.screen, 2).raidType = kRaid1; // would lock if it ran changeRaidType
    row(f.view.screen, 2).groupCount = 1;

    f.commands.captureInput();
    row(f.view.screen, 2).groupCount = 12;
    f.commands.captureInput();

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), capture()}));
    EXPECT_EQ(row(f.sheet, 2).groupCount, 12u);
    EXPECT_EQ(row(f.sheet, 2).disksPerGroup, 5u);
    EXPECT_FALSE(f.commands.disksFieldLocked(2));
    EXPECT_EQ(f.sheet.netTotalGbText, "stale GB");
    EXPECT_EQ(row(f.sheet, 2).groupCapacityText, "stale group 2");
}

// A 17 typed into row 1's disks-per-group field, then Compute: the copy stops at that field
// (keeping the 17), Compute goes on and the RAID rule reports it; the field still shows 17 and
// every control after it shows the sheet's previous value again.
TEST(Compute, FailedCaptureStillComputesAndRefreshes) {
    CommandsFixture f;
    row(f.view.screen, 1).disksPerGroup = 17;
    row(f.view.screen, 1).raidType = kRaid5;
    row(f.view.screen, 3).groupCount = 4;
    f.view.failingCaptures = 1;
    f.view.failedCopy = [](const ConfigSheet& screen, ConfigSheet& sheet) {
        row(sheet, 1).diskType = row(screen, 1).diskType;
        row(sheet, 1).disksPerGroup = row(screen, 1).disksPerGroup;
    };

    f.commands.compute();

    EXPECT_EQ(
        f.view.calls,
        (std::vector<ViewCall>{capture(), message("Error: Max disks per group is 16"), refresh()}));
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 17u);
    EXPECT_EQ(row(f.view.screen, 1).raidType, kNoRaidType);
    EXPECT_EQ(row(f.view.screen, 3).groupCount, 0u);
    EXPECT_EQ(row(f.view.screen, 1).groupCapacityText, "    0.00");
    EXPECT_EQ(f.view.screen.netTotalGbText, "Error");
    EXPECT_EQ(f.view.screen.arraysRequiredText, "");
}

// A successful Compute after a failed one replaces every result text.
TEST(Compute, SuccessAfterFailureReplacesAllTexts) {
    CommandsFixture f;
    row(f.view.screen, 4).raidType = kRaid5;
    row(f.view.screen, 4).disksPerGroup = 2;
    f.commands.compute();
    ASSERT_EQ(f.view.messagesShown().size(), 1u);
    ASSERT_EQ(f.sheet.totalDisksText, "Error");

    row(f.view.screen, 4).disksPerGroup = 3;
    row(f.view.screen, 4).groupCount = 2;
    f.view.calls.clear();
    f.commands.compute();

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), refresh()}));
    for (const GroupDefinition& definition : f.sheet.rows) {
        EXPECT_FALSE(definition.groupCapacityText.empty());
        EXPECT_FALSE(definition.totalCapacityText.empty());
    }
    EXPECT_EQ(f.sheet.totalDisksText, "6");
    EXPECT_EQ(f.sheet.arraysRequiredText, "1");
}

} // namespace
} // namespace brim::test
