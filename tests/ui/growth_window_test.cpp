#include "commands/figure_words.h"
#include "commands/growth_texts.h"
#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/growth_chart.h"
#include "ui/growth_window.h"
#include "ui/plan_keeping.h"
#include "ui/window_layout.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <set>

namespace brim::test {
namespace {

int column(GrowthColumn c) {
    return static_cast<int>(c);
}

class GrowthWindowTest : public SheetWindowTest {
protected:
    // The hand-checked example: Telvar A, row 1: 4 groups of RAID6 of 8 × 1 TB ATA, priced, and
    // the years' figures typed.
    void openExample() { window_->planKeeping().openFile(BRIM_GROWTH_WORKBOOK); }

    // Opens the window with Ctrl+G and runs `whileOpen` inside its modal loop; the window is
    // closed afterwards if the test left it open.
    void withGrowthWindow(const std::function<void(GrowthWindow&)>& whileOpen) {
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        bool opened = false;
        QTimer::singleShot(0, window_.get(), [&] {
            auto* growth = qobject_cast<GrowthWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(growth, nullptr);
            opened = true;
            watchdog_.allow(growth);
            whileOpen(*growth);
            if (growth->isVisible()) {
                growth->reject();
            }
        });
        QTest::keyClick(window_.get(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_TRUE(opened);
    }
};

template <typename Widget> Widget* part(const QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString cell(const QTableView& table, int line, GrowthColumn c) {
    return table.model()->index(line, column(c)).data().toString();
}

// The first field has the focus; Tab walks the eleven fields in their figures' order, then the
// schedule, Keep Year and Close; every label and button has an access key of its own.
TEST_F(GrowthWindowTest, OpensOnItsFirstFieldAndTabsThroughTheFieldsInOrder) {
    openExample();
    withGrowthWindow([&](GrowthWindow& w) {
        EXPECT_TRUE(w.screen()->availableGeometry().contains(w.frameGeometry()));
        std::vector<QString> expected;
        for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
            expected.push_back(QString::fromUtf8(figureWords(figure).fieldName.data(),
                                                 figureWords(figure).fieldName.size()));
        }
        expected.insert(expected.end(), {"schedule", "keepYear", "close"});
        for (const QString& name : expected) {
            ASSERT_NE(w.focusWidget(), nullptr);
            EXPECT_EQ(w.focusWidget()->objectName(), name);
            QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        }
        std::set<QChar> keys;
        std::size_t marked = 0;
        for (const QWidget* widget : w.findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(widget);
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (const qsizetype at = text.indexOf(u'&'); at >= 0) {
                keys.insert(text.at(at + 1).toLower());
                ++marked;
            }
        }
        EXPECT_EQ(marked, kFigureCount<GrowthFigure> + 1); // the fields and Keep Year
        EXPECT_EQ(keys.size(), marked);
    });
}

// A keystroke in a field refreshes the schedule and the chart at once; a refused text empties
// them and says why under the fields; the figures typed are the program's, for the next window.
TEST_F(GrowthWindowTest, AKeystrokeRefreshesTheScheduleAndTheChart) {
    openExample();
    withGrowthWindow([&](GrowthWindow& w) {
        auto* table = part<QTableView>(w, "schedule");
        auto* chart = part<GrowthBarChart>(w, "chart");
        EXPECT_EQ(cell(*table, 0, GrowthColumn::NeedTb), QStringLiteral("26.00"));
        EXPECT_EQ(cell(*table, 5, GrowthColumn::Cost), QStringLiteral("88685"));
        EXPECT_EQ(part<QLabel>(w, "total")->text(),
                  QStringLiteral("Over 5 years the plan costs 88") + w.locale().groupSeparator() +
                      QStringLiteral("685: 1179 per usable TB in year 5."));
        auto* need = part<QLineEdit>(w, "neededToday");
        need->end(false);
        QTest::keyClick(need, Qt::Key_5); // "205" after the "20" it opened with
        EXPECT_EQ(cell(*table, 0, GrowthColumn::NeedTb), QStringLiteral("266.50"));
        EXPECT_EQ(chart->chart().years.front().needText, "266.50");
        QTest::keyClick(need, Qt::Key_X);
        EXPECT_EQ(table->model()->rowCount(), 0);
        EXPECT_TRUE(chart->chart().years.empty());
        EXPECT_EQ(part<QLabel>(w, "refusal")->text().toStdString(),
                  figureWords(GrowthFigure::NeededToday).refusal);
        QTest::keyClick(need, Qt::Key_Backspace);
        EXPECT_EQ(table->model()->rowCount(), 6);
        EXPECT_EQ(part<QLabel>(w, "refusal")->text(), QString());
    });
    withGrowthWindow([&](GrowthWindow& w) {
        EXPECT_EQ(part<QLineEdit>(w, "neededToday")->text(), QStringLiteral("205"));
    });
}

// Ctrl+C copies the selected year and Ctrl+Shift+C every line, of the columns shown only; a
// column hidden from the heading's menu stays hidden in the next window.
TEST_F(GrowthWindowTest, CopiesTheColumnsShownAndKeepsThemHidden) {
    openExample();
    withGrowthWindow([&](GrowthWindow& w) {
        auto* table = part<QTableView>(w, "schedule");
        QTimer::singleShot(0, table, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>{}) {
                if (action->text() == QStringLiteral("Host IOPS")) {
                    action->trigger();
                }
            }
            if (menu) {
                menu->close();
            }
        });
        QWidget* headings = table->horizontalHeader()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                headings->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(headings, &event);
        EXPECT_TRUE(table->isColumnHidden(column(GrowthColumn::HostIops)));
        table->setFocus();
        table->selectRow(1);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        const QStringList year = QApplication::clipboard()->text().split(u'\n');
        ASSERT_EQ(year.size(), 3);
        EXPECT_TRUE(year[0].startsWith(QStringLiteral("Year\tNeed TB\tSized by\tGroups\tUsable "
                                                      "TB\tDisks to order\t")))
            << year[0].toStdString();
        EXPECT_TRUE(year[1].startsWith(QStringLiteral("2\t33.80\tcapacity\t7\t37.62\t58\t")));
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QStringList all = QApplication::clipboard()->text().split(u'\n');
        ASSERT_EQ(all.size(), 8); // headings, five years, the total and the last line's end
        EXPECT_TRUE(all[6].startsWith(QStringLiteral("Total\t"))) << all[6].toStdString();
    });
    withGrowthWindow([&](GrowthWindow& w) {
        auto* table = part<QTableView>(w, "schedule");
        EXPECT_TRUE(table->isColumnHidden(column(GrowthColumn::HostIops)));
        EXPECT_FALSE(table->isColumnHidden(column(GrowthColumn::Cost)));
    });
}

// Keep Year keeps the selected year's plan, row 1 at that year's groups, as "Year 3" among the
// plans Compare Plans shows; kept, the year cannot be kept again and the note says where it is.
TEST_F(GrowthWindowTest, KeepYearReachesComparePlans) {
    openExample();
    withGrowthWindow([&](GrowthWindow& w) {
        auto* table = part<QTableView>(w, "schedule");
        auto* keep = part<QPushButton>(w, "keepYear");
        table->selectRow(5);
        EXPECT_FALSE(keep->isEnabled()); // the total line
        table->selectRow(2);
        ASSERT_TRUE(keep->isEnabled());
        QTest::mouseClick(keep, Qt::LeftButton);
        EXPECT_EQ(part<QLabel>(w, "keepNote")->text(),
                  QStringLiteral("Year 3's plan is kept in Compare Plans."));
        EXPECT_FALSE(keep->isEnabled());
    });
    const KeptPlans& plans = window_->planKeeping().plans();
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(plans.plans()[0].name, "Year 3");
    EXPECT_EQ(configSheetOf(plans.plans()[0].sheet).rows[0].groupCount, 9u);
    ModalResponder compare([](QWidget* modal) {
        auto* table = modal->findChild<QTableView*>();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(),
                  QStringLiteral("Year 3"));
    });
    window_->handleWindowMenuCommand(kComparePlansCommand);
    EXPECT_EQ(compare.count("brim::CompareWindow"), 1);
}

// A field that the capture refuses keeps the window closed; its notice says why.
TEST_F(GrowthWindowTest, DoesNotOpenWhenTheCaptureRefusesAField) {
    typeOver(kRowLayouts[0].disksPerGroup.id, QStringLiteral("17"));
    ModalResponder responder;
    QTest::keyClick(window_.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(responder.count("brim::GrowthWindow"), 0);
    EXPECT_EQ(messages_.texts().size(), 1u);
}

} // namespace
} // namespace brim::test
