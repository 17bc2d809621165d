#include "ui/help_window.h"

#include "commands/about_help_texts.h"
#include "ui/application.h"
#include "ui/dialog_units.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <string_view>

namespace brim {

namespace {

// The window's size and its controls, in dialog units.
constexpr DialogRect kWindowSize{0, 0, 306, 225};
constexpr DialogRect kOkPlace{253, 2, 50, 14};
constexpr DialogRect kTextPlace{7, 18, 292, 200};

constexpr char kParagraphBreak[] = "\n\n";

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    // A title bar only: no close box and no window menu; the window stays above all others.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setWindowTitle(toQString(HelpWords::kTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kWindowSize).size());

    auto* ok = new QPushButton(toQString(HelpWords::kOk), this);
    ok->setDefault(true);
    ok->setGeometry(units.toPixels(kOkPlace));

    // Wraps to its width and neither scrolls nor grows: what does not fit is not shown.
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("helpText"));
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setWordWrap(true);
    text_->setGeometry(units.toPixels(kTextPlace));
    text_->setAccessibleName(toQString(HelpWords::kTitle));

    // OK takes the shown text back, as it stands, before closing.
    connect(ok, &QPushButton::clicked, this, [this] {
        helpText_ = text_->text();
        accept();
    });
    ok->setFocus();
}

int HelpWindow::exec() {
    helpText_ = fixedHelpText();
    text_->setText(helpText_);
    return QDialog::exec();
}

QString HelpWindow::fixedHelpText() {
    QStringList paragraphs;
    for (std::string_view paragraph : HelpWords::kParagraphs) {
        paragraphs << toQString(paragraph);
    }
    return paragraphs.join(QString::fromLatin1(kParagraphBreak));
}

} // namespace brim
