// What a player who cannot see the board hears of the game, told as the engine says it happened.
#pragma once

#include <QObject>
#include <QString>

#include "game_view.h"

namespace vimbrel {

class Announcer;
class BoardWindow;

// The short spoken text for what happened in the game: the card turned (a face-down card's picture
// never, since only turned cards are told), a pair or a miss, "Time over.", the turn and the
// round, a new deal, Show Cards. Empty for the end, which its message box tells.
QString narration(const GameEvent& event);

// Says the narration of each event through the announcer, in the game's order.
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
