// The settings' guards and effects, Show Cards, the start dialog's choices and the game speed.
#include <gtest/gtest.h>

#include "table.h"

namespace vimbrel::testing {
namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override { t.new_ordered_game(); }
    Table t;
};

TEST_F(Settings, ChoosingTheCurrentValueChangesNothing) {
    t.play_turn(1, 2);  // a game in progress with a score
    const int redraws = t.view.redraws;
    EXPECT_FALSE(t.game.choose_board_size(8));
    EXPECT_FALSE(t.game.choose_players(Players::vs_computer));
    EXPECT_FALSE(t.game.choose_memory_level(MemoryLevel::normal));
    EXPECT_FALSE(t.game.choose_choice_mode(ChoiceMode::ai_and_memory));
    EXPECT_EQ(t.view.redraws, redraws);
    EXPECT_EQ(t.s().score[1], 10);
    EXPECT_EQ(t.s().cell_state[1], removed);
}

TEST_F(Settings, BoardSizeStartsANewGameAtOnce) {
    t.click(1);
    EXPECT_TRUE(t.game.choose_board_size(6));
    EXPECT_EQ(t.s().grid_size, 6);
    EXPECT_EQ(t.s().cards_turned, 0);
    EXPECT_FALSE(t.view.running(GameTimer::time_over));
    for (int c = 1; c <= 36; ++c) EXPECT_EQ(t.s().cell_state[c], face_down);
    for (const int size : {0, 7, 12}) EXPECT_FALSE(t.game.choose_board_size(size)) << size;
    EXPECT_EQ(t.game.settings().board_size, 6);
}

TEST_F(Settings, PlayersRenameThePanelAndStartANewGame) {
    t.play_turn(1, 2);
    const int redraws = t.view.redraws;
    EXPECT_TRUE(t.game.choose_players(Players::two_people));
    EXPECT_EQ(t.view.name_label[0], "Player 1");
    EXPECT_EQ(t.view.name_label[1], "Player 2");
    EXPECT_EQ(t.view.status, "1P's turn.");
    EXPECT_EQ(t.view.redraws, redraws + 1);
    EXPECT_EQ(t.s().score[1], 0);
    EXPECT_TRUE(t.game.choose_players(Players::vs_computer));
    EXPECT_EQ(t.view.name_label[0], "You");
    EXPECT_EQ(t.view.name_label[1], "Computer");
    EXPECT_EQ(t.view.status, "Your turn.");
}

TEST_F(Settings, MemoryLevelSetsThresholdAndRateOfTheNewDeal) {
    EXPECT_TRUE(t.game.choose_memory_level(MemoryLevel::low));
    EXPECT_EQ(t.s().memory_threshold, 500);
    EXPECT_EQ(t.s().initial_forget_rate, 250);
    for (int c = 1; c <= 64; ++c) EXPECT_EQ(t.s().forget_rate[c], 250.0f);
    EXPECT_TRUE(t.game.choose_memory_level(MemoryLevel::good));
    EXPECT_EQ(t.s().memory_threshold, 100);
    EXPECT_EQ(t.s().forget_rate[64], 150.0f);
}

TEST_F(Settings, MemoryOnlyResetsCandidatesWithoutANewGame) {
    // A computer move with the least-seen preference bars the person's cells, the last one too.
    t.play_turn(1, 64);
    t.game.com_timer_tick();
    ASSERT_EQ(t.s().candidate[1], 0.0f);
    ASSERT_EQ(t.s().candidate[64], 0.0f);
    const int redraws = t.view.redraws;
    EXPECT_TRUE(t.game.choose_choice_mode(ChoiceMode::memory_only));
    EXPECT_EQ(t.view.redraws, redraws);
    for (int c = 1; c <= 64; ++c) EXPECT_EQ(t.s().candidate[c], -1.0f) << c;
    EXPECT_EQ(t.s().round_no, 2);

    // Choosing it again while checked must not touch the candidates.
    GameState before = t.s();
    t.play_turn(9, 13);  // faces 2 and 3: a miss; the computer moves without recomputing
    t.game.com_timer_tick();
    before = t.s();
    EXPECT_FALSE(t.game.choose_choice_mode(ChoiceMode::memory_only));
    EXPECT_TRUE(t.game.choose_choice_mode(ChoiceMode::ai_and_memory));
    EXPECT_EQ(t.s().candidate, before.candidate);  // ai_on writes nothing
}

TEST_F(Settings, ShowCardsRevealsOnlyFaceDownCardsAndLocksTheBoard) {
    t.play_turn(1, 2);
    const GameState before = t.s();
    const int busy_changes = t.view.busy_changes;
    t.game.show_cards();
    EXPECT_EQ(t.view.reveals.size(), 62u);
    EXPECT_EQ(t.view.reveals.front().row, 1);
    EXPECT_EQ(t.view.reveals.front().col, 3);
    EXPECT_EQ(t.view.reveals.front().face, 0);
    EXPECT_EQ(t.s().cell_state[1], removed);
    for (int c = 3; c <= 64; ++c) EXPECT_EQ(t.s().cell_state[c], face_up);
    EXPECT_EQ(t.s().memory_strength, before.memory_strength);
    EXPECT_EQ(t.s().forget_rate, before.forget_rate);
    EXPECT_EQ(t.s().score, before.score);
    EXPECT_FALSE(t.view.show_cards_enabled);
    EXPECT_TRUE(t.view.about_enabled);
    EXPECT_FALSE(t.view.busy);
    EXPECT_EQ(t.view.busy_changes, busy_changes + 2);  // the hourglass while the cards are drawn
    for (const bool on : t.view.timer_on) EXPECT_FALSE(on);
    t.click(10);
    EXPECT_EQ(t.s().cards_turned, 0);
}

TEST_F(Settings, ShowCardsIsRefusedDuringATurn) {
    t.click(1);
    t.game.show_cards();
    EXPECT_TRUE(t.view.reveals.empty());
    EXPECT_EQ(t.s().cell_state[2], face_down);
}

TEST_F(Settings, StartDialogChoicesAlwaysApplyAndKeepTheComputerSettings) {
    t.game.choose_memory_level(MemoryLevel::good);
    t.game.choose_board_size(10);
    t.game.apply_start_choices(Players::two_people, 6);
    EXPECT_EQ(t.game.settings().players, Players::two_people);
    EXPECT_EQ(t.game.settings().board_size, 6);
    EXPECT_EQ(t.s().grid_size, 10);  // until the new game
    EXPECT_EQ(t.view.name_label[0], "Player 1");
    t.game.start_new_game();
    EXPECT_EQ(t.s().grid_size, 6);
    EXPECT_EQ(t.game.settings().memory, MemoryLevel::good);
    EXPECT_EQ(t.s().memory_threshold, 100);
    EXPECT_EQ(t.view.status, "1P's turn.");
    // Each of the dialog's three sizes deals a board of that size.
    for (const int size : {8, 10, 6}) {
        t.game.apply_start_choices(Players::two_people, size);
        t.game.start_new_game();
        EXPECT_EQ(t.s().grid_size, size);
    }
    // Any other size is taken as the largest.
    for (const int size : {0, 7}) {
        t.game.apply_start_choices(Players::two_people, size);
        t.game.start_new_game();
        EXPECT_EQ(t.s().grid_size, 10) << size;
    }
}

TEST_F(Settings, GameSpeedReachesTheNextAnimation) {
    t.game.set_door_delay(0);
    t.click(1);
    EXPECT_EQ(t.view.animations.back().door_delay, 0);
    t.game.set_door_delay(100);
    t.click(2);
    EXPECT_EQ(t.view.animations.back().door_delay, 100);
    t.game.set_door_delay(1000);
    EXPECT_EQ(t.s().door_delay, 100);
}

}  // namespace
}  // namespace vimbrel::testing

namespace vimbrel::testing {
namespace {

TEST(BeforeTheFirstDeal, ClicksAndShowCardsDoNothing) {
    Table t;  // the window is up, the start dialog not yet answered
    t.click(1);
    t.game.show_cards();
    EXPECT_TRUE(t.view.animations.empty());
    EXPECT_TRUE(t.view.reveals.empty());
    EXPECT_EQ(t.s().cell_state[1], face_down);
    for (const bool on : t.view.timer_on) EXPECT_FALSE(on);
}

}  // namespace
}  // namespace vimbrel::testing
