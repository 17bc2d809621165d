// Compare Plans and the workbook from the main window: Ctrl+M over the captured sheet, Keep the
// Sheet, the copy keys, Remove after its question, Put Back as one Undo step, and Ctrl+S then
// Ctrl+O of the workbook in a fresh window, as a planner's next run would open it.

#include "control_names.h"
#include "plan_keeping.h"
#include "sheet_window_fixture.h"
#include "window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
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
        table->setCurrentIndex(table->model()->index(3, 3)); // Plan B's usable TB
        QTest::keyClick(table, Qt::Key_Delete);
        for (int c = 1; c < table->model()->columnCount(); ++c) {
            headings += table->model()->headerData(c, Qt::Horizontal).toString() + u';';
        }
        table->setCurrentIndex(table->model()->index(3, 2)); // Plan A's
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

} // namespace
} // namespace brim::test
