#include "sheet_table.h"

#include "blanks.h"
#include "catalogue.h"
#include "report_lines.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace brim {
namespace {

constexpr std::string_view kHeadings =
    "Groups\tDisk Type\tRAID Type\tDisks/Group\tVault\tPer Group (GB)\tSubtotal (GB)";

void appendFields(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) {
            out += '\t';
        }
        out += trimBlanks(field);
        first = false;
    }
    out += '\n';
}

// The fields of the report's data line, by the same catalogue names.
void appendRow(std::string& out, const ConfigSheet& sheet, std::size_t rowIndex) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    const std::string groups = std::to_string(row.groupCount);
    const std::string disks = std::to_string(row.disksPerGroup);
    appendFields(out, {groups, Catalogue::diskReportName(row.diskType, sheet.modelIndex),
                       Catalogue::raidReportName(row.raidType), disks,
                       Catalogue::vaultWord(rowHoldsVault(sheet, rowIndex)), row.groupCapacityText,
                       row.totalCapacityText});
}

// The report's label without its ": ", so that a pasted sheet names its model as the report does.
std::string_view modelHeading() {
    return trimBlanks(report_lines::kModelLabel.substr(0, report_lines::kModelLabel.find(':')));
}

} // namespace

std::string formatSheetTable(const ConfigSheet& sheet) {
    std::string out;
    appendFields(out, {modelHeading(), Catalogue::modelName(sheet.modelIndex)});
    out += kHeadings;
    out += '\n';
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount != 0) {
            appendRow(out, sheet, i);
        }
    }
    out += '\n';
    appendFields(out, {"Total Net (GB)", sheet.netTotalGbText});
    appendFields(out, {"Total Net (TB)", sheet.netTotalTbText});
    appendFields(out, {"Total Disks", sheet.totalDisksText});
    appendFields(out, {"Arrays Needed", sheet.arraysRequiredText});
    return out;
}

} // namespace brim
