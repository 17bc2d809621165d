// Kept plans and the comparison of plans: names, the figures against the core functions that
// Compute and Sheet Performance use, the best values, and the planning figures in force now.

#include "blanks.h"
#include "catalogue_names.h"
#include "data_loss.h"
#include "kept_plans.h"
#include "performance.h"
#include "plan_comparison.h"
#include "plan_cost.h"
#include "recording_sink.h"
#include "units.h"

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
    const ConfigSheet sheet;
    plans.keep(sheet);
    plans.keep(sheet);
    EXPECT_EQ(plans.rename(0, "  Cheap  "), "");
    EXPECT_EQ(plans.plans()[0].name, "Cheap");
    EXPECT_EQ(plans.plans()[plans.keep(sheet).value()].name, "Plan A"); // A is free again
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
    while (plans.keep(sheet)) {
    }
    EXPECT_EQ(plans.size(), kMaxKeptPlans);
    EXPECT_TRUE(plans.full());
    EXPECT_EQ(removePlanQuestion(plans.plans()[1]), "Remove Plan B?");
    EXPECT_EQ(putBackStepName(plans.plans()[1]), "Put Back Plan B");
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

} // namespace
} // namespace brim
