// The spoken account of the game: which event is said, in which words, and when.
#include "access/game_narrator.h"

#include <QCoreApplication>

#include "access/announcer.h"
#include "board/card_pictures.h"
#include "game.h"
#include "translations.h"

namespace vimbrel {

namespace {

QString face_name(int face) {
    if (face < 0 || face >= face_count) return {};
    return QCoreApplication::translate(face_names_context, face_names[face]);
}

}  // namespace

GameNarrator::GameNarrator(Announcer& announcer, QObject* parent)
    : QObject(parent), announcer_(announcer) {}

void GameNarrator::card_moved(CardMotion motion, int row, int col, int face) {
    switch (motion) {
        case CardMotion::open:
            miss_told_ = false;
            pairs_removing_ = 0;
            if (computer_moving_) {
                //: Screen readers: a card the computer turns; %1 row, %2 column, %3 its picture
                //: (a frog...).
                say_now(tr("Row %1, column %2: %3.").arg(row).arg(col).arg(face_name(face)));
            } else {
                // The player knows where the cursor is: the picture alone, heard at once.
                say_now(face_name(face));
            }
            break;
        case CardMotion::close:
            // Two cards close after a miss; after "Time over." the closing says nothing new.
            if (!miss_told_ && !time_over_) {
                //: Screen readers: the two cards turned are different and close again.
                say_now(tr("No pair."));
            }
            miss_told_ = true;
            break;
        case CardMotion::remove:
            ++pairs_removing_;
            break;
    }
}

void GameNarrator::score_shown(int index, int value) {
    if (index != 0 && index != 1) return;
    score_[index] = value;
    last_scored_ = index;
    if (pairs_removing_ < 2) return;  // a deal's zero or a time-over penalty: said elsewhere
    pairs_removing_ = 0;
    if (index == 1 && versus_computer_) {
        //: Screen readers: the computer's two cards are a pair; %1 is its new score.
        say_now(tr("The computer takes the pair: %1 points.").arg(value));
    } else {
        //: Screen readers: the player's two cards are a pair; %1 is the player's new score.
        say_now(tr("Pair! %1 points.").arg(value));
    }
}

void GameNarrator::names_shown(std::string_view second) {
    versus_computer_ = second == text::computer;
}

void GameNarrator::status_shown(std::string_view text) {
    computer_moving_ = text == text::computer_thinking;
    time_over_ = text == text::time_over;
    if (time_over_) {
        //: Screen readers: said after "Time over."; %1 is the points lost (5), %2 the score now.
        say_now(game_text(text) + QLatin1Char(' ') +
                tr("%1 points lost: %2 points.").arg(time_over_penalty).arg(score_[last_scored_]));
        return;
    }
    // "Computer thinking...", "Your turn." and the like.
    say_later(game_text(text));
}

void GameNarrator::round_shown(int round) {
    // Round 1 comes with every deal, which is told on its own.
    if (round != round_ && round > 1) {
        //: Screen readers: a new round begins; %1 is its number.
        say_later(tr("Round %1.").arg(round));
    }
    round_ = round;
}

void GameNarrator::board_dealt(int grid) {
    computer_moving_ = false;
    time_over_ = false;
    pairs_removing_ = 0;
    const QString size = QString::number(grid);
    QString deal;
    if (versus_computer_) {
        //: Screen readers: said once a new game is dealt; %1 is the cards per side (6, 8, 10).
        deal = tr("New game, %1 by %1 cards, you against the computer.").arg(size);
    } else {
        //: Screen readers: said once a new game of two people is dealt; %1 is the cards per
        //: side (6, 8, 10).
        deal = tr("New game, %1 by %1 cards, two players.").arg(size);
    }
    // The deal comes first, then the turn text that waits.
    waiting_.prepend(deal);
    flush();
}

void GameNarrator::flush() {
    if (waiting_.isEmpty()) return;
    const QString text = waiting_.join(QLatin1Char(' '));
    waiting_.clear();
    announcer_.say(text);
}

void GameNarrator::say_now(const QString& text) {
    flush();
    announcer_.say(text);
}

void GameNarrator::say_later(const QString& text) {
    if (waiting_.isEmpty() || waiting_.constLast() != text) waiting_.append(text);
    if (flush_queued_) return;
    flush_queued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flush_queued_ = false;
            flush();
        },
        Qt::QueuedConnection);
}

}  // namespace vimbrel
