// What a player who cannot see the board hears of the game, told as the engine says it happened.
#pragma once

#include <QObject>
#include <QString>

#include "game_view.h"

namespace vimbrel {

class Announcer;
class BoardWindow;

// Turns what happened in the game into short spoken texts, one per event, in the game's order:
// the cards turned (a face-down card's picture never, since only turned cards are told), pairs
// and misses, "Time over.", the turn and the round, each new deal and Show Cards. The end is
// told by its message box.
class GameNarrator final : public QObject {
    Q_OBJECT

public:
    explicit GameNarrator(Announcer& announcer, QObject* parent = nullptr);

    void tell(const GameEvent& event);

private:
    Announcer& announcer_;
};

// Lets screen readers hear the game on `board`: an announcer beside its status panel, and a
// narrator of everything that happens, both owned by the window.
void narrate(BoardWindow& board);

}  // namespace vimbrel
