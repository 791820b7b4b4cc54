// What a player who cannot see the board hears of the game, told as the board window learns it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

#include "game_view.h"

namespace vimbrel {

class Announcer;

// Turns what the game shows into short spoken texts, in the game's order: the cards turned (a
// face-down card's picture never), pairs and misses, the computer's move, "Time over.", the turn,
// the round and each new deal. It learns everything from the calls the engine makes on its view,
// so the engine knows nothing of speech. The turn text and the round wait until the running
// handler ends or the next event is told, so that they are said once, together, and after the
// news of a deal.
class GameNarrator final : public QObject {
    Q_OBJECT

public:
    explicit GameNarrator(Announcer& announcer, QObject* parent = nullptr);

    void card_moved(CardMotion motion, int row, int col, int face);
    void score_shown(int index, int value);
    void names_shown(std::string_view second);
    void status_shown(std::string_view text);
    void round_shown(int round);
    // A deal is done on a board of grid x grid cards.
    void board_dealt(int grid);
    // Says what waits, before a modal box takes the reader's attention.
    void flush();

private:
    // Says `text` now, after whatever waits.
    void say_now(const QString& text);
    void say_later(const QString& text);

    Announcer& announcer_;
    QStringList waiting_;
    bool flush_queued_ = false;
    bool versus_computer_ = true;
    bool computer_moving_ = false;
    bool time_over_ = false;
    bool miss_told_ = false;
    int pairs_removing_ = 0;  // cards of a pair being removed, whose score comes next
    int round_ = 0;
    std::array<int, 2> score_{};
    int last_scored_ = 0;
};

}  // namespace vimbrel
