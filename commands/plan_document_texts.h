#pragma once

// The printed plan's words: its title, its sections' headings and the sentences around its
// tables, in the order the pages show them. The tables' column headings are records beside the
// code that fills them (plan_document.cpp, plan_document_kept.cpp); the planning figures' words
// are commands/figure_words.h's.

#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

struct PlanDocumentWords {
    static constexpr std::string_view kSheet = "The sheet";
    static constexpr std::string_view kNoDefinition = "No definition has groups.";
    static constexpr std::string_view kTotals = "Totals";
    static constexpr std::string_view kDelivers = "What the sheet delivers";
    static constexpr std::string_view kDisksToOrder = "Disks to order";
    static constexpr std::string_view kRiskAndCost = "Risk and cost";
    static constexpr std::string_view kRowBreaksRule =
        "Breaks a rule: left out of the plan's chance.";
    static constexpr std::string_view kNoCost =
        "No price is set for the disks or arrays this plan orders, so it has no cost.";
    static constexpr std::string_view kYearsAhead = "The years ahead";
    static constexpr std::string_view kYearsChart =
        "Usable TB installed per year; the mark is the year's need";
    static constexpr std::string_view kKeptPlans = "Kept plans";
    static constexpr std::string_view kKeptPlansFigured =
        "Each kept plan figured with the assumptions below, disks to order with their spares.";
    static constexpr std::string_view kAssumptions = "Assumptions";
    static constexpr std::string_view kDiskTypeHeading = "Disk Type";
    static constexpr std::string_view kUnits =
        "Capacities are binary: GB is 2^30 bytes, TB 2^40 bytes, MB/s 2^20 bytes a second. Prices "
        "are in the currency of the quote.";
};

// "Brimcount plan for a Telvar A, 12 August 2026".
inline std::string planTitle(std::string_view model, std::string_view date) {
    return "Brimcount plan for a " + std::string(model) + ", " + std::string(date);
}
// "System Model: Telvar A."
inline std::string modelSentence(std::string_view heading, std::string_view model) {
    return std::string(heading) + ": " + std::string(model) + '.';
}
inline std::string deliverySentence(int readPercent) {
    return "Each definition checked by itself, at " + std::to_string(readPercent) +
           " % reads: host IOPS and MB/s at that mix, MB/s when it only reads and only writes, the "
           "hours to rebuild one failed disk and the chance that the rebuild meets an unreadable "
           "sector.";
}
inline std::string sparePolicySentence(std::uint32_t disksPerSpare, std::uint32_t minSpares) {
    return "One hot spare per " + std::to_string(disksPerSpare) +
           " disks of each type in use, at least " + std::to_string(minSpares) + " of each.";
}
inline std::string planLossSentence(std::string_view chance) {
    return "Chance of losing data in a year, the whole plan: " + std::string(chance) + '.';
}
// "Not priced, so left out of the cost: 146 G FC disks, Telvar A arrays.", the things listed.
inline constexpr std::string_view kLeftOutOfCost = "Not priced, so left out of the cost: ";
inline std::string disksOf(std::string_view disk) {
    return std::string(disk) + " disks";
}
inline std::string arraysOf(std::string_view model) {
    return std::string(model) + " arrays";
}
inline std::string orderCostSentence(std::string_view cost) {
    return "Cost of the disks to order, spares included, and the arrays they need: " +
           std::string(cost) + '.';
}
inline std::string costPerTbSentence(std::string_view cost) {
    return "Cost per usable TB: " + std::string(cost) + '.';
}
inline std::string costPerThousandIopsSentence(std::string_view cost) {
    return "Cost per 1000 host IOPS: " + std::string(cost) + '.';
}
// "Usable TB of each kept plan".
inline std::string chartCaption(std::string_view figure) {
    return std::string(figure) + " of each kept plan";
}
// "Every planning figure the pages above rest on, per disk: random IOPS, ... and price."
inline std::string diskFiguresSentence(std::string_view described) {
    return "Every planning figure the pages above rest on, per disk: " + std::string(described) +
           '.';
}
// "48.37 TB, need 43.94": a year's bar in the chart of the years ahead.
inline std::string yearBarText(std::string_view usable, std::string_view need) {
    return std::string(usable) + " TB, need " + std::string(need);
}
// "page 2 of 3".
inline std::string pageFooterWords(int page, int pageCount) {
    return "page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

} // namespace brim
