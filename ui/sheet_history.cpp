#include "sheet_history.h"

#include "sheet_step_command.h"
#include "window_menu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <utility>

namespace brim {
namespace {

// The history keeps the last 100 steps, for as long as the window lives.
constexpr int kHistorySteps = 100;

QAction* entryWithCommand(const QMenu& menu, int commandId) {
    const QList<QAction*> actions = menu.actions();
    const auto it = std::find_if(actions.begin(), actions.end(), [commandId](QAction* action) {
        return !action->isSeparator() && action->data().toInt() == commandId;
    });
    return it == actions.end() ? nullptr : *it;
}

const WindowMenuEntry& menuEntry(int commandId) {
    return *std::find_if(kWindowMenuCommands.begin(), kWindowMenuCommands.end(),
                         [commandId](const auto& entry) { return entry.commandId == commandId; });
}

} // namespace

SheetHistory::SheetHistory(RowCommands& commands, QMenu& windowMenu)
    : commands_(commands), undoEntry_(entryWithCommand(windowMenu, kUndoCommand)),
      redoEntry_(entryWithCommand(windowMenu, kRedoCommand)) {
    stack_.setUndoLimit(kHistorySteps); // before the first step
    QObject::connect(&stack_, &QUndoStack::indexChanged, &windowMenu, [this] { updateEntries(); });
    QObject::connect(&stack_, &QUndoStack::undoTextChanged, &windowMenu,
                     [this] { updateEntries(); });
    updateEntries();
}

void SheetHistory::push(SheetStep step) {
    stack_.push(new SheetStepCommand(std::move(step), commands_));
}

void SheetHistory::undo() {
    commands_.beginUndoOrRedo();
    stack_.undo();
}

void SheetHistory::redo() {
    commands_.beginUndoOrRedo();
    stack_.redo();
}

void SheetHistory::updateEntries() {
    undoEntry_->setText(historyEntryText(menuEntry(kUndoCommand).text, stack_.undoText()));
    undoEntry_->setEnabled(stack_.canUndo());
    redoEntry_->setText(historyEntryText(menuEntry(kRedoCommand).text, stack_.redoText()));
    redoEntry_->setEnabled(stack_.canRedo());
}

} // namespace brim
