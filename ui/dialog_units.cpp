#include "ui/dialog_units.h"

#include <QFontMetrics>

namespace brim {

DialogUnits::DialogUnits(const QFont& font) {
    baseX_ = baseLetterWidth(font);
    baseY_ = QFontMetrics(font).height();
}

int DialogUnits::toPixelsX(int dialogX) const noexcept {
    return dialogX * baseX_ / 4;
}

int DialogUnits::toPixelsY(int dialogY) const noexcept {
    return dialogY * baseY_ / 8;
}

QRect DialogUnits::toPixels(const DialogRect& rect) const noexcept {
    return {toPixelsX(rect.x), toPixelsY(rect.y), toPixelsX(rect.width), toPixelsY(rect.height)};
}

} // namespace brim
