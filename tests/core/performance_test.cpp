#include "catalogue_names.h"
#include "performance.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

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

// For any figure per group and any need: the count meets the need as the row's figure is
// multiplied out, and one group fewer does not. Needs on and next to exact multiples are where
// a rounded quotient lands one off.
TEST(PerformanceTest, GroupsToDeliverIsTheFewestThatMeetTheNeed) {
    std::mt19937_64 rng(15);
    std::uniform_real_distribution<double> decades(-1.0, 7.0);
    for (int i = 0; i < 20000; ++i) {
        const double perGroup = std::pow(10.0, decades(rng));
        double need = std::pow(10.0, decades(rng) + 3.0);
        if (i % 2 == 0) {
            need = rowFigure(static_cast<std::uint32_t>(rng() % 1'000'000) + 1, perGroup);
            need = i % 3 == 0 ? need : std::nextafter(need, i % 4 == 0 ? 0.0 : INFINITY);
        }
        const std::optional<std::uint32_t> groups = groupsToDeliver(perGroup, need);
        if (!groups) {
            EXPECT_LT(rowFigure(UINT32_MAX, perGroup), need);
            continue;
        }
        EXPECT_GE(rowFigure(*groups, perGroup), need) << perGroup << " " << need;
        EXPECT_LT(rowFigure(*groups - 1, perGroup), need) << perGroup << " " << need;
    }
    EXPECT_EQ(groupsToDeliver(0.0, 5.0), std::nullopt);
    EXPECT_EQ(groupsToDeliver(1.0, 1e300), std::nullopt);
}

void setRow(ConfigSheet& sheet, int row, int disk, int raid, std::uint32_t disks,
            std::uint32_t groups, bool vault = false) {
    sheet.rows[static_cast<std::size_t>(row - 1)] = {disk, raid, disks, groups, vault, {}, {}};
}

// Each row by itself: broken rows carry their rule's message and leave the others computed,
// the vault row rebuilds its smaller disks, and each disk type uses its own figures.
TEST(PerformanceTest, SheetShowsEveryRowWithGroupsByItself) {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarB; // no ATA disks in vault groups
    setRow(sheet, 1, k450G, kRaid5, 5, 2, true);
    setRow(sheet, 2, k1TbAta, kRaid6, 6, 4, true);
    setRow(sheet, 3, k450G, kRaid5, 2, 1);
    setRow(sheet, 4, k450G, kRaid0, 4, 0); // no groups: no line
    setRow(sheet, 6, k1TbAta, kRaid6, 6, 4);
    setRow(sheet, 7, k450G, kNoRaidType, 5, 3);
    setRow(sheet, 9, k146G, kIndivDisk, 1, 10);
    DiskAssumptions disks;
    ASSERT_TRUE(disks.setRandomIops(k146G, 200));

    struct Line {
        std::size_t row;
        const char* brokenRule;
        const char *iops, *mbps, *readOnly, *writeOnly, *hours, *risk;
    };
    const char* dash = "\u2014";
    const Line expected[] = {
        // 2 × 473.68; 2 × 90 × 4; (422128348 - 64976863) KiB at 50 MB/s = 1.94 h, 10^16
        {0, "", "947", "720", "720", "720", "1.9", "0.12%"},
        {1, "Error: SATA drives not allowed in Vault enclosure.", "", "", "", "", "", ""},
        {2, "Error: RAID5 requires 3 to 16 disks per group", "", "", "", "", "", ""},
        // 4 × 480 ÷ 2.5; 4 × 60 × 4; the 1 TB disk in 5.2 h, read 4 × C at 10^15
        {5, "", "768", "960", "960", "960", "5.2", "3.10% after 2 failures"},
        {6, "", dash, dash, dash, dash, dash, dash},
        {8, "", "2000", "900", "900", "900", dash, "no redundancy"},
    };
    const SheetPerformance result = sheetPerformance(sheet, disks, 0.7);
    ASSERT_EQ(result.count, std::size(expected));
    for (std::size_t i = 0; i < result.count; ++i) {
        const PerformanceLine& line = result.lines[i];
        const Line& e = expected[i];
        EXPECT_EQ(line.rowIndex, e.row);
        EXPECT_EQ(line.brokenRule, e.brokenRule) << "row " << e.row + 1;
        EXPECT_EQ(line.texts.hostIops, e.iops) << "row " << e.row + 1;
        EXPECT_EQ(line.texts.mbps, e.mbps) << "row " << e.row + 1;
        EXPECT_EQ(line.texts.readOnlyMbps, e.readOnly) << "row " << e.row + 1;
        EXPECT_EQ(line.texts.writeOnlyMbps, e.writeOnly) << "row " << e.row + 1;
        EXPECT_EQ(line.rebuildHoursText, e.hours) << "row " << e.row + 1;
        EXPECT_EQ(line.readErrorRiskText, e.risk) << "row " << e.row + 1;
    }
    EXPECT_EQ(result.totalTexts.hostIops, "3715"); // 947.37 + 768 + 2000
    EXPECT_EQ(result.totalTexts.mbps, "2580");
}

} // namespace
} // namespace brim
