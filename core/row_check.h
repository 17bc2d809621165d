#pragma once

#include "core/config_sheet.h"

#include <cstddef>
#include <string>

namespace brim {

// The message Compute would show for row `rowIndex` of the sheet if it were the sheet's only
// row in use, found silently: the vault rule, the disk type offered on the model's family, the
// RAID rule, in Compute's order. Empty when the row passes them all (or is outside the sheet).
// Windows that show every row by itself use this, so that one broken row hides no other.
std::string brokenRuleOfRow(const ConfigSheet& sheet, std::size_t rowIndex);

} // namespace brim
