#pragma once

// The tables of the Sheet Performance window, over the texts its plan keeps: the lines of the
// sheet's rows, the disks to order, and the disk figures that the planner edits in place.

#include "commands/performance_columns.h"
#include "commands/sheet_performance_plan.h"

#include <QAbstractTableModel>
#include <optional>
#include <span>
#include <string_view>

class QTableView;

namespace brim {

// Lines of texts, read-only; the last one is the total line and stands out.
class TextLinesModel : public QAbstractTableModel {
public:
    explicit TextLinesModel(std::span<const TextColumn> columns, QObject* parent = nullptr);

    // The plan's lines have changed: the view is told, redrawing in place when their number
    // stayed the same.
    void linesChanged();
    QString sampleText(int column) const;
    bool numeric(int column) const;
    bool grouped(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    virtual std::size_t lineCount() const = 0;
    virtual std::string_view cellText(std::size_t line, std::size_t column) const = 0;

private:
    std::span<const TextColumn> columns_;
    int shownLines_ = 0; // the lines the view knows of
};

class PerformanceLinesModel final : public TextLinesModel {
public:
    explicit PerformanceLinesModel(const SheetPerformancePlan& plan, QObject* parent = nullptr);
    // Its message stands in the disk type's cell and reads across the figures.
    bool brokenRule(int line) const;

protected:
    std::size_t lineCount() const override;
    std::string_view cellText(std::size_t line, std::size_t column) const override;

private:
    const SheetPerformancePlan& plan_;
};

class OrderLinesModel final : public TextLinesModel {
public:
    explicit OrderLinesModel(const SheetPerformancePlan& plan, QObject* parent = nullptr);

protected:
    std::size_t lineCount() const override;
    std::string_view cellText(std::size_t line, std::size_t column) const override;

private:
    const SheetPerformancePlan& plan_;
};

// One line per disk type the model's family offers. A figure typed outside its range is refused
// in place: the editor closes on the old figure and the plan's note says why.
class DiskFiguresModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DiskFiguresModel(SheetPerformancePlan& plan, QObject* parent = nullptr);

    void restoreDefaults();
    // The figure a column shows; none for the disk type's name.
    static std::optional<DiskFigure> figureOf(int column);
    QString sampleText(int column) const;
    bool numeric(int column) const;
    // The figures read as typed: none is grouped.
    bool grouped(int) const { return false; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A figure was typed, taken or refused: the other tables and the note follow.
    void figureTyped();

private:
    SheetPerformancePlan& plan_;
};

// A view of whole lines, one selected at a time, read-only, that Ctrl+C and Ctrl+Shift+C copy,
// with the lines of `pinnedBelow` (see pinTotalBelow) among them; its counts and costs are
// drawn with their digits grouped.
QTableView* linesView(const char* name, std::string_view accessibleName, QWidget* parent,
                      const QTableView* pinnedBelow = nullptr);

// The total line stays in sight below the lines, which scroll above it when the screen cannot
// hold them all: `total` shows the last line of `lines`' model without headings, with the same
// columns and selection, and a click on it gives `lines` the focus, whose copy keys take it too.
void pinTotalBelow(QTableView& total, QTableView& lines);
// After the lines changed: `lines` shows every line but the last, `total` the last alone.
void showTotalPinned(QTableView& lines, QTableView& total);

// Columns as wide as their headings and sample texts, set once so that none jumps or cuts its
// text while the planner types; the table as tall as `lines` lines and its headings, if shown.
void fitTable(QTableView& table, const TextLinesModel& model, int lines);
void fitTable(QTableView& table, const DiskFiguresModel& model, int lines);

} // namespace brim
