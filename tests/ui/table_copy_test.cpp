#include "tests/support/catalogue_names.h"
#include "tests/ui/gui_test_support.h"
#include "ui/performance_window.h"
#include "ui/table_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <functional>

namespace brim::test {
namespace {

// Three lines sorted by name, last first, so that the order shown is not the model's.
struct SampleTable {
    SampleTable() {
        model.setHorizontalHeaderLabels({"Name", "Disks\nper group", "Note"});
        for (const QStringList& line : {QStringList{"b", "5", "x\ty"}, QStringList{"a", "16", ""},
                                        QStringList{"c", "2", "z"}}) {
            QList<QStandardItem*> cells;
            for (const QString& text : line) {
                cells.append(new QStandardItem(text));
            }
            model.appendRow(cells);
        }
        sorted.setSourceModel(&model);
        sorted.sort(0, Qt::DescendingOrder);
        view.setModel(&sorted);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        addTableCopyKeys(view);
    }

    QStandardItemModel model;
    QSortFilterProxyModel sorted;
    QTableView view;
};

// A Sheet Performance window over one row: 1 group of 5 x 450 G FC in RAID5 at 70 % reads.
QTableView* performanceLines(std::unique_ptr<QWidget>& keep) {
    static ConfigSheet sheet;
    static PlanningAssumptions assumptions;
    GroupDefinition& row = sheet.rows[0];
    std::tie(row.diskType, row.raidType, row.disksPerGroup, row.groupCount) =
        std::tuple(names::k450G, names::kRaid5, 5u, 1u);
    keep = std::make_unique<PerformanceWindow>(sheet, assumptions);
    return keep->findChild<QTableView*>(QStringLiteral("lines"));
}

using TableCopyTest = GuiTest;

TEST_F(TableCopyTest, CopyKeysPutTheHeadingsAndTheLinesShownOnTheClipboard) {
    struct Case {
        const char* name;
        std::function<QTableView*(QTableView&, std::unique_ptr<QWidget>&)> viewOf;
        int selectedLine; // -1: none
        Qt::KeyboardModifiers keys;
        QString copied;
    };
    const auto asIs = [](QTableView& view, std::unique_ptr<QWidget>&) { return &view; };
    const Case cases[] = {
        {"the selected line", asIs, 1, Qt::ControlModifier,
         "Name\tDisks per group\tNote\nb\t5\tx y\n"},
        {"every line in the order shown", asIs, 1, Qt::ControlModifier | Qt::ShiftModifier,
         "Name\tDisks per group\tNote\nc\t2\tz\nb\t5\tx y\na\t16\t\n"},
        {"the lines and columns shown, as placed",
         [](QTableView& view, std::unique_ptr<QWidget>&) {
             view.setRowHidden(0, true);
             view.setColumnHidden(2, true);
             view.horizontalHeader()->moveSection(1, 0);
             return &view;
         },
         -1, Qt::ControlModifier | Qt::ShiftModifier, "Disks per group\tName\n5\tb\n16\ta\n"},
        {"nothing without a selected line", asIs, -1, Qt::ControlModifier, "kept"},
        {"each line's heading first, where asked",
         [](QTableView& view, std::unique_ptr<QWidget>&) {
             auto* model = static_cast<QSortFilterProxyModel*>(view.model());
             static_cast<QStandardItemModel*>(model->sourceModel())
                 ->setVerticalHeaderLabels({"Second", "First\tline", "Third"});
             addTableCopyKeys(view, nullptr, LineHeadings::Copied);
             return &view;
         },
         -1, Qt::ControlModifier | Qt::ShiftModifier,
         "\tName\tDisks per group\tNote\nThird\tc\t2\tz\nSecond\tb\t5\tx y\nFirst line\ta\t16\t\n"},
        {"a line of Sheet Performance",
         [](QTableView&, std::unique_ptr<QWidget>& keep) { return performanceLines(keep); }, 0,
         Qt::ControlModifier,
         "Row\tDisk type\tRAID type\tDisks per group\tGroups\tHost IOPS\tMB/s\t"
         "Read-only MB/s\tWrite-only MB/s\tRebuild h\tRead-error risk\tLoss/yr\n"
         "1\t450 G FC\tRAID5\t5\t1\t474\t360\t360\t360\t2.3\t0.14%\t0.014%\n"},
    };
    for (const Case& c : cases) {
        SampleTable sample;
        std::unique_ptr<QWidget> window;
        QTableView* view = c.viewOf(sample.view, window);
        ASSERT_NE(view, nullptr) << c.name;
        view->window()->show();
        view->setFocus();
        if (c.selectedLine >= 0) {
            view->selectRow(c.selectedLine);
        }
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::keyClick(view, Qt::Key_C, c.keys);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.copied.toStdString())
            << c.name;
    }
}

} // namespace
} // namespace brim::test
