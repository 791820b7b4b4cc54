// The real board as a native Wayland client: what the compositor itself shows before and after a
// card opens. Started by wayland_test.sh inside a headless weston, with no X server to fall back
// on.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// The whole output as the compositor composed it, through weston's screenshooter.
QImage compositor_screenshot() {
    QTemporaryDir folder;
    if (!folder.isValid()) return {};
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(20'000) || shooter.exitCode() != 0) return {};
    const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")}, QDir::Files);
    if (shots.size() != 1) return {};
    return QImage(folder.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

// Every place where `picture` appears pixel for pixel in `screen`.
QList<QPoint> places_of(const QImage& screen, const QImage& picture) {
    QList<QPoint> places;
    const QRgb first = picture.pixel(0, 0) & 0xffffff;
    for (int y = 0; y + picture.height() <= screen.height(); ++y) {
        for (int x = 0; x + picture.width() <= screen.width(); ++x) {
            if ((screen.pixel(x, y) & 0xffffff) != first) continue;
            bool same = true;
            for (int py = 0; same && py < picture.height(); ++py)
                for (int px = 0; same && px < picture.width(); ++px)
                    same = (screen.pixel(x + px, y + py) & 0xffffff) ==
                           (picture.pixel(px, py) & 0xffffff);
            if (same) places.append({x, y});
        }
    }
    return places;
}

}  // namespace

class WaylandBoardTest : public QObject {
    Q_OBJECT

private slots:
    void runs_natively_on_wayland();
    void an_opened_card_reaches_the_compositor();
};

// Native, not through XWayland: no X display to reach, and Qt's own Wayland platform.
void WaylandBoardTest::runs_natively_on_wayland() {
    QVERIFY(qEnvironmentVariableIsEmpty("DISPLAY"));
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
}

void WaylandBoardTest::an_opened_card_reaches_the_compositor() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(QTest::qWaitForWindowExposed(board.get()));
    const GameState& state = board->game().state();
    const QImage back = pixels(board->pictures().back(1.0));

    // Every card lies face down on the output; the top-left one places the grid.
    QList<QPoint> backs;
    QVERIFY(QTest::qWaitFor(
        [&] {
            backs = places_of(compositor_screenshot(), back);
            return backs.size() == state.cell_count();
        },
        20'000));
    const QPoint grid = backs.first();

    // A person's click opens the card in row 2, column 3: the door slides through all its steps
    // and the last one must be what the compositor shows.
    const int cell = state.grid_size + 3;
    const QImage face = pixels(board->pictures().face(state.card_face[cell], 1.0));
    click_cell(*board, cell);
    QCOMPARE(state.cell_state[cell], face_up);
    const QPoint expected = grid + cell_rect(*board, cell).topLeft();
    QImage screen;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     screen = compositor_screenshot();
                     return places_of(screen, face) == QList<QPoint>{expected};
                 },
                 20'000),
             "the opened card's face never appeared in its cell on the compositor's output");
    QCOMPARE(places_of(screen, back).size(), state.cell_count() - 1);
    QVERIFY(!places_of(screen, back).contains(expected));
}

int main(int argc, char** argv) {
    if (wayland_plugin_missing()) return 77;
    QApplication app(argc, argv);
    WaylandBoardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "wayland_board_test.moc"
