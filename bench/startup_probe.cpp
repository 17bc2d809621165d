// One start-up, run as a child process by bench_startup: from the construction of the
// QApplication to the first paint of the main window, and the peak resident memory at the end
// of that first frame. "program" starts as the program does (its application set-up and its
// main window, run modally); "bare" starts a plain QDialog holding the same controls, built by
// the same code from the same layout tables, with nothing behind them: the toolkit's floor.
// Prints "<ns to first paint> <ns to end of first frame> <peak resident KiB>".

#include "ui/application.h"
#include "ui/control_exchange.h"
#include "ui/dialog_units.h"
#include "ui/sheet_controls.h"
#include "ui/sheet_window.h"
#include "ui/window_layout.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

long peakResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Notes the first paint of the window, then ends its modal loop once that frame is done.
class FirstFrame final : public QObject {
public:
    FirstFrame(QDialog& window, Clock::time_point start) : window_(window), start_(start) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint && firstPaint_ == 0) {
            firstPaint_ = sinceStart();
            // Runs once the painting of this frame (the window and all its controls) is over.
            QTimer::singleShot(0, this, [this] {
                frameDone_ = sinceStart();
                peakKib_ = peakResidentKib();
                window_.done(0);
            });
        }
        return false;
    }

    void print() const { std::printf("%lld %lld %ld\n", firstPaint_, frameDone_, peakKib_); }

private:
    long long sinceStart() const {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start_).count();
    }

    QDialog& window_;
    Clock::time_point start_;
    long long firstPaint_ = 0;
    long long frameDone_ = 0;
    long peakKib_ = -1;
};

// The main window's controls and frame with nothing behind them.
class BareDialog final : public QDialog {
public:
    BareDialog()
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
        setWindowTitle(QStringLiteral("Brimcount"));
        setFont(brim::dialogFont());
        const brim::DialogUnits units(font());
        setFixedSize(units.toPixels(brim::kSheetWindowRect).size());
        brim::buildSheetControls(*this, units, controls_);
    }

private:
    brim::ControlMap controls_;
};

} // namespace

int main(int argc, char* argv[]) {
    const bool program = argc > 1 && std::strcmp(argv[1], "program") == 0;
    if (!program && !(argc > 1 && std::strcmp(argv[1], "bare") == 0)) {
        std::fprintf(stderr, "usage: startup_probe program|bare\n");
        return 2;
    }
    // Measured on the offscreen platform, like the other benchmarks of the window.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    char* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;

    const Clock::time_point start = Clock::now();
    QApplication app(toolkitArgc, toolkitArgv);
    std::unique_ptr<QDialog> window;
    if (program) {
        brim::setUpApplication(app, toolkitArgv[0]);
        window = std::make_unique<brim::SheetWindow>();
    } else {
        window = std::make_unique<BareDialog>();
    }
    FirstFrame frame(*window, start);
    window->exec();
    frame.print();
    return 0;
}
