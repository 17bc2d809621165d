#include "commands/planner_units.h"
#include "core/performance.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/capacity_table.h"
#include "ui/capacity_window.h"
#include "ui/planner_widgets.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <functional>
#include <optional>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

class CapacityWindowTest : public SheetWindowTest {
protected:
    // Opens the window by its window-menu command and runs `whileOpen` inside its modal loop;
    // the window is closed afterwards if the test left it open.
    void withCapacityWindow(const std::function<void(CapacityWindow&)>& whileOpen) {
        QTimer::singleShot(0, window_.get(), [&] {
            auto* capacity = qobject_cast<CapacityWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(capacity, nullptr);
            watchdog_.allow(capacity);
            whileOpen(*capacity);
            if (capacity->isVisible()) {
                capacity->reject();
            }
        });
        window_->handleWindowMenuCommand(kSizeForCapacityCommand);
    }

    // Row r: `groups` groups of five 450 G FC disks in RAID5 (`disks` per group), not computed.
    void fillRow(int r, const char* groups, const char* disks = "5") {
        const RowLayout& row = kRowLayouts[static_cast<std::size_t>(r - 1)];
        typeOver(row.groupCount.id, QString::fromLatin1(groups));
        pick(row.raidType.id, kRaid5);
        typeOver(row.disksPerGroup.id, QString::fromLatin1(disks));
    }
};

template <typename Widget> Widget* part(const CapacityWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Picks `heading` in the heading's right-click menu: whether it was ticked, or nothing if absent.
std::optional<bool> pickInHeadingMenu(QTableView& table, const QString& heading) {
    std::optional<bool> ticked;
    QTimer::singleShot(0, &table, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu ? menu->actions() : QList<QAction*>{}) {
            if (action->text() == heading) {
                ticked = action->isChecked();
                action->trigger();
            }
        }
        if (menu) {
            menu->close();
        }
    });
    QWidget* headings = table.horizontalHeader()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, headings->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(headings, &event);
    return ticked;
}

// On a Zunda S, row 1 typed in but not computed: the sheet's figure is its inputs', a line's
// figures are the sheet's after Put in Row, and the row's disk keeps its row's name ("450 G FC").
TEST_F(CapacityWindowTest, PutInRowOnTheSheetShowsTheLinesFiguresInTheMainWindow) {
    pick(kModelListId, kZundaS);
    fillRow(1, "10");
    QStringList chosen;
    withCapacityWindow([&](CapacityWindow& w) {
        EXPECT_TRUE(w.screen()->availableGeometry().contains(w.frameGeometry()));
        part<QCheckBox>(w, "addToSheet")->setChecked(true);
        QTest::keyClicks(part<QLineEdit>(w, "capacity"), QStringLiteral("300"));
        EXPECT_EQ(part<QLabel>(w, "sheetFigure")->text(),
                  QStringLiteral("The sheet gives 15.71 TB; the layouts add at least 284.29 TB."));
        EXPECT_EQ(part<QComboBox>(w, "diskType")->currentText(), QStringLiteral("450 G FC"));
        auto* table = part<QTableView>(w, "layouts");
        for (int c = 0; c < kCapacityColumnCount; ++c) {
            chosen << table->model()->index(0, c).data().toString();
        }
        QTest::keyClick(part<QLineEdit>(w, "capacity"), Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    });
    ASSERT_EQ(chosen.size(), kCapacityColumnCount);
    EXPECT_EQ(list(kRowLayouts[1].diskType.id)->currentText(), QStringLiteral("450 G FC"));
    EXPECT_EQ(text(kRowLayouts[1].groupCount.id),
              chosen[static_cast<int>(CapacityColumn::GroupsNeeded)]);
    const std::pair<int, CapacityColumn> results[] = {
        {kTotalDisks, CapacityColumn::Disks},
        {kArraysRequired, CapacityColumn::ArraysNeeded},
        {kNetTotalGb, CapacityColumn::UsableGb},
        {kNetTotalTb, CapacityColumn::UsableTb}};
    for (const auto& [id, column] : results) {
        EXPECT_EQ(text(id).trimmed(), chosen[static_cast<int>(column)]) << id;
    }
    EXPECT_TRUE(messages_.texts().empty());
}

// 20 TB of 1 TB ATA at 20000 host IOPS and 60 % reads: a parity layout needs more groups for the
// IOPS than for the capacity. Put in, its row delivers the line's host IOPS as Sheet Performance
// computes them, and the next window opens on the same workload and mix.
TEST_F(CapacityWindowTest, PutsALineSizedByIopsWhoseRowDeliversTheLinesIops) {
    pick(kModelListId, kTelvarA);
    fillRow(1, "10");
    QString lineIops;
    withCapacityWindow([&](CapacityWindow& w) {
        auto* disks = part<QComboBox>(w, "diskType");
        disks->setCurrentIndex(disks->findText(QStringLiteral("1 TB ATA")));
        QTest::keyClicks(part<QLineEdit>(w, "capacity"), QStringLiteral("20"));
        QTest::keyClicks(part<QLineEdit>(w, "hostIops"), QStringLiteral("20000"));
        QLineEdit* reads = part<QLineEdit>(w, "readPercent");
        QTest::keyClick(reads, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(reads, QStringLiteral("60"));
        EXPECT_EQ(part<QLabel>(w, "assumption")->text(),
                  QStringLiteral("Assumes 80 IOPS, 60 MB/s and an AFR of 3% per 1 TB ATA disk; "
                                 "change in Sheet Performance."));
        auto* table = part<QTableView>(w, "layouts");
        const auto cell = [&](int line, CapacityColumn column) {
            return table->model()->index(line, static_cast<int>(column)).data().toString();
        };
        int line = 0;
        while (line < table->model()->rowCount() &&
               !(cell(line, CapacityColumn::SizedBy) == QStringLiteral("IOPS") &&
                 cell(line, CapacityColumn::RaidType) == QStringLiteral("RAID5"))) {
            ++line;
        }
        ASSERT_LT(line, table->model()->rowCount());
        table->selectRow(line);
        lineIops = cell(line, CapacityColumn::HostIops);
        EXPECT_GE(lineIops.toInt(), 20000);
        // Ctrl+C in the table: the headings, then the selected line as its cells read.
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        ASSERT_GE(copied.size(), 2);
        EXPECT_TRUE(copied[0].startsWith(QStringLiteral("RAID type\t"))) << copied[0].toStdString();
        const QStringList cells = copied[1].split(QLatin1Char('\t'));
        // Only the shown columns are copied.
        const auto shownBefore = [&](CapacityColumn column) {
            int shown = 0;
            for (int c = 0; c < static_cast<int>(column); ++c) {
                shown += table->isColumnHidden(c) ? 0 : 1;
            }
            return shown;
        };
        ASSERT_EQ(cells.size(), shownBefore(CapacityColumn::Cost) + 1);
        EXPECT_EQ(cells[shownBefore(CapacityColumn::HostIops)], lineIops);
        EXPECT_EQ(cells[shownBefore(CapacityColumn::SizedBy)], QStringLiteral("IOPS"));
        QTest::mouseClick(part<QPushButton>(w, "putInRow"), Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    });
    const SheetPerformance shown = sheetPerformance(sheet(), PlanningAssumptions{}.disks, 0.6);
    ASSERT_EQ(shown.count, 2u);
    EXPECT_EQ(shown.lines[1].rowIndex, 1u);
    EXPECT_EQ(QString::fromStdString(formatRate(shown.lines[1].delivery.hostIops)), lineIops);
    withCapacityWindow([&](CapacityWindow& w) {
        EXPECT_EQ(part<QLineEdit>(w, "hostIops")->text(), QStringLiteral("20000"));
        EXPECT_EQ(part<QLineEdit>(w, "readPercent")->text(), QStringLiteral("60"));
    });
    EXPECT_TRUE(messages_.texts().empty());
}

// Whenever Put in Row cannot act it is off, not the default, and the window says why; Enter
// changes nothing (a put would compute the totals). Each case builds on the last sheet.
TEST_F(CapacityWindowTest, PutInRowStaysOffAndSaysWhy) {
    struct Case {
        const char* what;
        std::function<void()> setUp;
        const char* target;
        QString notice;
        QString rowNote;
    };
    const Case cases[] = {
        {"already reached", [&] { fillRow(1, "10"); }, "15",
         QStringLiteral("The sheet already gives 15.73 TB."),
         QStringLiteral("Put in Row fills row 2.")},
        {"rule broken below", [&] { fillRow(3, "1", "2"); }, "300", QString(),
         QStringLiteral("Row 3 breaks a rule: press Compute in the main window to see it.")},
        {"every row in use",
         [&] {
             for (int r = 1; r <= kRowCount; ++r) {
                 fillRow(r, "1");
             }
         },
         "300", QString(),
         QStringLiteral("Every row has groups: clear one in the main window to put a layout in.")},
    };
    for (const Case& c : cases) {
        c.setUp();
        const ConfigSheet before = sheet();
        withCapacityWindow([&](CapacityWindow& w) {
            part<QCheckBox>(w, "addToSheet")->setChecked(true);
            QTest::keyClicks(part<QLineEdit>(w, "capacity"), QString::fromLatin1(c.target));
            EXPECT_EQ(part<QLabel>(w, "notice")->text(), c.notice) << c.what;
            EXPECT_EQ(part<QLabel>(w, "rowNote")->text(), c.rowNote) << c.what;
            auto* put = part<QPushButton>(w, "putInRow");
            EXPECT_FALSE(put->isEnabled() || put->isDefault()) << c.what;
            QTest::keyClick(part<QLineEdit>(w, "capacity"), Qt::Key_Return);
            EXPECT_TRUE(w.isVisible()) << c.what;
        });
        EXPECT_EQ(sheet().netTotalGbText, before.netTotalGbText) << c.what;
        EXPECT_TRUE(messages_.texts().empty()) << c.what;
    }
}

// The window opens on one failed disk per group; the unit, disk type and failures picked are
// there again in the next window. A first click on a heading sorts best first.
TEST_F(CapacityWindowTest, KeepsItsChoicesAndSortsBestFirst) {
    withCapacityWindow([&](CapacityWindow& w) {
        EXPECT_EQ(part<QComboBox>(w, "failures")->currentIndex(), 1);
        part<QComboBox>(w, "unit")->setCurrentIndex(0);
        part<QComboBox>(w, "diskType")->setCurrentIndex(7);
        part<QComboBox>(w, "failures")->setCurrentIndex(0);
    });
    withCapacityWindow([&](CapacityWindow& w) {
        EXPECT_EQ(part<QComboBox>(w, "unit")->currentIndex(), 0);
        EXPECT_EQ(part<QComboBox>(w, "diskType")->currentIndex(), 7);
        EXPECT_EQ(part<QComboBox>(w, "failures")->currentIndex(), 0);
        QTest::keyClicks(part<QLineEdit>(w, "capacity"), QStringLiteral("5000"));
        auto* table = part<QTableView>(w, "layouts");
        QHeaderView* header = table->horizontalHeader();
        for (const CapacityColumn column : {CapacityColumn::HostIops, CapacityColumn::Mbps}) {
            const int section = static_cast<int>(column);
            table->scrollTo(table->model()->index(0, section));
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              {header->sectionViewportPosition(section) + 5, header->height() / 2});
            const auto key = [&](int line) {
                return table->model()->index(line, section).data(kCapacitySortRole).toDouble();
            };
            for (int line = 1; line < table->model()->rowCount(); ++line) {
                EXPECT_GE(key(0), key(line)) << section << "/" << line;
            }
        }
    });
}

// A column hidden from the heading's menu (ticked while shown) stays hidden in the next window
// while the program runs, and comes back from the same menu; those that start hidden stay so.
TEST_F(CapacityWindowTest, HeadingMenuHidesAColumnForTheNextWindowsUntilShownAgain) {
    const int loss = static_cast<int>(CapacityColumn::LossPerYear);
    for (const bool hiddenBefore : {false, true, false}) {
        withCapacityWindow([&](CapacityWindow& w) {
            auto* table = part<QTableView>(w, "layouts");
            EXPECT_EQ(table->isColumnHidden(loss), hiddenBefore);
            EXPECT_TRUE(table->isColumnHidden(static_cast<int>(CapacityColumn::UsableGb)));
            EXPECT_EQ(pickInHeadingMenu(*table, QStringLiteral("Loss/yr")), !hiddenBefore);
            EXPECT_EQ(table->isColumnHidden(loss), !hiddenBefore);
        });
    }
}

// Priced by an array price typed in Sheet Performance, 200 TB of 1 TB ATA on a Telvar A opens on
// RAID5 of 16 at 56 % a year, drawn in the warning colour. "Loss a year at most, %:" follows the
// table in the Tab order; a limit of 1 hides some lines and selects the first left, and Ctrl+C
// copies its cost in plain digits where the cell draws them grouped. The next window keeps it.
TEST_F(CapacityWindowTest, TheLossLimitFollowsTheTableAndHidesTheRiskyLines) {
    pick(kModelListId, kTelvarA);
    ModalResponder priced([](QWidget* modal) {
        modal->findChild<QLineEdit*>(QStringLiteral("arrayPrice"))->setText("45000");
    });
    window_->handleWindowMenuCommand(kSheetPerformanceCommand);
    withCapacityWindow([&](CapacityWindow& w) {
        auto* disks = part<QComboBox>(w, "diskType");
        disks->setCurrentIndex(disks->findText(QStringLiteral("1 TB ATA")));
        QTest::keyClicks(part<QLineEdit>(w, "capacity"), QStringLiteral("200"));
        auto* table = part<CapacityTableView>(w, "layouts");
        const auto cell = [&](CapacityColumn column) {
            return table->model()->index(0, static_cast<int>(column));
        };
        ASSERT_EQ(cell(CapacityColumn::LossPerYear).data().toString(), QStringLiteral("56%"));
        QStyleOptionViewItem drawn;
        drawn.palette = table->palette();
        auto* delegate = qobject_cast<PlannerCellDelegate*>(table->itemDelegate());
        ASSERT_NE(delegate, nullptr);
        delegate->initStyleOption(&drawn, cell(CapacityColumn::LossPerYear));
        EXPECT_EQ(drawn.palette.color(QPalette::Text),
                  warningColour(table->palette().color(QPalette::Base)));

        auto* limit = part<QLineEdit>(w, "maxLoss");
        part<QLineEdit>(w, "mbps")->setFocus(Qt::TabFocusReason);
        for (QWidget* next : {static_cast<QWidget*>(table), static_cast<QWidget*>(limit)}) {
            QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(w.focusWidget(), next);
        }
        const int lines = table->model()->rowCount();
        QTest::keyClicks(limit, QStringLiteral("1"));
        EXPECT_TRUE(table->model()->rowCount() > 0 && table->model()->rowCount() < lines);
        EXPECT_EQ(table->selectionModel()->selectedRows().value(0).row(), 0);
        EXPECT_EQ(cell(CapacityColumn::RaidType).data().toString(), QStringLiteral("RAID6"));

        const QModelIndex cost = cell(CapacityColumn::Cost);
        drawn.locale = QLocale(QLocale::German); // the separator of the locale the view paints in
        delegate->initStyleOption(&drawn, cost);
        EXPECT_EQ(drawn.text, drawn.locale.toString(cost.data().toString().toLongLong()));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(
            QApplication::clipboard()->text().endsWith(u'\t' + cost.data().toString() + u'\n'));
    });
    withCapacityWindow([&](CapacityWindow& w) {
        EXPECT_EQ(part<QLineEdit>(w, "maxLoss")->text(), QStringLiteral("1"));
    });
}

// A field that the capture refuses keeps the window closed; its notice says why.
TEST_F(CapacityWindowTest, DoesNotOpenWhenTheCaptureRefusesAField) {
    typeOver(kRowLayouts[0].disksPerGroup.id, QStringLiteral("17"));
    ModalResponder responder;
    window_->handleWindowMenuCommand(kSizeForCapacityCommand);
    EXPECT_EQ(std::make_pair(responder.count("brim::CapacityWindow"), messages_.texts().size()),
              std::make_pair(0, std::size_t{1}));
}

// The shortcut works wherever the focus is, an edit field of the main window too.
TEST_F(CapacityWindowTest, CtrlKOpensTheWindowFromTheModelListAndFromAnEditField) {
    for (int id : {kModelListId, kRowLayouts[0].groupCount.id}) {
        window_->activateWindow(); // back from the window that the last key opened
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        focus(id);
        ModalResponder responder;
        QTest::keyClick(window_->control(id), Qt::Key_K, Qt::ControlModifier);
        EXPECT_EQ(responder.count("brim::CapacityWindow"), 1) << id;
    }
}

} // namespace
} // namespace brim::test
