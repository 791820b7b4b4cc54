// Prints how often the computer wins, draws and loses against reference players, per setting.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "headless_table.h"
#include "opponents.h"

using namespace vimbrel;
using namespace vimbrel::headless;

namespace {

const char* level_name(MemoryLevel l) {
    switch (l) {
        case MemoryLevel::good:
            return "Good";
        case MemoryLevel::normal:
            return "Normal";
        case MemoryLevel::low:
            return "Low";
    }
    return "?";
}

const char* mode_name(ChoiceMode m) {
    return m == ChoiceMode::ai_and_memory ? "AI+Memory" : "Memory";
}

// The 95 % Wilson score interval of a share seen k times in n games, in percent. Unlike the
// normal approximation it stays honest at shares of 0 and 1.
struct Interval {
    double low, high;
};
Interval wilson(int k, int n) {
    const double z = 1.96, p = static_cast<double>(k) / n;
    const double centre = (p + z * z / (2.0 * n)) / (1 + z * z / n);
    const double half = z * std::sqrt(p * (1 - p) / n + z * z / (4.0 * n * n)) / (1 + z * z / n);
    return {100 * std::max(0.0, centre - half), 100 * std::min(1.0, centre + half)};
}

// "87.6 (86.1-89.0)": the share in percent and its interval.
std::string share(int k, int n) {
    const Interval i = wilson(k, n);
    char text[48];
    std::snprintf(text, sizeof text, "%5.1f (%.1f-%.1f)", 100.0 * k / n, i.low, i.high);
    return text;
}

void usage() {
    std::puts(
        "usage: strength [--games N] [--seed S] [--sizes 6,8,10] [--opponents a,b,...] "
        "[--markdown]\n"
        "opponents: perfect span-4 span-8 first-two random");
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

}  // namespace

int main(int argc, char** argv) {
    int games = 2000;
    std::uint64_t seed = 20261207;
    std::vector<int> sizes = {6, 8, 10};
    std::vector<std::string> opponents = opponent_names();
    bool markdown = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--games" && has_value) {
            games = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--seed" && has_value) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--sizes" && has_value) {
            sizes.clear();
            for (const std::string& s : split(argv[++i])) {
                const int size = std::atoi(s.c_str());
                if (size != 6 && size != 8 && size != 10) return usage(), 2;
                sizes.push_back(size);
            }
        } else if (arg == "--opponents" && has_value) {
            opponents = split(argv[++i]);
            for (const std::string& name : opponents) {
                if (!make_opponent(name, 0)) return usage(), 2;
            }
        } else if (arg == "--markdown") {
            markdown = true;
        } else {
            usage();
            return arg == "--help" ? 0 : 2;
        }
    }

    std::printf(
        "%d games per row, seed %llu; shares of the computer's games in percent, with their "
        "95 %% intervals\n\n",
        games, static_cast<unsigned long long>(seed));
    if (markdown) {
        std::puts(
            "| opponent | board | memory | choice | computer wins % | draws % | computer loses % | "
            "computer's mean score | opponent's mean score | mean rounds |");
        std::puts("|---|---|---|---|---|---|---|---|---|---|");
    } else {
        std::printf("%-9s %-5s %-6s %-9s %-18s %-18s %-18s %7s %7s %7s\n", "opponent", "board",
                    "memory", "choice", "win %", "draw %", "loss %", "score", "opp.", "rounds");
    }
    for (const std::string& name : opponents) {
        for (const int size : sizes) {
            for (const MemoryLevel level :
                 {MemoryLevel::good, MemoryLevel::normal, MemoryLevel::low}) {
                for (const ChoiceMode mode : {ChoiceMode::ai_and_memory, ChoiceMode::memory_only}) {
                    int wins = 0, draws = 0;
                    double score = 0, opponent_score = 0, rounds = 0;
                    // The opponent draws from its own generator, seeded apart from the game's.
                    auto opponent = make_opponent(name, seed * 2654435761u + 1);
                    HeadlessTable table(*opponent, size, level, mode);
                    for (int g = 0; g < games; ++g) {
                        const MatchResult r = table.play(seed + static_cast<std::uint64_t>(g));
                        wins += r.computer_score > r.person_score;
                        draws += r.computer_score == r.person_score;
                        score += r.computer_score;
                        opponent_score += r.person_score;
                        rounds += r.rounds;
                    }
                    const int losses = games - wins - draws;
                    const char* format =
                        markdown ? "| %s | %dx%d | %s | %s | %s | %s | %s | %.1f | %.1f | %.1f |\n"
                                 : "%-9s %2dx%-2d %-6s %-9s %-18s %-18s %-18s %7.1f %7.1f %7.1f\n";
                    std::printf(format, name.c_str(), size, size, level_name(level),
                                mode_name(mode), share(wins, games).c_str(),
                                share(draws, games).c_str(), share(losses, games).c_str(),
                                score / games, opponent_score / games, rounds / games);
                    std::fflush(stdout);
                }
            }
        }
    }
    return 0;
}
