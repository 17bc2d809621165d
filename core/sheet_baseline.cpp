#include "core/sheet_baseline.h"

#include "core/message_sink.h"
#include "core/performance.h"

namespace brim {
namespace {

std::size_t newRowIndex(int newRow) noexcept {
    return newRow >= 1 && newRow <= kRowCount ? static_cast<std::size_t>(newRow - 1) : kRowCount;
}

// Each figure goes before or after the new row's place; the new row itself adds nothing yet.
void addInRowOrder(RowOrderSum& sum, std::size_t rowIndex, std::size_t newIndex, double figure) {
    if (rowIndex < newIndex) {
        sum.beforeRow += figure;
    } else if (rowIndex > newIndex) {
        sum.afterRow[sum.rowsAfter++] = figure;
    }
}

} // namespace

double RowOrderSum::with(double rowFigure) const noexcept {
    double sum = beforeRow + rowFigure;
    for (std::size_t i = 0; i < rowsAfter; ++i) {
        sum += afterRow[i];
    }
    return sum;
}

SheetDelivery sheetDelivery(const ConfigSheet& sheet, int newRow, const DiskAssumptions& disks,
                            double readShare) {
    const std::size_t newIndex = newRowIndex(newRow);
    const SheetPerformance rows = sheetPerformance(sheet, disks, readShare);
    SheetDelivery delivery;
    // Sheet Performance's total starts from 0 and adds every line in row order; the new row
    // has no groups yet, so no line.
    for (std::size_t i = 0; i < rows.count; ++i) {
        const PerformanceLine& line = rows.lines[i];
        addInRowOrder(delivery.hostIops, line.rowIndex, newIndex, line.delivery.hostIops);
        addInRowOrder(delivery.mbps, line.rowIndex, newIndex, line.delivery.mbps);
    }
    return delivery;
}

std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet, int newRow) {
    SilentSink silent;
    const SheetWalk walk = walkSheet(sheet, silent);
    if (walk.failed) {
        return std::nullopt;
    }
    const std::size_t newIndex = newRowIndex(newRow);
    SheetBaseline baseline;
    baseline.totalDisks = walk.totalDisks;
    // The same running sum as Compute's; the new row's own 0 MiB is left out, which changes no
    // sum.
    for (std::size_t i = 0; i < walk.rowsComputed; ++i) {
        addInRowOrder(baseline.netMib, i, newIndex, walk.rows[i].totalUsableMib);
    }
    baseline.disksPerType = sheetDisksPerType(sheet);
    return baseline;
}

int firstRowBreakingRule(const ConfigSheet& sheet) {
    SilentSink silent;
    const SheetWalk walk = walkSheet(sheet, silent);
    if (!walk.failed) {
        return 0;
    }
    // A broken RAID rule stops the walk after its row is computed, the vault and disk checks
    // before.
    const std::size_t computed = walk.rowsComputed;
    const bool raidRuleBroke = computed > 0 && walk.rows[computed - 1].error;
    return static_cast<int>(raidRuleBroke ? computed : computed + 1);
}

} // namespace brim
