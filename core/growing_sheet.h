#pragma once

#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "core/sheet_baseline.h"
#include "core/spares.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace brim {

// A sheet one of whose definitions may take more groups while every other row stays as it
// stands. The other rows' figures are summed once, in row order around the growing row, so that
// the plan with any count of groups in that row is found in closed form, to the digit that
// Compute, Sheet Performance, the disks to order and the loss model give the sheet with that
// count written in.

// Only a definition with groups, a RAID type and disks per group has groups to add to.
bool canGrow(const GroupDefinition& row) noexcept;

// The definition (1-10) that can grow with the most usable capacity in total (groups × one
// group's usable), the first on a tie; 0 when none can grow. `walk` is the sheet's.
int largestGrowingRow(const ConfigSheet& sheet, const SheetWalk& walk) noexcept;

struct GrowingSheet {
    int modelIndex = 0;
    std::size_t rowIndex = 0; // 0 to 9
    int diskType = 0;
    std::uint32_t disksPerGroup = 0;
    // The other rows, around the growing row's place.
    RowOrderSum otherNetMib;
    RowOrderSum otherHostIops;
    RowOrderSum otherMbps;
    RowOrderSum otherLossRate; // per hour
    DisksPerType otherDisks{};
    // One group of the growing row.
    double groupUsableMib = 0.0;
    double groupHostIops = 0.0;
    double groupMbps = 0.0;
    double groupLossRate = 0.0;

    // The plan with `groups` in the growing row: Compute's net TB, Sheet Performance's total at
    // the read share, its disks to order with spares and the arrays, its chance of loss a year.
    double usableTib(std::uint32_t groups) const noexcept;
    double hostIops(std::uint32_t groups) const noexcept;
    double mbps(std::uint32_t groups) const noexcept;
    DisksToOrder order(std::uint32_t groups, const SparePolicy& spares) const noexcept;
    double lossChance(std::uint32_t groups) const noexcept;
};

// For a sheet whose `walk` went through, row `growthRow` (1-10) growing; the disk figures, read
// share and hours before a rebuild are those of `assumptions`.
GrowingSheet growingSheet(const ConfigSheet& sheet, const PlanningAssumptions& assumptions,
                          int growthRow, const SheetWalk& walk);

// The fewest count from `lowest` up to `most` that meets a need which, once met, stays met for
// every larger count: a step doubles from `lowest` until a count meets, then the gap between
// the last count short of it and the first that meets is halved. Nothing when `most` falls
// short too.
template <typename Meets>
std::optional<std::uint64_t> fewestMeeting(std::uint64_t lowest, std::uint64_t most,
                                           const Meets& meets) {
    if (meets(lowest)) {
        return lowest;
    }
    std::uint64_t shortOf = lowest;
    std::uint64_t step = 1;
    std::uint64_t meeting = 0;
    for (;;) {
        const std::uint64_t next = most - shortOf <= step ? most : shortOf + step;
        if (meets(next)) {
            meeting = next;
            break;
        }
        if (next == most) {
            return std::nullopt;
        }
        shortOf = next;
        step *= 2;
    }
    while (meeting - shortOf > 1) {
        const std::uint64_t middle = shortOf + (meeting - shortOf) / 2;
        if (meets(middle)) {
            meeting = middle;
        } else {
            shortOf = middle;
        }
    }
    return meeting;
}

} // namespace brim
