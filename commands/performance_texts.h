#pragma once

// The Sheet Performance window's own words, as it shows them from top to bottom: its labels,
// the names a screen reader gives its fields and tables, and its buttons. The words of its
// lines and notes come from SheetPerformancePlan and planner_texts.h.

#include "core/catalogue.h"

#include <string>
#include <string_view>

namespace brim {

struct PerformanceWords {
    static constexpr std::string_view kTitle = "Sheet Performance";

    static constexpr std::string_view kReadsLabel = "% &reads:";
    static constexpr std::string_view kReadsName = "Percent reads";
    static constexpr std::string_view kLinesName = "Sheet performance";
    static constexpr std::string_view kTotalName = "Sheet performance total";

    static constexpr std::string_view kFiguresBox = "Per-disk figures";
    static constexpr std::string_view kFiguresName = "Per-disk figures";
    static constexpr std::string_view kArrayPriceName = "Price of one array";
    static constexpr std::string_view kHoursLabel = "&Hours before a rebuild starts:";
    static constexpr std::string_view kHoursName = "Hours before a rebuild starts";
    static constexpr std::string_view kRestoreDefaults = "Restore Disk Defaults";

    // "One spare per [8] disks, at least [2] of each type".
    static constexpr std::string_view kOrderBox = "Disks to order";
    static constexpr std::string_view kPerSpareLabel = "One spare &per";
    static constexpr std::string_view kPerSpareName = "Disks per hot spare";
    static constexpr std::string_view kMinSparesLabel = "disks, at &least";
    static constexpr std::string_view kMinSparesName = "Fewest hot spares per disk type";
    static constexpr std::string_view kMinSparesAfter = "of each type";
    static constexpr std::string_view kOrderName = "Disks to order";

    static constexpr std::string_view kClose = "Close";
};

// "Price of one Telvar A &array:": the price field's label names the model it prices.
inline std::string arrayPriceLabel(int modelIndex) {
    return "Price of one " + std::string(Catalogue::modelName(modelIndex)) + " &array:";
}

} // namespace brim
