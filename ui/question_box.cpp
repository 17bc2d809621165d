#include "ui/question_box.h"

#include "ui/qt_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace brim {

bool QuestionBox::ask(std::string_view question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), toQString(question),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText); // a plan's name is the planner's own text
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

ClosingAnswer ClosingQuestionBox::askBeforeClosing(std::string_view question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), toQString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setTextFormat(Qt::PlainText);
    // The words are the program's own, not the platform theme's.
    box.button(QMessageBox::Save)->setText(toQString(kSaveButtonText));
    box.button(QMessageBox::Discard)->setText(toQString(kDiscardButtonText));
    box.button(QMessageBox::Cancel)->setText(toQString(kCancelButtonText));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Save)) {
        return ClosingAnswer::Save;
    }
    if (box.clickedButton() == box.button(QMessageBox::Discard)) {
        return ClosingAnswer::Discard;
    }
    return ClosingAnswer::Cancel;
}

} // namespace brim
