#include "window_menu.h"

#include "qt_text.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace brim {

void appendCommandEntries(QMenu& menu, QWidget& window, std::span<const WindowMenuEntry> entries) {
    for (const WindowMenuEntry& entry : entries) {
        QAction* action = menu.addAction(toQString(entry.text));
        action->setData(entry.commandId);
        action->setShortcut(QKeySequence(toQString(entry.shortcut), QKeySequence::PortableText));
        // The menu is hidden most of the time; a shortcut works only on a visible widget's action.
        window.addAction(action);
    }
}

void appendAboutEntry(QMenu& menu, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    menu.addSeparator();
    QAction* about = menu.addAction(text);
    about->setData(kShowAboutCommand);
}

} // namespace brim
