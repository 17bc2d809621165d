#include "core/data_loss.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>
#include <random>

namespace brim {
namespace {

using namespace test::names;

// Random sheets at random figures, the extremes among them: every chance stays within [0, 1], the
// plan's is at least each row's, one more group never lowers it, and RAID6 is never above RAID5
// of the same disks.
TEST(DataLossTest, PropertiesHoldOverRandomSheetsAndFigures) {
    std::mt19937 random(22);
    const auto pick = [&](int lowest, int highest) {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    };
    for (int round = 0; round < 300; ++round) {
        PlanningAssumptions a;
        for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
            const bool extreme = pick(0, 3) == 0;
            a.disks.setAnnualFailureHundredths(disk, extreme ? 5000 : pick(1, 5000));
            a.disks.setReadErrorExponent(disk, pick(12, 18));
            a.disks.setRebuildMbps(disk, extreme ? 1 : pick(1, 500));
        }
        a.rebuildWait.setHoursBeforeRebuild(pick(0, 3) == 0 ? 720 : pick(0, 720));
        ConfigSheet sheet;
        sheet.modelIndex = pick(0, 8);
        for (GroupDefinition& row : sheet.rows) {
            row.diskType = pick(0, 7);
            row.raidType = pick(-1, 6);
            row.disksPerGroup = static_cast<std::uint32_t>(pick(0, 16));
            row.groupCount = static_cast<std::uint32_t>(pick(0, 3) == 0 ? 0 : pick(1, 2000));
            row.includesVault = pick(0, 1) == 1;
        }
        const SheetLoss loss = sheetLoss(sheet, a);
        ASSERT_GE(loss.planChance, 0.0);
        ASSERT_LE(loss.planChance, 1.0);
        for (std::size_t i = 0; i < loss.count; ++i) {
            const LossLine& line = loss.lines[i];
            EXPECT_LE(line.groupChance, line.rowChance);
            EXPECT_LE(line.rowChance, loss.planChance);
            if (line.kind != LossCase::Computed) {
                continue;
            }
            ConfigSheet more = sheet;
            ++more.rows[line.rowIndex].groupCount;
            EXPECT_GE(sheetLoss(more, a).planChance, loss.planChance) << "row " << line.rowIndex;
        }
        const DiskFigures& disk = *a.disks.figures(pick(0, 7));
        const auto n = static_cast<std::uint32_t>(2 * pick(2, 8));
        const LossFigures figures = lossFigures(static_cast<std::uint32_t>(pick(1, 1 << 30)), disk,
                                                a.rebuildWait.hoursBeforeRebuild());
        EXPECT_LE(*groupLossRate(kRaid6, n, figures), *groupLossRate(kRaid5, n, figures));
    }
}

} // namespace
} // namespace brim
