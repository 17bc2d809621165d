#include "report/file_access.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cerrno>
#include <cstring>

namespace brim {

std::string systemReason(int error) {
    return error == 0 ? std::string() : std::string(std::strerror(error));
}

// Qt keeps the system's error as its error string only for some failures, so errno is read
// right after the call that failed.
FileStart readFileStart(const std::string& path, std::size_t maxBytes) {
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir()) {
        return FileFailure{systemReason(EISDIR)};
    }
    QFile file(name);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        return FileFailure{systemReason(errno)};
    }
    errno = 0;
    const QByteArray bytes = file.read(static_cast<qint64>(maxBytes));
    if (file.error() != QFileDevice::NoError) {
        return FileFailure{systemReason(errno)};
    }
    return bytes.toStdString();
}

} // namespace brim
