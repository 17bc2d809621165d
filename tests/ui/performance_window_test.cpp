#include "commands/planner_units.h"
#include "core/performance.h"
#include "core/units.h"
#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/performance_window.h"
#include "ui/planner_widgets.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QTableView>

namespace brim::test {
namespace {

using controls::kLowCost; // 9 x 450 G FC in RAID5 in every row

QString hostIopsShown(QWidget* modal, int line) {
    auto* lines = modal->findChild<QTableView*>(QStringLiteral("lines"));
    EXPECT_NE(lines, nullptr);
    const int column = static_cast<int>(PerformanceColumn::HostIops);
    return lines ? lines->model()->index(line, column).data().toString() : QString();
}

// Ctrl+I captures first: a refused field keeps the window closed. Over the captured sheet each
// row's host IOPS is core's for the read share typed, which the next window opens with; and
// Ctrl+Shift+C in its table copies that table, not the main window's sheet.
TEST_F(SheetWindowTest, CtrlIOpensSheetPerformanceOverTheCapturedSheetWithCoresFigures) {
    click(kLowCost);
    typeOver(kRowLayouts[0].groupCount.id, QStringLiteral("3"));
    typeOver(kRowLayouts[1].groupCount.id, QStringLiteral("2"));
    edit(kRowLayouts[1].disksPerGroup.id)->setText(QStringLiteral("x"));
    {
        ModalResponder responder;
        QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
        EXPECT_EQ(responder.count("brim::PerformanceWindow"), 0);
        EXPECT_EQ(messages_.texts().size(), 1u);
    }
    edit(kRowLayouts[1].disksPerGroup.id)->setText(QStringLiteral("5"));

    for (const char* reads : std::initializer_list<const char*>{"100", nullptr}) {
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        std::vector<QString> shown;
        QString readsText;
        QStringList copied;
        ModalResponder responder([&](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>(QStringLiteral("readPercent"));
            ASSERT_NE(field, nullptr);
            readsText = field->text();
            shown = {hostIopsShown(modal, 0), hostIopsShown(modal, 1)};
            auto* lines = modal->findChild<QTableView*>(QStringLiteral("lines"));
            lines->setFocus();
            QTest::keyClick(lines, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            copied = QApplication::clipboard()->text().split(u'\n');
            if (reads) {
                field->setText(QString::fromLatin1(reads));
            }
        });
        QTest::keyClick(window_.get(), Qt::Key_I, Qt::ControlModifier);
        ASSERT_EQ(responder.count("brim::PerformanceWindow"), 1);
        const double readShare = reads ? 0.7 : 1.0;
        EXPECT_EQ(readsText, reads ? QStringLiteral("70") : QStringLiteral("100"));
        const SheetPerformance core = sheetPerformance(sheet(), DiskAssumptions{}, readShare);
        ASSERT_EQ(core.count, 2u);
        EXPECT_EQ(sheet().rows[1].disksPerGroup, 5u);
        for (std::size_t line = 0; line < core.count; ++line) {
            EXPECT_EQ(shown[line].toStdString(), formatRate(core.lines[line].delivery.hostIops))
                << line;
        }
        ASSERT_EQ(copied.size(), 5); // headings, two rows, the total and the last line's end
        EXPECT_TRUE(copied[0].startsWith(QStringLiteral("Row\tDisk type\t")))
            << copied[0].toStdString();
    }
    EXPECT_EQ(messages_.texts().size(), 1u);
}

// Priced at 45000 an array, the plan's cost reads with the window's digit grouping in the
// sentence under the order and in its table, while Ctrl+C copies the table's plain digits.
TEST_F(SheetWindowTest, SheetPerformanceGroupsTheCostOnScreenAndCopiesItPlain) {
    click(kLowCost);
    typeOver(kRowLayouts[0].groupCount.id, QStringLiteral("2")); // 18 disks, one array
    ModalResponder responder([&](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("arrayPrice"))->setText("45000");
        EXPECT_TRUE(modal->findChild<QLabel*>(QStringLiteral("costLine"))
                        ->text()
                        .startsWith(QStringLiteral("The plan costs 45,000: ")));
        modal->activateWindow(); // for the access key of the array's power; 19 × 12 W + 600 W
        ASSERT_TRUE(QTest::qWaitFor([modal] { return QApplication::activeWindow() == modal; }));
        QTest::keyClick(modal, Qt::Key_W, Qt::AltModifier);
        ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("arrayWatts"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("600"));
        EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("powerLine"))->text(),
                  QStringLiteral("The plan draws 0.8 kW, 2825 BTU/h of heat."));
        auto* order = modal->findChild<QTableView*>(QStringLiteral("order"));
        const QModelIndex total = order->model()->index(order->model()->rowCount() - 1,
                                                        order->model()->columnCount() - 1);
        QStyleOptionViewItem drawn;
        drawn.locale = QLocale(QLocale::German);
        qobject_cast<PlannerCellDelegate*>(order->itemDelegate())->initStyleOption(&drawn, total);
        EXPECT_EQ(drawn.text, QStringLiteral("45.000"));
        order->setFocus();
        order->selectRow(total.row());
        QTest::keyClick(order, Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(QApplication::clipboard()->text().endsWith(QStringLiteral("\t45000\n")));
    });
    window_->handleWindowMenuCommand(kSheetPerformanceCommand);
    EXPECT_EQ(responder.count("brim::PerformanceWindow"), 1);
}

} // namespace
} // namespace brim::test
