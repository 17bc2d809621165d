#pragma once

#include "commands/kept_plans.h"
#include "commands/questions.h"
#include "commands/workbook_commands.h"

#include <memory>
#include <string>

class QAction;
class QWidget;

namespace brim {

// The main window's kept plans and workbook: Compare Plans, Save Workbook, Save Workbook As and
// Open (a report or a workbook, by the menu or by a drop). The window holds one for the whole
// run; what is kept lives as long as the window.
class PlanKeeping {
public:
    // `parts`' references must outlive this; `window` is the parent of every window it opens.
    PlanKeeping(QWidget& window, const WorkbookParts& parts, MessageSink& messages);
    ~PlanKeeping();

    // Tests answer for the file chooser and the questions; nullptr puts back the window's own.
    void useDialogs(WorkbookFileChooser* chooser, Questions* questions);
    // Tests answer the question before closing; nullptr puts back the window's own.
    void useClosingQuestion(ClosingQuestion* question);

    // Opens with a capture; a field the capture refuses keeps the window closed.
    void comparePlans();
    void saveWorkbook();
    void saveWorkbookAs();
    void openFile(const std::string& path);
    void openReport(const std::string& path) { commands_.openReport(path); }
    // Whether the window may close, after the question when plans or figures are unsaved.
    bool mayClose();

    // The window menu's Save Workbook entry, which names the file it saves to from now on.
    void showFileIn(QAction& saveEntry);

    const KeptPlans& plans() const noexcept { return parts_.plans; }
    // What Save Workbook would write now, the sheet's inputs as they stand.
    Workbook current() const { return commands_.current(); }
    const WorkbookFile& file() const noexcept { return parts_.file; }

private:
    void showFile();

    QWidget& window_;
    QAction* saveEntry_ = nullptr;
    WorkbookParts parts_;
    WorkbookCommands commands_;
    std::unique_ptr<WorkbookFileChooser> ownChooser_;
    std::unique_ptr<Questions> ownQuestions_;
    std::unique_ptr<ClosingQuestion> ownClosingQuestion_;
    WorkbookFileChooser* chooser_;
    Questions* questions_;
    ClosingQuestion* closingQuestion_;
};

} // namespace brim
