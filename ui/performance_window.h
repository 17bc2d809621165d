#pragma once

// Sheet Performance: what the sheet's rows deliver to the host at the planner's mix of reads and
// writes, what a failed disk costs each of them, and the disks to order with hot spares. The
// planner edits the assumptions behind the figures here; what they change is the plan's to say
// (SheetPerformancePlan), the window only shows its texts.

#include "commands/sheet_performance_plan.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <QDialog>
#include <array>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableView;

namespace brim {

class DiskFiguresModel;
class OrderLinesModel;
class PerformanceLinesModel;

class PerformanceWindow final : public QDialog {
    Q_OBJECT
public:
    // `sheet` is the main window's, just captured; `assumptions` the main window's, kept while
    // the program runs. Both must outlive the window.
    PerformanceWindow(const ConfigSheet& sheet, PlanningAssumptions& assumptions,
                      QWidget* parent = nullptr);
    ~PerformanceWindow() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildTables();
    void layOut();
    void sizeTables();
    void fitScreen();
    void connectInputs();
    void typeField(PlanField field, const QLineEdit& edit);
    // Every field of the window: the program's figures, then the model's.
    static std::vector<PlanField> planFields();
    QLineEdit* fieldOf(PlanField field) const;
    void addLabelled(QHBoxLayout& line, ProgramFigure figure);
    void showFigures();
    void showLines();

    SheetPerformancePlan plan_;

    QLabel* modelLabel_ = nullptr;
    std::array<QLineEdit*, kFigureCount<ProgramFigure>> programFields_{};
    std::array<QLineEdit*, kFigureCount<ModelFigure>> modelFields_{};
    QLabel* readsNote_ = nullptr;
    QTableView* linesTable_ = nullptr;
    QTableView* totalTable_ = nullptr; // the lines' total, pinned below them
    PerformanceLinesModel* lines_ = nullptr;
    QTableView* figuresTable_ = nullptr;
    DiskFiguresModel* figures_ = nullptr;
    QLabel* figureNote_ = nullptr;
    QPushButton* restore_ = nullptr;
    QLabel* sparesNote_ = nullptr;
    QLabel* costsNote_ = nullptr;
    std::array<QLabel*, kPlanNoteLineCount> noteLines_{}; // per PlanNoteLine
    QTableView* orderTable_ = nullptr;
    OrderLinesModel* order_ = nullptr;
    QLabel* arraysLine_ = nullptr;
    QLabel* costLine_ = nullptr;  // what the plan costs, and what is not priced
    QLabel* powerLine_ = nullptr; // what it draws
    QPushButton* close_ = nullptr;
    QScrollArea* body_ = nullptr; // all but Close, which stays in view on any screen
    bool fitted_ = false;
};

} // namespace brim
