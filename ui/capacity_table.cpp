#include "capacity_table.h"

#include "catalogue.h"
#include "qt_text.h"
#include "table_copy.h"

#include <QApplication>
#include <QHeaderView>
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

struct ColumnInfo {
    CapacityColumn column;
    std::string_view heading; // two short lines keep the numeric columns narrow
    bool numeric;             // right-aligned, so that the digits line up
    Qt::SortOrder bestFirst;  // the order of the first click on the heading
};

// clang-format off
inline constexpr std::array<ColumnInfo, kCapacityColumnCount> kColumns{{
    // column                             heading               numeric  first click
    {CapacityColumn::RaidType,          "RAID\ntype",         false,   Qt::AscendingOrder},
    {CapacityColumn::DisksPerGroup,     "Disks per\ngroup",   true,    Qt::AscendingOrder},
    {CapacityColumn::GroupsNeeded,      "Groups\nneeded",     true,    Qt::AscendingOrder},
    {CapacityColumn::SizedBy,           "Sized by",           false,   Qt::AscendingOrder},
    {CapacityColumn::Disks,             "Disks",              true,    Qt::AscendingOrder},
    {CapacityColumn::ArraysNeeded,      "Arrays\nneeded",     true,    Qt::AscendingOrder},
    {CapacityColumn::WithSpares,        "With spares:\ndisks / arrays", false, Qt::AscendingOrder},
    {CapacityColumn::UsableGb,          "Usable\nGB",         true,    Qt::AscendingOrder},
    {CapacityColumn::UsableTb,          "Usable\nTB",         true,    Qt::AscendingOrder},
    {CapacityColumn::HostIops,          "Host IOPS",          true,    Qt::DescendingOrder},
    {CapacityColumn::Mbps,              "MB/s",               true,    Qt::DescendingOrder},
    {CapacityColumn::Efficiency,        "Efficiency",         false,   Qt::DescendingOrder},
    {CapacityColumn::FailuresSurvived,  "Failures\nsurvived", true,    Qt::DescendingOrder},
    {CapacityColumn::RebuildHours,      "Rebuild h",          true,    Qt::AscendingOrder},
    {CapacityColumn::ReadErrorRisk,     "Read-error risk",    true,    Qt::AscendingOrder},
}};
// clang-format on

QString trimmed(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 1) + QLatin1Char('%');
}

CapacityColumn columnOf(const QModelIndex& index) {
    return static_cast<CapacityColumn>(index.column());
}

QVariant displayText(const SizedLayout& layout, CapacityColumn column) {
    switch (column) {
    case CapacityColumn::RaidType:
        return toQString(Catalogue::raidPickerName(layout.raidType));
    case CapacityColumn::DisksPerGroup:
        return QString::number(layout.disksPerGroup);
    case CapacityColumn::GroupsNeeded:
        return QString::number(layout.groupCount);
    case CapacityColumn::SizedBy:
        return toQString(sizedByText(layout.sizedBy));
    case CapacityColumn::Disks:
        return QString::number(layout.disks);
    case CapacityColumn::ArraysNeeded:
        return QString::number(layout.arraysRequired);
    case CapacityColumn::WithSpares:
        return trimmed(layout.withSparesText);
    case CapacityColumn::UsableGb:
        return trimmed(layout.netTotalGbText);
    case CapacityColumn::UsableTb:
        return trimmed(layout.netTotalTbText);
    case CapacityColumn::HostIops:
        return trimmed(layout.hostIopsText);
    case CapacityColumn::Mbps:
        return trimmed(layout.mbpsText);
    case CapacityColumn::Efficiency:
        return percent(layout.efficiency);
    case CapacityColumn::FailuresSurvived:
        return layout.failuresSurvived;
    case CapacityColumn::RebuildHours:
        return trimmed(layout.rebuildHoursText);
    case CapacityColumn::ReadErrorRisk:
        return trimmed(layout.readErrorRiskText);
    }
    return {};
}

// A layout that cannot rebuild sorts after every one that can: its first failure loses data.
double rebuildKey(const SizedLayout& layout, double figure) {
    return layout.rebuild.kind == RebuildCase::Rebuilds ? figure
                                                        : std::numeric_limits<double>::infinity();
}

QVariant sortKey(const SizedLayout& layout, CapacityColumn column) {
    switch (column) {
    case CapacityColumn::RaidType:
        return layout.raidType;
    case CapacityColumn::DisksPerGroup:
        return layout.disksPerGroup;
    case CapacityColumn::GroupsNeeded:
        return layout.groupCount;
    case CapacityColumn::SizedBy:
        return static_cast<int>(layout.sizedBy);
    case CapacityColumn::Disks:
        return static_cast<qulonglong>(layout.disks);
    case CapacityColumn::ArraysNeeded:
        return static_cast<qulonglong>(layout.arraysRequired);
    case CapacityColumn::WithSpares:
        return static_cast<qulonglong>(layout.disksWithSpares);
    case CapacityColumn::UsableGb:
    case CapacityColumn::UsableTb:
        return layout.netTotalMib;
    case CapacityColumn::HostIops:
        return layout.hostIops;
    case CapacityColumn::Mbps:
        return layout.mbps;
    case CapacityColumn::Efficiency:
        return layout.efficiency;
    case CapacityColumn::FailuresSurvived:
        return layout.failuresSurvived;
    case CapacityColumn::RebuildHours:
        return rebuildKey(layout, layout.rebuild.hours);
    case CapacityColumn::ReadErrorRisk:
        return rebuildKey(layout, layout.rebuild.chance);
    }
    return {};
}

// The longest rebuild: the largest disk at the slowest rate. The widest risk: a certain error
// after two failures.
QString longestRebuildText() {
    RebuildRisk risk;
    risk.kind = RebuildCase::Rebuilds;
    risk.hours = rebuildHours(largestUsableDiskKib() * kBytesPerKib, kRebuildMbpsRange.lowest);
    return trimmed(rebuildHoursText(risk));
}
QString widestRiskText() {
    RebuildRisk risk;
    risk.kind = RebuildCase::Rebuilds;
    risk.chance = 1.0;
    risk.failedDisks = 2;
    return trimmed(readErrorRiskText(risk));
}

// The widest text that a column can show: the largest figure the allowed range can produce.
QString widestText(int column) {
    switch (static_cast<CapacityColumn>(column)) {
    case CapacityColumn::RaidType:
        return QStringLiteral("IndivDisk");
    case CapacityColumn::DisksPerGroup:
        return QString::number(kMaxDisksPerGroup);
    case CapacityColumn::GroupsNeeded:
        return QString::number(static_cast<qulonglong>(kMostGroupsNeeded));
    case CapacityColumn::SizedBy:
        return toQString(sizedByText(SizingNeed::Capacity));
    case CapacityColumn::Disks:
        return QString::number(kMostDisksShown);
    case CapacityColumn::ArraysNeeded:
        return QString::number(kMostArraysShown);
    case CapacityColumn::WithSpares:
        return trimmed(formatDisksAndArrays(kMostDisksOrderedShown, kMostArraysOrderedShown));
    case CapacityColumn::UsableGb:
        return trimmed(formatCapacity(gibFromMib(kMostUsableMibShown)));
    case CapacityColumn::UsableTb:
        return trimmed(formatCapacity(tibFromMib(kMostUsableMibShown)));
    case CapacityColumn::HostIops:
        return trimmed(formatRate(kMostHostIopsShown));
    case CapacityColumn::Mbps:
        return trimmed(formatRate(kMostMbpsShown));
    case CapacityColumn::Efficiency:
        return percent(1.0);
    case CapacityColumn::FailuresSurvived:
        return QStringLiteral("2");
    case CapacityColumn::RebuildHours:
        return longestRebuildText();
    case CapacityColumn::ReadErrorRisk:
        return widestRiskText();
    }
    return {};
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
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kCapacityColumnCount) {
        return {};
    }
    const SizedLayout& layout = layoutAt(index.row());
    const CapacityColumn column = columnOf(index);
    switch (role) {
    case Qt::DisplayRole:
        return displayText(layout, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (kColumns[static_cast<size_t>(index.column())].numeric
                                        ? Qt::AlignRight
                                        : Qt::AlignLeft));
    case kCapacitySortRole:
        return sortKey(layout, column);
    case kEfficiencyRole:
        return layout.efficiency;
    default:
        return {};
    }
}

QVariant CapacityTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kCapacityColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::DisplayRole) {
        return toQString(kColumns[static_cast<size_t>(section)].heading);
    }
    if (role == Qt::InitialSortOrderRole) {
        return static_cast<int>(kColumns[static_cast<size_t>(section)].bestFirst);
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
    setItemDelegateForColumn(static_cast<int>(CapacityColumn::Efficiency),
                             new EfficiencyBarDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    // No heading clicked yet: the lines keep the planner's order until the planner picks one.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    addTableCopyKeys(*this);
    sizeColumns();
    // A sort starts the lines afresh: the best line, at the top, is the one to see.
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this] { scrollToTop(); });
}

// Each column exactly as wide as its heading or its widest text needs, so that on a common
// screen every column shows at once. A text needs the margins a cell keeps either side of it and
// the grid line.
void CapacityTableView::sizeColumns() {
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(font());
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this);
    const int padding = 2 * (margin + 1) + 1;
    columnsWidth_ = 0;
    for (int column = 0; column < kCapacityColumnCount; ++column) {
        const int width =
            std::max(headingWidth(column), metrics.horizontalAdvance(widestText(column)) + padding);
        header->resizeSection(column, width);
        columnsWidth_ += width;
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
    return {frame + columnsWidth_ + verticalScrollBar()->sizeHint().width(),
            frame + horizontalHeader()->sizeHint().height() +
                horizontalScrollBar()->sizeHint().height() +
                lines * verticalHeader()->defaultSectionSize()};
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
