// Kept plans and the comparison of plans: names, the figures against the core functions that
// Compute and Sheet Performance use, the best values, and the planning figures in force now.

#include "commands/kept_plans.h"
#include "commands/plan_comparison.h"
#include "commands/planner_units.h"
#include "core/blanks.h"
#include "core/data_loss.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>

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
    EXPECT_EQ(removePlanQuestion(plans.plans()[1].name), "Remove Plan B?");
    EXPECT_EQ(putBackStepName(plans.plans()[1]), "Put Back Plan B");
}

// Keep the Sheet keeps a sheet once: the same inputs, the model and the ten rows, again are no
// new plan, whatever was computed from them.
TEST(KeptPlans, KeepsNoSheetTwiceAndSaysWhichPlanHoldsIt) {
    const ConfigSheet raid5 = oneRow(kTelvarA, k450G, kRaid5, 9, 4);
    const auto changed = [&raid5](auto change) {
        ConfigSheet sheet = raid5;
        change(sheet);
        return sheet;
    };
    test::RecordingSink silent;
    const ConfigSheet computed = changed([&](ConfigSheet& s) { computeSheet(s, silent); });
    const ConfigSheet vault = changed([](ConfigSheet& s) { s.rows[0].includesVault = true; });
    const ConfigSheet model = changed([](ConfigSheet& s) { s.modelIndex = kTelvarB; });
    std::vector<ConfigSheet> eight;
    for (std::uint32_t groups = 5; eight.size() < 7; ++groups) {
        eight.push_back(oneRow(kTelvarA, k450G, kRaid5, 9, groups));
    }
    eight.push_back(raid5);
    const std::string kept = "The sheet is kept already as ";
    const std::tuple<const char*, std::vector<ConfigSheet>, ConfigSheet, std::string> cases[] = {
        {"no plan yet", {}, raid5, ""},
        {"the same inputs", {raid5}, raid5, kept + "Plan A."},
        {"computed since", {raid5}, computed, kept + "Plan A."},
        {"the second plan", {vault, raid5}, raid5, kept + "Plan B."},
        {"a vault more", {raid5}, vault, ""},
        {"another model", {raid5}, model, ""},
        {"eight, the sheet not among them", eight, vault, std::string(kPlansFullNote)},
        {"eight, the sheet among them", eight, raid5, kept + "Plan H."},
    };
    for (const auto& [name, sheets, now, note] : cases) {
        KeptPlans plans;
        for (const ConfigSheet& sheet : sheets) {
            plans.keep(sheet);
        }
        ASSERT_EQ(plans.size(), sheets.size()) << name;
        const KeepState state = keepState(plans, now);
        EXPECT_EQ(state.note, note) << name;
        EXPECT_EQ(state.canKeep, note.empty()) << name;
        EXPECT_EQ(plans.keep(now).has_value(), note.empty()) << name;
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
        return comparePlans(now, plans_, planning_, {});
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
        const std::vector<std::pair<PlanFigure, std::string>> expected{
            {PlanFigure::Model, "Telvar A"},
            {PlanFigure::UsableGb, std::string(trimBlanks(sheet.netTotalGbText))},
            {PlanFigure::UsableTb, std::string(trimBlanks(sheet.netTotalTbText))},
            {PlanFigure::Disks, sheet.totalDisksText},
            {PlanFigure::Arrays, sheet.arraysRequiredText},
            {PlanFigure::DisksWithSpares, std::to_string(order.allToOrder)},
            {PlanFigure::ArraysWithSpares, std::to_string(order.arrays)},
            {PlanFigure::HostIops, formatRate(performance.total.hostIops)},
            {PlanFigure::Mbps, formatRate(performance.total.mbps)},
            {PlanFigure::LossChance, formatLossChance(sheetLoss(sheet, planning_).planChance)},
            {PlanFigure::Cost, formatCost(cost.cost)},
            {PlanFigure::CostPerUsableTb, formatCostPer(*cost.perUsableTib)},
        };
        for (const auto& [figure, text] : expected) {
            EXPECT_EQ(column[figure].text, text) << column.name << " figure " << int(figure);
        }
    }
    EXPECT_EQ(columns[1][PlanFigure::Definitions].text, "4 \u00D7 450 G FC RAID5 9");
}

TEST_F(ThreePlans, BestValuesAreBoldTiesMarkEachAndPricesFollow) {
    std::vector<ComparedColumn> columns = compare();
    const auto bestOf = [&columns](PlanFigure figure) {
        std::string names;
        for (const ComparedColumn& column : columns) {
            names += column[figure].best ? column.name + ';' : "";
        }
        return names;
    };
    EXPECT_EQ(bestOf(PlanFigure::UsableTb), "Plan B;");
    EXPECT_EQ(bestOf(PlanFigure::Disks), "Plan B;Plan C;"); // a tie marks each
    EXPECT_EQ(bestOf(PlanFigure::Model), "");
    const std::string cheapest = bestOf(PlanFigure::CostPerUsableTb);
    EXPECT_EQ(cheapest, "Plan B;");

    planning_.prices.setDiskHundredths(k1TbAta, 9000000); // the ATA disks now cost a fortune
    columns = compare();
    EXPECT_NE(bestOf(PlanFigure::CostPerUsableTb), cheapest);
    EXPECT_NE(chartDescription(columns, PlanFigure::UsableTb, 5).find("Plan B "),
              std::string::npos);
}

TEST_F(ThreePlans, APlanBreakingARuleShowsTheRuleAndTakesNoPart) {
    plans_[0].sheet.rows[0].disksPerGroup = 17;
    const std::vector<ComparedColumn> columns = compare(oneRow(kTelvarA, k146G, kRaid10, 8, 4));
    EXPECT_TRUE(columns[1].brokenRule);
    EXPECT_FALSE(columns[1].takesPart);
    EXPECT_FALSE(columns[1][PlanFigure::UsableGb].text.empty());
    EXPECT_FALSE(columns[1][PlanFigure::UsableGb].value.has_value());
    EXPECT_EQ(chartedColumns(columns, PlanFigure::UsableTb), (std::vector<std::size_t>{0, 2, 3}));
    // The sheet now ties with Plan C on every figure.
    EXPECT_TRUE(columns[0][PlanFigure::Disks].best == columns[3][PlanFigure::Disks].best);
}

// Each column's years ahead are the schedule's under the same growth figures: a kept plan grows
// its largest definition, not installed, the sheet as the figures say. By hand, Plan B grown to
// 20 TB at 30 % a year costs 88685 over 5 years and holds 75.23 TB in year 5 (63099 installed,
// with 10 % support); from its own 21.50 TB, 79.83 TB needs 15 groups of 5.37 TB: 80.61 TB.
TEST_F(ThreePlans, GrowsEveryPlanByTheSameFiguresAndMarksTheLeastCostOverTheYears) {
    planning_.prices.setArrayHundredths(kTelvarA, 5'000'000);
    planning_.arrayPower.setWatts(kTelvarA, 600);
    GrowthFigures& growth = planning_.growth;
    plans_.push_back({"Plan D", planSheetOf(oneRow(kTelvarA, k450G, kNoRaidType, 0, 3))});
    struct Case {
        const char* name;
        std::optional<std::int64_t> needHundredths;
        bool installed;
        int supportTenths;
        int growDefinition; // of the sheet now, whose row 2 is a 450 G FC RAID5 when picked
        std::string sheetCost;
        std::string best;
    };
    const Case cases[] = {
        {"a need typed", 2000, false, 0, 0, "88685", "Sheet now;Plan B;"},
        {"the sheet installed", 2000, true, 100, 0, "63099", "Sheet now;"},
        {"each from its own total", std::nullopt, false, 0, 0, "142101", "Plan C;"},
        {"the sheet's pick", 2000, false, 0, 2, "189020", "Plan B;"},
    };
    for (const Case& c : cases) {
        ConfigSheet now = configSheetOf(plans_[1].sheet);
        now.rows[1] = {k450G, kRaid5, 9, c.growDefinition == 2 ? 1u : 0u, false, {}, {}};
        growth = {5, 300, 0,   c.needHundredths, c.growDefinition, c.installed, -200,
                  0, 150, 150, c.supportTenths};
        const std::vector<ComparedColumn> columns = compare(now);
        std::string best;
        for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
            PlanningAssumptions grows = planning_;
            grows.growth.installed = c.installed && i == 0;
            grows.growth.growDefinition = i == 0 ? c.growDefinition : 0;
            const GrowthSchedule schedule =
                growthSchedule({i == 0 ? now : configSheetOf(plans_[i - 1].sheet), grows, {}});
            EXPECT_EQ(columns[i][PlanFigure::CostOverYears].text, formatCost(schedule.totals.cost))
                << c.name << ", " << columns[i].name;
            EXPECT_EQ(columns[i][PlanFigure::UsableTbInYear].text,
                      trimBlanks(formatCapacity(schedule.years[4].usableTib)));
            EXPECT_FALSE(columns[i][PlanFigure::UsableTbInYear].best);
            best += columns[i][PlanFigure::CostOverYears].best ? columns[i].name + ';' : "";
        }
        EXPECT_EQ(best, c.best) << c.name;
        EXPECT_EQ(columns[0][PlanFigure::CostOverYears].text, c.sheetCost) << c.name;
        EXPECT_EQ(columns[2][PlanFigure::UsableTbInYear].text,
                  c.needHundredths ? "75.23" : "80.61");
    }
    for (const PlanFigure cannotGrow : {PlanFigure::CostOverYears, PlanFigure::UsableTbInYear}) {
        EXPECT_EQ(compare()[4][cannotGrow].text, kNoFigureText) << "Plan D";
    }
    planning_ = PlanningAssumptions{}; // nothing priced
    EXPECT_EQ(compare()[2][PlanFigure::CostOverYears].text, kNoFigureText);
}

// Plans of one row each on a Telvar A, the sheet empty: which plans each figure marks best.
TEST(PlanComparison, MarksTheBestOnlyAmongAlikeValues) {
    const ConfigSheet mirror = oneRow(kTelvarA, k146G, kRaid10, 8, 4); // 0.01% after 1 failure
    const ConfigSheet raid5 = oneRow(kTelvarA, k450G, kRaid5, 9, 4);   // 0.28% after 1 failure
    const ConfigSheet raid6 = oneRow(kTelvarA, k1TbAta, kRaid6, 8, 4); // 4.62% after 2 failures
    const ConfigSheet wideRaid6 = oneRow(kTelvarA, k1TbAta, kRaid6, 16, 2);
    const ConfigSheet striped = oneRow(kTelvarA, k450G, kRaid0, 4, 4); // no redundancy
    using enum PlanFigure;
    const std::tuple<const char*, std::vector<ConfigSheet>, PlanFigure, std::string> cases[] = {
        {"risk after one failure against two", {mirror, raid6}, ReadErrorRisk, ""},
        {"one failure each", {raid5, mirror}, ReadErrorRisk, "B"},
        {"two failures each", {wideRaid6, raid6}, ReadErrorRisk, "B"},
        {"a rebuild against no redundancy", {striped, raid5}, ReadErrorRisk, "B"},
        {"loss a year compares them", {mirror, raid5, raid6}, LossChance, "C"},
        {"and so do the disks", {mirror, raid6}, Disks, "AB"},
    };
    for (const auto& [name, sheets, figure, marked] : cases) {
        std::vector<NamedPlan> plans;
        for (const ConfigSheet& sheet : sheets) {
            plans.push_back(
                {std::string(1, static_cast<char>('A' + plans.size())), planSheetOf(sheet)});
        }
        std::string best;
        for (const ComparedColumn& column : comparePlans({}, plans, PlanningAssumptions{}, {})) {
            best += column[figure].best ? column.name : "";
        }
        EXPECT_EQ(best, marked) << name;
    }
}

// On screen the costs and counts take the locale's digit grouping, and only those: the
// capacities keep the sheet's texts.
TEST(PlanComparison, ShowsCostsAndCountsWithTheLocalesDigitGrouping) {
    std::string grouped;
    for (const PlanFigureInfo& info : kPlanFigures) {
        const ComparedCell cell{"12345", 12345.0};
        grouped += shownText(cell, info.figure, ",") == "12,345"
                       ? planFigureHeading(info.figure, 1) + ';'
                       : "";
    }
    EXPECT_EQ(grouped, "Disks;Arrays needed;Disks to order with spares;Arrays with spares;"
                       "Host IOPS;MB/s;Cost;Cost per usable TB;Cost per 1000 host IOPS;"
                       "Cost over 1 year;");
    EXPECT_EQ(planFigureHeading(PlanFigure::CostOverYears, 10), "Cost over 10 years");
    // 11200 disks: 16 disks in each of 700 groups.
    const ComparedColumn large = compareColumn("Large", oneRow(kTelvarD, k1TbAta, kRaid6, 16, 700),
                                               PlanningAssumptions{}, {});
    EXPECT_EQ(shownText(large[PlanFigure::Disks], PlanFigure::Disks, ","), "11,200");
}

} // namespace
} // namespace brim
