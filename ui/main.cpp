// Program start: the board window is the start-up window; closing it or Exit ends the program.
#include <QApplication>

#include "access/board_accessible.h"
#include "access/game_narrator.h"
#include "board/board_window.h"
#include "board/card_pictures.h"
#include "translations.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));
    // Wayland shells and task bars find the desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VIMBREL_APP_ID));
    // The desktop's language, English where it has none.
    const vimbrel::Translations translations(vimbrel::desktop_languages());

    // What a screen reader reads of the board and hears of the game is wired in here, above
    // both: the board knows nothing of them.
    vimbrel::install_board_accessibility();
    vimbrel::BoardWindow board(vimbrel::CardPictures::from_resources());
    vimbrel::narrate(board);
    QApplication::setWindowIcon(board.pictures().emblem());
    board.show();
    return QApplication::exec();
}
