#pragma once

// Save Workbook, Save Workbook As and Open (a report or a workbook), without the window. The
// main window owns what they work on for the whole run: the sheet, the kept plans, the planning
// figures, the sizing window's choices and the workbook's file.

#include "commands/capacity_planner.h"
#include "commands/closing_question.h"
#include "commands/kept_plans.h"
#include "commands/questions.h"
#include "commands/row_commands.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "core/planning_assumptions.h"
#include "report/workbook.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brim {

inline constexpr std::string_view kReplaceFiguresQuestion =
    "Replace the kept plans and planning figures with the workbook's?";

// The file Save Workbook writes to once one was saved or opened, and the figures it then held:
// what differs from them is not in any saved workbook.
struct WorkbookFile {
    std::optional<std::string> path;
    std::optional<WorkbookFigures> saved;
};

// What a workbook holds of the main window's.
struct WorkbookParts {
    RowCommands& commands;
    const ConfigSheet& sheet;
    KeptPlans& plans;
    PlanningAssumptions& planning;
    CapacityChoices& sizing;
    WorkbookFile& file;
};

// The figures of the last saved or opened workbook, or the program's start when there is none.
WorkbookFigures figuresLastSaved(const WorkbookFile& file);

// Whether the kept plans or the planning figures differ from figuresLastSaved: work that
// closing the window would lose. The sheet and the sizing window's choices do not count.
bool holdsUnsavedWork(const WorkbookFigures& now, const WorkbookFile& file);

SizingChoices sizingChoicesOf(const CapacityChoices& choices);

// The bytes Open reads of a file: as much as a workbook may hold and one more, so that a larger
// workbook or report is still refused for its size.
inline constexpr std::size_t kOpenReadBytes = kMaxWorkbookBytes + 1;
void applySizingChoices(const SizingChoices& sizing, CapacityChoices& choices);

class WorkbookCommands {
public:
    WorkbookCommands(WorkbookParts parts, MessageSink& messages) noexcept;

    // The sheet as the controls show it (a refused field saves nothing), the kept plans and the
    // planning figures, to the workbook's file; the first time, to a file the chooser asks for.
    void save(WorkbookFileChooser& chooser);
    // As save, always asking for the file.
    void saveAs(WorkbookFileChooser& chooser);

    // A workbook when the file's first character other than blanks and a byte order mark is
    // "{", a report otherwise. A file that cannot be read is named with the system's reason.
    void openFile(const std::string& path, Questions& questions);
    // As openFile, of the text read from `path` (its first kOpenReadBytes): true when the workbook
    // or the report was opened, false when it was refused (its message said) or a question
    // declined.
    bool openText(const std::string& path, std::string_view text, Questions& questions);
    void openReport(const std::string& path);
    // Checked whole first: a refused file changes nothing and says why. Asks before it replaces
    // kept plans or planning figures that no saved workbook holds.
    void openWorkbook(const std::string& path, Questions& questions);

    // Everything a save writes, the sheet's inputs as they stand.
    Workbook current() const;

    // Whether the main window may close now: at once when it holds no unsaved work, otherwise
    // as the planner answers the question. Save saves as save() does and allows closing only
    // when nothing unsaved is left (a cancelled or failed save keeps the window open); Discard
    // allows it; Cancel keeps everything as it was.
    bool mayClose(WorkbookFileChooser& chooser, ClosingQuestion& question);

private:
    void saveTo(const std::string& path);
    // The file's first `maxBytes` bytes, or nothing once the failure is said.
    std::optional<std::string> readOrSay(const std::string& path, std::size_t maxBytes);
    bool openReportText(std::string_view text);
    bool openWorkbookText(const std::string& path, std::string_view text, Questions& questions);
    bool replacesUnsavedFigures(const WorkbookFigures& incoming) const;

    WorkbookParts parts_;
    MessageSink& messages_;
};

} // namespace brim
