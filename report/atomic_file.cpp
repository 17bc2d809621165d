#include "atomic_file.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
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

// Writes `text` to a temporary file beside `path` and renames it over `path` only once every
// byte is written. A write past the disk's or the process's limit can come back short without
// an error, and commit() ignores a failing flush of its own, so both are checked before it.
SaveOutcome saveAtomically(const QString& path, std::string_view text) {
    if (isReadOnlyFile(path)) {
        return SaveOutcome::OpenFailed;
    }
    QSaveFile file(path);
    // A writable file in a folder the user may not write to cannot get a temporary file beside
    // it; it is then written in place, which cannot be atomic but is what the user asked for.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return SaveOutcome::OpenFailed;
    }
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size || !file.flush()) {
        file.cancelWriting(); // the temporary file is removed when `file` goes
        return SaveOutcome::WriteFailed;
    }
    return file.commit() ? SaveOutcome::Saved : SaveOutcome::WriteFailed;
}

} // namespace

SaveOutcome saveFileAtomically(const std::string& chosenPath, std::string_view text) {
    const std::optional<QString> path = followLinks(QString::fromStdString(chosenPath));
    return path ? saveAtomically(*path, text) : SaveOutcome::OpenFailed;
}

} // namespace brim
