#include "report/workbook.h"

#include <algorithm>
#include <array>

namespace brim {
namespace {

constexpr std::array<char, 4> kBlanks{' ', '\t', '\r', '\n'};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) noexcept {
    return std::find(kBlanks.begin(), kBlanks.end(), c) != kBlanks.end();
}

} // namespace

PlanSheet planSheetOf(const ConfigSheet& sheet) {
    PlanSheet plan;
    plan.modelIndex = sheet.modelIndex;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        // A workbook's rows 6 to 10 hold no vault flag.
        plan.rows[i] = sheet.rows[i];
        plan.rows[i].includesVault = rowInputsOf(sheet.rows[i], i).holdsVault;
    }
    return plan;
}

ConfigSheet configSheetOf(const PlanSheet& plan) {
    ConfigSheet sheet;
    sheet.modelIndex = plan.modelIndex;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        static_cast<DefinitionInputs&>(sheet.rows[i]) = plan.rows[i];
    }
    return sheet;
}

bool looksLikeWorkbook(std::string_view firstBytes) noexcept {
    if (firstBytes.starts_with(kByteOrderMark)) {
        firstBytes.remove_prefix(kByteOrderMark.size());
    }
    const auto first = std::find_if_not(firstBytes.begin(), firstBytes.end(), isBlank);
    return first != firstBytes.end() && *first == '{';
}

} // namespace brim
