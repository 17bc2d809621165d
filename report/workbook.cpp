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
        const GroupDefinition& row = sheet.rows[i];
        plan.rows[i] = {row.diskType, row.raidType, row.disksPerGroup, row.groupCount,
                        row.includesVault && i < kVaultRowCount};
    }
    return plan;
}

ConfigSheet configSheetOf(const PlanSheet& plan) {
    ConfigSheet sheet;
    sheet.modelIndex = plan.modelIndex;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const PlanRow& row = plan.rows[i];
        GroupDefinition& definition = sheet.rows[i];
        definition.diskType = row.diskType;
        definition.raidType = row.raidType;
        definition.disksPerGroup = row.disksPerGroup;
        definition.groupCount = row.groupCount;
        definition.includesVault = row.includesVault;
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
