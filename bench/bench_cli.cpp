// The command line from process start to exit, as a script runs it: `brimcount-cli report` of
// the example workbook against a bare program that links the same Qt libraries (the two
// alternate within one run, so that both see the same machine), and `brimcount-cli check` of
// 1000 workbooks of eight kept plans each in one process, and `brimcount-cli plan` of a ten-row
// plan with eight kept plans to PDF, with the share of each of its steps. The counters give the
// medians and their ratio.

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
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

// Runs the program once with its output thrown away (standard error to `errPath`), in this
// environment and `more`; the milliseconds from spawn to exit, or a negative number when it
// failed.
double runMs(std::vector<std::string> words, const char* errPath = "/dev/null",
             std::vector<std::string> more = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath, O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        environment.push_back(*variable);
    }
    for (std::string& variable : more) {
        environment.push_back(variable.data());
    }
    environment.push_back(nullptr);
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environment.data());
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

// A planning team's PDF of one customer's plan: ten rows, eight kept plans, from start to exit.
// The program says what its steps took (BRIMCOUNT_CLI_STEP_TIMES): opening and computing the
// workbook into the plan's document, starting Qt Gui offscreen with the window's font, laying
// the document out on A4, and painting and writing the PDF; "process" is the rest of the time
// from spawn to exit (loading the program and its libraries, and exiting).
void BM_PlanTenRowsEightKeptToPdf(benchmark::State& state) {
    const std::string stem =
        (fs::temp_directory_path() / ("brimcount_bench_plan_" + std::to_string(getpid()))).string();
    const std::string err = stem + ".err";
    const std::vector<std::string> plan{BRIMCOUNT_CLI, "plan", BRIM_TEN_ROWS,        "-o",
                                        stem + ".pdf", "--at", "2026-03-07 09:05:03"};
    constexpr std::array<const char*, 5> kSteps{"plan_ms", "open_ms", "start_ms", "layout_ms",
                                                "pdf_ms"};
    std::array<std::vector<double>, kSteps.size() + 1> times; // the steps, then "process"
    for (auto _ : state) {
        const double ms = runMs(plan, err.c_str(), {"BRIMCOUNT_CLI_STEP_TIMES=1"});
        std::array<double, 4> steps{};
        FILE* said = std::fopen(err.c_str(), "r");
        const int read = said ? std::fscanf(said,
                                            "plan steps: open %lf ms, start %lf ms, layout %lf "
                                            "ms, pdf %lf ms",
                                            &steps[0], &steps[1], &steps[2], &steps[3])
                              : 0;
        if (said) {
            std::fclose(said);
        }
        if (ms < 0 || read != 4) {
            state.SkipWithError("plan failed or said no step times");
            break;
        }
        times[0].push_back(ms);
        double stepped = 0.0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            times[i + 1].push_back(steps[i]);
            stepped += steps[i];
        }
        times[kSteps.size()].push_back(ms - stepped);
        state.SetIterationTime(ms / 1e3);
    }
    for (std::size_t i = 0; i < kSteps.size(); ++i) {
        state.counters[kSteps[i]] = median(times[i]);
    }
    state.counters["process_ms"] = median(times[kSteps.size()]);
    fs::remove(stem + ".pdf");
    fs::remove(err);
}
BENCHMARK(BM_PlanTenRowsEightKeptToPdf)
    ->UseManualTime()
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
