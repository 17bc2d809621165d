#pragma once

#include "config_sheet.h"
#include "message_sink.h"

#include <optional>
#include <string>

namespace brim {

// The local date and time of one reading of the clock, broken down as the report writes it.
struct ReportTime {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;
};

ReportTime currentLocalTime();

// Lines 1 to 4 of the report (title, date, rule, model), each ending in a line feed.
std::string formatReportHeader(const ConfigSheet& sheet, const ReportTime& time);
// The whole report text: header, totals, column headings and one line per row with groups.
std::string formatReport(const ConfigSheet& sheet, const ReportTime& time);

// The save-file chooser: the path the user confirmed, or nothing when they cancelled.
class ReportFileChooser {
public:
    virtual ~ReportFileChooser() = default;
    virtual std::optional<std::string> chooseReportFile() = 0;
};

// The Print command: asks for a file and writes the sheet as it stands (no capture, no
// recompute). At most one file replaced and at most one message shown.
void printReport(const ConfigSheet& sheet, ReportFileChooser& chooser, MessageSink& messages);

} // namespace brim
