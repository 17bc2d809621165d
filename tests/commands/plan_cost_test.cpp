#include "commands/planner_units.h"
#include "core/plan_cost.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim {
namespace {

using namespace test::names;

// 40 FC disks and 80 ATA disks fill one Telvar A (120); their 2 + 3 spares take a second array.
// At 1520.50 a FC disk, 410.25 an ATA disk and 250000 an array: 42 × 1520.50 + 83 × 410.25 +
// 2 × 250000 = 597911.75, over 75.037 TiB and 8906.9 host IOPS at 70 % reads
// (5 × 1440 ÷ 1.3 + 5 × 1280 ÷ 1.9).
TEST(PlanCostTest, PricedSheetWithSparesThatAddAnArray) {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarA;
    sheet.rows[0] = {k450G, kRaid10, 8, 5, false, {}, {}};
    sheet.rows[1] = {k1TbAta, kRaid5, 16, 5, false, {}, {}};
    PlanningAssumptions a;
    ASSERT_EQ(sheetDisksToOrder(sheet, a.spares).extraArrays, 1u);
    ASSERT_TRUE(
        a.prices.setDiskHundredths(k450G, 152050) && a.prices.setDiskHundredths(k1TbAta, 41025) &&
        a.prices.setDiskHundredths(k146G, 99) && a.prices.setArrayHundredths(kTelvarA, 25000000));

    PlanCost cost = sheetCost(sheet, a);
    EXPECT_TRUE(cost.priced);
    EXPECT_FALSE(cost.leavesSomethingOut()); // the 146 G price is set but not used
    EXPECT_EQ(cost.cost, 597911.75);
    EXPECT_EQ(formatCost(cost.cost), "597912");
    EXPECT_EQ(formatCostPer(cost.perUsableTib.value()), "7968");
    EXPECT_EQ(formatCostPer(cost.perThousandHostIops.value()), "67129");

    a.prices.setDiskHundredths(k1TbAta, 0);
    cost = sheetCost(sheet, a);
    EXPECT_EQ(cost.cost, 563861.0);
    EXPECT_TRUE(cost.priced && cost.leavesSomethingOut());
    EXPECT_TRUE(cost.unpricedDiskTypes[k1TbAta] && !cost.unpricedDiskTypes[k450G]);
    EXPECT_FALSE(cost.arrayUnpriced);

    a.prices.setDiskHundredths(k450G, 0);
    cost = sheetCost(sheet, a);
    EXPECT_TRUE(cost.priced); // by the array alone
    a.prices.setArrayHundredths(kTelvarA, 0);
    cost = sheetCost(sheet, a);
    EXPECT_FALSE(cost.priced);
    EXPECT_TRUE(cost.arrayUnpriced && cost.unpricedDiskTypes[k450G]);

    // Disks with no RAID type deliver and hold nothing: no divisor, no figure per TB or IOPS.
    ConfigSheet bare;
    bare.rows[0] = {k450G, kNoRaidType, 4, 1, false, {}, {}};
    a.prices.setDiskHundredths(k450G, 100);
    cost = sheetCost(bare, a);
    EXPECT_EQ(cost.cost, 5.0); // 4 disks and 1 spare
    EXPECT_FALSE(cost.perUsableTib || cost.perThousandHostIops);
    EXPECT_FALSE(sheetCost(ConfigSheet{}, a).priced);
}

TEST(PlanCostTest, CostTexts) {
    const std::pair<double, const char*> perCases[] = {
        {0.04, "0.0"},  {0.05001, "0.1"}, {99.94, "99.9"},   {99.95001, "100"},
        {100.0, "100"}, {1520.5, "1521"}, {7968.25, "7968"},
    };
    for (const auto& [value, text] : perCases) {
        EXPECT_EQ(formatCostPer(value), text) << value;
    }
    EXPECT_EQ(formatCost(4560.5), "4561"); // a half rounds up
    EXPECT_EQ(formatCost(1e15), "1000000000000000");
}

// A whole figure reads as std::to_chars writes the double with no decimals (a half to the even
// one), over values of every size, halves and signed zeros among them.
TEST(PlanCostTest, WholeFiguresReadAsToCharsWritesThem) {
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> exponent(-3.0, 20.0);
    std::vector<double> values{0.5, 1.5, 2.5, -0.5, -0.0, 4503599627370495.5, 9007199254740993.0};
    for (int i = 0; i < 2000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        values.insert(values.end(), {value, -value, std::floor(value) + 0.5});
    }
    for (const double value : values) {
        char digits[400];
        const auto written =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 0);
        const std::string expected(digits, written.ptr);
        EXPECT_EQ(formatWholeNumber(value), expected) << value;
    }
}

} // namespace
} // namespace brim
