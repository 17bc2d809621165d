#pragma once

// The texts of the Size for Capacity window: what its planner decided, said in words.

#include "commands/capacity_planner.h"

#include <array>
#include <string>
#include <string_view>

namespace brim {

// In CapacityUnit order: a unit's position in its list is its value.
inline constexpr std::array<std::string_view, 2> kCapacityUnitTexts{"GB", "TB"};

// The entry's position is the number of failed disks per group that a layout must survive.
inline constexpr std::array<std::string_view, 3> kFailureFilters{
    "0 failed disks per group", "1 failed disk per group", "2 failed disks per group"};

// The window's own words, as it shows them from top to bottom: each field's label and the name
// a screen reader gives it, then the buttons.
struct CapacityWords {
    static constexpr std::string_view kTitle = "Size for Capacity";

    static constexpr std::string_view kCapacityLabel = "&Usable capacity:";
    static constexpr std::string_view kCapacityName = "Usable capacity";
    static constexpr std::string_view kUnitName = "Capacity unit";
    static constexpr std::string_view kDiskTypeLabel = "&Disk type:";
    static constexpr std::string_view kDiskTypeName = "Disk type";
    static constexpr std::string_view kAddToSheet = "Add to the current sheet";
    static constexpr std::string_view kFailuresLabel = "&Survives at least:";
    static constexpr std::string_view kFailuresName = "Survives at least";

    static constexpr std::string_view kHostIopsLabel = "Host &IOPS:";
    static constexpr std::string_view kHostIopsName = "Host IOPS";
    static constexpr std::string_view kReadsLabel = "% &reads:";
    static constexpr std::string_view kReadsName = "% reads";
    static constexpr std::string_view kMbpsLabel = "&MB/s:";
    static constexpr std::string_view kMbpsName = "MB/s";

    static constexpr std::string_view kLayoutsName = "Layouts";
    static constexpr std::string_view kLossLimitLabel = "&Loss a year at most, %:";
    static constexpr std::string_view kLossLimitName = "Loss a year at most, %";
    static constexpr std::string_view kPutInRow = "Put in Row";
    static constexpr std::string_view kClose = "Close";
};

// The tooltip of a Loss/yr that stands out (losesDataOften).
inline constexpr std::string_view kRiskyLossTip =
    "This plan is at least as likely as 1 in 100 to lose data within a year.";

// The note under the inputs: why there are no lines, or nothing.
std::string noticeText(const CapacityAnswer& answer, CapacityUnit unit, int modelIndex);
// Above the table with the sheet added: what the sheet gives and what the layouts add.
std::string sheetFigureText(const CapacityAnswer& answer, CapacityUnit unit);
// Beside the loss limit: why it is refused, or which lines it hides, or nothing.
std::string lossLimitNoteText(const CapacityAnswer& answer);
// Under the table: "Assumes 80 IOPS, 60 MB/s and an AFR of 3% per 1 TB ATA disk; change in
// Sheet Performance."
std::string assumptionsText(const DiskFigures& figures, std::string_view diskName);
// Which row Put in Row fills, or why it cannot.
std::string rowNoteText(const CapacityPlanner& planner);

} // namespace brim
