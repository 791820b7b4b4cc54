// Program start: the board window is the start-up window; closing it or Exit ends the program.
#include <QApplication>

#include "board/board_window.h"
#include "board/card_pictures.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VIMBREL_VERSION));

    vimbrel::BoardWindow board(vimbrel::CardPictures::from_resources());
    QApplication::setWindowIcon(board.pictures().emblem());
    board.show();
    return QApplication::exec();
}
