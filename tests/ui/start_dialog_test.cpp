// The start dialog: its choices reach the menus and the panel, it keeps them while hidden, and
// closing it through its frame, or closing the board, destroys it.
#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWindow>
#include <QtTest>

#include "board/board_menus.h"
#include "dialogs/start_dialog.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

bool selected(QWidget* dialog, const char* name) {
    return dialog->findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked();
}

void select(QWidget* dialog, const char* name) {
    dialog->findChild<QRadioButton*>(QString::fromLatin1(name))->click();
}

QString name_label(BoardWindow& board, int index) {
    return board.findChild<QLabel*>(QStringLiteral("player_name_%1").arg(index))->text();
}

// The caption of an option as the style draws it, its mark and its text, in the dialog's pixels.
QRect caption_of(QRadioButton* option) {
    QStyleOptionButton style_option;
    style_option.initFrom(option);
    style_option.text = option->text();
    const QStyle* style = option->style();
    const QRect contents =
        style->subElementRect(QStyle::SE_RadioButtonContents, &style_option, option);
    const QRect text = style->itemTextRect(option->fontMetrics(), contents,
                                           Qt::AlignLeft | Qt::AlignVCenter, true, option->text());
    const QRect mark =
        style->subElementRect(QStyle::SE_RadioButtonIndicator, &style_option, option);
    return text.united(mark).translated(option->mapTo(option->window(), QPoint(0, 0)));
}

// Chooses New and lets `act` answer the dialog from inside its exec().
void new_game(BoardWindow& board, std::function<void(QWidget*)> act) {
    when_modal(std::move(act));
    board.menus().new_game->trigger();
}

}  // namespace

class StartDialogTest : public QObject {
    Q_OBJECT

private slots:
    void it_opens_with_ok_focused_and_ignores_escape();
    void its_choices_reach_the_menus_and_stay_for_the_next_opening();
    void each_size_deals_a_board_of_that_size();
    void closing_it_through_its_frame_writes_nothing_and_gives_a_fresh_one();
    void every_pixel_of_a_size_caption_chooses_that_size_data();
    void every_pixel_of_a_size_caption_chooses_that_size();
    void tab_enters_each_group_at_its_selected_option_and_arrows_move_it();
    void both_pairs_of_arrows_move_within_either_group();
};

void StartDialogTest::it_opens_with_ok_focused_and_ignores_escape() {
    BoardWindow board{CardPictures(placeholder_images())};
    QString focused;
    bool still_open = false;
    bool without_icon = false;  // the board's emblem is not the dialog's own
    when_modal([&](QWidget* dialog) {
        without_icon = dialog->windowIcon().isNull();
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        QTest::keyClick(dialog, Qt::Key_Escape);
        still_open = dialog->isVisible();
        press_ok(dialog);
    });
    board.show();
    QTRY_COMPARE(board.game().state().round_no, 1);
    QCOMPARE(focused, QStringLiteral("Command1"));
    QVERIFY(still_open);
    QVERIFY(without_icon);
}

void StartDialogTest::its_choices_reach_the_menus_and_stay_for_the_next_opening() {
    auto board = open_board();
    QVERIFY(board);
    BoardMenus& m = board->menus();
    new_game(*board, [](QWidget* dialog) {
        select(dialog, "Option2");
        select(dialog, "six");
        press_ok(dialog);
    });
    QVERIFY(m.two_people->isChecked() && !m.versus_computer->isChecked());
    QVERIFY(m.six->isChecked() && !m.eight->isChecked() && !m.ten->isChecked());
    QCOMPARE(name_label(*board, 0), QStringLiteral("Player 1"));
    QCOMPARE(name_label(*board, 1), QStringLiteral("Player 2"));
    QCOMPARE(board->game().state().grid_size, 6);
    QVERIFY(m.normal_memory->isChecked() && m.ai_and_memory->isChecked());

    // The menu moves on; the dialog still shows its own last choice and OK writes it again.
    m.ten->trigger();
    QPointer<StartDialog> first = board->start_dialog();
    bool kept = false;
    new_game(*board, [&](QWidget* dialog) {
        kept = dialog == first && selected(dialog, "Option2") && selected(dialog, "six");
        press_ok(dialog);
    });
    QVERIFY(kept);
    QVERIFY(m.six->isChecked());
    QCOMPARE(board->game().state().grid_size, 6);
}

void StartDialogTest::each_size_deals_a_board_of_that_size() {
    auto board = open_board();
    QVERIFY(board);
    QCOMPARE(board->game().state().grid_size, 8);  // the size chosen when the dialog first opens
    const std::pair<const char*, int> choices[] = {{"ten", 10}, {"six", 6}, {"eight", 8}};
    for (const auto& [name, size] : choices) {
        new_game(*board, [name = name](QWidget* dialog) {
            select(dialog, name);
            press_ok(dialog);
        });
        QCOMPARE(board->game().state().grid_size, size);
    }
}

void StartDialogTest::closing_it_through_its_frame_writes_nothing_and_gives_a_fresh_one() {
    auto board = open_board();
    QVERIFY(board);
    QPointer<StartDialog> first = board->start_dialog();
    const GameState& s = board->game().state();
    click_cell(*board, 1);
    new_game(*board, [](QWidget* dialog) {
        select(dialog, "Option2");
        select(dialog, "ten");
        dialog->close();
    });
    QVERIFY(first.isNull());
    QVERIFY(board->menus().versus_computer->isChecked() && board->menus().eight->isChecked());
    QCOMPARE(name_label(*board, 0), QStringLiteral("You"));
    QCOMPARE(s.cell_state[1], face_down);  // the new game was dealt anyway
    QCOMPARE(s.cards_turned, 0);

    bool fresh = false;
    new_game(*board, [&](QWidget* dialog) {
        fresh = selected(dialog, "Option1") && selected(dialog, "eight");
        press_ok(dialog);
    });
    QVERIFY(fresh);
}

// The size options' places overlap; a click anywhere on a caption, as the window system delivers
// it to whichever widget is there, still chooses that caption's size; in a larger font too, whose
// captions reach into the neighbouring options' places.
void StartDialogTest::every_pixel_of_a_size_caption_chooses_that_size_data() {
    QTest::addColumn<int>("points");
    QTest::newRow("the desktop's font") << 0;
    QTest::newRow("12-point font") << 12;
}

void StartDialogTest::every_pixel_of_a_size_caption_chooses_that_size() {
    QFETCH(int, points);
    const QFont desktop = QApplication::font();
    QFont font = desktop;
    if (points > 0) font.setPointSize(points);
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&] { QApplication::setFont(desktop); });
    StartDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const char* names[] = {"six", "eight", "ten"};
    QStringList missed;
    for (int i = 0; i < 3; ++i) {
        auto* option = dialog.findChild<QRadioButton*>(QString::fromLatin1(names[i]));
        auto* other = dialog.findChild<QRadioButton*>(QString::fromLatin1(names[(i + 1) % 3]));
        const QRect caption = caption_of(option);
        for (int y = caption.top(); y <= caption.bottom(); ++y) {
            for (int x = caption.left(); x <= caption.right(); x += 3) {
                other->setChecked(true);
                QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
                if (!option->isChecked())
                    missed << QStringLiteral("%1 at %2,%3").arg(names[i]).arg(x).arg(y);
            }
        }
    }
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral("; "))));
}

// Tab and Shift+Tab visit OK and each group once, at the group's selected option; an arrow
// selects the neighbouring option, and Tab comes back to the group there.
void StartDialogTest::tab_enters_each_group_at_its_selected_option_and_arrows_move_it() {
    StartDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList visited;
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(dialog.focusWidget(), key, modifiers);
        visited << dialog.focusWidget()->objectName();
    };
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Down);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Right);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    QCOMPARE(visited, QString("Option1 eight Command1 eight ten Option1 Option2 ten Command1")
                          .split(QLatin1Char(' ')));
    QCOMPARE(dialog.players(), Players::two_people);
    QCOMPARE(dialog.board_size(), 10);
}

// Down and Right go to the next option, Up and Left to the one before, in the row of players
// as in the column of sizes; the ends stay where they are.
void StartDialogTest::both_pairs_of_arrows_move_within_either_group() {
    StartDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const struct {
        const char* from;
        Qt::Key key;
        const char* to;
    } moves[] = {
        {"Option1", Qt::Key_Down, "Option2"},  {"Option2", Qt::Key_Up, "Option1"},
        {"Option1", Qt::Key_Right, "Option2"}, {"Option2", Qt::Key_Left, "Option1"},
        {"Option1", Qt::Key_Up, "Option1"},    {"eight", Qt::Key_Right, "ten"},
        {"ten", Qt::Key_Left, "eight"},        {"eight", Qt::Key_Up, "six"},
        {"six", Qt::Key_Down, "eight"},        {"ten", Qt::Key_Down, "ten"},
    };
    for (const auto& move : moves) {
        select(&dialog, move.from);
        auto* from = dialog.findChild<QRadioButton*>(QString::fromLatin1(move.from));
        from->setFocus();
        // On the press, as a held key repeats only presses.
        QTest::keyPress(from, move.key);
        QVERIFY2(selected(&dialog, move.to), move.to);
        QCOMPARE(dialog.focusWidget()->objectName(), QString::fromLatin1(move.to));
        QTest::keyRelease(dialog.focusWidget(), move.key);
    }
}

VIMBREL_UI_TEST_MAIN(StartDialogTest)
#include "start_dialog_test.moc"
