#include "control_exchange.h"

#include "qt_text.h"
#include "raid_rules.h"
#include "sheet_exchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
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

void ControlExchange::copySheetToControls(ConfigSheet& sheet) {
    const ScopedFlag copying(copying_);
    for (const Binding& binding : bindings_) {
        writeControl(sheet, binding);
    }
}

bool ControlExchange::readControl(ConfigSheet& sheet, const Binding& binding) {
    QWidget* widget = controls_.find(binding.id);
    const FieldRef field = fieldRef(sheet, binding.field);
    return std::visit(
        Overloaded{
            [&](std::int32_t* index) {
                if (auto* list = qobject_cast<QComboBox*>(widget); list && index) {
                    *index = list->currentIndex();
                }
                return true;
            },
            [&](std::uint32_t*) {
                auto* edit = qobject_cast<QLineEdit*>(widget);
                if (edit == nullptr) {
                    return true;
                }
                switch (storeNumberText(sheet, binding.field, edit->text().toStdString())) {
                case NumberStatus::Stored:
                    return true;
                case NumberStatus::NotANumber:
                    refuse(edit, wholeNumberNotice());
                    return false;
                case NumberStatus::OutOfRange:
                    refuse(edit, disksPerGroupRangeNotice());
                    return false;
                }
                return true;
            },
            [&](bool* flag) {
                if (auto* box = qobject_cast<QCheckBox*>(widget); box && flag) {
                    *flag = box->isChecked();
                }
                return true;
            },
            [&](std::string* text) {
                if (auto* label = qobject_cast<QLabel*>(widget); label && text) {
                    *text = label->text().toStdString();
                }
                return true;
            },
        },
        field);
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
