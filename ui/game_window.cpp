// The board window as the program opens it: what screen readers read and hear of it, and its icon.
#include "game_window.h"

#include <QApplication>

#include "access/board_accessible.h"
#include "access/game_narrator.h"
#include "board/board_view.h"

namespace vimbrel {

std::unique_ptr<BoardWindow> make_game_window(CardPictures pictures) {
    // Wired in here, above both: the board knows nothing of what a screen reader makes of it.
    install_board_accessibility();
    auto board = std::make_unique<BoardWindow>(std::move(pictures));
    tell_board_changes(*board->board_view());
    narrate(*board);
    QApplication::setWindowIcon(board->pictures().emblem());
    return board;
}

}  // namespace vimbrel
