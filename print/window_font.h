#pragma once

// The font of the main window, which the printed plan is set in too, so that the window's Print
// Plan and the command line's plan lay out the same pages. It needs the toolkit's font database
// (a QGuiApplication), not a display.

#include <QFont>

namespace brim {

// The dialog font: "MS Sans Serif" 8 pt, with a substitution where that face is absent.
QFont dialogFont();

// The average width of the font's letters, rounded: a dialog's horizontal base unit.
int baseLetterWidth(const QFont& font);

} // namespace brim
