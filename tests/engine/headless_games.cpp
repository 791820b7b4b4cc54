// Plays whole games on the fake view, every setting in turn, for a leak checker to watch: valgrind
// in a normal build, LeakSanitizer in a sanitizer build. Exits non-zero if a game breaks a rule or
// does not end. Usage: headless_games [games = 100] [seed]
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "invariants.h"
#include "table.h"

namespace {

using namespace vimbrel;
using namespace vimbrel::testing;

// A person who turns a random face-down card and, half of the time, the partner of the first;
// now and then too slow for the time limit.
class Player {
public:
    explicit Player(std::uint64_t seed) : random_(seed) {}

    int card(const GameState& s, int first) {
        const int n = s.cell_count();
        if (first && random_.next() < 0.5) {
            for (int c = 1; c <= n; ++c)
                if (c != first && s.cell_state[c] == face_down &&
                    s.card_face[c] == s.card_face[first])
                    return c;
        }
        const int start = static_cast<int>(random_.next() * n);
        for (int i = 0; i < n; ++i) {
            const int c = 1 + (start + i) % n;
            if (c != first && s.cell_state[c] == face_down) return c;
        }
        return 0;
    }
    bool too_slow() { return random_.next() < 0.02; }

private:
    RandomGenerator random_;
};

// One game to its end message; returns what went wrong, or an empty string.
std::string play_one(int index, std::uint64_t seed) {
    // A fresh table on the heap for every game, so that anything a game leaves behind shows.
    auto table = std::make_unique<Table>(seed);
    Game& game = table->game;
    FakeView& view = table->view;
    game.choose_players(index % 3 == 0 ? Players::two_people : Players::vs_computer);
    game.choose_memory_level(static_cast<MemoryLevel>(index / 3 % 3));
    game.choose_choice_mode(static_cast<ChoiceMode>(index / 9 % 2));
    game.choose_board_size(6 + 2 * (index % 3));
    game.start_new_game();
    Player player(seed ^ 0x5bd1e995u);

    const GameState& s = game.state();
    for (int step = 0; view.messages.empty(); ++step) {
        if (step > 100000) return "the game did not end";
        if (view.running(GameTimer::com_timer)) {
            game.com_timer_tick();
        } else if (view.running(GameTimer::next_turn)) {
            game.next_turn_tick();
        } else if (view.running(GameTimer::time_over) && player.too_slow()) {
            game.time_over_tick();
        } else {
            const int first = s.cards_turned == 1 ? s.turned_cells[0] : 0;
            table->click(player.card(s, first));
        }
        if (const std::string fault = find_fault(game); !fault.empty()) return fault;
    }
    if (s.pairs_taken != s.cell_count() / 2) return "the game ended with cards on the board";
    return {};
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
