#pragma once

#include "core/config_sheet.h"
#include "core/sheet_exchange.h"
#include "ui/control_exchange.h"

#include <QObject>
#include <utility>
#include <vector>

namespace brim {

class ResultField;

// The main window's result fields, each drawn stale while the inputs the controls show are not
// those its text was computed from. It follows every copy (the window calls show()) and every
// edit of an input control, which runs no command when it is a disk picked or a disks-per-group
// value typed.
class StaleFigures final : public QObject {
public:
    StaleFigures(const ControlMap& controls, const ControlExchange& exchange,
                 const ConfigSheet& sheet, QObject* parent);

    // Reads what the controls show and draws each field; nothing while a copy is half done.
    void show();

private:
    void followInputEdits(const ControlMap& controls);

    const ControlExchange& exchange_;
    const ConfigSheet& sheet_;
    std::vector<std::pair<ResultField*, SheetField>> fields_;
};

} // namespace brim
