// performance FILE [--table lines|order|figures]: a table of Sheet Performance, from the
// window's plan over the file's sheet and planning figures.

#include "cli/cli_commands.h"
#include "cli/json_text.h"
#include "commands/command_line_texts.h"
#include "commands/performance_table_text.h"

#include <array>

namespace brim {
namespace {

constexpr std::string_view kPerformanceFormat = "Brimcount performance";
constexpr int kPerformanceFormatVersion = 1;

struct TableName {
    std::string_view name;
    PerformanceTable table;
};
constexpr std::array<TableName, 3> kTableNames{{
    {"lines", PerformanceTable::Lines},
    {"order", PerformanceTable::Order},
    {"figures", PerformanceTable::Figures},
}};

std::optional<TableName> tableOf(const ParsedCommand& command) {
    const std::string asked = command.value("--table").value_or("lines");
    for (const TableName& table : kTableNames) {
        if (table.name == asked) {
            return table;
        }
    }
    return std::nullopt;
}

template <std::size_t Count>
void appendLine(JsonText& json, std::span<const std::string_view, Count> keys,
                std::span<const CellFigure, Count> figures, std::size_t first = 0) {
    json.beginObject();
    for (std::size_t i = first; i < Count; ++i) {
        json.key(keys[i]);
        appendCellFigure(json, figures[i]);
    }
    json.endObject();
}

// The rows' lines, each with the rule it breaks (null when none), and the Total apart.
void appendSheetLines(JsonText& json, const SheetPerformancePlan& plan) {
    const auto& lines = plan.performanceLines();
    json.key("lines");
    json.beginArray();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        json.beginObject();
        json.key("brokenRule");
        lines[i].brokenRule ? json.text(lines[i][PerformanceColumn::DiskType]) : json.null();
        for (std::size_t column = 0; column < kPerformanceColumnCount; ++column) {
            json.key(kSheetLineKeys[column]);
            appendCellFigure(json, lines[i].figures[column]);
        }
        json.endObject();
    }
    json.endArray();
    json.key("total");
    if (lines.empty()) {
        json.null();
    } else {
        appendLine(json, std::span(kSheetLineKeys), std::span(lines.back().figures), 1);
    }
}

void appendOrderLines(JsonText& json, const SheetPerformancePlan& plan) {
    const auto& lines = plan.orderFigures();
    json.key("lines");
    json.beginArray();
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        appendLine(json, std::span(kOrderLineKeys), std::span(lines[i]));
    }
    json.endArray();
    json.key("total");
    if (lines.empty()) {
        json.null();
    } else {
        appendLine(json, std::span(kOrderLineKeys), std::span(lines.back()), 1);
    }
}

void appendFigureLines(JsonText& json, const SheetPerformancePlan& plan) {
    json.key("lines");
    json.beginArray();
    for (std::size_t line = 0; line < plan.diskTypes().size(); ++line) {
        json.beginObject();
        for (std::size_t column = 0; column < kFigureColumnCount; ++column) {
            json.key(kFigureKeys[column]);
            appendCellFigure(json, figureCellFigure(plan, line, column));
        }
        json.endObject();
    }
    json.endArray();
}

std::string performanceJson(const SheetPerformancePlan& plan, const TableName& table,
                            std::string_view brokenRule) {
    JsonText json;
    json.beginObject();
    json.key("format");
    json.text(kPerformanceFormat);
    json.key("formatVersion");
    json.number(kPerformanceFormatVersion);
    json.key("table");
    json.text(table.name);
    json.key("brokenRule");
    brokenRule.empty() ? json.null() : json.text(brokenRule);
    switch (table.table) {
    case PerformanceTable::Lines:
        appendSheetLines(json, plan);
        break;
    case PerformanceTable::Order:
        appendOrderLines(json, plan);
        break;
    case PerformanceTable::Figures:
        appendFigureLines(json, plan);
        break;
    }
    json.endObject();
    return json.finished();
}

} // namespace

ExitStatus runPerformance(const ParsedCommand& command, ProgramStreams& streams) {
    const std::optional<OutputFormat> format = outputFormatOf(command, OutputFormat::Tsv, streams);
    if (!format) {
        return ExitStatus::Refused;
    }
    const std::optional<TableName> table = tableOf(command);
    if (!table) {
        return refuseUsage(CommandLineWords::kBadTable, streams);
    }
    SheetSession session;
    const std::string& operand = command.operands.front();
    if (!openOperand(operand, session, streams)) {
        return ExitStatus::Refused;
    }
    const SheetPerformancePlan plan(session.sheet(), session.planning(), windowRowDiskNames());
    const std::vector<PlanRule> rules = session.brokenRules();
    const ExitStatus status =
        sayBrokenRules(ProgramStreams::nameOf(operand), std::span(rules).first(1), streams);
    streams.write(*format == OutputFormat::Json
                      ? performanceJson(plan, *table, rules.front().brokenRule)
                      : performanceTableText(plan, table->table));
    return status;
}

} // namespace brim
