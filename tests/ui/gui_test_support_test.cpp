#include "tests/ui/gui_test_support.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest-spi.h>

namespace brim::test {
namespace {

// The watchdog is what keeps a broken GUI test from hanging the whole run: it must both fail
// the test and close the window.
TEST(ModalWatchdogTest, FailsTheTestAndClosesAModalWindowLeftOpen) {
    ModalWatchdog watchdog(std::chrono::milliseconds(100));
    watchdog.start();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Forgotten"));
    int result = QDialog::Accepted;
    EXPECT_NONFATAL_FAILURE(result = dialog.exec(), "Forgotten");
    watchdog.stop();
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalWatchdogTest, LeavesAnAllowedModalWindowAlone) {
    ModalWatchdog watchdog(std::chrono::milliseconds(50));
    QDialog dialog;
    watchdog.allow(&dialog);
    watchdog.start();
    QTimer::singleShot(400, &dialog, &QDialog::accept);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    watchdog.stop();
}

TEST(ModalResponderTest, AnswersEachModalWindowAndRecordsIt) {
    QDialog first;
    first.setWindowTitle(QStringLiteral("First"));
    QDialog second;
    second.setWindowTitle(QStringLiteral("Second"));
    ModalResponder responder([](QWidget* modal) {
        if (modal->windowTitle() == QStringLiteral("Second")) {
            static_cast<QDialog*>(modal)->accept();
        }
    });
    EXPECT_EQ(first.exec(), QDialog::Rejected);
    EXPECT_EQ(second.exec(), QDialog::Accepted);
    ASSERT_EQ(responder.answered().size(), 2U);
    EXPECT_EQ(responder.answered()[0].title, QStringLiteral("First"));
    EXPECT_EQ(responder.count("QDialog"), 2);
}

} // namespace
} // namespace brim::test
