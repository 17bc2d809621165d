#pragma once

#include "core/config_sheet.h"
#include "core/message_sink.h"

#include <optional>
#include <string>
#include <string_view>

namespace brim {

inline constexpr std::string_view kOpenFailedMessage = "Could not open output file.";
inline constexpr std::string_view kWriteFailedMessage = "Could not write output file.";

// The local date and time of one reading of the clock, broken down as the report writes it.
struct ReportTime {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;
};

// Reads the clock once and breaks the instant into local date and time.
ReportTime currentLocalTime();

// Lines 1 to 4 of the report (title, date, rule, model), each ending in a line feed.
std::string formatReportHeader(const ConfigSheet& sheet, const ReportTime& time);
// The whole report text: the header, totals, column headings and one line per row with
// groups, every line (the last one included) ending in a line feed.
std::string formatReport(const ConfigSheet& sheet, const ReportTime& time);

// Appends lines 1 to 4 to `output`, stamped with one reading of the local clock.
void writeReportHeader(std::string& output, const ConfigSheet& sheet);

// The save-file chooser: the path the user confirmed (UTF-8), or nothing when they cancelled.
class ReportFileChooser {
public:
    virtual ~ReportFileChooser() = default;
    virtual std::optional<std::string> chooseReportFile() = 0;
};

// The Print command: asks for a file and writes the sheet as it stands (no capture, no
// recompute). At most one file replaced and at most one message shown.
//
// The report is written atomically: to a temporary file beside the target, renamed over it only
// once every byte has reached the disk. On any failure the old file stays as it was and no
// temporary file is left. The one exception is a writable file in a folder that the user may
// not write to: no temporary file can be made there, so the file is emptied and written in
// place, every write still checked. A chosen path that is a symbolic link is followed, so the fresh
// report replaces the link's target and the link keeps pointing at it. A file without any
// write permission bit is treated as read-only and left alone, even for a user (root) whom
// the system would let write it.
void printReport(const ConfigSheet& sheet, ReportFileChooser& chooser, MessageSink& messages);

} // namespace brim
