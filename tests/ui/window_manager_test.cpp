// The windows under a real window manager, which frames them with a title bar: each one opens in
// the middle of the screen by its frame, not by its client area; and clicks that the X server
// queues while a turn settles reach no card. scripts/with-display --wm runs it.
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>
#include <QtTest>

#include <cmath>

#include "board/board_menus.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// How far the middle of the window's frame lies from the middle of its screen, in pixels.
QPointF off_centre(const QWidget& window) {
    const QRectF frame = window.windowHandle()->frameGeometry();
    const QRectF screen = window.screen()->geometry();
    return {frame.x() + frame.width() / 2 - (screen.x() + screen.width() / 2),
            frame.y() + frame.height() / 2 - (screen.y() + screen.height() / 2)};
}

bool framed_and_centred(const QWidget& window) {
    const QPointF off = off_centre(window);
    return window.windowHandle()->frameMargins().top() > 0 && std::abs(off.x()) <= 1 &&
           std::abs(off.y()) <= 1;
}

QString where(const QWidget& window) {
    const QRect frame = window.windowHandle()->frameGeometry();
    const QMargins m = window.windowHandle()->frameMargins();
    return QStringLiteral("%1: frame %2x%3 at %4,%5 (margins %6 %7 %8 %9)")
        .arg(window.objectName())
        .arg(frame.width())
        .arg(frame.height())
        .arg(frame.x())
        .arg(frame.y())
        .arg(m.left())
        .arg(m.top())
        .arg(m.right())
        .arg(m.bottom());
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void every_window_opens_centred_by_its_frame();
    void clicks_queued_on_the_x_server_while_cards_close_are_dropped();
    void a_click_after_a_time_over_is_the_next_players_first_card();
};

// The window manager starts beside this program: wait until it frames a new window.
void WindowManagerTest::initTestCase() {
    const bool framed = QTest::qWaitFor(
        [] {
            QWidget probe;
            probe.resize(100, 100);
            probe.show();
            return QTest::qWaitForWindowExposed(&probe) &&
                   probe.windowHandle()->frameMargins().top() > 0;
        },
        30000);
    QVERIFY2(framed, "no window manager framed a window");
}

void WindowManagerTest::every_window_opens_centred_by_its_frame() {
    BoardWindow board{CardPictures(placeholder_images())};
    QStringList off;
    const auto check = [&](QWidget* window) {
        if (!QTest::qWaitFor([&] { return framed_and_centred(*window); }, 10000))
            off << where(*window);
    };
    when_modal([&](QWidget* begin) {
        check(begin);
        press_ok(begin);
    });
    board.show();
    QVERIFY(QTest::qWaitFor([&] { return board.game().state().round_no == 1; }, 20000));
    check(&board);
    // Away from the middle, so that a dialog centred over its owner would be off the screen's.
    board.windowHandle()->setFramePosition({0, 0});

    when_modal([&](QWidget* speed) {
        check(speed);
        press_ok(speed);
    });
    board.menus().door_speed->trigger();
    when_modal([&](QWidget* about) {
        check(about);
        about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    board.menus().about->trigger();
    QVERIFY2(off.isEmpty(), qPrintable(off.join(QStringLiteral("; "))));
}

// A click through the X server (XTEST), on the screen where `cell` lies. Returns once the server
// has queued the events for this program; they are read when its event loop next runs.
bool click_on_the_x_server(BoardWindow& board, int cell) {
    const QPoint at = board.board_view()->mapToGlobal(cell_rect(board, cell).center());
    return QProcess::execute(
               QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

// On X11 the window system's events are read after the posted ones in a pass of the event loop:
// a click queued while the cards close must still be dropped, not taken by the next player.
void WindowManagerTest::clicks_queued_on_the_x_server_while_cards_close_are_dropped() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing: scripts/setup installs it");
    auto board = open_board_for_two();
    QVERIFY(board);
    QVERIFY(QTest::qWaitForWindowActive(board.get()));
    const GameState& s = board->game().state();
    const auto [a, b] = two_cells(s, false);
    click_cell(*board, a);
    click_cell(*board, b);
    int queued = 0;
    board->game().set_door_delay(1);
    const auto connection = QObject::connect(board->board_view(), &BoardView::painted, [&] {
        if (!queued) queued = click_on_the_x_server(*board, two_cells(s, false).first) ? 1 : -1;
    });
    QVERIFY(fire(*board, "next_turn"));
    QObject::disconnect(connection);
    board->game().set_door_delay(0);
    QCOMPARE(queued, 1);
    QCOMPARE(s.current_player, 2);
    QTest::qWait(300);  // time for the server's events to arrive and be handled
    QCOMPARE(s.cards_turned, 0);

    // A click made now opens the card at once.
    const int free = two_cells(s, false).first;
    QVERIFY(click_on_the_x_server(*board, free));
    QTRY_COMPARE(s.cell_state[free], face_up);
}

// After a time over hands the turn to the other person, the board holds still for a moment
// (queued_input_test checks how long); a click the X server delivers once it is over is their
// first card.
void WindowManagerTest::a_click_after_a_time_over_is_the_next_players_first_card() {
    auto board = open_board_for_two();
    QVERIFY(board);
    QVERIFY(QTest::qWaitForWindowActive(board.get()));
    const GameState& s = board->game().state();
    click_cell(*board, two_cells(s, false).first);
    // The pointer leaves the board first: xdotool's --sync waits for a move, and a pointer left
    // on the cell by an earlier test would never make it.
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
    QVERIFY(fire(*board, "time_over"));
    QCOMPARE(s.current_player, 2);
    QVERIFY(QTest::qWaitFor([&] { return board->board_takes_input(); }));
    const int first = two_cells(s, false).first;
    QVERIFY(click_on_the_x_server(*board, first));
    QTRY_COMPARE(s.cell_state[first], face_up);
    QCOMPARE(s.current_player, 2);
}

VIMBREL_UI_TEST_MAIN(WindowManagerTest)
#include "window_manager_test.moc"
