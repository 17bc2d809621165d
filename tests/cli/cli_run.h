#pragma once

// The built brimcount-cli run as a script runs it: a process of its own whose environment names
// no display, standard input from a string, standard output and error kept. Each test gets a
// fresh folder for its files.

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace brim::test {

struct CliRun {
    int status = -1; // the exit status; -1 when the program did not exit by itself
    std::string out;
    std::string err;
};

// `outputPath` takes standard output instead of a file the run keeps (/dev/full, say);
// `environment` adds variables ("DISPLAY=:99") to the environment without a display.
CliRun runCli(const std::vector<std::string>& arguments, std::string_view input = {},
              const char* outputPath = nullptr, std::vector<std::string> environment = {});

std::string readWhole(const std::filesystem::path& path);
void writeWhole(const std::filesystem::path& path, std::string_view text);

class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A file of the test's folder, as a string for the program's arguments.
    std::string file(std::string_view name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

} // namespace brim::test
