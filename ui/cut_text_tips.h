#pragma once

#include <QObject>

class QTableView;
class QWidget;

namespace brim {

// Shows a cell's whole text in a tooltip where the cell cuts it short, and no tooltip where the
// text shows whole. Watches the table's viewport; owned by the table.
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
