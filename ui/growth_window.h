#pragma once

// Growth Plan: the planner types how fast the data and the workload grow, how prices move and
// what power costs, and sees what to buy each year and what the plan costs to own, under it the
// sentences and a chart of the usable TB installed each year against the need. What to show is
// the planner's to decide (GrowthPlanner); the window shows its texts and keeps a year's plan
// among the kept plans.

#include "commands/growth_planner.h"
#include "commands/kept_plans.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace brim {

class GrowthBarChart;
class GrowthTableView;

class GrowthWindow final : public QDialog {
    Q_OBJECT
public:
    // `sheet` is the main window's, just captured; `planning` its assumptions, whose figures of
    // the years ahead the fields edit; `plans` the plans Keep Year adds to; `choices` keeps the
    // columns shown for the next window. All must outlive the window.
    GrowthWindow(const ConfigSheet& sheet, PlanningAssumptions& planning, StatedWorkload workload,
                 KeptPlans& plans, GrowthChoices& choices, QWidget* parent = nullptr);
    ~GrowthWindow() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void layOut();
    void setTabOrder();
    // The field of a figure: its line edit, the Grow definition list or the installed box.
    QWidget* fieldOf(GrowthFigure figure) const;
    void connectInputs();
    void fitScreen();

    void typeField(GrowthFigure figure, const QLineEdit& field);
    void showSchedule();
    void updateKeepButton();
    void keepYear();

    GrowthPlanner planner_;
    KeptPlans& plans_;
    GrowthChoices& choices_;
    bool fitted_ = false;

    QLabel* modelLabel_ = nullptr;
    // The text fields, by figure; the Grow definition list and the installed box have none.
    std::array<QLineEdit*, kFigureCount<GrowthFigure>> fields_{};
    QComboBox* definitionList_ = nullptr;
    QCheckBox* installedBox_ = nullptr;
    QLabel* refusal_ = nullptr;
    QLabel* workload_ = nullptr;
    QLabel* growthRow_ = nullptr; // and the notes under it
    GrowthTableView* table_ = nullptr;
    QLabel* runOut_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* leftOut_ = nullptr;
    GrowthBarChart* chart_ = nullptr;
    QScrollArea* body_ = nullptr;
    QLabel* keepNote_ = nullptr;
    QPushButton* keepYear_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace brim
