// growth FILE [--years N] [--growth PERCENT]: the Growth Plan schedule of the file's sheet, from
// the window's planner; an option is typed into its field, and refused as the field refuses it.

#include "cli/cli_commands.h"
#include "cli/json_text.h"
#include "commands/command_line_texts.h"
#include "commands/growth_planner.h"
#include "commands/planner_units.h"

#include <array>

namespace brim {
namespace {

constexpr std::string_view kGrowthFormat = "Brimcount growth";
constexpr int kGrowthFormatVersion = 1;

struct GrowthOption {
    std::string_view name;
    GrowthFigure figure;
};
constexpr std::array<GrowthOption, 2> kGrowthFields{{
    {"--years", GrowthFigure::Years},
    {"--growth", GrowthFigure::CapacityGrowth},
}};

// A cell the window shows as the dash, or leaves empty, is null.
void appendCell(JsonText& json, std::string_view text, const CellFigure& figure) {
    if (text == kNoFigureText || text.empty()) {
        json.null();
    } else {
        appendCellFigure(json, figure);
    }
}

void appendLine(JsonText& json, const GrowthTextLine& texts, const GrowthFigureLine& figures,
                std::size_t first) {
    json.beginObject();
    for (std::size_t column = first; column < kGrowthColumnCount; ++column) {
        json.key(kGrowthKeys[column]);
        appendCell(json, texts[column], figures[column]);
    }
    json.endObject();
}

std::string growthJson(const GrowthPlanner& planner, std::string_view brokenRule) {
    const std::vector<GrowthTextLine>& texts = planner.lines();
    const std::vector<GrowthFigureLine> figures = growthFigureLines(planner.schedule());
    JsonText json;
    json.beginObject();
    json.key("format");
    json.text(kGrowthFormat);
    json.key("formatVersion");
    json.number(kGrowthFormatVersion);
    json.key("brokenRule");
    brokenRule.empty() ? json.null() : json.text(brokenRule);
    json.key("notes");
    json.beginArray();
    for (const std::string& note : planner.notes()) {
        json.text(note);
    }
    json.endArray();
    json.key("years");
    json.beginArray();
    const bool scheduled = !texts.empty() && texts.size() == figures.size();
    for (std::size_t i = 0; scheduled && i + 1 < texts.size(); ++i) {
        appendLine(json, texts[i], figures[i], 0);
    }
    json.endArray();
    json.key("total");
    scheduled ? appendLine(json, texts.back(), figures.back(), 1) : json.null();
    json.endObject();
    return json.finished();
}

} // namespace

ExitStatus runGrowth(const ParsedCommand& command, ProgramStreams& streams) {
    SheetSession session;
    const std::optional<OutputFormat> format = startTableCommand(command, session, streams);
    if (!format) {
        return ExitStatus::Refused;
    }
    const std::string& operand = command.operands.front();
    GrowthPlanner planner(session.sheet(), session.planning(), statedWorkload(session.sizing()),
                          windowRowDiskNames());
    for (const GrowthOption& option : kGrowthFields) {
        if (const std::optional<std::string> typed = command.value(option.name)) {
            if (const std::string_view refusal = planner.typeField(option.figure, *typed);
                !refusal.empty()) {
                return refuseUsage(optionRefusalText(option.name, *typed, refusal), streams);
            }
        }
    }
    const std::vector<PlanRule> rules = session.brokenRules();
    const ExitStatus status =
        sayBrokenRules(ProgramStreams::nameOf(operand), std::span(rules).first(1), streams);
    GrowthColumnsShown every{};
    every.fill(true);
    streams.write(*format == OutputFormat::Json ? growthJson(planner, rules.front().brokenRule)
                                                : planner.copyText(every));
    return status;
}

} // namespace brim
