#pragma once

// What the two planner windows, Size for Capacity and Sheet Performance, set up alike: the
// model line at the top, labels that move the focus to their field, and the note lines under
// the fields.

#include <QString>
#include <string_view>

class QLabel;
class QWidget;

namespace brim {

// The plan's model line (modelLineText).
QLabel* modelLine(int modelIndex, QWidget* parent);

// A label whose mnemonic puts the focus in `buddy`.
QLabel* buddyLabel(std::string_view text, QWidget* buddy, QWidget* parent);

// A note of plain text. Room is kept free for the lines it may take, so that nothing moves
// while the planner types; a note of more lines wraps within its box.
QLabel* noteLine(const char* name, int lines, QWidget* parent);

} // namespace brim
