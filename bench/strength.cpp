// Prints how often the computer wins, draws and loses against reference players, per setting.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "headless_match.h"

using namespace vimbrel;
using namespace vimbrel::bench;

namespace {

const char* level_name(MemoryLevel l) {
    switch (l) {
        case MemoryLevel::good: return "Good";
        case MemoryLevel::normal: return "Normal";
        case MemoryLevel::low: return "Low";
    }
    return "?";
}

const char* mode_name(ChoiceMode m) {
    return m == ChoiceMode::ai_and_memory ? "AI+Memory" : "Memory";
}

// Half-width of the 95 % normal-approximation interval of a share, in percent.
double margin(double share, int n) { return 196.0 * std::sqrt(share * (1 - share) / n); }

void usage() {
    std::puts(
        "usage: strength [--games N] [--seed S] [--sizes 6,8,10] [--opponents a,b,...] [--markdown]\n"
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

    std::printf("%d games per row, seed %llu; shares are the computer's, with 95 %% margins\n\n",
                games, static_cast<unsigned long long>(seed));
    if (markdown) {
        std::puts("| opponent | board | memory | choice | computer wins | draws | computer loses | "
                  "computer's mean score | opponent's mean score | mean rounds |");
        std::puts("|---|---|---|---|---|---|---|---|---|---|");
    } else {
        std::printf("%-9s %-5s %-6s %-9s %13s %13s %13s %7s %7s %7s\n", "opponent", "board",
                    "memory", "choice", "win %", "draw %", "loss %", "score", "opp.", "rounds");
    }
    for (const std::string& name : opponents) {
        for (const int size : sizes) {
            for (const MemoryLevel level : {MemoryLevel::good, MemoryLevel::normal, MemoryLevel::low}) {
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
                    const double w = static_cast<double>(wins) / games;
                    const double d = static_cast<double>(draws) / games;
                    const double l = 1 - w - d;
                    if (markdown) {
                        std::printf("| %s | %dx%d | %s | %s | %.1f ± %.1f %% | %.1f ± %.1f %% | "
                                    "%.1f ± %.1f %% | %.1f | %.1f | %.1f |\n",
                                    name.c_str(), size, size, level_name(level), mode_name(mode),
                                    100 * w, margin(w, games), 100 * d, margin(d, games), 100 * l,
                                    margin(l, games), score / games, opponent_score / games,
                                    rounds / games);
                    } else {
                        std::printf("%-9s %2dx%-2d %-6s %-9s %6.1f ±%4.1f %6.1f ±%4.1f %6.1f ±%4.1f "
                                    "%7.1f %7.1f %7.1f\n",
                                    name.c_str(), size, size, level_name(level), mode_name(mode),
                                    100 * w, margin(w, games), 100 * d, margin(d, games), 100 * l,
                                    margin(l, games), score / games, opponent_score / games,
                                    rounds / games);
                    }
                    std::fflush(stdout);
                }
            }
        }
    }
    return 0;
}
