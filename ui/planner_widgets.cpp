#include "planner_widgets.h"

#include "planner_texts.h"
#include "qt_text.h"

#include <QLabel>

namespace brim {

QLabel* modelLine(int modelIndex, QWidget* parent) {
    return new QLabel(QString::fromStdString(modelLineText(modelIndex)), parent);
}

QLabel* buddyLabel(std::string_view text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(toQString(text), parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* noteLine(const char* name, int lines, QWidget* parent) {
    auto* note = new QLabel(parent);
    note->setObjectName(QString::fromLatin1(name));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(lines > 1);
    note->setMinimumHeight(lines * note->fontMetrics().lineSpacing());
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return note;
}

} // namespace brim
