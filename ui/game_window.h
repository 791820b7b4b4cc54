// The board window as the program opens it: what screen readers read and hear of it, and its icon.
#pragma once

#include <memory>

#include "board/board_window.h"
#include "board/card_pictures.h"

namespace vimbrel {

// A board window with the board's accessibility installed, a narrator of the game and the
// pictures' emblem as the program's icon; not shown yet. The program, its start-up probe and the
// window tests all open the board through here, so that they open the same window.
std::unique_ptr<BoardWindow> make_game_window(CardPictures pictures);

}  // namespace vimbrel
