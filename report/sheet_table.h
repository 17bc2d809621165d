#pragma once

#include "config_sheet.h"

#include <string>

namespace brim {

// The sheet as tab-separated text, for a spreadsheet or a mail: the model's line, a heading line,
// one line per row with groups holding the report's seven fields, an empty line, then the four
// totals, each label a tab and its text. Every field has its blanks trimmed; every line ends in a
// line feed.
std::string formatSheetTable(const ConfigSheet& sheet);

} // namespace brim
