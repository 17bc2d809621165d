#include "question_box.h"

#include "qt_text.h"

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

} // namespace brim
