// Finding face-down cards on the board, as a person at the mouse looks for one.
#pragma once

#include "game_state.h"

namespace vimbrel::headless {

// The lowest face-down cell other than `cell` with the same picture, or 0.
int face_down_partner(const GameState& s, int cell);

// The first face-down cell other than `except`, looking from cell offset % n + 1 on and round
// the board, or 0.
int face_down_from(const GameState& s, int offset, int except = 0);

}  // namespace vimbrel::headless
