#include "commands/growth_planner.h"
#include "commands/planner_units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/growth_example.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace names;

// With no list names, disk types read under their report names: "1 TB ATA".
const RowDiskNames kNoNames{};

using F = GrowthFigure;

// The hand-checked example: Telvar A, row 1: 4 groups of RAID6 of 8 × 1 TB ATA (21.50 TB);
// 300 a disk and 50000 an array at 600 W, priced in Sheet Performance; the rest typed here.
struct Example {
    ConfigSheet sheet = growthExampleSheet();
    PlanningAssumptions planning = growthExamplePrices();
    StatedWorkload workload;

    GrowthPlanner planner(std::vector<std::pair<F, std::string>> typed = {
                              {F::NeededToday, "20"},
                              {F::CapacityGrowth, "30"},
                              {F::WorkloadGrowth, "0"},
                              {F::EnergyPrice, "0.15"}}) {
        GrowthPlanner p(sheet, planning, workload, kNoNames);
        for (const auto& [figure, text] : typed) {
            EXPECT_EQ(p.typeField(figure, text), "") << text;
        }
        return p;
    }
};

// Columns as the table gives them: year, need, sized by, groups, usable, disks to
// order, arrays, buy disks / arrays, purchase, kW, energy, support, cost, cumulative.
std::vector<std::string> worked(const GrowthTextLine& line) {
    std::vector<std::string> cells;
    for (const GrowthColumn column :
         {GrowthColumn::Year, GrowthColumn::NeedTb, GrowthColumn::SizedBy, GrowthColumn::Groups,
          GrowthColumn::UsableTb, GrowthColumn::DisksToOrder, GrowthColumn::Arrays,
          GrowthColumn::BuyDisks, GrowthColumn::BuyArrays, GrowthColumn::Purchase, GrowthColumn::Kw,
          GrowthColumn::Energy, GrowthColumn::Support, GrowthColumn::Cost,
          GrowthColumn::Cumulative}) {
        cells.push_back(line[static_cast<std::size_t>(column)]);
    }
    return cells;
}

TEST(GrowthPlannerTest, TheHandCheckedYearsAsTheWindowShowsThem) {
    using C = std::vector<std::string>;
    const std::vector<C> expected{
        {"1", "26.00", "capacity", "5", "26.87", "42", "1", "42", "1", "62600", "1.0", "2012", "0",
         "64612", "64612"},
        {"2", "33.80", "capacity", "7", "37.62", "58", "1", "16", "0", "3840", "1.2", "2327", "0",
         "6167", "70779"},
        {"3", "43.94", "capacity", "9", "48.37", "75", "1", "17", "0", "3264", "1.4", "2663", "0",
         "5927", "76706"},
        {"4", "57.12", "capacity", "11", "59.11", "91", "1", "16", "0", "2458", "1.5", "2978", "0",
         "5436", "82142"},
        {"5", "74.26", "capacity", "14", "75.23", "116", "1", "25", "0", "3072", "1.8", "3471", "0",
         "6543", "88685"},
        // the sums of the buys and the money, and the last cumulative
        {"Total", "", "", "", "", "", "", "116", "1", "75234", "", "13451", "0", "88685", "88685"},
    };
    Example e;
    const GrowthPlanner p = e.planner();
    ASSERT_EQ(p.lines().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(worked(p.lines()[i]), expected[i]) << "line " << i;
    }
    EXPECT_EQ(p.yearLineCount(), 5u);
    EXPECT_EQ(p.totalSentence(),
              "Over 5 years the plan costs 88685: 1179 per usable TB in year 5.");
    EXPECT_EQ(p.runOutSentence(),
              "The sheet as it stands, 21.50 TB, runs out in month 4, when the need passes it.");
    EXPECT_EQ(p.leftOutLine(), "");
    EXPECT_EQ(p.growthRowSentence(), "Row 1 grows, from 4 groups on the sheet.");
    EXPECT_TRUE(p.notes().empty());
    // The chance of loss over the years is 1 − Π(1 − p_y) of the years' own.
    double survives = 1.0;
    for (std::size_t y = 0; y < 5; ++y) {
        survives *= 1.0 - p.schedule().years[y].lossChance;
    }
    EXPECT_EQ(p.lines().back()[static_cast<std::size_t>(GrowthColumn::LossPerYear)],
              formatLossChance(1.0 - survives));
    ASSERT_EQ(p.chart().years.size(), 5u);
    EXPECT_EQ(p.chart().years[4].label, "Year 5");
    EXPECT_EQ(p.chart().years[4].usableText, "75.23");
    EXPECT_EQ(p.chart().years[4].needText, "74.26");

    // Installed already, support at 10 %: year 1 buys 8 disks, and the total falls.
    Example installed;
    GrowthPlanner q = installed.planner();
    q.setInstalled(true);
    EXPECT_EQ(q.typeField(F::Support, "10"), "");
    EXPECT_EQ(worked(q.lines()[0])[7], "8");
    EXPECT_EQ(worked(q.lines()[0])[12], "6260");
    EXPECT_EQ(worked(q.lines()[0])[13], "10672");
    EXPECT_EQ(q.totalSentence(), "Over 5 years the plan costs 63099: 839 per usable TB in year 5.");
    EXPECT_TRUE(installed.planning.growth.installed); // the program's figures, for the workbook
}

// A refused text keeps the figure in use and empties the schedule until every field takes its
// text; the first refused field in Tab order speaks.
TEST(GrowthPlannerTest, RefusedFieldsKeepTheirFigures) {
    struct Case {
        F figure;
        const char* text;
        const char* refusal; // empty: taken
    };
    const Case cases[] = {
        {F::NeededToday, "", ""}, // the sheet's net total
        {F::NeededToday, "0",
         "Type a capacity from 0.01 to 10000000 TB with up to two "
         "decimals, or leave it empty for the sheet's net total."},
        {F::NeededToday, "20.005",
         "Type a capacity from 0.01 to 10000000 TB with up to two "
         "decimals, or leave it empty for the sheet's net total."},
        {F::CapacityGrowth, "1000", ""},
        {F::CapacityGrowth, "1000.1", "Type a growth from 0 to 1000 %, such as 20."},
        {F::WorkloadGrowth, "-1", "Type a growth from 0 to 1000 %, such as 10."},
        {F::Years, "10", ""},
        {F::Years, "11", "Type a whole number of years from 1 to 10, such as 5."},
        {F::Years, "2.5", "Type a whole number of years from 1 to 10, such as 5."},
        {F::DiskPriceChange, "-90", ""},
        {F::DiskPriceChange, "-90.1", "Type a change from -90 to 100 %, such as -20."},
        {F::ArrayPriceChange, "101", "Type a change from -90 to 100 %, such as 0."},
        {F::EnergyPrice, "0.155", ""},
        {F::EnergyPrice, "0.1555",
         "Type a price from 0 to 1000 with up to three decimals, such as 0.15."},
        {F::Pue, "0.99", "Type a PUE from 1.00 to 3.00 with up to two decimals, such as 1.50."},
        {F::Support, "abc", "Type a share from 0 to 100 %, such as 10."},
    };
    for (const Case& c : cases) {
        Example e;
        GrowthPlanner p = e.planner();
        const PlanningAssumptions before = e.planning;
        EXPECT_EQ(p.typeField(c.figure, c.text), c.refusal) << c.text;
        EXPECT_EQ(p.refusal(), c.refusal) << c.text;
        const bool refused = std::string_view(c.refusal) != "";
        EXPECT_EQ(p.lines().empty(), refused) << c.text;
        if (refused) {
            EXPECT_EQ(e.planning.growth, before.growth) << c.text;
            EXPECT_EQ(p.totalSentence(), "") << c.text;
        } else {
            EXPECT_EQ(p.fieldText(c.figure), c.text) << c.text;
        }
    }
    Example e;
    GrowthPlanner p = e.planner();
    p.typeField(F::Pue, "9");
    p.typeField(F::Years, "0");
    EXPECT_EQ(p.refusal(), figureWords(F::Years).refusal);
    p.typeField(F::Years, "5");
    EXPECT_EQ(p.refusal(), figureWords(F::Pue).refusal);
    p.typeField(F::Pue, "1.5");
    EXPECT_EQ(p.refusal(), "");
    EXPECT_EQ(p.lines().size(), 6u);
}

TEST(GrowthPlannerTest, NotesSentencesAndDefinitions) {
    struct Case {
        const char* name;
        void (*change)(Example&);
        std::vector<std::string> definitions;
        std::size_t lines;
        std::vector<std::string> notes;
        const char* total; // how the sentence begins, or all of it
        const char* leftOut;
        const char* runOut;
    };
    // clang-format off
    const Case cases[] = {
        {"PickedRowCannotGrow", [](Example& e) { e.planning.growth.growDefinition = 3; },
         {"Largest", "Row 1"}, 6,
         {"Row 3 cannot grow: it needs groups, a RAID type and disks per group. Row 1, the "
          "largest definition, grows instead."},
         "Over 5 years the plan costs 88685: 1179 per usable TB in year 5.", "",
         "The sheet as it stands, 21.50 TB, runs out in month 4, when the need passes it."},
        {"NothingCanGrow", [](Example& e) { e.sheet.rows[0].groupCount = 0; }, {"Largest"}, 0,
         {"Fill a definition with groups, a RAID type and disks per group to plan its growth."},
         "", "", ""},
        {"RuleBroken", [](Example& e) { e.sheet.rows[2] = {k450G, kRaid5, 2, 1, false, {}, {}}; },
         {"Largest", "Row 1", "Row 3"}, 0,
         {"Row 3 breaks a rule, so the sheet cannot grow: Error: RAID5 requires 3 to 16 disks "
          "per group."}, "", "", ""},
        {"NeedNoCountMeets", [](Example& e) { e.planning.growth.neededTodayHundredths = 1'000'000'000;
                                              e.planning.growth.capacityGrowthTenths = 10'000; },
         {"Largest", "Row 1"}, 4,
         {"No count of groups of row 1 meets the capacity needed in year 4: the schedule ends "
          "with year 3."},
         "Over 3 years the plan costs ", "",
         "The sheet as it stands, 21.50 TB, does not meet today's need of 10000000.00 TB."},
        {"NothingPriced", [](Example& e) { e.planning.prices = {}; e.planning.growth.energyPriceThousandths = 0; },
         {"Largest", "Row 1"}, 6, {},
         "Over 5 years the plan's cost shows once a price it uses is set: a disk's or the "
         "array's in Sheet Performance, or the energy price here.", "",
         "The sheet as it stands, 21.50 TB, runs out in month 4, when the need passes it."},
        {"PartlyPriced", [](Example& e) { e.planning.prices.setArrayHundredths(kTelvarA, 0);
                                          e.planning.arrayPower.setWatts(kTelvarA, 0);
                                          e.planning.growth.energyPriceThousandths = 0; },
         {"Largest", "Row 1"}, 6, {},
         "Over 5 years the plan costs 25234: 335 per usable TB in year 5.",
         "Not priced: the Telvar A array. Not counted: the power of the Telvar A array, the "
         "energy.", "The sheet as it stands, 21.50 TB, runs out in month 4, when the need passes it."},
        {"NoNeedTyped", [](Example& e) { e.planning.growth.neededTodayHundredths.reset(); },
         {"Largest", "Row 1"}, 6, {},
         "Over 5 years the plan costs ", "", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        Example e;
        e.planner(); // types the example's figures into the program's
        c.change(e);
        const GrowthPlanner p(e.sheet, e.planning, e.workload, kNoNames);
        EXPECT_EQ(p.definitionTexts(), c.definitions) << c.name;
        EXPECT_EQ(p.definitionIndex(), 0u) << c.name;
        EXPECT_EQ(p.lines().size(), c.lines) << c.name;
        EXPECT_EQ(p.notes(), c.notes) << c.name;
        EXPECT_TRUE(p.totalSentence().starts_with(c.total)) << c.name << ": " << p.totalSentence();
        EXPECT_EQ(p.totalSentence().empty(), std::string_view(c.total).empty()) << c.name;
        EXPECT_EQ(p.leftOutLine(), c.leftOut) << c.name;
        EXPECT_EQ(p.runOutSentence(), c.runOut) << c.name;
    }
}

TEST(GrowthPlannerTest, MoneyWaitsForAPriceAndEnergyForItsOwn) {
    Example e;
    e.planning.prices = {};
    const GrowthPlanner unpriced = e.planner({{F::EnergyPrice, "0"}});
    EXPECT_EQ(worked(unpriced.lines()[0])[9], "\u2014");
    EXPECT_EQ(worked(unpriced.lines().back())[13], "\u2014");
    e.planning.prices.setDiskHundredths(k1TbAta, 30'000);
    const GrowthPlanner disksOnly = e.planner({{F::EnergyPrice, "0"}});
    EXPECT_EQ(worked(disksOnly.lines()[0])[9], "12600"); // the array left out
    EXPECT_EQ(worked(disksOnly.lines()[0])[11], "\u2014");
}

TEST(GrowthPlannerTest, WorkloadFromSizeForCapacity) {
    struct Case {
        const char *iops, *mbps, *sentence, *total;
    };
    const Case cases[] = {
        {"20000", "400",
         "Workload today, from Size for Capacity: 20000 host IOPS, 400 MB/s at 70 % reads.",
         "per 1000 host IOPS in year 5."},
        {"", "400", "Workload today, from Size for Capacity: 400 MB/s at 70 % reads.",
         "per usable TB in year 5."},
        {"20000", "x", "Workload today, from Size for Capacity: 20000 host IOPS at 70 % reads.",
         "per 1000 host IOPS in year 5."},
        {"", "", "No workload is stated in Size for Capacity: the years grow for capacity alone.",
         "per usable TB in year 5."},
    };
    for (const Case& c : cases) {
        Example e;
        CapacityChoices sizing;
        sizing.hostIopsText = c.iops;
        sizing.mbpsText = c.mbps;
        e.workload = statedWorkload(sizing);
        const GrowthPlanner p = e.planner();
        EXPECT_EQ(p.workloadSentence(), c.sentence);
        EXPECT_TRUE(p.totalSentence().ends_with(c.total)) << p.totalSentence();
    }
}

TEST(GrowthPlannerTest, CopiesTheColumnsShown) {
    Example e;
    const GrowthPlanner p = e.planner();
    GrowthColumnsShown shown{};
    shown[static_cast<std::size_t>(GrowthColumn::Year)] = true;
    shown[static_cast<std::size_t>(GrowthColumn::DisksToOrder)] = true;
    shown[static_cast<std::size_t>(GrowthColumn::Cost)] = true;
    EXPECT_EQ(p.copyText(shown, 1), "Year\tDisks to order\tCost\n2\t58\t6167\n");
    const std::string all = p.copyText(shown);
    EXPECT_TRUE(all.ends_with("5\t116\t6543\nTotal\t\t88685\n")) << all;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 7);
}

TEST(GrowthPlannerTest, KeepYearKeepsThatYearsPlanUnderItsName) {
    Example e;
    GrowthPlanner p = e.planner();
    KeptPlans plans;
    EXPECT_FALSE(p.keepYearState(5, plans).canKeep); // the total line
    EXPECT_EQ(p.keepYear(2, plans), "Year 3's plan is kept in Compare Plans.");
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(plans.plans()[0].name, "Year 3");
    const ConfigSheet kept = configSheetOf(plans.plans()[0].sheet);
    EXPECT_EQ(kept.rows[0].groupCount, 9u);
    EXPECT_EQ(p.keepYear(2, plans), "Year 3's plan is kept already as Year 3.");

    // Another sheet's year 3 is named so already.
    e.sheet.rows[0].disksPerGroup = 10;
    const GrowthPlanner other(e.sheet, e.planning, e.workload, kNoNames);
    EXPECT_EQ(other.keepYear(2, plans), "Another plan is named \"Year 3\".");
    while (!plans.full()) {
        ConfigSheet filler = e.sheet;
        filler.rows[1] = {k450G, kRaid5, 5, static_cast<std::uint32_t>(plans.size()),
                          false, {},     {}};
        plans.keep(filler);
    }
    EXPECT_EQ(other.keepYear(0, plans), kPlansFullNote);
}

} // namespace
} // namespace brim::test
