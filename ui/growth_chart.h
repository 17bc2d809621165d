#pragma once

#include "commands/growth_texts.h"

#include <QWidget>

namespace brim {

// The usable TB each year's plan installs, one bar a year from a common zero line, with the
// year's need marked across its bar, drawn with QPainter; a legend above names the two. What a
// screen reader says is the chart's description.
class GrowthBarChart final : public QWidget {
public:
    explicit GrowthBarChart(QWidget* parent = nullptr);

    void setChart(const GrowthChart& chart);
    const GrowthChart& chart() const noexcept { return chart_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawLegend(QPainter& painter, int line) const;

    GrowthChart chart_;
};

} // namespace brim
