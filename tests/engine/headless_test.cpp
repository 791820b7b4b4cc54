// The headless driver's own seams: the card searches a random person makes, and a game that
// cannot end reported as such rather than played for ever.
#include <gtest/gtest.h>

#include "cell_search.h"
#include "opponent.h"
#include "table.h"

namespace vimbrel::testing {
namespace {

TEST(CellSearch, FindsFaceDownCardsRoundTheBoardAndPartners) {
    Table t;
    t.game.choose_board_size(6);
    t.new_ordered_game();  // picture f on cells 4f+1 .. 4f+4
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
    s.cell_state[4] = removed;
    EXPECT_EQ(headless::face_down_partner(s, 3), 0);
    for (int c = 1; c <= 36; ++c) s.cell_state[c] = c == 7 ? face_down : removed;
    EXPECT_EQ(headless::face_down_from(s, 20, 7), 0);
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

}  // namespace
}  // namespace vimbrel::testing
