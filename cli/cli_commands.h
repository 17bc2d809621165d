#pragma once

// The commands of the command line, each over the classes the windows use: a file is opened as
// Open opens it (SheetSession), figures and messages are those of commands/ and report/.

#include "cli/command_line.h"
#include "cli/program_streams.h"
#include "commands/sheet_session.h"
#include "report/report.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brim {

ExitStatus runReport(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runCheck(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runReprice(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runSize(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runPerformance(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runCompare(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runGrowth(const ParsedCommand& command, ProgramStreams& streams);
ExitStatus runPlan(const ParsedCommand& command, ProgramStreams& streams);

// The whole program: the arguments after its name, and its exit status.
int runCommandLine(std::span<const std::string> arguments, std::string_view version);

// --- what the commands share ----------------------------------------------------------------

// How a table command writes its result: the copy's tab-separated text, or JSON.
enum class OutputFormat : std::uint8_t { Lines, Tsv, Json };

// --format's value; `otherwise` without one. Nothing, with the refusal said, for another word.
std::optional<OutputFormat> outputFormatOf(const ParsedCommand& command, OutputFormat otherwise,
                                           ProgramStreams& streams);

// Reads the operand and opens it into the session as Open does; false, with every message
// said (each naming the file), when it cannot be read or is refused. `text` keeps what was read.
bool openOperand(const std::string& operand, SheetSession& session, ProgramStreams& streams,
                 std::string* text = nullptr);

// Each plan of `rules` that breaks one, said as check prints it ("acme.brimcount: sheet:
// ..."), and Found when any does.
ExitStatus sayBrokenRules(std::string_view file, std::span<const PlanRule> rules,
                          ProgramStreams& streams);

// A usage refusal said, and its status.
ExitStatus refuseUsage(std::string_view why, ProgramStreams& streams);

// "2026-03-07 09:05:03" as the report's clock reads it; nothing for any other text or a date
// that does not exist.
std::optional<ReportTime> parseReportTime(std::string_view text);

// The clock a command's date line reads: --at's time, or now; nothing, with the refusal said,
// for an --at that is no such time.
std::optional<ReportTime> clockOf(const ParsedCommand& command, ProgramStreams& streams);

// A table command's start: its --format (tab-separated unless asked) and its one FILE opened
// into `session` as Open opens it; nothing, with every refusal said, when either is refused.
std::optional<OutputFormat> startTableCommand(const ParsedCommand& command, SheetSession& session,
                                              ProgramStreams& streams);

} // namespace brim
