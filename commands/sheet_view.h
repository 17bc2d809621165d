#pragma once

#include "commands/sheet_step.h"
#include "core/config_sheet.h"
#include "core/message_sink.h"

namespace brim {

// What the editing commands need of the main window: the two directions of exchange, enabling
// one control by its identifier, the message box, and the sheet's history.
class SheetView {
public:
    virtual ~SheetView() = default;
    // Reads every control into the sheet; false when a field was refused (its notice shown).
    virtual bool copyControlsToSheet() = 0;
    // Reads every control it can into the sheet, with no notice and no focus change: a
    // disks-per-group value out of range is taken as the number it is, and a field holding no
    // number keeps the sheet's value. What Undo and Redo begin with, which must work whatever
    // the fields hold.
    virtual void copyReadableControlsToSheet() = 0;
    virtual void copySheetToControls() = 0;
    // What the input controls show now, read without touching the sheet (no notice, no command).
    virtual ScreenInputs screenInputs() const = 0;
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual MessageSink& messages() = 0;
    // A command changed the sheet: the window keeps the step for Undo and Redo and drops what
    // could have been redone. A step that extends the last one is folded into it.
    virtual void recordStep(SheetStep step) = 0;
};

} // namespace brim
