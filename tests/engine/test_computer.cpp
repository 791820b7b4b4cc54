// The computer's fading memory and its choice of cards, alone and inside a game.
#include <gtest/gtest.h>

#include <set>

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

std::function<double()> script(std::deque<double> numbers) {
    return [q = std::make_shared<std::deque<double>>(std::move(numbers))] {
        if (q->empty()) throw std::runtime_error("random numbers exhausted");
        const double r = q->front();
        q->pop_front();
        return r;
    };
}

TEST(Choice, ARememberedPairComesFirstInScanOrder) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    for (const int c : {6, 8, 2, 4}) s.memory_strength[c] = 2000;  // faces 1, 1, 0, 0
    const ComputerChoice choice = choose_computer_move(s, ChoiceMode::ai_and_memory, script({}));
    EXPECT_EQ(choice.first, 2);
    EXPECT_EQ(choice.second, 4);
    EXPECT_TRUE(choice.pair_found);
}

TEST(Choice, RememberedPairMatchesAPlainScanOnRandomMemories) {
    RandomGenerator g(11);
    for (int trial = 0; trial < 3000; ++trial) {
        GameState s = fresh_board(10, MemoryLevel::normal);
        // Shuffle the pictures so that pairs of known cells turn up in any order.
        for (int c = 100; c > 1; --c) {
            std::swap(s.card_face[c], s.card_face[1 + static_cast<int>(g.next() * c)]);
        }
        for (int c = 1; c <= 100; ++c) {
            if (g.next() < 0.15) s.memory_strength[c] = 1000 + static_cast<float>(g.next() * 500);
        }
        GameState faded = s;
        fade_memory(faded);
        std::pair<int, int> expected{0, 0};
        for (int a = 1; a <= 100 && !expected.first; ++a) {
            for (int b = a + 1; b <= 100 && is_known(faded, a); ++b) {
                if (is_known(faded, b) && faded.card_face[a] == faded.card_face[b]) {
                    expected = {a, b};
                    break;
                }
            }
        }
        if (!expected.first) continue;
        const ComputerChoice choice = choose_computer_move(s, ChoiceMode::ai_and_memory, script({}));
        ASSERT_EQ(std::pair(choice.first, choice.second), expected) << "trial " << trial;
    }
}

TEST(Choice, ARandomCardIsCompletedFromMemory) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    s.memory_strength[7] = 2000;  // face 1, known
    s.memory_strength[9] = 2000;  // face 2, known, no partner known
    const ComputerChoice choice =
        choose_computer_move(s, ChoiceMode::memory_only, script({draw_for_cell(5, 64)}));
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
    const ComputerChoice choice = choose_computer_move(
        s, ChoiceMode::ai_and_memory,
        script({draw_for_cell(1, 64), draw_for_cell(5, 64), draw_for_cell(10, 64),
                draw_for_cell(5, 64), draw_for_cell(10, 64), draw_for_cell(20, 64)}));
    EXPECT_EQ(choice.first, 10);
    EXPECT_EQ(choice.second, 20);
    EXPECT_FALSE(choice.pair_found);
    EXPECT_EQ(s.candidate[1], 0.0f);
    EXPECT_EQ(s.candidate[10], -1.0f);
    EXPECT_FLOAT_EQ(s.memory_strength[1], 640);
}

TEST(Choice, MemoryOnlyPicksAnyFaceDownCardAndALuckyGuessIsAPair) {
    GameState s = fresh_board(8, MemoryLevel::normal);
    const ComputerChoice choice = choose_computer_move(
        s, ChoiceMode::memory_only, script({draw_for_cell(1, 64), draw_for_cell(1, 64),
                                            draw_for_cell(3, 64)}));
    EXPECT_EQ(choice.first, 1);
    EXPECT_EQ(choice.second, 3);
    EXPECT_TRUE(choice.pair_found);
}

TEST(Choice, NeverPicksRemovedOrOpenCells) {
    GameState s = fresh_board(6, MemoryLevel::low);
    for (int c = 1; c <= 34; ++c) s.cell_state[c] = removed;
    s.pairs_taken = 17;
    RandomGenerator g(3);
    const ComputerChoice choice =
        choose_computer_move(s, ChoiceMode::ai_and_memory, [&] { return g.next(); });
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
