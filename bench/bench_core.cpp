#include "commands/capacity_planner.h"
#include "commands/growth_planner.h"
#include "commands/planner_units.h"
#include "commands/sheet_performance_plan.h"
#include "core/capacity_sizing.h"
#include "core/config_sheet.h"
#include "core/data_loss.h"
#include "core/growth_schedule.h"
#include "core/performance.h"
#include "core/plan_cost.h"
#include "core/planning_assumptions.h"
#include "core/spares.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"

#include <array>
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

// One refresh of the Size for Capacity table as the window asks for it: the planner reads the
// fields and sizes every accepted layout of "1 TB ATA" on "Telvar B" for 200 TB on top of a
// sheet whose row 4 is free and nine rows hold groups, so that each trial count is added in
// Compute's row order; each line with its group count, disks, arrays, disks to order and
// rebuild risk. The texts are made later, for the lines drawn only. With a workload (20000 host
// IOPS and 400 MB/s at 70 % reads) the sheet's delivery is found too, as at every keystroke,
// and each layout is sized for three needs.
void sizeAllLayouts(benchmark::State& state, std::string_view hostIops, std::string_view mbps) {
    static constexpr std::array<std::string_view, brim::kDiskTypes.size()> kList{
        "73 G FC",  "146 G FC",  "300 G FC",  "400 G FC",
        "450 G FC", "500 G ATA", "750 G ATA", "1 TB ATA"};
    brim::RowDiskNames names;
    names.fill(kList);
    brim::test::CommandsFixture f;
    f.sheet = fullSheet();
    f.sheet.modelIndex = kTelvarB;
    f.sheet.rows[3].groupCount = 0;
    brim::PlanningAssumptions planning;
    const brim::CapacityPlanner planner(f.sheet, f.commands, names, planning);
    const brim::CapacityRequest request{"200", brim::CapacityUnit::Tb, k1TbAta, 0, true, hostIops,
                                        mbps};
    if (planner.answer(request).lines.size() != brim::kMaxLayouts) {
        state.SkipWithError("not every layout was sized");
        return;
    }
    for (auto _ : state) {
        brim::CapacityAnswer answer = planner.answer(request);
        benchmark::DoNotOptimize(answer.lines.data());
    }
}

void BM_SizeForCapacityAllLayouts(benchmark::State& state) {
    sizeAllLayouts(state, "", "");
}
BENCHMARK(BM_SizeForCapacityAllLayouts)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_SizeForNeedsAllLayouts(benchmark::State& state) {
    sizeAllLayouts(state, "20000", "400");
}
BENCHMARK(BM_SizeForNeedsAllLayouts)->Repetitions(9)->ReportAggregatesOnly(true);

// One refresh of Sheet Performance: every row of a ten-row sheet checked by itself, its host
// IOPS and MB/s, rebuild hours and read-error risk, and the disks to order.
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

// The years ahead of the ten-row sheet: ten years of 20 % more data and 10 % more workload than
// 20000 host IOPS and 400 MB/s today, installed already, every price, power figure and support
// set, so that every year's groups are searched for all three needs and every figure is found.
brim::PlanningAssumptions tenYearsAhead(const brim::ConfigSheet& sheet) {
    brim::PlanningAssumptions assumptions;
    for (int disk = 0; disk < 5; ++disk) {
        assumptions.prices.setDiskHundredths(disk, 45'000 + disk * 10'000);
    }
    assumptions.prices.setArrayHundredths(sheet.modelIndex, 25'000'000);
    brim::GrowthFigures& growth = assumptions.growth;
    growth.years = 10;
    growth.installed = true;
    growth.energyPriceThousandths = 150;
    growth.supportTenths = 100;
    assumptions.arrayPower.setWatts(sheet.modelIndex, 600);
    return assumptions;
}

constexpr brim::StatedWorkload kTenYearsWorkload{20'000.0, 400.0};

void BM_GrowthScheduleTenYears(benchmark::State& state) {
    const brim::ConfigSheet sheet = fullSheet();
    const brim::PlanningAssumptions assumptions = tenYearsAhead(sheet);
    const brim::GrowthInputs inputs{sheet, assumptions, kTenYearsWorkload};
    const brim::GrowthSchedule check = brim::growthSchedule(inputs);
    if (check.yearCount != 10 || check.years[9].groups <= check.sheetGroups) {
        state.SkipWithError("the schedule does not grow over ten years");
        return;
    }
    for (auto _ : state) {
        brim::GrowthSchedule schedule = brim::growthSchedule(inputs);
        benchmark::DoNotOptimize(schedule.years.data());
    }
}
BENCHMARK(BM_GrowthScheduleTenYears)->Repetitions(9)->ReportAggregatesOnly(true);

// The same schedule through the Growth Plan's planner, as a keystroke in its capacity growth
// field runs it: the figure parsed and stored, the schedule made, and every line, sentence, note
// and the chart's years written (20 % and 21 %, in turn).
void BM_GrowthPlannerTenYears(benchmark::State& state) {
    const brim::ConfigSheet sheet = fullSheet();
    brim::PlanningAssumptions assumptions = tenYearsAhead(sheet);
    brim::GrowthPlanner planner(sheet, assumptions, kTenYearsWorkload, brim::RowDiskNames{});
    if (planner.lines().size() != 11 || planner.totalSentence().empty()) {
        state.SkipWithError("the planner does not show ten years and their total");
        return;
    }
    bool faster = false;
    for (auto _ : state) {
        faster = !faster;
        benchmark::DoNotOptimize(
            planner.typeField(brim::GrowthFigure::CapacityGrowth, faster ? "21" : "20").data());
        benchmark::DoNotOptimize(planner.lines().data());
    }
}
BENCHMARK(BM_GrowthPlannerTenYears)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
