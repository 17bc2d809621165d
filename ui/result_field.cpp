#include "ui/result_field.h"

#include "ui/qt_text.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <algorithm>
#include <string_view>

namespace brim {
namespace {

constexpr int kPercentStep = 5;

QFont scaledFont(const QFont& font, int percent) {
    QFont scaled = font;
    if (font.pointSizeF() > 0) {
        scaled.setPointSizeF(font.pointSizeF() * percent / 100.0);
    } else {
        scaled.setPixelSize(std::max(1, font.pixelSize() * percent / 100));
    }
    return scaled;
}

} // namespace

ResultField::ResultField(Qt::Alignment alignment, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(alignment | Qt::AlignTop);
    setWordWrap(false);
}

void ResultField::showState(bool stale) {
    const bool textChanged = text() != fittedText_;
    const bool staleChanged = stale != stale_;
    if (!textChanged && !staleChanged) {
        return;
    }
    if (textChanged) {
        fit(); // setText has asked for the repaint already
    }
    if (staleChanged) {
        stale_ = stale;
        update();
    }
    updateTip();
}

// Without laying the text out: the sum of its characters' advances, each measured once. Compute
// rewrites every field at once, and nearly every text it writes is measured this way.
bool ResultField::surelyFits(const QString& text) {
    if (!advancesMeasured_) {
        const QFontMetricsF metrics(font(), this);
        for (std::size_t i = 0; i < kResultCharacters.size(); ++i) {
            advances_[i] = metrics.horizontalAdvance(QChar(kResultCharacters[i]));
        }
        advancesMeasured_ = true;
    }
    qreal width = 0;
    for (const QChar character : text) {
        const std::size_t found = kResultCharacters.find(character.unicode());
        if (found == std::u16string_view::npos) {
            return false;
        }
        width += advances_[found];
    }
    return width <= contentsRect().width();
}

bool ResultField::fitsAt(const QFont& font, const QString& text) const {
    return QFontMetrics(font, this).horizontalAdvance(text) <= contentsRect().width();
}

// The largest size that shows the whole text, in steps of a twentieth of the field's own.
void ResultField::fit() {
    fittedText_ = text();
    shown_ = fittedText_;
    shownFont_ = font();
    whole_ = surelyFits(shown_) || fitsAt(shownFont_, shown_);
    if (whole_) {
        return;
    }
    for (int percent = 100 - kPercentStep; percent >= kSmallestPercent; percent -= kPercentStep) {
        shownFont_ = scaledFont(font(), percent);
        if (fitsAt(shownFont_, shown_)) {
            return;
        }
    }
    shown_ = QFontMetrics(shownFont_, this)
                 .elidedText(fittedText_, Qt::ElideLeft, contentsRect().width());
}

// A screen reader hears what the tooltip shows.
void ResultField::updateTip() {
    QStringList lines;
    if (!whole_) {
        lines << text();
    }
    if (stale_) {
        lines << toQString(kStaleFiguresTip);
    }
    const QString tip = lines.join(u'\n');
    if (toolTip() != tip) {
        setToolTip(tip);
    }
    if (accessibleDescription() != tip) {
        setAccessibleDescription(tip);
    }
}

void ResultField::paintEvent(QPaintEvent* event) {
    if (text() != fittedText_) {
        fit();
    }
    if (whole_ && !stale_) {
        QLabel::paintEvent(event);
        return;
    }
    // Where and how QLabel draws plain text, with the shown text, font and colour.
    QPalette colours = palette();
    if (stale_) {
        colours.setColor(QPalette::WindowText,
                         colours.color(QPalette::Disabled, QPalette::WindowText));
    }
    // A smaller size stands on the line where the field's own size would: beside its unit.
    const int baselineDrop =
        QFontMetrics(font(), this).ascent() - QFontMetrics(shownFont_, this).ascent();
    QPainter painter(this);
    painter.setFont(shownFont_);
    style()->drawItemText(&painter, contentsRect().translated(0, baselineDrop),
                          static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())),
                          colours, isEnabled(), shown_, foregroundRole());
}

void ResultField::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
    updateTip();
}

void ResultField::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        advancesMeasured_ = false;
        fit();
        updateTip();
    }
}

} // namespace brim
