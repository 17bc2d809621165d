#pragma once

#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace brim {

// The chance of losing data in a year. A disk fails at a steady rate; a failed disk leaves its
// group exposed for T hours, the wait before its rebuild starts and the rebuild itself, and the
// group loses data when another disk it needs fails within T or the rebuild meets a sector it
// cannot read. Rates are losses per hour; a row's is its groups × one group's, and the plan's
// (Λ) the sum of its rows'. Written with expm1 and log1p, no chance leaves [0, 1] even at an AFR
// of 50 % and weeks of exposure, and a small one keeps its digits.

// λ = −ln(1 − AFR) ÷ 8766: the failures per hour of a disk that fails within a year with the
// chance `annualFailureRate` (0 to 1).
double failuresPerHour(double annualFailureRate) noexcept;

// F(k) = −expm1(−k·λ·T): the chance that one of k disks fails within T hours.
double failureWithin(double disks, double failuresPerHour, double hours) noexcept;

// A(k, u) = F(k) + (1 − F(k))·u: the chance of that failure or of an unreadable sector.
double failureOrUnreadable(double failure, double unreadable) noexcept;

// What the loss of a group rests on, for one disk type in one row.
struct LossFigures {
    double failuresPerHour = 0.0; // λ
    double exposedHours = 0.0;    // T: hours before a rebuild starts + rebuild hours, unrounded
    double diskBytes = 0.0;       // C: usable bytes of one disk
    int readErrorExponent = 0;    // one unreadable bit per 10^E read
};

// The figures of a disk of `diskKib` usable KiB (the KiB Compute sizes the row with, vault
// reservation taken off where the row holds the vault).
LossFigures lossFigures(std::uint32_t diskKib, const DiskFigures& disk,
                        int hoursBeforeRebuild) noexcept;

// Losses per hour of one group of `disks` disks, N below:
//   RAID0 and IndivDisk: N·λ, any failure loses the group (IndivDisk groups are one disk);
//   RAID1 and RAID1/0: N·λ·A(1, U(1)), only the failed disk's partner matters (2λ for RAID1);
//   RAID3 and RAID5: N·λ·A(N−1, U(N−1));
//   RAID6: N·λ·F(N−1)·A(N−2, U(N−2)), the second parity corrects a sector after one failure;
// U(k) the chance of an unreadable sector when reading k whole disks. Nothing with no RAID type
// or no disks.
std::optional<double> groupLossRate(std::int32_t raidType, std::uint32_t disks,
                                    const LossFigures& figures) noexcept;

double rowLossRate(std::uint32_t groups, double groupRate) noexcept;

// −expm1(−Λ × 8766): the chance of at least one loss in a year at Λ losses per hour.
double lossChanceInYear(double ratePerHour) noexcept;

enum class LossCase : std::uint8_t {
    NoLayout,   // no RAID type or no disks: nothing to say
    BreaksRule, // the row by itself breaks one of Compute's rules
    Computed,
};

// One row with groups, checked by itself as Sheet Performance checks it.
struct LossLine {
    std::size_t rowIndex = 0; // 0 to 9
    std::uint32_t groupCount = 0;
    LossCase kind = LossCase::NoLayout;
    double groupRate = 0.0; // per hour
    double rowRate = 0.0;
    double groupChance = 0.0; // in a year
    double rowChance = 0.0;
};

struct SheetLoss {
    std::array<LossLine, kRowCount> lines{};
    std::size_t count = 0;            // lines in use, in row order
    std::size_t rowsBreakingRule = 0; // left out of the plan's rate
    double planRate = 0.0;            // Λ over the rows computed, added in row order
    double planChance = 0.0;
};

// Every row of the sheet with groups, with the figures of its disk type and the program's wait
// before a rebuild.
SheetLoss sheetLoss(const ConfigSheet& sheet, const PlanningAssumptions& assumptions);

} // namespace brim
