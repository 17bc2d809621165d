#pragma once

// What the planner windows (Size for Capacity, Sheet Performance, Compare Plans, Growth Plan) set
// up alike: a child window of the main window with a title bar and a close box but no minimise
// or maximise box, the program's icon and the main window's font; and the room a window may take
// on its screen, which each fits itself to.

#include <QDialog>
#include <QScrollArea>
#include <QSize>
#include <optional>
#include <string_view>

namespace brim {

inline constexpr Qt::WindowFlags kPlannerWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

// Title, icon and font: the parent's font, or the dialog font when the window stands alone.
void setUpPlannerWindow(QDialog& window, std::string_view title);

// The size a window may take on the screen it opens on (its parent's until it shows), its frame
// and title bar left out: the window manager's frame as the window, or else its parent, has it
// drawn already, and at least as wide and as tall as the style's. Nothing without a screen.
std::optional<QSize> roomOnScreen(const QWidget& window);

// The room a window's scrolling body has on its screen: the window's room less its margins and
// the row of `buttons` under the body; the whole body when there is no screen.
QSize roomForBody(const QWidget& window, const QScrollArea& body, const QWidget& buttons);

// The body as large as it needs when `room` holds it; otherwise it scrolls within the room, a
// scroll bar's breadth given to the other direction.
void sizeBodyWithin(QScrollArea& body, QSize room);

} // namespace brim
