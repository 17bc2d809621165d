#include "report/sheet_table.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "report/report_lines.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace brim {
namespace {

template <typename Field> void appendFields(std::string& out, std::span<const Field> fields) {
    bool first = true;
    for (const Field& field : fields) {
        if (!first) {
            out += '\t';
        }
        out += field;
        first = false;
    }
    out += '\n';
}

// The fields of the report's data line, by the same catalogue names.
SheetTableLine lineOf(const ConfigSheet& sheet, std::size_t rowIndex) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    return {std::to_string(row.groupCount),
            std::string(trimBlanks(Catalogue::diskReportName(row.diskType, sheet.modelIndex))),
            std::string(trimBlanks(Catalogue::raidReportName(row.raidType))),
            std::to_string(row.disksPerGroup),
            std::string(trimBlanks(Catalogue::vaultWord(rowHoldsVault(sheet, rowIndex)))),
            std::string(trimBlanks(row.groupCapacityText)),
            std::string(trimBlanks(row.totalCapacityText))};
}

// The report's label without its ": ", so that a pasted sheet names its model as the report does.
std::string_view modelHeading() {
    return trimBlanks(report_lines::kModelLabel.substr(0, report_lines::kModelLabel.find(':')));
}

} // namespace

SheetTableFields sheetTableFields(const ConfigSheet& sheet) {
    SheetTableFields fields;
    fields.modelHeading = modelHeading();
    fields.modelName = trimBlanks(Catalogue::modelName(sheet.modelIndex));
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount != 0) {
            fields.lines.push_back(lineOf(sheet, i));
        }
    }
    fields.totals = {{{"Total Net (GB)", std::string(trimBlanks(sheet.netTotalGbText))},
                      {"Total Net (TB)", std::string(trimBlanks(sheet.netTotalTbText))},
                      {"Total Disks", std::string(trimBlanks(sheet.totalDisksText))},
                      {"Arrays Needed", std::string(trimBlanks(sheet.arraysRequiredText))}}};
    return fields;
}

std::string formatSheetTable(const ConfigSheet& sheet) {
    const SheetTableFields fields = sheetTableFields(sheet);
    std::string out;
    const std::array<std::string_view, 2> model{fields.modelHeading, fields.modelName};
    appendFields<std::string_view>(out, model);
    appendFields<std::string_view>(out, kSheetTableHeadings);
    for (const SheetTableLine& line : fields.lines) {
        appendFields<std::string>(out, line);
    }
    out += '\n';
    for (const SheetTableTotal& total : fields.totals) {
        const std::array<std::string_view, 2> pair{total.label, total.text};
        appendFields<std::string_view>(out, pair);
    }
    return out;
}

} // namespace brim
