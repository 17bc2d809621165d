#pragma once

// An opened report against what Compute gives now for its inputs: the report names each figure
// by its own column heading or label, and a difference is told in those names.

#include "core/config_sheet.h"

#include <optional>
#include <string>
#include <string_view>

namespace brim {

// A figure of an opened report that Compute gives otherwise now, named as the report names it
// ("row 2 Subtotal", "Total Net (GB)"), with both texts trimmed of blanks.
struct DifferingFigure {
    std::string name;
    std::string printed;
    std::string computed;
};

// The first figure of `printed` that `computed` gives otherwise: the rows' capacities row by
// row, then the totals. Only rows with groups count: the report holds no others.
std::optional<DifferingFigure> firstDifferingFigure(const ConfigSheet& printed,
                                                    const ConfigSheet& computed);

// Shown after opening a report whose printed figures are not what Compute gives now; it names
// the first figure that differs. The report's own texts, which a hand-made file can make as long
// as a line, are cut.
std::string differingFiguresMessage(std::string_view reportVersion, const DifferingFigure& first);

} // namespace brim
