#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <array>
#include <string_view>

namespace brim {

inline constexpr std::string_view kStaleFiguresTip = "Press Compute to update these figures.";

// A result field of the main window. Its text is always the whole result text, as the exchange
// writes it and reads it back; only the drawing fits it to the field. A text too wide for the
// field is drawn in a smaller size of the same font, down to kSmallestPercent of the field's
// own, and cut at the left behind "…" when even that is too wide: a number must never lose
// digits without a sign. Such a field gives the whole text as its tooltip. A stale text is drawn
// in the disabled text colour, with a tooltip that says so; the field itself stays enabled.
class ResultField final : public QLabel {
    Q_OBJECT
public:
    static constexpr int kSmallestPercent = 70;
    // Every character that Compute writes into a result text: digits, point, blanks, "Error".
    static constexpr std::u16string_view kResultCharacters = u" .0123456789Eor";

    explicit ResultField(Qt::Alignment alignment, QWidget* parent);

    // Draws the text as stale or not, and fits a text that has changed since the last call; the
    // window calls it after every exchange with the sheet.
    void showState(bool stale);

    // What is drawn and in which font: the whole text, or its end behind "…".
    const QString& shownText() const noexcept { return shown_; }
    const QFont& shownFont() const noexcept { return shownFont_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();
    bool surelyFits(const QString& text);
    bool fitsAt(const QFont& font, const QString& text) const;
    void updateTip();

    QString fittedText_;
    QString shown_;
    QFont shownFont_;
    bool stale_ = false;
    bool whole_ = true; // the whole text at the field's own font size
    // Each of the characters a result text can hold, in pixels at the field's font.
    std::array<qreal, kResultCharacters.size()> advances_{};
    bool advancesMeasured_ = false;
};

} // namespace brim
