// Kept plans and the comparison of plans: names, the figures against the core functions that
// Compute and Sheet Performance use, the best values, and the planning figures in force now.

#include "blanks.h"
#include "catalogue_names.h"
#include "data_loss.h"
#include "digit_grouping.h"
#include "kept_plans.h"
#include "performance.h"
#include "plan_comparison.h"
#include "plan_cost.h"
#include "recording_sink.h"
#include "units.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace brim {
namespace {

using namespace test::names;

ConfigSheet oneRow(int model, int disk, int raid, std::uint32_t disks, std::uint32_t groups) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    sheet.rows[0] = {disk, raid, disks, groups, false, {}, {}};
    return sheet;
}

TEST(KeptPlans, NamesTheFirstFreeLetterRefusesBadNamesAndStopsAtEight) {
    KeptPlans plans;
    std::uint32_t groups = 0;
    const auto another = [&groups] { return oneRow(kTelvarA, k450G, kRaid5, 5, ++groups); };
    plans.keep(another());
    plans.keep(another());
    EXPECT_EQ(plans.rename(0, "  Cheap  "), "");
    EXPECT_EQ(plans.plans()[0].name, "Cheap");
    EXPECT_EQ(plans.plans()[plans.keep(another()).value()].name, "Plan A"); // A is free again
    const std::vector<std::pair<std::string, std::string>> refused{
        {"", "A plan's name is 1 to 40 characters, with no blank at either end and no line break."},
        {std::string(41, 'x'),
         "A plan's name is 1 to 40 characters, with no blank at either end and no line break."},
        {"a\nb",
         "A plan's name is 1 to 40 characters, with no blank at either end and no line break."},
        {"Plan B", "Another plan is named \"Plan B\"."}};
    for (const auto& [name, refusal] : refused) {
        EXPECT_EQ(plans.rename(0, name), refusal) << name;
        EXPECT_EQ(plans.plans()[0].name, "Cheap");
    }
    std::string fortyCharacters;
    for (int i = 0; i < 40; ++i) {
        fortyCharacters += "\u03A9"; // two bytes each
    }
    EXPECT_EQ(plans.rename(0, fortyCharacters), "");
    while (plans.keep(another())) {
    }
    EXPECT_EQ(plans.size(), kMaxKeptPlans);
    EXPECT_TRUE(plans.full());
    EXPECT_EQ(removePlanQuestion(plans.plans()[1]), "Remove Plan B?");
    EXPECT_EQ(putBackStepName(plans.plans()[1]), "Put Back Plan B");
}

// Keep the Sheet keeps a sheet once: the same inputs, the model and the ten rows, again are no
// new plan, whatever was computed from them.
TEST(KeptPlans, KeepsNoSheetTwiceAndSaysWhichPlanHoldsIt) {
    const ConfigSheet raid5 = oneRow(kTelvarA, k450G, kRaid5, 9, 4);
    ConfigSheet computed = raid5;
    test::RecordingSink silent;
    computeSheet(computed, silent);
    ConfigSheet vault = raid5;
    vault.rows[0].includesVault = true;
    ConfigSheet otherModel = raid5;
    otherModel.modelIndex = kTelvarB;
    ConfigSheet tenthRow = raid5;
    tenthRow.rows[9] = raid5.rows[0];
    struct Case {
        const char* name;
        std::vector<ConfigSheet> kept;
        ConfigSheet now;
        KeepState state;
    };
    const std::string full(kPlansFullNote);
    const std::vector<ConfigSheet> eight{
        oneRow(kTelvarA, k450G, kRaid5, 9, 1), oneRow(kTelvarA, k450G, kRaid5, 9, 2),
        oneRow(kTelvarA, k450G, kRaid5, 9, 3), oneRow(kTelvarA, k450G, kRaid5, 9, 5),
        oneRow(kTelvarA, k450G, kRaid5, 9, 6), oneRow(kTelvarA, k450G, kRaid5, 9, 7),
        oneRow(kTelvarA, k450G, kRaid5, 9, 8), raid5};
    const Case cases[] = {
        {"no plan yet", {}, raid5, {true, ""}},
        {"the same inputs", {raid5}, raid5, {false, "The sheet is kept already as Plan A."}},
        {"computed since", {raid5}, computed, {false, "The sheet is kept already as Plan A."}},
        {"the second plan", {vault, raid5}, raid5, {false, "The sheet is kept already as Plan B."}},
        {"a vault more", {raid5}, vault, {true, ""}},
        {"another model", {raid5}, otherModel, {true, ""}},
        {"a tenth row more", {raid5}, tenthRow, {true, ""}},
        {"eight others", {eight.begin(), eight.end() - 1}, vault, {true, ""}},
        {"eight, the sheet not among them", eight, vault, {false, full}},
        {"eight, the sheet among them",
         eight,
         raid5,
         {false, "The sheet is kept already as Plan H."}},
    };
    for (const Case& c : cases) {
        KeptPlans plans;
        for (const ConfigSheet& sheet : c.kept) {
            plans.keep(sheet);
        }
        ASSERT_EQ(plans.size(), c.kept.size()) << c.name;
        const KeepState state = keepState(plans, c.now);
        EXPECT_EQ(state.canKeep, c.state.canKeep) << c.name;
        EXPECT_EQ(state.note, c.state.note) << c.name;
        EXPECT_EQ(plans.keep(c.now).has_value(), c.state.canKeep) << c.name;
    }
}

// The three plans of a planner choosing a layout, with priced disks and arrays.
class ThreePlans : public ::testing::Test {
protected:
    void SetUp() override {
        plans_.push_back({"Plan A", planSheetOf(oneRow(kTelvarA, k450G, kRaid5, 9, 4))});
        plans_.push_back({"Plan B", planSheetOf(oneRow(kTelvarA, k1TbAta, kRaid6, 8, 4))});
        plans_.push_back({"Plan C", planSheetOf(oneRow(kTelvarA, k146G, kRaid10, 8, 4))});
        planning_.prices.setDiskHundredths(k450G, 60000);
        planning_.prices.setDiskHundredths(k1TbAta, 30000);
        planning_.prices.setDiskHundredths(k146G, 20000);
        planning_.prices.setArrayHundredths(kTelvarA, 4000000);
    }
    std::vector<ComparedColumn> compare(const ConfigSheet& now = {}) const {
        return comparePlans(now, plans_, planning_);
    }
    std::vector<NamedPlan> plans_;
    PlanningAssumptions planning_;
};

TEST_F(ThreePlans, EveryFigureIsTheCoreFunctionsFigureInItsText) {
    const std::vector<ComparedColumn> columns = compare();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_FALSE(columns[0].takesPart); // an empty sheet would win on disks and cost
    for (std::size_t i = 1; i < columns.size(); ++i) {
        ConfigSheet sheet = configSheetOf(plans_[i - 1].sheet);
        const ComparedColumn& column = columns[i];
        EXPECT_EQ(column.name, plans_[i - 1].name);
        EXPECT_TRUE(column.takesPart);
        const SheetPerformance performance =
            sheetPerformance(sheet, planning_.disks, planning_.workload.readShare());
        const PlanCost cost = sheetCost(sheet, planning_);
        const DisksToOrder order = sheetDisksToOrder(sheet, planning_.spares);
        test::RecordingSink silent;
        computeSheet(sheet, silent);
        const std::vector<std::pair<ComparedFigure, std::string>> expected{
            {ComparedFigure::Model, "Telvar A"},
            {ComparedFigure::UsableGb, std::string(trimBlanks(sheet.netTotalGbText))},
            {ComparedFigure::UsableTb, std::string(trimBlanks(sheet.netTotalTbText))},
            {ComparedFigure::Disks, sheet.totalDisksText},
            {ComparedFigure::Arrays, sheet.arraysRequiredText},
            {ComparedFigure::DisksWithSpares, std::to_string(order.allToOrder)},
            {ComparedFigure::ArraysWithSpares, std::to_string(order.arrays)},
            {ComparedFigure::HostIops, formatRate(performance.total.hostIops)},
            {ComparedFigure::Mbps, formatRate(performance.total.mbps)},
            {ComparedFigure::LossChance, formatLossChance(sheetLoss(sheet, planning_).planChance)},
            {ComparedFigure::Cost, formatCost(cost.cost)},
            {ComparedFigure::CostPerUsableTb, formatCostPer(*cost.perUsableTib)},
        };
        for (const auto& [figure, text] : expected) {
            EXPECT_EQ(column[figure].text, text) << column.name << " figure " << int(figure);
        }
    }
    EXPECT_EQ(columns[1][ComparedFigure::Definitions].text, "4 \u00D7 450 G FC RAID5 9");
}

TEST_F(ThreePlans, BestValuesAreBoldTiesMarkEachAndPricesFollow) {
    std::vector<ComparedColumn> columns = compare();
    const auto bestOf = [&columns](ComparedFigure figure) {
        std::string names;
        for (const ComparedColumn& column : columns) {
            names += column[figure].best ? column.name + ';' : "";
        }
        return names;
    };
    EXPECT_EQ(bestOf(ComparedFigure::UsableTb), "Plan B;");
    EXPECT_EQ(bestOf(ComparedFigure::Disks), "Plan B;Plan C;"); // a tie marks each
    EXPECT_EQ(bestOf(ComparedFigure::Model), "");
    const std::string cheapest = bestOf(ComparedFigure::CostPerUsableTb);
    EXPECT_EQ(cheapest, "Plan B;");

    planning_.prices.setDiskHundredths(k1TbAta, 9000000); // the ATA disks now cost a fortune
    columns = compare();
    EXPECT_NE(bestOf(ComparedFigure::CostPerUsableTb), cheapest);
    EXPECT_NE(chartDescription(columns, ComparedFigure::UsableTb).find("Plan B "),
              std::string::npos);
}

TEST_F(ThreePlans, APlanBreakingARuleShowsTheRuleAndTakesNoPart) {
    plans_[0].sheet.rows[0].disksPerGroup = 17;
    const std::vector<ComparedColumn> columns = compare(oneRow(kTelvarA, k146G, kRaid10, 8, 4));
    EXPECT_TRUE(columns[1].brokenRule);
    EXPECT_FALSE(columns[1].takesPart);
    EXPECT_FALSE(columns[1][ComparedFigure::UsableGb].text.empty());
    EXPECT_FALSE(columns[1][ComparedFigure::UsableGb].value.has_value());
    EXPECT_EQ(chartedColumns(columns, ComparedFigure::UsableTb),
              (std::vector<std::size_t>{0, 2, 3}));
    // The sheet now ties with Plan C on every figure.
    EXPECT_TRUE(columns[0][ComparedFigure::Disks].best == columns[3][ComparedFigure::Disks].best);
}

// Plans of one row each on a Telvar A, the sheet empty: which columns each figure marks best.
TEST(PlanComparison, MarksTheBestOnlyAmongAlikeValues) {
    struct Plan {
        int disk;
        int raid;
        std::uint32_t disks;
        std::uint32_t groups;
    };
    struct Case {
        const char* name;
        std::vector<Plan> plans;
        ComparedFigure figure;
        std::string best; // the plans marked, A for the first
    };
    const Plan mirror{k146G, kRaid10, 8, 4}; // 0.01% after one failure
    const Plan raid5{k450G, kRaid5, 9, 4};   // 0.28% after one failure
    const Plan raid6{k1TbAta, kRaid6, 8, 4}; // 4.62% after two failures
    const Plan wideRaid6{k1TbAta, kRaid6, 16, 2};
    const Plan striped{k450G, kRaid0, 4, 4}; // no redundancy
    const Case cases[] = {
        {"risk after one failure against two", {mirror, raid6}, ComparedFigure::ReadErrorRisk, ""},
        {"three, one after two failures",
         {mirror, raid5, raid6},
         ComparedFigure::ReadErrorRisk,
         ""},
        {"one failure each", {raid5, mirror}, ComparedFigure::ReadErrorRisk, "B"},
        {"two failures each", {wideRaid6, raid6}, ComparedFigure::ReadErrorRisk, "B"},
        {"a rebuild against no redundancy", {striped, raid5}, ComparedFigure::ReadErrorRisk, "B"},
        {"loss a year compares them", {mirror, raid5, raid6}, ComparedFigure::LossChance, "C"},
        {"and so do the disks", {mirror, raid6}, ComparedFigure::Disks, "AB"},
    };
    for (const Case& c : cases) {
        std::vector<NamedPlan> plans;
        for (const Plan& plan : c.plans) {
            const std::string name(1, static_cast<char>('A' + plans.size()));
            plans.push_back({name, planSheetOf(oneRow(kTelvarA, plan.disk, plan.raid, plan.disks,
                                                      plan.groups))});
        }
        std::string best;
        for (const ComparedColumn& column : comparePlans({}, plans, PlanningAssumptions{})) {
            best += column[c.figure].best ? column.name : "";
        }
        EXPECT_EQ(best, c.best) << c.name;
    }
}

// On screen the costs and counts take the locale's digit grouping, and only those: the
// capacities keep the sheet's texts and the percentages their digits.
TEST(PlanComparison, ShowsCostsAndCountsWithTheLocalesDigitGrouping) {
    PlanningAssumptions planning;
    planning.prices.setDiskHundredths(k1TbAta, 30000);
    planning.prices.setArrayHundredths(kTelvarD, 10000000);
    // 11200 disks: 16 disks in each of 700 groups.
    const ComparedColumn column =
        compareColumn("Large", oneRow(kTelvarD, k1TbAta, kRaid6, 16, 700), planning);
    const std::vector<ComparedFigure> grouped{ComparedFigure::Disks,
                                              ComparedFigure::Arrays,
                                              ComparedFigure::DisksWithSpares,
                                              ComparedFigure::ArraysWithSpares,
                                              ComparedFigure::HostIops,
                                              ComparedFigure::Mbps,
                                              ComparedFigure::Cost,
                                              ComparedFigure::CostPerUsableTb,
                                              ComparedFigure::CostPerThousandIops};
    for (const ComparedFigureInfo& info : kComparedFigures) {
        const std::string& plain = column[info.figure].text;
        const bool groups = std::find(grouped.begin(), grouped.end(), info.figure) != grouped.end();
        EXPECT_EQ(shownText(column[info.figure], info.figure, "'"),
                  groups ? groupDigits(plain, "'") : plain)
            << info.heading;
    }
    EXPECT_EQ(shownText(column[ComparedFigure::Disks], ComparedFigure::Disks, ","), "11,200");
    EXPECT_EQ(shownText(column[ComparedFigure::Arrays], ComparedFigure::Arrays, ","), "12");
    EXPECT_GE(column[ComparedFigure::UsableGb].text.find('.'), kFewestDigitsGrouped);
    EXPECT_EQ(shownText(column[ComparedFigure::UsableGb], ComparedFigure::UsableGb, ","),
              column[ComparedFigure::UsableGb].text);
}

} // namespace
} // namespace brim
