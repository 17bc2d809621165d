#pragma once

// What the planner reads about the files Open and Save Workbook work on: the file choosers'
// titles, the Save Workbook entry of the window menu and the sentences of a failure, which name
// the file and the system's reason. Print's own messages are in report.h.

#include <string>
#include <string_view>

namespace brim {

struct WorkbookFile;

struct FileWords {
    static constexpr std::string_view kSaveWorkbookTitle = "Save Workbook";
    static constexpr std::string_view kOpenTitle = "Open";

    // Save Workbook while it asks for a file, and once it saves to one, before " (name)".
    static constexpr std::string_view kSaveWorkbookEntry = "&Save Workbook...";
    static constexpr std::string_view kSaveWorkbookToEntry = "&Save Workbook";

    // The reasons given when the system gives none.
    static constexpr std::string_view kNotRead = "could not be read";
    static constexpr std::string_view kNotWritten = "could not be written";
};

// "Could not open /srv/plans/acme.brimcount: No such file or directory."; an empty reason
// reads "could not be read".
std::string openFailedText(std::string_view path, std::string_view reason);

// "Could not save the workbook to /srv/plans/acme.brimcount: Permission denied."; an empty
// reason reads "could not be written".
std::string saveWorkbookFailedText(std::string_view path, std::string_view reason);

// "Could not save the report to /srv/plans/acme.txt: Permission denied."; an empty reason reads
// "could not be written". The command line's word for Print's two messages, naming the file.
std::string saveReportFailedText(std::string_view path, std::string_view reason);
// "Could not save the plan to /srv/plans/acme.pdf: Permission denied.", as the report's.
std::string savePlanFailedText(std::string_view path, std::string_view reason);

// The Save Workbook entry for the file it saves to: "&Save Workbook (plans.brimcount)", the
// file's name alone, an "&" in it doubled so that it shows; "&Save Workbook..." before a
// workbook was saved or opened.
std::string saveWorkbookEntryText(const WorkbookFile& file);

} // namespace brim
