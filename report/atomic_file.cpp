#include "report/atomic_file.h"

#include "report/file_access.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <optional>

namespace brim {
namespace {

// A chain of symbolic links longer than this is taken for a loop.
constexpr int kMaxLinkHops = 40;

// Follows a chain of symbolic links to the file that it names, which need not exist yet.
// Nothing when the chain does not end.
std::optional<QString> followLinks(const QString& path) {
    QString target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        const QFileInfo info(target);
        if (!info.isSymLink()) {
            return target;
        }
        target = info.symLinkTarget();
    }
    return std::nullopt;
}

// An existing file that nobody may write. Root could write it all the same; the program still
// leaves it alone, as the user marked it.
bool isReadOnlyFile(const QString& path) {
    const QFileInfo info(path);
    constexpr auto kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isFile() && !(info.permissions() & kAnyWrite);
}

SaveResult failed(SaveOutcome outcome, int error) {
    return {outcome, systemReason(error)};
}

// Writes `text` to a temporary file beside `path` and renames it over `path` only once every
// byte is written. A write past the disk's or the process's limit can come back short without
// an error, and commit() ignores a failing flush of its own, so both are checked before it.
// Qt's error strings after a failed write are its own ("Unknown error"): the reason is errno,
// read right after the call that failed.
SaveResult saveAtomically(const QString& path, std::string_view text) {
    if (isReadOnlyFile(path)) {
        return failed(SaveOutcome::OpenFailed, EACCES);
    }
    if (QFileInfo(path).isDir()) {
        return failed(SaveOutcome::OpenFailed, EISDIR);
    }
    QSaveFile file(path);
    // A writable file in a folder the user may not write to cannot get a temporary file beside
    // it; it is then written in place, which cannot be atomic but is what the user asked for.
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return failed(SaveOutcome::OpenFailed, errno);
    }
    const auto size = static_cast<qint64>(text.size());
    errno = 0;
    if (file.write(text.data(), size) != size || !file.flush()) {
        const int error = errno;
        file.cancelWriting(); // the temporary file is removed when `file` goes
        return failed(SaveOutcome::WriteFailed, error);
    }
    errno = 0;
    return file.commit() ? SaveResult{} : failed(SaveOutcome::WriteFailed, errno);
}

} // namespace

SaveResult saveFileAtomically(const std::string& chosenPath, std::string_view text) {
    const std::optional<QString> path = followLinks(QString::fromStdString(chosenPath));
    return path ? saveAtomically(*path, text) : failed(SaveOutcome::OpenFailed, ELOOP);
}

bool saidOfSave(const SaveResult& result, MessageSink& messages,
                const std::function<std::string(const SaveResult&)>& sentence) {
    if (result.outcome == SaveOutcome::Saved) {
        return true;
    }
    messages.show(sentence(result));
    return false;
}

} // namespace brim
