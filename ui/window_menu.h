#pragma once

#include "commands/file_texts.h"

#include <QString>
#include <array>
#include <span>
#include <string_view>

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

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

// The program's own commands, listed above the separator and the About entry, which stays last.
// Their identifiers lie outside the About command's 16-31, and each has a keyboard shortcut
// that works in the window while the menu is closed.
struct WindowMenuEntry {
    int commandId;
    std::string_view text;          // "&" marks the access key
    std::string_view shortcut;      // in QKeySequence's portable form, "Ctrl+O"
    std::string_view otherShortcut; // a second key for the same command, or empty
};

inline constexpr int kOpenReportCommand = 256;
inline constexpr int kSizeForCapacityCommand = 272;
inline constexpr int kUndoCommand = 288;
inline constexpr int kRedoCommand = 304;
inline constexpr int kCopySheetCommand = 320;
inline constexpr int kSheetPerformanceCommand = 336;
inline constexpr int kComparePlansCommand = 352;
inline constexpr int kSaveWorkbookCommand = 368;
inline constexpr int kSaveWorkbookAsCommand = 384;
inline constexpr int kPrintPlanCommand = 400;
inline constexpr int kGrowthPlanCommand = 416;

// clang-format off

// Undo and Redo show the name of their step after their text, "&Undo Max IOPS"; Save Workbook
// the name of the file it saves to once there is one.
inline constexpr std::array<WindowMenuEntry, 11> kWindowMenuCommands{{
    // command                  text                      shortcut         other shortcut
    {kOpenReportCommand,       "&Open...",               "Ctrl+O",        ""},
    {kSaveWorkbookCommand,     FileWords::kSaveWorkbookEntry, "Ctrl+S",   ""},
    {kSaveWorkbookAsCommand,   "Save &Workbook As...",   "Ctrl+Shift+S",  ""},
    {kSizeForCapacityCommand,  "Size for &Capacity...",  "Ctrl+K",        ""},
    {kSheetPerformanceCommand, "Sheet &Performance...",  "Ctrl+I",        ""},
    {kComparePlansCommand,     "Co&mpare Plans...",      "Ctrl+M",        ""},
    {kGrowthPlanCommand,       "&Growth Plan...",        "Ctrl+G",        ""},
    {kUndoCommand,             "&Undo",                  "Ctrl+Z",        ""},
    {kRedoCommand,             "&Redo",                  "Ctrl+Shift+Z",  "Ctrl+Y"},
    {kCopySheetCommand,        "Copy S&heet",            "Ctrl+Shift+C",  ""},
    {kPrintPlanCommand,        "Print P&lan...",         "Ctrl+P",        ""},
}};
// clang-format on

// Undo and Redo: entries whose keys the window takes from every control, line edits included.
constexpr bool isHistoryCommand(int commandId) noexcept {
    return commandId == kUndoCommand || commandId == kRedoCommand;
}

// The entry whose shortcut (or other shortcut) the key press gives, nullptr for none.
const WindowMenuEntry* entryOfKey(std::span<const WindowMenuEntry> entries, const QKeyEvent& key);

// The menu's entry that carries `commandId`, nullptr for none.
QAction* entryWithCommand(const QMenu& menu, int commandId);

// The table's entry of `commandId`, which must be one of the table's.
const WindowMenuEntry& menuEntry(int commandId);

// An Undo or Redo entry's text with the name of its step: "&Undo Max IOPS", or "&Undo" alone
// when there is no step.
QString historyEntryText(std::string_view entryText, const QString& stepName);

// Each entry carrying its command identifier as its data; its shortcut is given to `window` too,
// so that it works while the menu is closed.
void appendCommandEntries(QMenu& menu, QWidget& window, std::span<const WindowMenuEntry> entries);

// Appends a separator and an entry with `text` carrying the About command's identifier as its
// data; with an empty text, neither.
void appendAboutEntry(QMenu& menu, const QString& text);

} // namespace brim
