#include "ui/table_copy.h"

#include "commands/table_text.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTableView>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace brim {
namespace {

// Which copy a key asks for: the selected line (true), every line (false), or none.
std::optional<bool> copyAskedBy(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Copy)) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_C && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    return std::nullopt;
}

// Sits on the view: its copy keys copy lines, not the current cell alone as the view would.
class TableCopyKeys final : public QObject {
public:
    TableCopyKeys(QTableView& view, TableCopyText text)
        : QObject(&view), view_(view), text_(std::move(text)) {
        view.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if (watched != &view_ || (!press && event->type() != QEvent::ShortcutOverride)) {
            return false;
        }
        const std::optional<bool> selectedOnly = copyAskedBy(*static_cast<QKeyEvent*>(event));
        if (!selectedOnly) {
            return false;
        }
        event->accept(); // a window shortcut on the same keys does not take them
        if (press) {
            const QString text = text_(*selectedOnly);
            if (!text.isEmpty()) {
                QGuiApplication::clipboard()->setText(text);
            }
        }
        return true;
    }

private:
    QTableView& view_;
    TableCopyText text_;
};

} // namespace

// Each line is made by the commands' table text, as the command line makes its tables.
QString tableText(const QAbstractItemModel& model, std::span<const int> rows,
                  std::span<const int> columns, bool rowHeadings) {
    std::string text;
    std::vector<std::string> cells;
    const auto appendLine = [&](const QVariant& heading, const auto& cellText) {
        cells.clear();
        if (rowHeadings) {
            cells.push_back(heading.toString().toStdString());
        }
        for (const int column : columns) {
            cells.push_back(cellText(column).toStdString());
        }
        appendTableLine(text, cells);
    };
    appendLine({}, [&](int column) {
        return model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    });
    for (const int row : rows) {
        appendLine(model.headerData(row, Qt::Vertical, Qt::DisplayRole),
                   [&](int column) { return model.index(row, column).data().toString(); });
    }
    return QString::fromStdString(text);
}

QString shownLinesText(const QTableView& view, bool selectedOnly, const QTableView* pinnedBelow,
                       LineHeadings headings) {
    const QAbstractItemModel* model = view.model();
    if (!model) {
        return {};
    }
    std::set<int> selected;
    if (selectedOnly && view.selectionModel()) {
        for (const QModelIndex& index : view.selectionModel()->selectedIndexes()) {
            selected.insert(index.row());
        }
    }
    std::vector<int> rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool shown =
            !view.isRowHidden(row) || (pinnedBelow && !pinnedBelow->isRowHidden(row));
        if (shown && (!selectedOnly || selected.count(row) != 0)) {
            rows.push_back(row);
        }
    }
    if (selectedOnly && rows.empty()) {
        return {};
    }
    std::vector<int> columns;
    const QHeaderView* header = view.horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!view.isColumnHidden(column)) {
            columns.push_back(column);
        }
    }
    return tableText(*model, rows, columns, headings == LineHeadings::Copied);
}

void addTableCopyKeys(QTableView& view, const QTableView* pinnedBelow, LineHeadings headings) {
    addTableCopyKeys(view, [&view, pinnedBelow, headings](bool selectedOnly) {
        return shownLinesText(view, selectedOnly, pinnedBelow, headings);
    });
}

void addTableCopyKeys(QTableView& view, TableCopyText text) {
    new TableCopyKeys(view, std::move(text));
}

} // namespace brim
