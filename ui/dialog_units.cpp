#include "dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <cmath>

namespace brim {

QFont dialogFont() {
    // DejaVu Sans Condensed has the original face's base units (6 x 13); plain DejaVu Sans,
    // fontconfig's usual answer for an unknown face, is a unit wider and would crowd captions.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("DejaVu Sans Condensed"),
                                           QStringLiteral("Liberation Sans"),
                                           QStringLiteral("DejaVu Sans")});
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = static_cast<int>(
        std::lround(metrics.horizontalAdvance(letters) / static_cast<double>(letters.size())));
    baseY_ = metrics.height();
}

int DialogUnits::toPixelsX(int dialogX) const noexcept { return dialogX * baseX_ / 4; }

int DialogUnits::toPixelsY(int dialogY) const noexcept { return dialogY * baseY_ / 8; }

QRect DialogUnits::toPixels(const DialogRect& rect) const noexcept {
    return {toPixelsX(rect.x), toPixelsY(rect.y), toPixelsX(rect.width), toPixelsY(rect.height)};
}

} // namespace brim
