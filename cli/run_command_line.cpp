#include "cli/cli_commands.h"
#include "commands/command_line_texts.h"
#include "commands/file_texts.h"
#include "report/file_access.h"

#include <variant>

namespace brim {

ExitStatus refuseUsage(std::string_view why, ProgramStreams& streams) {
    streams.say(usageRefusal(why));
    return ExitStatus::Refused;
}

std::optional<OutputFormat> outputFormatOf(const ParsedCommand& command, OutputFormat otherwise,
                                           ProgramStreams& streams) {
    const std::optional<std::string> format = command.value("--format");
    if (!format) {
        return otherwise;
    }
    if (*format == "tsv") {
        return OutputFormat::Tsv;
    }
    if (*format == "json") {
        return OutputFormat::Json;
    }
    refuseUsage(CommandLineWords::kBadFormat, streams);
    return std::nullopt;
}

std::optional<ReportTime> clockOf(const ParsedCommand& command, ProgramStreams& streams) {
    const std::optional<std::string> at = command.value("--at");
    if (!at) {
        return currentLocalTime();
    }
    const std::optional<ReportTime> given = parseReportTime(*at);
    if (!given) {
        refuseUsage(CommandLineWords::kBadTime, streams);
    }
    return given;
}

std::optional<OutputFormat> startTableCommand(const ParsedCommand& command, SheetSession& session,
                                              ProgramStreams& streams) {
    const std::optional<OutputFormat> format = outputFormatOf(command, OutputFormat::Tsv, streams);
    if (!format || !openOperand(command.operands.front(), session, streams)) {
        return std::nullopt;
    }
    return format;
}

bool openOperand(const std::string& operand, SheetSession& session, ProgramStreams& streams,
                 std::string* text) {
    const std::string name = ProgramStreams::nameOf(operand);
    FileStart start = streams.read(operand);
    if (const auto* failure = std::get_if<FileFailure>(&start)) {
        streams.say(openFailedText(name, failure->reason));
        return false;
    }
    const std::string& read = std::get<std::string>(start);
    const bool opened = session.open(name, read);
    if (!opened) {
        for (const std::string& message : session.messages()) {
            streams.say(ofFile(name, message));
        }
    }
    if (text) {
        *text = read;
    }
    return opened;
}

ExitStatus sayBrokenRules(std::string_view file, std::span<const PlanRule> rules,
                          ProgramStreams& streams) {
    ExitStatus status = ExitStatus::Done;
    for (const PlanRule& rule : rules) {
        if (!rule.brokenRule.empty()) {
            streams.say(ofFile(ofFile(file, rule.plan), rule.brokenRule));
            status = ExitStatus::Found;
        }
    }
    return status;
}

int runCommandLine(std::span<const std::string> arguments, std::string_view version) {
    ProgramStreams streams;
    const CommandLineReading reading = readCommandLine(arguments);
    if (const auto* refusal = std::get_if<std::string>(&reading)) {
        return static_cast<int>(refuseUsage(*refusal, streams));
    }
    if (const auto* asked = std::get_if<AskedFor>(&reading)) {
        const std::string text =
            *asked == AskedFor::Help ? commandLineUsage() : commandLineVersion(version) + '\n';
        return streams.write(text) ? 0 : static_cast<int>(ExitStatus::Refused);
    }
    const auto& command = std::get<ParsedCommand>(reading);
    ExitStatus status = ExitStatus::Done;
    switch (command.entry->command) {
    case CommandName::Report:
        status = runReport(command, streams);
        break;
    case CommandName::Check:
        status = runCheck(command, streams);
        break;
    case CommandName::Reprice:
        status = runReprice(command, streams);
        break;
    case CommandName::Size:
        status = runSize(command, streams);
        break;
    case CommandName::Performance:
        status = runPerformance(command, streams);
        break;
    case CommandName::Compare:
        status = runCompare(command, streams);
        break;
    case CommandName::Growth:
        status = runGrowth(command, streams);
        break;
    case CommandName::Plan:
        status = runPlan(command, streams);
        break;
    }
    if (streams.outputFailed()) {
        status = ExitStatus::Refused;
    }
    return static_cast<int>(status);
}

} // namespace brim
