#pragma once

#include <QObject>

class QTableView;
class QWidget;

namespace brim {

// Shows a cell's whole text (as drawn, digits grouped) in a tooltip where the cell cuts it
// short, and the cell's own tooltip under it, if it has one; no tooltip where the text shows
// whole and the cell has none. Watches the table's viewport; owned by the table.
class CutTextTips final : public QObject {
public:
    explicit CutTextTips(QTableView& table);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView& table_;
    QWidget* viewport_;
};

} // namespace brim
