// The computer opponent: a fading memory of every card seen, and its choice of two cards.
#pragma once

#include "game_state.h"
#include "random_source.h"

namespace vimbrel {

// Memory effects of the card operations and of each computer move.
void remember_seen(GameState& s, int cell);   // a card was turned face up
void forget_removed(GameState& s, int cell);  // a card left the board
void fade_memory(GameState& s);               // first step of every computer move
bool is_known(const GameState& s, int cell);

// A cell from 1 to n for a uniform r in [0, 1). Clamped: r close to 1 can round r * n + 1 up to n
// + 1.
inline int random_cell(double r, int n) {
    const int cell = static_cast<int>(r * n + 1.0);
    if (cell < 1) return 1;
    return cell > n ? n : cell;
}

struct ComputerChoice {
    int first = 0;
    int second = 0;
    bool pair_found = false;
};

// Fades the memory and chooses two face-down cells, drawing chance from `chance`. Marks the first
// random card face up as it goes (the caller opens both). Needs at least two face-down cells and
// none face up.
ComputerChoice choose_computer_move(GameState& s, ChoiceMode mode, RandomSource& chance);

}  // namespace vimbrel
