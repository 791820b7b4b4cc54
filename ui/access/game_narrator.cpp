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

GameNarrator::GameNarrator(Announcer& announcer, QObject* parent)
    : QObject(parent), announcer_(announcer) {}

void GameNarrator::tell(const GameEvent& e) {
    using Kind = GameEvent::Kind;
    const bool computer = e.versus_computer && e.player == 2;
    QString said;
    switch (e.kind) {
        case Kind::dealt: {
            const QString size = QString::number(e.grid);
            if (e.versus_computer) {
                //: Screen readers: said once a new game is dealt; %1 is the cards per side (6, 8,
                //: 10).
                said = tr("New game, %1 by %1 cards, you against the computer.").arg(size);
            } else {
                //: Screen readers: said once a new game of two people is dealt; %1 is the cards
                //: per side (6, 8, 10).
                said = tr("New game, %1 by %1 cards, two players.").arg(size);
            }
            said += QLatin1Char(' ') + player1_turn(e.versus_computer);
            break;
        }
        case Kind::card_turned:
            if (computer) {
                //: Screen readers: a card the computer turns; %1 row, %2 column, %3 its picture
                //: (a frog...).
                said = tr("Row %1, column %2: %3.").arg(e.row).arg(e.col).arg(face_name(e.face));
            } else {
                // The player knows where the cursor is: the picture alone, heard at once.
                said = face_name(e.face);
            }
            break;
        case Kind::pair_taken:
            if (computer) {
                //: Screen readers: the computer's two cards are a pair; %1 is its new score.
                said = tr("The computer takes the pair: %1 points.").arg(e.score);
            } else {
                //: Screen readers: the player's two cards are a pair; %1 is the player's new
                //: score.
                said = tr("Pair! %1 points.").arg(e.score);
            }
            break;
        case Kind::no_pair:
            //: Screen readers: the two cards turned are different and close again.
            said = tr("No pair.");
            break;
        case Kind::time_over:
            //: Screen readers: said after "Time over."; %1 is the points lost (5), %2 the score
            //: now.
            said = game_text(text::time_over) + QLatin1Char(' ') +
                   tr("%1 points lost: %2 points.").arg(e.penalty).arg(e.score);
            break;
        case Kind::turn_passed:
            if (computer) {
                said = game_text(text::computer_thinking);
            } else if (e.player == 2) {
                said = game_text(text::second_player_turn);
            } else {
                //: Screen readers: a new round begins; %1 is its number.
                said = tr("Round %1.").arg(e.round) + QLatin1Char(' ') +
                       player1_turn(e.versus_computer);
            }
            break;
        case Kind::game_over:
            break;  // the message box tells it, with both scores, as it opens
        case Kind::cards_shown:
            //: Screen readers: Show Cards has turned every hidden card face up.
            said = tr("All cards are shown.");
            break;
    }
    announcer_.say(said);
}

void narrate(BoardWindow& board) {
    auto* narrator = new GameNarrator(*new Announcer(board.panel()), &board);
    QObject::connect(&board, &BoardWindow::happened, narrator, &GameNarrator::tell);
}

}  // namespace vimbrel
