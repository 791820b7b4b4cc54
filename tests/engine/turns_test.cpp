// Picking by pixel, judging, the time limit, hand-over, rounds and the end of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "table.h"

namespace vimbrel::testing {
namespace {

class Turns : public ::testing::Test {
protected:
    void SetUp() override { t.new_ordered_game(); }
    void two_players() {
        t.game.choose_players(Players::two_people);
        t.new_ordered_game();
    }
    Table t;
};

TEST_F(Turns, ClicksOffTheBoardAreIgnoredAndEdgesPickTheRightCell) {
    for (const auto& [x, y] : {std::pair{256, 10}, {10, 256}, {-1, 10}, {10, -1}, {5000, 5000}}) {
        t.game.pick(x, y);
        EXPECT_EQ(t.s().cards_turned, 0) << x << "," << y;
    }
    EXPECT_TRUE(t.view.animations.empty());
    EXPECT_TRUE(t.view.show_cards_enabled);
    t.game.pick(0, 255);  // first column, last row
    EXPECT_EQ(t.s().turned_cells[0], 57);
    t.game.pick(255, 0);  // last column, first row
    EXPECT_EQ(t.s().turned_cells[1], 8);
}

TEST_F(Turns, FirstCardOpensAndStartsTheClock) {
    t.click(10);
    EXPECT_EQ(t.s().cell_state[10], face_up);
    EXPECT_EQ(t.s().cards_turned, 1);
    ASSERT_EQ(t.view.animations.size(), 1u);
    const Animation& a = t.view.animations[0];
    EXPECT_EQ(a.motion, CardMotion::open);
    EXPECT_EQ(a.row, 2);
    EXPECT_EQ(a.col, 2);
    EXPECT_EQ(a.face, 2);
    EXPECT_EQ(a.door_delay, 10);
    EXPECT_TRUE(t.view.running(GameTimer::time_over));
    EXPECT_FALSE(t.view.show_cards_enabled);
    EXPECT_FALSE(t.view.about_enabled);
    EXPECT_EQ(t.s().memory_strength[10], 1000.0f);
    EXPECT_FLOAT_EQ(t.s().forget_rate[10], 180.0f);
}

TEST_F(Turns, ClickingTheOpenCardAgainDoesNothing) {
    t.click(10);
    t.click(10);
    EXPECT_EQ(t.s().cards_turned, 1);
    EXPECT_EQ(t.view.animations.size(), 1u);
    EXPECT_TRUE(t.view.running(GameTimer::time_over));
}

TEST_F(Turns, SecondCardStopsTheClockAndAThirdIsIgnored) {
    t.click(1);
    t.click(5);
    EXPECT_FALSE(t.view.running(GameTimer::time_over));
    EXPECT_TRUE(t.view.running(GameTimer::next_turn));
    EXPECT_EQ(t.s().cards_turned, 2);
    t.click(9);
    EXPECT_EQ(t.s().cell_state[9], face_down);
    EXPECT_EQ(t.view.animations.size(), 2u);
}

TEST_F(Turns, APairScoresAndTheSamePlayerGoesOn) {
    t.play_turn(1, 3);
    EXPECT_EQ(t.s().cell_state[1], removed);
    EXPECT_EQ(t.s().cell_state[3], removed);
    EXPECT_EQ(t.s().memory_strength[1], 0.0f);
    EXPECT_EQ(t.s().score[1], 10);
    EXPECT_EQ(t.view.score_label[0], "10");
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.s().cards_turned, 0);
    EXPECT_EQ(t.s().round_no, 1);
    EXPECT_TRUE(t.view.show_cards_enabled);
    EXPECT_FALSE(t.view.running(GameTimer::time_over));  // not timed until the next first card
    EXPECT_EQ(t.view.animations.back().motion, CardMotion::remove);
    t.click(2);
    EXPECT_EQ(t.s().cards_turned, 1);
}

TEST_F(Turns, TwoPlayersPassTheTurnAndCountRounds) {
    two_players();
    EXPECT_EQ(t.view.status, "1P's turn.");
    t.play_turn(1, 5);
    EXPECT_EQ(t.s().cell_state[1], face_down);
    EXPECT_EQ(t.s().cell_state[5], face_down);
    // Each card closes where it lies.
    const std::vector<Animation>& a = t.view.animations;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(std::tuple(a[2].motion, a[2].row, a[2].col), std::tuple(CardMotion::close, 1, 1));
    EXPECT_EQ(std::tuple(a[3].motion, a[3].row, a[3].col), std::tuple(CardMotion::close, 1, 5));
    EXPECT_EQ(t.s().current_player, 2);
    EXPECT_EQ(t.view.status, "2P's turn.");
    EXPECT_EQ(t.s().cards_turned, 0);
    EXPECT_EQ(t.view.round, "1");
    t.play_turn(2, 3);  // player 2 scores and goes on
    EXPECT_EQ(t.s().score[2], 10);
    EXPECT_EQ(t.view.score_label[1], "10");
    EXPECT_EQ(t.s().current_player, 2);
    t.play_turn(2 + 2, 9);
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.s().round_no, 2);
    EXPECT_EQ(t.view.round, "2");
    EXPECT_EQ(t.view.status, "1P's turn.");
}

TEST_F(Turns, TimeOverCostsFivePointsClosesTheCardAndPassesTheTurn) {
    two_players();
    t.click(7);
    t.game.time_over_tick();
    EXPECT_EQ(t.view.beeps, 1);
    EXPECT_EQ(t.s().score[1], -5);
    EXPECT_EQ(t.view.score_label[0], "-5");
    EXPECT_EQ(t.s().cell_state[7], face_down);
    EXPECT_EQ(t.view.animations.back().motion, CardMotion::close);
    EXPECT_EQ(t.s().memory_strength[7], 1000.0f);  // it was seen all the same
    EXPECT_EQ(t.s().current_player, 2);
    EXPECT_EQ(t.view.status, "2P's turn.");
    EXPECT_EQ(t.s().cards_turned, 0);
    // The next second pick clears the flag, so player 2's pair is judged normally.
    t.play_turn(1, 2);
    EXPECT_EQ(t.s().score[2], 10);
}

TEST_F(Turns, TimeOverAgainstTheComputerHandsItTheMove) {
    t.click(7);
    t.game.time_over_tick();
    EXPECT_EQ(t.s().current_player, 2);
    EXPECT_TRUE(t.view.busy);
    EXPECT_EQ(t.view.status, "Computer thinking...");
    EXPECT_TRUE(t.view.running(GameTimer::com_timer));
    EXPECT_EQ(t.s().cards_turned, 2);
}

// A card's motion holds up the window, so the panel is painted before it: while the cards move,
// the player reads that the time was over, then that the computer is thinking.
TEST_F(Turns, ThePanelIsPaintedBeforeTheCardsMove) {
    t.click(7);
    t.game.time_over_tick();  // the card closes, then the computer opens two
    const std::vector<Animation>& a = t.view.animations;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a[1].status_shown, "Time over.");
    EXPECT_EQ(a[2].status_shown, "Computer thinking...");
    EXPECT_EQ(a[3].status_shown, "Computer thinking...");
}

TEST_F(Turns, TicksOfStoppedTimersAreIgnored) {
    t.game.time_over_tick();
    t.game.next_turn_tick();
    t.game.com_timer_tick();
    EXPECT_EQ(t.s().score[1], 0);
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.view.beeps, 0);
    t.click(1);
    t.click(2);
    t.game.time_over_tick();  // the second pick stopped it
    EXPECT_EQ(t.s().score[1], 0);
}

TEST_F(Turns, NewGameCancelsAPendingJudgementAndTheComputersTurn) {
    t.click(1);
    t.click(2);
    ASSERT_TRUE(t.view.running(GameTimer::next_turn));
    t.new_ordered_game();
    EXPECT_FALSE(t.view.running(GameTimer::next_turn));
    t.game.next_turn_tick();
    EXPECT_EQ(t.s().score[1], 0);
    EXPECT_EQ(t.s().cell_state[1], face_down);

    t.play_turn(1, 5);  // a miss: the computer moves and waits for its judgement
    ASSERT_TRUE(t.view.running(GameTimer::com_timer));
    ASSERT_TRUE(t.view.busy);
    t.new_ordered_game();
    EXPECT_FALSE(t.view.busy);
    EXPECT_FALSE(t.view.running(GameTimer::com_timer));
    t.game.com_timer_tick();
    EXPECT_EQ(t.s().current_player, 1);
    EXPECT_EQ(t.s().round_no, 1);
    for (int c = 1; c <= 64; ++c) EXPECT_EQ(t.s().cell_state[c], face_down);
}

// Two face-down cells with different pictures: a sure miss that passes the turn.
void miss(Table& t) {
    int a = 0;
    for (int c = 1; c <= t.s().cell_count(); ++c) {
        if (t.s().cell_state[c] != face_down) continue;
        if (!a) {
            a = c;
        } else if (t.s().card_face[c] != t.s().card_face[a]) {
            t.play_turn(a, c);
            return;
        }
    }
    FAIL() << "no miss possible";
}

// Plays the pairs (1,2), (3,4), ... of an ordered 6 by 6 deal, each by the player named for it.
void play_pairs(Table& t, const std::vector<int>& owners) {
    for (int p = 0; p < static_cast<int>(owners.size()); ++p) {
        if (t.s().current_player != owners[p]) miss(t);
        t.play_turn(2 * p + 1, 2 * p + 2);
    }
}

TEST_F(Turns, LastPairEndsTheGameOnceWithItsMessage) {
    two_players();
    t.game.choose_board_size(6);
    t.new_ordered_game();
    std::vector<int> owners(18, 1);
    std::fill(owners.begin() + 9, owners.end(), 2);
    play_pairs(t, owners);
    ASSERT_EQ(t.view.messages.size(), 1u);
    EXPECT_EQ(t.view.messages[0], "Draw game!");
    EXPECT_EQ(t.view.message_titles[0], "Game Over");
    EXPECT_EQ(t.view.beeps, 1);
    EXPECT_FALSE(t.view.show_cards_enabled);
    EXPECT_TRUE(t.view.about_enabled);
    EXPECT_EQ(t.s().cards_turned, 2);
    for (const bool on : t.view.timer_on) EXPECT_FALSE(on);
    const auto animations = t.view.animations.size();
    t.click(1);
    t.game.next_turn_tick();
    EXPECT_EQ(t.view.animations.size(), animations);
    EXPECT_EQ(t.view.messages.size(), 1u);
}

struct Ending {
    const char* name;  // the test's name, so that it reads the same in every build
    bool player1_times_out_first;
    int player1_pairs;  // of 18; the rest go to player 2
    const char* message;
};

class Endings : public ::testing::TestWithParam<Ending> {};

TEST_P(Endings, NameTheWinner) {
    const Ending e = GetParam();
    Table t;
    t.game.choose_players(Players::two_people);
    t.game.choose_board_size(6);
    t.new_ordered_game();
    if (e.player1_times_out_first) {
        t.click(36);
        t.game.time_over_tick();
        miss(t);  // player 2 hands back
    }
    std::vector<int> owners(18, 2);
    std::fill(owners.begin(), owners.begin() + e.player1_pairs, 1);
    play_pairs(t, owners);
    ASSERT_EQ(t.view.messages.size(), 1u);
    EXPECT_EQ(t.view.messages[0], e.message)
        << "scores " << t.s().score[1] << " to " << t.s().score[2];
}

INSTANTIATE_TEST_SUITE_P(
    TwoPeople, Endings,
    ::testing::Values(Ending{"EqualPairsDraw", false, 9, "Draw game!"},
                      Ending{"EqualPairsAfterATimeOverPlayer2Wins", true, 9, "Player 2 win."},
                      Ending{"FewerPairsPlayer2Wins", false, 8, "Player 2 win."},
                      Ending{"MorePairsPlayer1Wins", false, 10, "Player 1 win."},
                      Ending{"EveryPairAfterATimeOverPlayer1Wins", true, 18, "Player 1 win."}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

TEST(EndingsAgainstTheComputer, YouWinWhenYouTakeEveryPair) {
    Table t;
    t.game.choose_board_size(6);
    t.new_ordered_game();
    for (int p = 0; p < 18; ++p) t.play_turn(2 * p + 1, 2 * p + 2);
    ASSERT_EQ(t.view.messages.size(), 1u);
    EXPECT_EQ(t.view.messages[0], "You win.");
    EXPECT_EQ(t.s().score[1], 180);
    EXPECT_EQ(t.view.events.back(), (GameEvent{.kind = GameEvent::Kind::game_over,
                                               .player = 1,
                                               .score = 180,
                                               .other_score = 0,
                                               .versus_computer = true}));
}

// Both sides score: the winner is decided by comparing the two scores, not by the person's alone.
TEST(EndingsAgainstTheComputer, ComputerWinsWhenYouTakeOnePairAndThenOnlyMiss) {
    Table t;
    t.game.choose_memory_level(MemoryLevel::good);
    t.game.choose_board_size(6);
    t.new_ordered_game();
    t.play_turn(1, 2);
    int guard = 0;
    while (t.view.messages.empty() && ++guard < 10000) {
        if (t.s().current_player == 2) {
            t.game.com_timer_tick();
            continue;
        }
        // Two face-down cells of different pictures, if any remain.
        int a = 0, b = 0;
        for (int c = 1; c <= 36; ++c) {
            if (t.s().cell_state[c] != face_down) continue;
            if (!a)
                a = c;
            else if (!b && t.s().card_face[c] != t.s().card_face[a])
                b = c;
        }
        if (!b) {
            for (int c = a + 1; c <= 36 && !b; ++c) {
                if (t.s().cell_state[c] == face_down) b = c;
            }
        }
        t.play_turn(a, b);
    }
    ASSERT_EQ(t.view.messages.size(), 1u);
    EXPECT_EQ(t.view.messages[0], "Computer win.");
    EXPECT_GT(t.s().score[1], 0);
    EXPECT_FALSE(t.view.busy);
    EXPECT_EQ(t.s().pairs_taken, 18);
}

// What the engine says happened: each event once, in order, whose it is and what it changed.
using Kind = GameEvent::Kind;

TEST_F(Turns, EventsOfAGameOfTwoPeople) {
    two_players();
    EXPECT_EQ(t.view.events.back(), (GameEvent{.kind = Kind::dealt, .grid = 8}));
    t.view.events.clear();
    t.play_turn(1, 2);  // a pair, then a miss: pictures 0 and 1
    t.play_turn(3, 5);
    t.click(9);  // player 2's first card, picture 2; then the time runs out
    t.game.time_over_tick();
    t.game.show_cards();
    const std::vector<GameEvent> told{
        {.kind = Kind::card_turned, .player = 1, .row = 1, .col = 1, .face = 0},
        {.kind = Kind::card_turned, .player = 1, .row = 1, .col = 2, .face = 0},
        {.kind = Kind::pair_taken, .player = 1, .score = 10},
        {.kind = Kind::card_turned, .player = 1, .row = 1, .col = 3, .face = 0},
        {.kind = Kind::card_turned, .player = 1, .row = 1, .col = 5, .face = 1},
        {.kind = Kind::no_pair, .player = 1},
        {.kind = Kind::turn_passed, .player = 2, .round = 1},
        {.kind = Kind::card_turned, .player = 2, .row = 2, .col = 1, .face = 2},
        {.kind = Kind::time_over, .player = 2, .score = -5, .penalty = 5},
        {.kind = Kind::turn_passed, .player = 1, .round = 2},
        {.kind = Kind::cards_shown},
    };
    EXPECT_EQ(t.view.events, told);
}

TEST_F(Turns, EventsOfTheComputersTurnAreItsOwn) {
    miss(t);
    for (int moves = 0; t.s().current_player == 2 && moves < 40; ++moves) t.game.com_timer_tick();
    const std::vector<GameEvent>& told = t.view.events;
    const auto handed = std::find(
        told.begin(), told.end(),
        GameEvent{.kind = Kind::turn_passed, .player = 2, .round = 1, .versus_computer = true});
    ASSERT_NE(handed, told.end());
    ASSERT_GE(told.end() - handed, 5);  // two cards, no pair, back to player 1 at the least
    for (const GameEvent& e : std::vector<GameEvent>(handed + 1, told.end())) {
        EXPECT_TRUE(e.versus_computer);
        if (e.kind == Kind::card_turned || e.kind == Kind::pair_taken) {
            EXPECT_EQ(e.player, 2);
        }
        if (e.kind == Kind::card_turned) {
            const int cell = (e.row - 1) * 8 + e.col;
            EXPECT_EQ(e.face, t.s().card_face[cell]);
        }
    }
    EXPECT_EQ(told[told.size() - 2],
              (GameEvent{.kind = Kind::no_pair, .player = 2, .versus_computer = true}));
    EXPECT_EQ(
        told.back(),
        (GameEvent{.kind = Kind::turn_passed, .player = 1, .round = 2, .versus_computer = true}));
}

}  // namespace
}  // namespace vimbrel::testing
