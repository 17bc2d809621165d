#include "capacity_sizing.h"
#include "catalogue_names.h"
#include "config_sheet.h"
#include "data_loss.h"
#include "performance.h"
#include "plan_cost.h"
#include "planning_assumptions.h"
#include "sheet_performance_plan.h"
#include "spares.h"
#include "units.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <string>

namespace {

using namespace brim::test::names;

class NullSink final : public brim::MessageSink {
public:
    void show(std::string_view) override {}
};

// All ten rows in use, a mix of RAID types and a vault row, so every row is checked, computed
// and formatted.
brim::ConfigSheet fullSheet() {
    brim::ConfigSheet sheet;
    sheet.modelIndex = kTelvarD;
    for (int i = 0; i < brim::kRowCount; ++i) {
        brim::GroupDefinition& row = sheet.rows[static_cast<std::size_t>(i)];
        row.diskType = i % 5;
        row.raidType = kRaid5;
        row.disksPerGroup = 5 + static_cast<std::uint32_t>(i);
        row.groupCount = 3 + static_cast<std::uint32_t>(i);
    }
    sheet.rows[0].includesVault = true;
    return sheet;
}

void BM_ComputeSheetTenRows(benchmark::State& state) {
    brim::ConfigSheet sheet = fullSheet();
    NullSink sink;
    for (auto _ : state) {
        brim::computeSheet(sheet, sink);
        benchmark::DoNotOptimize(sheet.netTotalGbText.data());
    }
}
BENCHMARK(BM_ComputeSheetTenRows);

void BM_FormatCapacity(benchmark::State& state) {
    double value = 770405.3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(brim::formatCapacity(value));
        value += 0.01;
    }
}
BENCHMARK(BM_FormatCapacity);

// The same text through printf, for comparison: formatting 24 capacity texts is most of a
// Compute, which is why formatCapacity uses std::to_chars.
void BM_SnprintfCapacity(benchmark::State& state) {
    double value = 770405.3;
    char text[64];
    for (auto _ : state) {
        std::snprintf(text, sizeof text, "%8.2f", value);
        benchmark::DoNotOptimize(text);
        value += 0.01;
    }
}
BENCHMARK(BM_SnprintfCapacity);

// One refresh of the Size for Capacity table: every accepted layout of "1 TB ATA" on "Telvar B"
// sized for 200 TB on top of a sheet whose row 4 is free and nine rows hold groups, so that each
// trial count is added in Compute's row order; each line with its group count, disks, arrays and
// texts.
void BM_SizeForCapacityAllLayouts(benchmark::State& state) {
    const double targetMib = 200.0 * 1024.0 * 1024.0;
    brim::ConfigSheet sheet = fullSheet();
    sheet.modelIndex = 6; // Telvar B
    sheet.rows[3].groupCount = 0;
    const std::optional<brim::SheetBaseline> baseline = brim::sheetBaseline(sheet, 4);
    if (!baseline || brim::sizeForCapacity(kTelvarB, k1TbAta, false, targetMib, *baseline).count !=
                         brim::kMaxLayouts) {
        state.SkipWithError("not every layout was sized");
        return;
    }
    for (auto _ : state) {
        brim::SizingResult result =
            brim::sizeForCapacity(kTelvarB, k1TbAta, false, targetMib, *baseline);
        benchmark::DoNotOptimize(result.layouts.data());
    }
}
BENCHMARK(BM_SizeForCapacityAllLayouts)->Repetitions(9)->ReportAggregatesOnly(true);

// The same refresh with a workload as well: 20000 host IOPS and 400 MB/s at 70 % reads, the
// sheet's delivery counted in, so that each layout is sized for three needs and carries its
// IOPS, MB/s, disks to order with spares and rebuild risk, with their texts. The sheet's
// delivery itself (Sheet Performance's figures, found once per keystroke) is timed with it.
void BM_SizeForNeedsAllLayouts(benchmark::State& state) {
    const brim::SizingNeeds needs{200.0 * 1024.0 * 1024.0, 20000.0, 400.0};
    const brim::PlanningAssumptions assumptions;
    const double readShare = assumptions.workload.readShare();
    brim::ConfigSheet sheet = fullSheet();
    sheet.modelIndex = 6; // Telvar B
    sheet.rows[3].groupCount = 0;
    std::optional<brim::SheetBaseline> baseline = brim::sheetBaseline(sheet, 4);
    if (!baseline ||
        brim::sizeForNeeds(kTelvarB, k1TbAta, false, needs, *baseline, assumptions).count !=
            brim::kMaxLayouts) {
        state.SkipWithError("not every layout was sized");
        return;
    }
    for (auto _ : state) {
        baseline->delivery = brim::sheetDelivery(sheet, 4, assumptions.disks, readShare);
        brim::SizingResult result =
            brim::sizeForNeeds(kTelvarB, k1TbAta, false, needs, *baseline, assumptions);
        benchmark::DoNotOptimize(result.layouts.data());
    }
}
BENCHMARK(BM_SizeForNeedsAllLayouts)->Repetitions(9)->ReportAggregatesOnly(true);

// One refresh of Sheet Performance: every row of a ten-row sheet checked by itself, its host
// IOPS and MB/s, rebuild hours and read-error risk with their texts, and the disks to order.
void BM_SheetPerformanceTenRows(benchmark::State& state) {
    const brim::ConfigSheet sheet = fullSheet();
    const brim::PlanningAssumptions assumptions;
    const double readShare = assumptions.workload.readShare();
    if (brim::sheetPerformance(sheet, assumptions.disks, readShare).count != brim::kRowCount) {
        state.SkipWithError("not every row has a line");
        return;
    }
    for (auto _ : state) {
        brim::SheetPerformance lines = brim::sheetPerformance(sheet, assumptions.disks, readShare);
        brim::DisksToOrder order = brim::sheetDisksToOrder(sheet, assumptions.spares);
        benchmark::DoNotOptimize(lines.lines.data());
        benchmark::DoNotOptimize(order.toOrder.data());
    }
}
BENCHMARK(BM_SheetPerformanceTenRows)->Repetitions(9)->ReportAggregatesOnly(true);

// The same through the window's plan: every line and the disks to order as texts ready to show.
// Without the main window's lists the rows' disk types go by their report names.
void BM_SheetPerformancePlanRefresh(benchmark::State& state) {
    const brim::ConfigSheet sheet = fullSheet();
    brim::PlanningAssumptions assumptions;
    brim::SheetPerformancePlan plan(sheet, assumptions, brim::RowDiskNames{});
    if (plan.performanceLines().size() != brim::kRowCount + 1) {
        state.SkipWithError("not every row has a line");
        return;
    }
    for (auto _ : state) {
        plan.refresh();
        benchmark::DoNotOptimize(plan.performanceLines().data());
        benchmark::DoNotOptimize(plan.orderLines().data());
    }
}
BENCHMARK(BM_SheetPerformancePlanRefresh)->Repetitions(9)->ReportAggregatesOnly(true);

// One refresh of the plan's risk and cost: every row's chance of losing data in a year and the
// plan's, and the cost of the disks to order and the arrays with its per-TB and per-IOPS
// figures, with their texts.
void BM_LossAndCostTenRows(benchmark::State& state) {
    const brim::ConfigSheet sheet = fullSheet();
    brim::PlanningAssumptions assumptions;
    for (int disk = 0; disk < 5; ++disk) {
        assumptions.prices.setDiskHundredths(disk, 45'000 + disk * 10'000);
    }
    assumptions.prices.setArrayHundredths(sheet.modelIndex, 25'000'000);
    if (brim::sheetLoss(sheet, assumptions).count != brim::kRowCount ||
        !brim::sheetCost(sheet, assumptions).perThousandHostIops) {
        state.SkipWithError("not every row has a line, or no cost per IOPS");
        return;
    }
    for (auto _ : state) {
        const brim::SheetLoss loss = brim::sheetLoss(sheet, assumptions);
        const brim::PlanCost cost = brim::sheetCost(sheet, assumptions);
        std::string texts = brim::formatLossChance(loss.planChance);
        for (std::size_t i = 0; i < loss.count; ++i) {
            texts += brim::formatLossChance(loss.lines[i].rowChance);
        }
        texts += brim::formatCost(cost.cost) + brim::formatCostPer(*cost.perUsableTib) +
                 brim::formatCostPer(*cost.perThousandHostIops);
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_LossAndCostTenRows)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
