// The computer opponent: a fading memory of every card seen, and its choice of two cards.
#pragma once

#include <array>

#include "game_state.h"
#include "random_source.h"

namespace vimbrel {

// Memory effects of the card operations.
void remember_seen(GameState& s, int cell);   // a card was turned face up
void forget_removed(GameState& s, int cell);  // a card left the board
bool is_known(const GameState& s, int cell);

// Whether each cell (1..N) is known; index 0 is never a cell.
using KnownCells = std::array<bool, cell_slots>;
// The first step of every computer move: fades every memory, and returns the cells still known.
KnownCells fade_memory(GameState& s);

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
