#pragma once

#include <QIcon>
#include <QString>

class QApplication;

namespace brim {

// The name that titles every message box: the executable file's name without its extension
// (only the last one: "brimcount.v2.exe" is "brimcount.v2"). A name that is all extension keeps
// its whole file name; an empty or folder-only path gives the program's usual name.
QString applicationNameFor(const QString& executablePath);

// The program icon: one artwork with a 32 x 32 and a 16 x 16 image.
QIcon programIcon();

// The command line handed to the toolkit: the program's path alone, so that no argument (the
// toolkit's own options included) has any effect. Points into `argv`, or at a fixed name when
// the program was started with an empty argument vector.
char* programPathArgument(int argc, char* argv[]);

// Names the application after its executable, sets its desktop file name (on Wayland the
// application id that the compositor matches with the desktop entry) and its icon. On Wayland
// it also keeps fixed-size windows without a maximise box out of the maximised state, which
// the toolkit's own title bar offers them all the same.
void setUpApplication(QApplication& app, const char* programPath);

} // namespace brim
