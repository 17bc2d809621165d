#pragma once

// The disk types a window offers, under the names the main window's rows show for them.

#include "core/config_sheet.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace brim {

// The entries of each row's Disk Type list, rows 1-10 in order, entry i naming disk type i:
// the main window's lists, whose texts differ from row to row and from the report's names.
using RowDiskNames = std::array<std::span<const std::string_view>, kRowCount>;

// The texts of the main window's Disk Type lists, blanks included: row 1 spells the 73 G disk
// its own way, rows 2 and 3 another, rows 4 to 10 as the report does.
// clang-format off
inline constexpr std::array<std::string_view, 8> kDiskEntriesRow1{
    "73G FC/EFD", "146 G FC", "300 G FC", "400 G FC", "450 G FC",
    "500 G ATA", "750 G ATA", "  1 TB ATA",
};
inline constexpr std::array<std::string_view, 8> kDiskEntriesRows2To3{
    "73 G FC/EFD", "146 G FC", "300 G FC", "400 G FC", "450 G FC",
    "500 G ATA", "750 G ATA", "  1 TB ATA",
};
inline constexpr std::array<std::string_view, 8> kDiskEntriesRows4To10{
    "  73 G FC", "146 G FC", "300 G FC", "400 G FC", "450 G FC",
    "500 G ATA", "750 G ATA", "  1 TB ATA",
};
// clang-format on

// Each row's list, as the main window fills it: what a plan names the disks of a row by when
// it has no window (the command line).
constexpr RowDiskNames windowRowDiskNames() noexcept {
    RowDiskNames names{};
    for (std::size_t row = 0; row < names.size(); ++row) {
        names[row] = row == 0  ? std::span<const std::string_view>(kDiskEntriesRow1)
                     : row < 3 ? std::span<const std::string_view>(kDiskEntriesRows2To3)
                               : std::span<const std::string_view>(kDiskEntriesRows4To10);
    }
    return names;
}

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
