#pragma once

// The table of the Size for Capacity window: one line per layout that the sizing core returned,
// in the core's order; a proxy that filters by failures survived and sorts by a clicked heading;
// and the delegate that draws the efficiency as a bar.

#include "capacity_sizing.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <vector>

namespace brim {

enum class CapacityColumn : int {
    RaidType,
    DisksPerGroup,
    GroupsNeeded,
    Disks,
    ArraysNeeded,
    UsableGb,
    UsableTb,
    Efficiency,
    FailuresSurvived,
};
inline constexpr int kCapacityColumnCount = 9;

// What a column sorts by (numbers, not texts), and the efficiency as a fraction for the bar.
inline constexpr int kCapacitySortRole = Qt::UserRole;
inline constexpr int kEfficiencyRole = Qt::UserRole + 1;

// The widest text that a column should show whole: its width is set once, so that it does not
// jump while the planner types.
QString capacityColumnWidestText(int column);

// The sized layouts as lines. Texts are the core's, trimmed; a layout whose group count does
// not fit a # of Groups field reads "too many" and has no figures.
class CapacityTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CapacityTableModel(QObject* parent = nullptr);

    void setLayouts(const SizingResult& result);
    void clear();
    // The layout of a line (a row of this model, not of a proxy over it).
    const SizedLayout& layoutAt(int row) const { return layouts_.at(static_cast<size_t>(row)); }
    static bool fits(const SizedLayout& layout) noexcept { return layout.groupCount.has_value(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SizedLayout> layouts_;
};

// Hides the layouts that survive fewer failed disks per group than asked. Without a clicked
// heading the lines keep the core's order; a layout with "too many" groups sorts last in either
// direction, as it is never a candidate.
class CapacityLinesProxy final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit CapacityLinesProxy(QObject* parent = nullptr);

    void setMinimumFailures(int failures);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const CapacityTableModel* lines() const;

    int minimumFailures_ = 0;
};

// The efficiency cell: a bar as long as the usable share of the raw capacity, under its
// percentage, so that the eye compares layouts down the column at once.
class EfficiencyBarDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit EfficiencyBarDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace brim
