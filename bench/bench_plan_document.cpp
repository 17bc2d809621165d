// Print Plan: the document of a ten-row plan with eight kept plans, first as the plain content
// (every figure and text), then laid out as rich text on an A4 page as the preview and the
// printer get it. Offscreen: the layout needs the toolkit's fonts, not a display.

#include "commands/plan_document.h"
#include "print/plan_printout.h"
#include "tests/support/catalogue_names.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <string_view>
#include <vector>

namespace {

using brim::test::names::kRaid5;
using brim::test::names::kRaid6;
using brim::test::names::kTelvarD;

class NullSink final : public brim::MessageSink {
public:
    void show(std::string_view) override {}
};

// Ten rows in use, every one passing its rules, the first holding the vault.
brim::ConfigSheet tenRowPlan(int variant) {
    brim::ConfigSheet sheet;
    sheet.modelIndex = kTelvarD;
    for (int i = 0; i < brim::kRowCount; ++i) {
        brim::GroupDefinition& row = sheet.rows[static_cast<std::size_t>(i)];
        row.diskType = (i + variant) % 5;
        row.raidType = i % 2 == 0 ? kRaid5 : kRaid6;
        row.disksPerGroup = 6 + static_cast<std::uint32_t>(i % 3) * 2;
        row.groupCount = 3 + static_cast<std::uint32_t>(i + variant);
    }
    sheet.rows[0].includesVault = true;
    NullSink sink;
    brim::computeSheet(sheet, sink);
    return sheet;
}

struct PlanInputs {
    brim::ConfigSheet sheet = tenRowPlan(0);
    brim::PlanningAssumptions assumptions;
    brim::RowDiskNames names{};
    std::vector<brim::KeptPlan> kept;

    PlanInputs() {
        for (int disk = 0; disk < 5; ++disk) {
            assumptions.prices.setDiskHundredths(disk, 45'000 + disk * 10'000);
        }
        assumptions.prices.setArrayHundredths(sheet.modelIndex, 25'000'000);
        for (int k = 1; k <= 8; ++k) {
            kept.push_back({"Plan " + std::to_string(k), tenRowPlan(k)});
        }
    }

    brim::PlanDocument document() const {
        return brim::planDocument(
            {sheet, assumptions, names, kept, brim::PlanFigure::Cost, {2026, 8, 12}, ","});
    }
};

void BM_PlanDocumentTenRowsEightKept(benchmark::State& state) {
    const PlanInputs inputs;
    for (auto _ : state) {
        brim::PlanDocument document = inputs.document();
        benchmark::DoNotOptimize(document.sections.data());
    }
}
BENCHMARK(BM_PlanDocumentTenRowsEightKept)->Unit(benchmark::kMicrosecond);

// The content and its rich text laid out on the pages, counted: what the preview does before it
// paints the first page.
void BM_PlanLaidOutTenRowsEightKept(benchmark::State& state) {
    const PlanInputs inputs;
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    brim::preparePlanPage(writer);
    for (auto _ : state) {
        const auto text = brim::planTextDocument(inputs.document(), QApplication::font(), writer);
        benchmark::DoNotOptimize(text->pageCount());
    }
}
BENCHMARK(BM_PlanLaidOutTenRowsEightKept)->Unit(benchmark::kMillisecond);

} // namespace
