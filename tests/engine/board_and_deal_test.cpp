// Cell numbering, the start-up defaults, window sizes and the deal.
#include <gtest/gtest.h>

#include <map>

#include "computer_player.h"
#include "table.h"

namespace vimbrel::testing {
namespace {

TEST(CellNumbering, RowAndColumnCountFromOne) {
    GameState s;
    struct Case {
        int grid, cell, row, col;
    };
    for (const Case c : {Case{6, 8, 2, 2}, Case{6, 6, 1, 6}, Case{6, 36, 6, 6}, Case{6, 1, 1, 1},
                         Case{10, 100, 10, 10}, Case{8, 9, 2, 1}, Case{8, 64, 8, 8}}) {
        s.grid_size = static_cast<std::int16_t>(c.grid);
        s.cell_to_row_col(c.cell);
        EXPECT_EQ(s.cell_row, c.row) << "cell " << c.cell << " of " << c.grid;
        EXPECT_EQ(s.cell_col, c.col) << "cell " << c.cell << " of " << c.grid;
    }
}

TEST(StartUp, DefaultsAreEightByEightAgainstANormalMemoryComputer) {
    Table t;
    EXPECT_EQ(t.game.settings().board_size, 8);
    EXPECT_EQ(t.game.settings().players, Players::vs_computer);
    EXPECT_EQ(t.game.settings().memory, MemoryLevel::normal);
    EXPECT_EQ(t.game.settings().choice, ChoiceMode::ai_and_memory);
    EXPECT_EQ(t.s().memory_threshold, 300);
    EXPECT_EQ(t.s().initial_forget_rate, 200);
    EXPECT_EQ(t.s().door_delay, 10);
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_FALSE(t.s().first_paint_done);
}

TEST(StartUp, FirstPaintIsTakenOnce) {
    Table t;
    EXPECT_TRUE(t.game.take_first_paint());
    EXPECT_FALSE(t.game.take_first_paint());
    EXPECT_TRUE(t.s().first_paint_done);
}

TEST(Deal, EveryPictureLiesOnFourCellsAtEverySize) {
    for (const int size : {6, 8, 10}) {
        Table t;
        t.view.clock = {37, 41};
        t.game.choose_board_size(size);
        t.game.start_new_game();
        const int n = size * size;
        std::map<int, int> cells_of_face;
        for (int c = 1; c <= n; ++c) {
            EXPECT_EQ(t.s().cell_state[c], face_down);
            ++cells_of_face[t.s().card_face[c]];
        }
        EXPECT_EQ(static_cast<int>(cells_of_face.size()), n / 4) << size;
        for (const auto& [face, count] : cells_of_face) {
            EXPECT_GE(face, 0);
            EXPECT_LT(face, n / 4);
            EXPECT_EQ(count, 4) << "picture " << face << " on a " << size << " board";
        }
    }
}

TEST(Deal, ClockWarmUpDrawsSecondTimesMinutePlusOne) {
    // Warm-up numbers all point at cell 1; the deal proper fills the board backwards from the
    // last cell. A warm-up one draw short or long shifts every picture.
    for (const TimeOfDay clock : {TimeOfDay{0, 17}, TimeOfDay{23, 0}, TimeOfDay{3, 4}}) {
        Table t;
        t.view.clock = clock;
        const int n = 64;
        for (int i = 0; i <= clock.second * clock.minute; ++i)
            t.view.scripted_random.push_back(0.0);
        for (int c = n; c >= 1; --c) t.view.scripted_random.push_back(draw_for_cell(c, n));
        t.game.start_new_game();
        for (int c = 1; c <= n; ++c) EXPECT_EQ(t.s().card_face[c], (n - c) / 4) << c;
        EXPECT_TRUE(t.view.scripted_random.empty());
    }
}

TEST(Deal, DrawsOnDealtCellsAreWasted) {
    Table t;
    t.view.clock = {0, 0};
    const int n = 36;
    t.game.choose_board_size(6);
    t.view.scripted_random = {0.0};
    // Picture 0 hits cell 1 three times before its other cells.
    for (int c : {1, 1, 1, 2, 2, 3, 4}) t.view.scripted_random.push_back(draw_for_cell(c, n));
    for (int c = 5; c <= n; ++c) t.view.scripted_random.push_back(draw_for_cell(c, n));
    t.game.start_new_game();
    for (int c = 1; c <= n; ++c) EXPECT_EQ(t.s().card_face[c], (c - 1) / 4) << c;
}

TEST(Deal, NewGameResetsBoardScoresAndMemory) {
    Table t;
    t.game.choose_players(Players::two_people);
    t.new_ordered_game();
    t.play_turn(1, 2);  // a pair for player 1
    t.play_turn(5, 9);  // a miss: player 2's turn
    t.play_turn(5, 6);  // a pair for player 2
    t.click(9);         // one card open, the clock running
    ASSERT_TRUE(t.view.running(GameTimer::time_over));
    t.new_ordered_game();
    EXPECT_FALSE(t.view.running(GameTimer::time_over));
    EXPECT_EQ(t.s().score[1], 0);
    EXPECT_EQ(t.s().score[2], 0);
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.s().pairs_taken, 0);
    EXPECT_EQ(t.s().round_no, 1);
    EXPECT_EQ(t.s().cards_turned, 0);
    for (int c = 1; c <= 64; ++c) {
        EXPECT_EQ(t.s().cell_state[c], face_down);
        EXPECT_EQ(t.s().memory_strength[c], 0.0f);
        EXPECT_EQ(t.s().forget_rate[c], 200.0f);
        EXPECT_EQ(t.s().candidate[c], -1.0f);
    }
    EXPECT_EQ(t.view.score_label[0], "0");
    EXPECT_EQ(t.view.score_label[1], "0");
    EXPECT_EQ(t.view.round, "1");
    EXPECT_EQ(t.view.status, "1P's turn.");
    EXPECT_TRUE(t.view.show_cards_enabled);
    EXPECT_TRUE(t.view.about_enabled);
}

TEST(RandomCell, StaysOnTheBoardForNumbersJustBelowOne) {
    const double just_below_one = 1.0 - 0x1.0p-53;
    for (const int n : {36, 64, 100}) {
        EXPECT_EQ(random_cell(just_below_one, n), n);
        EXPECT_EQ(random_cell(0.0, n), 1);
        EXPECT_EQ(random_cell(draw_for_cell(n / 2, n), n), n / 2);
    }
    RandomGenerator g(7);
    for (int i = 0; i < 100000; ++i) {
        const double r = g.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST(RandomGenerator, GivesTheStandardMersenneTwistersNumbersScaled) {
    // The standard fixes the 10000th output of the generator seeded with 5489.
    RandomGenerator g(5489);
    for (int i = 1; i < 10000; ++i) g.next();
    EXPECT_EQ(g.next(), static_cast<double>(9981545732273789042ull >> 11) * 0x1.0p-53);
}

}  // namespace
}  // namespace vimbrel::testing
