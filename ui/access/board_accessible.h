// What assistive technology learns of the card grid: one element per cell, named by what a
// sighted player sees there, so a face-down card never gives its picture away.
#pragma once

#include <QString>

#include "game_state.h"

namespace vimbrel {

class BoardView;

// The name of a cell (1..N): "Row 2, column 3, hidden", "Row 2, column 3, frog" (face up) or
// "Row 2, column 3, empty".
QString cell_accessible_name(const GameState& state, int cell);

// Tells assistive technology, as they happen, what changes on `view`: a cell's new name once its
// card has moved, the cursor's cell as the focused one, and every cell afresh on a new board.
void tell_board_changes(BoardView& view);

// Lets Qt's accessibility describe every BoardView by its cells, with the cursor cell as the
// focused one, the status panel as a status bar, the setting menus' items as check boxes and the
// welcome dialog's frames of options as groups said once.
// Qt keeps an object's interface once asked for it, so this comes before the first board window.
// Installing it again does nothing.
void install_board_accessibility();

}  // namespace vimbrel
