#pragma once

// Support for GUI tests on Qt's offscreen platform: a fixture whose watchdog closes a modal
// window that a test leaves open (recording a failure instead of hanging the run), a responder
// that answers the modal windows a test expects, and recorders for the message boxes and the
// report file chooser. The test binary's main (gui_test_main.cpp) creates the QApplication.

#include "core/message_sink.h"
#include "report/report.h"
#include "report/report_reader.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brim::test {

// Records the texts instead of showing message boxes.
class RecordingMessageSink final : public MessageSink {
public:
    void show(std::string_view text) override { texts_.emplace_back(text); }

    const std::vector<std::string>& texts() const noexcept { return texts_; }
    void clear() noexcept { texts_.clear(); }

private:
    std::vector<std::string> texts_;
};

// Answers the save-file or the open-file chooser with a preset path, or with a cancel when
// there is none.
class FakeReportFileChooser final : public ReportFileChooser, public ReportOpenChooser {
public:
    explicit FakeReportFileChooser(std::optional<std::string> answer = std::nullopt)
        : answer_(std::move(answer)) {}

    std::optional<std::string> chooseReportFile() override {
        ++calls_;
        return answer_;
    }
    std::optional<std::string> chooseReportToOpen() override { return chooseReportFile(); }

    void setAnswer(std::optional<std::string> answer) { answer_ = std::move(answer); }
    int calls() const noexcept { return calls_; }

private:
    std::optional<std::string> answer_;
    int calls_ = 0;
};

// Closes a modal window: reject() for a dialog (a message box too), close() otherwise.
void closeModalWindow(QWidget* modal);

// Polls for the application's active modal window. One that stays open longer than the limit
// is a failure of the running test; it is closed so that the run goes on.
class ModalWatchdog {
public:
    explicit ModalWatchdog(std::chrono::milliseconds limit = std::chrono::seconds(3));

    void start();
    void stop();
    // A modal window that a test runs on purpose (a window under test shown with exec()).
    void allow(QWidget* modal) { allowed_ = modal; }

private:
    void poll();

    std::chrono::milliseconds limit_;
    QTimer timer_;
    QPointer<QWidget> watched_;
    QPointer<QWidget> allowed_;
    QElapsedTimer openFor_;
};

// Answers each modal window that opens while it lives: hands it to `inspect` (which may look at
// it, type into it or close it itself) and then closes it if it is still open. Records the
// class name and title of every window answered.
class ModalResponder {
public:
    using Inspect = std::function<void(QWidget* modal)>;

    explicit ModalResponder(Inspect inspect = {}, QWidget* ignored = nullptr);

    struct Answered {
        QString className;
        QString title;
    };
    const std::vector<Answered>& answered() const noexcept { return answered_; }
    int count(const char* className) const;

private:
    void poll();

    Inspect inspect_;
    QPointer<QWidget> ignored_;
    QTimer timer_;
    std::vector<Answered> answered_;
};

// Fixture for GUI tests: the watchdog runs for the whole test.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override { watchdog_.start(); }
    void TearDown() override { watchdog_.stop(); }

    ModalWatchdog watchdog_;
};

// Lets queued events (layout, focus changes, deferred deletes) run.
void processEvents();

} // namespace brim::test
