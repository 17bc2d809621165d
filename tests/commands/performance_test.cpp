#include "commands/planner_units.h"
#include "core/performance.h"
#include "tests/support/catalogue_names.h"

#include <cmath>
#include <gtest/gtest.h>

namespace brim {
namespace {

using namespace test::names;

// One group, worked by hand from (N × I) ÷ (r + w × P) and B ÷ (r ÷ D + w ÷ W).
TEST(PerformanceTest, OneGroupComesOutAsWorkedByHand) {
    enum Figure { Iops, Mbps };
    struct Case {
        Figure figure;
        int raid;
        std::uint32_t disks;
        double perDisk;
        double readShare;
        double expected;
        const char* text;
    };
    const Case cases[] = {
        {Iops, kRaid5, 5, 180, 0.7, 473.68, "474"},    // 900 ÷ (0.7 + 0.3 × 4)
        {Iops, kRaid5, 5, 180, 1.0, 900.00, "900"},    // reads pay no penalty
        {Iops, kRaid6, 6, 80, 0.5, 137.14, "137"},     // 480 ÷ 3.5
        {Iops, kRaid0, 4, 180, 0.3, 720.00, "720"},    // 720 ÷ (0.3 + 0.7 × 1)
        {Iops, kRaid1, 2, 180, 0.0, 180.00, "180"},    // 360 ÷ 2
        {Iops, kRaid10, 8, 180, 0.7, 1107.69, "1108"}, // 1440 ÷ 1.3
        {Iops, kRaid3, 5, 180, 0.5, 360.00, "360"},    // 900 ÷ (0.5 + 0.5 × 4)
        {Iops, kIndivDisk, 1, 180, 0.0, 180.00, "180"},
        {Iops, kNoRaidType, 5, 180, 0.7, 0.0, "\u2014"},
        {Iops, kRaid5, 0, 180, 0.7, 0.0, "\u2014"},
        {Mbps, kRaid10, 8, 90, 0.7, 553.85, "554"}, // 90 ÷ (0.7 ÷ 8 + 0.3 ÷ 4)
        {Mbps, kRaid10, 8, 90, 1.0, 720.00, "720"}, // reads from both copies
        {Mbps, kRaid10, 8, 90, 0.0, 360.00, "360"}, // writes land on both
        {Mbps, kRaid1, 2, 90, 0.5, 120.00, "120"},  // 90 ÷ (0.5 ÷ 2 + 0.5 ÷ 1)
        {Mbps, kRaid0, 4, 90, 0.7, 360.00, "360"},
        {Mbps, kRaid3, 9, 60, 0.7, 480.00, "480"}, // 8 data disks
        {Mbps, kRaid5, 5, 90, 0.0, 360.00, "360"},
        {Mbps, kRaid6, 6, 60, 0.5, 240.00, "240"}, // 4 data disks
        {Mbps, kIndivDisk, 1, 60, 0.7, 60.00, "60"},
        {Mbps, kNoRaidType, 4, 90, 0.7, 0.0, "\u2014"},
    };
    for (const Case& c : cases) {
        const double value = c.figure == Iops
                                 ? groupHostIops(c.raid, c.disks, c.perDisk, c.readShare)
                                 : groupMbps(c.raid, c.disks, c.perDisk, c.readShare);
        EXPECT_NEAR(value, c.expected, 0.005) << c.raid << " x" << c.disks << " r=" << c.readShare;
        EXPECT_EQ(formatRate(value), c.text) << c.raid << " x" << c.disks;
    }
}

} // namespace
} // namespace brim
