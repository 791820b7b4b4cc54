// Start-up against a bare Qt window: launches both probes in turn, many times, and reports the
// median time from launch to the end of the first frame and the median peak resident set.
//   start_up_bench BOARD_PROBE BARE_PROBE [RUNS]
// Needs a display (DISPLAY); prints key=value lines. Launch is the moment just before the spawn,
// read in this process from the clock the probe reads when its first frame is done.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "probe_clock.h"

extern char** environ;

namespace {

struct Sample {
    double to_first_paint_ms;
    long peak_rss_kb;
};

std::optional<Sample> launch(const char* program) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), nullptr};

    const std::int64_t launched = vimbrel::bench::monotonic_ns();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return std::nullopt;
    }

    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    long long painted = 0;
    if (std::sscanf(text.c_str(), "painted_ns=%lld", &painted) != 1) return std::nullopt;
    return Sample{static_cast<double>(painted - launched) / 1e6, usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BOARD_PROBE BARE_PROBE [RUNS]\n", argv[0]);
        return 2;
    }
    const char* programs[2] = {argv[1], argv[2]};
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;

    std::vector<double> ms[2];
    std::vector<long> rss[2];
    // One unmeasured start of each fills the page cache and the font cache.
    for (int round = -1; round < runs; ++round) {
        // Alternate which of the two goes first, so a slow phase of the machine hits both alike.
        for (int k = 0; k < 2; ++k) {
            const int which = (round % 2 == 0) ? k : 1 - k;
            const auto sample = launch(programs[which]);
            if (!sample) {
                std::fprintf(stderr,
                             "%s did not report its first paint; run it by hand to see why\n",
                             programs[which]);
                return 1;
            }
            if (round < 0) continue;
            ms[which].push_back(sample->to_first_paint_ms);
            rss[which].push_back(sample->peak_rss_kb);
        }
    }

    const double board_ms = median(ms[0]);
    const double bare_ms = median(ms[1]);
    const long board_kb = median(rss[0]);
    const long bare_kb = median(rss[1]);
    std::printf("start_runs=%d\n", runs);
    std::printf("start_board_ms=%.1f\nstart_bare_ms=%.1f\nstart_ratio=%.3f\n", board_ms, bare_ms,
                board_ms / bare_ms);
    std::printf("rss_board_kb=%ld\nrss_bare_kb=%ld\nrss_ratio=%.3f\n", board_kb, bare_kb,
                static_cast<double>(board_kb) / static_cast<double>(bare_kb));
    return 0;
}
