// The planners' texts of the core's figures: rebuild and risk, delivery, refusals.

#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "core/catalogue.h"
#include "core/performance.h"
#include "core/planner_inputs.h"
#include "core/rebuild_risk.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>
#include <tuple>

namespace brim {
namespace {

using namespace test::names;

void setRow(ConfigSheet& sheet, int row, int disk, int raid, std::uint32_t disks,
            std::uint32_t groups, bool vault = false) {
    sheet.rows[static_cast<std::size_t>(row - 1)] = {disk, raid, disks, groups, vault, {}, {}};
}

// Worked by hand from 1 - (1 - 10^-E)^(8 × bytes read) and C ÷ (rate × 2^20) ÷ 3600.
TEST(RebuildRiskTest, ComesOutAsWorkedByHand) {
    struct Case {
        int disk, raid;
        std::uint32_t disks;
        int exponent;
        double chance;
        const char* hours;
        const char* risk;
        std::uint32_t rebuildMbps = 50;
    };
    const char* dash = "\u2014";
    const Case cases[] = {
        // 8 × 4 × 961700604 × 1024 bits; 961700604 × 1024 ÷ (50 × 2^20) ÷ 3600 = 5.22 h
        {k1TbAta, kRaid5, 5, 14, 0.2703, "5.2", "27.03%"},
        {k1TbAta, kRaid5, 5, 15, 0.03102, "5.2", "3.10%"},
        // the same four disks read, with two disks failed
        {k1TbAta, kRaid6, 6, 15, 0.03102, "5.2", "3.10% after 2 failures"},
        // the mirror alone: 8 × 422128348 × 1024 bits at 10^16; 2.29 h
        {k450G, kRaid10, 8, 16, 0.0003457, "2.3", "0.03%"},
        {k450G, kRaid1, 2, 12, 0.9685, "2.3", "96.85%"},
        // 8 × 69840937 × 1024 bits at 10^18: 0.00006 %
        {k73G, kRaid1, 2, 18, 5.721e-7, "0.4", "<0.01%"},
        // 0.047 h at 400 MB/s, which one decimal would show as "0.0"; 0.063 h at 300 MB/s
        {k73G, kRaid1, 2, 18, 5.721e-7, "<0.1", "<0.01%", 400},
        {k73G, kRaid1, 2, 18, 5.721e-7, "0.1", "<0.01%", 300},
        {k450G, kRaid0, 4, 16, 0.0, dash, "no redundancy"},
        {k450G, kIndivDisk, 1, 16, 0.0, dash, "no redundancy"},
        {k450G, kNoRaidType, 4, 16, 0.0, dash, dash},
        {k450G, kRaid5, 0, 16, 0.0, dash, dash},
    };
    for (const Case& c : cases) {
        DiskFigures figures = kFcSasDefaults;
        figures.readErrorExponent = c.exponent;
        figures.rebuildMbps = c.rebuildMbps;
        const RebuildRisk risk =
            rebuildRisk(c.raid, c.disks, usableDiskKib(kTelvarA, c.disk, false), figures);
        EXPECT_NEAR(risk.chance, c.chance, c.chance * 1e-3 + 1e-9) << c.raid << " x" << c.disks;
        EXPECT_EQ(rebuildHoursText(risk), c.hours) << c.raid << " x" << c.disks;
        EXPECT_EQ(readErrorRiskText(risk), c.risk) << c.raid << " x" << c.disks;
    }
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
        // A broken row shows its message and no figures.
        const auto shown = [&](std::string text) {
            return line.brokenRule.empty() ? text : std::string{};
        };
        EXPECT_EQ(shown(formatRate(line.delivery.hostIops)), e.iops) << "row " << e.row + 1;
        EXPECT_EQ(shown(formatRate(line.delivery.mbps)), e.mbps) << "row " << e.row + 1;
        EXPECT_EQ(shown(formatRate(line.delivery.readOnlyMbps)), e.readOnly) << "row " << e.row + 1;
        EXPECT_EQ(shown(formatRate(line.delivery.writeOnlyMbps)), e.writeOnly)
            << "row " << e.row + 1;
        EXPECT_EQ(shown(rebuildHoursText(line.rebuild)), e.hours) << "row " << e.row + 1;
        EXPECT_EQ(shown(readErrorRiskText(line.rebuild)), e.risk) << "row " << e.row + 1;
    }
    EXPECT_EQ(formatRate(result.total.hostIops), "3715"); // 947.37 + 768 + 2000
    EXPECT_EQ(formatRate(result.total.mbps), "2580");
}

} // namespace
} // namespace brim
