// Plays whole games on the null view, every setting in turn, for a leak checker to watch: valgrind
// in a normal build, LeakSanitizer in a sanitizer build. Exits non-zero if a game breaks a rule or
// does not end. Usage: headless_games [games = 100] [seed]
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "cell_search.h"
#include "game.h"
#include "headless_driver.h"
#include "opponent.h"

namespace {

using namespace vimbrel;
using namespace vimbrel::headless;

// A person who turns a random face-down card and, half of the time, the partner of the first;
// now and then too slow for the time limit.
class Player final : public Opponent {
public:
    explicit Player(std::uint64_t seed) : random_(seed) {}

    int choose(const GameState& s, int first) override {
        if (first && random_.next() < 0.5) {
            if (const int partner = face_down_partner(s, first)) return partner;
        }
        return face_down_from(s, static_cast<int>(random_.next() * s.cell_count()), first);
    }
    bool too_slow() override { return random_.next() < 0.02; }

private:
    RandomGenerator random_;
};

// A view, a game and a driver together, on the heap for every game, so that anything a game
// leaves behind shows.
struct Table {
    explicit Table(std::uint64_t seed) : view(seed) {}
    NullView view;
    Game game{view};
    HeadlessDriver driver{game, view};
};

// One game to its end message; returns what went wrong, or an empty string.
std::string play_one(int index, std::uint64_t seed) {
    auto table = std::make_unique<Table>(seed);
    Game& game = table->game;
    game.choose_players(index % 3 == 0 ? Players::two_people : Players::vs_computer);
    game.choose_memory_level(static_cast<MemoryLevel>(index / 3 % 3));
    game.choose_choice_mode(static_cast<ChoiceMode>(index / 9 % 2));
    game.choose_board_size(6 + 2 * (index % 3));
    game.start_new_game();
    Player player(seed ^ 0x5bd1e995u);

    return table->driver.play_to_end(player, {.max_events = 100001, .check = true});
}

}  // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 100;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20240611;
    for (int i = 0; i < games; ++i) {
        if (const std::string fault = play_one(i, seed + static_cast<std::uint64_t>(i));
            !fault.empty()) {
            std::fprintf(stderr, "game %d (seed %llu): %s\n", i,
                         static_cast<unsigned long long>(seed + static_cast<std::uint64_t>(i)),
                         fault.c_str());
            return 1;
        }
    }
    std::printf("%d games played to their end\n", games);
    return 0;
}
