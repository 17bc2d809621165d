#include "ui/stale_figures.h"

#include "ui/result_field.h"
#include "ui/window_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace brim {

StaleFigures::StaleFigures(const ControlMap& controls, const ControlExchange& exchange,
                           const ConfigSheet& sheet, QObject* parent)
    : QObject(parent), exchange_(exchange), sheet_(sheet) {
    for (const Binding& binding : kBindings) {
        if (auto* field = qobject_cast<ResultField*>(controls.find(binding.id))) {
            fields_.emplace_back(field, binding.field);
        }
    }
    followInputEdits(controls);
}

void StaleFigures::show() {
    if (exchange_.copying()) {
        return; // the copy's end shows them
    }
    const ScreenInputs screen = exchange_.screenInputs();
    for (const auto& [field, shown] : fields_) {
        field->showState(resultTextStale(sheet_, screen, shown));
    }
}

void StaleFigures::followInputEdits(const ControlMap& controls) {
    for (const Binding& binding : kBindings) {
        if (!isInputField(binding.field.kind)) {
            continue;
        }
        QWidget* widget = controls.find(binding.id);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            connect(list, &QComboBox::currentIndexChanged, this, [this] { show(); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this, [this] { show(); });
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            connect(box, &QCheckBox::toggled, this, [this] { show(); });
        }
    }
}

} // namespace brim
