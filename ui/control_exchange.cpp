#include "ui/control_exchange.h"

#include "core/raid_rules.h"
#include "core/sheet_exchange.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

namespace brim {
namespace {

// Sets a flag for the life of a scope; copies do not nest, but a message box shown during one
// runs a nested event loop, so the flag must hold until the copy has really ended.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) noexcept : flag_(flag), previous_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = previous_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool previous_;
};

template <typename... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <typename... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

// Replaces a control's text only when it differs, so that an unchanged field keeps its cursor
// and selection (the focus may just have been put back into it with its text selected).
template <typename Widget> void showText(Widget* widget, const QString& text) {
    if (widget->text() != text) {
        widget->setText(text);
    }
}

void showIndex(QComboBox* list, std::int32_t index) {
    const bool inList = index >= 0 && index < list->count();
    list->setCurrentIndex(inList ? index : -1);
}

} // namespace

std::string wholeNumberNotice() {
    return "Please enter a whole number.";
}

std::string disksPerGroupRangeNotice() {
    return "Please enter a whole number between 0 and " + std::to_string(kMaxDisksPerGroup) + ".";
}

ControlExchange::ControlExchange(const ControlMap& controls, MessageSink& messages,
                                 std::span<const Binding> bindings) noexcept
    : controls_(controls), messages_(messages), bindings_(bindings) {}

bool ControlExchange::copyControlsToSheet(ConfigSheet& sheet) {
    const ScopedFlag copying(copying_);
    for (const Binding& binding : bindings_) {
        if (!readControl(sheet, binding)) {
            return false;
        }
    }
    return true;
}

void ControlExchange::copyReadableControlsToSheet(ConfigSheet& sheet) {
    const ScopedFlag copying(copying_);
    for (const Binding& binding : bindings_) {
        (void)readInto(sheet, binding); // a refusal leaves the field as readInto left it
    }
}

void ControlExchange::copySheetToControls(ConfigSheet& sheet) {
    const ScopedFlag copying(copying_);
    for (const Binding& binding : bindings_) {
        writeControl(sheet, binding);
    }
}

bool ControlExchange::readControl(ConfigSheet& sheet, const Binding& binding) {
    switch (readInto(sheet, binding)) {
    case NumberStatus::Stored:
        return true;
    case NumberStatus::NotANumber:
        refuse(qobject_cast<QLineEdit*>(controls_.find(binding.id)), wholeNumberNotice());
        return false;
    case NumberStatus::OutOfRange:
        refuse(qobject_cast<QLineEdit*>(controls_.find(binding.id)), disksPerGroupRangeNotice());
        return false;
    }
    return true;
}

NumberStatus ControlExchange::readInto(ConfigSheet& sheet, const Binding& binding) const {
    QWidget* widget = controls_.find(binding.id);
    const FieldRef field = fieldRef(sheet, binding.field);
    return std::visit(Overloaded{
                          [&](std::int32_t* index) {
                              if (auto* list = qobject_cast<QComboBox*>(widget); list && index) {
                                  *index = list->currentIndex();
                              }
                              return NumberStatus::Stored;
                          },
                          [&](std::uint32_t*) {
                              auto* edit = qobject_cast<QLineEdit*>(widget);
                              return edit ? storeNumberText(sheet, binding.field,
                                                            edit->text().toStdString())
                                          : NumberStatus::Stored;
                          },
                          [&](bool* flag) {
                              if (auto* box = qobject_cast<QCheckBox*>(widget); box && flag) {
                                  *flag = box->isChecked();
                              }
                              return NumberStatus::Stored;
                          },
                          [&](std::string* text) {
                              if (auto* label = qobject_cast<QLabel*>(widget); label && text) {
                                  *text = label->text().toStdString();
                              }
                              return NumberStatus::Stored;
                          },
                      },
                      field);
}

// A value out of range reads as the number it is, as the sheet holds it after a refused copy.
ScreenInputs ControlExchange::screenInputs() const {
    ConfigSheet shown;
    std::array<bool, kRowCount> unreadable{};
    for (const Binding& binding : bindings_) {
        if (isInputField(binding.field.kind) &&
            readInto(shown, binding) == NumberStatus::NotANumber && binding.field.row >= 1) {
            unreadable[static_cast<std::size_t>(binding.field.row - 1)] = true;
        }
    }
    ScreenInputs screen = screenInputsOf(shown);
    for (std::size_t i = 0; i < unreadable.size(); ++i) {
        if (unreadable[i]) {
            screen.rows[i].reset();
        }
    }
    return screen;
}

void ControlExchange::writeControl(ConfigSheet& sheet, const Binding& binding) {
    QWidget* widget = controls_.find(binding.id);
    const FieldRef field = fieldRef(sheet, binding.field);
    std::visit(Overloaded{
                   [&](std::int32_t* index) {
                       if (auto* list = qobject_cast<QComboBox*>(widget); list && index) {
                           showIndex(list, *index);
                       }
                   },
                   [&](std::uint32_t* number) {
                       if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && number) {
                           showText(edit, toQString(numberText(*number)));
                       }
                   },
                   [&](bool* flag) {
                       if (auto* box = qobject_cast<QCheckBox*>(widget); box && flag) {
                           box->setChecked(*flag);
                       }
                   },
                   [&](std::string* text) {
                       if (auto* label = qobject_cast<QLabel*>(widget); label && text) {
                           showText(label, toQString(*text));
                       }
                   },
               },
               field);
}

void ControlExchange::refuse(QLineEdit* field, const std::string& notice) {
    messages_.show(notice);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

} // namespace brim
