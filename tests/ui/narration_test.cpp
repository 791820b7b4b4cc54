// What a screen reader is told of a game through the board window's announcer: each event once,
// in the game's order, and a card's picture only while that card lies face up.
#include <QRegularExpression>
#include <QtTest>

#include "access/announcer.h"
#include "board/board_menus.h"
#include "board/card_pictures.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

QString face_of(const GameState& s, int cell) {
    return QString::fromLatin1(face_names[s.card_face[cell]]);
}

// Everything the announcer says, checked as it is said: a card named with its place must be face
// up there, with that picture; points, a round and a turn are told once the panel shows them.
struct Listener {
    explicit Listener(BoardWindow& board) : state(board.game().state()) {
        const auto shows = [&board](const char* label) { return label_text(board, label); };
        QObject::connect(
            board.findChild<Announcer*>(), &Announcer::said, [this, shows](const QString& t) {
                static const QRegularExpression card(
                    QStringLiteral("^Row (\\d+), column (\\d+): (.+)\\.$"));
                static const QRegularExpression points(QStringLiteral("(-?\\d+) points\\.$"));
                static const QRegularExpression round(QStringLiteral("^Round (\\d+)\\."));
                if (const auto m = card.match(t); m.hasMatch()) {
                    const int cell =
                        (m.captured(1).toInt() - 1) * state.grid_size + m.captured(2).toInt();
                    if (state.cell_state[cell] != face_up || face_of(state, cell) != m.captured(3))
                        faults << t;
                }
                if (const auto m = points.match(t); m.hasMatch() &&
                                                    shows("score_0") != m.captured(1) &&
                                                    shows("score_1") != m.captured(1))
                    faults << t;
                if (const auto m = round.match(t); m.hasMatch() && shows("round") != m.captured(1))
                    faults << t;
                for (const char* turn :
                     {"Your turn.", "1P's turn.", "2P's turn.", "Computer thinking..."})
                    if (t.endsWith(QLatin1String(turn)) && shows("label") != QLatin1String(turn))
                        faults << t;
                said << t;
            });
    }
    // Lets the texts that wait for the end of a handler be said.
    QStringList take() {
        QTest::qWait(1);
        return std::exchange(said, {});
    }
    const GameState& state;
    QStringList said;
    QStringList faults;
};

}  // namespace

class NarrationTest : public QObject {
    Q_OBJECT

private slots:
    void a_game_against_the_computer_is_told_in_order();
    void time_over_and_a_game_of_two_people();
};

void NarrationTest::a_game_against_the_computer_is_told_in_order() {
    auto board = open_board();
    QVERIFY(board);
    Listener heard(*board);
    const GameState& s = board->game().state();

    board->menus().six->trigger();
    QCOMPARE(heard.take(),
             QStringList{"New game, 6 by 6 cards, you against the computer. Your turn."});

    // A pair: both pictures, then the points; the turn stays, so nothing more.
    auto [a, b] = play_turn(*board, true);
    QVERIFY(a);
    QCOMPARE(heard.take(), (QStringList{face_of(s, a), face_of(s, b), "Pair! 10 points."}));

    // A miss: the pictures, "No pair.", then the computer's move until the turn comes back.
    std::tie(a, b) = play_turn(*board, false);
    QVERIFY(a);
    const QString first = face_of(s, a);
    const QString second = face_of(s, b);
    for (int moves = 0; timer(*board, "com_timer")->isActive() && moves < 40; ++moves)
        QVERIFY(fire(*board, "com_timer"));
    QStringList said = heard.take();
    QCOMPARE(said.mid(0, 4), (QStringList{first, second, "No pair.", "Computer thinking..."}));
    QCOMPARE(said.last(), QStringLiteral("Round 2. Your turn."));
    // Each of its moves: two cards, then the pair it takes (it goes on) or, last, "No pair.".
    const QStringList moves = said.mid(4, said.size() - 5);
    QCOMPARE(moves.size() % 3, 0);
    for (int i = 0; i < moves.size(); i += 3) {
        QVERIFY(moves[i].startsWith("Row ") && moves[i + 1].startsWith("Row "));
        QCOMPARE(moves[i + 2].startsWith("The computer takes the pair: "), i + 3 < moves.size());
    }
    QCOMPARE(moves.last(), QStringLiteral("No pair."));
    QCOMPARE(heard.faults.join(QLatin1Char('|')), QString());

    // A deal in a later round is told as a deal: its round 1 goes without saying.
    board->menus().eight->trigger();
    QCOMPARE(heard.take(),
             QStringList{"New game, 8 by 8 cards, you against the computer. Your turn."});
    board->menus().show_cards->trigger();
    QCOMPARE(heard.take(), QStringList{"All cards are shown."});
    QCOMPARE(heard.faults.join(QLatin1Char('|')), QString());
}

void NarrationTest::time_over_and_a_game_of_two_people() {
    auto board = open_board();
    QVERIFY(board);
    Listener heard(*board);
    const GameState& s = board->game().state();

    board->menus().two_people->trigger();
    QCOMPARE(heard.take(), QStringList{"New game, 8 by 8 cards, two players. 1P's turn."});

    // One card, then the time runs out: its card closes without a "No pair.".
    const int cell = two_cells(s, false).first;
    click_cell(*board, cell);
    QVERIFY(fire(*board, "time_over"));
    QCOMPARE(heard.take(),
             (QStringList{face_of(s, cell), "Time over. 5 points lost: -5 points.", "2P's turn."}));

    const auto [a, b] = play_turn(*board, true);
    QVERIFY(a);
    QCOMPARE(heard.take(), (QStringList{face_of(s, a), face_of(s, b), "Pair! 10 points."}));
    QVERIFY(play_turn(*board, false).first);
    QCOMPARE(heard.take().mid(2), (QStringList{"No pair.", "Round 2. 1P's turn."}));
    QCOMPARE(heard.faults.join(QLatin1Char('|')), QString());
}

QTEST_MAIN(NarrationTest)
#include "narration_test.moc"
