// Print of a ten-row report to a file: formatting, the temporary file, its flush and the
// atomic rename over the previous report. Reading a ten-row report back, as Open Report does.
#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "report/report.h"
#include "report/report_reader.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace {

class CountingSink : public brim::MessageSink {
public:
    void show(std::string_view) override { ++count; }
    int count = 0;
};

class FixedChooser : public brim::ReportFileChooser {
public:
    explicit FixedChooser(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> chooseReportFile() override { return path_; }

private:
    std::string path_;
};

brim::ConfigSheet tenRowSheet() {
    brim::ConfigSheet sheet;
    sheet.modelIndex = 8;
    // Built as strings and moved in: assigning the literals trips a false -Wrestrict in GCC 12.
    sheet.netTotalGbText = std::string("770405.30");
    sheet.netTotalTbText = std::string("  752.35");
    sheet.totalDisksText = std::string("960");
    sheet.arraysRequiredText = std::string("1");
    for (auto& row : sheet.rows) {
        row = {7, 5, 16, 6, false, " 12840.09", "  77040.53"};
    }
    return sheet;
}

void BM_FormatTenRowReport(benchmark::State& state) {
    const brim::ConfigSheet sheet = tenRowSheet();
    const brim::ReportTime time{2009, 12, 12, 14, 30, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(brim::formatReport(sheet, time));
    }
}
BENCHMARK(BM_FormatTenRowReport);

void BM_PrintTenRowReport(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "brim-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path dir = pattern;
    const brim::ConfigSheet sheet = tenRowSheet();
    FixedChooser chooser((dir / "report.txt").string());
    CountingSink sink;
    for (auto _ : state) {
        brim::printReport(sheet, chooser, sink);
    }
    if (sink.count != 0) {
        state.SkipWithError("Print showed a message");
    }
    std::filesystem::remove_all(dir);
}
// Target: median under 20 us.
void BM_ReadTenRowReport(benchmark::State& state) {
    const std::string text = brim::formatReport(tenRowSheet(), {2009, 12, 12, 14, 30, 0});
    if (!std::holds_alternative<brim::OpenedReport>(brim::readReport(text))) {
        state.SkipWithError("the report was refused");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(brim::readReport(text));
    }
}
BENCHMARK(BM_ReadTenRowReport)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_PrintTenRowReport)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
