#pragma once

// A price list that the command line writes into workbooks: lines of a name, a tab and a price,
// a disk type by its name in a workbook ("1 TB ATA") and an array model by its model name
// ("Telvar A"), each price as Sheet Performance takes it. A list is read whole and refused whole.

#include "core/planning_assumptions.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brim {

struct PriceEntry {
    enum class Of : std::uint8_t { DiskType, Model };
    Of of = Of::DiskType;
    int index = 0; // in its catalogue table
    std::int64_t hundredths = 0;
    std::string_view name; // the catalogue's
};

struct PriceListRefusal {
    int line = 0; // counted from 1
    std::string why;
};

using PriceListReading = std::variant<std::vector<PriceEntry>, PriceListRefusal>;

// Blank lines are passed over and a line may end in CR LF. The first line that is no name and
// price of the catalogue, or names what an earlier line priced, refuses the list.
PriceListReading readPriceList(std::string_view text);

// A price as it was and as it is, in Sheet Performance's form ("305.5", "not priced").
struct PriceChange {
    std::string_view name;
    std::string from;
    std::string to;
};

// Sets each price of the list; the prices that changed, in the list's order.
std::vector<PriceChange> applyPrices(std::span<const PriceEntry> prices,
                                     PlanningAssumptions& planning);

} // namespace brim
