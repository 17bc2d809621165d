// report FILE [--plan NAME] [-o OUT] [--at TIME]: what Print writes after Open (and Put Back).

#include "cli/cli_commands.h"
#include "commands/command_line_texts.h"
#include "commands/file_texts.h"
#include "report/atomic_file.h"
#include "report/workbook.h"

#include <charconv>

namespace brim {
namespace {

constexpr std::string_view kStandardOutputOperand = "-";

struct TimeField {
    std::size_t at;
    std::size_t digits;
    int lowest;
    int highest;
    int ReportTime::*field;
};

// "YYYY-MM-DD HH:MM:SS": each field where it stands, the separators between them.
constexpr std::string_view kTimeForm = "0000-00-00 00:00:00";
constexpr std::array<TimeField, 6> kTimeFields{{
    {0, 4, 1, 9999, &ReportTime::year},
    {5, 2, 1, 12, &ReportTime::month},
    {8, 2, 1, 31, &ReportTime::day},
    {11, 2, 0, 23, &ReportTime::hour},
    {14, 2, 0, 59, &ReportTime::minute},
    {17, 2, 0, 59, &ReportTime::second},
}};

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// What Print writes, to OUT or standard output.
ExitStatus writeReport(const ParsedCommand& command, const std::string& text,
                       ProgramStreams& streams) {
    const std::optional<std::string> out = command.value("-o");
    if (!out || *out == kStandardOutputOperand) {
        return streams.write(text) ? ExitStatus::Done : ExitStatus::Refused;
    }
    const SaveResult saved = saveFileAtomically(*out, text);
    if (saved.outcome != SaveOutcome::Saved) {
        streams.say(saveReportFailedText(*out, saved.reason));
        return ExitStatus::Refused;
    }
    return ExitStatus::Done;
}

} // namespace

std::optional<ReportTime> parseReportTime(std::string_view text) {
    if (text.size() != kTimeForm.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kTimeForm[i] == '0' ? !digit : text[i] != kTimeForm[i]) {
            return std::nullopt;
        }
    }
    ReportTime time;
    for (const TimeField& field : kTimeFields) {
        int value = 0;
        std::from_chars(text.data() + field.at, text.data() + field.at + field.digits, value);
        if (value < field.lowest || value > field.highest) {
            return std::nullopt;
        }
        time.*field.field = value;
    }
    if (time.day > daysInMonth(time.year, time.month)) {
        return std::nullopt;
    }
    return time;
}

ExitStatus runReport(const ParsedCommand& command, ProgramStreams& streams) {
    const std::optional<ReportTime> clock = clockOf(command, streams);
    if (!clock) {
        return ExitStatus::Refused;
    }
    const ReportTime time = *clock;
    const std::string& operand = command.operands.front();
    const std::string name = ProgramStreams::nameOf(operand);
    SheetSession session;
    std::string read;
    if (!openOperand(operand, session, streams, &read)) {
        return ExitStatus::Refused;
    }
    if (const std::optional<std::string> plan = command.value("--plan")) {
        if (!looksLikeWorkbook(read)) {
            streams.say(reportHoldsNoPlansText(name));
            return ExitStatus::Refused;
        }
        // What the sheet's own Compute said belongs to the sheet, not to the plan put back.
        session.forgetMessages();
        if (!session.putBack(*plan)) {
            streams.say(noSuchPlanText(name, *plan));
            return ExitStatus::Refused;
        }
    }
    session.commands().computeBeforeOutput();
    for (const std::string& message : session.messages()) {
        streams.say(ofFile(name, message));
    }
    const ExitStatus written = writeReport(command, formatReport(session.sheet(), time), streams);
    return worseOf(written, session.messages().empty() ? ExitStatus::Done : ExitStatus::Found);
}

} // namespace brim
