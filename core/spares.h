#pragma once

#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstdint>

namespace brim {

// What a plan orders: the disks in its groups and the hot spares of every disk type it uses.
// Counted in 64 bits: ten rows of 2^32 - 1 groups of 16 disks overflow 32.

using DisksPerType = std::array<std::uint64_t, kDiskTypes.size()>; // in catalogue order

// Spares for this many disks of one type: max(m, ceil(disks ÷ k)) for a type in use, none for
// a type that is not.
std::uint64_t sparesFor(std::uint64_t disks, const SparePolicy& policy) noexcept;

struct DisksToOrder {
    DisksPerType inGroups{};
    DisksPerType spares{};
    DisksPerType toOrder{}; // in groups plus spares
    std::uint64_t allInGroups = 0;
    std::uint64_t allToOrder = 0;
    std::uint64_t arraysWithoutSpares = 0; // Compute's "D/SPEs Required" for the disks in groups
    std::uint64_t arrays = 0;              // for every disk to order
    std::uint64_t extraArrays = 0;         // arrays - arraysWithoutSpares: what the spares add
};

// The order for these disks in groups on `modelIndex`: a sheet's, or a sheet's with a new
// layout's disks added to its type.
DisksToOrder disksToOrder(const DisksPerType& inGroups, int modelIndex,
                          const SparePolicy& policy) noexcept;

// The disks of every row of the sheet that passes Compute's rules by itself, per disk type. When
// Compute goes through these add up to its disk count.
DisksPerType sheetDisksPerType(const ConfigSheet& sheet);

DisksToOrder sheetDisksToOrder(const ConfigSheet& sheet, const SparePolicy& policy);

} // namespace brim
