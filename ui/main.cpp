#include "ui/application.h"
#include "ui/sheet_window.h"

#include <QApplication>
#include <memory>

// The program is its main window, shown modally: there is no event loop of its own, and
// nothing on the command line has any effect.
int main(int argc, char* argv[]) {
    char* toolkitArgv[] = {brim::programPathArgument(argc, argv), nullptr};
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, toolkitArgv);
    brim::setUpApplication(app, toolkitArgv[0]);

    auto window = std::make_unique<brim::SheetWindow>();
    window->exec();
    window.reset();
    return 0;
}
