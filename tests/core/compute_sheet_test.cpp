#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace brim {
namespace {

using test::RecordingSink;

using namespace test::names;

// Pads like "%8.2f" does, so expectations read as the numbers a planner sees.
std::string gib(const char* digits) {
    std::string text(digits);
    return std::string(text.size() < 8 ? 8 - text.size() : 0, ' ') + text;
}

void setRow(ConfigSheet& sheet, int row, int disk, int raid, std::uint32_t disks,
            std::uint32_t groups, bool vault = false) {
    GroupDefinition& r = sheet.rows[static_cast<std::size_t>(row - 1)];
    r.diskType = disk;
    r.raidType = raid;
    r.disksPerGroup = disks;
    r.groupCount = groups;
    r.includesVault = vault;
}

const GroupDefinition& row(const ConfigSheet& sheet, int r) {
    return sheet.rows[static_cast<std::size_t>(r - 1)];
}

// Marks every result text so that a test can tell which ones a Compute left alone.
void markAllTexts(ConfigSheet& sheet) {
    for (GroupDefinition& r : sheet.rows) {
        r.groupCapacityText = "old group";
        r.totalCapacityText = "old total";
    }
    sheet.netTotalGbText = sheet.netTotalTbText = sheet.totalDisksText = "old";
    sheet.arraysRequiredText = "old";
}

void expectErrorEnding(const ConfigSheet& sheet) {
    EXPECT_EQ(sheet.netTotalGbText, "Error");
    EXPECT_EQ(sheet.netTotalTbText, "Error");
    EXPECT_EQ(sheet.totalDisksText, "Error");
    EXPECT_EQ(sheet.arraysRequiredText, "");
}

TEST(ComputeSheetTest, DefaultSheetComputesToZeroWithoutMessages) {
    ConfigSheet sheet;
    RecordingSink sink;
    computeSheet(sheet, sink);
    EXPECT_TRUE(sink.shown.empty());
    for (const GroupDefinition& r : sheet.rows) {
        EXPECT_EQ(r.groupCapacityText, "    0.00");
        EXPECT_EQ(r.totalCapacityText, "    0.00");
    }
    EXPECT_EQ(sheet.netTotalGbText, "    0.00");
    EXPECT_EQ(sheet.netTotalTbText, "    0.00");
    EXPECT_EQ(sheet.totalDisksText, "0");
    EXPECT_EQ(sheet.arraysRequiredText, "0");
}

struct Example {
    const char* name;
    int model;
    struct Row {
        int disk, raid;
        std::uint32_t disks, groups;
        bool vault;
    };
    std::vector<Row> rows;
    std::vector<std::pair<const char*, const char*>> rowTexts;
    const char* gb;
    const char* tb;
    const char* disks;
    const char* arrays;
};

class WorkedExampleTest : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExampleTest, ComesOutToTheLastDigit) {
    const Example& e = GetParam();
    ConfigSheet sheet;
    sheet.modelIndex = e.model;
    for (std::size_t i = 0; i < e.rows.size(); ++i) {
        const Example::Row& r = e.rows[i];
        setRow(sheet, static_cast<int>(i) + 1, r.disk, r.raid, r.disks, r.groups, r.vault);
    }
    RecordingSink sink;
    computeSheet(sheet, sink);
    EXPECT_TRUE(sink.shown.empty());
    for (std::size_t i = 0; i < e.rowTexts.size(); ++i) {
        EXPECT_EQ(sheet.rows[i].groupCapacityText, gib(e.rowTexts[i].first)) << "row " << i + 1;
        EXPECT_EQ(sheet.rows[i].totalCapacityText, gib(e.rowTexts[i].second)) << "row " << i + 1;
    }
    EXPECT_EQ(sheet.netTotalGbText, gib(e.gb));
    EXPECT_EQ(sheet.netTotalTbText, gib(e.tb));
    EXPECT_EQ(sheet.totalDisksText, e.disks);
    EXPECT_EQ(sheet.arraysRequiredText, e.arrays);
}

INSTANTIATE_TEST_SUITE_P(Examples, WorkedExampleTest,
                         ::testing::Values(Example{"Raid5OfFive",
                                                   kTelvarA,
                                                   {{k450G, kRaid5, 5, 1, false}},
                                                   {{"1610.29", "1610.29"}},
                                                   "1610.29",
                                                   "1.57",
                                                   "5",
                                                   "1"},
                                           Example{"VaultRow",
                                                   kTelvarA,
                                                   {{k450G, kRaid5, 5, 1, true}},
                                                   {{"1362.42", "1362.42"}},
                                                   "1362.42",
                                                   "1.33",
                                                   "5",
                                                   "1"},
                                           Example{"ThreeRows",
                                                   kTelvarA,
                                                   {{k450G, kRaid5, 5, 1, true},
                                                    {k450G, kRaid10, 8, 10, false},
                                                    {k1TbAta, kRaid6, 6, 4, false}},
                                                   {{"1362.42", "1362.42"},
                                                    {"1610.29", "16102.92"},
                                                    {"3668.60", "14674.39"}},
                                                   "32139.73",
                                                   "31.39",
                                                   "109",
                                                   "1"},
                                           Example{"OneDiskOverTheMaximum",
                                                   kTelvarA,
                                                   {{k450G, kRaid5, 11, 11, false}},
                                                   {{"4025.73", "44283.03"}},
                                                   "44283.03",
                                                   "43.25",
                                                   "121",
                                                   "2"},
                                           Example{"ExactlyTheMaximum",
                                                   kTelvarA,
                                                   {{k450G, kRaid10, 8, 15, false}},
                                                   {{"1610.29", "24154.38"}},
                                                   "24154.38",
                                                   "23.59",
                                                   "120",
                                                   "1"},
                                           Example{"NineCharactersNotCut",
                                                   kTelvarD,
                                                   {{k1TbAta, kRaid6, 16, 60, false}},
                                                   {{"12840.09", "770405.30"}},
                                                   "770405.30",
                                                   "752.35",
                                                   "960",
                                                   "1"},
                                           Example{"ZundaAtaVaultAllowed",
                                                   kZundaS,
                                                   {{k750GAta, kRaid5, 5, 1, true}},
                                                   {{"2681.85", "2681.85"}},
                                                   "2681.85",
                                                   "2.62",
                                                   "5",
                                                   "1"},
                                           Example{"ZundaUnofferedDiskWithoutGroups",
                                                   kZundaS,
                                                   {{k73G, kRaid5, 5, 0, false}},
                                                   {{"0.00", "0.00"}},
                                                   "0.00",
                                                   "0.00",
                                                   "0",
                                                   "0"},
                                           Example{"NoRaidTypeCountsDisksOnly",
                                                   kTelvarA,
                                                   {{k450G, kNoRaidType, 5, 3, false}},
                                                   {{"0.00", "0.00"}},
                                                   "0.00",
                                                   "0.00",
                                                   "15",
                                                   "1"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    int model;
    int failingRow;
    int disk, raid;
    std::uint32_t disks, groups;
    bool vault;
    const char* message;
    bool rowTextsRewritten; // only a broken RAID rule writes the failing row's texts
};

class ComputeFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ComputeFailureTest, ShowsOneMessageAndEndsWithError) {
    const FailureCase& c = GetParam();
    ConfigSheet sheet;
    sheet.modelIndex = c.model;
    // Earlier rows are valid; they must show fresh results.
    for (int r = 1; r < c.failingRow; ++r) {
        setRow(sheet, r, k300G, kRaid5, 5, 1);
    }
    setRow(sheet, c.failingRow, c.disk, c.raid, c.disks, c.groups, c.vault);
    markAllTexts(sheet);
    RecordingSink sink;
    computeSheet(sheet, sink);

    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown.front(), c.message);
    expectErrorEnding(sheet);
    for (int r = 1; r < c.failingRow; ++r) {
        EXPECT_NE(row(sheet, r).groupCapacityText, "old group") << "row " << r;
    }
    const GroupDefinition& failing = row(sheet, c.failingRow);
    if (c.rowTextsRewritten) {
        EXPECT_EQ(failing.groupCapacityText, "    0.00");
        EXPECT_EQ(failing.totalCapacityText, "    0.00");
    } else {
        EXPECT_EQ(failing.groupCapacityText, "old group");
        EXPECT_EQ(failing.totalCapacityText, "old total");
    }
    for (int r = c.failingRow + 1; r <= kRowCount; ++r) {
        EXPECT_EQ(row(sheet, r).groupCapacityText, "old group") << "row " << r;
        EXPECT_EQ(row(sheet, r).totalCapacityText, "old total") << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ComputeFailureTest,
    ::testing::Values(
        // The vault check looks at nothing but the flag, the model and the disk type.
        FailureCase{"AtaVaultOnMorvikB", kMorvikB, 1, k500GAta, kNoRaidType, 0, 0, true,
                    "Error: SATA drives not allowed in Vault enclosure.", false},
        FailureCase{"AtaVaultOnTelvarDRow5", kTelvarD, 5, k1TbAta, kRaid5, 5, 2, true,
                    "Error: SATA drives not allowed in Vault enclosure.", false},
        FailureCase{"ZundaUnofferedDisk", kZundaS, 1, k73G, kRaid5, 5, 1, false,
                    "Disk type not allowed with selected chassis", false},
        FailureCase{"ZundaAtaVaultPassesVaultFailsDisk", kZundaS, 2, k500GAta, kRaid5, 5, 1, true,
                    "Disk type not allowed with selected chassis", false},
        // The RAID rule is asked whatever the group count.
        FailureCase{"RaidRuleWithZeroGroups", kTelvarA, 4, k450G, kRaid5, 2, 0, false,
                    "Error: RAID5 requires 3 to 16 disks per group", true},
        FailureCase{"TooManyDisksWithoutRaidType", kTelvarA, 1, k450G, kNoRaidType, 17, 1, false,
                    "Error: Max disks per group is 16", true},
        FailureCase{"LastRow", kTelvarA, 10, k450G, kRaid6, 5, 1, false,
                    "Error: RAID6 requires 4 to 16, even number of disks per group", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeSheetTest, AtaDiskInRowSixNeverFailsTheVaultCheck) {
    ConfigSheet sheet;
    sheet.modelIndex = kMorvikB;
    setRow(sheet, 6, k500GAta, kRaid5, 5, 1);
    // Rows 6 to 10 have no vault box; a stray flag there must not count.
    sheet.rows[5].includesVault = true;
    RecordingSink sink;
    computeSheet(sheet, sink);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sheet.totalDisksText, "5");
    // 480838076 KiB x 5 / 1024 x 0.8 / 1024, no reservation taken off.
    EXPECT_EQ(row(sheet, 6).groupCapacityText, gib("1834.25"));
}

TEST(ComputeSheetTest, OnlyTheFirstFailingRowIsReported) {
    ConfigSheet sheet;
    sheet.modelIndex = kZundaS;
    setRow(sheet, 1, k300G, kRaid5, 5, 1);
    setRow(sheet, 2, k73G, kRaid5, 5, 1);
    setRow(sheet, 5, k300G, kRaid5, 2, 1);
    markAllTexts(sheet);
    RecordingSink sink;
    computeSheet(sheet, sink);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown.front(), "Disk type not allowed with selected chassis");
    EXPECT_NE(row(sheet, 1).groupCapacityText, "old group");
    for (int r = 2; r <= kRowCount; ++r) {
        EXPECT_EQ(row(sheet, r).groupCapacityText, "old group") << r;
    }
}

TEST(ComputeSheetTest, SuccessAfterFailureReplacesEveryText) {
    ConfigSheet sheet;
    setRow(sheet, 3, k450G, kRaid5, 2, 1);
    RecordingSink sink;
    computeSheet(sheet, sink);
    ASSERT_EQ(sink.shown.size(), 1u);
    setRow(sheet, 3, k450G, kRaid5, 5, 1);
    markAllTexts(sheet);
    computeSheet(sheet, sink);
    EXPECT_EQ(sink.shown.size(), 1u);
    for (const GroupDefinition& r : sheet.rows) {
        EXPECT_NE(r.groupCapacityText, "old group");
        EXPECT_NE(r.totalCapacityText, "old total");
    }
    EXPECT_EQ(sheet.netTotalGbText, gib("1610.29"));
    EXPECT_EQ(sheet.arraysRequiredText, "1");
}

// Hundreds of millions of groups: a 32-bit count would wrap and print negative.
TEST(ComputeSheetTest, DiskCountBeyondThirtyTwoBitsIsPrintedWhole) {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarD;
    setRow(sheet, 1, k450G, kRaid5, 16, 4000000000u);
    setRow(sheet, 2, k450G, kRaid5, 16, 4000000000u);
    RecordingSink sink;
    computeSheet(sheet, sink);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sheet.totalDisksText, "128000000000");
    EXPECT_EQ(sheet.arraysRequiredText, "133333334"); // 128e9 / 960, rounded up
}

TEST(ComputeSheetTest, ModelOutsideTheTableNeverDividesByZero) {
    ConfigSheet sheet;
    sheet.modelIndex = 42;
    RecordingSink sink;
    computeSheet(sheet, sink);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sheet.arraysRequiredText, "0");
    setRow(sheet, 1, k450G, kRaid5, 5, 1);
    computeSheet(sheet, sink);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown.front(), "Disk type not allowed with selected chassis");
}

TEST(FormatCapacityTest, MatchesPrintfFieldForField) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> magnitude(0.0, 12.0);
    std::vector<double> values = {0.0, 0.005, 0.015, 0.125, 0.375, 1.005, 2.675, 1e15, 1e300};
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::pow(10.0, magnitude(random)) * 0.999);
    }
    for (double v : values) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%8.2f", v);
        ASSERT_EQ(formatCapacity(v), expected) << v;
    }
}

// The usable share of a group, worked out here from first principles for the accepted sizes.
double independentFraction(int raid, std::uint32_t disks) {
    const double n = disks;
    switch (raid) {
    case 0:
    case 6:
        return 1.0;
    case 1:
    case 2:
        return 0.5;
    case 3:
    case 4:
        return 1.0 - 1.0 / n;
    case 5:
        return 1.0 - 2.0 / n;
    default:
        return 0.0;
    }
}

// For random valid sheets: the net total is the sum of the row totals worked out separately,
// and the disk count and the arrays needed follow from the rows.
TEST(ComputeSheetTest, RandomValidSheetsAddUp) {
    struct Accepted {
        int raid;
        std::uint32_t disks;
    };
    constexpr Accepted kAccepted[] = {{4, 5}, {4, 9}, {2, 8}, {5, 6},  {0, 3},
                                      {3, 5}, {1, 2}, {6, 1}, {4, 16}, {-1, 7}};
    std::mt19937 random(4242);
    for (int trial = 0; trial < 400; ++trial) {
        ConfigSheet sheet;
        sheet.modelIndex = static_cast<int>(random() % kArrayModels.size());
        const ArrayModel& model = kArrayModels[static_cast<std::size_t>(sheet.modelIndex)];
        const bool ataVaultOk = model.ataVaultAllowed;
        std::uint64_t disks = 0;
        double netMib = 0.0;
        std::vector<std::string> rowTexts;
        for (int r = 1; r <= kRowCount; ++r) {
            const Accepted& pick = kAccepted[random() % std::size(kAccepted)];
            const std::uint32_t groups = random() % 3 == 0 ? 0 : random() % 50;
            // Disk types offered on every family: 146 G to 450 G, 750 G and 1 TB.
            constexpr int kEverywhere[] = {k146G, k300G, k400G, k450G, k750GAta, k1TbAta};
            const int disk = kEverywhere[random() % std::size(kEverywhere)];
            const bool vault = r <= kVaultRowCount && random() % 4 == 0 &&
                               (ataVaultOk || !kDiskTypes[static_cast<std::size_t>(disk)].isAta);
            setRow(sheet, r, disk, pick.raid, pick.disks, groups, vault);

            std::uint32_t kib = kDiskTypes[static_cast<std::size_t>(disk)]
                                    .usableKib[static_cast<std::size_t>(model.family)];
            if (vault) {
                kib -= kFamilies[static_cast<std::size_t>(model.family)].vaultReservationKib;
            }
            const double groupMib = independentFraction(pick.raid, pick.disks) *
                                    (double(kib) * double(pick.disks) / 1024.0);
            const double rowMib = double(groups) * groupMib;
            netMib += rowMib;
            disks += std::uint64_t{groups} * pick.disks;
            rowTexts.push_back(formatCapacity(rowMib / 1024.0));
        }
        RecordingSink sink;
        computeSheet(sheet, sink);
        ASSERT_TRUE(sink.shown.empty()) << sink.shown.front();

        for (std::size_t i = 0; i < rowTexts.size(); ++i) {
            EXPECT_EQ(sheet.rows[i].totalCapacityText, rowTexts[i]) << "row " << i + 1;
        }
        EXPECT_EQ(sheet.netTotalGbText, formatCapacity(netMib / 1024.0));
        EXPECT_EQ(sheet.netTotalTbText, formatCapacity(netMib / 1024.0 / 1024.0));
        EXPECT_EQ(sheet.totalDisksText, std::to_string(disks));
        EXPECT_EQ(sheet.arraysRequiredText,
                  std::to_string((disks + model.maxDisks - 1) / model.maxDisks));
    }
}

// One input of one row changed, or the model (row 0): only the texts computed from it turn
// stale, the totals with any change, and a Compute that does not reach a row leaves it as it was.
TEST(FiguresStaleTest, ATextIsStaleExactlyWhenItsOwnInputsChanged) {
    const std::function<void(GroupDefinition&)> changes[] = {
        [](GroupDefinition& r) { r.diskType = (r.diskType + 1) % 8; },
        [](GroupDefinition& r) { r.raidType = (r.raidType + 2) % 8 - 1; },
        [](GroupDefinition& r) { ++r.disksPerGroup; },
        [](GroupDefinition& r) { ++r.groupCount; },
        [](GroupDefinition& r) { r.includesVault = !r.includesVault; }, // rows 1 to 5 only
    };
    std::mt19937 random(1414);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int unreachedStale = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        ConfigSheet sheet;
        sheet.modelIndex = below(9);
        for (int r = 1; r <= kRowCount; ++r) { // mostly no RAID type, so that many rows are reached
            setRow(sheet, r, below(8), below(4) == 0 ? below(8) - 1 : -1,
                   static_cast<std::uint32_t>(below(17)), static_cast<std::uint32_t>(below(3)),
                   r <= kVaultRowCount && below(4) == 0);
        }
        RecordingSink sink;
        computeSheet(sheet, sink);
        const int changed = below(kRowCount + 1);
        if (changed == 0) {
            sheet.modelIndex = (sheet.modelIndex + 1 + below(8)) % 9;
        } else {
            changes[below(changed <= kVaultRowCount ? 5 : 4)](
                sheet.rows[static_cast<std::size_t>(changed - 1)]);
        }
        std::array<bool, kRowCount> staleBefore{};
        for (std::size_t i = 0; i < staleBefore.size(); ++i) {
            staleBefore[i] = rowFiguresStale(sheet, i);
            EXPECT_EQ(staleBefore[i], sheet.rowFiguresBasis[i].has_value() &&
                                          (changed == 0 || changed == static_cast<int>(i) + 1));
        }
        const std::size_t reached = walkSheet(sheet, sink).rowsComputed;
        computeSheet(sheet, sink);
        EXPECT_FALSE(totalsStale(sheet));
        for (std::size_t i = 0; i < staleBefore.size(); ++i) {
            EXPECT_EQ(rowFiguresStale(sheet, i), i >= reached && staleBefore[i]) << i;
            unreachedStale += i >= reached && staleBefore[i] ? 1 : 0;
        }
    }
    EXPECT_GT(unreachedStale, 50); // the cases that keep a record through a failed Compute
}

// What the screen shows against a computed sheet: row 2 of 1 TB ATA picked over 450 G FC, a
// field that reads no number, a value a refused capture left in the sheet, the model changed.
struct ScreenCase {
    const char* name;
    std::function<void(ScreenInputs&)> edit;
    bool row2Stale;
    bool row3Stale;
    bool totalsStale;
};

class ScreenStaleTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenStaleTest, FiguresAndOutputFollowWhatTheControlsShow) {
    ConfigSheet sheet;
    setRow(sheet, 2, k450G, kRaid5, 9, 3, false);
    setRow(sheet, 3, k450G, kRaid5, 17, 1, false);
    RecordingSink sink;
    computeSheet(sheet, sink); // row 3 breaks its rule: row 4 on is never reached
    ScreenInputs screen = screenInputsOf(sheet);
    GetParam().edit(screen);
    EXPECT_EQ(rowFiguresDifferFromScreen(sheet, screen, 1), GetParam().row2Stale);
    EXPECT_EQ(rowFiguresDifferFromScreen(sheet, screen, 2), GetParam().row3Stale);
    EXPECT_FALSE(rowFiguresDifferFromScreen(sheet, screen, 5)); // never computed, never stale
    EXPECT_EQ(totalsDifferFromScreen(sheet, screen), GetParam().totalsStale);
    EXPECT_EQ(computeDueBeforeOutput(sheet, screen), GetParam().totalsStale);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ScreenStaleTest,
    ::testing::Values(
        ScreenCase{"Unchanged", [](ScreenInputs&) {}, false, false, false},
        ScreenCase{"DiskPicked", [](ScreenInputs& s) { s.rows[1]->diskType = k1TbAta; }, true,
                   false, true},
        ScreenCase{"NoNumber", [](ScreenInputs& s) { s.rows[2].reset(); }, false, true, true},
        ScreenCase{"RowNeverReached", [](ScreenInputs& s) { s.rows[5]->groupCount = 2; }, false,
                   false, true},
        ScreenCase{"Model", [](ScreenInputs& s) { s.modelIndex = kTelvarB; }, true, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenStaleTest, ASheetNeverComputedGoesOutAsItStandsWhileTheScreenShowsIt) {
    ConfigSheet sheet;
    setRow(sheet, 1, k450G, kRaid5, 5, 2, false);
    ScreenInputs screen = screenInputsOf(sheet);
    EXPECT_FALSE(computeDueBeforeOutput(sheet, screen));
    EXPECT_FALSE(rowFiguresDifferFromScreen(sheet, screen, 0));
    screen.rows[0]->disksPerGroup = 6;
    EXPECT_TRUE(computeDueBeforeOutput(sheet, screen));
    EXPECT_FALSE(totalsDifferFromScreen(sheet, screen)); // nothing computed to draw stale
}

} // namespace
} // namespace brim
