#include "tests/cli/cli_run.h"

#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brim::test {
namespace fs = std::filesystem;

namespace {

// The test's environment without any display, so that nothing the program does can reach one.
std::vector<char*> environmentWithoutDisplay() {
    std::vector<char*> kept;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "DISPLAY=", 8) != 0 &&
            std::strncmp(*variable, "WAYLAND_DISPLAY=", 16) != 0) {
            kept.push_back(*variable);
        }
    }
    kept.push_back(nullptr);
    return kept;
}

} // namespace

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeWhole(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}

CliRun runCli(const std::vector<std::string>& arguments, std::string_view input,
              const char* outputPath, std::vector<std::string> environment) {
    char folder[] = "/tmp/brimcount-cli-run-XXXXXX";
    if (!mkdtemp(folder)) {
        return {};
    }
    const fs::path dir(folder);
    writeWhole(dir / "in", input);
    const std::string in = (dir / "in").string();
    const std::string out = outputPath ? outputPath : (dir / "out").string();
    const std::string err = (dir / "err").string();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> words{BRIMCOUNT_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> variables = environmentWithoutDisplay();
    for (std::string& variable : environment) {
        variables.insert(variables.end() - 1, variable.data());
    }
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, BRIMCOUNT_CLI, &actions, nullptr, argv.data(), variables.data());
    posix_spawn_file_actions_destroy(&actions);
    CliRun run;
    int status = 0;
    if (spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    run.out = outputPath ? std::string() : readWhole(dir / "out");
    run.err = readWhole(dir / "err");
    fs::remove_all(dir);
    return run;
}

void CliTest::SetUp() {
    char folder[] = "/tmp/brimcount-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dir_ = folder;
}

void CliTest::TearDown() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

} // namespace brim::test
