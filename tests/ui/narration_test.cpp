// What a screen reader is told of a game: the words for each event the engine reports, and, in a
// real window, each text said once the board and the panel show what it tells.
#include <QRegularExpression>
#include <QtTest>

#include "access/announcer.h"
#include "access/game_narrator.h"
#include "board/board_menus.h"
#include "board/card_pictures.h"
#include "ui_test_support.h"

using namespace vimbrel;
using namespace vimbrel::testing;

namespace {

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
                    const char* face = face_names[state.card_face[cell]];
                    if (state.cell_state[cell] != face_up || m.captured(3) != face) faults << t;
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
    void each_event_is_told_in_its_words();
    void each_text_is_said_once_the_window_shows_it();
};

void NarrationTest::each_event_is_told_in_its_words() {
    using enum GameEvent::Kind;
    const struct {
        GameEvent event;
        const char* said;
    } rows[] = {
        {{.kind = dealt, .grid = 6, .versus_computer = true},
         "New game, 6 by 6 cards, you against the computer. Your turn."},
        {{.kind = dealt, .grid = 8}, "New game, 8 by 8 cards, two players. 1P's turn."},
        // A person's card: the picture alone, where the cursor is. The computer's: its place too.
        {{.kind = card_turned, .player = 1, .row = 2, .col = 3, .face = 1, .versus_computer = true},
         "frog"},
        {{.kind = card_turned, .player = 2, .row = 1, .col = 1, .face = 0}, "genie"},
        {{.kind = card_turned, .player = 2, .row = 2, .col = 3, .face = 1, .versus_computer = true},
         "Row 2, column 3: frog."},
        {{.kind = pair_taken, .player = 1, .score = 10, .versus_computer = true},
         "Pair! 10 points."},
        {{.kind = pair_taken, .player = 2, .score = -10}, "Pair! -10 points."},
        {{.kind = pair_taken, .player = 2, .score = 20, .versus_computer = true},
         "The computer takes the pair: 20 points."},
        {{.kind = no_pair, .player = 2, .versus_computer = true}, "No pair."},
        {{.kind = time_over, .player = 1, .score = -5, .penalty = 5},
         "Time over. 5 points lost: -5 points."},
        {{.kind = turn_passed, .player = 2, .versus_computer = true}, "Computer thinking..."},
        {{.kind = turn_passed, .player = 2, .round = 1}, "2P's turn."},
        {{.kind = turn_passed, .player = 1, .round = 3, .versus_computer = true},
         "Round 3. Your turn."},
        {{.kind = turn_passed, .player = 1, .round = 2}, "Round 2. 1P's turn."},
        {{.kind = game_over, .player = 1, .score = 40, .other_score = 30}, ""},
        {{.kind = cards_shown}, "All cards are shown."},
    };
    for (const auto& row : rows) QCOMPARE(narration(row.event), QString::fromUtf8(row.said));
}

// A game of two people with a time over, then one against the computer: every text is said once,
// when the board and the panel already show what it tells.
void NarrationTest::each_text_is_said_once_the_window_shows_it() {
    auto board = open_board();
    QVERIFY(board);
    Listener heard(*board);

    board->menus().two_people->trigger();
    QCOMPARE(heard.take(), QStringList{"New game, 8 by 8 cards, two players. 1P's turn."});
    click_cell(*board, two_cells(board->game().state(), false).first);
    QVERIFY(fire(*board, "time_over"));
    QVERIFY(play_turn(*board, true).first);
    QVERIFY(play_turn(*board, false).first);

    board->menus().versus_computer->trigger();
    QVERIFY(play_turn(*board, true).first);
    QVERIFY(play_turn(*board, false).first);
    for (int moves = 0; timer(*board, "com_timer")->isActive() && moves < 40; ++moves)
        QVERIFY(fire(*board, "com_timer"));
    // Each kind of text the listener checks was said: the computer's cards, points, rounds, turns.
    const QString said = heard.take().join(QLatin1Char('|')) + QLatin1Char('|');
    for (const char* text :
         {"|Time over. 5 points lost: -5 points.|2P's turn.|", "|Pair! 10 points.|",
          "|Round 2. 1P's turn.|", "|Computer thinking...|Row ", "|Round 2. Your turn.|"})
        QVERIFY2(said.contains(QLatin1String(text)), text);
    QCOMPARE(heard.faults.join(QLatin1Char('|')), QString());
}

QTEST_MAIN(NarrationTest)
#include "narration_test.moc"
