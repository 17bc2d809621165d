#pragma once

#include "message_sink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace brim {

inline constexpr int kRowCount = 10;
inline constexpr int kVaultRowCount = 5; // only rows 1 to 5 have a vault box

// One row of the sheet: a definition of like RAID groups.
struct GroupDefinition {
    std::int32_t diskType = 4;  // "450 G FC"
    std::int32_t raidType = -1; // none chosen
    std::uint32_t disksPerGroup = 0;
    std::uint32_t groupCount = 0;
    bool includesVault = false;
    std::string groupCapacityText;
    std::string totalCapacityText;
};

// The whole state of the calculator. Result texts are written by computeSheet alone.
struct ConfigSheet {
    std::int32_t modelIndex = 5; // "Telvar A"
    std::array<GroupDefinition, kRowCount> rows{};
    bool stickyChanges = true;
    std::string netTotalGbText;
    std::string netTotalTbText;
    std::string totalDisksText;
    std::string arraysRequiredText;
};

// Rows 6 to 10 have no vault box: whatever their flag says, they never hold the vault.
bool rowHoldsVault(const ConfigSheet& sheet, std::size_t rowIndex) noexcept;

struct GroupCapacity {
    double groupUsableMib = 0.0;
    double totalUsableMib = 0.0;
    bool error = false;
};

// Usable MiB of one group and of all groups of a row; asks the RAID rule, which shows its own
// message when the row breaks it.
GroupCapacity computeGroup(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::uint32_t groupCount, std::int32_t raidType, MessageSink& messages);

// Checks and computes all ten rows and writes every result text of the sheet. The first row
// that breaks a rule shows one message and ends the Compute with the totals reading "Error".
void computeSheet(ConfigSheet& sheet, MessageSink& messages);

// "%8.2f" of a capacity: two decimals, at least eight characters, never cut.
std::string formatCapacity(double value);

} // namespace brim
