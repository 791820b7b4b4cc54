// Sounds the game's time-over beep once, through the services the engine calls, and stays until
// the sound has played out. beep_test.sh records what reaches the sound server.
#include <QApplication>
#include <QTimer>

#include <cstdio>

#include "board/qt_game_view.h"
#include "ui_test_support.h"

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").startsWith("wayland") &&
        vimbrel::testing::wayland_plugin_missing())
        return 77;
    QApplication app(argc, argv);
    std::printf("beep on %s\n", qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    const vimbrel::BoardParts parts;  // the beep uses none of the board's widgets
    vimbrel::QtGameView view(parts);
    view.beep();
    // Leaving ends the sound; the freedesktop theme's bell lasts about a tenth of a second.
    QTimer::singleShot(500, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
