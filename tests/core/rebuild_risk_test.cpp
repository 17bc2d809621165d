#include "catalogue.h"
#include "catalogue_names.h"
#include "rebuild_risk.h"
#include "units.h"

#include <gtest/gtest.h>

namespace brim {
namespace {

using namespace test::names;

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

// Where two decimals would show a real risk as none or round it up, the text says "<0.01%".
TEST(RebuildRiskTest, PercentTextsAroundTheSmallestShown) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "<0.01%"},     {0.00005, "<0.01%"}, {0.0000999, "<0.01%"}, {0.0001, "0.01%"},
        {0.000149, "0.01%"}, {0.5, "50.00%"},     {1.0, "100.00%"},
    };
    for (const auto& [chance, text] : cases) {
        EXPECT_EQ(formatPercent(chance), text) << chance;
    }
}

} // namespace
} // namespace brim
