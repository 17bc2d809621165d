#include "ui/about_window.h"

#include "commands/about_help_texts.h"
#include "ui/application.h"
#include "ui/dialog_units.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QPushButton>

namespace brim {

namespace {

// The window's size and its controls, in dialog units.
constexpr DialogRect kWindowSize{0, 0, 217, 55};
constexpr DialogRect kIconPlace{11, 17, 20, 20};
constexpr DialogRect kVersionPlace{40, 10, 119, 8};
constexpr DialogRect kOkPlace{178, 7, 32, 14};

// An icon control takes the size of the icon's large image, whatever its box says.
constexpr int kLargeIconPixels = 32;

} // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(toQString(AboutWords::kTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kWindowSize).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(kLargeIconPixels));
    icon->setGeometry(
        QRect(units.toPixels(kIconPlace).topLeft(), QSize(kLargeIconPixels, kLargeIconPixels)));
    icon->setAccessibleName(toQString(AboutWords::kIconName));

    auto* version = new QLabel(toQString(AboutWords::kVersionLine), this);
    version->setTextFormat(Qt::PlainText);
    version->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    version->setGeometry(units.toPixels(kVersionPlace));

    auto* ok = new QPushButton(toQString(AboutWords::kOk), this);
    ok->setDefault(true);
    ok->setGeometry(units.toPixels(kOkPlace));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

} // namespace brim
