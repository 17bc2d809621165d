#pragma once

// The table of the Size for Capacity window: one line per layout that the planner answered, in
// its order until a heading is clicked; the delegate that draws the efficiency as a bar; and
// the view that puts them together.

#include "commands/capacity_columns.h"
#include "core/capacity_sizing.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <array>
#include <vector>

class QSortFilterProxyModel;

namespace brim {

// What a column sorts by (numbers, not texts), and the efficiency as a fraction for the bar.
inline constexpr int kCapacitySortRole = Qt::UserRole;
inline constexpr int kEfficiencyRole = Qt::UserRole + 1;

// The sized layouts as lines, in the columns of kCapacityColumns. A cell's text is made when the
// view asks for it, so that only the lines drawn are written out. A first click on a heading
// sorts best first: fewest disks, groups and arrays, most efficiency, failures survived, IOPS
// and MB/s, shortest rebuild and least risk.
class CapacityTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CapacityTableModel(QObject* parent = nullptr);

    void setLayouts(const std::vector<SizedLayout>& lines);
    // The layout of a line (a row of this model, not of a proxy over it).
    const SizedLayout& layoutAt(int row) const { return layouts_.at(static_cast<size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SizedLayout> layouts_;
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

// The layouts, one line selected at a time. Each column is as wide as its heading or a realistic
// plan's text, set once, so that none jumps while the planner types; a longer text is cut short
// and reads whole in its tooltip.
class CapacityTableView final : public QTableView {
    Q_OBJECT
public:
    explicit CapacityTableView(QWidget* parent);

    // Shows the lines (sorted as the last clicked heading asks) and selects the first.
    void setLines(const std::vector<SizedLayout>& lines);
    // The selected line's layout, or nullptr when none is selected.
    const SizedLayout* selectedLayout() const;
    // Width and height that show every shown column and `lines` lines without scrolling.
    QSize sizeFor(int lines) const;
    // Hides the columns marked, shows the others (one column always stays in view).
    void setHiddenColumns(const std::array<bool, kCapacityColumnCount>& hidden);
    std::array<bool, kCapacityColumnCount> hiddenColumns() const;

signals:
    // The planner showed or hid a column from the heading's menu.
    void hiddenColumnsChanged();

private:
    void sizeColumns();
    int headingWidth(int column) const;
    void showColumnMenu(const QPoint& where);

    CapacityTableModel* lines_;
    QSortFilterProxyModel* shownLines_;
    std::array<int, kCapacityColumnCount> columnWidths_{};
};

} // namespace brim
