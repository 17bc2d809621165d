#include "commands/performance_texts.h"

#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "core/catalogue.h"

#include <algorithm>
#include <cmath>

namespace brim {
namespace {

std::string costPerText(const std::optional<double>& cost) {
    return cost ? formatCostPer(*cost) : std::string(kNoFigureText);
}

} // namespace

std::string arraysText(const DisksToOrder& order, int modelIndex) {
    if (order.allToOrder == 0) {
        return {};
    }
    std::string text = "The disks to order need " + countOf(order.arrays, "array") + " of the " +
                       std::string(Catalogue::modelName(modelIndex));
    if (order.extraArrays != 0) {
        text += ": the spares need " + countOf(order.extraArrays, "more array") + " than the " +
                std::to_string(order.arraysWithoutSpares) + " D/SPEs Required";
    }
    return text + '.';
}

std::string costText(const PlanCost& cost, std::span<const std::string_view> unpricedDisks,
                     int modelIndex) {
    if (!cost.priced) {
        return {};
    }
    std::string text = "The plan costs " + formatCost(cost.cost) + ": " +
                       costPerText(cost.perUsableTib) + " per usable TB, " +
                       costPerText(cost.perThousandHostIops) + " per 1000 host IOPS.";
    if (!cost.leavesSomethingOut()) {
        return text;
    }
    std::string unpriced;
    const auto name = [&unpriced](std::string_view thing) {
        unpriced += (unpriced.empty() ? "" : ", ") + std::string(thing);
    };
    std::ranges::for_each(unpricedDisks, name);
    if (cost.arrayUnpriced) {
        name("the " + std::string(Catalogue::modelName(modelIndex)) + " array");
    }
    return text + " Not priced: " + unpriced + '.';
}

std::string powerText(double watts, bool arrayPowerNotCounted, int modelIndex) {
    std::string text = "The plan draws " + formatKilowatts(kilowattsOf(watts)) + " kW, " +
                       formatWholeNumber(std::round(btuPerHourOf(watts))) + " BTU/h of heat.";
    if (arrayPowerNotCounted) {
        text += " Not counted: the power of the " + std::string(Catalogue::modelName(modelIndex)) +
                " array.";
    }
    return text;
}

std::string keptFigureNote(std::string_view kept, std::string_view diskName,
                           std::string_view figureName, std::string_view allowed) {
    return "Kept " + std::string(kept) + " as the " + std::string(diskName) + "'s " +
           std::string(figureName) + ": type " + std::string(allowed) + '.';
}

} // namespace brim
