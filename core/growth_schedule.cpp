#include "core/growth_schedule.h"

#include "core/growing_sheet.h"
#include "core/message_sink.h"
#include "core/plan_cost.h"
#include "core/planner_inputs.h"
#include "core/sheet_baseline.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace brim {
namespace {

constexpr double kHundredthsPerUnit = 100.0;
constexpr double kHostIopsPerCostUnit = 1000.0;
constexpr int kMonthsPerYear = 12;

double grown(double today, double rate, double years) noexcept {
    return today * std::pow(1.0 + rate, years);
}

// Year y's price of something that costs `hundredths` today.
double priceInYear(std::int64_t hundredths, double changeRate, int year) noexcept {
    return static_cast<double>(hundredths) / kHundredthsPerUnit *
           std::pow(1.0 + changeRate, year - 1);
}

std::optional<double> costPer(double cost, double divisor) noexcept {
    if (!(divisor > 0.0)) {
        return std::nullopt;
    }
    return cost / divisor;
}

bool statedWithin(const std::optional<double>& need, double most) noexcept {
    return !need || (*need > 0.0 && *need <= most); // false for NaN too
}

// The fewest groups that meet one need of a year, from last year's count; nothing when no
// count does. A need not stated takes last year's.
template <typename Figure>
std::optional<std::uint32_t> groupsMeeting(std::uint32_t lastYear, std::optional<double> need,
                                           const Figure& figureWith) {
    if (!need) {
        return lastYear;
    }
    const auto meets = [&](std::uint64_t groups) {
        return figureWith(static_cast<std::uint32_t>(groups)) >= *need;
    };
    const std::optional<std::uint64_t> groups = fewestMeeting(lastYear, kMostGrowthGroups, meets);
    if (!groups) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*groups);
}

// Sets the year's count and what set it; false, with the need left unmet, when no count meets.
bool sizeYear(GrowthYear& year, std::uint32_t lastYear, const GrowingSheet& g, SizedBy& unmetNeed) {
    const std::array<std::optional<std::uint32_t>, 3> counts{
        groupsMeeting(lastYear, year.needTib, [&](std::uint32_t n) { return g.usableTib(n); }),
        groupsMeeting(lastYear, year.neededHostIops,
                      [&](std::uint32_t n) { return g.hostIops(n); }),
        groupsMeeting(lastYear, year.neededMbps, [&](std::uint32_t n) { return g.mbps(n); }),
    };
    std::uint32_t most = lastYear;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (!counts[i]) {
            unmetNeed = static_cast<SizedBy>(i + 1);
            return false;
        }
        if (*counts[i] > most) {
            most = *counts[i];
            year.sizedBy = static_cast<SizedBy>(i + 1);
        }
    }
    year.groups = most;
    return true;
}

// What the year's purchase leaves out and what it costs: the disks bought of every type, then
// the arrays, at the year's prices.
void buy(GrowthYear& year, const DisksToOrder& before, const GrowthInputs& in) {
    const Prices& prices = in.assumptions.prices;
    const double diskChange = in.assumptions.growth.diskPriceChangeRate();
    for (std::size_t t = 0; t < year.disksBought.size(); ++t) {
        year.disksBought[t] = year.order.toOrder[t] - before.toOrder[t];
        year.allDisksBought += year.disksBought[t];
        if (year.disksBought[t] == 0) {
            continue;
        }
        const std::int64_t price = prices.diskHundredths(static_cast<int>(t));
        year.purchaseLeavesOut = year.purchaseLeavesOut || price == 0;
        year.purchase +=
            static_cast<double>(year.disksBought[t]) * priceInYear(price, diskChange, year.year);
    }
    year.arraysBought = year.order.arrays - before.arrays;
    if (year.arraysBought != 0) {
        const std::int64_t price = prices.arrayHundredths(in.sheet.modelIndex);
        year.purchaseLeavesOut = year.purchaseLeavesOut || price == 0;
        year.purchase +=
            static_cast<double>(year.arraysBought) *
            priceInYear(price, in.assumptions.growth.arrayPriceChangeRate(), year.year);
    }
}

double energyCost(double powerWatts, const GrowthFigures& growth) noexcept {
    return powerWatts * growth.pue() * kHoursPerYear / kWattsPerKilowatt * growth.energyPrice();
}

GrowthPricing pricingOf(const GrowthSchedule& schedule, const GrowthInputs& in) {
    const Prices& prices = in.assumptions.prices;
    GrowthPricing pricing;
    bool arraysOrdered = false;
    for (std::size_t y = 0; y < schedule.yearCount; ++y) {
        const DisksToOrder& order = schedule.years[y].order;
        for (std::size_t t = 0; t < order.toOrder.size(); ++t) {
            if (order.toOrder[t] == 0) {
                continue;
            }
            const bool unpriced = prices.diskHundredths(static_cast<int>(t)) == 0;
            pricing.unpricedDiskTypes[t] = unpriced;
            pricing.priced = pricing.priced || !unpriced;
        }
        arraysOrdered = arraysOrdered || order.arrays != 0;
    }
    if (arraysOrdered) {
        pricing.arrayUnpriced = prices.arrayHundredths(in.sheet.modelIndex) == 0;
        pricing.priced = pricing.priced || !pricing.arrayUnpriced;
        pricing.arrayPowerNotCounted = arrayWatts(in.assumptions, in.sheet.modelIndex) == 0.0;
    }
    pricing.energyNotCounted = in.assumptions.growth.energyPriceThousandths == 0;
    pricing.priced = pricing.priced || !pricing.energyNotCounted;
    return pricing;
}

// The sums over the years, and the last year's plan's cost per TB and per 1000 host IOPS.
GrowthTotals totalsOf(const GrowthSchedule& schedule) {
    GrowthTotals totals;
    double survivesLog = 0.0; // Σ log(1 − p_y): a small chance keeps its digits
    for (std::size_t y = 0; y < schedule.yearCount; ++y) {
        const GrowthYear& year = schedule.years[y];
        for (std::size_t t = 0; t < totals.disksBought.size(); ++t) {
            totals.disksBought[t] += year.disksBought[t];
        }
        totals.allDisksBought += year.allDisksBought;
        totals.arraysBought += year.arraysBought;
        totals.purchase += year.purchase;
        totals.energy += year.energy;
        totals.support += year.support;
        totals.cost = year.cumulative;
        survivesLog += std::log1p(-year.lossChance);
    }
    totals.lossChanceOverYears = -std::expm1(survivesLog);
    if (schedule.yearCount > 0) {
        const GrowthYear& last = schedule.years[schedule.yearCount - 1];
        totals.costPerUsableTib = costPer(totals.cost, last.usableTib);
        totals.costPerThousandHostIops = costPer(totals.cost, last.hostIops / kHostIopsPerCostUnit);
    }
    return totals;
}

// The first month whose need exceeds the sheet as it stands, with a need typed.
RunOut runOutOf(const GrowthSchedule& schedule, const GrowthFigures& growth) {
    if (!schedule.needTyped) {
        return {};
    }
    if (schedule.todayNeedTib > schedule.sheetTib) {
        return {RunOutCase::AlreadyShort, 0};
    }
    const auto exceeds = [&](std::uint64_t month) {
        return grown(schedule.todayNeedTib, growth.capacityGrowthRate(),
                     static_cast<double>(month) / static_cast<double>(kMonthsPerYear)) >
               schedule.sheetTib;
    };
    // No growth is below the range, so the need never falls from month to month.
    const std::optional<std::uint64_t> month =
        fewestMeeting(1, static_cast<std::uint64_t>(growth.years * kMonthsPerYear), exceeds);
    if (!month) {
        return {RunOutCase::NotWithinTheYears, 0};
    }
    return {RunOutCase::InMonth, static_cast<int>(*month)};
}

} // namespace

bool GrowthPricing::leavesSomethingOut() const noexcept {
    return std::find(unpricedDiskTypes.begin(), unpricedDiskTypes.end(), true) !=
               unpricedDiskTypes.end() ||
           arrayUnpriced || arrayPowerNotCounted || energyNotCounted;
}

GrowthSchedule growthSchedule(const GrowthInputs& in) {
    GrowthSchedule schedule;
    const GrowthFigures& growth = in.assumptions.growth;
    if (!growth.withinRanges() || !statedWithin(in.workload.hostIops, kMaxHostIopsNeed) ||
        !statedWithin(in.workload.mbps, kMaxMbpsNeed)) {
        schedule.missing = NoSchedule::FigureOutOfRange;
        return schedule;
    }
    SilentSink silent;
    const SheetWalk walk = walkSheet(in.sheet, silent);
    if (walk.failed) {
        schedule.missing = NoSchedule::RowBreaksRule;
        schedule.brokenRow = firstRowBreakingRule(in.sheet);
        return schedule;
    }
    const int picked = growth.growDefinition;
    const bool pickedGrows = picked != kGrowLargestDefinition &&
                             canGrow(in.sheet.rows[static_cast<std::size_t>(picked - 1)]);
    schedule.growthRow = pickedGrows ? picked : largestGrowingRow(in.sheet, walk);
    schedule.fellBackToLargest = picked != kGrowLargestDefinition && !pickedGrows;
    if (schedule.growthRow == 0) {
        schedule.missing = NoSchedule::NothingCanGrow;
        return schedule;
    }
    const std::size_t rowIndex = static_cast<std::size_t>(schedule.growthRow - 1);
    const GrowingSheet g = growingSheet(in.sheet, in.assumptions, schedule.growthRow, walk);
    schedule.sheetGroups = in.sheet.rows[rowIndex].groupCount;
    schedule.sheetTib = tibFromMib(walk.netTotalMib);
    schedule.needTyped = growth.neededTodayTib().has_value();
    schedule.todayNeedTib = growth.neededTodayTib().value_or(schedule.sheetTib);
    schedule.todayWorkload = in.workload;

    const SparePolicy& spares = in.assumptions.spares;
    const DisksToOrder sheetOrder = g.order(schedule.sheetGroups, spares);
    DisksToOrder before = growth.installed ? sheetOrder : DisksToOrder{};
    const double installedValue =
        growth.installed
            ? planCost(sheetOrder, in.sheet.modelIndex, in.assumptions.prices, 0.0, 0.0).cost
            : 0.0;
    std::uint32_t groups = schedule.sheetGroups;
    double purchases = 0.0;
    double cumulative = 0.0;
    for (int y = 1; y <= growth.years; ++y) {
        GrowthYear& year = schedule.years[schedule.yearCount];
        year.year = y;
        year.needTib = grown(schedule.todayNeedTib, growth.capacityGrowthRate(), y);
        if (in.workload.hostIops) {
            year.neededHostIops = grown(*in.workload.hostIops, growth.workloadGrowthRate(), y);
        }
        if (in.workload.mbps) {
            year.neededMbps = grown(*in.workload.mbps, growth.workloadGrowthRate(), y);
        }
        if (!sizeYear(year, groups, g, schedule.unmetNeed)) {
            year = GrowthYear{};
            schedule.endedAtYear = y;
            break;
        }
        groups = year.groups;
        year.usableTib = g.usableTib(groups);
        year.hostIops = g.hostIops(groups);
        year.mbps = g.mbps(groups);
        year.order = g.order(groups, spares);
        year.lossChance = g.lossChance(groups);
        buy(year, before, in);
        year.powerWatts = orderPowerWatts(year.order, in.sheet.modelIndex, in.assumptions);
        year.energy = energyCost(year.powerWatts, growth);
        purchases += year.purchase;
        year.support = growth.supportShare() * (installedValue + purchases);
        year.cost = year.purchase + year.energy + year.support;
        cumulative += year.cost;
        year.cumulative = cumulative;
        before = year.order;
        ++schedule.yearCount;
    }
    schedule.totals = totalsOf(schedule);
    schedule.runOut = runOutOf(schedule, growth);
    schedule.pricing = pricingOf(schedule, in);
    return schedule;
}

} // namespace brim
