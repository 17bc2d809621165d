// changeRaidType and applyRaidLock: which RAID types fix and lock the disks per group.

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

struct LockCase {
    const char* name;
    int raidType;
    std::uint32_t disksBefore;
    std::uint32_t disksAfter;
    bool locked;
};

// clang-format off
const LockCase kLockTable[] = {
    // name          RAID type        disks before  after  locked
    {"Raid1",        kRaid1,     9,            2,     true},
    {"Raid1From0",   kRaid1,     0,            2,     true},
    {"IndivDisk",    kIndivDisk, 9,            1,     true},
    {"IndivDisk16",  kIndivDisk, 16,           1,     true},
    {"Raid0",        kRaid0,     9,            9,     false},
    {"Raid10",       kRaid10,    9,            9,     false},
    {"Raid3",        kRaid3,     7,            7,     false},
    {"Raid5",        kRaid5,     2,            2,     false},
    {"Raid6",        kRaid6,     1,            1,     false},
    {"NoneChosen",   kNoRaidType,      9,            9,     false},
    {"Raid5Zero",    kRaid5,     0,            0,     false},
};
// clang-format on

class RaidLockTable : public ::testing::TestWithParam<LockCase> {};

// Every row, from an unlocked and from a locked field: the value the table gives, the lock it
// gives, the row's own disks-per-group field enabled or disabled, and the fixed value on screen.
TEST_P(RaidLockTable, ChangeRaidTypeSetsValueAndLock) {
    const LockCase& c = GetParam();
    for (const bool lockedBefore : {false, true}) {
        for (int r = 1; r <= kRowCount; ++r) {
            SCOPED_TRACE("row " + std::to_string(r) + (lockedBefore ? ", locked" : ", unlocked"));
            CommandsFixture f;
            if (lockedBefore) {
                f.pickRaid(r, kRaid1);
            }
            row(f.sheet, r).raidType = kRaid0;
            row(f.sheet, r).disksPerGroup = c.disksBefore;
            row(f.sheet, r).groupCount = 3;
            f.syncScreen();

            f.pickRaid(r, c.raidType);

            EXPECT_EQ(row(f.sheet, r).raidType, c.raidType);
            EXPECT_EQ(row(f.sheet, r).disksPerGroup, c.disksAfter);
            EXPECT_EQ(row(f.sheet, r).groupCount, 3u);
            EXPECT_EQ(f.commands.disksFieldLocked(r), c.locked);
            EXPECT_EQ(row(f.view.screen, r).disksPerGroup, c.disksAfter);
            EXPECT_EQ(f.view.isEnabled(disksFieldOf(r)), !c.locked);
            EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{
                                        capture(), enable(disksFieldOf(r), !c.locked), refresh()}));
            for (int other = 1; other <= kRowCount; ++other) {
                if (other != r) {
                    EXPECT_FALSE(f.commands.disksFieldLocked(other)) << "row " << other;
                }
            }
        }
    }
}

// applyRaidLock alone: the table, one enable call and nothing else (no capture, no refresh).
TEST_P(RaidLockTable, ApplyRaidLockAlone) {
    const LockCase& c = GetParam();
    CommandsFixture f;
    row(f.sheet, 4).raidType = c.raidType;
    row(f.sheet, 4).disksPerGroup = c.disksBefore;
    f.syncScreen();

    f.commands.applyRaidLock(4);

    EXPECT_EQ(row(f.sheet, 4).disksPerGroup, c.disksAfter);
    EXPECT_EQ(f.commands.disksFieldLocked(4), c.locked);
    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{enable(disksFieldOf(4), !c.locked)}));
    // The screen has not been refreshed.
    EXPECT_EQ(row(f.view.screen, 4).disksPerGroup, c.disksBefore);
}

INSTANTIATE_TEST_SUITE_P(Commands, RaidLockTable, ::testing::ValuesIn(kLockTable),
                         [](const auto& info) { return std::string(info.param.name); });

// RAID1 in a row with 9 disks gives 2, locked; IndivDisk next gives 1, still locked; RAID6
// after that unlocks and leaves 1.
TEST(RaidLock, Raid1ThenIndivDiskThenRaid6) {
    CommandsFixture f;
    row(f.sheet, 1).disksPerGroup = 9;
    f.syncScreen();

    f.pickRaid(1, kRaid1);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 2u);
    EXPECT_TRUE(f.commands.disksFieldLocked(1));
    EXPECT_FALSE(f.view.isEnabled(disksFieldOf(1)));

    f.pickRaid(1, kIndivDisk);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 1u);
    EXPECT_TRUE(f.commands.disksFieldLocked(1));
    EXPECT_FALSE(f.view.isEnabled(disksFieldOf(1)));

    f.pickRaid(1, kRaid6);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 1u);
    EXPECT_EQ(row(f.sheet, 1).disksPerGroup, 1u);
    EXPECT_FALSE(f.commands.disksFieldLocked(1));
    EXPECT_TRUE(f.view.isEnabled(disksFieldOf(1)));

    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{
                                capture(), enable(disksFieldOf(1), false), refresh(), // RAID1
                                capture(), enable(disksFieldOf(1), false), refresh(), // IndivDisk
                                capture(), enable(disksFieldOf(1), true), refresh(),  // RAID6
                            }));
}

// RAID1 then RAID5 keeps 2 disks in an unlocked field; the next Compute reports RAID5's rule.
TEST(RaidLock, Raid1ThenRaid5KeepsTwoAndComputeComplains) {
    CommandsFixture f;
    row(f.sheet, 2).disksPerGroup = 6;
    f.syncScreen();

    f.pickRaid(2, kRaid1);
    f.pickRaid(2, kRaid5);
    EXPECT_EQ(row(f.sheet, 2).disksPerGroup, 2u);
    EXPECT_FALSE(f.commands.disksFieldLocked(2));
    EXPECT_TRUE(f.view.isEnabled(disksFieldOf(2)));

    f.view.calls.clear();
    f.commands.compute();
    EXPECT_EQ(f.view.messagesShown(),
              std::vector<std::string>{"Error: RAID5 requires 3 to 16 disks per group"});
}

// The lock takes the RAID type as the capture left it, also when other rows changed on screen.
TEST(RaidLock, CaptureTakesEveryControlFirst) {
    CommandsFixture f;
    row(f.view.screen, 7).groupCount = 12; // typed, captured by the RAID pick of row 3
    row(f.view.screen, 3).disksPerGroup = 9;
    f.pickRaid(3, kRaid1);
    EXPECT_EQ(row(f.sheet, 7).groupCount, 12u);
    EXPECT_EQ(row(f.sheet, 3).disksPerGroup, 2u);
    EXPECT_TRUE(f.commands.disksFieldLocked(3));
}

// A locked field still gives its value to the capture: the sheet keeps what the screen shows.
TEST(RaidLock, LockedFieldStillCaptured) {
    CommandsFixture f;
    f.pickRaid(5, kIndivDisk);
    row(f.view.screen, 5).groupCount = 4;
    f.commands.captureInput();
    EXPECT_EQ(row(f.sheet, 5).disksPerGroup, 1u);
    EXPECT_EQ(row(f.sheet, 5).groupCount, 4u);
    EXPECT_TRUE(f.commands.disksFieldLocked(5));
}

// A capture that fails before it reaches the RAID picker: row 1's copy stops at its
// disks-per-group field (17, out of range), so the RAID type picked on screen never reaches the
// sheet. The command goes on with the sheet as the copy left it: the old RAID type decides the
// lock, and the refresh writes the old RAID type and the 17 back to the controls.
TEST(RaidLock, FailedCaptureGoesOnWithTheSheetAsLeft) {
    CommandsFixture f;
    f.pickRaid(1, kRaid1); // locked, 2 disks
    f.view.calls.clear();
    f.view.failingCaptures = 1;
    f.view.failedCopy = [](const ConfigSheet& screen, ConfigSheet& sheet) {
        row(sheet, 1).diskType = row(screen, 1).diskType;
        row(sheet, 1).disksPerGroup = 17; // stored, then refused by the range check
    };
    row(f.view.screen, 1).diskType = k750GAta;

    f.pickRaid(1, kRaid5);

    EXPECT_EQ(f.view.calls,
              (std::vector<ViewCall>{capture(), enable(disksFieldOf(1), false), refresh()}));
    EXPECT_EQ(row(f.sheet, 1).raidType, kRaid1);
    EXPECT_EQ(row(f.sheet, 1).diskType, k750GAta);
    EXPECT_EQ(row(f.sheet, 1).disksPerGroup, 2u); // RAID1 fixes it again
    EXPECT_TRUE(f.commands.disksFieldLocked(1));
    EXPECT_EQ(row(f.view.screen, 1).raidType, kRaid1);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 2u);
}

// The same failed copy where the sheet held no RAID type: unlocked, and the 17 stays for the
// RAID rule to report at the next Compute.
TEST(RaidLock, FailedCaptureLeavesOutOfRangeValue) {
    CommandsFixture f;
    f.view.failingCaptures = 1;
    f.view.failedCopy = [](const ConfigSheet&, ConfigSheet& sheet) {
        row(sheet, 1).disksPerGroup = 17;
    };

    f.pickRaid(1, kRaid1);

    EXPECT_EQ(f.view.calls,
              (std::vector<ViewCall>{capture(), enable(disksFieldOf(1), true), refresh()}));
    EXPECT_EQ(row(f.sheet, 1).raidType, kNoRaidType);
    EXPECT_EQ(row(f.view.screen, 1).raidType, kNoRaidType);
    EXPECT_EQ(row(f.view.screen, 1).disksPerGroup, 17u);
    EXPECT_FALSE(f.commands.disksFieldLocked(1));
}

} // namespace
} // namespace brim::test
