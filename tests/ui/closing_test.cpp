// Escape on the main window: over a kept plan it asks first, in the program's message box, whose
// keys answer (Escape keeps the window open, Alt+D closes it, Enter saves and closes); with
// nothing unsaved (the sizing window opened and closed is nothing) it closes at once.

#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/plan_keeping.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>

namespace brim::test {
namespace {

class SaveTo final : public WorkbookFileChooser {
public:
    std::optional<std::string> path;
    std::optional<std::string> chooseWorkbookFile() override { return path; }
};

struct QuestionKey {
    const char* name;
    QKeyCombination key;
    bool closes;
    bool saves;
};

class ClosingQuestionTest : public SheetWindowTest,
                            public ::testing::WithParamInterface<QuestionKey> {};

TEST_P(ClosingQuestionTest, EscapeOverAKeptPlanAsksAndTheQuestionsKeysAnswer) {
    QTemporaryDir dir;
    SaveTo chooser;
    chooser.path = dir.filePath(QStringLiteral("plans.brimcount")).toStdString();
    window_->planKeeping().useDialogs(&chooser, nullptr);
    {
        ModalResponder keep([](QWidget* compare) {
            for (QPushButton* button : compare->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("&Keep the Sheet")) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        });
        window_->handleWindowMenuCommand(kComparePlansCommand);
    }
    ASSERT_EQ(window_->planKeeping().plans().size(), 1u);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));

    QStringList seen; // title, text, default button, every button
    ModalResponder responder([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen << box->windowTitle() << box->text() << box->defaultButton()->text();
        for (QAbstractButton* button : box->buttons()) {
            seen << button->text();
        }
        ASSERT_TRUE(QTest::qWaitForWindowActive(box)); // an access key needs the active window
        QTest::keyClick(box, GetParam().key.key(), GetParam().key.keyboardModifiers());
        // An access key clicks its button a moment later, as the button shows itself pressed.
        EXPECT_TRUE(QTest::qWaitFor([box] { return !box->isVisible(); }, 1000));
    });
    QTest::keyClick(edit(controls::groupsFieldOf(1)), Qt::Key_Escape);
    processEvents();

    ASSERT_EQ(seen.size(), 6);
    std::sort(seen.begin() + 3, seen.end());
    EXPECT_EQ(seen,
              (QStringList{QApplication::applicationName(), "Save the workbook before closing?",
                           "Save", "&Discard", "Cancel", "Save"}));
    EXPECT_EQ(window_->isVisible(), !GetParam().closes);
    EXPECT_EQ(QFileInfo::exists(QString::fromStdString(*chooser.path)), GetParam().saves);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ClosingQuestionTest,
    ::testing::Values(QuestionKey{"EscapeCancels", QKeyCombination(Qt::Key_Escape), false, false},
                      QuestionKey{"AltDDiscards", Qt::AltModifier | Qt::Key_D, true, false},
                      QuestionKey{"EnterSaves", QKeyCombination(Qt::Key_Return), true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetWindowTest, EscapeWithNothingUnsavedClosesAtOnce) {
    ModalResponder responder; // closes the sizing window, and would answer a question
    window_->handleWindowMenuCommand(kSizeForCapacityCommand);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(edit(controls::groupsFieldOf(1)), Qt::Key_Escape);
    processEvents();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(responder.count("brim::CapacityWindow"), 1);
    EXPECT_EQ(responder.answered().size(), 1u);
}

} // namespace
} // namespace brim::test
