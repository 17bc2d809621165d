#include "ui/planner_widgets.h"

#include "commands/digit_grouping.h"
#include "commands/planner_texts.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>

namespace brim {

QLabel* modelLine(int modelIndex, QWidget* parent) {
    return new QLabel(QString::fromStdString(modelLineText(modelIndex)), parent);
}

QLabel* buddyLabel(std::string_view text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(toQString(text), parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* noteLine(const char* name, int lines, QWidget* parent) {
    auto* note = new QLabel(parent);
    note->setObjectName(QString::fromLatin1(name));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(lines > 1);
    note->setMinimumHeight(lines * note->fontMetrics().lineSpacing());
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return note;
}

QString groupedOnScreen(std::string_view text, const QLocale& locale) {
    return QString::fromStdString(groupDigits(text, locale.groupSeparator().toStdString()));
}

QString shownCellText(const QModelIndex& index, const QLocale& locale) {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!index.data(kGroupDigitsRole).toBool()) {
        return text;
    }
    const QByteArray bytes = text.toUtf8();
    return groupedOnScreen({bytes.constData(), static_cast<std::size_t>(bytes.size())}, locale);
}

// Qt's palettes offer no colour for a warning (BrightText is white in the stock ones), so the
// window takes the red that desktop colour schemes give negative text: a deep red that keeps a
// contrast of about 5.6 to 1 on a light base, and a light red of about 6 to 1 on a dark one.
// The deep red also carries a selected line's white text.
QColor warningColour(const QColor& base) {
    return base.lightness() >= 128 ? QColor(0xc6, 0x28, 0x28) : QColor(0xff, 0x8a, 0x80);
}

PlannerCellDelegate::PlannerCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void PlannerCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = shownCellText(index, option->locale);
    if (!index.data(kWarnsRole).toBool()) {
        return;
    }
    QPalette& palette = option->palette;
    const QColor warning = warningColour(palette.color(QPalette::Base));
    palette.setColor(QPalette::Text, warning);
    palette.setColor(QPalette::Highlight, warningColour(Qt::white));
}

namespace {

// The whole widget, or as much of it from its top left as the view holds. (The scroll area's
// own ensureWidgetVisible shows only a table's current cell, which a table without one has not.)
void scrollIntoView(QScrollArea& body, const QWidget& widget) {
    QRect area(widget.mapTo(body.widget(), QPoint(0, 0)), widget.size());
    area.setSize(area.size().boundedTo(body.viewport()->size()));
    // A point in view with margins around it: the area's centre and half its size either side.
    const int across = (area.width() + 1) / 2;
    const int down = (area.height() + 1) / 2;
    body.ensureVisible(area.left() + across, area.top() + down, across, down);
}

} // namespace

void keepFocusInView(QScrollArea& body) {
    QObject::connect(qApp, &QApplication::focusChanged, &body, [&body](QWidget*, QWidget* now) {
        if (now && body.widget() && body.widget()->isAncestorOf(now)) {
            scrollIntoView(body, *now);
        }
    });
}

} // namespace brim
