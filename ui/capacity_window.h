#pragma once

// Size for Capacity: the planner states the usable capacity needed and a disk type, and sees
// every layout the RAID rules accept with the groups, disks and arrays it takes, sized for the
// row that Put in Row would fill, so that each figure is the one Compute will show there.

#include "capacity_sizing.h"
#include "config_sheet.h"
#include "row_commands.h"

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace brim {

class CapacityTableModel;
class CapacityLinesProxy;

// What the window's inputs ask for, read from its controls.
struct CapacityRequest {
    int modelIndex = 0;
    int diskType = 0;
    bool includesVault = false; // the row that Put in Row fills holds the vault disks
    QString targetText;
    CapacityUnit unit = CapacityUnit::Tb;
    std::optional<SheetBaseline> baseline; // set when the layouts add to the current sheet
};

// The layouts for a request, or none with the short text that says why.
struct CapacityAnswer {
    SizingResult sizing;
    QString notice;
};

CapacityAnswer answerCapacityRequest(const CapacityRequest& request);

class CapacityWindow final : public QDialog {
    Q_OBJECT
public:
    // `sheet` is the main window's, as its last capture left it; `commands` puts the chosen
    // layout into it. Both must outlive the window.
    CapacityWindow(const ConfigSheet& sheet, RowCommands& commands, QWidget* parent = nullptr);
    ~CapacityWindow() override;

    // The model line of a table line (a proxy row), or nothing when none is selected.
    std::optional<int> selectedLine() const;

private:
    void buildControls();
    void fillDiskTypes();
    void layOut();
    void connectInputs();
    void sizeColumns();

    CapacityRequest request() const;
    void refresh();
    void applyFailureFilter();
    void selectFirstLine();
    void updatePutButton();
    void putSelectedLayout();
    QString rowNote() const;

    const ConfigSheet& sheet_;
    RowCommands& commands_;
    const int freeRow_;                                // 1-10, or 0 when every row has groups
    const std::optional<SheetBaseline> sheetBaseline_; // nothing after a failed Compute

    QLabel* modelLabel_ = nullptr;
    QLineEdit* capacityField_ = nullptr;
    QComboBox* unitList_ = nullptr;
    QLabel* notice_ = nullptr;
    QComboBox* diskList_ = nullptr;
    QCheckBox* addToSheet_ = nullptr;
    QComboBox* failuresList_ = nullptr;
    QLabel* rowNote_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* putInRow_ = nullptr;
    QPushButton* close_ = nullptr;
    CapacityTableModel* lines_ = nullptr;
    CapacityLinesProxy* shownLines_ = nullptr;
};

} // namespace brim
