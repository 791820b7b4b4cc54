// What assistive technology learns of the card grid: one element per cell, named by what a
// sighted player sees there, so a face-down card never gives its picture away.
#pragma once

#include <QString>

#include "game_state.h"

namespace vimbrel {

// The name of a cell (1..N): "Row 2, column 3, hidden", "Row 2, column 3, frog" (face up) or
// "Row 2, column 3, empty".
QString cell_accessible_name(const GameState& state, int cell);

// Lets Qt's accessibility describe every BoardView by its cells, with the cursor cell as the
// focused one, the status panel as a status bar and the setting menus' items as check boxes.
// Qt keeps an object's interface once asked for it, so this comes before the first board window.
// Installing it again does nothing.
void install_board_accessibility();

}  // namespace vimbrel
