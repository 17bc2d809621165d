#include "ui/sheet_history.h"

#include "ui/sheet_step_command.h"
#include "ui/window_menu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <utility>

namespace brim {
namespace {

// The history keeps the last 100 steps, for as long as the window lives.
constexpr int kHistorySteps = 100;

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
