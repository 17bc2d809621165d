#pragma once

#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "core/spares.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace brim {

// The sheet that a new row of groups is added to, as Compute and Sheet Performance sum it once
// the row is in, and the first row that keeps Compute from going through.

// A figure of the sheet's rows, added up in row order around the new row's place, so that the
// sum with the new row has its last digit too: Compute's net total for MiB, Sheet
// Performance's total for host IOPS and MB/s.
struct RowOrderSum {
    double beforeRow = 0.0;
    std::array<double, kRowCount> afterRow{};
    std::size_t rowsAfter = 0;

    double with(double rowFigure) const noexcept;
    double withoutRow() const noexcept { return with(0.0); }
};

// What the sheet's rows deliver at a read share, each row with groups checked by itself as
// Sheet Performance does it (with a rule broken a row delivers nothing).
struct SheetDelivery {
    RowOrderSum hostIops;
    RowOrderSum mbps;
};

// For new groups going into row `newRow` (1-10; 0 puts them after row 10).
SheetDelivery sheetDelivery(const ConfigSheet& sheet, int newRow, const DiskAssumptions& disks,
                            double readShare);

// All zero when the new groups stand alone.
struct SheetBaseline {
    RowOrderSum netMib; // the rows' totals as Compute adds them up
    std::uint64_t totalDisks = 0;
    // The other rows' disks by type, for the disks to order with spares.
    DisksPerType disksPerType{};
    // What the other rows deliver; sheetBaseline leaves it at zero, as it depends on the mix.
    SheetDelivery delivery;

    // What Compute gives the sheet without the new groups.
    double netTotalMib() const noexcept { return netMib.withoutRow(); }
};

// What computeSheet gives for the sheet's inputs now, found silently (no message, no text
// written), with the new groups going into row `newRow` (1-10, which has 0 groups; 0 puts them
// after row 10). Nothing when a row breaks a rule.
std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet, int newRow);

// The first row (1-10) that breaks a rule when Compute walks the sheet, found silently; 0 when
// none does.
int firstRowBreakingRule(const ConfigSheet& sheet);

} // namespace brim
