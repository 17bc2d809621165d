#pragma once

// Size for Capacity: the planner states the usable capacity needed, a workload (host IOPS and
// MB/s at a read share) or both, and a disk type, and sees every layout the RAID rules accept
// with the groups, disks and arrays it takes and what it delivers, sized for the row that Put
// in Row would fill, so that each figure is the one Compute and Sheet Performance will show. What
// to show and whether Put in Row may act is the planner's to decide (CapacityPlanner); the
// window turns its reasons into texts and shows its lines.

#include "commands/capacity_planner.h"
#include "commands/row_commands.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brim {

class CapacityTableView;

class CapacityWindow final : public QDialog {
    Q_OBJECT
public:
    // `sheet` is the main window's, just captured; `commands` puts the chosen layout into it;
    // `choices` keeps the unit, disk type, failures, workload and loss limit typed here for
    // the next window; `planning` is the main window's assumptions, whose mix "% reads" edits. All
    // must outlive the window.
    CapacityWindow(const ConfigSheet& sheet, RowCommands& commands, CapacityChoices& choices,
                   PlanningAssumptions& planning, QWidget* parent = nullptr);
    ~CapacityWindow() override;

private:
    void buildControls();
    void layOut();
    void sizeToFit();
    void connectInputs();

    CapacityUnit unit() const;
    int diskType() const;
    int minimumFailures() const;
    void refresh();
    void updatePutButton();
    void putSelectedLayout();

    CapacityPlanner planner_;
    CapacityChoices& choices_;

    QLabel* modelLabel_ = nullptr;
    QLineEdit* capacityField_ = nullptr;
    QComboBox* unitList_ = nullptr;
    QLabel* notice_ = nullptr;
    QComboBox* diskList_ = nullptr;
    QCheckBox* addToSheet_ = nullptr;
    QComboBox* failuresList_ = nullptr;
    QLineEdit* hostIopsField_ = nullptr;
    QLineEdit* readPercentField_ = nullptr;
    QLineEdit* mbpsField_ = nullptr;
    QLabel* workloadNotice_ = nullptr;
    QLabel* rowNote_ = nullptr;
    QLabel* sheetFigure_ = nullptr;
    CapacityTableView* table_ = nullptr;
    QLineEdit* lossLimitField_ = nullptr;
    QLabel* lossLimitNote_ = nullptr;
    QLabel* assumption_ = nullptr;
    QPushButton* putInRow_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace brim
