#pragma once

// The disk types a window offers, under the names the main window's rows show for them.

#include "config_sheet.h"

#include <array>
#include <span>
#include <string_view>

namespace brim {

// The entries of each row's Disk Type list, rows 1-10 in order, entry i naming disk type i:
// the main window's lists, whose texts differ from row to row and from the report's names.
using RowDiskNames = std::array<std::span<const std::string_view>, kRowCount>;

struct DiskChoice {
    int diskType = 0;
    std::string_view name;
};

} // namespace brim
