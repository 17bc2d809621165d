// Escape on the main window: with a kept plan in no saved workbook it asks first, in the
// program's message box, whose keys answer it (Escape keeps the window open, Alt+D closes it,
// Enter saves and closes); with nothing unsaved (the sizing window opened and closed is nothing)
// it closes at once.

#include "control_names.h"
#include "plan_keeping.h"
#include "sheet_window_fixture.h"
#include "window_menu.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>

namespace brim::test {
namespace {

using controls::groupsFieldOf;

QPushButton* keepButton(QWidget* modal) {
    for (QPushButton* button : modal->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&Keep the Sheet")) {
            return button;
        }
    }
    return nullptr;
}

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

TEST_P(ClosingQuestionTest, EscapeWithAKeptPlanAsksAndTheQuestionsKeysAnswer) {
    QTemporaryDir dir;
    SaveTo chooser;
    chooser.path = dir.filePath(QStringLiteral("plans.brimcount")).toStdString();
    window_->planKeeping().useDialogs(&chooser, nullptr);
    {
        ModalResponder keep([](QWidget* modal) {
            ASSERT_NE(keepButton(modal), nullptr);
            QTest::mouseClick(keepButton(modal), Qt::LeftButton);
        });
        window_->handleWindowMenuCommand(kComparePlansCommand);
    }
    ASSERT_EQ(window_->planKeeping().plans().size(), 1u);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));

    QStringList seen; // title, text, the buttons and then the default one
    ModalResponder responder([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen << box->windowTitle() << box->text();
        for (QAbstractButton* button : box->buttons()) {
            seen << button->text();
        }
        seen << (box->defaultButton() ? box->defaultButton()->text() : QString());
        ASSERT_TRUE(QTest::qWaitForWindowActive(box)); // an access key needs the active window
        QTest::keyClick(box, GetParam().key.key(), GetParam().key.keyboardModifiers());
        // An access key clicks its button a moment later, as the button shows itself pressed.
        EXPECT_TRUE(QTest::qWaitFor([box] { return !box->isVisible(); }, 1000));
    });
    QTest::keyClick(edit(groupsFieldOf(1)), Qt::Key_Escape);
    processEvents();

    EXPECT_EQ(responder.count("QMessageBox"), 1);
    ASSERT_EQ(seen.size(), 6);
    EXPECT_EQ(seen[0], QApplication::applicationName());
    EXPECT_EQ(seen[1], QStringLiteral("Save the workbook before closing?"));
    QStringList buttons = seen.mid(2, 3);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Discard"), QStringLiteral("Cancel"),
                                    QStringLiteral("Save")}));
    EXPECT_EQ(seen[5], QStringLiteral("Save"));
    EXPECT_EQ(window_->isVisible(), !GetParam().closes);
    EXPECT_EQ(QFileInfo::exists(QString::fromStdString(*chooser.path)), GetParam().saves);
    EXPECT_EQ(window_->planKeeping().plans().size(), 1u);
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
    ASSERT_EQ(responder.count("brim::CapacityWindow"), 1);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));

    QTest::keyClick(edit(groupsFieldOf(1)), Qt::Key_Escape);
    processEvents();

    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(window_->result(), QDialog::Rejected);
    EXPECT_EQ(responder.answered().size(), 1u);
}

} // namespace
} // namespace brim::test
