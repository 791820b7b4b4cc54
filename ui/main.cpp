// Program start: the board window is the start-up window; closing it or Exit ends the program.
#include <QApplication>

#include "game_window.h"
#include "translations.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VIMBREL_NAME));
    // Wayland shells and task bars find the desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VIMBREL_APP_ID));
    // The desktop's language, English where it has none.
    const vimbrel::Translations translations(vimbrel::desktop_languages());

    const auto board = vimbrel::make_game_window(vimbrel::CardPictures::from_resources());
    board->show();
    return QApplication::exec();
}
