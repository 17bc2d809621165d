#include "commands/sheet_step.h"

#include <cstddef>

namespace brim {
namespace {

bool rowInputsDiffer(const GroupDefinition& a, const GroupDefinition& b) noexcept {
    return a.diskType != b.diskType || a.raidType != b.raidType ||
           a.disksPerGroup != b.disksPerGroup || a.groupCount != b.groupCount ||
           a.includesVault != b.includesVault;
}

} // namespace

bool inputsDiffer(const SheetSnapshot& a, const SheetSnapshot& b) noexcept {
    return a.sheet.modelIndex != b.sheet.modelIndex ||
           a.sheet.stickyChanges != b.sheet.stickyChanges ||
           firstChangedRow(a.sheet, b.sheet) != 0 || a.disksFieldLocked != b.disksFieldLocked;
}

int firstChangedRow(const ConfigSheet& a, const ConfigSheet& b) noexcept {
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (rowInputsDiffer(a.rows[i], b.rows[i])) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

std::vector<int> changedRows(const ConfigSheet& a, const ConfigSheet& b) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (rowInputsDiffer(a.rows[i], b.rows[i])) {
            rows.push_back(static_cast<int>(i) + 1);
        }
    }
    return rows;
}

std::string editStepName(const std::vector<int>& rows) {
    if (rows.empty()) {
        return std::string(kEditStepName);
    }
    if (rows.size() == 1) {
        return rowStepName(kEditRowStepName, rows.front());
    }
    std::string name(kEditRowsStepName);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        name += (i == 0 ? " " : ", ") + std::to_string(rows[i]);
    }
    return name;
}

std::string rowStepName(std::string_view action, int row) {
    return std::string(action) + ' ' + std::to_string(row);
}

} // namespace brim
