// CapacityPlanner: what the Size for Capacity window shows and whether Put in Row may act.

#include "capacity_planner.h"
#include "catalogue.h"
#include "fake_sheet_view.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim::test {
namespace {

constexpr int kZundaS = 0, kMorvikB = 2, kTelvarA = 5;
constexpr int k73G = 0, k450G = 4, k500GAta = 5, k750GAta = 6, k1TbAta = 7;

// Each row's list names disk type d " R<row>D<d> ", blanks around it as in the real lists.
struct TestDiskNames {
    TestDiskNames() {
        for (int r = 0; r < kRowCount; ++r) {
            for (int d = 0; d < static_cast<int>(kDiskTypes.size()); ++d) {
                texts[r][d] = " R" + std::to_string(r + 1) + "D" + std::to_string(d) + " ";
                views[r][d] = texts[r][d];
            }
            names[r] = views[r];
        }
    }
    std::string texts[kRowCount][kDiskTypes.size()];
    std::array<std::string_view, kDiskTypes.size()> views[kRowCount];
    RowDiskNames names{};
};

struct RowSpec {
    int row, diskType, raidType;
    std::uint32_t disksPerGroup, groupCount;
    bool vault;
};

ConfigSheet sheetOf(int model, const std::vector<RowSpec>& rows) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    for (const RowSpec& r : rows) {
        brim::test::row(sheet, r.row) = {
            r.diskType, r.raidType, r.disksPerGroup, r.groupCount, r.vault, {}, {}};
    }
    return sheet;
}

// Groups of five 450 G FC disks in RAID5 in rows 1 to `last`.
std::vector<RowSpec> usedUpTo(int last) {
    std::vector<RowSpec> rows;
    for (int r = 1; r <= last; ++r) {
        rows.push_back({r, k450G, raid::Raid5, 5, 2, false});
    }
    return rows;
}

TEST(CapacityPlannerTest, JudgesTheSheetItIsGiven) {
    struct Case {
        const char* what;
        ConfigSheet sheet;
        int freeRow;
        bool holdsVault, canAdd;
        PlanNotice putNotice;
        int breakingRow;
    };
    std::vector<RowSpec> withVault = usedUpTo(1);
    withVault.push_back({2, k450G, raid::None, 0, 0, true});
    std::vector<RowSpec> row3Breaks = usedUpTo(2);
    row3Breaks.push_back({3, k450G, raid::Raid5, 2, 0, false});
    row3Breaks.push_back({4, k450G, raid::Raid5, 2, 1, false});
    ConfigSheet staleError = sheetOf(kTelvarA, usedUpTo(1));
    staleError.netTotalGbText = staleError.netTotalTbText = staleError.totalDisksText = "Error";
    const Case cases[] = {
        {"defaults", ConfigSheet{}, 1, false, true, PlanNotice::None, 0},
        {"vault row free", sheetOf(kTelvarA, withVault), 2, true, true, PlanNotice::None, 0},
        {"texts of a failed Compute", staleError, 2, false, true, PlanNotice::None, 0},
        {"every row in use", sheetOf(kTelvarA, usedUpTo(10)), 0, false, true, PlanNotice::NoFreeRow,
         0},
        {"RAID rule below", sheetOf(kTelvarA, row3Breaks), 3, false, false,
         PlanNotice::SheetBreaksRule, 4},
        {"free row breaks alone", sheetOf(kTelvarA, {{1, k450G, raid::Raid5, 2, 0, false}}), 1,
         false, false, PlanNotice::None, 0},
        {"ATA in the free vault row", sheetOf(kMorvikB, {{1, k1TbAta, raid::None, 0, 0, true}}), 1,
         true, false, PlanNotice::None, 0},
        {"disk check above", sheetOf(kZundaS, {{2, k73G, raid::Raid5, 5, 1, false}}), 1, false,
         false, PlanNotice::SheetBreaksRule, 2},
        {"vault check above",
         sheetOf(kMorvikB, {{1, k450G, raid::Raid5, 5, 1, false}, {2, k750GAta, 4, 5, 1, true}}), 3,
         false, false, PlanNotice::SheetBreaksRule, 2},
    };
    const TestDiskNames names;
    for (const Case& c : cases) {
        CommandsFixture f;
        f.sheet = c.sheet;
        const CapacityPlanner planner(f.sheet, f.commands, names.names);
        EXPECT_EQ(planner.freeRow(), c.freeRow) << c.what;
        EXPECT_EQ(planner.freeRowHoldsVault(), c.holdsVault) << c.what;
        EXPECT_EQ(planner.canAddToSheet(), c.canAdd) << c.what;
        EXPECT_EQ(planner.sheetMib().has_value(), c.canAdd) << c.what;
        EXPECT_EQ(planner.putNotice(), c.putNotice) << c.what;
        EXPECT_EQ(planner.canPut(), c.putNotice == PlanNotice::None) << c.what;
        EXPECT_EQ(planner.ruleBreakingRow(), c.breakingRow) << c.what;
        EXPECT_TRUE(f.view.calls.empty()) << c.what;
    }
}

// Row 1 holds 10 groups of five 450 G FC disks in RAID5: 16102.92 GB, 15.73 TB.
TEST(CapacityPlannerTest, AnswersEachRequestOrSaysWhyNot) {
    struct Case {
        CapacityRequest request;
        PlanNotice notice;
        std::size_t lines;
        bool vaultRow, addsSheet;
    };
    constexpr auto TB = CapacityUnit::Tb, GB = CapacityUnit::Gb;
    const Case cases[] = {
        {{"12,5", TB, k450G, 0, false}, PlanNotice::BadTarget, 0, false, false},
        {{"", TB, k450G, 1, true}, PlanNotice::BadTarget, 0, false, true},
        {{"15", TB, k450G, 0, true}, PlanNotice::AlreadyReached, 0, false, true},
        {{"16102", GB, k1TbAta, 0, true}, PlanNotice::AlreadyReached, 0, true, true},
        {{"15", TB, k450G, 0, false}, PlanNotice::None, kMaxLayouts, false, false},
        {{"300", TB, k750GAta, 1, true}, PlanNotice::None, 32, false, true},
        {{"300", TB, k750GAta, 2, true}, PlanNotice::None, 7, false, true},
        {{"300", TB, k500GAta, 0, false}, PlanNotice::AtaMayNotHoldVault, 0, true, false},
    };
    const TestDiskNames names;
    for (const Case& c : cases) {
        const std::string what(c.request.targetText);
        std::vector<RowSpec> rows{{1, k450G, raid::Raid5, 5, 10, false}};
        rows.push_back({2, k450G, raid::None, 0, 0, c.vaultRow});
        CommandsFixture f;
        f.sheet = sheetOf(kMorvikB, rows);
        const CapacityPlanner planner(f.sheet, f.commands, names.names);
        const CapacityAnswer answer = planner.answer(c.request);
        EXPECT_EQ(answer.notice, c.notice) << what;
        EXPECT_EQ(answer.refusal, parseCapacityTarget(what, c.request.unit).refusal) << what;
        EXPECT_EQ(answer.lines.size(), c.lines) << what;
        EXPECT_EQ(answer.sheetMib, c.addsSheet ? planner.sheetMib() : std::nullopt) << what;
        const std::optional<double> target = parseCapacityTarget(what, c.request.unit).mib;
        EXPECT_EQ(answer.missingMib.has_value(), c.addsSheet && c.lines > 0) << what;
        if (answer.missingMib) {
            EXPECT_DOUBLE_EQ(*answer.missingMib + *answer.sheetMib, *target) << what;
        }
        for (const SizedLayout& line : answer.lines) {
            EXPECT_GE(line.failuresSurvived, c.request.minimumFailures) << what;
            EXPECT_GE(line.netTotalMib, *target) << what;
            EXPECT_EQ(line.diskType, c.request.diskType) << what;
        }
    }
}

// The names are the free row's own (row 10's with none free), trimmed, for the disk types the
// model's family offers. The kept disk type wins when offered, then the free row's.
TEST(CapacityPlannerTest, OffersTheModelsDiskTypesUnderTheRowsNames) {
    struct Case {
        int model, freeRow, freeRowDisk;
        std::optional<int> kept;
        std::vector<int> offered;
        int opening;
    };
    const std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7}, zunda{1, 2, 3, 4, 6, 7};
    const Case cases[] = {
        {kTelvarA, 1, k450G, std::nullopt, all, k450G},
        {kTelvarA, 4, k1TbAta, std::nullopt, all, k1TbAta},
        {kTelvarA, 4, k1TbAta, k73G, all, k73G},
        {kZundaS, 3, k750GAta, k500GAta, zunda, k750GAta},
        {kZundaS, 2, k73G, std::nullopt, zunda, zunda.front()},
        {kZundaS, 0, k450G, std::nullopt, zunda, zunda.front()},
    };
    const TestDiskNames names;
    for (const Case& c : cases) {
        CommandsFixture f;
        f.sheet = sheetOf(c.model, usedUpTo(c.freeRow == 0 ? kRowCount : c.freeRow - 1));
        if (c.freeRow != 0) {
            row(f.sheet, c.freeRow).diskType = c.freeRowDisk;
        }
        const CapacityPlanner planner(f.sheet, f.commands, names.names);
        std::vector<int> offered;
        for (const DiskChoice& choice : planner.diskChoices()) {
            offered.push_back(choice.diskType);
            EXPECT_EQ(choice.name, "R" + std::to_string(c.freeRow == 0 ? kRowCount : c.freeRow) +
                                       "D" + std::to_string(choice.diskType));
        }
        EXPECT_EQ(offered, c.offered) << c.model << "/" << c.freeRow;
        EXPECT_EQ(planner.openingDiskType({CapacityUnit::Tb, c.kept, 1}), c.opening)
            << c.model << "/" << c.freeRow;
    }
}

// Random sheets (rows above the free one in use, some breaking a rule) and requests: a put goes
// through exactly when the planner says Put in Row may act, and then Compute shows the line's
// figures without a message; otherwise nothing happens. The planner's judgement of the sheet is
// Compute's own.
TEST(CapacityPlannerTest, PutsALineExactlyWhenItSaysItCanAndComputeShowsItsFigures) {
    std::mt19937 rng(1406);
    const auto draw = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const TestDiskNames names;
    int puts = 0;
    for (int iteration = 0; iteration < 200; ++iteration) {
        CommandsFixture f;
        f.sheet = sheetOf(draw(9), usedUpTo(draw(kRowCount + 1)));
        for (GroupDefinition& r : f.sheet.rows) {
            r.diskType = draw(8);
            r.includesVault = &r - f.sheet.rows.data() < kVaultRowCount && draw(4) == 0;
            r.disksPerGroup = draw(6) == 0 ? 2 : r.disksPerGroup; // RAID5 refuses 2
        }
        f.syncScreen();
        const ConfigSheet before = f.sheet;
        ConfigSheet computed = before;
        computeSheet(computed, f.view);
        const bool computes = f.view.calls.empty();
        f.view.calls.clear();

        CapacityPlanner planner(f.sheet, f.commands, names.names);
        ASSERT_EQ(planner.canAddToSheet(), computes);
        const std::string target = std::to_string(1 + draw(500));
        const int disk =
            planner.diskChoices()[draw(static_cast<int>(planner.diskChoices().size()))].diskType;
        const CapacityAnswer answer =
            planner.answer({target, CapacityUnit::Tb, disk, draw(3), draw(2) == 0});
        if (answer.lines.empty()) {
            continue;
        }
        const SizedLayout line = answer.lines[draw(static_cast<int>(answer.lines.size()))];
        const int freeRow = planner.freeRow();
        ASSERT_EQ(planner.put(line), planner.canPut());
        if (!planner.canPut()) {
            EXPECT_TRUE(f.view.calls.empty());
            EXPECT_TRUE(sameSheet(f.sheet, before));
            if (planner.putNotice() == PlanNotice::SheetBreaksRule) {
                ConfigSheet withLine = before;
                row(withLine, freeRow) = {disk,
                                          line.raidType,
                                          line.disksPerGroup,
                                          line.groupCount,
                                          row(before, freeRow).includesVault,
                                          {},
                                          {}};
                EXPECT_EQ(firstRowBreakingRule(withLine), planner.ruleBreakingRow());
            }
            continue;
        }
        ++puts;
        EXPECT_TRUE(f.view.messagesShown().empty());
        const GroupDefinition& put = row(f.sheet, freeRow);
        EXPECT_EQ(std::tie(put.diskType, put.raidType, put.disksPerGroup, put.groupCount),
                  std::tie(disk, line.raidType, line.disksPerGroup, line.groupCount));
        EXPECT_EQ(put.totalCapacityText, formatCapacity(gibFromMib(line.rowTotalMib)));
        if (answer.sheetMib) {
            EXPECT_EQ(f.sheet.netTotalGbText, line.netTotalGbText);
            EXPECT_EQ(f.sheet.netTotalTbText, line.netTotalTbText);
            EXPECT_EQ(f.sheet.totalDisksText, std::to_string(line.disks));
            EXPECT_EQ(f.sheet.arraysRequiredText, std::to_string(line.arraysRequired));
        }
    }
    EXPECT_GT(puts, 50);
}

} // namespace
} // namespace brim::test
