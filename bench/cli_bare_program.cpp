// The floor of a command-line start: a program that links Qt Core as brimcount-cli does, starts
// and exits. bench_cli runs it beside the real program.

#include <QtGlobal>

int main() {
    // Asking Qt its version keeps the library linked and loaded, as the real program's is.
    return qVersion()[0] == '\0' ? 1 : 0;
}
