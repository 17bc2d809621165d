#pragma once

#include "questions.h"

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

} // namespace brim
