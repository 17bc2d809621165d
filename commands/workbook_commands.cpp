#include "commands/workbook_commands.h"

#include "commands/file_texts.h"
#include "commands/sheet_step.h"
#include "core/planner_inputs.h"
#include "core/units.h"
#include "report/atomic_file.h"
#include "report/file_access.h"
#include "report/report.h"
#include "report/report_reader.h"

#include <utility>
#include <variant>

namespace brim {

WorkbookFigures figuresLastSaved(const WorkbookFile& file) {
    return file.saved.value_or(WorkbookFigures{});
}

bool holdsUnsavedWork(const WorkbookFigures& now, const WorkbookFile& file) {
    const WorkbookFigures saved = figuresLastSaved(file);
    return now.plans != saved.plans || now.planning != saved.planning;
}

// A loss limit the window refuses is no choice: the workbook keeps none.
SizingChoices sizingChoicesOf(const CapacityChoices& choices) {
    return {choices.unit,         choices.diskType, choices.minimumFailures,
            choices.hostIopsText, choices.mbpsText, parseLossLimit(choices.maxLossText).hundredths};
}

void applySizingChoices(const SizingChoices& sizing, CapacityChoices& choices) {
    choices.unit = sizing.unit;
    choices.diskType = sizing.diskType;
    choices.minimumFailures = sizing.minimumFailures;
    choices.hostIopsText = sizing.hostIopsText;
    choices.mbpsText = sizing.mbpsText;
    choices.maxLossText =
        sizing.maxLossHundredths ? formatHundredths(*sizing.maxLossHundredths) : std::string();
}

WorkbookCommands::WorkbookCommands(WorkbookParts parts, MessageSink& messages) noexcept
    : parts_(parts), messages_(messages) {}

Workbook WorkbookCommands::current() const {
    return {planSheetOf(parts_.sheet),
            {parts_.plans.plans(), parts_.planning, sizingChoicesOf(parts_.sizing)}};
}

void WorkbookCommands::save(WorkbookFileChooser& chooser) {
    if (!parts_.file.path) {
        saveAs(chooser);
        return;
    }
    if (parts_.commands.captureInput()) {
        saveTo(*parts_.file.path);
    }
}

void WorkbookCommands::saveAs(WorkbookFileChooser& chooser) {
    if (!parts_.commands.captureInput()) {
        return;
    }
    if (const std::optional<std::string> path = chooser.chooseWorkbookFile()) {
        saveTo(*path);
    }
}

// Written as Print writes the report; only a save that went through names the file Ctrl+S
// saves to next.
void WorkbookCommands::saveTo(const std::string& path) {
    const Workbook workbook = current();
    const bool saved = saidOfSave(
        saveFileAtomically(path, formatWorkbook(workbook)), messages_,
        [&path](const SaveResult& failed) { return saveWorkbookFailedText(path, failed.reason); });
    if (!saved) {
        return;
    }
    parts_.file.path = path;
    parts_.file.saved = workbook.figures;
}

// The file is read once, as much of it as a workbook may hold: a larger report is still
// refused for its size.
void WorkbookCommands::openFile(const std::string& path, Questions& questions) {
    if (const std::optional<std::string> text = readOrSay(path, kOpenReadBytes)) {
        openText(path, *text, questions);
    }
}

bool WorkbookCommands::openText(const std::string& path, std::string_view text,
                                Questions& questions) {
    return looksLikeWorkbook(text) ? openWorkbookText(path, text, questions) : openReportText(text);
}

void WorkbookCommands::openReport(const std::string& path) {
    if (const std::optional<std::string> text = readOrSay(path, kMaxReportBytes + 1)) {
        openReportText(*text);
    }
}

void WorkbookCommands::openWorkbook(const std::string& path, Questions& questions) {
    if (const std::optional<std::string> text = readOrSay(path, kOpenReadBytes)) {
        openWorkbookText(path, *text, questions);
    }
}

std::optional<std::string> WorkbookCommands::readOrSay(const std::string& path,
                                                       std::size_t maxBytes) {
    FileStart start = readFileStart(path, maxBytes);
    if (const auto* failure = std::get_if<FileFailure>(&start)) {
        messages_.show(openFailedText(path, failure->reason));
        return std::nullopt;
    }
    return std::move(std::get<std::string>(start));
}

bool WorkbookCommands::openReportText(std::string_view text) {
    const ReportReading reading = readReport(text);
    if (const auto* refusal = std::get_if<ReportRefusal>(&reading)) {
        messages_.show(refusal->message);
        return false;
    }
    const auto& opened = std::get<OpenedReport>(reading);
    parts_.commands.openPlan(opened.plan, opened.version);
    return true;
}

// Figures that equal a saved workbook's, or the program's defaults before any was saved, lose
// nothing; nor does a workbook that holds the same.
bool WorkbookCommands::replacesUnsavedFigures(const WorkbookFigures& incoming) const {
    const WorkbookFigures now = current().figures;
    if (now == incoming) {
        return false;
    }
    return now != figuresLastSaved(parts_.file);
}

bool WorkbookCommands::mayClose(WorkbookFileChooser& chooser, ClosingQuestion& question) {
    if (!holdsUnsavedWork(current().figures, parts_.file)) {
        return true;
    }
    switch (question.askBeforeClosing(kSaveBeforeClosingQuestion)) {
    case ClosingAnswer::Save:
        save(chooser);
        return !holdsUnsavedWork(current().figures, parts_.file);
    case ClosingAnswer::Discard:
        return true;
    case ClosingAnswer::Cancel:
        return false;
    }
    return false;
}

bool WorkbookCommands::openWorkbookText(const std::string& path, std::string_view text,
                                        Questions& questions) {
    WorkbookReading reading = readWorkbook(text);
    if (const auto* refusal = std::get_if<WorkbookRefusal>(&reading)) {
        messages_.show(refusal->message);
        return false;
    }
    Workbook& workbook = std::get<Workbook>(reading);
    if (replacesUnsavedFigures(workbook.figures) && !questions.ask(kReplaceFiguresQuestion)) {
        return false;
    }
    parts_.plans.replaceAll(workbook.figures.plans);
    parts_.planning = workbook.figures.planning;
    applySizingChoices(workbook.figures.sizing, parts_.sizing);
    parts_.file.path = path;
    parts_.file.saved = std::move(workbook.figures);
    parts_.commands.putSheet(configSheetOf(workbook.sheet), std::string(kOpenWorkbookStepName));
    return true;
}

} // namespace brim
