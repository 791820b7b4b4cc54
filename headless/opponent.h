// A player in the person's seat of a game without a window.
#pragma once

#include "game_state.h"

namespace vimbrel::headless {

// It sees what a person at the screen would: every card turned face up, by either side, and
// every card removed.
class Opponent {
public:
    virtual ~Opponent() = default;
    virtual void new_game(int /*grid_size*/) {}
    virtual void seen(int /*cell*/, int /*face*/) {}
    virtual void removed(int /*cell*/) {}
    // The next card to turn, given the cells' states (cells 1..n); `first` is the card already
    // open in this turn, or 0.
    virtual int choose(const GameState& s, int first) = 0;
    // Whether the person lets the time limit run out on the second card, asked each time the
    // limit runs and the game waits for that card.
    virtual bool too_slow() { return false; }
};

}  // namespace vimbrel::headless
