// The headless driver's own seams: the card searches a random person makes, and a game that
// cannot end reported as such rather than played for ever.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "cell_search.h"
#include "opponent.h"
#include "table.h"

namespace vimbrel::testing {
namespace {

TEST(CellSearch, FindsFaceDownCardsRoundTheBoardAndPartners) {
    Table t;
    t.game.choose_board_size(6);
    t.new_ordered_game();  // picture f on cells 4f+1 .. 4f+4
    EXPECT_EQ(headless::face_down_from(t.s(), 0), 1);
    GameState s = t.s();
    for (const int c : {1, 2, 35, 36}) s.cell_state[c] = removed;
    EXPECT_EQ(headless::face_down_from(s, 0), 3);
    EXPECT_EQ(headless::face_down_from(s, 0, 3), 4);
    EXPECT_EQ(headless::face_down_from(s, 33), 34);
    EXPECT_EQ(headless::face_down_from(s, 34), 3) << "round the end of the board";
    EXPECT_EQ(headless::face_down_from(s, 34 + 36), 3) << "offsets beyond the board wrap";
    EXPECT_EQ(headless::face_down_partner(s, 3), 4);
    EXPECT_EQ(headless::face_down_partner(s, 34), 33);
    EXPECT_EQ(headless::face_down_partner(s, 5), 6);
    s.cell_state[33] = removed;
    s.cell_state[36] = face_down;
    EXPECT_EQ(headless::face_down_partner(s, 34), 36) << "the last cell";
    s.cell_state[4] = removed;
    EXPECT_EQ(headless::face_down_partner(s, 3), 0);
    for (int c = 1; c <= 36; ++c) s.cell_state[c] = c == 1 ? face_down : removed;
    EXPECT_EQ(headless::face_down_from(s, 20), 1) << "the first cell, round the end";
    EXPECT_EQ(headless::face_down_from(s, 20, 1), 0);
}

// Turns the card that is already open, which the game ignores: the turn never completes.
class Stuck final : public headless::Opponent {
public:
    int choose(const GameState&, int first) override { return first ? first : 1; }
};

TEST(HeadlessDriver, AGameThatCannotEndIsReported) {
    Table t;
    t.game.start_new_game();
    Stuck stuck;
    EXPECT_EQ(t.driver.play_to_end(stuck, {.max_events = 50, .check = true}),
              "the game did not end");
    EXPECT_EQ(t.s().cards_turned, 1);
}

// Turns the lowest face-down cards, after doing whatever harm it was given to the table.
class Lowest final : public headless::Opponent {
public:
    explicit Lowest(std::function<void()> harm = {}) : harm_(std::move(harm)) {}
    int choose(const GameState& s, int first) override {
        if (harm_) harm_();
        return headless::face_down_from(s, 0, first);
    }

private:
    std::function<void()> harm_;
};

// The checks that follow a game to its end: each broken end or view is reported by its own text.
TEST(HeadlessDriver, EachBrokenEndOrViewIsReported) {
    using Breaks = void (*)(Table&);
    const std::pair<Breaks, std::string> ends[] = {
        {[](Table& t) { --const_cast<GameState&>(t.s()).pairs_taken; },
         "the game ended with cards on the board"},
        {[](Table& t) { const_cast<GameState&>(t.s()).cell_state[5] = face_down; },
         "a card was not removed at the end"},
        {[](Table& t) { t.view.timer_on[static_cast<int>(GameTimer::next_turn)] = true; },
         "a timer still runs after the end"},
        {[](Table& t) { t.view.busy = true; }, "the busy pointer is on after the end"},
    };
    for (const auto& [breaks, fault] : ends) {
        Table t;
        t.game.choose_board_size(6);
        Lowest lowest;
        ASSERT_EQ(t.driver.play_to_end(lowest, {.check = true}), "");
        breaks(t);
        EXPECT_EQ(t.driver.end_fault(), fault);
    }

    Table t;
    t.new_ordered_game();  // picture f on cells 4f+1 .. 4f+4
    t.view.busy = true;
    EXPECT_EQ(t.driver.view_fault(), "the busy pointer is on outside the computer's move");
    t.view.busy = false;
    t.play_turn(1, 5);  // no pair: the computer moves
    ASSERT_EQ(t.driver.view_fault(), "");
    t.view.busy = false;
    EXPECT_EQ(t.driver.view_fault(), "the busy pointer is off during the computer's move");
}

// A view that leaves the time limit on when the end message appears.
class TimerLeftOn final : public headless::NullView {
public:
    void message_box(std::string_view text, std::string_view title) override {
        NullView::message_box(text, title);
        timer_on[static_cast<int>(GameTimer::time_over)] = true;
    }
};

// A checked game stops at the first fault, in the game's state, in its view or at its end.
TEST(HeadlessDriver, ACheckedGameReportsTheFirstFault) {
    Table t;
    Lowest breaks_score([&] { const_cast<GameState&>(t.s()).score[1] = 3; });
    t.game.start_new_game();
    EXPECT_EQ(t.driver.play_to_end(breaks_score, {.check = true}), "a score not in fives");

    Table u;
    Lowest busy_pointer([&] { u.view.busy = true; });
    u.game.start_new_game();
    EXPECT_EQ(u.driver.play_to_end(busy_pointer, {.check = true}),
              "the busy pointer is on outside the computer's move");

    TimerLeftOn view;
    Game game{view};
    headless::HeadlessDriver driver{game, view};
    game.choose_board_size(6);
    Lowest lowest;
    EXPECT_EQ(driver.play_to_end(lowest, {.check = true}), "a timer still runs after the end");
}

}  // namespace
}  // namespace vimbrel::testing
