#include "window_menu.h"

#include <QAction>
#include <QMenu>

namespace brim {

void appendAboutEntry(QMenu& menu, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    menu.addSeparator();
    QAction* about = menu.addAction(text);
    about->setData(kShowAboutCommand);
}

} // namespace brim
