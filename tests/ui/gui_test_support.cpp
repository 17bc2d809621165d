#include "tests/ui/gui_test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>

namespace brim::test {

namespace {
constexpr int kPollMs = 20;

QString describe(const QWidget* widget) {
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->windowTitle());
}
} // namespace

void closeModalWindow(QWidget* modal) {
    if (modal == nullptr) {
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

ModalWatchdog::ModalWatchdog(std::chrono::milliseconds limit) : limit_(limit) {
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
}

void ModalWatchdog::start() {
    watched_ = nullptr;
    timer_.start();
}

void ModalWatchdog::stop() {
    timer_.stop();
    // A modal window still open at the end of a test would block the next one.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != allowed_) {
        ADD_FAILURE() << "Modal window left open at the end of the test: "
                      << describe(modal).toStdString();
        closeModalWindow(modal);
    }
}

void ModalWatchdog::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == allowed_) {
        watched_ = nullptr;
        return;
    }
    if (modal != watched_) {
        watched_ = modal;
        openFor_.start();
        return;
    }
    if (openFor_.elapsed() > limit_.count()) {
        ADD_FAILURE() << "Modal window stayed open for more than " << limit_.count()
                      << " ms; the watchdog closed it: " << describe(modal).toStdString();
        watched_ = nullptr;
        closeModalWindow(modal);
    }
}

ModalResponder::ModalResponder(Inspect inspect, QWidget* ignored)
    : inspect_(std::move(inspect)), ignored_(ignored) {
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

int ModalResponder::count(const char* className) const {
    const QString name = QString::fromLatin1(className);
    int n = 0;
    for (const Answered& a : answered_) {
        n += a.className == name ? 1 : 0;
    }
    return n;
}

void ModalResponder::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == ignored_ || !modal->isVisible()) {
        return;
    }
    // The inspection may run a nested event loop; no second answer meanwhile.
    timer_.stop();
    answered_.push_back(
        {QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle()});
    QPointer<QWidget> guarded(modal);
    if (inspect_) {
        inspect_(modal);
    }
    if (guarded && guarded->isVisible()) {
        closeModalWindow(guarded);
    }
    timer_.start();
}

void processEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace brim::test
