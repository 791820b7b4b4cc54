// Clicks and keys that wait in the queue while a turn settles (cards closing or leaving, the
// computer playing) are dropped; those made after the turn has settled are taken at once.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QtTest>

#include "board/board_menus.h"
#include "board/queued_input_gate.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;
using namespace std::chrono_literals;

namespace {

// Queues what a player does, as the window system would: a click on `cell`, and Space to the
// window, which hands it to the board as its focus widget.
void queue_click_and_space(BoardWindow& board, int cell) {
    BoardView* view = board.board_view();
    const QPointF at = cell_rect(board, cell).center();
    QCoreApplication::postEvent(
        view, new QMouseEvent(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        view, new QMouseEvent(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                              Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(
        board.windowHandle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
    QCoreApplication::postEvent(
        board.windowHandle(),
        new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
}

// Fires a judgement whose animations take real time, queueing a click and Space on `cell` while
// the first card moves.
bool judge_while_the_player_acts(BoardWindow& board, const char* judgement, int cell) {
    board.game().set_door_delay(1);
    bool queued = false;
    const auto connection = QObject::connect(board.board_view(), &BoardView::painted, [&] {
        if (!std::exchange(queued, true)) queue_click_and_space(board, cell);
    });
    const bool fired = fire(board, judgement);
    QObject::disconnect(connection);
    board.game().set_door_delay(0);
    return fired && queued;
}

// Releases a mouse button over `cell` and delivers it at once, with what was queued before it.
void release_on_now(BoardWindow& board, int cell) {
    const QPointF at = cell_rect(board, cell).center();
    QCoreApplication::postEvent(
        board.board_view(),
        new QMouseEvent(QEvent::MouseButtonRelease, at, board.board_view()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QCoreApplication::sendPostedEvents();
}

// Delivers what the player queued, then lets the event loop run until the board takes input.
void deliver_the_queue(BoardWindow& board) {
    QCoreApplication::sendPostedEvents();
    wait_for_the_queues(board);
}

// Holds back every key press the window system delivers and posts a copy when released, as Qt's
// accessibility bridge does while a screen reader listens: it asks the screen reader first.
class ScreenReaderBridge final : public QObject {
public:
    ScreenReaderBridge() { qApp->installEventFilter(this); }
    ~ScreenReaderBridge() override {
        for (auto& [target, key] : held_) delete key;
    }
    void answer() {
        for (auto& [target, key] : held_) QCoreApplication::postEvent(target, key);
        held_.clear();
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (!event->spontaneous() || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        held_.append(
            {target, new QKeyEvent(key->type(), key->key(), key->modifiers(), key->text())});
        return true;
    }

private:
    QList<std::pair<QPointer<QObject>, QKeyEvent*>> held_;
};

int face_up_cells(const GameState& s) {
    int open = 0;
    for (int cell = 1; cell <= s.cell_count(); ++cell) open += s.cell_state[cell] == face_up;
    return open;
}

}  // namespace

class QueuedInputTest : public QObject {
    Q_OBJECT

private slots:
    void input_queued_while_the_computer_plays_is_dropped();
    void input_queued_while_a_persons_cards_close_is_dropped();
    void keys_a_screen_reader_held_back_are_dropped_too();
};

void QueuedInputTest::input_queued_while_the_computer_plays_is_dropped() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    QVERIFY(play_turn(*board, false).first);  // a miss: the computer has opened its two cards

    // The computer's judgements, until the turn is back; the player clicks and presses in each.
    for (int moves = 0; s.cards_turned != 0 && moves < 40; ++moves) {
        const int cell = two_cells(s, false).first;
        QVERIFY(judge_while_the_player_acts(*board, "com_timer", cell));
    }
    QCOMPARE(s.cards_turned, 0);
    deliver_the_queue(*board);
    QCOMPARE(face_up_cells(s), 0);
    QVERIFY(!timer(*board, "time_over")->isActive());

    // A click made now opens a card at once.
    const auto [a, b] = two_cells(s, false);
    const QPointF at = cell_rect(*board, a).center();
    QCoreApplication::postEvent(
        board->board_view(),
        new QMouseEvent(QEvent::MouseButtonRelease, at, board->board_view()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QTRY_COMPARE(s.cell_state[a], face_up);
    QVERIFY(timer(*board, "time_over")->isActive());
}

void QueuedInputTest::input_queued_while_a_persons_cards_close_is_dropped() {
    auto board = open_board_for_two();
    QVERIFY(board);
    const GameState& s = board->game().state();

    // Player 1 misses; player 2 clicks and presses Space while the two cards close.
    const auto [a, b] = two_cells(s, false);
    click_cell(*board, a);
    click_cell(*board, b);
    const int cell = two_cells(s, false).first;
    QVERIFY(judge_while_the_player_acts(*board, "next_turn", cell));
    QCOMPARE(s.current_player, 2);
    deliver_the_queue(*board);
    QCOMPARE(face_up_cells(s), 0);

    // Player 2 takes a pair; clicks while it leaves the board are dropped as well.
    const auto [c, d] = two_cells(s, true);
    click_cell(*board, c);
    click_cell(*board, d);
    QVERIFY(judge_while_the_player_acts(*board, "next_turn", two_cells(s, false).first));
    QCOMPARE(s.cell_state[c], removed);
    deliver_the_queue(*board);
    QCOMPARE(face_up_cells(s), 0);
    QCOMPARE(s.cards_turned, 0);
    auto* gate = board->findChild<QueuedInputGate*>();
    QCOMPARE(gate->held_for(), 0ms);  // a judgement holds nothing back

    // Player 2's time runs out: for 750 ms from the hand-over no click is player 1's first card.
    click_cell(*board, two_cells(s, false).first);
    QElapsedTimer since;
    since.start();
    QVERIFY(fire(*board, "time_over"));
    QCOMPARE(s.current_player, 1);
    const auto held = gate->held_for();
    QVERIFY(held <= 750ms && held >= 750ms - std::chrono::milliseconds(since.elapsed()));
    const int late = two_cells(s, false).first;
    release_on_now(*board, late);
    QVERIFY(gate->held_for() == 0ms || s.cell_state[late] == face_down);

    // Space, pressed once the board takes input, turns the card under the cursor at once.
    wait_for_the_queues(*board);
    const int free = two_cells(s, false).first;
    for (int col = 1; col < free; ++col) QTest::keyClick(board->board_view(), Qt::Key_Right);
    QCOMPARE(board->board_view()->cursor_cell(),
             free);  // on the first row: pairs leave gaps behind
    QCoreApplication::postEvent(
        board->windowHandle(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
    QTRY_COMPARE(s.cell_state[free], face_up);
}

void QueuedInputTest::keys_a_screen_reader_held_back_are_dropped_too() {
    auto board = open_board_for_two();
    QVERIFY(board);
    const GameState& s = board->game().state();
    QTest::keyClick(board->board_view(), Qt::Key_End);  // row 1, column 8
    const int under_cursor = board->board_view()->cursor_cell();
    int a = 1;
    while (s.card_face[a] == s.card_face[under_cursor]) ++a;
    int b = a + 1;
    while (s.card_face[b] == s.card_face[a] || b == under_cursor) ++b;
    click_cell(*board, a);
    click_cell(*board, b);

    // Space was pressed while the cards closed: the window system delivers it as the turn
    // settles, and the bridge hands it on only after the board has opened again.
    ScreenReaderBridge bridge;
    QVERIFY(fire(*board, "next_turn"));
    QTest::keyClick(board->windowHandle(), Qt::Key_Space);
    wait_for_the_queues(*board);
    bridge.answer();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(s.cell_state[under_cursor], face_down);

    // Space pressed now goes the same way round and turns the card.
    QTest::keyClick(board->windowHandle(), Qt::Key_Space);
    bridge.answer();
    QTRY_COMPARE(s.cell_state[under_cursor], face_up);
}

VIMBREL_UI_TEST_MAIN(QueuedInputTest)
#include "queued_input_test.moc"
