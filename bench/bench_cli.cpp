// The command line from process start to exit, as a script runs it: `brimcount-cli report` of
// the example workbook against a bare program that links the same Qt libraries (the two
// alternate within one run, so that both see the same machine), and `brimcount-cli check` of
// 1000 workbooks of eight kept plans each in one process. The counters give the medians and
// their ratio.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Runs the program once with its output thrown away; the milliseconds from spawn to exit, or
// a negative number when it failed.
double runMs(std::vector<std::string> words) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1.0;
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_ReportAgainstBareProgram(benchmark::State& state) {
    const std::vector<std::string> report{BRIMCOUNT_CLI, "report", BRIM_EXAMPLE, "--at",
                                          "2026-03-07 09:05:03"};
    const std::vector<std::string> bare{BRIMCOUNT_CLI_BARE};
    std::vector<double> reportMs, bareMs;
    bool reportFirst = true;
    for (auto _ : state) {
        const double first = runMs(reportFirst ? report : bare);
        const double second = runMs(reportFirst ? bare : report);
        if (first < 0 || second < 0) {
            state.SkipWithError("a program failed");
            break;
        }
        reportMs.push_back(reportFirst ? first : second);
        bareMs.push_back(reportFirst ? second : first);
        reportFirst = !reportFirst;
        state.SetIterationTime(reportMs.back() / 1e3);
    }
    state.counters["report_ms"] = median(reportMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["time_ratio"] = median(reportMs) / median(bareMs);
}
BENCHMARK(BM_ReportAgainstBareProgram)
    ->UseManualTime()
    ->Iterations(31)
    ->Unit(benchmark::kMillisecond);

// A planning team's nightly check: a thousand workbooks of eight kept plans each.
void BM_CheckThousandWorkbooks(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("brimcount_bench_cli_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ifstream in(BRIM_EIGHT_PLANS, std::ios::binary);
    const std::string workbook{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    std::vector<std::string> check{BRIMCOUNT_CLI, "check"};
    for (int i = 0; i < 1000; ++i) {
        const fs::path file = dir / ("customer" + std::to_string(i) + ".brimcount");
        std::ofstream(file, std::ios::binary) << workbook;
        check.push_back(file.string());
    }
    std::vector<double> checkMs;
    for (auto _ : state) {
        const double ms = runMs(check);
        if (ms < 0) {
            state.SkipWithError("check failed");
            break;
        }
        checkMs.push_back(ms);
        state.SetIterationTime(ms / 1e3);
    }
    state.counters["check_ms"] = median(checkMs);
    fs::remove_all(dir);
}
BENCHMARK(BM_CheckThousandWorkbooks)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
