#pragma once

#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "core/spares.h"

#include <array>
#include <optional>

namespace brim {

// What a plan costs at the planner's prices: the disks to order, spares included, each at its
// type's price, and the arrays the order needs at the model's. A price of 0 is one not given
// yet; a cost that leaves one out says which.

struct PlanCost {
    // Some price the plan uses is set: a disk type it orders, or the model's array when it
    // needs arrays. Until then there is no cost to show.
    bool priced = false;
    double cost = 0.0;                         // in the currency of the quote
    std::optional<double> perUsableTib;        // nothing with no usable capacity
    std::optional<double> perThousandHostIops; // nothing when the plan delivers no host IOPS
    std::array<bool, kDiskTypes.size()> unpricedDiskTypes{}; // ordered with a price of 0
    bool arrayUnpriced = false;                              // arrays needed, the model's price 0

    bool leavesSomethingOut() const noexcept;
};

// The cost of `order` on `modelIndex`, per TiB of `usableTib` and per 1000 of `hostIops`.
PlanCost planCost(const DisksToOrder& order, int modelIndex, const Prices& prices, double usableTib,
                  double hostIops) noexcept;

// Usable TiB of the rows that pass Compute's rules by themselves, added in row order: the net
// total Compute shows when it goes through, and what the disks to order are counted from.
double sheetUsableTib(const ConfigSheet& sheet);

// The sheet's cost: its disks to order with the spare policy, its usable TiB and the host IOPS
// its rows deliver at the planner's read share.
PlanCost sheetCost(const ConfigSheet& sheet, const PlanningAssumptions& assumptions);

inline constexpr double kWattsPerKilowatt = 1000.0;
inline constexpr double kBtuPerHourPerWatt = 3.412; // the heat a watt gives off

// What `order` on `modelIndex` draws, in W: every disk to order at its type's watts, the hot
// spares too, as they spin, and the arrays at the model's power.
double orderPowerWatts(const DisksToOrder& order, int modelIndex,
                       const PlanningAssumptions& assumptions) noexcept;

constexpr double kilowattsOf(double watts) noexcept {
    return watts / kWattsPerKilowatt;
}
constexpr double btuPerHourOf(double watts) noexcept {
    return watts * kBtuPerHourPerWatt;
}

} // namespace brim
