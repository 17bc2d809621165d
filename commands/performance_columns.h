#pragma once

// The columns of Sheet Performance's tables of texts, one record a column: its heading, how it
// aligns, and a text as wide as the column should show whole. The lines' texts come from
// SheetPerformancePlan, cell by cell in these columns; a new column is a new record (and its
// name in PerformanceColumn or OrderColumn).

#include "commands/sheet_performance_plan.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace brim {

struct TextColumn {
    std::string_view heading; // "\n" sets it on two lines, to keep a narrow column narrow
    bool numeric;             // right-aligned, so that the digits line up
    std::string_view sample;  // as wide as a text the column shows whole (its digits grouped)
    // A count or cost, whose digits the window groups as its locale does ("12,345"); copies keep
    // the plain digits.
    bool grouped;
};

// A realistic sheet: ten rows of a few thousand groups at most, each row a few hundred thousand
// host IOPS, a risk read after two failures, an order of tens of millions.
// clang-format off
inline constexpr std::array<TextColumn, kPerformanceColumnCount> kSheetLineColumns{{
    // heading                numeric  sample                      grouped
    {"Row",                 true,    "Total",                    false},
    {"Disk type",           false,   "73G FC/EFD",               false},
    {"RAID\ntype",          false,   "IndivDisk",                false},
    {"Disks per\ngroup",    true,    "16",                       false},
    {"Groups",              true,    "12345",                    true},
    {"Host\nIOPS",          true,    "123456",                   true},
    {"MB/s",                true,    "12345",                    true},
    {"Read-only\nMB/s",     true,    "12345",                    true},
    {"Write-only\nMB/s",    true,    "12345",                    true},
    {"Rebuild h",           true,    "12.3",                     false},
    {"Read-error risk",     false,   "100.00% after 2 failures", false},
    {"Loss/yr",             true,    "0.00014%",                 false},
}};

inline constexpr std::array<TextColumn, kOrderColumnCount> kOrderLineColumns{{
    {"Disk type",           false,   "500 G ATA",                false},
    {"In groups",           true,    "12345",                    true},
    {"Spares",              true,    "1234",                     true},
    {"To order",            true,    "12345",                    true},
    {"Cost",                true,    "12345678",                 true},
}};
// clang-format on

} // namespace brim
