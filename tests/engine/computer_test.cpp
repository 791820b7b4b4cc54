// The computer's fading memory and its choice of cards, alone and inside a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <tuple>

#include "computer_player.h"
#include "table.h"

namespace vimbrel::testing {
namespace {

GameState fresh_board(int grid, MemoryLevel level) {
    GameState s;
    s.grid_size = static_cast<std::int16_t>(grid);
    const MemoryLevelValues v = memory_level_values(level);
    s.memory_threshold = v.threshold;
    s.initial_forget_rate = v.initial_forget_rate;
    for (int c = 1; c <= s.cell_count(); ++c) {
        s.card_face[c] = static_cast<std::int16_t>((c - 1) / 4);
        s.forget_rate[c] = v.initial_forget_rate;
        s.candidate[c] = -1;
    }
    return s;
}

struct FadeRow {
    MemoryLevel level;
    float rate_after_opening;
    float strengths[4];
    int known_moves;
};

TEST(Memory, ACardSeenOnceFadesAtEachLevel) {
    for (const FadeRow row : {FadeRow{MemoryLevel::good, 135, {730, 460, 190, 0}, 3},
                              FadeRow{MemoryLevel::normal, 180, {640, 280, 0, 0}, 1},
                              FadeRow{MemoryLevel::low, 225, {550, 100, 0, 0}, 1}}) {
        GameState s = fresh_board(8, row.level);
        remember_seen(s, 5);
        EXPECT_FLOAT_EQ(s.forget_rate[5], row.rate_after_opening);
        int known = 0;
        for (const float expected : row.strengths) {
            fade_memory(s);
            EXPECT_FLOAT_EQ(s.memory_strength[5], expected);
            known += is_known(s, 5);
        }
        EXPECT_EQ(known, row.known_moves);
    }
}

TEST(Memory, TwoSightingsLastLongerAndOnePairLeftBarelyFades) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    remember_seen(s, 9);
    remember_seen(s, 9);
    EXPECT_FLOAT_EQ(s.memory_strength[9], 2000);
    EXPECT_FLOAT_EQ(s.forget_rate[9], 162);
    fade_memory(s);
    EXPECT_FLOAT_EQ(s.memory_strength[9], 1676);
    fade_memory(s);
    EXPECT_FLOAT_EQ(s.memory_strength[9], 1352);

    GameState late = fresh_board(8, MemoryLevel::normal);
    late.pairs_taken = 31;  // one pair left: f = 1/32
    remember_seen(late, 1);
    fade_memory(late);
    EXPECT_FLOAT_EQ(late.memory_strength[1], 1000 - 180 - 180.0 / 32);
}

TEST(Memory, RemovedCardsAreForgottenForGood) {
    GameState s = fresh_board(6, MemoryLevel::good);
    remember_seen(s, 3);
    forget_removed(s, 3);
    EXPECT_EQ(s.memory_strength[3], 0.0f);
    EXPECT_FLOAT_EQ(s.forget_rate[3], 135);
    for (int i = 0; i < 5; ++i) fade_memory(s);
    EXPECT_EQ(s.memory_strength[3], 0.0f);
    EXPECT_FALSE(is_known(s, 3));
}

TEST(Memory, KnownMeansStrictlyAboveTheThreshold) {
    GameState s = fresh_board(6, MemoryLevel::normal);
    s.memory_strength[1] = 300;
    s.memory_strength[2] = 300.5f;
    EXPECT_FALSE(is_known(s, 1));
    EXPECT_TRUE(is_known(s, 2));
}

// A view whose random numbers are these, for a move that must draw exactly them.
FakeView scripted(std::deque<double> numbers) {
    FakeView view;
    view.scripted_random = std::move(numbers);
    return view;
}

TEST(Choice, ARememberedPairComesFirstInScanOrder) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    for (const int c : {6, 8, 2, 4}) s.memory_strength[c] = 2000;  // faces 1, 1, 0, 0
    FakeView view;
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::ai_and_memory, view);
    EXPECT_EQ(view.random_calls, 0);
    EXPECT_EQ(choice.first, 2);
    EXPECT_EQ(choice.second, 4);
    EXPECT_TRUE(choice.pair_found);
}

// The computer's move written out step by step, as plainly as it can be, to check the engine's
// against.
ComputerChoice reference_move(GameState& s, ChoiceMode mode,
                              const std::function<double()>& random) {
    const int n = s.cell_count();
    const double p = n / 2.0, f = (p - s.pairs_taken) / p;
    for (int c = 1; c <= n; ++c) {
        float m =
            static_cast<float>(s.memory_strength[c] - s.forget_rate[c] - f * s.forget_rate[c]);
        s.memory_strength[c] = m < 0 ? 0 : m;
    }
    const auto known = [&](int c) { return s.memory_strength[c] > s.memory_threshold; };
    for (int a = 1; a <= n; ++a) {
        if (!known(a)) continue;
        for (int b = a + 1; b <= n; ++b) {
            if (known(b) && s.card_face[a] == s.card_face[b]) return {a, b, true};
        }
    }
    const auto mark = [&] {
        float m = 0;
        for (int c = 1; c <= n; ++c) {
            if (s.cell_state[c] == face_down && s.forget_rate[c] > m) m = s.forget_rate[c];
        }
        for (int c = 1; c <= n; ++c) s.candidate[c] = s.forget_rate[c] == m ? -1.0f : 0.0f;
    };
    const bool ai = mode == ChoiceMode::ai_and_memory;
    if (ai) mark();
    int first;
    do {
        first = random_cell(random(), n);
    } while (!(s.cell_state[first] == face_down && s.candidate[first] != 0));
    s.cell_state[first] = face_up;
    for (int b = 1; b <= n; ++b) {
        if (known(b) && s.card_face[first] == s.card_face[b] && b != first) return {first, b, true};
    }
    if (ai) mark();
    int second;
    do {
        second = random_cell(random(), n);
    } while (!(s.cell_state[second] == face_down && second != first && s.candidate[second] != 0));
    return {first, second, s.card_face[first] == s.card_face[second]};
}

TEST(Choice, MatchesTheStepByStepMoveOnRandomBoards) {
    RandomGenerator g(11);
    int pairs_from_memory = 0, guesses = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const int grid = 6 + 2 * (trial % 3);
        GameState s = fresh_board(grid, static_cast<MemoryLevel>(trial / 3 % 3));
        const int n = grid * grid;
        // Shuffle the pictures, take some pairs away, and give the rest a history of sightings.
        for (int c = n; c > 1; --c)
            std::swap(s.card_face[c], s.card_face[1 + static_cast<int>(g.next() * c)]);
        const double gone = g.next() * 0.9;
        for (int face = 0; face < n / 4; ++face) {
            for (int half = 0; half < 2; ++half) {
                if (g.next() >= gone) continue;
                int taken = 0;
                for (int c = 1; c <= n && taken < 2; ++c) {
                    if (s.card_face[c] == face && s.cell_state[c] == face_down) {
                        s.cell_state[c] = removed;
                        ++taken;
                    }
                }
                ++s.pairs_taken;
            }
        }
        int face_down_left = 0;
        for (int c = 1; c <= n; ++c) {
            if (s.cell_state[c] != face_down) continue;
            ++face_down_left;
            const int seen = g.next() < 0.7 ? 0 : 1 + static_cast<int>(g.next() * 3);
            for (int i = 0; i < seen; ++i) remember_seen(s, c);
            s.memory_strength[c] *= static_cast<float>(g.next());
        }
        if (face_down_left < 2) continue;
        const auto mode = static_cast<ChoiceMode>(trial % 2);
        if (g.next() < 0.3) {
            for (int c = 1; c <= n; ++c) s.candidate[c] = g.next() < 0.5 ? -1.0f : 0.0f;
            if (mode == ChoiceMode::memory_only) s.candidate.fill(-1.0f);
        }

        GameState expected_state = s;
        RandomGenerator a(trial);
        int expected_draws = 0;
        const ComputerChoice expected = reference_move(expected_state, mode, [&] {
            ++expected_draws;
            return a.next();
        });
        FakeView view(trial);  // the same numbers as `a`
        const ComputerChoice choice = choose_computer_move(s, mode, view);
        ASSERT_EQ(std::tie(choice.first, choice.second, choice.pair_found),
                  std::tie(expected.first, expected.second, expected.pair_found))
            << "trial " << trial;
        ASSERT_EQ(view.random_calls, expected_draws) << "trial " << trial;
        ASSERT_EQ(s.memory_strength, expected_state.memory_strength) << "trial " << trial;
        ASSERT_EQ(s.candidate, expected_state.candidate) << "trial " << trial;
        ASSERT_EQ(s.cell_state, expected_state.cell_state) << "trial " << trial;
        (choice.pair_found ? pairs_from_memory : guesses) += 1;
    }
    EXPECT_GT(pairs_from_memory, 1000);  // the boards exercise both branches
    EXPECT_GT(guesses, 1000);
}

TEST(Choice, ARandomCardIsCompletedFromMemory) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    s.memory_strength[7] = 2000;  // face 1, known
    s.memory_strength[9] = 2000;  // face 2, known, no partner known
    FakeView view = scripted({draw_for_cell(5, 64)});
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::memory_only, view);
    EXPECT_EQ(view.random_calls, 1);
    EXPECT_EQ(choice.first, 5);
    EXPECT_EQ(choice.second, 7);
    EXPECT_TRUE(choice.pair_found);
    EXPECT_EQ(s.cell_state[5], face_up);
}

TEST(Choice, AiPrefersTheLeastSeenCards) {
    // After the person's first miss (cells 1 and 5 seen once), the computer's random picks avoid
    // them: draws on 1 and 5 are retried.
    GameState s = fresh_board(8, MemoryLevel::normal);
    remember_seen(s, 1);
    remember_seen(s, 5);
    FakeView view = scripted({draw_for_cell(1, 64), draw_for_cell(5, 64), draw_for_cell(10, 64),
                              draw_for_cell(5, 64), draw_for_cell(10, 64), draw_for_cell(20, 64)});
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::ai_and_memory, view);
    EXPECT_EQ(view.random_calls, 6);
    EXPECT_EQ(choice.first, 10);
    EXPECT_EQ(choice.second, 20);
    EXPECT_FALSE(choice.pair_found);
    EXPECT_EQ(s.candidate[1], 0.0f);
    EXPECT_EQ(s.candidate[10], -1.0f);
    EXPECT_FLOAT_EQ(s.memory_strength[1], 640);
}

TEST(Choice, MemoryOnlyPicksAnyFaceDownCardAndALuckyGuessIsAPair) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    FakeView view = scripted({draw_for_cell(1, 64), draw_for_cell(1, 64), draw_for_cell(3, 64)});
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::memory_only, view);
    EXPECT_EQ(view.random_calls, 3);
    EXPECT_EQ(choice.first, 1);
    EXPECT_EQ(choice.second, 3);
    EXPECT_TRUE(choice.pair_found);
}

TEST(Choice, NeverPicksRemovedOrOpenCells) {
    GameState s = fresh_board(6, MemoryLevel::low);
    for (int c = 1; c <= 34; ++c) s.cell_state[c] = removed;
    s.pairs_taken = 17;
    FakeView view(3);
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::ai_and_memory, view);
    EXPECT_EQ(std::set<int>({choice.first, choice.second}), std::set<int>({35, 36}));
    EXPECT_TRUE(choice.pair_found);
}

class ComputerTurn : public ::testing::Test {
protected:
    void SetUp() override { t.new_ordered_game(); }
    Table t;
};

TEST_F(ComputerTurn, AMissShowsThinkingThenHandsBackWithANewRound) {
    t.view.scripted_random = {draw_for_cell(10, 64), draw_for_cell(20, 64)};
    t.play_turn(1, 5);
    EXPECT_EQ(t.view.status, "Computer thinking...");
    EXPECT_TRUE(t.view.busy);
    EXPECT_EQ(t.s().com_first, 10);
    EXPECT_EQ(t.s().com_second, 20);
    EXPECT_FALSE(t.s().com_pair_found);
    EXPECT_EQ(t.s().cell_state[10], face_up);
    EXPECT_EQ(t.s().cell_state[20], face_up);
    EXPECT_TRUE(t.view.running(GameTimer::com_timer));
    EXPECT_FALSE(t.view.show_cards_enabled);
    t.click(30);  // the board is locked during the computer's turn
    EXPECT_EQ(t.s().cell_state[30], face_down);

    t.game.com_timer_tick();
    EXPECT_EQ(t.s().cell_state[10], face_down);
    EXPECT_EQ(t.s().cell_state[20], face_down);
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.s().round_no, 2);
    EXPECT_EQ(t.view.round, "2");
    EXPECT_EQ(t.view.status, "Your turn.");
    EXPECT_FALSE(t.view.busy);
    EXPECT_EQ(t.s().cards_turned, 0);
    EXPECT_TRUE(t.view.show_cards_enabled);
    EXPECT_TRUE(t.view.about_enabled);
}

TEST_F(ComputerTurn, APairScoresForTheComputerAndItMovesAgain) {
    // The person shows the computer cells 1 and 5; its random first card 2 matches 1.
    t.view.scripted_random = {draw_for_cell(2, 64), draw_for_cell(30, 64), draw_for_cell(40, 64)};
    t.play_turn(1, 5);
    EXPECT_EQ(t.s().com_first, 2);
    EXPECT_EQ(t.s().com_second, 1);
    EXPECT_TRUE(t.s().com_pair_found);
    t.game.com_timer_tick();
    EXPECT_EQ(t.s().score[2], 10);
    EXPECT_EQ(t.view.score_label[1], "10");
    EXPECT_EQ(t.s().cell_state[1], removed);
    EXPECT_EQ(t.s().cell_state[2], removed);
    // It moved again at once, with no remembered pair (cell 5 faded below the threshold).
    EXPECT_EQ(t.s().com_first, 30);
    EXPECT_EQ(t.s().com_second, 40);
    EXPECT_TRUE(t.view.running(GameTimer::com_timer));
    EXPECT_TRUE(t.view.busy);
    EXPECT_EQ(t.s().current_player, 2);
    EXPECT_EQ(t.s().round_no, 1);
}

TEST_F(ComputerTurn, ChoiceModeChangesTakeEffectAtTheNextMove) {
    t.game.choose_choice_mode(ChoiceMode::memory_only);
    // Without the least-seen preference the computer may turn the person's cell 5 again; with it,
    // that draw would have been retried and cell 20 would have come first.
    t.view.scripted_random = {draw_for_cell(5, 64), draw_for_cell(20, 64)};
    t.play_turn(1, 5);
    EXPECT_EQ(t.s().com_first, 5);
    EXPECT_EQ(t.s().com_second, 20);
}

}  // namespace
}  // namespace vimbrel::testing
