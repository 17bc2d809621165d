#pragma once

// The Sheet Performance window's own words, as it shows them from top to bottom: its labels,
// the names a screen reader gives its tables, and its buttons. Its fields are planning figures,
// named by their own words (commands/figure_words.h); the words of its lines and notes come from
// SheetPerformancePlan and planner_texts.h.

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

} // namespace brim
