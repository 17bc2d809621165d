// Runs a fuzz target over saved inputs without libFuzzer, so that the normal compiler's
// sanitizer build replays the committed corpus in every test run. Each argument is a file or a
// folder of files; every file is one input. A target reports a broken invariant by aborting.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool collectInputs(const fs::path& argument, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_directory(argument, error)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(argument, error)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
        return !error;
    }
    if (fs::is_regular_file(argument, error)) {
        inputs.push_back(argument);
        return true;
    }
    return false;
}

bool readInput(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!collectInputs(argv[i], inputs)) {
            std::fprintf(stderr, "replay: cannot read %s\n", argv[i]);
            return 2;
        }
    }
    // An empty corpus would make a passing run that proved nothing.
    if (inputs.empty()) {
        std::fprintf(stderr, "replay: no inputs given\n");
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());

    std::vector<std::uint8_t> bytes;
    for (const fs::path& path : inputs) {
        if (!readInput(path, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
            return 2;
        }
        // Print the name first: if the target aborts, the log says which input did it.
        std::fprintf(stderr, "replay: %s\n", path.c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs passed\n", inputs.size());
    return 0;
}
