#include "commands/file_texts.h"

#include "commands/workbook_commands.h"

#include <filesystem>

namespace brim {
namespace {

std::string sentence(std::string_view opening, std::string_view path, std::string_view reason,
                     std::string_view withoutReason) {
    std::string text(opening);
    text += path;
    text += ": ";
    text += reason.empty() ? withoutReason : reason;
    text += '.';
    return text;
}

// A menu entry's text takes "&" as the mark of its access key; "&&" shows one.
std::string shownInMenu(std::string_view name) {
    std::string shown;
    for (const char c : name) {
        shown += c;
        if (c == '&') {
            shown += '&';
        }
    }
    return shown;
}

} // namespace

std::string openFailedText(std::string_view path, std::string_view reason) {
    return sentence("Could not open ", path, reason, FileWords::kNotRead);
}

std::string saveWorkbookFailedText(std::string_view path, std::string_view reason) {
    return sentence("Could not save the workbook to ", path, reason, FileWords::kNotWritten);
}

std::string saveReportFailedText(std::string_view path, std::string_view reason) {
    return sentence("Could not save the report to ", path, reason, FileWords::kNotWritten);
}

std::string savePlanFailedText(std::string_view path, std::string_view reason) {
    return sentence("Could not save the plan to ", path, reason, FileWords::kNotWritten);
}

std::string saveWorkbookEntryText(const WorkbookFile& file) {
    if (!file.path) {
        return std::string(FileWords::kSaveWorkbookEntry);
    }
    const std::string name = std::filesystem::path(*file.path).filename().string();
    return std::string(FileWords::kSaveWorkbookToEntry) + " (" + shownInMenu(name) + ')';
}

} // namespace brim
