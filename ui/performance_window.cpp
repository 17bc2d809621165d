#include "ui/performance_window.h"

#include "commands/figure_words.h"
#include "commands/performance_texts.h"
#include "core/catalogue.h"
#include "ui/application.h"
#include "ui/dialog_units.h"
#include "ui/performance_tables.h"
#include "ui/planner_widgets.h"
#include "ui/planner_window.h"
#include "ui/qt_text.h"
#include "ui/sheet_controls.h"
#include "ui/window_layout.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

namespace brim {
namespace {

// The disk figures table shows every type of the largest family without scrolling.
constexpr int kFigureLines = static_cast<int>(kDiskTypes.size());
// A table keeps room for a line and the total however few it has; the sheet's total stands in
// a view of its own below the lines.
constexpr int kFewestLines = 2;
constexpr int kFewestSheetLines = kFewestLines - 1;

// A figure's field, as wide as the largest figure it takes.
template <typename Figure> QLineEdit* figureField(Figure figure, QWidget* parent) {
    const auto& words = figureWords(figure);
    const FigureRule& rule = figureRule(figure).rule;
    auto* field = new QLineEdit(parent);
    field->setObjectName(toQString(words.fieldName));
    field->setAccessibleName(toQString(words.accessibleName));
    const auto digits = static_cast<int>(figureEditText(rule, rule.range.highest).size());
    const QFontMetrics metrics(field->font());
    field->setFixedWidth(metrics.horizontalAdvance(QString(digits + 2, u'0')) + 8);
    return field;
}

} // namespace

PerformanceWindow::PerformanceWindow(const ConfigSheet& sheet, PlanningAssumptions& assumptions,
                                     QWidget* parent)
    : QDialog(parent, kPlannerWindowFlags), plan_(sheet, assumptions, rowDiskNames()) {
    setUpPlannerWindow(*this, PerformanceWords::kTitle);
    buildControls();
    buildTables();
    layOut();
    sizeTables();
    connectInputs();
    showLines();
    fieldOf(ProgramFigure::ReadPercent)->setFocus(Qt::OtherFocusReason);
}

PerformanceWindow::~PerformanceWindow() = default;

std::vector<PlanField> PerformanceWindow::planFields() {
    std::vector<PlanField> fields;
    for (const ProgramFigure figure : allFigures<ProgramFigure>()) {
        fields.emplace_back(figure);
    }
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        fields.emplace_back(figure);
    }
    return fields;
}

QLineEdit* PerformanceWindow::fieldOf(PlanField field) const {
    if (const auto* program = std::get_if<ProgramFigure>(&field)) {
        return programFields_[static_cast<std::size_t>(*program)];
    }
    return modelFields_[static_cast<std::size_t>(std::get<ModelFigure>(field))];
}

void PerformanceWindow::addLabelled(QHBoxLayout& line, ProgramFigure figure) {
    QLineEdit* field = fieldOf(figure);
    line.addWidget(buddyLabel(figureWords(figure).label, field, this));
    line.addWidget(field);
}

void PerformanceWindow::buildControls() {
    modelLabel_ = modelLine(plan_.modelIndex(), this);
    for (const ProgramFigure figure : allFigures<ProgramFigure>()) {
        programFields_[static_cast<std::size_t>(figure)] = figureField(figure, this);
    }
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        modelFields_[static_cast<std::size_t>(figure)] = figureField(figure, this);
    }
    for (const PlanField field : planFields()) {
        fieldOf(field)->setText(QString::fromStdString(plan_.fieldText(field)));
    }
    readsNote_ = noteLine("readsNote", 1, this);

    figureNote_ = noteLine("figureNote", 2, this);
    restore_ = new QPushButton(toQString(PerformanceWords::kRestoreDefaults), this);
    restore_->setAutoDefault(false);

    sparesNote_ = noteLine("sparesNote", 2, this);
    costsNote_ = noteLine("costsNote", 2, this);
    noteLines_ = {readsNote_, sparesNote_, costsNote_};
    arraysLine_ = noteLine("arraysLine", 2, this);
    costLine_ = noteLine("costLine", 2, this);
    powerLine_ = noteLine("powerLine", 2, this);

    close_ = new QPushButton(toQString(PerformanceWords::kClose), this);
    close_->setAutoDefault(false); // Enter in a field takes the figure, it does not close
}

void PerformanceWindow::buildTables() {
    lines_ = new PerformanceLinesModel(plan_, this);
    totalTable_ = linesView("total", PerformanceWords::kTotalName, this);
    linesTable_ = linesView("lines", PerformanceWords::kLinesName, this, totalTable_);
    linesTable_->setModel(lines_);
    pinTotalBelow(*totalTable_, *linesTable_);

    figures_ = new DiskFiguresModel(plan_, this);
    figuresTable_ = linesView("figures", PerformanceWords::kFiguresName, this);
    figuresTable_->setModel(figures_);
    figuresTable_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);

    order_ = new OrderLinesModel(plan_, this);
    orderTable_ = linesView("order", PerformanceWords::kOrderName, this);
    orderTable_->setModel(order_);
}

void PerformanceWindow::layOut() {
    auto* top = new QHBoxLayout;
    top->addWidget(modelLabel_);
    top->addStretch(1);
    addLabelled(*top, ProgramFigure::ReadPercent);

    auto* figures = new QGroupBox(toQString(PerformanceWords::kFiguresBox), this);
    auto* figuresLayout = new QVBoxLayout(figures);
    figuresLayout->addWidget(figuresTable_);
    figuresLayout->addWidget(figureNote_);
    // The figures of the main window's model, then the hours before a rebuild.
    auto* costs = new QGridLayout;
    int costLine = 0;
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        QLineEdit* field = fieldOf(figure);
        costs->addWidget(buddyLabel(modelFigureLabel(figure, plan_.modelIndex()), field, this),
                         costLine, 0);
        costs->addWidget(field, costLine++, 1);
    }
    QLineEdit* hours = fieldOf(ProgramFigure::HoursBeforeRebuild);
    costs->addWidget(buddyLabel(figureWords(ProgramFigure::HoursBeforeRebuild).label, hours, this),
                     costLine, 0);
    costs->addWidget(hours, costLine, 1);
    costs->setColumnStretch(2, 1);
    figuresLayout->addLayout(costs);
    figuresLayout->addWidget(costsNote_);
    figuresLayout->addStretch(1);
    figuresLayout->addWidget(restore_, 0, Qt::AlignLeft);

    auto* policy = new QHBoxLayout;
    addLabelled(*policy, ProgramFigure::DisksPerSpare);
    addLabelled(*policy, ProgramFigure::MinSparesPerType);
    policy->addWidget(new QLabel(toQString(PerformanceWords::kMinSparesAfter), this));
    policy->addStretch(1);

    auto* order = new QGroupBox(toQString(PerformanceWords::kOrderBox), this);
    auto* orderLayout = new QVBoxLayout(order);
    orderLayout->addLayout(policy);
    orderLayout->addWidget(sparesNote_);
    orderLayout->addWidget(orderTable_);
    orderLayout->addWidget(arraysLine_);
    orderLayout->addWidget(costLine_);
    orderLayout->addWidget(powerLine_);
    orderLayout->addStretch(1);

    auto* assumptions = new QHBoxLayout;
    assumptions->addWidget(figures);
    assumptions->addWidget(order, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* sheetLines = new QVBoxLayout;
    sheetLines->setSpacing(0);
    sheetLines->addWidget(linesTable_);
    sheetLines->addWidget(totalTable_);

    auto* content = new QWidget;
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addLayout(top);
    contentLayout->addWidget(readsNote_, 0, Qt::AlignRight);
    contentLayout->addLayout(sheetLines);
    contentLayout->addLayout(assumptions);
    body_ = new QScrollArea(this);
    body_->setFrameShape(QFrame::NoFrame);
    body_->setWidgetResizable(true);
    body_->setWidget(content);
    keepFocusInView(*body_);

    auto* window = new QVBoxLayout(this);
    window->addWidget(body_);
    window->addLayout(buttons);

    QWidget* previous = fieldOf(ProgramFigure::ReadPercent);
    const auto next = [&previous](QWidget* widget) {
        setTabOrder(previous, widget);
        previous = widget;
    };
    next(linesTable_);
    next(figuresTable_);
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        next(fieldOf(figure));
    }
    next(hours);
    next(restore_);
    next(fieldOf(ProgramFigure::DisksPerSpare));
    next(fieldOf(ProgramFigure::MinSparesPerType));
    next(orderTable_);
    next(close_);
}

// The sheet does not change while the window is open: its tables are as tall as their lines.
void PerformanceWindow::sizeTables() {
    fitTable(*linesTable_, *lines_,
             std::clamp(lines_->rowCount() - 1, kFewestSheetLines, kRowCount));
    fitTable(*totalTable_, *lines_, 1);
    fitTable(*figuresTable_, *figures_, kFigureLines);
    // Room for the arrays' line, which comes once a price is typed.
    fitTable(*orderTable_, *order_,
             std::clamp(order_->rowCount() + 1, kFewestLines, kFigureLines + 2));
}

// Fitted as the window first shows, on its screen and with its fonts and margins as they are
// drawn there.
void PerformanceWindow::showEvent(QShowEvent* event) {
    if (!fitted_) {
        fitted_ = true;
        fitScreen();
        resize(minimumSizeHint()); // the body as large as it needs, or as the screen allows
        adjustPosition(parentWidget());
    }
    QDialog::showEvent(event);
}

// On a small screen, or at a large scale, the lines table gives up lines and scrolls above the
// total; where even that leaves the window too large, the whole body scrolls above Close, so
// that the window and its Close button stay in view.
void PerformanceWindow::fitScreen() {
    QWidget* content = body_->widget();
    content->layout()->activate();
    const QSize room = roomForBody(*this, *body_, *close_);
    const int excess = content->sizeHint().height() - room.height();
    if (excess > 0) {
        const int fewest = linesTable_->horizontalHeader()->sizeHint().height() +
                           kFewestSheetLines * linesTable_->verticalHeader()->defaultSectionSize();
        linesTable_->setFixedHeight(std::max(fewest, linesTable_->height() - excess));
        // The scroll bar takes its room beside the columns, or from the last one where the
        // screen has none to spare.
        const int bar = linesTable_->verticalScrollBar()->sizeHint().width();
        if (content->sizeHint().width() + bar <= room.width()) {
            linesTable_->setMinimumWidth(linesTable_->minimumWidth() + bar);
        }
        content->layout()->activate();
    }
    sizeBodyWithin(*body_, room);
}

void PerformanceWindow::connectInputs() {
    for (const PlanField field : planFields()) {
        QLineEdit* edit = fieldOf(field);
        connect(edit, &QLineEdit::textChanged, this,
                [this, field, edit] { typeField(field, *edit); });
    }
    connect(figures_, &DiskFiguresModel::figureTyped, this, [this] { showFigures(); });
    connect(restore_, &QPushButton::clicked, figures_, &DiskFiguresModel::restoreDefaults);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

// The plan says which note line the field's note shows on, and what that line says.
void PerformanceWindow::typeField(PlanField field, const QLineEdit& edit) {
    const QByteArray text = edit.text().toUtf8();
    plan_.typeField(field,
                    std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    const PlanNoteLine line = SheetPerformancePlan::noteLineOf(field);
    noteLines_[static_cast<std::size_t>(line)]->setText(toQString(plan_.noteLineText(line)));
    showLines();
}

void PerformanceWindow::showFigures() {
    figureNote_->setText(QString::fromStdString(plan_.figureNote()));
    showLines();
}

// A row that breaks a rule reads its message across the figures it does not have.
void PerformanceWindow::showLines() {
    lines_->linesChanged();
    showTotalPinned(*linesTable_, *totalTable_);
    linesTable_->clearSpans();
    const int spanned = static_cast<int>(PerformanceColumn::DiskType);
    for (int line = 0; line < lines_->rowCount(); ++line) {
        if (lines_->brokenRule(line)) {
            linesTable_->setSpan(line, spanned, 1, lines_->columnCount() - spanned);
        }
    }
    order_->linesChanged();
    arraysLine_->setText(groupedOnScreen(plan_.arraysLine(), locale()));
    costLine_->setText(groupedOnScreen(plan_.costLine(), locale()));
    powerLine_->setText(groupedOnScreen(plan_.powerLine(), locale()));
}

} // namespace brim
