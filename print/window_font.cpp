#include "print/window_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>

namespace brim {

namespace {

constexpr char kDialogFace[] = "MS Sans Serif";
constexpr int kDialogPointSize = 8;

// Stand-ins for the dialog face where it is absent, best first. The layouts were drawn for a
// narrow face, and their captions fit with hardly a pixel to spare ("Array Model:" on one line
// of 39 units, "Per Group:" in 35). DejaVu Sans Condensed has the same base units, 6 x 13, at
// 8 pt on a 96 dpi screen, but wider letters for them; narrowed a little further (a stretch of
// 80 against its own 87) it keeps every caption whole while its letters still round to a base
// width of 6. Liberation Sans (6 x 12) needs the same. Plain DejaVu Sans, fontconfig's answer
// for an unknown face, is left as it comes: its base width is 7, so every box grows with it.
struct FontSubstitute {
    const char* family;
    int stretch; // 0: as the face comes
};

constexpr std::array<FontSubstitute, 3> kSubstitutes{{
    {"DejaVu Sans Condensed", 80},
    {"Liberation Sans", 89},
    {"DejaVu Sans", 0},
}};

void registerSubstitutes() {
    QStringList families;
    for (const FontSubstitute& substitute : kSubstitutes) {
        families << QString::fromLatin1(substitute.family);
    }
    QFont::insertSubstitutions(QString::fromLatin1(kDialogFace), families);
}

const FontSubstitute* substituteNamed(const QString& family) {
    for (const FontSubstitute& substitute : kSubstitutes) {
        if (family.compare(QString::fromLatin1(substitute.family), Qt::CaseInsensitive) == 0) {
            return &substitute;
        }
    }
    return nullptr;
}

// The narrowed font, unless narrowing would change the face or make the letters round down
// to a smaller base width (which shrinks every box along with the text).
QFont narrowed(const QFont& font, int stretch) {
    QFont narrow = font;
    narrow.setStretch(stretch);
    const bool sameFace = QFontInfo(narrow).family() == QFontInfo(font).family();
    const bool sameBaseWidth = baseLetterWidth(narrow) == baseLetterWidth(font);
    return sameFace && sameBaseWidth ? narrow : font;
}

} // namespace

QFont dialogFont() {
    registerSubstitutes();
    QFont font(QString::fromLatin1(kDialogFace), kDialogPointSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    const FontSubstitute* substitute = substituteNamed(QFontInfo(font).family());
    if (substitute == nullptr || substitute->stretch == 0) {
        return font;
    }
    return narrowed(font, substitute->stretch);
}

int baseLetterWidth(const QFont& font) {
    static constexpr char kBaseLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const QString letters = QString::fromLatin1(kBaseLetters);
    return static_cast<int>(std::lround(QFontMetrics(font).horizontalAdvance(letters) /
                                        static_cast<double>(letters.size())));
}

} // namespace brim
