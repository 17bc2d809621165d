#pragma once

// The Sheet Performance window's own words, as it shows them from top to bottom: its labels,
// the names a screen reader gives its tables, and its buttons. Its fields are planning figures,
// named by their own words (commands/figure_words.h); the words of its lines and notes come from
// SheetPerformancePlan, planner_texts.h and the sentences below.

#include "core/plan_cost.h"
#include "core/spares.h"

#include <span>
#include <string>
#include <string_view>

namespace brim {

struct PerformanceWords {
    static constexpr std::string_view kTitle = "Sheet Performance";

    static constexpr std::string_view kLinesName = "Sheet performance";
    static constexpr std::string_view kTotalName = "Sheet performance total";

    static constexpr std::string_view kFiguresBox = "Per-disk figures";
    static constexpr std::string_view kFiguresName = "Per-disk figures";
    static constexpr std::string_view kDiskTypeHeading = "Disk type";
    static constexpr std::string_view kRestoreDefaults = "Restore Disk Defaults";

    // "One spare per [8] disks, at least [2] of each type": the two fields' labels are the
    // figures' own (commands/figure_words.h), this window's words around them.
    static constexpr std::string_view kOrderBox = "Disks to order";
    static constexpr std::string_view kMinSparesAfter = "of each type";
    static constexpr std::string_view kOrderName = "Disks to order";

    static constexpr std::string_view kClose = "Close";
};

// Under Disks to order: "The disks to order need 2 arrays of the Telvar A: the spares need 1
// more array than the 1 D/SPEs Required."; empty with nothing to order.
std::string arraysText(const DisksToOrder& order, int modelIndex);
// "The plan costs 123456: 1520 per usable TB, 18.4 per 1000 host IOPS.", and what it leaves out
// for want of a price ("Not priced: 146 G FC, the Telvar A array."); empty until priced.
std::string costText(const PlanCost& cost, std::span<const std::string_view> unpricedDisks,
                     int modelIndex);
// What the disks to order and their arrays draw: "The plan draws 0.9 kW, 3207 BTU/h of heat.",
// then, while arrays are ordered at a power of 0, "Not counted: the power of the Telvar A array.".
std::string powerText(double watts, bool arrayPowerNotCounted, int modelIndex);
// "Kept 180 as the 450 G FC's IOPS: type a whole number from 1 to 100000."
std::string keptFigureNote(std::string_view kept, std::string_view diskName,
                           std::string_view figureName, std::string_view allowed);

} // namespace brim
