#include "core/plan_cost.h"

#include "core/message_sink.h"
#include "core/performance.h"
#include "core/row_check.h"
#include "core/units.h"

#include <cstddef>
#include <string_view>

namespace brim {
namespace {

constexpr double kHundredthsPerUnit = 100.0;
constexpr double kHostIopsPerCostUnit = 1000.0;

std::optional<double> costPer(double cost, double divisor) noexcept {
    if (!(divisor > 0.0)) {
        return std::nullopt;
    }
    return cost / divisor;
}

} // namespace

bool PlanCost::leavesSomethingOut() const noexcept {
    for (const bool unpriced : unpricedDiskTypes) {
        if (unpriced) {
            return true;
        }
    }
    return arrayUnpriced;
}

PlanCost planCost(const DisksToOrder& order, int modelIndex, const Prices& prices, double usableTib,
                  double hostIops) noexcept {
    PlanCost result;
    // Summed in hundredths: each product of a count and a price is then a whole number, exact
    // below 2^53, and the one division comes last.
    double hundredths = 0.0;
    for (std::size_t i = 0; i < order.toOrder.size(); ++i) {
        if (order.toOrder[i] == 0) {
            continue;
        }
        const std::int64_t price = prices.diskHundredths(static_cast<int>(i));
        result.unpricedDiskTypes[i] = price == 0;
        result.priced = result.priced || price != 0;
        hundredths += static_cast<double>(order.toOrder[i]) * static_cast<double>(price);
    }
    if (order.arrays != 0) {
        const std::int64_t price = prices.arrayHundredths(modelIndex);
        result.arrayUnpriced = price == 0;
        result.priced = result.priced || price != 0;
        hundredths += static_cast<double>(order.arrays) * static_cast<double>(price);
    }
    result.cost = hundredths / kHundredthsPerUnit;
    result.perUsableTib = costPer(result.cost, usableTib);
    result.perThousandHostIops = costPer(result.cost, hostIops / kHostIopsPerCostUnit);
    return result;
}

double sheetUsableTib(const ConfigSheet& sheet) {
    double mib = 0.0;
    SilentSink silent; // the rows checked here have passed their rules already
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const GroupDefinition& row = sheet.rows[i];
        if (row.groupCount == 0 || !brokenRuleOfRow(sheet, i).empty()) {
            continue;
        }
        const std::uint32_t diskKib =
            usableDiskKib(sheet.modelIndex, row.diskType, rowHoldsVault(sheet, i));
        mib += computeGroup(diskKib, row.disksPerGroup, row.groupCount, row.raidType, silent)
                   .totalUsableMib;
    }
    return tibFromMib(mib);
}

double orderPowerWatts(const DisksToOrder& order, int modelIndex,
                       const PlanningAssumptions& assumptions) noexcept {
    double watts = 0.0;
    for (std::size_t t = 0; t < order.toOrder.size(); ++t) {
        watts +=
            static_cast<double>(order.toOrder[t]) * diskWatts(assumptions, static_cast<int>(t));
    }
    return watts + static_cast<double>(order.arrays) * arrayWatts(assumptions, modelIndex);
}

PlanCost sheetCost(const ConfigSheet& sheet, const PlanningAssumptions& assumptions) {
    const DisksToOrder order = sheetDisksToOrder(sheet, assumptions.spares);
    const double hostIops =
        sheetPerformance(sheet, assumptions.disks, assumptions.workload.readShare()).total.hostIops;
    return planCost(order, sheet.modelIndex, assumptions.prices, sheetUsableTib(sheet), hostIops);
}

} // namespace brim
