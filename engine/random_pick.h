// Where the computer's random pick may land: the least-seen candidates, and the draw itself.
#pragma once

#include <array>
#include <cstdint>

#include "game_state.h"
#include "random_source.h"

namespace vimbrel {

// One flag per cell, set by a pass over the board, so that each of the draws (a dozen a move,
// more on a nearly empty board) tests one byte instead of a cell's state and candidate mark.
class RandomPick {
public:
    // Makes candidates of the face-down cells seen least often, those with the highest forget
    // rate, and of every other cell with that rate, and bars all the rest (writes `candidate`).
    // The pick may then land on the face-down candidates; returns how many there are.
    int mark_least_seen(GameState& s);
    // The pick may land on the face-down cells that are candidates as `candidate` stands.
    void allow_candidates(const GameState& s);
    // The pick may no longer land on this cell.
    void exclude(int cell) { allowed_[static_cast<std::size_t>(cell)] = 0; }
    // Draws random cells of an n-cell board until one the pick may land on; there must be one.
    int draw(int n, RandomSource& chance) const;

private:
    std::array<std::uint8_t, cell_slots> allowed_;  // non-zero: allowed; set for cells 1..n
};

}  // namespace vimbrel
