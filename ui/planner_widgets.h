#pragma once

// What the two planner windows, Size for Capacity and Sheet Performance, set up alike: the
// model line at the top, labels that move the focus to their field, the note lines under the
// fields, the cells that group their digits or warn, and a scrolling body that keeps the focus
// in view.

#include <QString>
#include <QStyledItemDelegate>
#include <string_view>

class QLabel;
class QLocale;
class QScrollArea;
class QWidget;

namespace brim {

// The roles a planner table's model answers besides the text: whether a cell's digits are
// grouped on screen (a count or a cost), and whether it warns of what it shows.
inline constexpr int kGroupDigitsRole = Qt::UserRole + 8;
inline constexpr int kWarnsRole = Qt::UserRole + 9;

// The plan's model line (modelLineText).
QLabel* modelLine(int modelIndex, QWidget* parent);

// A label whose mnemonic puts the focus in `buddy`.
QLabel* buddyLabel(std::string_view text, QWidget* buddy, QWidget* parent);

// A note of plain text. Room is kept free for the lines it may take, so that nothing moves
// while the planner types; a note of more lines wraps within its box.
QLabel* noteLine(const char* name, int lines, QWidget* parent);

// `text` with its counts and costs grouped by `locale`'s separator ("68,180"), as it shows on
// screen; the plain text stays what copies take.
QString groupedOnScreen(std::string_view text, const QLocale& locale);
// A cell's text as it is drawn: grouped where its model says so.
QString shownCellText(const QModelIndex& index, const QLocale& locale);

// The colour a warning is drawn in over `base`.
QColor warningColour(const QColor& base);

// Draws a planner table's cells: the digits of a count or cost grouped (shownCellText), and a
// cell that warns in warningColour, on a selected line as its highlight, so that the warning
// stays in sight on the line the window selects.
class PlannerCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit PlannerCellDelegate(QObject* parent = nullptr);

    // What a cell is drawn with: its text as shown and its colours.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Whenever the focus moves to a widget inside `body` (opening the window included), `body`
// scrolls it into view.
void keepFocusInView(QScrollArea& body);

} // namespace brim
