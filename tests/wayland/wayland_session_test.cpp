// The program as a native Wayland client, on the headless weston that weston_session.sh starts:
// what the window asks of the compositor is read back from the compositor's protocol log.

#include "tests/ui/gui_test_support.h"
#include "ui/application.h"
#include "ui/message_box_sink.h"
#include "ui/sheet_window.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brim::test {

namespace {

// The requests one xdg_toplevel sent, in order, as weston logs them:
// "[...][proto] client 0x55d0 rq xdg_toplevel@15.set_title("Brimcount")".
struct Toplevel {
    std::string object;                // "xdg_toplevel@15"
    std::vector<std::string> requests; // "set_title(\"Brimcount\")", ...

    // The arguments of the last request of that name, without the parentheses, or "(none)".
    std::string last(const std::string& name) const {
        const std::string prefix = name + "(";
        for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
            if (it->starts_with(prefix) && it->ends_with(")")) {
                return it->substr(prefix.size(), it->size() - prefix.size() - 1);
            }
        }
        return "(none)";
    }
    // The last of the named requests that was sent, or "(none)".
    std::string lastOf(const std::vector<std::string>& names) const {
        for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
            const std::string name = it->substr(0, it->find('('));
            if (std::ranges::find(names, name) != names.end()) {
                return name;
            }
        }
        return "(none)";
    }
};

// Every xdg_toplevel of the log in the order they were made. An object number that comes back
// after its toplevel was destroyed starts a new entry.
std::vector<Toplevel> readToplevels() {
    QFile file(qEnvironmentVariable("BRIMCOUNT_WAYLAND_PROTOCOL_LOG"));
    std::vector<Toplevel> toplevels;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return toplevels;
    }
    static const std::string kRequest = " rq xdg_toplevel@";
    static const std::string kMade = "get_toplevel(new id ";
    while (!file.atEnd()) {
        const std::string line = file.readLine().trimmed().toStdString();
        if (const auto made = line.find(kMade); made != std::string::npos) {
            const auto start = made + kMade.size();
            toplevels.push_back({line.substr(start, line.find(')', start) - start), {}});
            continue;
        }
        const auto at = line.find(kRequest);
        if (at == std::string::npos) {
            continue;
        }
        const auto dot = line.find('.', at);
        const std::string object = line.substr(at + 4, dot - at - 4);
        auto owner =
            std::ranges::find(toplevels.rbegin(), toplevels.rend(), object, &Toplevel::object);
        if (owner != toplevels.rend()) {
            owner->requests.push_back(line.substr(dot + 1));
        }
    }
    return toplevels;
}

std::string quoted(const QString& text) {
    return '"' + text.toStdString() + '"';
}

// The last toplevel titled `title` once it has sent `request`; the log is written as the
// compositor handles the requests, so it is read again for up to three seconds.
Toplevel awaitToplevel(const QString& title, const std::string& request) {
    Toplevel found{"(no toplevel titled " + title.toStdString() + ")", {}};
    QElapsedTimer waited;
    waited.start();
    do {
        const std::vector<Toplevel> toplevels = readToplevels();
        const auto titled =
            std::ranges::find(toplevels.rbegin(), toplevels.rend(), quoted(title),
                              [](const Toplevel& t) { return t.last("set_title"); });
        if (titled != toplevels.rend()) {
            found = *titled;
            if (found.last(request) != "(none)") {
                break;
            }
        }
        QTest::qWait(50);
    } while (waited.elapsed() < 3000);
    return found;
}

template <typename Condition> bool waitUntil(Condition condition) {
    QElapsedTimer waited;
    waited.start();
    while (!condition() && waited.elapsed() < 3000) {
        QTest::qWait(20);
    }
    return condition();
}

// What a modal window over the main window showed when it was answered.
struct ModalSeen {
    bool exposed = false;
    bool overMainWindow = false;
    std::string parentRequested;
    bool closedByEscape = false;
};

class WaylandSessionTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_EQ(QGuiApplication::platformName().toStdString(), "wayland")
            << "run by weston_session.sh, on Qt's Wayland platform";
        window_ = std::make_unique<SheetWindow>(&messages_, &chooser_, &chooser_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        main_ = awaitToplevel(window_->windowTitle(), "set_app_id");
    }

    void TearDown() override {
        window_.reset();
        GuiTest::TearDown();
    }

    // Answers a modal window: waits for it to show, reads what the compositor was told about
    // it, and closes it with Escape as a user would.
    ModalResponder::Inspect answerWithEscape(ModalSeen& seen) const {
        return [this, &seen](QWidget* modal) {
            seen.exposed = QTest::qWaitForWindowExposed(modal);
            seen.overMainWindow =
                modal->windowHandle()->transientParent() == window_->windowHandle();
            seen.parentRequested =
                awaitToplevel(modal->windowTitle(), "set_parent").last("set_parent");
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Escape);
            processEvents();
            seen.closedByEscape = !modal->isVisible();
        };
    }

    void expectOpenedOverTheWindowAndClosed(const ModalSeen& seen) const {
        EXPECT_TRUE(seen.exposed);
        EXPECT_TRUE(seen.overMainWindow);
        EXPECT_EQ(seen.parentRequested, main_.object);
        EXPECT_TRUE(seen.closedByEscape);
        EXPECT_FALSE(QApplication::activeModalWidget());
    }

    RecordingMessageSink messages_;
    FakeReportFileChooser chooser_;
    std::unique_ptr<SheetWindow> window_;
    Toplevel main_;
};

// The task bar finds the icon through the application id, which names the desktop entry.
TEST_F(WaylandSessionTest, TheCompositorIsToldTheTitleTheFixedSizeAndTheApplicationId) {
    EXPECT_EQ(main_.last("set_title"), "\"Brimcount\"");
    std::string entry = BRIMCOUNT_DESKTOP_ENTRY;
    entry.erase(entry.size() - std::string_view(".desktop").size());
    EXPECT_EQ(main_.last("set_app_id"), '"' + entry + '"');
    const std::string size =
        std::to_string(window_->width()) + ", " + std::to_string(window_->height());
    EXPECT_EQ(main_.last("set_min_size"), size);
    EXPECT_EQ(main_.last("set_max_size"), size);
    EXPECT_EQ(main_.last("set_parent"), "(none)") << "the main window belongs to no other";
    const Qt::WindowFlags asked = window_->windowHandle()->flags();
    EXPECT_FALSE(asked & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// What the maximise button of the toolkit's title bar does: the window asks to be maximised,
// and is taken back to its normal state at its own size.
TEST_F(WaylandSessionTest, MaximisingTheWindowLeavesItAsItWas) {
    const QSize size = window_->size();
    window_->setWindowState(Qt::WindowMaximized);
    EXPECT_TRUE(waitUntil([&] { return window_->windowState() == Qt::WindowNoState; }))
        << "state " << window_->windowState().toInt();
    EXPECT_EQ(window_->size(), size);
    const Toplevel now = awaitToplevel(window_->windowTitle(), "unset_maximized");
    EXPECT_EQ(now.lastOf({"set_maximized", "unset_maximized"}), "unset_maximized");
}

TEST_F(WaylandSessionTest, AMessageBoxOpensOverTheWindowAndEscapeClosesIt) {
    ModalSeen seen;
    ModalResponder responder(answerWithEscape(seen));
    MessageBoxSink(window_.get()).show("Disk count must be between 3 and 16.");
    EXPECT_EQ(responder.count("QMessageBox"), 1);
    expectOpenedOverTheWindowAndClosed(seen);
}

TEST_F(WaylandSessionTest, SizeForCapacityOpensOverTheWindowAndEscapeClosesIt) {
    ModalSeen seen;
    ModalResponder responder(answerWithEscape(seen));
    window_->handleWindowMenuCommand(kSizeForCapacityCommand);
    EXPECT_EQ(responder.count("brim::CapacityWindow"), 1);
    EXPECT_TRUE(messages_.texts().empty());
    expectOpenedOverTheWindowAndClosed(seen);
}

// As the program runs it: the window is shown with exec(), and Escape ends it; its toplevel is
// gone from the compositor.
TEST_F(WaylandSessionTest, EscapeEndsTheWindow) {
    watchdog_.allow(window_.get());
    QTimer::singleShot(100, window_.get(), [this] {
        QTest::keyClick(window_->focusWidget() ? window_->focusWidget() : window_.get(),
                        Qt::Key_Escape);
    });
    EXPECT_EQ(window_->exec(), QDialog::Rejected);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(awaitToplevel(window_->windowTitle(), "destroy").lastOf({"destroy"}), "destroy");
}

} // namespace

} // namespace brim::test

// The application is set up as the program's own main does, on the platform that the session
// script picked.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    brim::setUpApplication(app, argv[0]);
    return RUN_ALL_TESTS();
}
