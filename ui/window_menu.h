#pragma once

#include <QString>
#include <string_view>

class QMenu;

namespace brim {

// The main window's own window menu. Linux desktops give a program no entry into the window
// manager's menu, so the window opens this one on a right click on its background (or Shift+F10)
// and routes its commands by identifier, as a window menu does.

inline constexpr int kShowAboutCommand = 16;
inline constexpr std::string_view kAboutMenuEntryText = "&About Brimcount...";

// Window-menu identifiers keep their lowest four bits for the system's own use, so a command
// is recognised with those bits cleared (on the low 16 bits): 16 to 31 all mean About.
constexpr bool isShowAboutCommand(int commandId) noexcept {
    return (commandId & 0xFFF0) == kShowAboutCommand;
}

// Appends a separator and an entry with `text` carrying the About command's identifier as its
// data; with an empty text, neither.
void appendAboutEntry(QMenu& menu, const QString& text);

} // namespace brim
