#pragma once

#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "core/sheet_exchange.h"
#include "ui/window_layout.h"

#include <span>
#include <string>
#include <unordered_map>

class QLineEdit;
class QWidget;

namespace brim {

// The main window's controls by identifier.
class ControlMap {
public:
    void add(int id, QWidget* widget) { widgets_[id] = widget; }
    // nullptr for an identifier that has no control.
    QWidget* find(int id) const noexcept {
        const auto it = widgets_.find(id);
        return it == widgets_.end() ? nullptr : it->second;
    }
    std::size_t size() const noexcept { return widgets_.size(); }

private:
    std::unordered_map<int, QWidget*> widgets_;
};

// The notices of a refused field, shown before the focus goes back into it.
std::string wholeNumberNotice();
std::string disksPerGroupRangeNotice();

// The window side of the exchange: walks the bindings in their order and moves each value
// between its control and its sheet field, with the sheet's rules for what a text may store.
// A list shows its index (no selection for -1 or an index outside it), an edit field its number,
// a check box its flag, a result field its text as it stands.
class ControlExchange {
public:
    ControlExchange(const ControlMap& controls, MessageSink& messages,
                    std::span<const Binding> bindings = kBindings) noexcept;

    // Reads every bound control into the sheet. At the first refused field: its notice, the
    // focus back in it with the whole text selected, and false; later fields stay as they were.
    bool copyControlsToSheet(ConfigSheet& sheet);
    // Reads every bound control that holds a value into the sheet, with no notice and no focus
    // change: a disks-per-group value out of range is stored as the number it is, and a field
    // whose text is no number leaves its field as it was.
    void copyReadableControlsToSheet(ConfigSheet& sheet);
    // Writes every bound field into its control. Never fails.
    void copySheetToControls(ConfigSheet& sheet);

    // What the input controls show, read by the copy's own rules but into nothing: no notice,
    // no focus change. Not to be read while a copy runs, when the controls are half written.
    ScreenInputs screenInputs() const;

    // True while either copy runs: the controls' notifications then come from the copy itself
    // and must not start a command.
    bool copying() const noexcept { return copying_; }

private:
    bool readControl(ConfigSheet& sheet, const Binding& binding);
    // Reads one control into its field; NotANumber leaves the field as it was.
    NumberStatus readInto(ConfigSheet& sheet, const Binding& binding) const;
    void writeControl(ConfigSheet& sheet, const Binding& binding);
    void refuse(QLineEdit* field, const std::string& notice);

    const ControlMap& controls_;
    MessageSink& messages_;
    std::span<const Binding> bindings_;
    bool copying_ = false;
};

} // namespace brim
