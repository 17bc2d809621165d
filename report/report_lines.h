#pragma once

// The fixed texts and field widths of a report, shared by the writer and the reader.

#include <cstddef>
#include <string_view>

namespace brim::report_lines {

inline constexpr std::string_view kTitle = "Tessaryn Brimcount ";
inline constexpr std::string_view kRule = "=================================================";
inline constexpr std::string_view kModelLabel = "System Model: ";
inline constexpr std::string_view kNetGbLabel = "Total Net (GB): ";
inline constexpr std::string_view kNetTbLabel = "Total Net (TB): ";
inline constexpr std::string_view kTotalDisksLabel = "Total # Disks: ";
inline constexpr std::string_view kArraysLabel = "Min. # of arrays needed: ";
inline constexpr std::string_view kConfigurationRule = "======= CONFIGURATION ========";
// With tab stops every eight columns "#Disks/" sits above " Group" and "CAPACITY" above the
// two capacity columns.
inline constexpr std::string_view kHeadings1 = "\t\t\t\t     #Disks/\t\t    CAPACITY";
// Each heading ends in the column where its data field ends, except "# Groups".
inline constexpr std::string_view kHeadings2 = "# Groups"
                                               "     "
                                               "Disk Type  "
                                               "  "
                                               "RAID Type"
                                               "  "
                                               " Group"
                                               "  "
                                               "Is Vault?"
                                               "  "
                                               "Per Group"
                                               "  "
                                               "   Subtotal";

// Minimum widths of the seven fields of a data line; a longer value is written whole.
struct DataLineWidths {
    std::size_t groupCount;
    std::size_t diskName;
    std::size_t raidName;
    std::size_t disksPerGroup;
    std::size_t vaultWord;
    std::size_t groupCapacity;
    std::size_t totalCapacity;
};
inline constexpr DataLineWidths kWidths{6, 16, 13, 8, 11, 11, 13};

} // namespace brim::report_lines
