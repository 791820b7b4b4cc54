// Start-up probe: the game's own start (as the program's main builds it), ended when its first
// frame is complete.
#include <QApplication>

#include "board/board_view.h"
#include "game_window.h"
#include "probe_frame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));

    const auto board = vimbrel::make_game_window(vimbrel::CardPictures::from_resources());
    // The grid paints first in the frame, before the panel and the menu bar: the report waits
    // until the whole frame is done, as the bare probe's does.
    QObject::connect(board->board_view(), &vimbrel::BoardView::painted, &app,
                     [] { vimbrel::bench::report_when_the_frame_is_done(); });
    board->show();
    return QApplication::exec();
}
