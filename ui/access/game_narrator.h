// What a player who cannot see the board hears of the game, told as the engine says it happened.
#pragma once

#include <QObject>
#include <QString>

#include "game_view.h"

namespace vimbrel {

class Announcer;

// Turns what happened in the game into short spoken texts, one per event, in the game's order:
// the cards turned (a face-down card's picture never, since only turned cards are told), pairs
// and misses, "Time over.", the turn and the round, each new deal and Show Cards. The end is
// told by its message box, which final_scores() completes.
class GameNarrator final : public QObject {
    Q_OBJECT

public:
    explicit GameNarrator(Announcer& announcer, QObject* parent = nullptr);

    void tell(const GameEvent& event);

    // Both players' points at the end, by their names: "You: 90 points, Computer: 60 points."
    static QString final_scores(const GameEvent& game_over);

private:
    Announcer& announcer_;
};

}  // namespace vimbrel
