// The chance of loss in a year as the planners show it, worked by hand from core's model.

#include "commands/planner_units.h"
#include "core/data_loss.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>

namespace brim {
namespace {

using namespace test::names;

double rowChance(int disk, int raid, std::uint32_t disks, std::uint32_t groups,
                 const PlanningAssumptions& a = {}) {
    const LossFigures figures =
        lossFigures(usableDiskKib(kTelvarA, disk, false), *a.disks.figures(disk),
                    a.rebuildWait.hoursBeforeRebuild());
    return lossChanceInYear(rowLossRate(groups, groupLossRate(raid, disks, figures).value()));
}

// Worked by hand at the default figures (AFR 3 % and 10^15 for ATA, 2 % and 10^16 for FC, 50
// MB/s, no wait), from λ = −ln(1 − AFR) ÷ 8766 and T the rebuild hours.
TEST(DataLossTest, ChanceInAYearComesOutAsWorkedByHand) {
    struct Case {
        int disk, raid;
        std::uint32_t disks, groups;
        const char* text;
    };
    const Case cases[] = {
        {k1TbAta, kRaid5, 5, 1, "0.47%"},
        {k1TbAta, kRaid5, 5, 10, "4.6%"},
        {k1TbAta, kRaid5, 16, 1, "5.3%"},
        {k1TbAta, kRaid6, 8, 1, "0.00014%"},
        {k1TbAta, kRaid1, 2, 1, "0.048%"},
        {k450G, kRaid5, 5, 1, "0.014%"},
        {k450G, kRaid10, 8, 1, "0.0057%"},
        {k450G, kRaid0, 5, 1, "9.6%"}, // 1 − 0.98^5
        // 200 TB of 1 TB ATA, as Size for Capacity lays it out on a Telvar A
        {k1TbAta, kRaid5, 16, 15, "56%"},
        {k1TbAta, kRaid6, 16, 16, "0.022%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatLossChance(rowChance(c.disk, c.raid, c.disks, c.groups)), c.text)
            << c.raid << " x" << c.disks << " x" << c.groups;
    }
}

TEST(DataLossTest, LossChanceTexts) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "<0.0001%"},     {9.99e-7, "<0.0001%"}, {1.01e-6, "0.00010%"}, {1.4e-6, "0.00014%"},
        {0.000999, "0.10%"},   {0.0047239, "0.47%"},  {0.09608, "9.6%"},     {0.099949, "10%"},
        {0.558, "56%"},        {0.9996, "100%"},      {1.0, "100%"},         {0.01, "1.0%"},
        {1.23456e-3, "0.12%"}, {4.5e-5, "0.0045%"},
    };
    for (const auto& [chance, text] : cases) {
        EXPECT_EQ(formatLossChance(chance), text) << chance;
    }
}

// Rows by themselves: a vault row loses the reservation from every disk, a row without a RAID
// type says nothing, a broken row stays out of the plan's rate, and a row without groups is left
// out.
TEST(DataLossTest, SheetRowsAreJudgedByThemselves) {
    const PlanningAssumptions a;
    ConfigSheet sheet; // Telvar A
    sheet.rows[0] = {k1TbAta, kRaid5, 5, 10, true, {}, {}};
    sheet.rows[1] = {k1TbAta, kNoRaidType, 5, 3, false, {}, {}};
    sheet.rows[2] = {k450G, kRaid5, 2, 4, false, {}, {}};
    sheet.rows[4] = {k450G, kRaid0, 5, 1, false, {}, {}};
    const SheetLoss loss = sheetLoss(sheet, a);
    ASSERT_EQ(loss.count, 4u);
    EXPECT_EQ(loss.lines[1].kind, LossCase::NoLayout);
    EXPECT_EQ(loss.lines[2].kind, LossCase::BreaksRule);
    EXPECT_EQ(loss.rowsBreakingRule, 1u);
    const std::uint32_t vaultKib = 961700604 - 64976863;
    const double vaultGroup =
        *groupLossRate(kRaid5, 5, lossFigures(vaultKib, *a.disks.figures(k1TbAta), 0));
    EXPECT_EQ(loss.lines[0].groupRate, vaultGroup);
    EXPECT_LT(loss.lines[0].rowChance, rowChance(k1TbAta, kRaid5, 5, 10));
    // 4.3 % for the vault row and 9.6 % for the RAID0: 1 − 0.957 × 0.904 = 13.5 %.
    EXPECT_EQ(formatLossChance(loss.planChance), "14%");
    EXPECT_EQ(loss.lines[3].rowIndex, 4u);
}

} // namespace
} // namespace brim
