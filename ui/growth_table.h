#pragma once

// The Growth Plan window's schedule: the planner's lines in the columns of kGrowthColumns, the
// total line last and in bold, and the view that shows and hides columns from its heading's menu
// and copies the columns shown as the planner writes them.

#include "commands/growth_planner.h"
#include "ui/performance_tables.h"

#include <QTableView>
#include <optional>

namespace brim {

class GrowthLinesModel final : public TextLinesModel {
public:
    explicit GrowthLinesModel(const GrowthPlanner& planner, QObject* parent = nullptr);

protected:
    std::size_t lineCount() const override;
    std::string_view cellText(std::size_t line, std::size_t column) const override;

private:
    const GrowthPlanner& planner_;
};

// One line selected at a time; its columns as wide as their headings and a realistic plan's
// texts, set once, so that none jumps while the planner types.
class GrowthTableView final : public QTableView {
    Q_OBJECT
public:
    GrowthTableView(const GrowthPlanner& planner, QWidget* parent);

    // After the planner's lines changed: the table shows them all, the selected line kept where
    // it still is one, else the last year's.
    void showLines();
    // The selected line (0 for year 1), or nothing.
    std::optional<std::size_t> selectedLine() const;

    // Shows the columns marked, hides the others (one column always stays in view).
    void setShownColumns(const GrowthColumnsShown& shown);
    GrowthColumnsShown shownColumns() const;

    // As wide as the columns shown; the window may give it less, and it scrolls.
    QSize sizeHint() const override;

signals:
    // The planner showed or hid a column from the heading's menu.
    void shownColumnsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitHeight();
    void showColumnMenu(const QPoint& where);

    const GrowthPlanner& planner_;
    GrowthLinesModel* lines_;
    int fittedLines_ = 0;
    int columnsWidth_ = 0; // the columns shown and the frame
};

} // namespace brim
