// clearRow: the row's X button.

#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"
#include "tests/support/row_control_names.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

// A sheet where every row has been filled and computed, rows 1 to 5 hold the vault, and every
// row's disks-per-group field is locked by RAID1 or IndivDisk.
void fillAndLockEveryRow(CommandsFixture& f) {
    for (int r = 1; r <= kRowCount; ++r) {
        GroupDefinition& definition = row(f.view.screen, r);
        definition.diskType = k450G;
        definition.groupCount = static_cast<std::uint32_t>(r);
        definition.includesVault = r <= kVaultRowCount;
        f.pickRaid(r, r % 2 == 0 ? kRaid1 : kIndivDisk);
    }
    fillStaleTexts(f.sheet);
    f.syncScreen();
}

class ClearEachRow : public ::testing::TestWithParam<int> {};

// The clear of row r clears row r alone, in the order capture, enable the row's three editing
// controls in table order, refresh; it unlocks row r alone and keeps its vault flag and texts.
TEST_P(ClearEachRow, ClearsOnlyItsRow) {
    const int r = GetParam();
    CommandsFixture f;
    fillAndLockEveryRow(f);
    const ConfigSheet before = f.sheet;
    const RowEditControls& controls = rowEditControlsOf(r);

    f.commands.clearRow(r);

    EXPECT_EQ(f.view.calls,
              (std::vector<ViewCall>{capture(), enable(controls.diskPicker, true),
                                     enable(controls.raidPicker, true),
                                     enable(controls.disksPerGroupField, true), refresh()}));
    const GroupDefinition& cleared = row(f.sheet, r);
    EXPECT_EQ(cleared.diskType, k300G);
    EXPECT_EQ(cleared.disksPerGroup, 0u);
    EXPECT_EQ(cleared.groupCount, 0u);
    EXPECT_EQ(cleared.raidType, kNoRaidType);
    EXPECT_EQ(cleared.includesVault, row(before, r).includesVault);
    EXPECT_EQ(cleared.groupCapacityText, row(before, r).groupCapacityText);
    EXPECT_EQ(cleared.totalCapacityText, row(before, r).totalCapacityText);
    EXPECT_FALSE(f.commands.disksFieldLocked(r));
    EXPECT_TRUE(f.view.isEnabled(controls.disksPerGroupField));
    EXPECT_TRUE(sameResultTexts(f.sheet, before));
    EXPECT_EQ(f.sheet.modelIndex, before.modelIndex);
    EXPECT_EQ(f.sheet.stickyChanges, before.stickyChanges);

    for (int other = 1; other <= kRowCount; ++other) {
        if (other != r) {
            SCOPED_TRACE("row " + std::to_string(other));
            EXPECT_TRUE(sameRow(row(f.sheet, other), row(before, other)));
            EXPECT_TRUE(f.commands.disksFieldLocked(other));
            EXPECT_FALSE(f.view.isEnabled(disksFieldOf(other)));
        }
    }
    // The screen shows the cleared row.
    EXPECT_TRUE(sameSheet(f.view.screen, f.sheet));
}

INSTANTIATE_TEST_SUITE_P(Commands, ClearEachRow, ::testing::Range(1, kRowCount + 1),
                         [](const auto& info) { return "Row" + std::to_string(info.param); });

// The X button of row 10, the lowest one: clears row 10 and no other, unlocks only row 10, and
// leaves its (false) vault flag and its stale capacity texts alone.
TEST(ClearRow, Row10) {
    CommandsFixture f;
    fillAndLockEveryRow(f);
    const ConfigSheet before = f.sheet;

    f.commands.clearRow(10);

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), enable(diskPickerOf(10), true),
                                                   enable(raidPickerOf(10), true),
                                                   enable(disksFieldOf(10), true), refresh()}));
    EXPECT_FALSE(f.commands.disksFieldLocked(10));
    for (int r = 1; r <= 9; ++r) {
        EXPECT_TRUE(f.commands.disksFieldLocked(r)) << "row " << r;
        EXPECT_TRUE(sameRow(row(f.sheet, r), row(before, r))) << "row " << r;
    }
    EXPECT_FALSE(row(f.sheet, 10).includesVault);
    EXPECT_EQ(row(f.sheet, 10).groupCapacityText, "stale group 10");
    EXPECT_EQ(row(f.sheet, 10).totalCapacityText, "stale total 10");
    EXPECT_EQ(f.sheet.netTotalGbText, "stale GB");
}

// Row 2 with its vault box checked: 300 G FC, no RAID type, 0 and 0 on screen, the box still
// checked, the old capacity texts still shown.
TEST(ClearRow, Row2KeepsVaultBoxAndOldNumbers) {
    CommandsFixture f;
    row(f.view.screen, 2).includesVault = true;
    row(f.view.screen, 2).diskType = k1TbAta;
    row(f.view.screen, 2).disksPerGroup = 5;
    row(f.view.screen, 2).raidType = kRaid5;
    row(f.view.screen, 2).groupCount = 2;
    f.commands.compute();
    ASSERT_TRUE(f.view.messagesShown().empty());
    const std::string groupText = row(f.sheet, 2).groupCapacityText;
    const std::string totalText = row(f.sheet, 2).totalCapacityText;
    ASSERT_FALSE(groupText.empty());
    f.view.calls.clear();

    f.commands.clearRow(2);

    const GroupDefinition& shown = row(f.view.screen, 2);
    EXPECT_EQ(shown.diskType, k300G);
    EXPECT_EQ(shown.raidType, kNoRaidType);
    EXPECT_EQ(shown.disksPerGroup, 0u);
    EXPECT_EQ(shown.groupCount, 0u);
    EXPECT_TRUE(shown.includesVault);
    EXPECT_EQ(shown.groupCapacityText, groupText);
    EXPECT_EQ(shown.totalCapacityText, totalText);
    EXPECT_TRUE(f.view.messagesShown().empty()); // nothing is recomputed
}

// The clear captures first: what the user changed elsewhere since the last capture is kept,
// and the row's own on-screen edits are overwritten by the clear.
TEST(ClearRow, CapturesFirst) {
    CommandsFixture f;
    row(f.view.screen, 3).diskType = k73G; // picked, not yet captured
    row(f.view.screen, 4).diskType = k750GAta;
    row(f.view.screen, 4).disksPerGroup = 12; // typed, not yet captured

    f.commands.clearRow(4);

    EXPECT_EQ(row(f.sheet, 3).diskType, k73G);
    EXPECT_EQ(row(f.view.screen, 3).diskType, k73G);
    EXPECT_EQ(row(f.sheet, 4).diskType, k300G);
    EXPECT_EQ(row(f.sheet, 4).disksPerGroup, 0u);
}

// An unlocked row is enabled all the same: the three enable calls always run.
TEST(ClearRow, EnablesEvenWhenNothingWasLocked) {
    CommandsFixture f;
    f.commands.clearRow(1);
    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), enable(diskPickerOf(1), true),
                                                   enable(raidPickerOf(1), true),
                                                   enable(disksFieldOf(1), true), refresh()}));
    EXPECT_FALSE(f.commands.disksFieldLocked(1));
}

// A failed capture does not stop the clear, and the clear's values win over what it left.
TEST(ClearRow, FailedCaptureStillClears) {
    CommandsFixture f;
    f.pickRaid(6, kRaid1);
    row(f.view.screen, 6).groupCount = 8;
    f.commands.captureInput();
    f.view.calls.clear();
    f.view.failingCaptures = 1;
    f.view.failedCopy = [](const ConfigSheet&, ConfigSheet& sheet) {
        row(sheet, 6).disksPerGroup = 40;
    };

    f.commands.clearRow(6);

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{capture(), enable(diskPickerOf(6), true),
                                                   enable(raidPickerOf(6), true),
                                                   enable(disksFieldOf(6), true), refresh()}));
    EXPECT_EQ(row(f.sheet, 6).disksPerGroup, 0u);
    EXPECT_EQ(row(f.sheet, 6).groupCount, 0u);
    EXPECT_EQ(row(f.sheet, 6).raidType, kNoRaidType);
    EXPECT_FALSE(f.commands.disksFieldLocked(6));
}

} // namespace
} // namespace brim::test
