#include "ui/bar_chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace brim {
namespace {

constexpr int kChartLines = 9; // the chart's height in lines of text
constexpr int kBarWidthInDigits = 12;
constexpr double kBarShare = 0.6; // of each bar's slot; the rest is the gap between bars

QFont boldOf(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chart"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BarChart::setBars(std::vector<ChartBar> bars, const QString& description) {
    bars_ = std::move(bars);
    setAccessibleDescription(description);
    setToolTip(description);
    update();
}

QSize BarChart::sizeHint() const {
    return minimumSizeHint();
}

QSize BarChart::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QString(kBarWidthInDigits, u'0')) * 3,
            metrics.lineSpacing() * kChartLines};
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (bars_.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, accessibleDescription());
        return;
    }
    const QFontMetrics metrics(font());
    const int line = metrics.lineSpacing();
    const int baseline = height() - line - line / 2; // the zero line, names below it
    const int tallest = baseline - 2 * line;         // room for the value above the bar
    const double largest =
        std::max_element(bars_.begin(), bars_.end(), [](const ChartBar& a, const ChartBar& b) {
            return a.value < b.value;
        })->value;
    const int slot = width() / static_cast<int>(bars_.size());
    const int barWidth = static_cast<int>(slot * kBarShare);
    const QColor barColour = palette().color(QPalette::Mid);
    const QColor bestColour = palette().color(QPalette::Highlight);

    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(0, baseline, width(), baseline);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const ChartBar& bar = bars_[i];
        const int left = static_cast<int>(i) * slot;
        const int barHeight =
            largest > 0.0 ? static_cast<int>(tallest * std::max(0.0, bar.value) / largest) : 0;
        const QRect barRect(left + (slot - barWidth) / 2, baseline - barHeight, barWidth,
                            barHeight);
        painter.fillRect(barRect, bar.best ? bestColour : barColour);
        painter.setFont(bar.best ? boldOf(font()) : font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect valueRect(left, barRect.top() - line, slot, line);
        painter.drawText(valueRect, Qt::AlignCenter,
                         metrics.elidedText(bar.valueText, Qt::ElideLeft, slot));
        const QRect nameRect(left, baseline + line / 4, slot, line);
        painter.drawText(nameRect, Qt::AlignCenter,
                         metrics.elidedText(bar.name, Qt::ElideRight, slot));
    }
}

} // namespace brim
