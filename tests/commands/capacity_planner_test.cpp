// CapacityPlanner: what the Size for Capacity window shows and whether Put in Row may act.

#include "commands/capacity_columns.h"
#include "commands/capacity_planner.h"
#include "commands/digit_grouping.h"
#include "commands/planner_texts.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace names;

// Rows 1-3 name disk type d " a<d> " and rows 4-10 " b<d> ", blanks around them as in the lists.
constexpr std::array<std::string_view, 8> kUpperNames{" a0 ", " a1 ", " a2 ", " a3 ",
                                                      " a4 ", " a5 ", " a6 ", " a7 "};
constexpr std::array<std::string_view, 8> kLowerNames{" b0 ", " b1 ", " b2 ", " b3 ",
                                                      " b4 ", " b5 ", " b6 ", " b7 "};
constexpr RowDiskNames kNames{kUpperNames, kUpperNames, kUpperNames, kLowerNames, kLowerNames,
                              kLowerNames, kLowerNames, kLowerNames, kLowerNames, kLowerNames};

// The main window's assumptions beside its sheet and commands.
struct PlannerFixture : CommandsFixture {
    PlanningAssumptions planning;
};

struct RowEntry {
    int row, diskType, raidType;
    std::uint32_t disksPerGroup, groupCount;
    bool vault;
};

// Rows 1 to `usedAbove` hold two groups of five 450 G FC disks in RAID5; `rows` come on top.
ConfigSheet sheetOf(int model, int usedAbove, const std::vector<RowEntry>& rows = {}) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    for (int r = 1; r <= usedAbove; ++r) {
        row(sheet, r) = {k450G, kRaid5, 5, 2, false, {}, {}};
    }
    for (const RowEntry& r : rows) {
        row(sheet, r.row) = {r.diskType, r.raidType, r.disksPerGroup, r.groupCount, r.vault,
                             {},         {}};
    }
    return sheet;
}

// Each sheet carries the totals of an older Compute that say the opposite of its inputs now.
TEST(CapacityPlannerTest, JudgesTheSheetsInputsAsTheyStand) {
    struct Case {
        const char* what;
        ConfigSheet sheet;
        int freeRow;
        bool holdsVault, canAdd;
        PlanNotice putNotice;
        int breakingRow;
    };
    constexpr PlanNotice kNone = PlanNotice::None, kBreaks = PlanNotice::SheetBreaksRule;
    const Case cases[] = {
        {"defaults", ConfigSheet{}, 1, false, true, kNone, 0},
        {"vault row free", sheetOf(kTelvarA, 1, {{2, k450G, kNoRaidType, 0, 0, true}}), 2, true,
         true, kNone, 0},
        {"every row in use", sheetOf(kTelvarA, 10), 0, false, true, PlanNotice::NoFreeRow, 0},
        {"RAID rule below",
         sheetOf(kTelvarA, 2, {{3, k450G, kRaid5, 2, 0, false}, {4, k450G, kRaid5, 2, 1, false}}),
         3, false, false, kBreaks, 4},
        {"free row breaks alone", sheetOf(kTelvarA, 0, {{1, k450G, kRaid5, 2, 0, false}}), 1, false,
         false, kNone, 0},
        {"ATA in the free vault row", sheetOf(kMorvikB, 0, {{1, k1TbAta, kNoRaidType, 0, 0, true}}),
         1, true, false, kNone, 0},
        {"disk check above", sheetOf(kZundaS, 0, {{2, k73G, kRaid5, 5, 1, false}}), 1, false, false,
         kBreaks, 2},
    };
    for (const Case& c : cases) {
        PlannerFixture f;
        f.sheet = c.sheet;
        f.sheet.netTotalGbText = f.sheet.netTotalTbText = c.canAdd ? "Error" : "    1.00";
        f.sheet.totalDisksText = f.sheet.arraysRequiredText = c.canAdd ? "Error" : "5";
        const CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        EXPECT_EQ(planner.freeRow(), c.freeRow) << c.what;
        EXPECT_EQ(planner.freeRowHoldsVault(), c.holdsVault) << c.what;
        EXPECT_EQ(planner.canAddToSheet(), c.canAdd) << c.what;
        EXPECT_EQ(planner.putNotice(), c.putNotice) << c.what;
        EXPECT_EQ(planner.ruleBreakingRow(), c.breakingRow) << c.what;
        EXPECT_TRUE(f.view.calls.empty()) << c.what;
    }
}

// On a Morvik B whose row 1 holds 10 groups of five 450 G FC disks in RAID5 (16102.92 GB,
// 15.73 TB; 4736.84 host IOPS and 3600 MB/s at 70 % reads), with row 2 free.
TEST(CapacityPlannerTest, AnswersEachRequestOrSaysWhyNot) {
    struct Case {
        CapacityRequest request;
        const char* reads;
        PlanNotice notice;
        std::size_t lines;
        bool vaultRow, addsSheet;
        std::string_view workloadRefusal;
    };
    constexpr auto TB = CapacityUnit::Tb, GB = CapacityUnit::Gb;
    constexpr PlanNotice kNone = PlanNotice::None, kBadTarget = PlanNotice::BadTarget,
                         kBadWorkload = PlanNotice::BadWorkload,
                         kReached = PlanNotice::AlreadyReached,
                         kAta = PlanNotice::AtaMayNotHoldVault;
    constexpr std::string_view kIops = "Type a whole number of host IOPS, such as 5000.";
    constexpr std::string_view kReads = "Type a whole percentage from 0 to 100, such as 70.";
    constexpr std::string_view kManyMbps = "Type at most 1,000,000 MB/s.";
    const Case cases[] = {
        {{"", TB, k450G, 1, true, "", ""}, "70", kBadTarget, 0, false, true, {}},
        {{"15", TB, k450G, 0, true, "", ""}, "70", kReached, 0, false, true, {}},
        {{"16102", GB, k1TbAta, 0, true, "", ""}, "70", kReached, 0, true, true, {}},
        {{"300", TB, k750GAta, 1, true, "", ""}, "70", kNone, 32, false, true, {}},
        {{"300", TB, k750GAta, 2, true, "", ""}, "70", kNone, 7, false, true, {}},
        {{"300", TB, k500GAta, 0, false, "", ""}, "70", kAta, 0, true, false, {}},
        {{"", TB, k450G, 1, true, "5000", ""}, "70", kNone, 32, false, true, {}},
        {{" ", TB, k450G, 1, false, "", "400"}, "70", kNone, 32, false, false, {}},
        {{"15", TB, k450G, 1, true, "4736", "3600"}, "70", kReached, 0, false, true, {}},
        {{"15", TB, k450G, 1, true, "4737", ""}, "70", kNone, 32, false, true, {}},
        {{"15", TB, k450G, 1, true, "", "3601"}, "70", kNone, 32, false, true, {}},
        {{"15", TB, k450G, 1, true, "4736", ""}, "0", kNone, 32, false, true, {}},
        {{"300", TB, k450G, 1, true, "0", ""}, "70", kBadWorkload, 0, false, true, kIops},
        {{"300", TB, k450G, 1, true, "", ""}, "101", kBadWorkload, 0, false, true, kReads},
        {{"", TB, k450G, 1, true, "", ""}, "", kBadTarget, 0, false, true, kReads},
        {{"x", TB, k450G, 1, true, "5000", "2000000"}, "70", kBadTarget, 0, false, true, kManyMbps},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.request.targetText) + "/" +
                                 std::string(c.request.hostIopsText) + "/" + c.reads + "/" +
                                 std::string(c.request.mbpsText);
        PlannerFixture f;
        f.sheet =
            sheetOf(kMorvikB, 0,
                    {{1, k450G, kRaid5, 5, 10, false}, {2, k450G, kNoRaidType, 0, 0, c.vaultRow}});
        CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        planner.typeReadPercent(c.reads);
        const CapacityAnswer answer = planner.answer(c.request);
        const TargetParse target = parseCapacityTarget(c.request.targetText, c.request.unit);
        EXPECT_EQ(answer.notice, c.notice) << what;
        EXPECT_EQ(answer.refusal,
                  c.notice == kBadTarget ? capacityTargetRefusal(target.refusal) : "")
            << what;
        EXPECT_EQ(answer.workloadRefusal, c.workloadRefusal) << what;
        EXPECT_EQ(answer.lines.size(), c.lines) << what;
        EXPECT_EQ(answer.sheetMib, c.addsSheet ? planner.sheetMib() : std::nullopt) << what;
        const bool lacks = c.addsSheet && c.lines > 0 && target.mib > answer.sheetMib;
        EXPECT_EQ(answer.missingMib,
                  lacks ? std::optional(*target.mib - *answer.sheetMib) : std::nullopt)
            << what;
        // The sheet's own delivery, for the needs stated, at the mix in use.
        const Delivery sheet =
            sheetPerformance(f.sheet, f.planning.disks, f.planning.workload.readShare()).total;
        const bool sized = c.notice == kNone || c.notice == kReached;
        const bool iops = sized && c.addsSheet && !c.request.hostIopsText.empty();
        const bool mbps = sized && c.addsSheet && !c.request.mbpsText.empty();
        EXPECT_EQ(answer.sheetHostIops, iops ? std::optional(sheet.hostIops) : std::nullopt)
            << what;
        EXPECT_EQ(answer.sheetMbps, mbps ? std::optional(sheet.mbps) : std::nullopt) << what;
        for (const SizedLayout& line : answer.lines) {
            EXPECT_GE(line.failuresSurvived, c.request.minimumFailures) << what;
        }
    }
}

// The names are the free row's own (row 10's with none free), trimmed, for the disk types the
// model's family offers. The kept disk type wins when offered, then the free row's. The line
// under the table names the disk so, with the figures in use.
TEST(CapacityPlannerTest, OffersTheModelsDiskTypesUnderTheRowsNames) {
    struct Case {
        int model, freeRow, freeRowDisk;
        std::optional<int> kept;
        char names;
        std::vector<int> offered;
        int opening;
        const char* assumption; // the opening disk's, as the window shows it under the table
    };
    const std::vector<int> all{k73G, k146G, k300G, k400G, k450G, k500GAta, k750GAta, k1TbAta};
    const std::vector<int> zunda{k146G, k300G, k400G, k450G, k750GAta, k1TbAta};
    const Case cases[] = {
        {kTelvarA, 1, k450G, std::nullopt, 'a', all, k450G,
         "180 IOPS, 90 MB/s and an AFR of 2% per a4"},
        {kTelvarA, 3, k1TbAta, k73G, 'a', all, k73G,
         "180 IOPS, 125 MB/s and an AFR of 2.5% per a0"},
        {kZundaS, 3, k750GAta, k500GAta, 'a', zunda, k750GAta,
         "80 IOPS, 60 MB/s and an AFR of 3% per a6"},
        {kZundaS, 2, k73G, std::nullopt, 'a', zunda, zunda.front(),
         "180 IOPS, 90 MB/s and an AFR of 2% per a1"},
        {kZundaS, 0, k450G, std::nullopt, 'b', zunda, zunda.front(),
         "180 IOPS, 90 MB/s and an AFR of 2% per b1"},
    };
    for (const Case& c : cases) {
        PlannerFixture f;
        f.sheet = sheetOf(c.model, c.freeRow == 0 ? kRowCount : c.freeRow - 1);
        if (c.freeRow != 0) {
            row(f.sheet, c.freeRow).diskType = c.freeRowDisk;
        }
        f.planning.disks.setSequentialMbps(k73G, 125);
        f.planning.disks.setAnnualFailureHundredths(k73G, 250);
        const CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        std::vector<int> offered;
        for (const DiskChoice& choice : planner.diskChoices()) {
            offered.push_back(choice.diskType);
            EXPECT_EQ(choice.name, c.names + std::to_string(choice.diskType));
        }
        EXPECT_EQ(offered, c.offered) << c.model << "/" << c.freeRow;
        EXPECT_EQ(planner.openingDiskType({CapacityUnit::Tb, c.kept, 1, {}, {}}), c.opening)
            << c.model << "/" << c.freeRow;
        EXPECT_EQ(planner.assumptionText(c.opening),
                  "Assumes " + std::string(c.assumption) + " disk; change in Sheet Performance.");
    }
}

// Random sheets and requests, for a capacity, a workload or both: a put goes through exactly
// when the planner says it may, and then Compute shows the line's figures without a message;
// otherwise nothing happens at all.
TEST(CapacityPlannerTest, PutsALineExactlyWhenItSaysItCanAndComputeShowsItsFigures) {
    std::mt19937 rng(1406);
    const auto draw = [&](std::size_t n) { return static_cast<int>(rng() % n); };
    int puts = 0;
    for (int iteration = 0; iteration < 200; ++iteration) {
        PlannerFixture f;
        f.sheet = sheetOf(draw(kArrayModels.size()), draw(kRowCount + 1));
        for (std::size_t i = 0; i < f.sheet.rows.size(); ++i) {
            f.sheet.rows[i].diskType = draw(kDiskTypes.size());
            f.sheet.rows[i].includesVault = i < kVaultRowCount && draw(4) == 0;
            f.sheet.rows[i].disksPerGroup = draw(6) == 0 ? 2 : f.sheet.rows[i].disksPerGroup;
        }
        f.syncScreen();
        const ConfigSheet before = f.sheet;
        CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        ASSERT_EQ(planner.canAddToSheet(), firstRowBreakingRule(before) == 0);
        const int disk = planner.diskChoices()[draw(planner.diskChoices().size())].diskType;
        const auto textOf = [&](std::size_t emptyOneIn, std::size_t most) {
            return draw(emptyOneIn) == 0 ? std::string() : std::to_string(1 + draw(most));
        };
        const std::string target = textOf(3, 500), iops = textOf(2, 50'000),
                          mbps = textOf(3, 5'000);
        planner.typeReadPercent(std::to_string(draw(101)));
        const CapacityAnswer answer =
            planner.answer({target, CapacityUnit::Tb, disk, draw(3), draw(2) == 0, iops, mbps});
        if (answer.lines.empty()) {
            continue;
        }
        const SizedLayout line = answer.lines[draw(answer.lines.size())];
        const int freeRow = planner.freeRow();
        ASSERT_EQ(planner.put(line), planner.canPut());
        if (!planner.canPut()) {
            EXPECT_TRUE(f.view.calls.empty());
            EXPECT_TRUE(sameSheet(f.sheet, before));
            continue;
        }
        ++puts;
        EXPECT_TRUE(f.view.messagesShown().empty());
        const GroupDefinition& put = row(f.sheet, freeRow);
        EXPECT_EQ(std::tie(put.diskType, put.raidType, put.disksPerGroup, put.groupCount),
                  std::tie(disk, line.raidType, line.disksPerGroup, line.groupCount));
        EXPECT_EQ(put.totalCapacityText, formatCapacity(gibFromMib(line.rowTotalMib)));
        if (answer.sheetMib) {
            EXPECT_EQ(trimBlanks(f.sheet.netTotalGbText),
                      capacityCellText(line, CapacityColumn::UsableGb));
            EXPECT_EQ(trimBlanks(f.sheet.netTotalTbText),
                      capacityCellText(line, CapacityColumn::UsableTb));
            EXPECT_EQ(f.sheet.totalDisksText, std::to_string(line.disks));
            EXPECT_EQ(f.sheet.arraysRequiredText, std::to_string(line.arraysRequired));
        }
    }
    EXPECT_GT(puts, 50);
}

// The sheet's delivery is kept between answers: a new mix or a changed disk figure is still
// what the next answer counts.
TEST(CapacityPlannerTest, CountsTheSheetAtTheMixAndFiguresInUse) {
    PlannerFixture f;
    f.sheet = sheetOf(kTelvarA, 2);
    CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
    const std::function<void(PlanningAssumptions&)> changes[] = {
        [](PlanningAssumptions&) {},
        [&](PlanningAssumptions&) { planner.typeReadPercent("30"); },
        [](PlanningAssumptions& a) { a.disks.setRandomIops(k450G, 400); },
    };
    for (const auto& change : changes) {
        change(f.planning);
        const CapacityAnswer answer =
            planner.answer({"", CapacityUnit::Tb, k450G, 1, true, "100000", ""});
        EXPECT_EQ(answer.sheetHostIops,
                  sheetPerformance(f.sheet, f.planning.disks, f.planning.workload.readShare())
                      .total.hostIops);
    }
}

// 200 TB of 1 TB ATA on a Telvar A: each line's chance of loss in a year and, once a price it
// uses is set, its cost, the lines cheapest first. With the sheet added both are the whole
// sheet's: the sheet's loss and its disks come on top of the line's.
TEST(CapacityPlannerTest, PricesEachLineAndSaysItsChanceOfLoss) {
    struct Case {
        std::int64_t diskPrice, arrayPrice; // hundredths
        bool addSheet;
    };
    for (const Case c : {Case{0, 0, false}, Case{50000, 0, false}, Case{0, 2500000, true},
                         Case{12345, 999999, true}}) {
        PlannerFixture f;
        f.sheet = sheetOf(kTelvarA, c.addSheet ? 2 : 0);
        f.planning.prices.setDiskHundredths(k1TbAta, c.diskPrice);
        f.planning.prices.setDiskHundredths(k450G, c.diskPrice);
        f.planning.prices.setArrayHundredths(kTelvarA, c.arrayPrice);
        const CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        const CapacityAnswer answer =
            planner.answer({"200", CapacityUnit::Tb, k1TbAta, 0, c.addSheet, "", ""});
        ASSERT_FALSE(answer.lines.empty());
        const bool priced = c.diskPrice != 0 || c.arrayPrice != 0;
        const double sheetChance = lossChanceInYear(sheetLoss(f.sheet, f.planning).planRate);
        int named = 0;
        for (std::size_t i = 0; i < answer.lines.size(); ++i) {
            const SizedLayout& line = answer.lines[i];
            EXPECT_EQ(line.priced, priced);
            EXPECT_EQ(capacityCellText(line, CapacityColumn::Cost) == "\u2014", !priced);
            EXPECT_GE(line.lossChance, sheetChance);
            if (priced) {
                EXPECT_DOUBLE_EQ(line.cost, (static_cast<double>(line.disksWithSpares) *
                                                 static_cast<double>(c.diskPrice) +
                                             static_cast<double>(line.arraysWithSpares) *
                                                 static_cast<double>(c.arrayPrice)) /
                                                100.0);
            }
            if (i > 0 && priced) {
                EXPECT_LE(answer.lines[i - 1].cost, line.cost);
            } else if (i > 0) {
                EXPECT_LE(answer.lines[i - 1].disks, line.disks); // the sizer's order
            }
            if (!c.addSheet && line.disksPerGroup == 16 && line.raidType == kRaid5) {
                ++named;
                EXPECT_EQ(line.groupCount, 15u);
                EXPECT_EQ(capacityCellText(line, CapacityColumn::LossPerYear), "56%");
            }
            if (!c.addSheet && line.disksPerGroup == 16 && line.raidType == kRaid6) {
                ++named;
                EXPECT_EQ(line.groupCount, 16u);
                EXPECT_EQ(capacityCellText(line, CapacityColumn::LossPerYear), "0.022%");
            }
        }
        EXPECT_EQ(named, c.addSheet ? 0 : 2);
    }
}

// A column is as wide as its sample: every text of a realistic plan (hundreds of TB, tens of
// thousands of host IOPS, priced, two failures survived or none) is no longer, so that none is
// cut short (a digit is as wide as any other; the dash's three bytes are narrower). A count's or
// a cost's is compared as drawn, its digits grouped, as its sample is measured.
TEST(CapacityPlannerTest, RealisticPlansFitTheColumnsSamples) {
    struct Case {
        int model, disk, minimumFailures;
        const char *target, *iops;
    };
    for (const Case c :
         {Case{kTelvarA, k1TbAta, 1, "200", "20000"}, Case{kTelvarD, k146G, 2, "800", "150000"},
          Case{kZundaS, k450G, 0, "20", ""}}) {
        PlannerFixture f;
        f.sheet = sheetOf(c.model, 2);
        f.planning.prices.setDiskHundredths(c.disk, 150000);
        f.planning.prices.setArrayHundredths(c.model, 25000000);
        const CapacityPlanner planner(f.sheet, f.commands, kNames, f.planning);
        const CapacityAnswer answer = planner.answer(
            {c.target, CapacityUnit::Tb, c.disk, c.minimumFailures, true, c.iops, ""});
        ASSERT_FALSE(answer.lines.empty()) << c.target;
        for (const SizedLayout& line : answer.lines) {
            for (const CapacityColumnInfo& column : kCapacityColumns) {
                const auto drawn = [&column](std::string_view text) {
                    return column.grouped ? groupDigits(text, ",") : std::string(text);
                };
                EXPECT_LE(drawn(column.text(line)).size(), drawn(column.sample).size())
                    << c.target << ": " << column.text(line) << " under " << column.heading;
            }
        }
    }
}

} // namespace
} // namespace brim::test
