// Playing on the real board window, every step checked against what the screen shows.
#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QtTest>

#include <algorithm>
#include <optional>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

// Records how a menu draws each of its items: the kind of mark, and whether it is set.
class MarkRecorder final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item && element == CE_MenuItem)
            marks[item->text] = item->checkType == QStyleOptionMenuItem::NonExclusive
                                    ? (item->checked ? 'v' : '-')
                                : item->checkType == QStyleOptionMenuItem::Exclusive ? 'o'
                                                                                     : ' ';
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable QMap<QString, char> marks;  // 'v' a check mark, '-' an empty one, 'o' a radio dot
};

// How the open setting menus draw their items, in menu order.
QString drawn_marks(BoardWindow& board) {
    MarkRecorder recorder;
    QString drawn;
    for (const char* name : {"board_size", "option", "computer"}) {
        auto* menu = board.findChild<QMenu*>(QString::fromLatin1(name));
        menu->setStyle(&recorder);
        menu->adjustSize();
        menu->grab();
        for (QAction* item : menu->actions())
            if (!item->isSeparator()) drawn += recorder.marks.value(item->text(), '?');
        drawn += ' ';
        menu->setStyle(nullptr);
    }
    return drawn;
}

}  // namespace

class BoardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void start_up_shows_backs_behind_one_start_dialog();
    void cards_open_and_a_third_click_is_ignored();
    void a_miss_closes_both_cards_and_a_pair_leaves_empty_places();
    void the_computer_turn_ends_with_the_arrow_pointer();
    void the_door_takes_the_time_its_speed_sets();
    void closing_during_the_computers_turn_leaves_no_wait_pointer();
    void show_cards_reveals_every_face_down_card();
    void the_last_pair_ends_the_game_with_a_message();
    void choosing_the_checked_item_does_nothing();
    void every_setting_item_sets_what_it_names();
    void a_release_picks_only_the_card_under_it();
    void a_seed_in_the_environment_replays_the_deal();
    void the_start_loads_no_sound_library();
    void the_menus_hold_their_items_in_order();
    void exit_stops_everything_at_once();  // last: it ends every event loop
};

void BoardWindowTest::start_up_shows_backs_behind_one_start_dialog() {
    BoardWindow board{CardPictures(placeholder_images())};
    QCOMPARE(board.windowTitle(), QStringLiteral("Vimbrel"));
    bool backs = false;
    int dialogs = 0;
    when_modal([&](QWidget* modal) {
        board.board_view()->repaint();  // a paint under the dialog opens no second one
        QTest::qWait(30);
        dialogs = int(board.findChildren<QDialog*>(QStringLiteral("begin")).size());
        backs = board_shows_the_state(board) && board.game().state().round_no == 0;
        press_ok(modal);
    });
    board.show();
    QTRY_COMPARE(board.game().state().round_no, 1);
    QCOMPARE(dialogs, 1);
    QVERIFY(backs);
    QCOMPARE(label_text(board, "round"), QStringLiteral("1"));
    board.board_view()->repaint();
    QTest::qWait(30);
    QVERIFY(!QApplication::activeModalWidget());
}

void BoardWindowTest::cards_open_and_a_third_click_is_ignored() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    const auto [first, second] = two_cells(s, false);
    click_cell(*board, first, Qt::RightButton);  // any button picks
    QCOMPARE(s.cell_state[first], face_up);
    QCOMPARE(cell_on_screen(*board, first), pixels(board->pictures().face(s.card_face[first], 1)));
    QVERIFY(timer(*board, "time_over")->isActive());
    // Each keeps its interval to the millisecond: a coarse timer may fire 5 % early or late.
    const std::pair<const char*, int> timers[] = {
        {"time_over", 5000}, {"next_turn", 500}, {"com_timer", 500}};
    for (const auto& [name, ms] : timers) {
        QCOMPARE(timer(*board, name)->timerType(), Qt::PreciseTimer);
        QCOMPARE(timer(*board, name)->interval(), ms);
    }
    QVERIFY(!board->menus().show_cards->isEnabled() && !board->menus().about->isEnabled());

    click_cell(*board, first);  // the open card again: nothing
    QCOMPARE(s.cards_turned, 1);
    click_cell(*board, second);
    QVERIFY(timer(*board, "next_turn")->isActive());
    QVERIFY(!timer(*board, "time_over")->isActive());
    const int third = two_cells(s, false).first;
    click_cell(*board, third);
    QCOMPARE(s.cell_state[third], face_down);
    QVERIFY(board_shows_the_state(*board));
}

void BoardWindowTest::a_miss_closes_both_cards_and_a_pair_leaves_empty_places() {
    auto board = open_board_for_two();
    QVERIFY(board);
    const GameState& s = board->game().state();
    const auto [a, b] = play_turn(*board, false);
    QVERIFY(a);
    QCOMPARE(cell_on_screen(*board, a), pixels(board->pictures().back(1)));
    QCOMPARE(cell_on_screen(*board, b), pixels(board->pictures().back(1)));
    // The closing door ends on the back, the leaving one on the empty place (the last step drawn).
    QCOMPARE(pixels(board->board_view()->temp_pic()), pixels(board->pictures().back(1)));
    QCOMPARE(label_text(*board, "label"), QStringLiteral("2P's turn."));
    QVERIFY(board->menus().show_cards->isEnabled() && board->menus().about->isEnabled());

    const auto [c, d] = play_turn(*board, true);
    QVERIFY(c);
    QCOMPARE(s.cell_state[c], removed);
    QCOMPARE(cell_on_screen(*board, c), pixels(board->pictures().blank(1)));
    QCOMPARE(cell_on_screen(*board, d), pixels(board->pictures().blank(1)));
    QCOMPARE(pixels(board->board_view()->temp_pic()), pixels(board->pictures().blank(1)));
    QCOMPARE(label_text(*board, "score_1"), QStringLiteral("10"));
    click_cell(*board, c);  // an empty place takes no click
    QCOMPARE(s.cards_turned, 0);
    QVERIFY(board_shows_the_state(*board));
}

void BoardWindowTest::the_computer_turn_ends_with_the_arrow_pointer() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    const auto [a, b] = play_turn(*board, false);
    QVERIFY(a);

    // The computer has opened its two cards and waits for its judgement; the board is locked.
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QCOMPARE(label_text(*board, "label"), QStringLiteral("Computer thinking..."));
    QVERIFY(board_shows_the_state(*board));
    click_cell(*board, two_cells(s, false).first);
    QCOMPARE(s.cards_turned, 2);

    for (int moves = 0; timer(*board, "com_timer")->isActive() && moves < 40; ++moves)
        QVERIFY(fire(*board, "com_timer"));
    QCOMPARE(s.cards_turned, 0);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(label_text(*board, "label"), QStringLiteral("Your turn."));
    QVERIFY(board_shows_the_state(*board));
}

// Each of a door's 32 steps waits door_delay half milliseconds. Only the least time is checked:
// a sleep never ends early, so a loaded machine cannot fail it.
void BoardWindowTest::the_door_takes_the_time_its_speed_sets() {
    auto board = open_board();
    QVERIFY(board);
    board->game().set_door_delay(10);
    QElapsedTimer clock;
    clock.start();
    click_cell(*board, 1);
    QCOMPARE(board->game().state().cell_state[1], face_up);
    QVERIFY2(clock.elapsed() >= 32 * 10 / 2, qPrintable(QString::number(clock.elapsed())));
}

void BoardWindowTest::closing_during_the_computers_turn_leaves_no_wait_pointer() {
    auto board = open_board();
    QVERIFY(board);
    QVERIFY(play_turn(*board, false).first);
    QVERIFY(QGuiApplication::overrideCursor());
    board.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void BoardWindowTest::show_cards_reveals_every_face_down_card() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    const auto [a, b] = play_turn(*board, true);
    QVERIFY(a);

    board->menus().show_cards->trigger();
    for (int cell = 1; cell <= s.cell_count(); ++cell)
        QCOMPARE(s.cell_state[cell], (cell == a || cell == b) ? removed : face_up);
    QVERIFY(!board->menus().show_cards->isEnabled() && board->menus().about->isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    board->board_view()->repaint();
    QVERIFY(board_shows_the_state(*board));
}

void BoardWindowTest::the_last_pair_ends_the_game_with_a_message() {
    auto board = open_board_for_two();
    QVERIFY(board);
    board->menus().six->trigger();
    QString text;
    QString scores;
    QString title;
    int width = 0;
    bool modal_ok_box = false;
    when_modal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        text = box->text();
        scores = box->informativeText();
        title = box->windowTitle();
        width = box->frameGeometry().width();
        modal_ok_box = box->isModal() && box->buttons().size() == 1;
        box->button(QMessageBox::Ok)->click();
    });
    for (int pairs = 0; pairs < 18; ++pairs) QVERIFY(play_turn(*board, true).first);
    QCOMPARE(text, QStringLiteral("Player 1 win."));
    QCOMPARE(scores, QStringLiteral("Player 1: 180 points, Player 2: 0 points."));
    QCOMPARE(title, QStringLiteral("Game Over"));
    QVERIFY(modal_ok_box);
    // Wide enough for a window manager to show the title whole beside its title-bar buttons,
    // each at least as wide as a line of the title-bar font is high.
    QFont title_font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    title_font.setBold(true);
    const QFontMetrics metrics(title_font);
    QVERIFY2(width >= metrics.horizontalAdvance(title) + 4 * metrics.height(),
             qPrintable(QString::number(width)));
    QCOMPARE(label_text(*board, "score_0"), QStringLiteral("180"));
    QVERIFY(!board->menus().show_cards->isEnabled() && board->menus().about->isEnabled());
    QVERIFY(board_shows_the_state(*board));
}

void BoardWindowTest::choosing_the_checked_item_does_nothing() {
    auto board = open_board();
    QVERIFY(board);
    BoardMenus& m = board->menus();
    const GameState& s = board->game().state();
    click_cell(*board, 1);
    const GameState before = s;
    QCOMPARE(drawn_marks(*board), QStringLiteral("-v- v- -v-v- "));
    for (QAction* checked : {m.eight, m.versus_computer, m.normal_memory, m.ai_and_memory}) {
        QVERIFY(checked->isChecked());
        checked->trigger();
        QVERIFY(checked->isChecked());
    }
    QCOMPARE(s.card_face, before.card_face);
    QCOMPARE(s.cell_state, before.cell_state);
    QVERIFY(timer(*board, "time_over")->isActive());

    // Another item moves the mark as drawn (what each item sets: the next test).
    m.ten->trigger();
    m.memory_only->trigger();
    QCOMPARE(drawn_marks(*board), QStringLiteral("--v v- -v--v "));
}

// Each item of the Size, Players and Computer menus reaches the game and moves its menu's mark.
void BoardWindowTest::every_setting_item_sets_what_it_names() {
    auto board = open_board();
    QVERIFY(board);
    BoardMenus& m = board->menus();
    const Game& game = board->game();
    const auto only_checked = [](std::initializer_list<QAction*> items, QAction* chosen) {
        return std::all_of(items.begin(), items.end(),
                           [&](QAction* item) { return item->isChecked() == (item == chosen); });
    };
    for (const auto& [item, size] : {std::pair{m.ten, 10}, {m.six, 6}, {m.eight, 8}}) {
        item->trigger();
        QCOMPARE(game.state().grid_size, size);
        QVERIFY(only_checked({m.six, m.eight, m.ten}, item));
    }
    for (const auto& [item, second] :
         {std::pair{m.two_people, "Player 2"}, {m.versus_computer, "Computer"}}) {
        item->trigger();
        QCOMPARE(label_text(*board, "player_name_1"), QString::fromLatin1(second));
        QVERIFY(only_checked({m.versus_computer, m.two_people}, item));
    }
    for (const auto& [item, threshold] :
         {std::pair{m.low_memory, 500}, {m.good_memory, 100}, {m.normal_memory, 300}}) {
        item->trigger();
        QCOMPARE(game.state().memory_threshold, threshold);
        QVERIFY(only_checked({m.good_memory, m.normal_memory, m.low_memory}, item));
    }
    for (const auto& [item, mode] : {std::pair{m.memory_only, ChoiceMode::memory_only},
                                     {m.ai_and_memory, ChoiceMode::ai_and_memory}}) {
        item->trigger();
        QVERIFY(game.settings().choice == mode);
        QVERIFY(only_checked({m.ai_and_memory, m.memory_only}, item));
    }
}

void BoardWindowTest::a_release_picks_only_the_card_under_it() {
    auto board = open_board();
    QVERIFY(board);
    StatusPanel* panel = board->panel();
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(panel->findChild<QLabel*>(QStringLiteral("player_name_0")), Qt::LeftButton,
                        {}, QPoint(3, 3));
    QCOMPARE(board->game().state().cards_turned, 0);
    // Between whole pixels, as a fractional scale reports them: half a pixel left of the grid is
    // off the board, and the last fraction of the first card's column is still that card.
    BoardView* view = board->board_view();
    for (const QPointF at : {QPointF(-0.5, 5.5), QPointF(31.75, 0.5)}) {
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &release);
    }
    QCOMPARE(board->game().state().turned_cells[0], 1);
    QCOMPARE(board->game().state().cards_turned, 1);
}

void BoardWindowTest::a_seed_in_the_environment_replays_the_deal() {
    const auto deal_with_seed = [](const char* seed) {
        qputenv("VIMBREL_SEED", seed);
        const auto board = open_board();
        qunsetenv("VIMBREL_SEED");
        return board ? std::optional(board->game().state().card_face) : std::nullopt;
    };
    const auto first = deal_with_seed("20261207");
    QVERIFY(first);
    QVERIFY(deal_with_seed("20261207") == first);
    QVERIFY(deal_with_seed("20261208") != first);
    // Anything but a whole number leaves chance to the system: no two deals alike.
    QVERIFY(deal_with_seed("0x14") != deal_with_seed("0x14"));
}

// The desktop bell's libraries wait for its first ring where the platform has no bell.
void BoardWindowTest::the_start_loads_no_sound_library() {
    const auto board = open_board();
    QVERIFY(board);
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(!mapped.contains("libcanberra"));
    QVERIFY(!mapped.contains("libgio-2.0"));
}

// What a player finds where in each menu; a separator shows as "|".
void BoardWindowTest::the_menus_hold_their_items_in_order() {
    BoardWindow board{CardPictures(placeholder_images())};
    const std::pair<const char*, const char*> menus[] = {
        {"game", "new show_cards door_speed | quit | about"},
        {"board_size", "six eight ten"},
        {"option", "pvc pvp"},
        {"computer", "high med low | ai_on ai_off"}};
    for (const auto& [name, items] : menus) {
        QStringList found;
        for (const QAction* item : board.findChild<QMenu*>(QString::fromLatin1(name))->actions())
            found << (item->isSeparator() ? QStringLiteral("|") : item->objectName());
        QCOMPARE(found.join(QLatin1Char(' ')), QString::fromLatin1(items));
    }
}

void BoardWindowTest::exit_stops_everything_at_once() {
    auto board = open_board();
    QVERIFY(board);
    click_cell(*board, 1);
    QVERIFY(timer(*board, "time_over")->isActive());
    // Exit leaves every running event loop; this one stands in for the application's.
    QEventLoop loop;
    QTimer::singleShot(0, board.get(), [&] { board->menus().quit->trigger(); });
    QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!timer(*board, "time_over")->isActive());
    click_cell(*board, 2);
    QCOMPARE(board->game().state().cell_state[2], face_down);
}

VIMBREL_UI_TEST_MAIN(BoardWindowTest)
#include "board_window_test.moc"
