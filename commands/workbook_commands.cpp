#include "workbook_commands.h"

#include "atomic_file.h"
#include "planner_inputs.h"
#include "report.h"
#include "report_reader.h"
#include "sheet_step.h"
#include "units.h"

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
    switch (saveFileAtomically(path, formatWorkbook(workbook))) {
    case SaveOutcome::Saved:
        parts_.file.path = path;
        parts_.file.saved = workbook.figures;
        break;
    case SaveOutcome::OpenFailed:
        messages_.show(kOpenFailedMessage);
        break;
    case SaveOutcome::WriteFailed:
        messages_.show(kWriteFailedMessage);
        break;
    }
}

void WorkbookCommands::openFile(const std::string& path, Questions& questions) {
    const std::optional<std::string> start = readFileStart(path, kMaxWorkbookBytes + 1);
    if (start && looksLikeWorkbook(*start)) {
        openWorkbook(path, questions);
    } else {
        openReport(path); // which says so when the file cannot be read
    }
}

void WorkbookCommands::openReport(const std::string& path) {
    const ReportReading reading = readReportFile(path);
    if (const auto* refusal = std::get_if<ReportRefusal>(&reading)) {
        messages_.show(refusal->message);
        return;
    }
    const auto& opened = std::get<OpenedReport>(reading);
    parts_.commands.openPlan(opened.plan, opened.version);
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

void WorkbookCommands::openWorkbook(const std::string& path, Questions& questions) {
    WorkbookReading reading = readWorkbookFile(path);
    if (const auto* refusal = std::get_if<WorkbookRefusal>(&reading)) {
        messages_.show(refusal->message);
        return;
    }
    Workbook& workbook = std::get<Workbook>(reading);
    if (replacesUnsavedFigures(workbook.figures) && !questions.ask(kReplaceFiguresQuestion)) {
        return;
    }
    parts_.plans.replaceAll(workbook.figures.plans);
    parts_.planning = workbook.figures.planning;
    applySizingChoices(workbook.figures.sizing, parts_.sizing);
    parts_.file.path = path;
    parts_.file.saved = std::move(workbook.figures);
    parts_.commands.putSheet(configSheetOf(workbook.sheet), std::string(kOpenWorkbookStepName));
}

} // namespace brim
