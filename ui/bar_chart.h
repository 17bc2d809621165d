#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace brim {

struct ChartBar {
    QString name;      // under the bar
    QString valueText; // above it, as the table reads it
    double value = 0.0;
    bool best = false; // drawn in the highlight colour, its texts bold
};

// A bar chart drawn with QPainter: one bar per entry from a common zero line, the tallest
// filling the height. What a screen reader says is the description it is given.
class BarChart final : public QWidget {
public:
    explicit BarChart(QWidget* parent = nullptr);

    void setBars(std::vector<ChartBar> bars, const QString& description);
    const std::vector<ChartBar>& bars() const noexcept { return bars_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ChartBar> bars_;
};

} // namespace brim
