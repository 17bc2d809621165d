#include "core/planning_assumptions.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace brim {
namespace {

using namespace test::names;

// Every figure takes the ends of its range and refuses a step beyond either, keeping the value
// it had.
TEST(PlanningAssumptionsTest, SettersTakeTheirRangeOnlyAndKeepTheOldValue) {
    struct Figure {
        const char* name;
        std::int64_t lowest, highest;
        std::function<bool(PlanningAssumptions&, std::int64_t)> set;
        std::function<std::int64_t(const PlanningAssumptions&)> get;
    };
    const Figure figures[] = {
        {"IOPS", 1, 100'000, [](auto& a, auto v) { return a.disks.setRandomIops(k450G, v); },
         [](const auto& a) { return a.disks.figures(k450G)->randomIops; }},
        {"MB/s", 1, 10'000, [](auto& a, auto v) { return a.disks.setSequentialMbps(k1TbAta, v); },
         [](const auto& a) { return a.disks.figures(k1TbAta)->sequentialMbps; }},
        {"10^E", 12, 18, [](auto& a, auto v) { return a.disks.setReadErrorExponent(k450G, v); },
         [](const auto& a) { return a.disks.figures(k450G)->readErrorExponent; }},
        {"rebuild", 1, 10'000, [](auto& a, auto v) { return a.disks.setRebuildMbps(k450G, v); },
         [](const auto& a) { return a.disks.figures(k450G)->rebuildMbps; }},
        {"k", 1, 1'000, [](auto& a, auto v) { return a.spares.setDisksPerSpare(v); },
         [](const auto& a) { return a.spares.disksPerSpare(); }},
        {"m", 0, 100, [](auto& a, auto v) { return a.spares.setMinSparesPerType(v); },
         [](const auto& a) { return a.spares.minSparesPerType(); }},
        {"% reads", 0, 100, [](auto& a, auto v) { return a.workload.setReadPercent(v); },
         [](const auto& a) { return a.workload.readPercent(); }},
        {"AFR", 1, 5'000,
         [](auto& a, auto v) { return a.disks.setAnnualFailureHundredths(k1TbAta, v); },
         [](const auto& a) { return a.disks.figures(k1TbAta)->annualFailureHundredths; }},
        {"wait", 0, 720, [](auto& a, auto v) { return a.rebuildWait.setHoursBeforeRebuild(v); },
         [](const auto& a) { return a.rebuildWait.hoursBeforeRebuild(); }},
        {"disk price", 0, 100'000'000'000,
         [](auto& a, auto v) { return a.prices.setDiskHundredths(k450G, v); },
         [](const auto& a) { return a.prices.diskHundredths(k450G); }},
        {"array price", 0, 100'000'000'000,
         [](auto& a, auto v) { return a.prices.setArrayHundredths(kTelvarD, v); },
         [](const auto& a) { return a.prices.arrayHundredths(kTelvarD); }},
    };
    for (const Figure& f : figures) {
        PlanningAssumptions a;
        for (const std::int64_t taken : {f.lowest, f.highest}) {
            EXPECT_TRUE(f.set(a, taken)) << f.name;
            EXPECT_EQ(f.get(a), taken) << f.name;
        }
        for (const std::int64_t refused : {f.lowest - 1, f.highest + 1, std::int64_t{1} << 40}) {
            EXPECT_FALSE(f.set(a, refused)) << f.name << " " << refused;
            EXPECT_EQ(f.get(a), f.highest) << f.name;
        }
    }
}

TEST(PlanningAssumptionsTest, DefaultsFollowTheDriveClassAndComeBack) {
    PlanningAssumptions a;
    const DiskFigures fc{180, 90, 16, 50, 200, 120}, ata{80, 60, 15, 50, 300, 100};
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        EXPECT_EQ(*a.disks.figures(disk),
                  kDiskTypes[static_cast<std::size_t>(disk)].isAta ? ata : fc);
    }
    EXPECT_EQ(a.spares.disksPerSpare(), 30u);
    EXPECT_EQ(a.spares.minSparesPerType(), 1u);
    EXPECT_EQ(a.workload.readShare(), 0.7);

    EXPECT_EQ(a.rebuildWait.hoursBeforeRebuild(), 0);
    EXPECT_EQ(a.prices, Prices{});

    ASSERT_TRUE(a.disks.setRandomIops(k1TbAta, 7) && a.spares.setDisksPerSpare(7) &&
                a.disks.setAnnualFailureHundredths(k1TbAta, 7) &&
                a.rebuildWait.setHoursBeforeRebuild(7) && a.prices.setDiskHundredths(k1TbAta, 7));
    a.disks.restoreDefaults();
    a.spares.restoreDefaults();
    a.rebuildWait.restoreDefaults();
    EXPECT_EQ(*a.disks.figures(k1TbAta), ata);
    EXPECT_EQ(a.spares.disksPerSpare(), 30u);
    EXPECT_EQ(a.rebuildWait.hoursBeforeRebuild(), 0);
    EXPECT_EQ(a.prices.diskHundredths(k1TbAta), 7); // the planner's price stays
    EXPECT_EQ(a.disks.figures(-1), nullptr);
    EXPECT_FALSE(a.disks.setRandomIops(8, 100));
    EXPECT_FALSE(a.prices.setArrayHundredths(9, 100) || a.prices.setDiskHundredths(-1, 100));
    EXPECT_EQ(a.prices.arrayHundredths(9), 0);
}

TEST(PlanningAssumptionsTest, DecimalFieldsAsTyped) {
    using R = DecimalRefusal;
    const struct {
        const char* text;
        std::int64_t hundredths;
        R refusal;
    } cases[] = {
        {"1520", 152000, R::None},
        {" 1520.5\t", 152050, R::None},
        {"1520.05", 152005, R::None},
        {".5", 50, R::None},
        {"7.", 700, R::None},
        {"2.500", 250, R::None},
        {"0", 0, R::None},
        {"1000000000.00", 100'000'000'000, R::None},
        {"", 0, R::NotANumber},
        {" . ", 0, R::NotANumber},
        {"-5", 0, R::NotANumber},
        {"+5", 0, R::NotANumber},
        {"1,000", 0, R::NotANumber},
        {"1e3", 0, R::NotANumber},
        {"1.2.3", 0, R::NotANumber},
        {"1 000", 0, R::NotANumber},
        {"1.234", 0, R::TooManyDecimals},
        {"99999999999999999999.001", 0, R::TooManyDecimals},
        {"1000000000.01", 0, R::OutOfRange},
        {"99999999999999999999", 0, R::OutOfRange},
    };
    for (const auto& c : cases) {
        const HundredthsParse parse = parseHundredths(c.text, kPriceHundredthsRange);
        EXPECT_EQ(parse.refusal, c.refusal) << c.text;
        EXPECT_EQ(parse.hundredths, c.hundredths) << c.text;
    }
    EXPECT_EQ(parseHundredths("0", kAnnualFailureHundredthsRange).refusal, R::OutOfRange);
    EXPECT_EQ(parseHundredths("50.01", kAnnualFailureHundredthsRange).refusal, R::OutOfRange);
    EXPECT_EQ(parseHundredths("0.01", kAnnualFailureHundredthsRange).hundredths, 1);

    // What the editor shows reads back as the same value.
    std::mt19937_64 random(22);
    std::uniform_int_distribution<std::int64_t> price(0, kPriceHundredthsRange.highest);
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t hundredths = i < 100 ? i : price(random);
        const std::string text = formatHundredths(hundredths);
        EXPECT_EQ(parseHundredths(text, kPriceHundredthsRange).hundredths, hundredths) << text;
    }
    EXPECT_EQ(formatHundredths(152050), "1520.5");
    EXPECT_EQ(formatHundredths(5), "0.05");
}

} // namespace
} // namespace brim
