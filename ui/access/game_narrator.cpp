// The spoken account of the game: which event is said, and in which words.
#include "access/game_narrator.h"

#include <QCoreApplication>

#include "access/announcer.h"
#include "board/board_window.h"
#include "board/card_pictures.h"
#include "board/status_panel.h"
#include "game.h"
#include "translations.h"

namespace vimbrel {

namespace {

QString face_name(int face) {
    if (face < 0 || face >= face_count) return {};
    return QCoreApplication::translate(face_names_context, face_names[face]);
}

QString player1_turn(bool versus_computer) {
    return game_text(versus_computer ? text::your_turn : text::first_player_turn);
}

}  // namespace

QString narration(const GameEvent& e) {
    using Kind = GameEvent::Kind;
    const auto count = [](const char* text, int n) {
        return translate_count("vimbrel::GameNarrator", text, n);
    };
    const bool computer = e.versus_computer && e.player == 2;
    QString said;
    switch (e.kind) {
        case Kind::dealt: {
            if (e.versus_computer) {
                //: Screen readers: said once a new game is dealt; %n is the cards per side (6, 8,
                //: 10).
                said = GameNarrator::tr("New game, %n by %n cards, you against the computer.",
                                        nullptr, e.grid);
            } else {
                //: Screen readers: said once a new game of two people is dealt; %n is the cards
                //: per side (6, 8, 10).
                said = GameNarrator::tr("New game, %n by %n cards, two players.", nullptr, e.grid);
            }
            said += QLatin1Char(' ') + player1_turn(e.versus_computer);
            break;
        }
        case Kind::card_turned:
            if (computer) {
                //: Screen readers: a card the computer turns; %1 row, %2 column, %3 its picture
                //: (a frog...).
                said = GameNarrator::tr("Row %1, column %2: %3.")
                           .arg(e.row)
                           .arg(e.col)
                           .arg(face_name(e.face));
            } else {
                // The player knows where the cursor is: the picture alone, heard at once.
                said = face_name(e.face);
            }
            break;
        case Kind::pair_taken:
            if (computer) {
                //: Screen readers: the computer's two cards are a pair; %n is its new score.
                said = count(QT_TRANSLATE_N_NOOP("vimbrel::GameNarrator",
                                                 "The computer takes the pair: %n points."),
                             e.score);
            } else {
                //: Screen readers: the player's two cards are a pair; %n is the player's new
                //: score.
                said = count(QT_TRANSLATE_N_NOOP("vimbrel::GameNarrator", "Pair! %n points."),
                             e.score);
            }
            break;
        case Kind::no_pair:
            //: Screen readers: the two cards turned are different and close again.
            said = GameNarrator::tr("No pair.");
            break;
        case Kind::time_over:
            //: Screen readers: said after "Time over."; %1 is the points lost ("5 points"), %2
            //: the score now ("-5 points").
            said = game_text(text::time_over) + QLatin1Char(' ') +
                   GameNarrator::tr("%1 lost: %2.").arg(points(e.penalty), points(e.score));
            break;
        case Kind::turn_passed:
            if (computer) {
                said = game_text(text::computer_thinking);
            } else if (e.player == 2) {
                said = game_text(text::second_player_turn);
            } else {
                //: Screen readers: a new round begins; %1 is its number.
                said = GameNarrator::tr("Round %1.").arg(e.round) + QLatin1Char(' ') +
                       player1_turn(e.versus_computer);
            }
            break;
        case Kind::game_over:
            break;  // the message box tells it, with both scores, as it opens
        case Kind::cards_shown:
            //: Screen readers: Show Cards has turned every hidden card face up.
            said = GameNarrator::tr("All cards are shown.");
            break;
    }
    return said;
}

GameNarrator::GameNarrator(Announcer& announcer, QObject* parent)
    : QObject(parent), announcer_(announcer) {}

void GameNarrator::tell(const GameEvent& event) {
    announcer_.say(narration(event));
}

void narrate(BoardWindow& board) {
    auto* narrator = new GameNarrator(*new Announcer(board.panel()), &board);
    QObject::connect(&board, &BoardWindow::happened, narrator, &GameNarrator::tell);
}

}  // namespace vimbrel
