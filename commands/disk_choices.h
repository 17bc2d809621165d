#pragma once

// The disk types a window offers, under the names the main window's rows show for them.

#include "core/config_sheet.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace brim {

// The entries of each row's Disk Type list, rows 1-10 in order, entry i naming disk type i:
// the main window's lists, whose texts differ from row to row and from the report's names.
using RowDiskNames = std::array<std::span<const std::string_view>, kRowCount>;

struct DiskChoice {
    int diskType = 0;
    std::string_view name;
};

// A disk type under the name a row's list gives it, trimmed; the report's name where the list
// has no entry for it.
std::string_view diskNameInList(std::span<const std::string_view> list, int diskType,
                                int modelIndex);

// The disk types the model's family offers, in catalogue order, under the names of `list`.
std::vector<DiskChoice> offeredDiskTypes(int modelIndex, std::span<const std::string_view> list);

} // namespace brim
