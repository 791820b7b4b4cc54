// What a screen reader gets through Qt's accessibility interfaces: a name for every label, menu
// item and dialog control, and a board whose face-down cards never name their pictures.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "board/board_menus.h"
#include "board/status_panel.h"
#include "dialogs/about_box.h"
#include "dialogs/speed_control.h"
#include "dialogs/start_dialog.h"
#include "ui_test_support.h"

namespace vimbrel::testing {

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString name_of(QObject* object) {
    QAccessibleInterface* iface = accessible(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The names of the widgets in `window` that have none, by object name and class.
QStringList unnamed_widgets(QWidget* window) {
    QStringList unnamed;
    // A widget kept hidden is not presented (the announcer's voices wait so for their texts).
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (!widget->isHidden() && name_of(widget).isEmpty())
            unnamed << widget->objectName() + QLatin1Char(' ') +
                           QLatin1String(widget->metaObject()->className());
    return unnamed;
}

// A cell's name: its place first, then what lies there.
QString named(int row, int col, const QString& what) {
    return QStringLiteral("Row %1, column %2, %3").arg(row).arg(col).arg(what);
}

// The accessible element of a cell (1..N) of the board.
QAccessibleInterface* cell_element(BoardWindow& board, int cell) {
    return accessible(board.board_view())->child(cell - 1);
}

QString cell_name(BoardWindow& board, int cell) {
    return cell_element(board, cell)->text(QAccessible::Name);
}

QString named(BoardWindow& board, int cell, const QString& what) {
    const int grid = board.game().state().grid_size;
    return named((cell - 1) / grid + 1, (cell - 1) % grid + 1, what);
}

QString face_of(BoardWindow& board, int cell) {
    return QLatin1String(face_names[board.game().state().card_face[cell]]);
}

void key(BoardWindow& board, Qt::Key k) {
    wait_for_the_queues(board);
    QTest::keyClick(board.windowHandle(), k);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    // First, so that its board is the process's first: the grid's own interface must be in place
    // before anything asks for the widget's, or Qt keeps a plain widget's for good.
    void face_down_cards_are_named_by_their_place_only();
    void panel_labels_are_named_and_numbers_say_what_they_count();
    void every_menu_and_menu_item_is_named();
    void every_control_of_the_dialogs_is_named();
    void open_and_removed_cards_are_named_by_what_they_show();
    void the_cells_follow_the_board_size_and_lie_on_the_screen();
    void the_cursor_cell_is_the_focused_one();
    void a_setting_is_chosen_by_its_press_action();
};

void AccessibilityTest::panel_labels_are_named_and_numbers_say_what_they_count() {
    auto board = open_board();
    QVERIFY(board);
    StatusPanel* panel = board->panel();
    // Neither named nor described: a reader would say "Status status bar".
    QCOMPARE(name_of(panel) + accessible(panel)->text(QAccessible::Description), QString());
    QVERIFY(accessible(board.get())->indexOfChild(accessible(panel)) >= 0);
    QCOMPARE(panel->findChildren<QLabel*>().size(), 7);
    QCOMPARE(unnamed_widgets(panel), QStringList());

    const auto label = [&](const char* name) {
        return panel->findChild<QLabel*>(QLatin1String(name));
    };
    QCOMPARE(name_of(label("player_name_0")), QStringLiteral("You"));
    QCOMPARE(name_of(label("score_0")), QStringLiteral("You: 0 points"));
    QCOMPARE(name_of(label("score_1")), QStringLiteral("Computer: 0 points"));
    QCOMPARE(name_of(label("label")), QStringLiteral("Your turn."));
    QCOMPARE(name_of(label("round")), QStringLiteral("Round 1"));
    QCOMPARE(accessible(label("score_1"))->text(QAccessible::Description),
             QStringLiteral("Score of player 2"));
    // What the status bar reads, in order: each fact once (the names are in the scores), and the
    // caption "Round :" is not a line of its own. A reader that reads only the children with
    // text finds each label's name as its text.
    QAccessibleInterface* bar = accessible(panel);
    QStringList read;
    for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface* child = bar->child(i);
        QCOMPARE(bar->indexOfChild(child), i);
        read << child->text(QAccessible::Name);
        if (qobject_cast<QLabel*>(child->object())) {
            QVERIFY(child->textInterface());
            const int length = child->textInterface()->characterCount();
            QCOMPARE(child->textInterface()->text(0, length), read.last());
            // Read in parts, as a reader reads by words: -1 and any end past the text mean its end.
            QCOMPARE(child->textInterface()->text(1, 3), read.last().mid(1, 2));
            QCOMPARE(child->textInterface()->text(3, -1), read.last().mid(3));
            QCOMPARE(child->textInterface()->text(0, 0), QString());
            QCOMPARE(child->textInterface()->text(2, length + 9), read.last().mid(2));
            int start = -1, end = -1;  // one run of plain text, whatever the offset asked
            child->textInterface()->attributes(2, &start, &end);
            QCOMPARE(std::pair(start, end), std::pair(0, length));
        }
    }
    QCOMPARE(read.mid(0, 4),
             (QStringList{"You: 0 points", "Computer: 0 points", "Your turn.", "Round 1"}));

    // A pair scores; the score's name follows its number, and the names follow the players.
    const auto [a, b] = play_turn(*board, true);
    QVERIFY(a);
    QCOMPARE(name_of(label("score_0")), QStringLiteral("You: 10 points"));
    board->menus().two_people->trigger();
    QCOMPARE(name_of(label("score_0")), QStringLiteral("Player 1: 0 points"));
    QCOMPARE(name_of(label("score_1")), QStringLiteral("Player 2: 0 points"));
}

void AccessibilityTest::every_menu_and_menu_item_is_named() {
    auto board = open_board();
    QVERIFY(board);
    QAccessibleInterface* bar = accessible(board->menuBar());
    QStringList top;
    for (int i = 0; i < bar->childCount(); ++i) top << bar->child(i)->text(QAccessible::Name);
    QCOMPARE(top, (QStringList{"Game", "Size", "Players", "Computer"}));

    for (QAction* top_item : board->menuBar()->actions()) {
        QMenu* menu = top_item->menu();
        QVERIFY(menu);
        QCOMPARE(name_of(menu), menu->title());
        QAccessibleInterface* items = accessible(menu);
        QCOMPARE(items->childCount(), menu->actions().size());
        QCOMPARE(items->parent()->text(QAccessible::Name), menu->title());  // its menu bar entry
        for (int i = 0; i < items->childCount(); ++i) {
            QCOMPARE(items->indexOfChild(items->child(i)), i);
            QCOMPARE(items->child(i)->parent()->object(), menu);
            // A separator counts among the items, and cannot be chosen.
            if (menu->actions()[i]->isSeparator()) {
                QVERIFY(items->child(i)->state().disabled);
                continue;
            }
            QCOMPARE(items->child(i)->text(QAccessible::Name), menu->actions()[i]->text());
            const bool setting = menu->actions()[i]->isCheckable();
            QCOMPARE(items->child(i)->role(),
                     setting ? QAccessible::CheckBox : QAccessible::MenuItem);
            QCOMPARE(items->child(i)->state().checked, menu->actions()[i]->isChecked());
            QVERIFY(!menu->actions()[i]->text().isEmpty());
        }
    }
}

void AccessibilityTest::every_control_of_the_dialogs_is_named() {
    auto board = open_board();
    QVERIFY(board);

    StartDialog begin(board.get());
    QCOMPARE(name_of(&begin), QStringLiteral("Welcome !! Please Select --"));
    QCOMPARE(unnamed_widgets(&begin), QStringList());

    SpeedControl speed(board.get());
    QCOMPARE(unnamed_widgets(&speed), QStringList());
    QCOMPARE(name_of(speed.findChild<QWidget*>(QStringLiteral("Hscroll1"))),
             QStringLiteral("Game speed"));

    const CardPictures& pictures = board->pictures();
    AboutBox about(
        pictures.back(1.0), pictures.face(emblem_face, 1.0), board->board_view()->temp_pic(),
        [] { return 0; }, board.get());
    about.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(unnamed_widgets(&about), QStringList());
    QCOMPARE(name_of(about.findChild<QWidget*>(QStringLiteral("logo"))),
             QStringLiteral("Vimbrel emblem"));
}

void AccessibilityTest::face_down_cards_are_named_by_their_place_only() {
    auto board = open_board();
    QVERIFY(board);
    QAccessibleInterface* grid = accessible(board->board_view());
    QCOMPARE(grid->role(), QAccessible::List);
    QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Board"));

    const GameState& s = board->game().state();
    for (int cell = 1; cell <= s.cell_count(); ++cell) {
        QCOMPARE(s.cell_state[cell], face_down);
        const QString name = cell_name(*board, cell);
        QCOMPARE(name, named(*board, cell, "hidden"));
        QAccessibleInterface* element = cell_element(*board, cell);
        for (const QAccessible::Text text :
             {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help,
              QAccessible::Accelerator, QAccessible::UserText}) {
            const QString said = element->text(text);
            for (const char* face : face_names)
                QVERIFY2(!said.contains(QLatin1String(face)), qPrintable(said));
        }
        for (const QAccessible::InterfaceType kind :
             {QAccessible::ImageInterface, QAccessible::ValueInterface, QAccessible::TextInterface,
              QAccessible::ActionInterface})
            QVERIFY(!element->interface_cast(kind));
        QCOMPARE(element->role(), QAccessible::ListItem);
    }

    // One open card: the others still hide their pictures, even those that show the same one.
    const auto [a, b] = two_cells(s, true);
    click_cell(*board, a);
    QCOMPARE(cell_name(*board, b), named(*board, b, "hidden"));
}

void AccessibilityTest::open_and_removed_cards_are_named_by_what_they_show() {
    auto board = open_board();
    QVERIFY(board);
    const GameState& s = board->game().state();
    const auto [a, b] = two_cells(s, true);
    click_cell(*board, a);
    QCOMPARE(cell_name(*board, a), named(*board, a, face_of(*board, a)));
    click_cell(*board, b);
    QVERIFY(fire(*board, "next_turn"));
    QCOMPARE(s.cell_state[a], removed);
    QCOMPARE(cell_name(*board, a), named(*board, a, "empty"));
    QVERIFY(cell_element(*board, a)->state().disabled);
    const int hidden = two_cells(s, false).first;
    QVERIFY(!cell_element(*board, hidden)->state().disabled);

    // Show Cards turns every face-down card up, and every one of them then says its picture.
    board->menus().show_cards->trigger();
    for (int cell = 1; cell <= s.cell_count(); ++cell) {
        if (s.cell_state[cell] != face_up) continue;
        QCOMPARE(cell_name(*board, cell), named(*board, cell, face_of(*board, cell)));
    }
}

void AccessibilityTest::the_cells_follow_the_board_size_and_lie_on_the_screen() {
    auto board = open_board();
    QVERIFY(board);
    QAccessibleInterface* grid = accessible(board->board_view());
    // The cells and nothing else: a reader's "n of N" counts cards.
    QCOMPARE(grid->childCount(), 64);
    QVERIFY(!grid->child(64));
    QVERIFY(accessible(board.get())->indexOfChild(accessible(board->panel())) >= 0);

    board->menus().ten->trigger();
    QCOMPARE(grid->childCount(), 100);
    QCOMPARE(cell_name(*board, 100), named(10, 10, "hidden"));

    for (const int cell : {1, 10, 11, 57, 100}) {
        QAccessibleInterface* element = cell_element(*board, cell);
        const QRect on_view = cell_rect(*board, cell);
        const QRect on_screen(board->board_view()->mapToGlobal(on_view.topLeft()), on_view.size());
        QCOMPARE(element->rect(), on_screen);
        QCOMPARE(grid->childAt(on_screen.center().x(), on_screen.center().y()), element);
        QCOMPARE(grid->childAt(on_screen.x(), on_screen.y()), element);
        QCOMPARE(grid->indexOfChild(element), cell - 1);
        QCOMPARE(element->parent(), grid);
    }
    const QPoint on_panel = board->panel()->mapToGlobal(QPoint(5, 5));
    QVERIFY(!grid->childAt(on_panel.x(), on_panel.y()));
    QCOMPARE(grid->indexOfChild(accessible(board->panel())), -1);  // not one of the cells

    // A smaller board takes the cells beyond it out of the list: a reader that asks for one by its
    // id still gets an answer, a hidden place without a name; the cells that remain stay.
    const QAccessible::Id last = QAccessible::uniqueId(cell_element(*board, 100));
    const QAccessible::Id first = QAccessible::uniqueId(cell_element(*board, 1));
    board->menus().six->trigger();
    QCOMPARE(grid->childCount(), 36);
    QAccessibleInterface* gone = QAccessible::accessibleInterface(last);
    QVERIFY(gone && gone->text(QAccessible::Name).isEmpty() && gone->state().invisible);
    QCOMPARE(grid->indexOfChild(gone), -1);
    QCOMPARE(QAccessible::accessibleInterface(first), cell_element(*board, 1));
    QCOMPARE(cell_name(*board, 36), named(6, 6, "hidden"));
    // Growing again brings new cells beyond 36, each at its place in the list.
    board->menus().ten->trigger();
    QCOMPARE(cell_name(*board, 100), named(10, 10, "hidden"));
    QCOMPARE(grid->indexOfChild(cell_element(*board, 100)), 99);

    // The cells go with the board: a reader holding one finds nothing.
    board.reset();
    QVERIFY(!QAccessible::accessibleInterface(first));
}

// A screen reader chooses a setting as it activates any menu item, by its press action; the
// item offers no other.
void AccessibilityTest::a_setting_is_chosen_by_its_press_action() {
    auto board = open_board();
    QVERIFY(board);
    QAccessibleInterface* six = accessible(board->menus().six);
    QAccessibleActionInterface* actions = six->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(board->game().state().grid_size, 8);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(board->game().state().grid_size, 6);
    QVERIFY(six->state().checked);
}

// The events that tell of these changes reach a screen reader only over a real accessibility
// bus (Qt's offscreen platform has none): tests/ui/atspi_test.py follows them there.
void AccessibilityTest::the_cursor_cell_is_the_focused_one() {
    auto board = open_board();
    QVERIFY(board);
    QAccessibleInterface* grid = accessible(board->board_view());
    QTRY_VERIFY(board->board_view()->hasFocus());
    QCOMPARE(grid->focusChild(), cell_element(*board, 1));

    key(*board, Qt::Key_Right);
    key(*board, Qt::Key_Down);
    QCOMPARE(grid->focusChild(), cell_element(*board, 10));
    QVERIFY(cell_element(*board, 10)->state().focused);
    for (const int other : {1, 2, 9, 11, 64}) {
        QVERIFY(!cell_element(*board, other)->state().focused);
        QVERIFY(cell_element(*board, other)->state().focusable);
    }
    key(*board, Qt::Key_Space);
    QCOMPARE(grid->focusChild()->text(QAccessible::Name), named(2, 2, face_of(*board, 10)));

    // Without the keys, the board has no focused cell.
    board->board_view()->clearFocus();
    QVERIFY(!grid->focusChild());
    QVERIFY(!cell_element(*board, 10)->state().focused);
}

}  // namespace vimbrel::testing

using vimbrel::testing::AccessibilityTest;
VIMBREL_UI_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
