// Start-up probe: the game's own start (as the program's main builds it), ended at the end of the
// board's first paint.
#include <QApplication>

#include "access/board_accessible.h"
#include "access/game_narrator.h"
#include "board/board_view.h"
#include "board/board_window.h"
#include "board/card_pictures.h"
#include "probe_clock.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));

    vimbrel::install_board_accessibility();
    vimbrel::BoardWindow board(vimbrel::CardPictures::from_resources());
    vimbrel::narrate(board);
    QApplication::setWindowIcon(board.pictures().emblem());
    // Connected after the window's own handler of the same signal, so that one runs first.
    QObject::connect(board.board_view(), &vimbrel::BoardView::painted,
                     [] { vimbrel::bench::report_first_paint_and_exit(); });
    board.show();
    return QApplication::exec();
}
