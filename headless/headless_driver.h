// Plays a game without a window: clicks at the cells' centres, timer ticks, whole games.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "game.h"
#include "null_view.h"

namespace vimbrel::headless {

class Opponent;

// Drives one Game on a NullView (or a view built on one) as the board window would: a click is a
// mouse release at a cell's centre, a tick is what the timer's expiry calls.
class HeadlessDriver {
public:
    HeadlessDriver(Game& game, NullView& view) : game_(game), view_(view) {}

    // A mouse release at the centre of `cell` (from 1) of the board as it is now.
    void click(int cell);
    // The tick of `timer`; the game ignores it when the timer is not running.
    void fire(GameTimer timer);
    // The timer that runs now, if any.
    std::optional<GameTimer> running_timer() const;

    // What the view shows against the game after any event: the busy pointer is on exactly while
    // the computer's move is pending. Empty if sound, else what is wrong.
    std::string view_fault() const;
    // What must hold once the end message appeared: every pair taken and every card removed, no
    // timer running, the pointer an arrow. Empty if sound, else what is wrong.
    std::string end_fault() const;

    struct Limits {
        long max_events = 1'000'000;  // a game still on after this many events did not end
        bool check = false;           // find_fault after every event
    };
    // Plays the game dealt now to its end message with `opponent` in the person's seat: the
    // judging and the computer's ticks as soon as they are due, the time limit when the
    // opponent is too slow, a card otherwise. Returns an empty string, or what went wrong: the
    // first broken rule or view fault (with `check`), "the game did not end", or what the end
    // left wrong (with `check`).
    std::string play_to_end(Opponent& opponent, const Limits& limits);

private:
    Game& game_;
    NullView& view_;
    int centres_grid_ = 0;  // the grid size the centres below were worked out for
    std::array<std::pair<int, int>, cell_slots> centres_{};  // x, y of each cell's centre
};

}  // namespace vimbrel::headless
