#include "ui/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace brim {
namespace {

bool dragsAFile(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

FileDrop::FileDrop(QWidget& window, std::function<void(const std::string& path)> open,
                   std::function<void()> refuse)
    : QObject(&window), open_(std::move(open)), refuse_(std::move(refuse)) {
    window.setAcceptDrops(true);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        edit->setAcceptDrops(false);
    }
    window.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (dragsAFile(enter->mimeData())) {
            enter->acceptProposedAction();
        }
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
        drop->acceptProposedAction();
        if (urls.size() != 1 || !urls.front().isLocalFile()) {
            QTimer::singleShot(0, this, [this] { refuse_(); });
        } else {
            const std::string path = urls.front().toLocalFile().toStdString();
            QTimer::singleShot(0, this, [this, path] { open_(path); });
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brim
