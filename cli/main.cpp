// brimcount-cli: the window's sizing, checks and prices for scripts, with no display.

#include "cli/cli_commands.h"

#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return brim::runCommandLine(arguments, BRIMCOUNT_VERSION);
}
