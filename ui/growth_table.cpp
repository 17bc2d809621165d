#include "ui/growth_table.h"

#include "commands/growth_texts.h"
#include "ui/cut_text_tips.h"
#include "ui/planner_widgets.h"
#include "ui/qt_text.h"
#include "ui/table_copy.h"

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>

namespace brim {
namespace {

// Room for a year and the total however few years there are.
constexpr int kFewestLines = 2;
// The narrowest the table gets: a share of its columns, the rest scrolled to.
constexpr int kNarrowestShare = 3;

} // namespace

GrowthLinesModel::GrowthLinesModel(const GrowthPlanner& planner, QObject* parent)
    : TextLinesModel(kGrowthColumns, parent), planner_(planner) {
    linesChanged();
}

std::size_t GrowthLinesModel::lineCount() const {
    return planner_.lines().size();
}

std::string_view GrowthLinesModel::cellText(std::size_t line, std::size_t column) const {
    return planner_.lines()[line][column];
}

GrowthTableView::GrowthTableView(const GrowthPlanner& planner, QWidget* parent)
    : QTableView(parent), planner_(planner), lines_(new GrowthLinesModel(planner, this)) {
    setModel(lines_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    // Where the window is narrower than the columns, the table scrolls sideways by itself, so
    // that the sentences and the chart under it stay in view.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new PlannerCellDelegate(this));
    new CutTextTips(*this);
    addTableCopyKeys(*this, [this](bool selectedOnly) {
        const std::optional<std::size_t> line = selectedLine();
        if (selectedOnly && !line) {
            return QString();
        }
        return QString::fromStdString(
            planner_.copyText(shownColumns(), selectedOnly ? line : std::nullopt));
    });
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &GrowthTableView::showColumnMenu);
    // The columns' widths once, from their samples; then only the height follows the years.
    fitTable(*this, *lines_, kFewestLines);
    setShownColumns(shownColumns());
    showLines();
}

// The table grows and shrinks with the years, so that it never scrolls and keeps no empty lines.
void GrowthTableView::showLines() {
    const std::optional<std::size_t> selected = selectedLine();
    lines_->linesChanged();
    const int count = lines_->rowCount();
    if (count != fittedLines_) {
        fittedLines_ = count;
        fitHeight();
    }
    const int years = static_cast<int>(planner_.yearLineCount());
    if (years == 0) {
        return;
    }
    const int line = selected ? std::min(static_cast<int>(*selected), count - 1) : years - 1;
    selectionModel()->setCurrentIndex(lines_->index(line, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

std::optional<std::size_t> GrowthTableView::selectedLine() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(rows.front().row());
}

void GrowthTableView::setShownColumns(const GrowthColumnsShown& shown) {
    const bool noneShown = std::none_of(shown.begin(), shown.end(), [](bool s) { return s; });
    int width = 2 * frameWidth();
    for (int column = 0; column < static_cast<int>(kGrowthColumnCount); ++column) {
        const bool hidden = !shown[static_cast<std::size_t>(column)] && !(noneShown && column == 0);
        setColumnHidden(column, hidden);
        width += hidden ? 0 : horizontalHeader()->sectionSize(column);
    }
    columnsWidth_ = width;
    setMinimumWidth(std::min(width, width / kNarrowestShare + 1));
    updateGeometry();
    fitHeight();
}

QSize GrowthTableView::sizeHint() const {
    return {columnsWidth_, height()};
}

// As tall as the lines and the headings, and the scroll bar when the columns need one.
void GrowthTableView::fitHeight() {
    const int bar = columnsWidth_ > width() ? horizontalScrollBar()->sizeHint().height() : 0;
    setFixedHeight(2 * frameWidth() + horizontalHeader()->sizeHint().height() + bar +
                   std::max(fittedLines_, kFewestLines) * verticalHeader()->defaultSectionSize());
}

void GrowthTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitHeight();
}

GrowthColumnsShown GrowthTableView::shownColumns() const {
    GrowthColumnsShown shown{};
    for (int column = 0; column < static_cast<int>(kGrowthColumnCount); ++column) {
        shown[static_cast<std::size_t>(column)] = !isColumnHidden(column);
    }
    return shown;
}

// Every column by its heading on one line, ticked when shown; the last one shown cannot be
// hidden, so that the table never goes blank.
void GrowthTableView::showColumnMenu(const QPoint& where) {
    QMenu menu(this);
    const GrowthColumnsShown shown = shownColumns();
    const auto shownCount = std::count(shown.begin(), shown.end(), true);
    for (int column = 0; column < static_cast<int>(kGrowthColumnCount); ++column) {
        QString heading = toQString(kGrowthColumns[static_cast<std::size_t>(column)].heading);
        heading.replace(u'\n', u' ');
        QAction* action = menu.addAction(heading);
        action->setCheckable(true);
        action->setChecked(!isColumnHidden(column));
        action->setEnabled(isColumnHidden(column) || shownCount > 1);
        connect(action, &QAction::toggled, this, [this, column](bool show) {
            GrowthColumnsShown now = shownColumns();
            now[static_cast<std::size_t>(column)] = show;
            setShownColumns(now);
            emit shownColumnsChanged();
        });
    }
    menu.exec(horizontalHeader()->viewport()->mapToGlobal(where));
}

} // namespace brim
