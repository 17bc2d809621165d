#include "ui/compare_window.h"

#include "commands/compare_texts.h"
#include "report/workbook.h"
#include "ui/application.h"
#include "ui/bar_chart.h"
#include "ui/cut_text_tips.h"
#include "ui/dialog_units.h"
#include "ui/planner_window.h"
#include "ui/qt_text.h"
#include "ui/table_copy.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>

namespace brim {
namespace {

// The vertical header names the figures, so that the names stay in view while the plans scroll;
// column 0 is the sheet's, the plans follow.
constexpr int kSheetColumn = 0;
constexpr int kFirstPlanColumn = 1;
constexpr int kBrokenRuleRow = static_cast<int>(PlanFigure::UsableGb);
constexpr int kFirstChartedRow = static_cast<int>(PlanFigure::UsableTb);
constexpr int kCellMargin = 6;          // pixels above and below a line's text
constexpr int kLargestScreenShare = 60; // percent of the screen's height the table takes at most
// What a cell shows where it differs from what it copies: digits grouped by the locale.
constexpr int kShownTextRole = Qt::UserRole;

// Cells draw and size themselves by the text they show, not the text a copy takes.
class ShownTextDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const QVariant shown = index.data(kShownTextRole); shown.isValid()) {
            option->text = shown.toString();
        }
    }
};

} // namespace

class ComparisonModel final : public QAbstractTableModel {
public:
    ComparisonModel(const std::vector<ComparedColumn>& columns, std::string groupSeparator,
                    int years, QObject* parent)
        : QAbstractTableModel(parent), columns_(columns),
          groupSeparator_(std::move(groupSeparator)) {
        for (const PlanFigureInfo& info : kPlanFigures) {
            headings_[static_cast<std::size_t>(info.figure)] =
                toQString(planFigureHeading(info.figure, years));
        }
    }

    void reset() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(kPlanFigureCount);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const auto figure = static_cast<PlanFigure>(index.row());
        const ComparedCell& cell = columns_[static_cast<std::size_t>(index.column())][figure];
        switch (role) {
        case Qt::DisplayRole:
            return toQString(cell.text);
        case kShownTextRole:
            return toQString(shownText(cell, figure, groupSeparator_));
        case Qt::FontRole:
            if (cell.best) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::TextAlignmentRole:
            return cell.value ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                              : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Vertical) {
            switch (role) {
            case Qt::DisplayRole:
                return headings_[static_cast<std::size_t>(section)];
            case Qt::TextAlignmentRole:
                return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            default:
                return {};
            }
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        return toQString(columns_[static_cast<std::size_t>(section)].name);
    }

private:
    const std::vector<ComparedColumn>& columns_;
    std::string groupSeparator_;
    std::array<QString, kPlanFigureCount> headings_; // the years ahead do not change while open
};

CompareWindow::CompareWindow(const ConfigSheet& sheet, KeptPlans& plans,
                             const PlanningAssumptions& planning, const StatedWorkload& workload,
                             RowCommands& commands, Questions& questions, QWidget* parent)
    : QDialog(parent, kPlannerWindowFlags), sheet_(sheet), plans_(plans), planning_(planning),
      workload_(workload), commands_(commands), questions_(questions) {
    setUpPlannerWindow(*this, CompareWords::kTitle);
    groupSeparator_ = locale().groupSeparator().toStdString();
    buildControls();
    layOut();
    connectControls();
    refresh();
    table_->setCurrentIndex(model_->index(kFirstChartedRow, kSheetColumn));
    table_->setFocus(Qt::OtherFocusReason);
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::buildControls() {
    keep_ = new QPushButton(toQString(CompareWords::kKeepSheet), this);
    keep_->setAutoDefault(false);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("note"));
    note_->setTextFormat(Qt::PlainText);

    model_ = new ComparisonModel(columns_, groupSeparator_, planning_.growth.years, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("comparison"));
    table_->setAccessibleName(toQString(CompareWords::kTableName));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setItemDelegate(new ShownTextDelegate(table_));
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setWordWrap(false);
    new CutTextTips(*table_);
    table_->installEventFilter(this);
    addTableCopyKeys(*table_, nullptr, LineHeadings::Copied);

    chart_ = new BarChart(this);
    chart_->setAccessibleName(toQString(CompareWords::kChartName));

    putBack_ = new QPushButton(toQString(CompareWords::kPutBack), this);
    remove_ = new QPushButton(toQString(CompareWords::kRemove), this);
    remove_->setToolTip(toQString(CompareWords::kRemoveTip));
    close_ = new QPushButton(toQString(CompareWords::kClose), this);
    for (QPushButton* button : {putBack_, remove_, close_}) {
        button->setAutoDefault(false);
    }
}

void CompareWindow::layOut() {
    auto* top = new QHBoxLayout;
    top->addWidget(keep_);
    top->addWidget(note_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(putBack_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addWidget(table_, 1);
    window->addWidget(chart_);
    window->addLayout(buttons);
}

void CompareWindow::connectControls() {
    connect(keep_, &QPushButton::clicked, this, [this] { keepSheet(); });
    connect(putBack_, &QPushButton::clicked, this, [this] { putBack(); });
    connect(remove_, &QPushButton::clicked, this, [this] { removePlan(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { showSelection(); });
    connect(table_->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { editPlanName(section - kFirstPlanColumn); });
}

// Recomputed from the plans, the sheet and the planning figures in force now.
void CompareWindow::refresh() {
    const QModelIndex current = table_->currentIndex();
    columns_ = comparePlans(sheet_, plans_.plans(), planning_, workload_);
    model_->reset();
    table_->clearSpans();
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].brokenRule) {
            table_->setSpan(kBrokenRuleRow, static_cast<int>(i),
                            static_cast<int>(kPlanFigureCount) - kBrokenRuleRow, 1);
        }
    }
    fitTable();
    const KeepState keep = keepState(plans_, sheet_);
    keep_->setEnabled(keep.canKeep);
    note_->setText(toQString(keep.note));
    const int column = std::clamp(current.column(), kSheetColumn, model_->columnCount() - 1);
    table_->setCurrentIndex(model_->index(std::max(current.row(), 0), column));
    showSelection();
}

// Every column and line in view when the screen has room: the window grows with the plans up to
// the screen's width, and the table scrolls only beyond it.
void CompareWindow::fitTable() {
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + kCellMargin);
    table_->resizeColumnsToContents();
    const int frame = 2 * table_->frameWidth();
    const int names = table_->verticalHeader()->sizeHint().width();
    const int scrollBar = table_->verticalScrollBar()->sizeHint().width();
    const int width = names + table_->horizontalHeader()->length() + frame;
    const int height = table_->horizontalHeader()->sizeHint().height() +
                       table_->verticalHeader()->length() + frame;
    const QRect room = tableRoom(QSize(width, height));
    const bool scrollsDown = height > room.height();
    // A plan's column leaves room for the figures' names beside it, so that neither scrolls out
    // of view for the other; a longer cell is cut short and shows whole in its tooltip.
    const int planColumn = room.width() - frame - names - scrollBar;
    for (int column = 0; column < model_->columnCount(); ++column) {
        table_->setColumnWidth(column, std::min(table_->columnWidth(column), planColumn));
    }
    const int wanted =
        names + table_->horizontalHeader()->length() + frame + (scrollsDown ? scrollBar : 0);
    const int shownHeight =
        scrollsDown ? wholeLinesHeight(room.height(), wanted > room.width()) : height;
    table_->setMinimumSize(std::min(wanted, room.width()), shownHeight);
    adjustSize();
}

// The tallest table within `most` that shows whole lines, so that none is cut at its foot, nor
// at its top once scrolled to the last; the scroll bar below them takes its room when the
// plans scroll sideways.
int CompareWindow::wholeLinesHeight(int most, bool scrollsSideways) const {
    const int around = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth() +
                       (scrollsSideways ? table_->horizontalScrollBar()->sizeHint().height() : 0);
    const int line = table_->verticalHeader()->defaultSectionSize();
    return around + std::max(1, (most - around) / line) * line;
}

// The most the table may take: the window's room on its screen less its margins, and three
// fifths of its height, the rest left to the chart and the buttons. Without a screen, all it
// asks for.
QRect CompareWindow::tableRoom(QSize wanted) const {
    const std::optional<QSize> room = roomOnScreen(*this);
    if (!room) {
        return QRect(QPoint(0, 0), wanted);
    }
    const QMargins margins = layout()->contentsMargins();
    const int around = margins.left() + margins.right();
    return QRect(0, 0, std::max(room->width() - around, 0),
                 room->height() * kLargestScreenShare / 100);
}

int CompareWindow::selectedPlan() const {
    const int plan = table_->currentIndex().column() - kFirstPlanColumn;
    return plan >= 0 && plan < static_cast<int>(plans_.size()) ? plan : -1;
}

void CompareWindow::showSelection() {
    const bool planSelected = selectedPlan() >= 0;
    putBack_->setEnabled(planSelected);
    remove_->setEnabled(planSelected);
    const int row = std::max(table_->currentIndex().row(), 0);
    const auto figure = static_cast<PlanFigure>(row);
    plans_.chart(figure);
    std::vector<ChartBar> bars;
    for (const std::size_t i : chartedColumns(columns_, figure)) {
        const ComparedCell& cell = columns_[i][figure];
        bars.push_back({toQString(columns_[i].name),
                        toQString(shownText(cell, figure, groupSeparator_)), *cell.value,
                        cell.best});
    }
    chart_->setBars(std::move(bars),
                    toQString(chartDescription(columns_, figure, planning_.growth.years)));
}

void CompareWindow::keepSheet() {
    if (const std::optional<std::size_t> kept = plans_.keep(sheet_)) {
        refresh();
        table_->setCurrentIndex(model_->index(table_->currentIndex().row(),
                                              static_cast<int>(*kept) + kFirstPlanColumn));
    }
}

// The plan goes into the sheet as one step for Undo and is computed; the window's work is done.
void CompareWindow::putBack() {
    const int plan = selectedPlan();
    if (plan < 0) {
        return;
    }
    const NamedPlan& chosen = plans_.plans()[static_cast<std::size_t>(plan)];
    commands_.putSheet(configSheetOf(chosen.sheet), putBackStepName(chosen));
    accept();
}

// Kept plans are no part of the sheet's Undo: a removal is asked first.
void CompareWindow::removePlan() {
    const int plan = selectedPlan();
    if (plan < 0 ||
        !questions_.ask(removePlanQuestion(plans_.plans()[static_cast<std::size_t>(plan)].name))) {
        return;
    }
    plans_.remove(static_cast<std::size_t>(plan));
    refresh();
}

void CompareWindow::editPlanName(int plan) {
    if (plan < 0 || plan >= static_cast<int>(plans_.size())) {
        return;
    }
    editedPlan_ = plan;
    QHeaderView* header = table_->horizontalHeader();
    const int section = plan + kFirstPlanColumn;
    if (!nameEditor_) {
        nameEditor_ = new QLineEdit(header->viewport());
        nameEditor_->setObjectName(QStringLiteral("planName"));
        nameEditor_->setAccessibleName(toQString(CompareWords::kPlanNameEditor));
        nameEditor_->installEventFilter(this);
        connect(nameEditor_, &QLineEdit::editingFinished, this, [this] { finishNameEdit(); });
    }
    nameEditor_->setGeometry(header->sectionViewportPosition(section), 0,
                             header->sectionSize(section), header->height());
    nameEditor_->setText(toQString(plans_.plans()[static_cast<std::size_t>(plan)].name));
    nameEditor_->selectAll();
    nameEditor_->show();
    nameEditor_->setFocus(Qt::OtherFocusReason);
}

void CompareWindow::finishNameEdit() {
    if (editedPlan_ < 0 || !nameEditor_) {
        return;
    }
    const int plan = std::exchange(editedPlan_, -1);
    const std::string refusal =
        plans_.rename(static_cast<std::size_t>(plan), nameEditor_->text().toStdString());
    closeNameEditor();
    refresh();
    if (!refusal.empty()) {
        note_->setText(toQString(refusal));
    }
}

// The table takes the focus before the editor goes: a focused editor that hides hands the focus
// on as a Tab through the headings, which would move the selection to the next cell.
void CompareWindow::closeNameEditor() {
    table_->setFocus(Qt::OtherFocusReason);
    nameEditor_->hide();
}

void CompareWindow::copyWholeTable() {
    QGuiApplication::clipboard()->setText(
        shownLinesText(*table_, false, nullptr, LineHeadings::Copied));
}

// Ctrl+Shift+C from any control of the window copies the whole table, as the table's own key
// does; the table takes its keys before they reach the window.
void CompareWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_C && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        copyWholeTable();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// F2 on a plan's column renames it, Delete removes it; Escape in the name editor keeps the old
// name.
bool CompareWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        editPlanName(selectedPlan());
        return true;
    }
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removePlan();
        return true;
    }
    if (watched == nameEditor_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        editedPlan_ = -1;
        closeNameEditor();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brim
