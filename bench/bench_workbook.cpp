// Compare Plans and the workbook: the comparison of eight kept plans with every figure and
// text made, their years ahead included, keeping the sheet, Save Workbook of eight plans to disk,
// and opening it again (read, check, apply, Compute), over the commands with the stand-in main
// window of the tests; and the reader alone on that workbook's text, with its search for a key
// given twice.

#include "commands/kept_plans.h"
#include "commands/plan_comparison.h"
#include "commands/workbook_commands.h"
#include "report/json_keys.h"
#include "report/workbook.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/workbook_run.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace brim {
namespace {

using namespace test::names;

ConfigSheet plannedSheet(int variant) {
    ConfigSheet sheet;
    sheet.rows[0] = {k450G, kRaid5, 9, static_cast<std::uint32_t>(4 + variant), true, {}, {}};
    sheet.rows[1] = {k1TbAta, kRaid6, 8, 6, false, {}, {}};
    sheet.rows[2] = {k146G, kRaid10, 8, static_cast<std::uint32_t>(2 + variant), false, {}, {}};
    return sheet;
}

// The sheet and eight kept plans, a disk type and the model priced.
struct Program : test::WorkbookRun {
    Program() : WorkbookRun(plannedSheet(0)) {
        for (int i = 0; i < static_cast<int>(kMaxKeptPlans); ++i) {
            plans.keep(plannedSheet(i));
        }
        planning.prices.setDiskHundredths(k450G, 60000);
        planning.prices.setArrayHundredths(kTelvarA, 4000000);
    }
};

class Chooser final : public WorkbookFileChooser, public Questions {
public:
    explicit Chooser(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> chooseWorkbookFile() override { return path_; }
    bool ask(std::string_view) override { return true; }

private:
    std::string path_;
};

std::string benchPath(const std::filesystem::path& folder) {
    return (folder / ("brim_bench_" + std::to_string(getpid()) + ".brimcount")).string();
}

std::string benchPath() {
    return benchPath(std::filesystem::temp_directory_path());
}

void BM_ComparePlansEight(benchmark::State& state) {
    const Program program;
    for (auto _ : state) {
        std::vector<ComparedColumn> columns =
            comparePlans(program.sheet, program.plans.plans(), program.planning, {});
        benchmark::DoNotOptimize(columns.data());
    }
}
BENCHMARK(BM_ComparePlansEight)->Unit(benchmark::kMicrosecond);

// The same with the years at their longest: ten years of growth to a typed need, a workload
// stated in Size for Capacity, the energy and the arrays' power counted.
void BM_ComparePlansEightTenYears(benchmark::State& state) {
    Program program;
    GrowthFigures& growth = program.planning.growth;
    growth.years = 10;
    growth.neededTodayHundredths = 5'000;
    growth.energyPriceThousandths = 150;
    program.planning.arrayPower.setWatts(kTelvarA, 600);
    const StatedWorkload workload{20'000.0, 400.0};
    for (auto _ : state) {
        std::vector<ComparedColumn> columns =
            comparePlans(program.sheet, program.plans.plans(), program.planning, workload);
        benchmark::DoNotOptimize(columns.data());
    }
}
BENCHMARK(BM_ComparePlansEightTenYears)->Unit(benchmark::kMicrosecond);

void BM_KeepTheSheet(benchmark::State& state) {
    const ConfigSheet sheet = plannedSheet(0);
    KeptPlans plans;
    for (auto _ : state) {
        plans.keep(sheet);
        plans.remove(0);
    }
}
BENCHMARK(BM_KeepTheSheet)->Unit(benchmark::kMicrosecond);

// Saved to the temporary folder's disk, whose flush is most of the time, and to memory
// (/dev/shm, where the flush costs nothing), which leaves the program's own part.
void saveWorkbookEight(benchmark::State& state, const std::string& path) {
    Program program;
    Chooser chooser(path);
    for (auto _ : state) {
        program.workbook.saveAs(chooser);
    }
    std::filesystem::remove(path);
}

void BM_SaveWorkbookEight(benchmark::State& state) {
    saveWorkbookEight(state, benchPath());
}
BENCHMARK(BM_SaveWorkbookEight)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SaveWorkbookEightToMemory(benchmark::State& state) {
    const std::filesystem::path memory = "/dev/shm";
    if (!std::filesystem::is_directory(memory)) {
        state.SkipWithError("no /dev/shm on this machine");
        return;
    }
    saveWorkbookEight(state, benchPath(memory));
}
BENCHMARK(BM_SaveWorkbookEightToMemory)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_OpenWorkbookEight(benchmark::State& state) {
    Program saved;
    Chooser chooser(benchPath());
    saved.workbook.saveAs(chooser);
    Program program;
    for (auto _ : state) {
        program.workbook.openWorkbook(benchPath(), chooser);
    }
    std::filesystem::remove(benchPath());
}
BENCHMARK(BM_OpenWorkbookEight)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The reader alone, on the same workbook's text: parsed, checked for a key given twice, read.
void BM_ReadWorkbookEightText(benchmark::State& state) {
    const Program program;
    const std::string text = formatWorkbook(program.workbook.current());
    for (auto _ : state) {
        WorkbookReading reading = readWorkbook(text);
        benchmark::DoNotOptimize(&reading);
    }
}
BENCHMARK(BM_ReadWorkbookEightText)->Unit(benchmark::kMicrosecond);

void BM_RepeatedKeysEight(benchmark::State& state) {
    const Program program;
    const std::string text = formatWorkbook(program.workbook.current());
    for (auto _ : state) {
        std::optional<RepeatedKey> repeat = firstRepeatedKey(text);
        benchmark::DoNotOptimize(&repeat);
    }
}
BENCHMARK(BM_RepeatedKeysEight)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace brim

BENCHMARK_MAIN();
