#pragma once

#include "core/config_sheet.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace brim {

// A printed report is the plan's file: it holds the model and every definition with groups.
// Reading one back takes the plan from its lines loosely, prints that plan again with
// formatReport and accepts the file only when every line stands as printed (with LF or CR LF
// line ends, with or without the final one, with a byte order mark in front, and with blanks at
// line ends or blank lines after the definitions, as editors leave them; the version and the
// date are free text). Anything else is refused with one message: the line, what the writer
// prints there and what was found.

inline constexpr std::size_t kMaxReportBytes = 64 * 1024;

struct OpenedReport {
    std::string version; // the title line's version text, as printed
    // The model, one row per data line in order (rows 1 to `definitions`), the rows after them at
    // their defaults, and the result texts as printed: the totals as they stood after their
    // labels, the rows' capacities in the form Compute writes them.
    ConfigSheet plan;
    int definitions = 0;
};

struct ReportRefusal {
    std::string message;
};

using ReportReading = std::variant<OpenedReport, ReportRefusal>;

// The whole text of a report file, read from nothing else.
ReportReading readReport(std::string_view text);

// The open-file chooser: the report the user picked (UTF-8), or nothing when they cancelled.
class ReportOpenChooser {
public:
    virtual ~ReportOpenChooser() = default;
    virtual std::optional<std::string> chooseReportToOpen() = 0;
};

} // namespace brim
