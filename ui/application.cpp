#include "ui/application.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <QWindow>

// Resources compiled into a static library are only linked in when something refers to them.
static void initProgramResources() {
    Q_INIT_RESOURCE(brimcount);
}

namespace brim {

namespace {

constexpr char kFallbackName[] = "brimcount";
constexpr char kDesktopFileName[] = "io.github.brimcount.Brimcount";
constexpr const char* kIconImages[] = {":/icons/brimcount-32.png", ":/icons/brimcount-16.png"};

// Qt's own title bar on Wayland (drawn where the compositor draws no frame) shows minimise and
// maximise buttons whatever the window's flags say, and its maximise button asks the compositor
// for the maximised state. A window of fixed size without a maximise box is taken straight back
// to its normal state: it keeps its size and its place instead of being held at a corner of the
// screen as "maximised".
class MaximiseRefusal final : public QObject {
public:
    explicit MaximiseRefusal(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) {
            if (auto* window = qobject_cast<QWidget*>(watched);
                window && refusesMaximise(*window)) {
                restoreLater(window);
            }
        }
        return false;
    }

private:
    static constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

    static bool refusesMaximise(const QWidget& window) {
        return window.isWindow() && (window.windowState() & kEnlarged) &&
               !(window.windowFlags() & Qt::WindowMaximizeButtonHint) &&
               window.minimumSize() == window.maximumSize();
    }

    // The toolkit's title bar draws its maximise button from the window's state, but draws
    // itself again only when the compositor answers; a compositor may leave the return to
    // the normal state unanswered. Handing the window its icon again redraws the title bar.
    static void redrawTitleBar(QWidget& window) {
        if (QWindow* handle = window.windowHandle()) {
            handle->setIcon(handle->icon());
        }
    }

    // After the state change has been delivered: changing the state from inside its own
    // notification would leave the toolkit and the compositor disagreeing.
    static void restoreLater(QWidget* window) {
        QMetaObject::invokeMethod(
            window,
            [guarded = QPointer<QWidget>(window)] {
                if (guarded && refusesMaximise(*guarded)) {
                    guarded->setWindowState(guarded->windowState() & ~kEnlarged);
                    redrawTitleBar(*guarded);
                }
            },
            Qt::QueuedConnection);
    }
};

bool isWaylandSession() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

QString applicationNameFor(const QString& executablePath) {
    const QFileInfo file(executablePath);
    if (const QString name = file.completeBaseName(); !name.isEmpty()) {
        return name;
    }
    if (const QString name = file.fileName(); !name.isEmpty()) {
        return name;
    }
    return QString::fromLatin1(kFallbackName);
}

QIcon programIcon() {
    initProgramResources();
    QIcon icon;
    for (const char* image : kIconImages) {
        icon.addFile(QString::fromLatin1(image));
    }
    return icon;
}

char* programPathArgument(int argc, char* argv[]) {
    // The toolkit wants a writable argument vector.
    static char fallback[] = "brimcount";
    if (argc < 1 || argv == nullptr || argv[0] == nullptr) {
        return fallback;
    }
    return argv[0];
}

void setUpApplication(QApplication& app, const char* programPath) {
    app.setApplicationName(applicationNameFor(QFile::decodeName(programPath)));
    app.setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    app.setWindowIcon(programIcon());
    if (isWaylandSession()) {
        app.installEventFilter(new MaximiseRefusal(&app));
    }
}

} // namespace brim
