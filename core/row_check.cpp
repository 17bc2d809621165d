#include "core/row_check.h"

#include "core/message_sink.h"

#include <string_view>
#include <utility>

namespace brim {

std::string brokenRuleOfRow(const ConfigSheet& sheet, std::size_t rowIndex) {
    if (rowIndex >= sheet.rows.size()) {
        return {};
    }
    // The other rows at their defaults pass every rule and add nothing, so Compute's own walk
    // of this sheet judges the row alone, in the row's place (only rows 1 to 5 hold the vault).
    ConfigSheet lone;
    lone.modelIndex = sheet.modelIndex;
    static_cast<DefinitionInputs&>(lone.rows[rowIndex]) = sheet.rows[rowIndex];
    FirstMessage first;
    walkSheet(lone, first);
    return std::move(first.message);
}

} // namespace brim
