// Thousands of seeded games with random clicks and ticks in any order, checked after every event.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cell_search.h"
#include "invariants.h"
#include "table.h"

namespace vimbrel::testing {
namespace {

// Plays one game to its end with a random person (or two) at the mouse, firing timers as a
// clock would but also out of turn, and checks the game's invariants after every event.
class RandomGame {
public:
    RandomGame(std::uint64_t seed, Players players, int size, MemoryLevel level, ChoiceMode mode)
        : seed_(seed), rng_(seed ^ 0x9e3779b97f4a7c15ull), t_(seed) {
        t_.view.clock = {static_cast<int>(seed % 60), static_cast<int>(seed / 60 % 60)};
        t_.game.choose_players(players);
        t_.game.choose_memory_level(level);
        t_.game.choose_choice_mode(mode);
        t_.game.choose_board_size(size);
        t_.game.start_new_game();
    }

    void play() {
        const GameState& s = t_.game.state();
        for (int step = 0; step < 200000 && t_.view.messages.empty(); ++step) {
            const double roll = rng_.next();
            if (roll < 0.02) {
                fire(static_cast<GameTimer>(step % 3));  // a tick out of turn is ignored
            } else if (const auto timer = t_.driver.running_timer()) {
                // A person is fast enough most of the time, but not always.
                if (s.cards_turned == 1 && *timer == GameTimer::time_over && roll > 0.05) {
                    click_a_card();
                } else {
                    fire(*timer);
                }
            } else if (roll < 0.05) {
                t_.game.pick(static_cast<int>(rng_.next() * 400) - 50,
                             static_cast<int>(rng_.next() * 400) - 50);  // anywhere, off-board too
            } else {
                click_a_card();
            }
            check();
            if (::testing::Test::HasFatalFailure()) return;
        }
        ASSERT_EQ(t_.view.messages.size(), 1u) << "seed " << seed_ << ": the game did not end";
        ASSERT_EQ(t_.driver.end_fault(), "") << "seed " << seed_;
        // Nothing more happens after the end.
        t_.game.time_over_tick();
        t_.game.next_turn_tick();
        t_.game.com_timer_tick();
        click_a_card();
        ASSERT_EQ(t_.view.messages.size(), 1u) << "seed " << seed_;
    }

private:
    void fire(GameTimer timer) {
        const GameState& s = t_.game.state();
        const bool was_running = t_.view.running(timer);
        const int player = s.current_player;
        const int pairs_before = s.pairs_taken;
        t_.driver.fire(timer);
        // The computer's tick may take a pair and then move again: it counts all it took.
        if (timer == GameTimer::time_over && was_running) ++time_overs_[player];
        if (timer == GameTimer::next_turn) pairs_[player] += s.pairs_taken - pairs_before;
        if (timer == GameTimer::com_timer) pairs_[2] += s.pairs_taken - pairs_before;
    }

    // Usually a face-down card; now and then the partner of the open one, so games end.
    void click_a_card() {
        const GameState& s = t_.game.state();
        const int cells = s.cell_count();
        if (s.cards_turned == 1 && rng_.next() < 0.3) {
            if (const int partner = headless::face_down_partner(s, s.turned_cells[0])) {
                t_.click(partner);
                return;
            }
        }
        t_.click(1 + static_cast<int>(rng_.next() * cells));
    }

    // The rules of any game's state, then what this game's history adds: the scores from the
    // pairs and time-overs counted here, and what the view shows.
    void check() {
        const std::string fault = find_fault(t_.game);
        ASSERT_TRUE(fault.empty()) << "seed " << seed_ << ": " << fault;
        const GameState& s = t_.game.state();
        for (int p = 1; p <= 2; ++p) {
            ASSERT_EQ(s.score[p], 10 * pairs_[p] - 5 * time_overs_[p])
                << "seed " << seed_ << ", player " << p;
            ASSERT_EQ(t_.view.score_label[p - 1], std::to_string(s.score[p])) << "seed " << seed_;
        }
        ASSERT_EQ(t_.view.round, std::to_string(s.round_no)) << "seed " << seed_;
        ASSERT_EQ(t_.view.show_cards_enabled, s.cards_turned == 0 && t_.view.messages.empty())
            << "seed " << seed_;
        ASSERT_EQ(t_.view.about_enabled, s.cards_turned == 0 || !t_.view.messages.empty())
            << "seed " << seed_;
        ASSERT_EQ(t_.driver.view_fault(), "") << "seed " << seed_;
    }

    std::uint64_t seed_;
    RandomGenerator rng_;
    Table t_;
    int pairs_[3] = {0, 0, 0};
    int time_overs_[3] = {0, 0, 0};
};

// 10,000 games, or VIMBREL_RANDOM_GAMES: the sanitizer build, many times slower, plays fewer
// (its test preset sets it), and a longer run by hand can play more.
std::uint64_t random_game_count() {
    const char* text = std::getenv("VIMBREL_RANDOM_GAMES");
    if (text == nullptr) return 10000;
    try {
        return std::stoull(text);
    } catch (const std::exception&) {
        ADD_FAILURE() << "VIMBREL_RANDOM_GAMES is not a count: " << text;
        return 0;
    }
}

// The games are dealt round-robin to four tests, so that a parallel test run plays them at once.
constexpr std::uint64_t kShares = 4;
class RandomGames : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RandomGames, SeededGamesKeepEveryInvariant) {
    const std::uint64_t base = 20261207;
    const std::uint64_t count = random_game_count();
    for (std::uint64_t i = GetParam(); i < count; i += kShares) {
        const std::uint64_t seed = base + i;
        const Players players = i % 3 == 0 ? Players::two_people : Players::vs_computer;
        const int size = 6 + 2 * static_cast<int>(i / 3 % 3);
        const auto level = static_cast<MemoryLevel>(i / 9 % 3);
        const auto mode = static_cast<ChoiceMode>(i / 27 % 2);
        RandomGame game(seed, players, size, level, mode);
        game.play();
        if (::testing::Test::HasFatalFailure()) {
            FAIL() << "first failing seed " << seed;
        }
    }
}

// Each state below breaks one rule and must be reported by that rule's own text, so that a check
// weakened into another (or into none) shows. The states are written into a dealt 8x8 game, whose
// picture f lies on cells 4f+1 .. 4f+4, after the clicks each row names.
TEST(Invariants, EachBrokenStateIsReported) {
    struct Case {
        std::vector<int> clicks;
        void (*breaks)(GameState&);
        std::string fault;
    };
    const Case cases[] = {
        {{}, [](GameState& s) { s.grid_size = 7; }, "bad grid size"},
        {{}, [](GameState& s) { s.current_player = 3; }, "bad current player"},
        {{}, [](GameState& s) { s.current_player = 0; }, "bad current player"},
        {{}, [](GameState& s) { s.cards_turned = 3; }, "bad cards_turned"},
        {{}, [](GameState& s) { s.cards_turned = -1; }, "bad cards_turned"},
        {{}, [](GameState& s) { s.card_face[5] = 16; }, "bad picture at cell 5"},
        {{}, [](GameState& s) { s.card_face[5] = -1; }, "bad picture at cell 5"},
        {{}, [](GameState& s) { s.cell_state[5] = removed + 1; }, "bad cell state at cell 5"},
        {{}, [](GameState& s) { s.cell_state[5] = -1; }, "bad cell state at cell 5"},
        {{}, [](GameState& s) { s.memory_strength[5] = -1; }, "negative memory at cell 5"},
        {{}, [](GameState& s) { s.forget_rate[5] = 0; }, "forget rate not positive at cell 5"},
        {{},
         [](GameState& s) {
             s.cell_state[5] = removed;
             s.memory_strength[5] = 1;
         },
         "a removed card is remembered at cell 5"},
        {{}, [](GameState& s) { s.card_face[1] = 1; }, "picture 0 is not on four cells"},
        {{}, [](GameState& s) { s.pairs_taken = 33; }, "bad pair count"},
        {{}, [](GameState& s) { s.pairs_taken = -1; }, "bad pair count"},
        {{}, [](GameState& s) { s.pairs_taken = 1; }, "removed cards do not match the pairs taken"},
        {{},
         [](GameState& s) {
             for (int c : {1, 5, 9}) s.cell_state[c] = face_up;
         },
         "more than two cards face up"},
        {{}, [](GameState& s) { s.cell_state[5] = face_up; }, "Show Cards enabled during a turn"},
        {{1},
         [](GameState& s) { s.turned_cells[0] = 5; },
         "one card turned but not the one face up"},
        {{1},
         [](GameState& s) { s.cell_state[5] = face_up; },
         "one card turned but not the one face up"},
        // Two cards of different pictures are open and waiting to close: no time limit runs.
        {{1, 5},
         [](GameState& s) {
             s.cards_turned = 1;
             s.cell_state[5] = face_down;
         },
         "one card open and no time limit"},
        {{}, [](GameState& s) { s.score[1] = 7; }, "a score not in fives"},
        {{}, [](GameState& s) { s.score[2] = 3; }, "a score not in fives"},
    };
    for (const Case& c : cases) {
        Table t;
        t.new_ordered_game();
        for (const int cell : c.clicks) t.click(cell);
        ASSERT_EQ(find_fault(t.game), "") << c.fault;
        // The game lets no caller write its state; the test breaks it on purpose.
        c.breaks(const_cast<GameState&>(t.game.state()));
        EXPECT_EQ(find_fault(t.game), c.fault);
    }
}

INSTANTIATE_TEST_SUITE_P(, RandomGames, ::testing::Range<std::uint64_t>(0, kShares));

}  // namespace
}  // namespace vimbrel::testing
