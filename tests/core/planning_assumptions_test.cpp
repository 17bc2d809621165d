#include "catalogue_names.h"
#include "planning_assumptions.h"

#include <functional>
#include <gtest/gtest.h>

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
    };
    for (const Figure& f : figures) {
        PlanningAssumptions a;
        for (const std::int64_t taken : {f.lowest, f.highest}) {
            EXPECT_TRUE(f.set(a, taken)) << f.name;
            EXPECT_EQ(f.get(a), taken) << f.name;
        }
        for (const std::int64_t refused : {f.lowest - 1, f.highest + 1, std::int64_t{1} << 32}) {
            EXPECT_FALSE(f.set(a, refused)) << f.name << " " << refused;
            EXPECT_EQ(f.get(a), f.highest) << f.name;
        }
    }
}

TEST(PlanningAssumptionsTest, DefaultsFollowTheDriveClassAndComeBack) {
    PlanningAssumptions a;
    const DiskFigures fc{180, 90, 16, 50}, ata{80, 60, 15, 50};
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        EXPECT_EQ(*a.disks.figures(disk),
                  kDiskTypes[static_cast<std::size_t>(disk)].isAta ? ata : fc);
    }
    EXPECT_EQ(a.spares.disksPerSpare(), 30u);
    EXPECT_EQ(a.spares.minSparesPerType(), 1u);
    EXPECT_EQ(a.workload.readShare(), 0.7);

    ASSERT_TRUE(a.disks.setRandomIops(k1TbAta, 7) && a.spares.setDisksPerSpare(7));
    a.disks.restoreDefaults();
    a.spares.restoreDefaults();
    EXPECT_EQ(*a.disks.figures(k1TbAta), ata);
    EXPECT_EQ(a.spares.disksPerSpare(), 30u);
    EXPECT_EQ(a.disks.figures(-1), nullptr);
    EXPECT_FALSE(a.disks.setRandomIops(8, 100));
}

} // namespace
} // namespace brim
