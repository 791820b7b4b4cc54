// The menu commands that open dialogs or restart the game, as a player would use them mid-game,
// and what closing the board does to the dialogs.
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QSlider>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "dialogs/about_box.h"
#include "dialogs/speed_control.h"
#include "dialogs/start_dialog.h"
#include "ui_test_support.h"

namespace vimbrel::testing {

namespace {

// Opens Game Speed from the menu; `act` gets the shown dialog.
void game_speed(BoardWindow& board, std::function<void(QWidget*)> act) {
    when_modal(std::move(act));
    board.menus().door_speed->trigger();
}

void set_slider(QWidget* dialog, int value) {
    dialog->findChild<QSlider*>(QStringLiteral("Hscroll1"))->setValue(value);
}

int slider(QWidget* dialog) {
    return dialog->findChild<QSlider*>(QStringLiteral("Hscroll1"))->value();
}

bool no_timer_running(BoardWindow& board) {
    for (const char* name : {"time_over", "next_turn", "com_timer"})
        if (timer(board, name)->isActive()) return false;
    return true;
}

// A miss by the person, judged: the computer has opened its two cards and waits for com_timer.
bool start_computer_turn(BoardWindow& board) {
    return play_turn(board, false).first && timer(board, "com_timer")->isActive();
}

}  // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void game_speed_keeps_its_value_and_a_closed_dialog_comes_back_at_ten();
    void about_box_is_fresh_at_every_opening_and_destroyed_on_close();
    void size_during_a_judgement_pause_deals_a_sound_game();
    void players_during_the_computers_turn_give_back_the_arrow();
    void new_during_the_computers_turn_deals_after_the_dialog();
    void closing_the_board_destroys_its_dialogs_and_makes_none();
};

void MenuCommandsTest::game_speed_keeps_its_value_and_a_closed_dialog_comes_back_at_ten() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(!board->speed_control().exists());
    int shown = -1;
    // The dialog's own rules (the value kept from one opening to the next, a dialog closed by
    // its frame built again at ten) are speed_control_test's; here the game takes its value.
    game_speed(*board, [&](QWidget* dialog) {
        shown = slider(dialog);
        set_slider(dialog, 0);
        press_ok(dialog);
    });
    QCOMPARE(shown, 10);
    QCOMPARE(board->game().state().door_delay, 0);
    game_speed(*board, [&](QWidget* dialog) {
        set_slider(dialog, 99);
        dialog->close();
    });
    QCOMPARE(board->game().state().door_delay, 10);
}

void MenuCommandsTest::about_box_is_fresh_at_every_opening_and_destroyed_on_close() {
    auto board = open_board();
    QVERIFY(board);
    int phase_at_close = -1;
    bool covered = false;
    when_modal([&](QWidget* box) {
        auto* about = qobject_cast<AboutBox*>(box);
        about->tick();  // the card back slides over the emblem
        phase_at_close = about->phase();
        // Composed in the board's scratch picture, which no card animation has used yet.
        covered = pixels(board->board_view()->temp_pic()) == pixels(board->pictures().back(1));
        box->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    board->menus().about->trigger();
    QCOMPARE(phase_at_close, 1);
    QVERIFY(covered);  // its closing destroys it: about_box_test
    // Reading the slider for the sweep created the speed dialog, hidden.
    QVERIFY(board->speed_control().exists());
    QVERIFY(!board->speed_control().dialog().isVisible());

    // A box after one that was ticked starts uncovered: nothing of the last one is kept.
    int phase_at_open = -1;
    when_modal([&](QWidget* box) {
        phase_at_open = qobject_cast<AboutBox*>(box)->phase();
        box->close();
    });
    board->menus().about->trigger();
    QCOMPARE(phase_at_open, 0);
}

void MenuCommandsTest::size_during_a_judgement_pause_deals_a_sound_game() {
    auto board = open_board();
    QVERIFY(board);
    const auto [a, b] = two_cells(board->game().state(), true);
    click_cell(*board, a);
    click_cell(*board, b);
    QVERIFY(timer(*board, "next_turn")->isActive());
    board->menus().six->trigger();
    const GameState& s = board->game().state();
    QCOMPARE(s.grid_size, 6);
    QVERIFY(no_timer_running(*board));
    QCOMPARE(s.score[1], 0);
    QCOMPARE(s.pairs_taken, 0);
    QVERIFY(board->menus().show_cards->isEnabled() && board->menus().about->isEnabled());
    QVERIFY(board_shows_the_state(*board));
    click_cell(*board, 1);
    QCOMPARE(s.cards_turned, 1);
}

void MenuCommandsTest::players_during_the_computers_turn_give_back_the_arrow() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(start_computer_turn(*board));
    QVERIFY(QGuiApplication::overrideCursor());
    board->menus().two_people->trigger();
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(no_timer_running(*board));
    QVERIFY(board->menus().two_people->isChecked() && !board->menus().versus_computer->isChecked());
    QCOMPARE(board->panel()->findChild<QLabel*>(QStringLiteral("label"))->text(),
             QStringLiteral("1P's turn."));
    QCOMPARE(board->game().state().current_player, 1);
    QVERIFY(board_shows_the_state(*board));
}

void MenuCommandsTest::new_during_the_computers_turn_deals_after_the_dialog() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(start_computer_turn(*board));
    when_modal([&](QWidget* dialog) {
        // The old game is still on while the dialog is open; its tick may run meanwhile.
        QVERIFY(board->game().state().cards_turned == 2);
        press_ok(dialog);
    });
    board->menus().new_game->trigger();
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(no_timer_running(*board));
    const GameState& s = board->game().state();
    QCOMPARE(s.round_no, 1);
    QCOMPARE(s.cards_turned, 0);
    for (int cell = 1; cell <= s.cell_count(); ++cell) QCOMPARE(s.cell_state[cell], face_down);
}

// Closing the board, in a turn, stops its clock and destroys the dialogs it holds: the start
// dialog, and the Game Speed dialog if it was made; it makes none to destroy it.
void MenuCommandsTest::closing_the_board_destroys_its_dialogs_and_makes_none() {
    for (const bool speed_made : {false, true}) {
        auto board = open_board();
        QVERIFY(board);
        QPointer<StartDialog> begin = board->start_dialog();
        QPointer<QDialog> speed = speed_made ? &board->speed_control().dialog() : nullptr;
        click_cell(*board, 1);
        board->close();
        QVERIFY(begin.isNull() && speed.isNull());
        QVERIFY(!board->speed_control().exists());
        QVERIFY(!timer(*board, "time_over")->isActive());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(widget->objectName() != QStringLiteral("Speed_control"));
    }
}

}  // namespace vimbrel::testing

VIMBREL_UI_TEST_MAIN(vimbrel::testing::MenuCommandsTest)
#include "menu_commands_test.moc"
