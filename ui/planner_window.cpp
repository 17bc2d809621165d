#include "ui/planner_window.h"

#include "ui/application.h"
#include "ui/dialog_units.h"
#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace brim {
namespace {

const QScreen* screenOf(const QWidget& window) {
    if (const QWidget* parent = window.parentWidget()) {
        if (const QScreen* shown = parent->screen()) {
            return shown;
        }
    }
    const QScreen* own = window.screen();
    return own ? own : QGuiApplication::primaryScreen();
}

QSize drawnFrame(const QWidget& window) {
    return window.frameGeometry().size() - window.geometry().size();
}

} // namespace

void setUpPlannerWindow(QDialog& window, std::string_view title) {
    window.setWindowTitle(toQString(title));
    window.setWindowIcon(programIcon());
    const QWidget* parent = window.parentWidget();
    window.setFont(parent ? parent->font() : dialogFont());
}

std::optional<QSize> roomOnScreen(const QWidget& window) {
    const QScreen* shownOn = screenOf(window);
    if (!shownOn) {
        return std::nullopt;
    }
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int titleBar = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    QSize frame(2 * border, titleBar + border);
    frame = frame.expandedTo(drawnFrame(window));
    if (const QWidget* parent = window.parentWidget()) {
        frame = frame.expandedTo(drawnFrame(*parent->window()));
    }
    return shownOn->availableGeometry().size() - frame;
}

QSize roomForBody(const QWidget& window, const QScrollArea& body, const QWidget& buttons) {
    const std::optional<QSize> room = roomOnScreen(window);
    if (!room) {
        return body.widget()->sizeHint();
    }
    const QMargins margins = window.layout()->contentsMargins();
    const int across = margins.left() + margins.right();
    const int down =
        margins.top() + margins.bottom() + window.layout()->spacing() + buttons.sizeHint().height();
    return {room->width() - across, room->height() - down};
}

void sizeBodyWithin(QScrollArea& body, QSize room) {
    const QSize whole = body.widget()->sizeHint();
    const int bar = body.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &body);
    const bool tall = whole.height() > room.height();
    const bool wide = whole.width() + (tall ? bar : 0) > room.width();
    body.setMinimumSize(std::min(whole.width() + (tall ? bar : 0), room.width()),
                        std::min(whole.height() + (wide ? bar : 0), room.height()));
}

} // namespace brim
