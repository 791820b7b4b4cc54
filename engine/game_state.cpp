// Cell numbering of the game state.
#include "game_state.h"

namespace vimbrel {

void GameState::cell_to_row_col(int cell) {
    const int col = cell % grid_size;
    if (col == 0) {
        cell_col = grid_size;
        cell_row = static_cast<std::int16_t>(cell / grid_size);
    } else {
        cell_col = static_cast<std::int16_t>(col);
        cell_row = static_cast<std::int16_t>(cell / grid_size + 1);
    }
}

}  // namespace vimbrel
