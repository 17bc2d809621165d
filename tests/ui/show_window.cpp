// Developer tool, not part of the program: opens the About or the Help window on its own, so
// that scripts/screenshot can take its picture.
//   brimcount_show_window about|help
#include "about_window.h"
#include "application.h"
#include "help_window.h"

#include <QApplication>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    brim::setUpApplication(app, "brimcount");
    const bool help = argc > 1 && std::strcmp(argv[1], "help") == 0;
    if (help) {
        brim::HelpWindow window;
        window.exec();
    } else {
        brim::AboutWindow window;
        window.exec();
    }
    return 0;
}
