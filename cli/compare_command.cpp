// compare FILE: the Compare Plans table of the file's sheet and kept plans, from the window's
// comparison, the years ahead grown with the workload its Size for Capacity fields state.

#include "cli/cli_commands.h"
#include "cli/json_text.h"
#include "commands/plan_comparison.h"
#include "commands/planner_units.h"

#include <array>

namespace brim {
namespace {

constexpr std::string_view kCompareFormat = "Brimcount compare";
constexpr int kCompareFormatVersion = 1;

// The keys of the figures' lines, in PlanFigure's order: camelCase after the headings, the years
// ahead left out (the object's "years" says them).
constexpr std::array<std::string_view, kPlanFigureCount> kPlanFigureKeys{"arrayModel",
                                                                         "definitions",
                                                                         "usableGb",
                                                                         "usableTb",
                                                                         "disks",
                                                                         "arraysNeeded",
                                                                         "disksToOrderWithSpares",
                                                                         "arraysWithSpares",
                                                                         "hostIops",
                                                                         "mbps",
                                                                         "worstReadErrorRisk",
                                                                         "chanceOfDataLossAYear",
                                                                         "cost",
                                                                         "costPerUsableTb",
                                                                         "costPer1000HostIops",
                                                                         "costOverYears",
                                                                         "usableTbInLastYear"};

// The number the cell is made from; its text where it is a name; null for the dash.
void appendCell(JsonText& json, const ComparedCell& cell) {
    if (cell.text == kNoFigureText || cell.text.empty()) {
        json.null();
    } else if (cell.value) {
        json.number(*cell.value);
    } else {
        json.text(cell.text);
    }
}

void appendColumn(JsonText& json, const ComparedColumn& column) {
    json.beginObject();
    json.key("name");
    json.text(column.name);
    json.key("brokenRule");
    column.brokenRule ? json.text(column[PlanFigure::UsableGb].text) : json.null();
    for (const PlanFigureInfo& info : kPlanFigures) {
        json.key(kPlanFigureKeys[static_cast<std::size_t>(info.figure)]);
        appendCell(json, column[info.figure]);
    }
    json.key("best");
    json.beginArray();
    for (const PlanFigureInfo& info : kPlanFigures) {
        if (column[info.figure].best) {
            json.text(kPlanFigureKeys[static_cast<std::size_t>(info.figure)]);
        }
    }
    json.endArray();
    json.endObject();
}

std::string compareJson(std::span<const ComparedColumn> columns, int years) {
    JsonText json;
    json.beginObject();
    json.key("format");
    json.text(kCompareFormat);
    json.key("formatVersion");
    json.number(kCompareFormatVersion);
    json.key("years");
    json.number(years);
    json.key("plans");
    json.beginArray();
    for (const ComparedColumn& column : columns) {
        appendColumn(json, column);
    }
    json.endArray();
    json.endObject();
    return json.finished();
}

} // namespace

ExitStatus runCompare(const ParsedCommand& command, ProgramStreams& streams) {
    SheetSession session;
    const std::optional<OutputFormat> format = startTableCommand(command, session, streams);
    if (!format) {
        return ExitStatus::Refused;
    }
    const std::string& operand = command.operands.front();
    const std::vector<ComparedColumn> columns = comparePlans(
        session.sheet(), session.plans(), session.planning(), statedWorkload(session.sizing()));
    const ExitStatus status =
        sayBrokenRules(ProgramStreams::nameOf(operand), session.brokenRules(), streams);
    const int years = session.planning().growth.years;
    streams.write(*format == OutputFormat::Json ? compareJson(columns, years)
                                                : comparisonTableText(columns, years));
    return status;
}

} // namespace brim
