// The board window's size rules and the docked panel.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QWindow>
#include <QtTest>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// The panel sits flush with the client area's right edge and is as tall as it.
bool panel_docked(BoardWindow& board) {
    const QWidget* client = board.centralWidget();
    return board.panel()->geometry() == QRect(client->x() + client->width() - panel_width,
                                              client->y(), panel_width, client->height());
}

bool fits(BoardWindow& board) {
    const QSize have = board.centralWidget()->size();
    const QSize need = board.board_client_size();
    return have.width() >= need.width() && have.height() >= need.height();
}

}  // namespace

class BoardLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void the_window_starts_at_the_board_plus_the_panel();
    void a_larger_board_grows_the_window_and_a_smaller_one_keeps_it();
    void resizing_springs_back_and_keeps_the_panel_docked();
    void a_long_name_widens_either_players_label_alike();
};

void BoardLayoutTest::the_window_starts_at_the_board_plus_the_panel() {
    auto board = open_board();
    QVERIFY(board);
    QCOMPARE(board->centralWidget()->size(), QSize(8 * 32 + 113, 8 * 32));
    QCOMPARE(board->board_view()->mapTo(board.get(), QPoint(0, 0)),
             QPoint(0, board->menuBar()->height()));
    QVERIFY(panel_docked(*board));
}

void BoardLayoutTest::a_larger_board_grows_the_window_and_a_smaller_one_keeps_it() {
    auto board = open_board();
    QVERIFY(board);
    board->menus().ten->trigger();
    QCOMPARE(board->board_client_size(), QSize(10 * 32 + 113, 10 * 32));
    QTRY_VERIFY(fits(*board));
    QTRY_VERIFY(panel_docked(*board));
    const QSize grown = board->size();

    board->menus().six->trigger();
    QTest::qWait(20);
    QCOMPARE(board->size(), grown);
    QVERIFY(panel_docked(*board));
    QCOMPARE(board->centralWidget()->minimumSize(), QSize(6 * 32 + 113, 6 * 32));
}

// The window system resizes the native window itself, past the minimum Qt keeps for resize():
// as with no window manager, or a tiling one, which ignore size hints.
void BoardLayoutTest::resizing_springs_back_and_keeps_the_panel_docked() {
    auto board = open_board();
    QVERIFY(board);
    QWindow* native = board->windowHandle();
    const QSize least = board->size();
    for (int again = 0; again < 2; ++again) {  // the same small size twice springs back twice
        native->resize(200, 150);
        QTRY_COMPARE(board->size(), least);
        QTRY_COMPARE(native->size(), least);
        QVERIFY(fits(*board));
        QVERIFY(panel_docked(*board));
    }

    native->resize(700, 560);
    QTRY_COMPARE(board->size(), QSize(700, 560));
    QTRY_VERIFY(panel_docked(*board));
    click_cell(*board, 1);  // the grid stays at the client area's top-left corner
    QCOMPARE(board->game().state().cell_state[1], face_up);
}

// Player 2's label is fitted as player 1's is: same width, same centre, inside the panel.
void BoardLayoutTest::a_long_name_widens_either_players_label_alike() {
    StatusPanel panel;
    const QRect place = panel.findChild<QLabel*>(QStringLiteral("player_name_1"))->geometry();
    const QString name = QStringLiteral("Maximiliane-Mustermann");
    panel.set_names(name, name);
    const auto* first = panel.findChild<QLabel*>(QStringLiteral("player_name_0"));
    const auto* second = panel.findChild<QLabel*>(QStringLiteral("player_name_1"));
    QVERIFY(second->width() > place.width());
    QCOMPARE(second->x(), first->x());
    QCOMPARE(second->width(), first->width());
    QVERIFY(panel.rect().contains(second->geometry()));
}

VIMBREL_UI_TEST_MAIN(BoardLayoutTest)
#include "board_layout_test.moc"
