// Start-up and peak memory of the program against the toolkit's floor: a bare dialog with the
// same controls built the same way (see startup_probe.cpp). A QApplication can be made once per
// process only, so each start-up is a fresh child process; the two kinds alternate within one
// run so that both see the same machine. The benchmark's time is the program's time to its
// first paint; the counters give the medians of both kinds and the ratios of the medians.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct StartUp {
    double firstPaintMs = 0;
    double frameDoneMs = 0;
    double peakMib = 0;
};

// Runs the probe once and reads its one line of figures; false when it failed.
bool runProbe(const char* kind, StartUp& result) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    // The toolkit's start-up warnings (no runtime folder and the like) would break the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char probe[] = BRIMCOUNT_STARTUP_PROBE;
    std::string kindArg = kind;
    char* argv[] = {probe, kindArg.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, probe, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return false;
    }
    long long paintNs = 0;
    long long frameNs = 0;
    long peakKib = 0;
    if (std::sscanf(output.c_str(), "%lld %lld %ld", &paintNs, &frameNs, &peakKib) != 3 ||
        paintNs <= 0 || peakKib <= 0) {
        return false;
    }
    result = {paintNs / 1e6, frameNs / 1e6, peakKib / 1024.0};
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_StartUpAgainstBareDialog(benchmark::State& state) {
    std::vector<double> programPaint, barePaint, programFrame, bareFrame, programPeak, barePeak;
    bool programFirst = true;
    for (auto _ : state) {
        StartUp program;
        StartUp bare;
        const bool ok = programFirst ? runProbe("program", program) && runProbe("bare", bare)
                                     : runProbe("bare", bare) && runProbe("program", program);
        programFirst = !programFirst;
        if (!ok) {
            state.SkipWithError("the start-up probe failed");
            break;
        }
        programPaint.push_back(program.firstPaintMs);
        barePaint.push_back(bare.firstPaintMs);
        programFrame.push_back(program.frameDoneMs);
        bareFrame.push_back(bare.frameDoneMs);
        programPeak.push_back(program.peakMib);
        barePeak.push_back(bare.peakMib);
        state.SetIterationTime(program.firstPaintMs / 1e3);
    }
    const double paintRatio = median(programPaint) / median(barePaint);
    state.counters["program_ms"] = median(programPaint);
    state.counters["bare_ms"] = median(barePaint);
    state.counters["time_ratio"] = paintRatio;
    state.counters["frame_ratio"] = median(programFrame) / median(bareFrame);
    state.counters["program_MiB"] = median(programPeak);
    state.counters["bare_MiB"] = median(barePeak);
    state.counters["peak_ratio"] = median(programPeak) / median(barePeak);
}
BENCHMARK(BM_StartUpAgainstBareDialog)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
