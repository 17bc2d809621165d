#pragma once

#include "commands/row_commands.h"
#include "commands/sheet_step.h"

#include <QUndoStack>

class QAction;
class QMenu;

namespace brim {

// The sheet's history while the window is open: the last 100 steps the commands handed over,
// walked by Undo and Redo through the commands, and the window menu's two entries, which name
// the step they would take back or bring back and are off when there is none.
class SheetHistory {
public:
    // The menu must hold the Undo and Redo entries; both must outlive the history.
    SheetHistory(RowCommands& commands, QMenu& windowMenu);

    void push(SheetStep step);
    // Each begins with the commands' quiet reading of the controls, so that an edit not yet in
    // the sheet is the step undone, whatever the fields hold; Redo with nothing to redo changes
    // nothing else.
    void undo();
    void redo();

private:
    void updateEntries();

    RowCommands& commands_;
    QUndoStack stack_;
    QAction* undoEntry_ = nullptr;
    QAction* redoEntry_ = nullptr;
};

} // namespace brim
