#include "capacity_table.h"

#include "catalogue.h"
#include "qt_text.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <array>
#include <string_view>

namespace brim {
namespace {

struct ColumnInfo {
    CapacityColumn column;
    std::string_view heading; // two short lines keep the numeric columns narrow
    bool numeric;             // right-aligned, so that the digits line up
    std::string_view widest;  // the widest text the column should show without cutting
};

// clang-format off
inline constexpr std::array<ColumnInfo, kCapacityColumnCount> kColumns{{
    // column                             heading               numeric  widest
    {CapacityColumn::RaidType,          "RAID\ntype",         false,   "IndivDisk"},
    {CapacityColumn::DisksPerGroup,     "Disks per\ngroup",   true,    "16"},
    {CapacityColumn::GroupsNeeded,      "Groups\nneeded",     true,    "too many"},
    {CapacityColumn::Disks,             "Disks",              true,    "99999999"},
    {CapacityColumn::ArraysNeeded,      "Arrays\nneeded",     true,    "999999"},
    {CapacityColumn::UsableGb,          "Usable\nGB",         true,    "99999999.99"},
    {CapacityColumn::UsableTb,          "Usable\nTB",         true,    "99999.99"},
    {CapacityColumn::Efficiency,        "Efficiency",         false,   "100.0%"},
    {CapacityColumn::FailuresSurvived,  "Failures\nsurvived", true,    "2"},
}};
// clang-format on

constexpr char kTooMany[] = "too many";

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
    const bool fits = CapacityTableModel::fits(layout);
    switch (column) {
    case CapacityColumn::RaidType:
        return toQString(Catalogue::raidPickerName(layout.raidType));
    case CapacityColumn::DisksPerGroup:
        return QString::number(layout.disksPerGroup);
    case CapacityColumn::GroupsNeeded:
        return fits ? QString::number(*layout.groupCount) : QString::fromLatin1(kTooMany);
    case CapacityColumn::Disks:
        return fits ? QString::number(layout.disks) : QString();
    case CapacityColumn::ArraysNeeded:
        return fits ? QString::number(layout.arraysRequired) : QString();
    case CapacityColumn::UsableGb:
        return trimmed(layout.totalCapacityText);
    case CapacityColumn::UsableTb:
        return trimmed(layout.totalTbText);
    case CapacityColumn::Efficiency:
        return percent(layout.efficiency);
    case CapacityColumn::FailuresSurvived:
        return layout.failuresSurvived;
    }
    return {};
}

QVariant sortKey(const SizedLayout& layout, CapacityColumn column) {
    switch (column) {
    case CapacityColumn::RaidType:
        return layout.raidType;
    case CapacityColumn::DisksPerGroup:
        return layout.disksPerGroup;
    case CapacityColumn::GroupsNeeded:
        return layout.groupCount.value_or(0);
    case CapacityColumn::Disks:
        return static_cast<qulonglong>(layout.disks);
    case CapacityColumn::ArraysNeeded:
        return static_cast<qulonglong>(layout.arraysRequired);
    case CapacityColumn::UsableGb:
    case CapacityColumn::UsableTb:
        return layout.usableMib;
    case CapacityColumn::Efficiency:
        return layout.efficiency;
    case CapacityColumn::FailuresSurvived:
        return layout.failuresSurvived;
    }
    return {};
}

} // namespace

QString capacityColumnWidestText(int column) {
    if (column < 0 || column >= kCapacityColumnCount) {
        return {};
    }
    return toQString(kColumns[static_cast<size_t>(column)].widest);
}

CapacityTableModel::CapacityTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CapacityTableModel::setLayouts(const SizingResult& result) {
    beginResetModel();
    layouts_.assign(result.layouts.begin(),
                    result.layouts.begin() + static_cast<std::ptrdiff_t>(result.count));
    endResetModel();
}

void CapacityTableModel::clear() {
    beginResetModel();
    layouts_.clear();
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
    return QAbstractTableModel::headerData(section, orientation, role);
}

CapacityLinesProxy::CapacityLinesProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(kCapacitySortRole);
}

void CapacityLinesProxy::setMinimumFailures(int failures) {
    if (failures != minimumFailures_) {
        minimumFailures_ = failures;
        invalidateFilter();
    }
}

const CapacityTableModel* CapacityLinesProxy::lines() const {
    return qobject_cast<const CapacityTableModel*>(sourceModel());
}

bool CapacityLinesProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const CapacityTableModel* model = lines();
    return model && model->layoutAt(sourceRow).failuresSurvived >= minimumFailures_;
}

// A descending sort asks lessThan(right, left); answering by the sort order keeps the lines with
// "too many" groups below the others both ways.
bool CapacityLinesProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const CapacityTableModel* model = lines();
    const bool leftFits = CapacityTableModel::fits(model->layoutAt(left.row()));
    const bool rightFits = CapacityTableModel::fits(model->layoutAt(right.row()));
    if (leftFits != rightFits) {
        const bool descending = sortOrder() == Qt::DescendingOrder;
        return leftFits != descending;
    }
    return QSortFilterProxyModel::lessThan(left, right);
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

} // namespace brim
