#pragma once

#include "commands/closing_question.h"
#include "commands/questions.h"

class QWidget;

namespace brim {

// Asks each question in a modal message box with Yes and No, titled with the program's name,
// over `parent`; No is the default, so Enter replaces or removes nothing.
class QuestionBox final : public Questions {
public:
    explicit QuestionBox(QWidget* parent) : parent_(parent) {}
    bool ask(std::string_view question) override;

private:
    QWidget* parent_;
};

// Asks before the main window closes, in a modal message box with Save, Discard and Cancel,
// titled with the program's name, over `parent`: Enter saves, Escape (and the box's close
// button) cancels.
class ClosingQuestionBox final : public ClosingQuestion {
public:
    explicit ClosingQuestionBox(QWidget* parent) : parent_(parent) {}
    ClosingAnswer askBeforeClosing(std::string_view question) override;

private:
    QWidget* parent_;
};

} // namespace brim
