// plan FILE -o OUT.pdf [--page A4|Letter] [--at TIME]: what Print Plan prints after Open, as a
// PDF. Only this command starts Qt Gui, and on its offscreen platform.

#include "cli/cli_commands.h"
#include "commands/command_line_texts.h"
#include "commands/file_texts.h"
#include "commands/plan_document.h"
#include "print/plan_pdf.h"
#include "print/window_font.h"
#include "report/atomic_file.h"

#include <QLocale>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace brim {
namespace {

constexpr std::string_view kStandardOutputOperand = "-";
// Set to any value, the command says on standard error what each of its steps took.
constexpr char kStepTimesVariable[] = "BRIMCOUNT_CLI_STEP_TIMES";

struct PageName {
    std::string_view name;
    PlanPage page;
};
constexpr std::array<PageName, 2> kPageNames{{{"A4", PlanPage::A4}, {"Letter", PlanPage::Letter}}};

std::optional<PlanPage> pageOf(const ParsedCommand& command) {
    const std::optional<std::string> asked = command.value("--page");
    if (!asked) {
        return PlanPage::A4;
    }
    for (const PageName& page : kPageNames) {
        if (*asked == page.name) {
            return page.page;
        }
    }
    return std::nullopt;
}

// The milliseconds of each step, from the last mark.
class StepClock {
public:
    double lap() {
        const auto now = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
        last_ = now;
        return ms;
    }

private:
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// The document as the window's Print Plan makes it of the same workbook: the kept plans and
// the charted figure, the years ahead grown from Size for Capacity's fields, the locale's digit
// grouping, the rows' disks named as the main window's lists name them.
PlanDocument documentOf(const SheetSession& session, const PlanningAssumptions& planning,
                        CalendarDate date) {
    const std::vector<KeptPlan> kept = keptPlansOf(session.keptPlans());
    const RowDiskNames names = windowRowDiskNames();
    const std::string separator = QLocale().groupSeparator().toStdString();
    return planDocument({session.sheet(), planning, names, kept,
                         printedFigureOf(session.keptPlans().chartedFigure()), date, separator,
                         statedWorkload(session.sizing())});
}

ExitStatus writePdf(const std::string& out, const std::string& pdf, ProgramStreams& streams) {
    if (out == kStandardOutputOperand) {
        return streams.write(pdf) ? ExitStatus::Done : ExitStatus::Refused;
    }
    const SaveResult saved = saveFileAtomically(out, pdf);
    if (saved.outcome != SaveOutcome::Saved) {
        streams.say(savePlanFailedText(out, saved.reason));
        return ExitStatus::Refused;
    }
    return ExitStatus::Done;
}

} // namespace

ExitStatus runPlan(const ParsedCommand& command, ProgramStreams& streams) {
    StepClock clock;
    const std::optional<std::string> out = command.value("-o");
    if (!out) {
        return refuseUsage(requiredOptionText(command.entry->name, "-o OUT.pdf"), streams);
    }
    const std::optional<PlanPage> page = pageOf(command);
    if (!page) {
        return refuseUsage(CommandLineWords::kBadPage, streams);
    }
    const std::optional<ReportTime> dated = clockOf(command, streams);
    if (!dated) {
        return ExitStatus::Refused;
    }
    const ReportTime time = *dated;
    const std::string& operand = command.operands.front();
    const std::string name = ProgramStreams::nameOf(operand);
    SheetSession session;
    if (!openOperand(operand, session, streams)) {
        return ExitStatus::Refused;
    }
    session.commands().computeBeforeOutput();
    for (const std::string& message : session.messages()) {
        streams.say(ofFile(name, message));
    }
    const PlanDocument document =
        documentOf(session, session.planning(), {time.year, time.month, time.day});
    const double openMs = clock.lap();
    const OffscreenToolkit toolkit(CommandLineWords::kProgram.data());
    PlanPdf pdf(*page);
    const QFont font = dialogFont();
    const double startMs = clock.lap();
    pdf.layOut(document, font);
    const double layoutMs = clock.lap();
    const ExitStatus written = writePdf(*out, pdf.write(), streams);
    const double writeMs = clock.lap();
    if (std::getenv(kStepTimesVariable) != nullptr) {
        std::fprintf(stderr,
                     "plan steps: open %.1f ms, start %.1f ms, layout %.1f ms, pdf %.1f ms\n",
                     openMs, startMs, layoutMs, writeMs);
    }
    return worseOf(written, session.messages().empty() ? ExitStatus::Done : ExitStatus::Found);
}

} // namespace brim
