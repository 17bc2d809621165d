#pragma once

#include "core/config_sheet.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// The sheet as a table, for a spreadsheet, a mail or a printed plan: one line per row with
// groups holding the report's seven fields under these headings, then the four totals. Every
// field has its blanks trimmed.
inline constexpr std::size_t kSheetTableFieldCount = 7;
inline constexpr std::array<std::string_view, kSheetTableFieldCount> kSheetTableHeadings{
    "Groups", "Disk Type", "RAID Type", "Disks/Group", "Vault", "Per Group (GB)", "Subtotal (GB)"};

using SheetTableLine = std::array<std::string, kSheetTableFieldCount>;

struct SheetTableTotal {
    std::string_view label;
    std::string text;
};

struct SheetTableFields {
    std::string_view modelHeading; // "System Model", as the report labels it
    std::string_view modelName;
    std::vector<SheetTableLine> lines;
    std::array<SheetTableTotal, 4> totals{};
};

SheetTableFields sheetTableFields(const ConfigSheet& sheet);

// The table as tab-separated text: the model's line, the heading line, the lines, an empty line,
// then the totals, each label a tab and its text. Every line ends in a line feed.
std::string formatSheetTable(const ConfigSheet& sheet);

} // namespace brim
