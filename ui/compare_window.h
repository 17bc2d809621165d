#pragma once

// Compare Plans: the sheet as it stands and every kept plan side by side on every figure the
// program knows, the best value of each line bold, and a chart of the selected line. The plans
// are the main window's; what the table says is the comparison's (plan_comparison.h), the window
// only shows its texts.

#include "commands/kept_plans.h"
#include "commands/plan_comparison.h"
#include "commands/questions.h"
#include "commands/row_commands.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace brim {

class BarChart;
class ComparisonModel;

class CompareWindow final : public QDialog {
    Q_OBJECT
public:
    // `sheet` is the main window's, just captured; the rest are the main window's too. All must
    // outlive the window. `workload` is what Size for Capacity states, which the years ahead grow.
    CompareWindow(const ConfigSheet& sheet, KeptPlans& plans, const PlanningAssumptions& planning,
                  const StatedWorkload& workload, RowCommands& commands, Questions& questions,
                  QWidget* parent = nullptr);
    ~CompareWindow() override;

    // The kept plan of the selected column, or -1 for the sheet's or the headings'.
    int selectedPlan() const;
    // Starts editing the heading of a kept plan's column in place.
    void editPlanName(int plan);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void layOut();
    void connectControls();
    void refresh();
    void fitTable();
    QRect tableRoom(QSize wanted) const;
    int wholeLinesHeight(int most, bool scrollsSideways) const;
    void showSelection();
    void keepSheet();
    void putBack();
    void removePlan();
    void finishNameEdit();
    void closeNameEditor();
    void copyWholeTable();

    const ConfigSheet& sheet_;
    KeptPlans& plans_;
    const PlanningAssumptions& planning_;
    StatedWorkload workload_;
    RowCommands& commands_;
    Questions& questions_;
    std::vector<ComparedColumn> columns_;
    std::string groupSeparator_; // the locale's, for the costs and counts the window shows

    QPushButton* keep_ = nullptr;
    QLabel* note_ = nullptr;
    QTableView* table_ = nullptr;
    ComparisonModel* model_ = nullptr;
    BarChart* chart_ = nullptr;
    QPushButton* putBack_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* close_ = nullptr;
    QLineEdit* nameEditor_ = nullptr; // over a heading while its name is edited
    int editedPlan_ = -1;
};

} // namespace brim
