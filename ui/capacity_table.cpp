#include "ui/capacity_table.h"

#include "commands/capacity_texts.h"
#include "core/catalogue.h"
#include "ui/cut_text_tips.h"
#include "ui/planner_widgets.h"
#include "ui/qt_text.h"
#include "ui/table_copy.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

namespace brim {
namespace {

const CapacityColumnInfo& columnInfo(int column) {
    return kCapacityColumns[static_cast<std::size_t>(column)];
}

} // namespace

CapacityTableModel::CapacityTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CapacityTableModel::setLayouts(const std::vector<SizedLayout>& lines) {
    beginResetModel();
    layouts_ = lines;
    endResetModel();
}

int CapacityTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(layouts_.size());
}

int CapacityTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kCapacityColumnCount;
}

QVariant CapacityTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const SizedLayout& layout = layoutAt(index.row());
    const CapacityColumnInfo& column = columnInfo(index.column());
    switch (role) {
    case Qt::DisplayRole:
        // The cell's text as the command line's table makes it (capacityTableText).
        return QString::fromStdString(capacityCellText(layout, column.column));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (column.numeric ? Qt::AlignRight : Qt::AlignLeft));
    case kCapacitySortRole:
        return column.sortKey(layout);
    case kEfficiencyRole:
        return layout.efficiency;
    case kGroupDigitsRole:
        return column.grouped;
    case kWarnsRole:
        return capacityCellWarns(layout, column.column);
    case Qt::ToolTipRole:
        return capacityCellWarns(layout, column.column) ? toQString(kRiskyLossTip) : QVariant();
    default:
        return {};
    }
}

QVariant CapacityTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return toQString(columnInfo(section).heading);
    }
    if (role == Qt::InitialSortOrderRole) {
        return static_cast<int>(columnInfo(section).largestFirst ? Qt::DescendingOrder
                                                                 : Qt::AscendingOrder);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

EfficiencyBarDelegate::EfficiencyBarDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void EfficiencyBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const double fraction = std::clamp(index.data(kEfficiencyRole).toDouble(), 0.0, 1.0);
    const QRect track = option.rect.adjusted(3, 3, -3, -3);
    QRect bar = track;
    bar.setWidth(static_cast<int>(track.width() * fraction + 0.5));
    // On a selected line the background is the highlight itself: the bar takes the text's
    // colour there, faintly, so that it stays visible.
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    QColor fill = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight);
    fill.setAlpha(selected ? 90 : 80);
    painter->save();
    painter->fillRect(bar, fill);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(track, Qt::AlignCenter, text);
    painter->restore();
}

CapacityTableView::CapacityTableView(QWidget* parent)
    : QTableView(parent), lines_(new CapacityTableModel(this)),
      shownLines_(new QSortFilterProxyModel(this)) {
    shownLines_->setSortRole(kCapacitySortRole);
    shownLines_->setSourceModel(lines_);
    setModel(shownLines_);
    setItemDelegate(new PlannerCellDelegate(this));
    setItemDelegateForColumn(static_cast<int>(CapacityColumn::Efficiency),
                             new EfficiencyBarDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    new CutTextTips(*this);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->hide();
    // No heading clicked yet: the lines keep the planner's order until the planner picks one.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    addTableCopyKeys(*this);
    sizeColumns();
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &CapacityTableView::showColumnMenu);
    // A sort starts the lines afresh: the best line, at the top, is the one to see.
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this] { scrollToTop(); });
}

// Each column exactly as wide as its heading or its sample of a realistic plan needs, so that on
// a common screen every column shows at once; a longer text is cut short at its end (the view's
// ElideRight: the leading digits tell the size) and reads whole in its tooltip. A text needs the
// margins a cell keeps either side of it and the grid line; a count's or a cost's is measured
// with its digits grouped, as it is drawn.
void CapacityTableView::sizeColumns() {
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(font());
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this);
    const int padding = 2 * (margin + 1) + 1;
    for (int column = 0; column < model()->columnCount(); ++column) {
        const CapacityColumnInfo& info = columnInfo(column);
        const QString sample =
            info.grouped ? groupedOnScreen(info.sample, locale()) : toQString(info.sample);
        const int width =
            std::max(headingWidth(column), metrics.horizontalAdvance(sample) + padding);
        header->resizeSection(column, width);
        columnWidths_[static_cast<std::size_t>(column)] = width;
    }
    header->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(metrics.height() + metrics.height() / 2);
}

// A heading's widest line in bold (the headings over a selected line are drawn so), the margins
// either side, and the sort arrow beside it: half the header's height and two more margins, where
// the style puts it. The header's own size hint keeps a whole header height for the arrow.
int CapacityTableView::headingWidth(int column) const {
    const QHeaderView* header = horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widestLine = 0;
    for (const QString& line :
         model()->headerData(column, Qt::Horizontal).toString().split(u'\n')) {
        widestLine = std::max(widestLine, metrics.horizontalAdvance(line));
    }
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return widestLine + 4 * margin + header->sizeHint().height() / 2;
}

QSize CapacityTableView::sizeFor(int lines) const {
    const int frame = 2 * frameWidth();
    int columnsWidth = 0;
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        columnsWidth +=
            isColumnHidden(column) ? 0 : columnWidths_[static_cast<std::size_t>(column)];
    }
    return {frame + columnsWidth + verticalScrollBar()->sizeHint().width(),
            frame + horizontalHeader()->sizeHint().height() +
                horizontalScrollBar()->sizeHint().height() +
                lines * verticalHeader()->defaultSectionSize()};
}

void CapacityTableView::setHiddenColumns(const std::array<bool, kCapacityColumnCount>& hidden) {
    const bool allHidden = std::all_of(hidden.begin(), hidden.end(), [](bool h) { return h; });
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        setColumnHidden(column,
                        hidden[static_cast<std::size_t>(column)] && !(allHidden && column == 0));
    }
}

std::array<bool, kCapacityColumnCount> CapacityTableView::hiddenColumns() const {
    std::array<bool, kCapacityColumnCount> hidden{};
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        hidden[static_cast<std::size_t>(column)] = isColumnHidden(column);
    }
    return hidden;
}

// Every column by its heading on one line, ticked when shown; the last one shown cannot be
// hidden, so that the table never goes blank.
void CapacityTableView::showColumnMenu(const QPoint& where) {
    QMenu menu(this);
    const std::array<bool, kCapacityColumnCount> hidden = hiddenColumns();
    const auto shown = std::count(hidden.begin(), hidden.end(), false);
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        QString heading = toQString(columnInfo(column).heading);
        heading.replace(u'\n', u' ');
        QAction* action = menu.addAction(heading);
        action->setCheckable(true);
        action->setChecked(!isColumnHidden(column));
        action->setEnabled(isColumnHidden(column) || shown > 1);
        connect(action, &QAction::toggled, this, [this, column](bool show) {
            setColumnHidden(column, !show);
            emit hiddenColumnsChanged();
        });
    }
    menu.exec(horizontalHeader()->viewport()->mapToGlobal(where));
}

void CapacityTableView::setLines(const std::vector<SizedLayout>& lines) {
    lines_->setLayouts(lines);
    if (shownLines_->rowCount() > 0) {
        selectionModel()->setCurrentIndex(shownLines_->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
        scrollToTop();
    }
}

const SizedLayout* CapacityTableView::selectedLayout() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return nullptr;
    }
    return &lines_->layoutAt(shownLines_->mapToSource(rows.front()).row());
}

} // namespace brim
