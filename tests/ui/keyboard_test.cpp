// Playing on the real board window with the keyboard alone: the focus, the cursor cell and its
// outline, and cards turned with Space and Return (never the keypad's Enter) by the same rules as a
// click.
#include <QMessageBox>
#include <QtTest>

#include "board/board_menus.h"
#include "dialogs/start_dialog.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// A key as the window system delivers it: to the window, which hands it to its focus widget.
void press(BoardWindow& board, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    wait_for_the_queues(board);
    QTest::keyClick(board.windowHandle(), key, modifiers);
}

// Moves the cursor from anywhere to `cell` with Ctrl+Home and the arrows.
void go_to(BoardWindow& board, int cell) {
    const int grid = board.game().state().grid_size;
    press(board, Qt::Key_Home, Qt::ControlModifier);
    for (int row = 1; row < (cell - 1) / grid + 1; ++row) press(board, Qt::Key_Down);
    for (int col = 1; col < (cell - 1) % grid + 1; ++col) press(board, Qt::Key_Right);
}

// A person's turn by keyboard: two face-down cards, a pair (same) or a miss, turned with Space
// and Return; the judging pause then runs out at once. False if the judgement did not run.
bool turn_by_keys(BoardWindow& board, bool same) {
    const auto [a, b] = two_cells(board.game().state(), same);
    go_to(board, a);
    press(board, Qt::Key_Space);
    go_to(board, b);
    press(board, Qt::Key_Return);
    return fire(board, "next_turn");
}

int cursor(BoardWindow& board) {
    return board.board_view()->cursor_cell();
}

bool board_has_the_keys(BoardWindow& board) {
    return QApplication::focusWidget() == board.board_view();
}

QColor highlight(BoardWindow& board) {
    return board.board_view()->palette().color(QPalette::Active, QPalette::Highlight);
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void the_board_has_the_keys_after_every_dialog();
    void the_cursor_moves_by_cell_and_stops_at_the_edges();
    void the_outline_shows_only_after_a_key_and_hides_after_a_click();
    void space_and_return_turn_the_card_under_the_cursor_by_the_rules_of_a_click();
    void keys_during_the_computers_turn_turn_nothing();
};

void KeyboardTest::the_board_has_the_keys_after_every_dialog() {
    auto board = open_board();  // the start dialog answered with OK
    QVERIFY(board);
    QTRY_VERIFY(board_has_the_keys(*board));

    // Closed through its frame, the start dialog also leaves the keys with the board.
    when_modal([](QWidget* modal) { modal->close(); });
    board->menus().new_game->trigger();
    QTRY_VERIFY(board_has_the_keys(*board));

    // Tab has nowhere else to go.
    press(*board, Qt::Key_Tab);
    press(*board, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(board_has_the_keys(*board));

    // The end of a game: Return closes the box, and the keys are back on the board.
    board->menus().two_people->trigger();
    board->menus().six->trigger();
    QString title;
    when_modal([&](QWidget* modal) {
        title = modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    for (int pairs = 0; pairs < 18; ++pairs) QVERIFY(play_turn(*board, true).first);
    QCOMPARE(title, QStringLiteral("Game Over"));
    QVERIFY(!QApplication::activeModalWidget());
    QTRY_VERIFY(board_has_the_keys(*board));
}

void KeyboardTest::the_cursor_moves_by_cell_and_stops_at_the_edges() {
    auto board = open_board();
    QVERIFY(board);
    QCOMPARE(cursor(*board), 1);
    press(*board, Qt::Key_Left);
    press(*board, Qt::Key_Up);
    QCOMPARE(cursor(*board), 1);  // no wrap-around
    press(*board, Qt::Key_Right);
    press(*board, Qt::Key_Down);
    QCOMPARE(cursor(*board), 10);  // row 2, column 2
    press(*board, Qt::Key_End);
    QCOMPARE(cursor(*board), 16);
    press(*board, Qt::Key_Right);
    QCOMPARE(cursor(*board), 16);
    press(*board, Qt::Key_Home);
    QCOMPARE(cursor(*board), 9);
    press(*board, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(cursor(*board), 64);
    press(*board, Qt::Key_Down);
    QCOMPARE(cursor(*board), 64);
    press(*board, Qt::Key_Up);
    press(*board, Qt::Key_Left);
    QCOMPARE(cursor(*board), 55);  // row 7, column 7
    press(*board, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(cursor(*board), 1);
    // The keypad's arrows are arrows; an arrow with Shift or Ctrl is not a cursor move.
    press(*board, Qt::Key_Right, Qt::KeypadModifier);
    QCOMPARE(cursor(*board), 2);
    press(*board, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(cursor(*board), 2);
    press(*board, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(cursor(*board), 2);
    // A key the cursor takes, also at the edge, stops at the board; any other goes on to the
    // window, for its shortcuts and the system's.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool taken;
    } keys[] = {{Qt::Key_Right, Qt::NoModifier, true},    {Qt::Key_Up, Qt::NoModifier, true},
                {Qt::Key_End, Qt::ControlModifier, true}, {Qt::Key_Right, Qt::ShiftModifier, false},
                {Qt::Key_A, Qt::NoModifier, false},       {Qt::Key_Escape, Qt::NoModifier, false}};
    for (const auto& [key, modifiers, taken] : keys) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(board->board_view(), &event);
        QCOMPARE(event.isAccepted(), taken);
    }

    // Every deal puts it back at row 1, column 1, also on a board of another size.
    go_to(*board, 64);
    board->menus().ten->trigger();
    QCOMPARE(cursor(*board), 1);
    go_to(*board, 100);
    QCOMPARE(cursor(*board), 100);
    board->menus().six->trigger();
    QCOMPARE(cursor(*board), 1);
    press(*board, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(cursor(*board), 36);
}

void KeyboardTest::the_outline_shows_only_after_a_key_and_hides_after_a_click() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(board_shows_the_state(*board));  // a mouse player never sees it
    press(*board, Qt::Key_Right);
    QVERIFY(board->board_view()->cursor_outlined());
    const QImage outlined = cell_on_screen(*board, 2);
    const QImage picture = expected_picture(*board, 2);
    for (const QPoint edge : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31),
                              QPoint(1, 16), QPoint(30, 16)})
        QCOMPARE(QColor(outlined.pixel(edge)), highlight(*board));
    for (const QPoint inside : {QPoint(2, 2), QPoint(16, 16), QPoint(29, 29)})
        QCOMPARE(outlined.pixel(inside), picture.pixel(inside));
    // Drawn whole, the board shows the outline on that cell alone.
    const QImage whole = pixels(board->board_view()->grab());
    for (int cell = 1; cell <= 64; ++cell)
        if (cell != 2)
            QCOMPARE(whole.copy(cell_rect(*board, cell)), expected_picture(*board, cell));

    // It is on the card while the card opens, and still there once it is open.
    press(*board, Qt::Key_Space);
    QCOMPARE(board->game().state().cell_state[2], face_up);
    QCOMPARE(QColor(cell_on_screen(*board, 2).pixel(0, 0)), highlight(*board));

    // A click hides it, and the board looks as it always did.
    click_cell(*board, 9);
    QVERIFY(!board->board_view()->cursor_outlined());
    QVERIFY(board_shows_the_state(*board));
    QCOMPARE(cursor(*board), 2);  // the click does not move it
}

void KeyboardTest::space_and_return_turn_the_card_under_the_cursor_by_the_rules_of_a_click() {
    auto board = open_board_for_two();
    QVERIFY(board);
    const GameState& s = board->game().state();

    go_to(*board, 1);
    press(*board, Qt::Key_Space);  // the first card: the time limit runs
    QCOMPARE(s.cell_state[1], face_up);
    QVERIFY(timer(*board, "time_over")->isActive());
    QVERIFY(!board->menus().show_cards->isEnabled());
    press(*board, Qt::Key_Return);  // the open card again: nothing, the clock runs on
    QCOMPARE(s.cards_turned, 1);
    QVERIFY(timer(*board, "time_over")->isActive());

    // The second card stops the clock; a third is not taken.
    int second = 2;
    while (s.card_face[second] == s.card_face[1]) ++second;
    const int third = second == 2 ? 3 : 2;
    go_to(*board, second);
    press(*board, Qt::Key_Enter, Qt::KeypadModifier);  // a screen reader's key: it turns nothing
    QCOMPARE(s.cell_state[second], face_down);
    press(*board, Qt::Key_Return);
    QCOMPARE(s.cell_state[second], face_up);
    QVERIFY(!timer(*board, "time_over")->isActive());
    QVERIFY(timer(*board, "next_turn")->isActive());
    go_to(*board, third);
    press(*board, Qt::Key_Space);
    QCOMPARE(s.cell_state[third], face_down);
    QVERIFY(fire(*board, "next_turn"));

    // A pair leaves empty places, and an empty place takes no key.
    const auto [a, b] = two_cells(s, true);
    QVERIFY(turn_by_keys(*board, true));
    QCOMPARE(s.cell_state[a], removed);
    go_to(*board, a);
    press(*board, Qt::Key_Space);
    QCOMPARE(s.cards_turned, 0);
    QCOMPARE(cell_on_screen(*board, b), pixels(board->pictures().blank(1)));
}

void KeyboardTest::keys_during_the_computers_turn_turn_nothing() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    QVERIFY(turn_by_keys(*board, false));
    QVERIFY(timer(*board, "com_timer")->isActive());  // the computer has opened its two cards

    const GameState before = s;
    const int hidden = two_cells(s, false).first;
    go_to(*board, hidden);  // the cursor still moves: a listener may look around
    QCOMPARE(cursor(*board), hidden);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) press(*board, key);
    QCOMPARE(s.cell_state, before.cell_state);
    QCOMPARE(s.cards_turned, 2);

    for (int moves = 0; timer(*board, "com_timer")->isActive() && moves < 40; ++moves)
        QVERIFY(fire(*board, "com_timer"));
    QCOMPARE(s.cards_turned, 0);
    const int free = two_cells(s, false).first;  // the turn is back: the same key turns a card
    go_to(*board, free);
    press(*board, Qt::Key_Space);
    QCOMPARE(s.cell_state[free], face_up);
}

VIMBREL_UI_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
