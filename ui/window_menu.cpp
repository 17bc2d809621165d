#include "ui/window_menu.h"

#include "ui/qt_text.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QWidget>
#include <algorithm>

namespace brim {
namespace {

QList<QKeySequence> shortcutsOf(const WindowMenuEntry& entry) {
    QList<QKeySequence> keys;
    for (const std::string_view shortcut : {entry.shortcut, entry.otherShortcut}) {
        if (!shortcut.empty()) {
            keys.append(QKeySequence(toQString(shortcut), QKeySequence::PortableText));
        }
    }
    return keys;
}

} // namespace

const WindowMenuEntry* entryOfKey(std::span<const WindowMenuEntry> entries, const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return shortcutsOf(entry).contains(pressed);
    });
    return found == entries.end() ? nullptr : &*found;
}

QAction* entryWithCommand(const QMenu& menu, int commandId) {
    const QList<QAction*> actions = menu.actions();
    const auto it = std::find_if(actions.begin(), actions.end(), [commandId](QAction* action) {
        return !action->isSeparator() && action->data().toInt() == commandId;
    });
    return it == actions.end() ? nullptr : *it;
}

const WindowMenuEntry& menuEntry(int commandId) {
    return *std::find_if(kWindowMenuCommands.begin(), kWindowMenuCommands.end(),
                         [commandId](const auto& entry) { return entry.commandId == commandId; });
}

QString historyEntryText(std::string_view entryText, const QString& stepName) {
    const QString text = toQString(entryText);
    return stepName.isEmpty() ? text : text + QLatin1Char(' ') + stepName;
}

void appendCommandEntries(QMenu& menu, QWidget& window, std::span<const WindowMenuEntry> entries) {
    for (const WindowMenuEntry& entry : entries) {
        QAction* action = menu.addAction(toQString(entry.text));
        action->setData(entry.commandId);
        action->setShortcuts(shortcutsOf(entry));
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
