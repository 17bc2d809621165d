#include "ui/growth_chart.h"

#include "ui/qt_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace brim {
namespace {

constexpr int kChartLines = 10;  // the chart's height in lines of text
constexpr int kSlotInDigits = 9; // a year's room: its usable TB, "12345.67", and a margin
constexpr int kFewestSlots = 5;
constexpr double kBarShare = 0.6; // of each year's slot; the rest is the gap between bars
constexpr int kMarkOverhang = 3;  // pixels the need's mark reaches beyond its bar either side

QPen markPen(const QPalette& palette, int line) {
    return QPen(palette.color(QPalette::Highlight), std::max(2, line / 6), Qt::SolidLine,
                Qt::FlatCap);
}

} // namespace

GrowthBarChart::GrowthBarChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chart"));
    setAccessibleName(toQString(GrowthWords::kChartName));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GrowthBarChart::setChart(const GrowthChart& chart) {
    chart_ = chart;
    setAccessibleDescription(toQString(chart_.description));
    setToolTip(toQString(chart_.description));
    update();
}

QSize GrowthBarChart::sizeHint() const {
    return minimumSizeHint();
}

QSize GrowthBarChart::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QString(kSlotInDigits, u'0')) * kFewestSlots,
            metrics.lineSpacing() * kChartLines};
}

// A swatch of each mark and its name, from the left.
void GrowthBarChart::drawLegend(QPainter& painter, int line) const {
    const QFontMetrics metrics(font());
    const int swatch = line * 3 / 4;
    int left = 0;
    painter.fillRect(QRect(left, (line - swatch) / 2, swatch, swatch),
                     palette().color(QPalette::Mid));
    left += swatch + line / 3;
    const QString usable = toQString(GrowthWords::kUsableLegend);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(left, 0, metrics.horizontalAdvance(usable), line), Qt::AlignVCenter,
                     usable);
    left += metrics.horizontalAdvance(usable) + line;
    painter.setPen(markPen(palette(), line));
    painter.drawLine(left, line / 2, left + swatch, line / 2);
    left += swatch + line / 3;
    const QString need = toQString(GrowthWords::kNeedLegend);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(left, 0, metrics.horizontalAdvance(need), line), Qt::AlignVCenter, need);
}

void GrowthBarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int line = metrics.lineSpacing();
    if (chart_.years.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect(), Qt::AlignCenter, toQString(chart_.description));
        return;
    }
    drawLegend(painter, line);
    const int baseline = height() - line - line / 2; // the zero line, the years below it
    const int tallest = baseline - 3 * line;         // the legend and a value above the bar
    double largest = 0.0;
    for (const GrowthChartYear& year : chart_.years) {
        largest = std::max({largest, year.usableTib, year.needTib});
    }
    const int count = static_cast<int>(chart_.years.size());
    const int slot = width() / std::max(count, 1);
    const int barWidth = static_cast<int>(slot * kBarShare);
    const auto heightOf = [&](double tib) {
        return largest > 0.0 ? static_cast<int>(tallest * std::max(0.0, tib) / largest) : 0;
    };
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(0, baseline, width(), baseline);
    for (int i = 0; i < count; ++i) {
        const GrowthChartYear& year = chart_.years[static_cast<std::size_t>(i)];
        const int left = i * slot;
        const int barLeft = left + (slot - barWidth) / 2;
        const int barHeight = heightOf(year.usableTib);
        const QRect bar(barLeft, baseline - barHeight, barWidth, barHeight);
        painter.fillRect(bar, palette().color(QPalette::Mid));
        painter.setPen(markPen(palette(), line));
        const int need = baseline - heightOf(year.needTib);
        painter.drawLine(barLeft - kMarkOverhang, need, barLeft + barWidth + kMarkOverhang, need);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(left, bar.top() - line, slot, line), Qt::AlignCenter,
                         metrics.elidedText(toQString(year.usableText), Qt::ElideLeft, slot));
        painter.drawText(QRect(left, baseline + line / 4, slot, line), Qt::AlignCenter,
                         metrics.elidedText(toQString(year.label), Qt::ElideRight, slot));
    }
}

} // namespace brim
