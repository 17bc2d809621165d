#include "commands/growth_texts.h"

#include "commands/disk_choices.h"
#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "core/catalogue.h"
#include "core/message_sink.h"
#include "core/plan_cost.h"

#include <algorithm>

namespace brim {
namespace {

constexpr std::string_view kTotalText = "Total";

std::string& cell(GrowthTextLine& line, GrowthColumn column) {
    return line[static_cast<std::size_t>(column)];
}
const std::string& cell(const GrowthTextLine& line, GrowthColumn column) {
    return line[static_cast<std::size_t>(column)];
}

// Money is the dash until some price the schedule uses is set; energy also while it has none.
std::string moneyText(double money, bool priced) {
    return priced ? formatCost(money) : std::string(kNoFigureText);
}

std::string yearsText(std::size_t years) {
    return countOf(years, "year");
}

GrowthTextLine yearLine(const GrowthYear& year, const GrowthPricing& pricing) {
    GrowthTextLine line;
    cell(line, GrowthColumn::Year) = std::to_string(year.year);
    cell(line, GrowthColumn::NeedTb) = formatTb(year.needTib);
    cell(line, GrowthColumn::SizedBy) = sizedByText(year.sizedBy);
    cell(line, GrowthColumn::Groups) = std::to_string(year.groups);
    cell(line, GrowthColumn::UsableTb) = formatTb(year.usableTib);
    cell(line, GrowthColumn::HostIops) = formatRate(year.hostIops);
    cell(line, GrowthColumn::DisksToOrder) = std::to_string(year.order.allToOrder);
    cell(line, GrowthColumn::Arrays) = std::to_string(year.order.arrays);
    cell(line, GrowthColumn::BuyDisks) = std::to_string(year.allDisksBought);
    cell(line, GrowthColumn::BuyArrays) = std::to_string(year.arraysBought);
    cell(line, GrowthColumn::Purchase) = moneyText(year.purchase, pricing.priced);
    cell(line, GrowthColumn::Kw) = formatKilowatts(kilowattsOf(year.powerWatts));
    cell(line, GrowthColumn::Energy) =
        moneyText(year.energy, pricing.priced && !pricing.energyNotCounted);
    cell(line, GrowthColumn::Support) = moneyText(year.support, pricing.priced);
    cell(line, GrowthColumn::Cost) = moneyText(year.cost, pricing.priced);
    cell(line, GrowthColumn::Cumulative) = moneyText(year.cumulative, pricing.priced);
    cell(line, GrowthColumn::LossPerYear) = formatLossChance(year.lossChance);
    return line;
}

// The sums of the buys and the money, the last cumulative and the chance of loss over the years.
GrowthTextLine totalLine(const GrowthTotals& totals, const GrowthPricing& pricing) {
    GrowthTextLine line;
    cell(line, GrowthColumn::Year) = kTotalText;
    cell(line, GrowthColumn::BuyDisks) = std::to_string(totals.allDisksBought);
    cell(line, GrowthColumn::BuyArrays) = std::to_string(totals.arraysBought);
    cell(line, GrowthColumn::Purchase) = moneyText(totals.purchase, pricing.priced);
    cell(line, GrowthColumn::Energy) =
        moneyText(totals.energy, pricing.priced && !pricing.energyNotCounted);
    cell(line, GrowthColumn::Support) = moneyText(totals.support, pricing.priced);
    cell(line, GrowthColumn::Cost) = moneyText(totals.cost, pricing.priced);
    cell(line, GrowthColumn::Cumulative) = moneyText(totals.cost, pricing.priced);
    cell(line, GrowthColumn::LossPerYear) = formatLossChance(totals.lossChanceOverYears);
    return line;
}

std::string growthRowText(const GrowthSchedule& s) {
    return "Row " + std::to_string(s.growthRow) + " grows, from " +
           countOf(s.sheetGroups, "group") + " on the sheet.";
}

std::string workloadText(const StatedWorkload& workload, int readPercent) {
    if (!workload.hostIops && !workload.mbps) {
        return "No workload is stated in Size for Capacity: the years grow for capacity alone.";
    }
    std::string stated;
    if (workload.hostIops) {
        stated = formatWholeNumber(*workload.hostIops) + " host IOPS";
    }
    if (workload.mbps) {
        stated += (stated.empty() ? "" : ", ") + formatWholeNumber(*workload.mbps) + " MB/s";
    }
    return "Workload today, from Size for Capacity: " + stated + " at " +
           std::to_string(readPercent) + " % reads.";
}

std::string runOutText(const GrowthSchedule& s, int years) {
    const std::string sheet = "The sheet as it stands, " + formatTb(s.sheetTib) + " TB, ";
    switch (s.runOut.kind) {
    case RunOutCase::AlreadyShort:
        return sheet + "does not meet today's need of " + formatTb(s.todayNeedTib) + " TB.";
    case RunOutCase::InMonth:
        return sheet + "runs out in month " + std::to_string(s.runOut.month) +
               ", when the need passes it.";
    case RunOutCase::NotWithinTheYears:
        return sheet + "meets the need for all " + yearsText(static_cast<std::size_t>(years)) + '.';
    case RunOutCase::NoNeedTyped:
        break;
    }
    return {};
}

std::string costPerText(const std::optional<double>& cost) {
    return cost ? formatCostPer(*cost) : std::string(kNoFigureText);
}

// With host IOPS stated, the cost per 1000 host IOPS too.
std::string totalText(const GrowthSchedule& s, bool hostIopsStated) {
    if (s.yearCount == 0) {
        return {};
    }
    const std::string over = "Over " + yearsText(s.yearCount);
    if (!s.pricing.priced) {
        return over + " the plan's cost shows once a price it uses is set: a disk's or the "
                      "array's in Sheet Performance, or the energy price here.";
    }
    std::string text = over + " the plan costs " + formatCost(s.totals.cost) + ": " +
                       costPerText(s.totals.costPerUsableTib) + " per usable TB";
    if (hostIopsStated) {
        text += " and " + costPerText(s.totals.costPerThousandHostIops) + " per 1000 host IOPS";
    }
    return text + " in year " + std::to_string(s.yearCount) + '.';
}

void listed(std::string& list, std::string_view thing) {
    list += (list.empty() ? "" : ", ") + std::string(thing);
}

std::string leftOutText(const GrowthPricing& pricing, int modelIndex,
                        std::span<const std::string_view> diskNames) {
    if (!pricing.priced || !pricing.leavesSomethingOut()) {
        return {};
    }
    const std::string array = "the " + std::string(Catalogue::modelName(modelIndex)) + " array";
    std::string unpriced;
    for (std::size_t t = 0; t < pricing.unpricedDiskTypes.size(); ++t) {
        if (pricing.unpricedDiskTypes[t]) {
            listed(unpriced, diskNameInList(diskNames, static_cast<int>(t), modelIndex));
        }
    }
    if (pricing.arrayUnpriced) {
        listed(unpriced, array);
    }
    std::string uncounted;
    if (pricing.arrayPowerNotCounted) {
        listed(uncounted, "the power of " + array);
    }
    if (pricing.energyNotCounted) {
        listed(uncounted, "the energy");
    }
    std::string text = unpriced.empty() ? "" : "Not priced: " + unpriced + '.';
    if (!uncounted.empty()) {
        text += (text.empty() ? "" : " ") + std::string("Not counted: ") + uncounted + '.';
    }
    return text;
}

std::string_view unmetNeedText(SizedBy need) noexcept {
    switch (need) {
    case SizedBy::HostIops:
        return "the host IOPS";
    case SizedBy::Mbps:
        return "the MB/s";
    default:
        return "the capacity";
    }
}

// The rule's own words, as Compute shows them, found silently.
std::string brokenRuleText(const ConfigSheet& sheet, int row) {
    FirstMessage message;
    walkSheet(sheet, message);
    std::string rule = message.message;
    if (!rule.empty() && rule.back() != '.') {
        rule += '.';
    }
    return "Row " + std::to_string(row) + " breaks a rule, so the sheet cannot grow: " + rule;
}

std::vector<std::string> notesOf(const GrowthSchedule& s, const GrowthInputs& in) {
    std::vector<std::string> notes;
    switch (s.missing) {
    case NoSchedule::RowBreaksRule:
        notes.push_back(brokenRuleText(in.sheet, s.brokenRow));
        return notes;
    case NoSchedule::NothingCanGrow:
        notes.emplace_back(
            "Fill a definition with groups, a RAID type and disks per group to plan its growth.");
        return notes;
    case NoSchedule::FigureOutOfRange:
        notes.emplace_back("A figure of the years ahead is outside its range: type it again.");
        return notes;
    case NoSchedule::None:
        break;
    }
    if (s.fellBackToLargest) {
        notes.push_back("Row " + std::to_string(in.assumptions.growth.growDefinition) +
                        " cannot grow: it needs groups, a RAID type and disks per group. Row " +
                        std::to_string(s.growthRow) + ", the largest definition, grows instead.");
    }
    if (s.endedAtYear) {
        const int year = *s.endedAtYear;
        std::string note = "No count of groups of row " + std::to_string(s.growthRow) + " meets " +
                           std::string(unmetNeedText(s.unmetNeed)) + " needed in year " +
                           std::to_string(year);
        note += year > 1 ? ": the schedule ends with year " + std::to_string(year - 1) + '.'
                         : ": there is no schedule.";
        notes.push_back(std::move(note));
    }
    return notes;
}

// The TB as the year's line reads them.
GrowthChart chartOf(const GrowthSchedule& s, std::span<const GrowthTextLine> lines) {
    GrowthChart chart;
    chart.description = "Usable TB installed each year, the year's need marked on its bar";
    chart.years.reserve(s.yearCount);
    for (std::size_t y = 0; y < s.yearCount; ++y) {
        const GrowthYear& year = s.years[y];
        chart.years.push_back({"Year " + std::to_string(year.year), year.usableTib, year.needTib,
                               cell(lines[y], GrowthColumn::UsableTb),
                               cell(lines[y], GrowthColumn::NeedTb)});
    }
    return chart;
}

std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\t'; }, ' ');
    return line;
}

void appendTableLine(std::string& text, const GrowthColumnsShown& shown, const auto& cellOf) {
    bool first = true;
    for (std::size_t column = 0; column < kGrowthColumnCount; ++column) {
        if (!shown[column]) {
            continue;
        }
        text += first ? "" : "\t";
        text += oneLine(cellOf(column));
        first = false;
    }
    text += '\n';
}

} // namespace

std::string_view sizedByText(SizedBy by) noexcept {
    switch (by) {
    case SizedBy::Capacity:
        return sizedByText(SizingNeed::Capacity);
    case SizedBy::HostIops:
        return sizedByText(SizingNeed::HostIops);
    case SizedBy::Mbps:
        return sizedByText(SizingNeed::Mbps);
    case SizedBy::Unchanged:
        break;
    }
    return kNoFigureText;
}

GrowthPlanTexts growthPlanTexts(const GrowthSchedule& schedule, const GrowthInputs& inputs,
                                std::span<const std::string_view> diskNames) {
    GrowthPlanTexts texts;
    texts.workload = workloadText(inputs.workload, inputs.assumptions.workload.readPercent());
    texts.notes = notesOf(schedule, inputs);
    if (schedule.missing != NoSchedule::None) {
        return texts;
    }
    texts.growthRow = growthRowText(schedule);
    texts.lines.reserve(schedule.yearCount + 1);
    for (std::size_t y = 0; y < schedule.yearCount; ++y) {
        texts.lines.push_back(yearLine(schedule.years[y], schedule.pricing));
    }
    if (schedule.yearCount != 0) {
        texts.lines.push_back(totalLine(schedule.totals, schedule.pricing));
    }
    texts.runOut = runOutText(schedule, inputs.assumptions.growth.years);
    texts.total = totalText(schedule, inputs.workload.hostIops.has_value());
    texts.leftOut = leftOutText(schedule.pricing, inputs.sheet.modelIndex, diskNames);
    texts.chart = chartOf(schedule, texts.lines);
    return texts;
}

std::string growthTableText(std::span<const GrowthTextLine> lines,
                            const GrowthColumnsShown& shown) {
    std::string text;
    appendTableLine(text, shown, [](std::size_t column) { return kGrowthColumns[column].heading; });
    for (const GrowthTextLine& line : lines) {
        appendTableLine(text, shown,
                        [&line](std::size_t column) -> std::string_view { return line[column]; });
    }
    return text;
}

std::vector<GrowthFigureLine> growthFigureLines(const GrowthSchedule& schedule) {
    std::vector<GrowthFigureLine> lines;
    const auto figure = [](GrowthFigureLine& line, GrowthColumn column) -> CellFigure& {
        return line[static_cast<std::size_t>(column)];
    };
    const auto count = [](std::uint64_t value) { return CellFigure{static_cast<double>(value)}; };
    for (std::size_t y = 0; y < schedule.yearCount; ++y) {
        const GrowthYear& year = schedule.years[y];
        GrowthFigureLine& line = lines.emplace_back();
        figure(line, GrowthColumn::Year) = static_cast<double>(year.year);
        figure(line, GrowthColumn::NeedTb) = year.needTib;
        figure(line, GrowthColumn::SizedBy) = sizedByText(year.sizedBy);
        figure(line, GrowthColumn::Groups) = count(year.groups);
        figure(line, GrowthColumn::UsableTb) = year.usableTib;
        figure(line, GrowthColumn::HostIops) = year.hostIops;
        figure(line, GrowthColumn::DisksToOrder) = count(year.order.allToOrder);
        figure(line, GrowthColumn::Arrays) = count(year.order.arrays);
        figure(line, GrowthColumn::BuyDisks) = count(year.allDisksBought);
        figure(line, GrowthColumn::BuyArrays) = count(year.arraysBought);
        figure(line, GrowthColumn::Purchase) = year.purchase;
        figure(line, GrowthColumn::Kw) = kilowattsOf(year.powerWatts);
        figure(line, GrowthColumn::Energy) = year.energy;
        figure(line, GrowthColumn::Support) = year.support;
        figure(line, GrowthColumn::Cost) = year.cost;
        figure(line, GrowthColumn::Cumulative) = year.cumulative;
        figure(line, GrowthColumn::LossPerYear) = year.lossChance;
    }
    if (!lines.empty()) {
        const GrowthTotals& totals = schedule.totals;
        GrowthFigureLine& line = lines.emplace_back();
        figure(line, GrowthColumn::Year) = kTotalText;
        figure(line, GrowthColumn::BuyDisks) = count(totals.allDisksBought);
        figure(line, GrowthColumn::BuyArrays) = count(totals.arraysBought);
        figure(line, GrowthColumn::Purchase) = totals.purchase;
        figure(line, GrowthColumn::Energy) = totals.energy;
        figure(line, GrowthColumn::Support) = totals.support;
        figure(line, GrowthColumn::Cost) = totals.cost;
        figure(line, GrowthColumn::Cumulative) = totals.cost;
        figure(line, GrowthColumn::LossPerYear) = totals.lossChanceOverYears;
    }
    return lines;
}

} // namespace brim
