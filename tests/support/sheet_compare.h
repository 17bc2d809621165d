#pragma once

#include "core/config_sheet.h"

#include <cstddef>
#include <string>

namespace brim::fuzz {

// The result texts of `from` put into `into`, so that two sheets can be compared on their
// inputs alone.
inline void copyResultTexts(ConfigSheet& into, const ConfigSheet& from) {
    into.netTotalGbText = from.netTotalGbText;
    into.netTotalTbText = from.netTotalTbText;
    into.totalDisksText = from.totalDisksText;
    into.arraysRequiredText = from.arraysRequiredText;
    for (std::size_t i = 0; i < into.rows.size(); ++i) {
        into.rows[i].groupCapacityText = from.rows[i].groupCapacityText;
        into.rows[i].totalCapacityText = from.rows[i].totalCapacityText;
    }
}

// The first field in which two sheets differ, named for the failure log; empty when they are
// the same in every field.
inline std::string sheetDifference(const ConfigSheet& a, const ConfigSheet& b) {
    if (a.modelIndex != b.modelIndex) {
        return "modelIndex";
    }
    if (a.stickyChanges != b.stickyChanges) {
        return "stickyChanges";
    }
    if (a.netTotalGbText != b.netTotalGbText) {
        return "netTotalGbText '" + a.netTotalGbText + "' vs '" + b.netTotalGbText + "'";
    }
    if (a.netTotalTbText != b.netTotalTbText) {
        return "netTotalTbText '" + a.netTotalTbText + "' vs '" + b.netTotalTbText + "'";
    }
    if (a.totalDisksText != b.totalDisksText) {
        return "totalDisksText '" + a.totalDisksText + "' vs '" + b.totalDisksText + "'";
    }
    if (a.arraysRequiredText != b.arraysRequiredText) {
        return "arraysRequiredText '" + a.arraysRequiredText + "' vs '" + b.arraysRequiredText +
               "'";
    }
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const GroupDefinition& x = a.rows[i];
        const GroupDefinition& y = b.rows[i];
        const std::string row = "row " + std::to_string(i + 1) + " ";
        if (x.diskType != y.diskType) {
            return row + "diskType";
        }
        if (x.raidType != y.raidType) {
            return row + "raidType";
        }
        if (x.disksPerGroup != y.disksPerGroup) {
            return row + "disksPerGroup";
        }
        if (x.groupCount != y.groupCount) {
            return row + "groupCount";
        }
        if (x.includesVault != y.includesVault) {
            return row + "includesVault";
        }
        if (x.groupCapacityText != y.groupCapacityText) {
            return row + "groupCapacityText '" + x.groupCapacityText + "' vs '" +
                   y.groupCapacityText + "'";
        }
        if (x.totalCapacityText != y.totalCapacityText) {
            return row + "totalCapacityText '" + x.totalCapacityText + "' vs '" +
                   y.totalCapacityText + "'";
        }
    }
    return {};
}

} // namespace brim::fuzz
