#include "config_sheet.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

class NullSink final : public brim::MessageSink {
public:
    void show(std::string_view) override {}
};

// All ten rows in use, a mix of RAID types and a vault row, so every row is checked, computed
// and formatted.
brim::ConfigSheet fullSheet() {
    brim::ConfigSheet sheet;
    sheet.modelIndex = 8; // Telvar D
    for (int i = 0; i < brim::kRowCount; ++i) {
        brim::GroupDefinition& row = sheet.rows[static_cast<std::size_t>(i)];
        row.diskType = i % 5;
        row.raidType = 4; // RAID5
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

} // namespace

BENCHMARK_MAIN();
