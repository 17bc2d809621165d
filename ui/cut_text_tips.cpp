#include "ui/cut_text_tips.h"

#include "ui/planner_widgets.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QStyle>
#include <QTableView>
#include <QToolTip>

namespace brim {

CutTextTips::CutTextTips(QTableView& table)
    : QObject(&table), table_(table), viewport_(table.viewport()) {
    viewport_->installEventFilter(this);
}

bool CutTextTips::eventFilter(QObject* watched, QEvent* event) {
    // The viewport's events still come while the table is taken down: the table is asked for
    // nothing until a tooltip is wanted.
    if (event->type() != QEvent::ToolTip || watched != viewport_) {
        return QObject::eventFilter(watched, event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = table_.indexAt(help->pos());
    const QString text = index.isValid() ? shownCellText(index, table_.locale()) : QString();
    const QRect cell = table_.visualRect(index);
    const int margin = table_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table_);
    const bool cut = !text.isEmpty() && QFontMetrics(table_.font()).horizontalAdvance(text) >
                                            cell.width() - 2 * (margin + 1);
    const QString own = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
    QString tip = cut ? text : QString();
    if (!own.isEmpty()) {
        tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + own;
    }
    if (!tip.isEmpty()) {
        QToolTip::showText(help->globalPos(), tip, viewport_, cell);
    } else {
        QToolTip::hideText();
    }
    return true;
}

} // namespace brim
