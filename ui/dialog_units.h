#pragma once

#include "print/window_font.h"

#include <QFont>
#include <QRect>

namespace brim {

// A position and size in dialog units: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.
struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

// Turns dialog units into pixels for one font, the way the layouts were designed.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int baseX() const noexcept { return baseX_; }
    int baseY() const noexcept { return baseY_; }
    int toPixelsX(int dialogX) const noexcept;
    int toPixelsY(int dialogY) const noexcept;
    QRect toPixels(const DialogRect& rect) const noexcept;

private:
    int baseX_;
    int baseY_;
};

} // namespace brim
