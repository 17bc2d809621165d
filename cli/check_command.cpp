// check FILE... [--format tsv|json]: the first rule the sheet and each kept plan break, as
// Compare Plans finds it after Open.

#include "cli/cli_commands.h"
#include "cli/json_text.h"
#include "commands/command_line_texts.h"
#include "commands/table_text.h"

#include <array>
#include <vector>

namespace brim {
namespace {

constexpr std::string_view kCheckFormat = "Brimcount check";
constexpr int kCheckFormatVersion = 1;
constexpr std::array<std::string_view, 3> kCheckHeadings{"File", "Plan", "Broken rule"};

// What one file gave: its plans' rules, or none when it could not be opened.
struct FileCheck {
    std::string name;
    std::optional<std::vector<PlanRule>> plans;
};

std::string brokenRuleLines(const FileCheck& file) {
    std::string text;
    for (const PlanRule& plan : file.plans.value_or(std::vector<PlanRule>{})) {
        if (!plan.brokenRule.empty()) {
            text += ofFile(ofFile(file.name, plan.plan), plan.brokenRule) + '\n';
        }
    }
    return text;
}

// Every plan of the file, a sound one with an empty rule.
std::string tableLines(const FileCheck& file) {
    std::string text;
    for (const PlanRule& plan : file.plans.value_or(std::vector<PlanRule>{})) {
        const std::array<std::string_view, 3> cells{file.name, plan.plan, plan.brokenRule};
        appendTableLine(text, cells);
    }
    return text;
}

void appendJson(JsonText& json, const FileCheck& file) {
    json.beginObject();
    json.key("file");
    json.text(file.name);
    json.key("plans");
    if (!file.plans) {
        json.null();
    } else {
        json.beginArray();
        for (const PlanRule& plan : *file.plans) {
            json.beginObject();
            json.key("plan");
            json.text(plan.plan);
            json.key("brokenRule");
            plan.brokenRule.empty() ? json.null() : json.text(plan.brokenRule);
            json.endObject();
        }
        json.endArray();
    }
    json.endObject();
}

} // namespace

ExitStatus runCheck(const ParsedCommand& command, ProgramStreams& streams) {
    const std::optional<OutputFormat> format =
        outputFormatOf(command, OutputFormat::Lines, streams);
    if (!format) {
        return ExitStatus::Refused;
    }
    JsonText json;
    if (*format == OutputFormat::Json) {
        json.beginObject();
        json.key("format");
        json.text(kCheckFormat);
        json.key("formatVersion");
        json.number(kCheckFormatVersion);
        json.key("files");
        json.beginArray();
    } else if (*format == OutputFormat::Tsv) {
        std::string headings;
        appendTableLine(headings, kCheckHeadings);
        streams.write(headings);
    }
    ExitStatus status = ExitStatus::Done;
    for (const std::string& operand : command.operands) {
        FileCheck file{ProgramStreams::nameOf(operand), std::nullopt};
        SheetSession session;
        if (openOperand(operand, session, streams)) {
            file.plans = session.brokenRules();
            for (const PlanRule& plan : *file.plans) {
                status =
                    worseOf(status, plan.brokenRule.empty() ? ExitStatus::Done : ExitStatus::Found);
            }
        } else {
            status = ExitStatus::Refused;
        }
        if (*format == OutputFormat::Json) {
            appendJson(json, file);
        } else {
            streams.write(*format == OutputFormat::Tsv ? tableLines(file) : brokenRuleLines(file));
        }
    }
    if (*format == OutputFormat::Json) {
        json.endArray();
        json.endObject();
        streams.write(json.finished());
    }
    return status;
}

} // namespace brim
