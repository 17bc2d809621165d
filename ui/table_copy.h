#pragma once

// Copying a table the way a spreadsheet pastes it: the headings, then the lines, each cell as it
// reads on the screen. Ctrl+C takes the selected line, Ctrl+Shift+C every line shown; both in
// the order shown, sorted or filtered as the view has them.

#include <QString>
#include <functional>
#include <span>

class QAbstractItemModel;
class QTableView;

namespace brim {

// The headings and then `rows` of `model`, in that order, over `columns`: cells joined by tabs,
// every line ended by a newline. A heading set on two lines, and any tab or line break inside a
// text, reads as one blank, so that every line stays one line of the pasted table. With
// `rowHeadings` each line begins with its line's heading, the headings' line with an empty cell.
QString tableText(const QAbstractItemModel& model, std::span<const int> rows,
                  std::span<const int> columns, bool rowHeadings = false);

// Whether a copy begins each line with the line's heading (the view's vertical header).
enum class LineHeadings : bool { NotCopied, Copied };

// What the view shows, as tableText: every line shown, or only those with a selected cell, over
// the columns shown in their on-screen order. Empty when `selectedOnly` finds no line selected.
// `pinnedBelow`, a view of the same model and selection that holds lines the view hides (a
// total that stays in sight while the lines scroll), adds the lines it shows.
QString shownLinesText(const QTableView& view, bool selectedOnly,
                       const QTableView* pinnedBelow = nullptr,
                       LineHeadings headings = LineHeadings::NotCopied);

// Ctrl+C (and the platform's other copy keys) puts the headings and the selected line on the
// clipboard as text, Ctrl+Shift+C the headings and every line shown, those of `pinnedBelow`
// too. The view keeps them from any shortcut of its window.
void addTableCopyKeys(QTableView& view, const QTableView* pinnedBelow = nullptr,
                      LineHeadings headings = LineHeadings::NotCopied);

// The same keys over a table whose copy its planner makes: `text` gives the selected line's
// copy (true) or every line's (false); an empty text leaves the clipboard alone.
using TableCopyText = std::function<QString(bool selectedOnly)>;
void addTableCopyKeys(QTableView& view, TableCopyText text);

} // namespace brim
