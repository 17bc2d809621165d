#include "ui/sheet_step_command.h"

#include "ui/qt_text.h"

#include <utility>

namespace brim {
namespace {

// Every step has the same identifier, so that QUndoStack offers each new one to the newest;
// whether it is taken in the step itself says.
constexpr int kSheetStepId = 1;

} // namespace

SheetStepCommand::SheetStepCommand(SheetStep step, RowCommands& commands)
    : QUndoCommand(toQString(step.name)), step_(std::move(step)), commands_(commands) {}

void SheetStepCommand::redo() {
    if (justPushed_) {
        justPushed_ = false;
        return;
    }
    commands_.restore(step_.after);
}

void SheetStepCommand::undo() {
    commands_.restore(step_.before);
}

int SheetStepCommand::id() const {
    return kSheetStepId;
}

bool SheetStepCommand::mergeWith(const QUndoCommand* other) {
    const auto& next = static_cast<const SheetStepCommand&>(*other); // same identifier
    if (!next.step_.extendsLastStep) {
        return false;
    }
    step_.after = next.step_.after;
    return true;
}

} // namespace brim
