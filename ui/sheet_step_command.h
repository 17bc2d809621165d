#pragma once

#include "commands/row_commands.h"
#include "commands/sheet_step.h"

#include <QUndoCommand>

namespace brim {

// One step of the sheet's history on the window's QUndoStack: Undo restores the sheet before
// it, Redo the sheet after it, each through the commands, which refresh the controls.
class SheetStepCommand final : public QUndoCommand {
public:
    SheetStepCommand(SheetStep step, RowCommands& commands);

    // The push redoes a step that has just been done: the controls already show its sheet.
    void redo() override;
    void undo() override;
    int id() const override;
    // Takes in a step that extends this one (more typing in the same field).
    bool mergeWith(const QUndoCommand* other) override;

private:
    SheetStep step_;
    RowCommands& commands_;
    bool justPushed_ = true;
};

} // namespace brim
