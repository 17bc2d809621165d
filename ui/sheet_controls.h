#pragma once

#include "commands/disk_choices.h"
#include "ui/control_exchange.h"
#include "ui/dialog_units.h"

#include <QString>
#include <string_view>

class QFontMetrics;
class QWidget;

namespace brim {

// Creates every control of the main window from the layout tables as a child of `window`,
// placed in dialog units, with its caption, accessible name and list entries, and registers
// each one that has an identifier in `controls`. Sets the Tab order. Push buttons do not act as
// default buttons: the window decides itself what Enter does.
void buildSheetControls(QWidget& window, const DialogUnits& units, ControlMap& controls);

// A preset caption on two lines: broken at the blank that gives the narrowest two lines, so
// "BU 2 Disk" reads "BU 2" over "Disk". A caption without a blank stays on one line.
QString twoLineCaption(const QString& caption, const QFontMetrics& metrics);

// What each row's Disk Type list shows, as buildSheetControls fills it: the names that the
// sizing and performance windows give the disk types.
RowDiskNames rowDiskNames();

// "Row 3 number of groups".
QString rowAccessibleName(int row, std::string_view columnName);

} // namespace brim
