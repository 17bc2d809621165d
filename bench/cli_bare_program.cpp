// The floor of a command-line start: a program that links Qt Core and Qt Gui as brimcount-cli
// does, starts and exits. bench_cli runs it beside the real program.

#include <QColor>
#include <QtGlobal>

int main() {
    // Asking each library something keeps it linked and loaded, as the real program's are.
    return qVersion()[0] == '\0' || QColor::colorNames().isEmpty() ? 1 : 0;
}
