#include "core/data_loss.h"
#include "core/growth_schedule.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/raid_rules.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/growth_example.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace brim {
namespace {

using namespace test::names;

std::string decimals(double value, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Money as the cost figures print it: rounded to whole units (cost per TB is whole above 100).
std::string wholeMoney(double money) {
    return decimals(std::round(money), "%.0f");
}

// Telvar A, row 1: 4 groups of RAID6 of 8 × 1 TB ATA (21.50 TB); need today 20 TB growing 30 %
// a year for 5 years; 300 a disk at 10 W, 50000 an array at 600 W; disks -20 % a year, energy
// 0.15 a kWh at a PUE of 1.5, the default spare policy.
struct Example {
    ConfigSheet sheet = test::growthExampleSheet();
    PlanningAssumptions assumptions = test::growthExampleAssumptions();
    StatedWorkload workload;

    GrowthSchedule schedule() const { return growthSchedule({sheet, assumptions, workload}); }
    Delivery delivered(const ConfigSheet& plan) const {
        return sheetPerformance(plan, assumptions.disks, assumptions.workload.readShare()).total;
    }
};

TEST(GrowthScheduleTest, FiveYearsWorkedByHand) {
    struct Line {
        const char *need, *usable;
        std::uint32_t groups;
        std::uint64_t disks, arrays, boughtDisks, boughtArrays;
        const char *purchase, *kw, *energy, *cost;
    };
    // clang-format off
    const Line lines[] = {
        // need    usable   groups disks arrays buy     purchase kW     energy  cost
        {"26.00", "26.87",  5,     42,   1,     42, 1,  "62600", "1.0", "2012", "64612"},
        {"33.80", "37.62",  7,     58,   1,     16, 0,  "3840",  "1.2", "2327", "6167"},
        {"43.94", "48.37",  9,     75,   1,     17, 0,  "3264",  "1.4", "2663", "5927"},
        {"57.12", "59.11",  11,    91,   1,     16, 0,  "2458",  "1.5", "2978", "5436"},
        {"74.26", "75.23",  14,    116,  1,     25, 0,  "3072",  "1.8", "3471", "6543"},
    };
    // clang-format on
    const GrowthSchedule s = Example().schedule();
    ASSERT_EQ(s.missing, NoSchedule::None);
    ASSERT_EQ(s.yearCount, std::size(lines));
    EXPECT_EQ(s.growthRow, 1);
    for (std::size_t i = 0; i < s.yearCount; ++i) {
        const GrowthYear& y = s.years[i];
        const Line& l = lines[i];
        EXPECT_EQ(decimals(y.needTib, "%.2f"), l.need) << "year " << y.year;
        EXPECT_EQ(decimals(y.usableTib, "%.2f"), l.usable) << "year " << y.year;
        EXPECT_EQ(y.groups, l.groups) << "year " << y.year;
        EXPECT_EQ(y.sizedBy, SizedBy::Capacity) << "year " << y.year;
        EXPECT_EQ(y.order.allToOrder, l.disks) << "year " << y.year;
        EXPECT_EQ(y.order.arrays, l.arrays) << "year " << y.year;
        EXPECT_EQ(y.allDisksBought, l.boughtDisks) << "year " << y.year;
        EXPECT_EQ(y.arraysBought, l.boughtArrays) << "year " << y.year;
        EXPECT_EQ(wholeMoney(y.purchase), l.purchase) << "year " << y.year;
        EXPECT_EQ(decimals(y.powerWatts / 1000.0, "%.1f"), l.kw) << "year " << y.year;
        EXPECT_EQ(wholeMoney(y.energy), l.energy) << "year " << y.year;
        EXPECT_EQ(wholeMoney(y.cost), l.cost) << "year " << y.year;
    }
    EXPECT_EQ(wholeMoney(s.totals.cost), "88685");
    EXPECT_EQ(wholeMoney(s.totals.costPerUsableTib.value()), "1179");
    EXPECT_EQ(s.runOut.kind, RunOutCase::InMonth);
    EXPECT_EQ(s.runOut.month, 4);
    EXPECT_TRUE(s.pricing.priced && !s.pricing.leavesSomethingOut());

    // Installed already, with support at 10 %: the sheet's own 34 disks and its array stand.
    Example installed;
    installed.assumptions.growth.installed = true;
    installed.assumptions.growth.supportTenths = 100;
    const GrowthSchedule t = installed.schedule();
    EXPECT_EQ(t.years[0].allDisksBought, 8u);
    EXPECT_EQ(t.years[0].arraysBought, 0u);
    EXPECT_EQ(wholeMoney(t.years[0].purchase), "2400");
    EXPECT_EQ(wholeMoney(t.years[0].support), "6260");
    EXPECT_EQ(wholeMoney(t.years[0].cost), "10672");
    EXPECT_EQ(wholeMoney(t.totals.cost), "63099");
}

TEST(GrowthScheduleTest, EdgeCases) {
    struct Case {
        const char* name;
        void (*change)(Example&);
        NoSchedule missing;
        int brokenRow, growthRow;
        bool fellBack;
        std::size_t yearCount;
        RunOutCase runOut;
    };
    using R = RunOutCase;
    using N = NoSchedule;
    // clang-format off
    const Case cases[] = {
        {"NoRaidType", [](Example& e) { e.sheet.rows[0].raidType = kNoRaidType; },
         N::NothingCanGrow, 0, 0, false, 0, R::NoNeedTyped},
        {"BrokenRule", [](Example& e) { e.sheet.rows[1] = {k450G, kRaid5, 2, 1, false, {}, {}}; },
         N::RowBreaksRule, 2, 0, false, 0, R::NoNeedTyped},
        {"YearsAboveRange", [](Example& e) { e.assumptions.growth.years = 11; },
         N::FigureOutOfRange, 0, 0, false, 0, R::NoNeedTyped},
        {"NegativeWorkload", [](Example& e) { e.workload.hostIops = -1.0; },
         N::FigureOutOfRange, 0, 0, false, 0, R::NoNeedTyped},
        // row 3 is empty; of rows 1 and 2 the first is largest on a tie, row 4 is larger
        {"PickedEmptyFallsBack", [](Example& e) { e.assumptions.growth.growDefinition = 3; },
         N::None, 0, 1, true, 5, R::InMonth},
        {"LargestFirstOnTie", [](Example& e) { e.sheet.rows[1] = e.sheet.rows[0]; },
         N::None, 0, 1, false, 5, R::InMonth},
        // 14 groups of 4 disks hold more than 4 groups of 8, each of them less
        {"LargestByTotal", [](Example& e) { e.sheet.rows[3] = {k1TbAta, kRaid6, 4, 14, false, {}, {}}; },
         N::None, 0, 4, false, 5, R::InMonth},
        {"PickedRowGrows", [](Example& e) { e.sheet.rows[3] = {k450G, kRaid5, 5, 1, false, {}, {}};
                                            e.assumptions.growth.growDefinition = 4; },
         N::None, 0, 4, false, 5, R::InMonth},
        {"NeedNotReached", [](Example& e) { e.assumptions.growth.neededTodayHundredths = 100;
                                            e.assumptions.growth.capacityGrowthTenths = 0; },
         N::None, 0, 1, false, 5, R::NotWithinTheYears},
        // 10^7 TB × 11^4 is beyond 4294967295 groups of 5.37 TB
        {"NeedNoCountMeets", [](Example& e) { e.assumptions.growth.neededTodayHundredths = 1'000'000'000;
                                              e.assumptions.growth.capacityGrowthTenths = 10'000; },
         N::None, 0, 1, false, 3, R::AlreadyShort},
        {"AlreadyShort", [](Example& e) { e.assumptions.growth.neededTodayHundredths = 2'500; },
         N::None, 0, 1, false, 5, R::AlreadyShort},
        {"NoNeedTyped", [](Example& e) { e.assumptions.growth.neededTodayHundredths.reset(); },
         N::None, 0, 1, false, 5, R::NoNeedTyped},
    };
    // clang-format on
    for (const Case& c : cases) {
        Example e;
        c.change(e);
        const GrowthSchedule s = e.schedule();
        EXPECT_EQ(s.missing, c.missing) << c.name;
        EXPECT_EQ(s.brokenRow, c.brokenRow) << c.name;
        EXPECT_EQ(s.growthRow, c.growthRow) << c.name;
        EXPECT_EQ(s.fellBackToLargest, c.fellBack) << c.name;
        EXPECT_EQ(s.yearCount, c.yearCount) << c.name;
        // A schedule cut short ends at the year after its last line, for want of capacity.
        const bool cut = c.yearCount < 5 && c.missing == N::None;
        EXPECT_EQ(s.endedAtYear.value_or(0), cut ? static_cast<int>(c.yearCount) + 1 : 0) << c.name;
        EXPECT_EQ(s.unmetNeed, cut ? SizedBy::Capacity : SizedBy::Unchanged) << c.name;
        EXPECT_EQ(s.runOut.kind, c.runOut) << c.name;
    }
}

// Until some price the schedule uses is set there is no cost; then it says what it leaves out.
TEST(GrowthScheduleTest, PricesAndPowerLeftOut) {
    struct Case {
        std::int64_t disk, array, energy, arrayWatts;
        bool priced, diskUnpriced, arrayUnpriced, powerNotCounted, energyNotCounted;
        bool year1LeavesOut, year2LeavesOut; // year 1 buys disks and the array, year 2 disks
    };
    // clang-format off
    const Case cases[] = {
        // disk    array      energy watts  priced disk  array  power  energy year 1 year 2
        {30'000, 5'000'000, 150,   600,   true,  false, false, false, false, false, false},
        {0,      0,         0,     0,     false, true,  true,  true,  true,  true,  true},
        {0,      0,         150,   600,   true,  true,  true,  false, false, true,  true},
        {0,      5'000'000, 0,     0,     true,  true,  false, true,  true,  true,  true},
        {30'000, 0,         0,     600,   true,  false, true,  false, true,  true,  false},
    };
    // clang-format on
    for (const Case& c : cases) {
        Example e;
        e.assumptions.prices.setDiskHundredths(k1TbAta, c.disk);
        e.assumptions.prices.setArrayHundredths(kTelvarA, c.array);
        e.assumptions.growth.energyPriceThousandths = c.energy;
        e.assumptions.arrayPower.setWatts(kTelvarA, c.arrayWatts);
        const GrowthSchedule s = e.schedule();
        const GrowthPricing& p = s.pricing;
        EXPECT_EQ(p.priced, c.priced) << c.disk << " " << c.array << " " << c.energy;
        EXPECT_EQ(p.unpricedDiskTypes[k1TbAta], c.diskUnpriced) << c.disk;
        EXPECT_EQ(p.arrayUnpriced, c.arrayUnpriced) << c.array;
        EXPECT_EQ(p.arrayPowerNotCounted, c.powerNotCounted) << c.arrayWatts;
        EXPECT_EQ(p.energyNotCounted, c.energyNotCounted) << c.energy;
        EXPECT_EQ(p.leavesSomethingOut(),
                  c.diskUnpriced || c.arrayUnpriced || c.energyNotCounted || c.powerNotCounted);
        EXPECT_EQ(s.years[0].purchaseLeavesOut, c.year1LeavesOut) << c.disk << " " << c.array;
        EXPECT_EQ(s.years[1].purchaseLeavesOut, c.year2LeavesOut) << c.disk << " " << c.array;
    }
}

// Watts by drive class; restoring the disks' defaults leaves the arrays' power alone.
TEST(GrowthScheduleTest, PowerFigures) {
    PlanningAssumptions a;
    EXPECT_EQ(diskWatts(a, k450G), 12.0);
    EXPECT_EQ(diskWatts(a, k500GAta), 10.0);
    EXPECT_EQ(arrayWatts(a, kTelvarD), 0.0);
    EXPECT_FALSE(a.arrayPower.setWatts(kTelvarA, 100'001));
    EXPECT_FALSE(a.arrayPower.setWatts(9, 5));
    EXPECT_TRUE(a.arrayPower.setWatts(kTelvarA, 600));
    EXPECT_TRUE(a.disks.set<&DiskFigures::wattsTenths>(k73G, 1'000, kDiskWattsTenthsRange));
    EXPECT_EQ(diskWatts(a, k73G), 100.0);
    a.disks.restoreDefaults();
    EXPECT_EQ(diskWatts(a, k73G), 12.0);
    EXPECT_EQ(arrayWatts(a, kTelvarA), 600.0);
}

// A random sheet that computes: layouts the RAID rules accept, disk types the family offers,
// vault rows where the model allows them.
ConfigSheet randomSheet(std::mt19937& random) {
    const auto pick = [&](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    };
    ConfigSheet sheet;
    sheet.modelIndex = pick(0, 8);
    for (int i = 0; i < kRowCount; ++i) {
        GroupDefinition& row = sheet.rows[static_cast<std::size_t>(i)];
        if (pick(0, 2) == 0) {
            continue;
        }
        do {
            row.diskType = pick(0, 7);
        } while (usableDiskKib(sheet.modelIndex, row.diskType, false) == 0);
        row.raidType = pick(0, 7) == 0 ? kNoRaidType : pick(0, 6);
        do {
            row.disksPerGroup = static_cast<std::uint32_t>(pick(1, 16));
        } while (row.raidType != kNoRaidType && !raidAccepts(row.raidType, row.disksPerGroup));
        row.groupCount = static_cast<std::uint32_t>(pick(1, 40));
        row.includesVault = i < kVaultRowCount && pick(0, 3) == 0 &&
                            !breaksAtaVaultRule(sheet.modelIndex, row.diskType, true);
    }
    return sheet;
}

// Every year's plan, recomputed as the sheet with the growth row at the year's groups, meets
// the year's needs and is the plan the year shows; one group fewer misses the need that set a
// new count; the groups never fall. With no growth the sheet stays as it is, and a dearer
// energy price never lowers the total.
TEST(GrowthScheduleTest, PropertiesOverRandomSheets) {
    std::mt19937 random(29);
    const auto pick = [&](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    };
    for (int round = 0; round < 300; ++round) {
        Example e;
        e.sheet = randomSheet(random);
        e.assumptions.workload.setReadPercent(pick(0, 100));
        e.assumptions.spares.setDisksPerSpare(pick(1, 60));
        const double sheetTib = sheetUsableTib(e.sheet);
        const Delivery today = e.delivered(e.sheet);
        e.assumptions.growth = GrowthFigures{};
        e.assumptions.growth.years = pick(1, 10);
        e.assumptions.growth.capacityGrowthTenths = pick(0, 3) == 0 ? 0 : pick(0, 2000);
        e.assumptions.growth.workloadGrowthTenths = pick(0, 3) == 0 ? 0 : pick(0, 2000);
        e.assumptions.growth.growDefinition = pick(0, 10);
        e.assumptions.growth.installed = pick(0, 1) == 1;
        e.assumptions.growth.energyPriceThousandths = pick(0, 1000);
        if (pick(0, 1) == 1) {
            e.assumptions.growth.neededTodayHundredths =
                pick(1, std::max(1, static_cast<int>(sheetTib * 300)));
        }
        // Up to three times what the sheet delivers today; a need is above 0.
        const auto workloadNeed = [&](double delivered) -> std::optional<double> {
            if (!(delivered > 0.0) || pick(0, 1) == 0) {
                return std::nullopt;
            }
            return delivered * pick(1, 300) / 100.0;
        };
        e.workload = {workloadNeed(today.hostIops), workloadNeed(today.mbps)};
        const GrowthSchedule s = e.schedule();
        if (s.missing == NoSchedule::NothingCanGrow) {
            continue;
        }
        ASSERT_EQ(s.missing, NoSchedule::None) << round;
        ASSERT_GT(s.yearCount, 0u) << round;
        ConfigSheet plan = e.sheet;
        GroupDefinition& row = plan.rows[static_cast<std::size_t>(s.growthRow - 1)];
        std::uint32_t lastYear = s.sheetGroups;
        double maxChance = 0.0;
        double sumChance = 0.0;
        for (std::size_t i = 0; i < s.yearCount; ++i) {
            const GrowthYear& y = s.years[i];
            ASSERT_GE(y.groups, lastYear) << round;
            row.groupCount = y.groups;
            const Delivery d = e.delivered(plan);
            ASSERT_EQ(y.usableTib, sheetUsableTib(plan)) << round;
            ASSERT_EQ(y.hostIops, d.hostIops) << round;
            ASSERT_EQ(y.mbps, d.mbps) << round;
            ASSERT_EQ(y.order.toOrder, sheetDisksToOrder(plan, e.assumptions.spares).toOrder);
            ASSERT_EQ(y.lossChance, sheetLoss(plan, e.assumptions).planChance) << round;
            ASSERT_GE(y.usableTib, y.needTib) << round;
            ASSERT_GE(y.hostIops, y.neededHostIops.value_or(0.0)) << round;
            ASSERT_GE(y.mbps, y.neededMbps.value_or(0.0)) << round;
            ASSERT_EQ(y.sizedBy == SizedBy::Unchanged, y.groups == lastYear) << round;
            --row.groupCount;
            const Delivery f = e.delivered(plan);
            const double fewer[] = {0.0, sheetUsableTib(plan), f.hostIops, f.mbps};
            const double need[] = {0.0, y.needTib, y.neededHostIops.value_or(0.0),
                                   y.neededMbps.value_or(0.0)};
            const auto by = static_cast<std::size_t>(y.sizedBy);
            ASSERT_TRUE(by == 0 || fewer[by] < need[by]) << round;
            lastYear = y.groups;
            maxChance = std::max(maxChance, y.lossChance);
            sumChance += y.lossChance;
        }
        // Losing data in any year is likelier than in one, and no likelier than in each added.
        EXPECT_GE(s.totals.lossChanceOverYears, maxChance) << round;
        EXPECT_LE(s.totals.lossChanceOverYears, std::min(1.0, sumChance) * (1 + 1e-12)) << round;
        // What the years buy adds up to the last year's order, less what stood before year 1.
        const std::uint64_t stood =
            e.assumptions.growth.installed
                ? sheetDisksToOrder(e.sheet, e.assumptions.spares).allToOrder
                : 0;
        EXPECT_EQ(s.totals.allDisksBought, s.years[s.yearCount - 1].order.allToOrder - stood);

        Example still = e;
        still.assumptions.growth.capacityGrowthTenths = 0;
        still.assumptions.growth.workloadGrowthTenths = 0;
        if (still.assumptions.growth.neededTodayTib() > sheetTib) {
            still.assumptions.growth.neededTodayHundredths.reset();
        }
        still.workload = {workloadNeed(today.hostIops / 4), workloadNeed(today.mbps / 4)};
        const GrowthSchedule unchanged = still.schedule();
        ASSERT_EQ(unchanged.yearCount, static_cast<std::size_t>(still.assumptions.growth.years))
            << round;
        for (std::size_t i = 0; i < unchanged.yearCount; ++i) {
            ASSERT_EQ(unchanged.years[i].groups, unchanged.sheetGroups) << round;
        }

        Example dearer = e;
        dearer.assumptions.growth.energyPriceThousandths += pick(1, 1000);
        ASSERT_GE(dearer.schedule().totals.cost, s.totals.cost) << round;
    }
}

} // namespace
} // namespace brim
