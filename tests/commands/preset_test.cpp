// applyPreset: the four presets and the sticky rule.

#include "core/catalogue.h"
#include "core/raid_rules.h"
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

const Preset& presetNamed(std::string_view caption) {
    for (const Preset& preset : kPresets) {
        if (preset.caption == caption) {
            return preset;
        }
    }
    ADD_FAILURE() << "no preset " << caption;
    return kPresets[0];
}

// The four presets, left to right on screen, with their buttons. The buttons' identifiers are
// written as numbers on purpose: this test pins them.
TEST(PresetTable, MatchesTheButtonsOnScreen) {
    struct Expected {
        std::string_view caption;
        int controlId;
        std::uint32_t disksPerGroup;
        std::int32_t diskType;
        std::int32_t raidType;
    };
    const Expected expected[] = {
        {"Low Cost", 1093, 9, k450G, kRaid5},
        {"Cheap IOPS", 1095, 5, k300G, kRaid5},
        {"Max IOPS", 1094, 4, k146G, kRaid10},
        {"BU 2 Disk", 1098, 5, k1TbAta, kRaid5},
    };
    ASSERT_EQ(kPresets.size(), std::size(expected));
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        SCOPED_TRACE(std::string(expected[i].caption));
        EXPECT_EQ(kPresets[i].caption, expected[i].caption);
        EXPECT_EQ(kPresets[i].controlId, expected[i].controlId);
        EXPECT_EQ(kPresets[i].disksPerGroup, expected[i].disksPerGroup);
        EXPECT_EQ(kPresets[i].diskType, expected[i].diskType);
        EXPECT_EQ(kPresets[i].raidType, expected[i].raidType);
    }
}

// Every preset is a combination that the RAID rules accept.
TEST(PresetTable, RulesAcceptEveryPreset) {
    for (const Preset& preset : kPresets) {
        ConfigSheet sheet;
        FakeSheetView view(sheet);
        const RaidEfficiency rule = raidEfficiency(preset.raidType, preset.disksPerGroup, view);
        EXPECT_FALSE(rule.error) << preset.caption;
        EXPECT_GT(rule.fraction, 0.0) << preset.caption;
        EXPECT_TRUE(view.calls.empty()) << preset.caption;
    }
}

struct StickyCase {
    std::size_t presetIndex;
    bool sticky;
};

class PresetSticky : public ::testing::TestWithParam<StickyCase> {};

// Rows 1, 4 and 9 have groups; all rows are locked alternately and hold stale texts. With
// Sticky Changes on, exactly the rows with 0 groups take the preset; off, all ten do. Either
// way each row keeps its groupCount and vault box, and nothing else of the sheet changes: no
// lock, no text, no model, no sticky flag. The one call is the refresh.
TEST_P(PresetSticky, WritesThreeFieldsOfTheRowsItMay) {
    const Preset& preset = kPresets[GetParam().presetIndex];
    const bool sticky = GetParam().sticky;
    CommandsFixture f;
    for (int r = 1; r <= kRowCount; ++r) {
        GroupDefinition& definition = row(f.view.screen, r);
        definition.diskType = k400G;
        definition.disksPerGroup = 2;
        definition.includesVault = r <= 2;
        definition.groupCount = (r == 1 || r == 4 || r == 9) ? 3u : 0u;
        f.pickRaid(r, r % 2 == 0 ? kRaid1 : kRaid0);
    }
    f.view.screen.modelIndex = kTelvarC;
    f.view.screen.stickyChanges = sticky;
    f.commands.captureInput();
    fillStaleTexts(f.sheet);
    f.syncScreen();
    const ConfigSheet before = f.sheet;

    f.commands.applyPreset(preset);

    EXPECT_EQ(f.view.calls, std::vector<ViewCall>{refresh()});
    for (int r = 1; r <= kRowCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const GroupDefinition& now = row(f.sheet, r);
        const GroupDefinition& was = row(before, r);
        const bool takes = !sticky || was.groupCount == 0;
        EXPECT_EQ(now.disksPerGroup, takes ? preset.disksPerGroup : was.disksPerGroup);
        EXPECT_EQ(now.diskType, takes ? preset.diskType : was.diskType);
        EXPECT_EQ(now.raidType, takes ? preset.raidType : was.raidType);
        EXPECT_EQ(now.groupCount, was.groupCount);
        EXPECT_EQ(now.includesVault, was.includesVault);
        EXPECT_EQ(f.commands.disksFieldLocked(r), r % 2 == 0);
    }
    EXPECT_TRUE(sameResultTexts(f.sheet, before));
    EXPECT_EQ(f.sheet.modelIndex, kTelvarC);
    EXPECT_EQ(f.sheet.stickyChanges, sticky);
    EXPECT_TRUE(sameSheet(f.view.screen, f.sheet));
}

std::vector<StickyCase> allStickyCases() {
    std::vector<StickyCase> cases;
    for (std::size_t i = 0; i < kPresets.size(); ++i) {
        cases.push_back({i, true});
        cases.push_back({i, false});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Commands, PresetSticky, ::testing::ValuesIn(allStickyCases()),
                         [](const auto& info) {
                             std::string name(kPresets[info.param.presetIndex].caption);
                             std::erase(name, ' ');
                             return name + (info.param.sticky ? "_StickyOn" : "_StickyOff");
                         });

// The planner's usual case: Sticky Changes on (its start-up state), 3 groups in row 1 and 0 in
// every other row; "Max IOPS" leaves row 1 and gives rows 2 to 10 146 G FC, RAID1/0 and 4 disks.
TEST(Preset, MaxIopsStickyOn) {
    CommandsFixture f;
    ASSERT_TRUE(f.sheet.stickyChanges);
    row(f.view.screen, 1).groupCount = 3; // typed: captured at the keystroke
    f.commands.captureInput();
    const GroupDefinition row1 = row(f.sheet, 1);

    f.commands.applyPreset(presetNamed("Max IOPS"));

    EXPECT_TRUE(sameRow(row(f.sheet, 1), row1));
    for (int r = 2; r <= kRowCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        EXPECT_EQ(row(f.view.screen, r).diskType, k146G);
        EXPECT_EQ(row(f.view.screen, r).raidType, kRaid10);
        EXPECT_EQ(row(f.view.screen, r).disksPerGroup, 4u);
        EXPECT_EQ(row(f.view.screen, r).groupCount, 0u);
    }
}

// Sticky Changes off (unchecked and captured): every row, row 1 too, keeping its groups.
TEST(Preset, MaxIopsStickyOff) {
    CommandsFixture f;
    row(f.view.screen, 1).groupCount = 3;
    row(f.view.screen, 1).includesVault = true;
    f.view.screen.stickyChanges = false; // the click on the box is captured
    f.commands.captureInput();

    f.commands.applyPreset(presetNamed("Max IOPS"));

    for (int r = 1; r <= kRowCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        EXPECT_EQ(row(f.sheet, r).diskType, k146G);
        EXPECT_EQ(row(f.sheet, r).raidType, kRaid10);
        EXPECT_EQ(row(f.sheet, r).disksPerGroup, 4u);
    }
    EXPECT_EQ(row(f.sheet, 1).groupCount, 3u);
    EXPECT_TRUE(row(f.sheet, 1).includesVault);
}

// No capture: in a row that the sticky rule keeps, a disk type picked and a number typed since
// the last capture go back to the sheet's older values on screen. In a row that the preset
// overwrites, both fields show the preset's values anyway.
TEST(Preset, NoCaptureSoUncapturedEditsGoBack) {
    CommandsFixture f;
    row(f.view.screen, 1).diskType = k400G;
    row(f.view.screen, 1).disksPerGroup = 6;
    row(f.view.screen, 1).groupCount = 3;
    f.commands.captureInput(); // the last capture

    row(f.view.screen, 1).diskType = k750GAta; // picked: no command runs
    row(f.view.screen, 1).disksPerGroup = 12;  // typed: no command runs
    row(f.view.screen, 2).diskType = k73G;
    row(f.view.screen, 2).disksPerGroup = 11;
    f.view.calls.clear();

    f.commands.applyPreset(presetNamed("Low Cost"));

    EXPECT_EQ(f.view.calls, std::vector<ViewCall>{refresh()});
    EXPECT_EQ(row(f.view.screen, 1).diskType, k400G);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 6u);
    EXPECT_EQ(row(f.view.screen, 2).diskType, k450G);
    EXPECT_EQ(row(f.view.screen, 2).disksPerGroup, 9u);
}

// The sticky test reads the sheet as the last capture left it: groups typed into a row are
// captured at each keystroke, so that row is kept; a capture that failed leaves the old count,
// and the preset then overwrites the row.
TEST(Preset, StickyTestSeesCapturedGroupCounts) {
    CommandsFixture f;
    row(f.view.screen, 5).groupCount = 2;
    f.commands.captureInput();
    row(f.view.screen, 6).groupCount = 2;
    f.view.failingCaptures = 1; // e.g. another field holds letters
    f.commands.captureInput();

    f.commands.applyPreset(presetNamed("Cheap IOPS"));

    EXPECT_EQ(row(f.sheet, 5).diskType, k450G); // kept: start-up values
    EXPECT_EQ(row(f.sheet, 5).raidType, kNoRaidType);
    EXPECT_EQ(row(f.sheet, 6).diskType, k300G); // overwritten
    EXPECT_EQ(row(f.sheet, 6).raidType, kRaid5);
    EXPECT_EQ(row(f.sheet, 6).groupCount, 0u);
    EXPECT_EQ(row(f.view.screen, 6).groupCount, 0u); // the uncaptured 2 goes back
}

// A row locked by RAID1 that a preset overwrites shows the preset's disks per group in a field
// that stays locked, until a RAID type change in that row or a clear of it unlocks it.
TEST(Preset, LockedRowStaysLocked) {
    CommandsFixture f;
    f.pickRaid(1, kRaid1);
    f.pickRaid(2, kRaid1);
    f.view.calls.clear();

    f.commands.applyPreset(presetNamed("Max IOPS"));

    EXPECT_EQ(f.view.calls, std::vector<ViewCall>{refresh()}); // no enable call
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 4u);
    EXPECT_EQ(row(f.view.screen, 1).raidType, kRaid10);
    EXPECT_TRUE(f.commands.disksFieldLocked(1));
    EXPECT_FALSE(f.view.isEnabled(disksFieldOf(1)));
    EXPECT_TRUE(f.commands.disksFieldLocked(2));

    // The next RAID pick in row 1 takes the preset's RAID1/0 from the screen and unlocks.
    f.commands.changeRaidType(1);
    EXPECT_FALSE(f.commands.disksFieldLocked(1));
    EXPECT_TRUE(f.view.isEnabled(disksFieldOf(1)));
    EXPECT_EQ(row(f.sheet, 1).disksPerGroup, 4u);

    // A clear unlocks row 2.
    f.commands.clearRow(2);
    EXPECT_FALSE(f.commands.disksFieldLocked(2));
    EXPECT_TRUE(f.view.isEnabled(disksFieldOf(2)));
}

// "BU 2 Disk" puts 1 TB ATA disks into vault rows too; on a model that does not allow ATA in
// the vault the next Compute stops with the vault message.
TEST(Preset, Bu2DiskInVaultRowFailsNextCompute) {
    CommandsFixture f;
    f.view.screen.modelIndex = kMorvikB;
    ASSERT_FALSE(kArrayModels[kMorvikB].ataVaultAllowed);
    row(f.view.screen, 3).includesVault = true;
    row(f.view.screen, 3).groupCount = 0;
    f.commands.captureInput();

    f.commands.applyPreset(presetNamed("BU 2 Disk"));
    EXPECT_EQ(row(f.sheet, 3).diskType, k1TbAta);
    EXPECT_TRUE(f.view.messagesShown().empty()); // a preset does not recompute

    f.commands.compute();
    EXPECT_EQ(f.view.messagesShown(),
              std::vector<std::string>{"Error: SATA drives not allowed in Vault enclosure."});
    EXPECT_EQ(f.sheet.netTotalGbText, "Error");
}

} // namespace
} // namespace brim::test
