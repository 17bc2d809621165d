// Compare Plans and the workbook from the main window: Ctrl+M over the captured sheet, Keep the
// Sheet, the copy keys, Remove after its question, Put Back as one Undo step, and Ctrl+S then
// Ctrl+O of the workbook in a fresh window, as a planner's next run would open it.

#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/plan_keeping.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>

namespace brim::test {
namespace {

using controls::kLowCost; // 9 x 450 G FC in RAID5 in every row

class Answers final : public Questions, public WorkbookFileChooser {
public:
    bool answer = true;
    std::vector<std::string> asked;
    std::optional<std::string> path;
    bool ask(std::string_view question) override {
        asked.emplace_back(question);
        return answer;
    }
    std::optional<std::string> chooseWorkbookFile() override { return path; }
};

QPushButton* buttonNamed(QWidget* modal, const QString& text) {
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

QTableView* comparison(QWidget* modal) {
    return modal->findChild<QTableView*>(QStringLiteral("comparison"));
}

TEST_F(SheetWindowTest, KeepCopyRemoveAndPutBackAPlan) {
    Answers answers;
    window_->planKeeping().useDialogs(&answers, &answers);
    click(kLowCost);
    typeOver(kRowLayouts[0].groupCount.id, QStringLiteral("2"));
    {
        ModalResponder keepA([&](QWidget* modal) {
            QTest::mouseClick(buttonNamed(modal, QStringLiteral("&Keep the Sheet")),
                              Qt::LeftButton);
        });
        QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
    }
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    typeOver(kRowLayouts[0].groupCount.id, QStringLiteral("3"));
    QStringList copied;
    QString headings;
    ModalResponder responder([&](QWidget* modal) {
        QPushButton* keep = buttonNamed(modal, QStringLiteral("&Keep the Sheet"));
        QTest::mouseClick(keep, Qt::LeftButton);
        QTest::keyClick(keep, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        copied = QApplication::clipboard()->text().split(u'\n');
        QTableView* table = comparison(modal);
        table->setCurrentIndex(table->model()->index(3, 2)); // Plan B's usable TB
        QTest::keyClick(table, Qt::Key_Delete);
        for (int c = 0; c < table->model()->columnCount(); ++c) {
            headings += table->model()->headerData(c, Qt::Horizontal).toString() + u';';
        }
        table->setCurrentIndex(table->model()->index(3, 1)); // Plan A's
        QTest::mouseClick(buttonNamed(modal, QStringLiteral("Put &Back")), Qt::LeftButton);
    });
    QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(responder.count("brim::CompareWindow"), 1);
    ASSERT_GE(copied.size(), 16);
    EXPECT_EQ(copied[0], QStringLiteral("\tSheet now\tPlan A\tPlan B"));
    EXPECT_TRUE(copied[1].startsWith(QStringLiteral("Array model\tTelvar A\t")));
    EXPECT_EQ(answers.asked, std::vector<std::string>{"Remove Plan B?"});
    EXPECT_EQ(headings, QStringLiteral("Sheet now;Plan A;"));
    EXPECT_EQ(entryText(kUndoCommand), QStringLiteral("&Undo Put Back Plan A"));
    EXPECT_EQ(text(kRowLayouts[0].groupCount.id), QStringLiteral("2"));
    EXPECT_FALSE(sheet().netTotalGbText.empty()); // Put Back computes
}

TEST_F(SheetWindowTest, SavedWorkbookOpensInAFreshWindowByCtrlO) {
    QTemporaryDir dir;
    Answers answers;
    answers.path = dir.filePath(QStringLiteral("plans.brimcount")).toStdString();
    window_->planKeeping().useDialogs(&answers, &answers);
    click(kLowCost);
    {
        ModalResponder responder([&](QWidget* modal) {
            QTest::mouseClick(buttonNamed(modal, QStringLiteral("&Keep the Sheet")),
                              Qt::LeftButton);
        });
        QTest::keyClick(window_.get(), Qt::Key_M, Qt::ControlModifier);
    }
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    EXPECT_EQ(entryText(kSaveWorkbookCommand), QStringLiteral("&Save Workbook..."));
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(entryText(kSaveWorkbookCommand), QStringLiteral("&Save Workbook (plans.brimcount)"));

    SheetWindow fresh(&messages_, &chooser_, &chooser_);
    fresh.planKeeping().useDialogs(&answers, &answers);
    chooser_.setAnswer(answers.path);
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
    QTest::keyClick(&fresh, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(messages_.texts().empty()) << messages_.texts().front();
    EXPECT_EQ(fresh.planKeeping().plans().plans(), window_->planKeeping().plans().plans());
    EXPECT_EQ(planSheetOf(fresh.sheet()), planSheetOf(sheet()));
    EXPECT_FALSE(fresh.sheet().netTotalGbText.empty()); // computed on open
    for (QAction* action : fresh.findChild<QMenu*>()->actions()) {
        if (action->data().toInt() == kUndoCommand) {
            EXPECT_EQ(action->text(), QStringLiteral("&Undo Open Workbook"));
        }
    }
}

// Eight plans are wider than the screen: the table scrolls to its last plan, and the figures'
// names stay in view whole beside it while the window stays within the screen.
TEST_F(SheetWindowTest, EightPlansScrollWithTheFiguresNamesInView) {
    window_->planKeeping().openFile(BRIM_EIGHT_PLANS_WORKBOOK);
    ASSERT_EQ(window_->planKeeping().plans().size(), 8u);
    ModalResponder responder([&](QWidget* modal) {
        QTableView* table = comparison(modal);
        const int last = table->model()->columnCount() - 1;
        table->setCurrentIndex(table->model()->index(4, last));
        QHeaderView* names = table->verticalHeader();
        EXPECT_TRUE(names->isVisible());
        EXPECT_GE(names->width(), names->sizeHint().width()); // every name whole
        EXPECT_LT(table->columnViewportPosition(0), 0); // the sheet's column has scrolled away
        EXPECT_LE(table->columnViewportPosition(last) + table->columnWidth(last),
                  table->viewport()->width());
        EXPECT_LE(modal->frameGeometry().width(), modal->screen()->availableGeometry().width());
    });
    window_->handleWindowMenuCommand(kComparePlansCommand);
    ASSERT_EQ(responder.count("brim::CompareWindow"), 1);
}

// Keep the Sheet is off while the sheet is a kept plan, and says which; a renamed plan keeps
// the selection.
TEST_F(SheetWindowTest, KeepIsOffForAKeptSheetAndARenamedPlanStaysSelected) {
    click(kLowCost);
    QStringList seen; // Keep on or off, the note, the selected column and its heading
    ModalResponder responder([&](QWidget* modal) {
        QPushButton* keep = buttonNamed(modal, QStringLiteral("&Keep the Sheet"));
        QTableView* table = comparison(modal);
        const auto look = [&] {
            seen << QStringLiteral("%1 %2 %3 %4")
                        .arg(keep->isEnabled() ? "on" : "off",
                             modal->findChild<QLabel*>(QStringLiteral("note"))->text())
                        .arg(table->currentIndex().column())
                        .arg(table->model()->headerData(1, Qt::Horizontal).toString());
        };
        QTest::mouseClick(keep, Qt::LeftButton);
        look();
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = modal->findChild<QLineEdit*>(QStringLiteral("planName"));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("Cheap"));
        QTest::keyClick(editor, Qt::Key_Return);
        look();
    });
    window_->handleWindowMenuCommand(kComparePlansCommand);
    ASSERT_EQ(responder.count("brim::CompareWindow"), 1);
    EXPECT_EQ(seen, QStringList({"off The sheet is kept already as Plan A. 1 Plan A",
                                 "off The sheet is kept already as Cheap. 1 Cheap"}));
}

} // namespace
} // namespace brim::test
