#include "application.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

// Resources compiled into a static library are only linked in when something refers to them.
static void initProgramResources() {
    Q_INIT_RESOURCE(brimcount);
}

namespace brim {

namespace {

constexpr char kFallbackName[] = "brimcount";
constexpr char kDesktopFileName[] = "io.github.brimcount.Brimcount";
constexpr const char* kIconImages[] = {":/icons/brimcount-32.png", ":/icons/brimcount-16.png"};

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
}

} // namespace brim
