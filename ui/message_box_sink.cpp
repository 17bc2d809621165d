#include "ui/message_box_sink.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace brim {

MessageBoxSink::MessageBoxSink(QWidget* parent) : parent_(parent) {}

void MessageBoxSink::show(std::string_view text) {
    // Every message is a rule the user's input broke, hence the warning sign. Plain text: a
    // message may quote what the user typed, which must not be read as markup.
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), toQString(text),
                    QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

} // namespace brim
