// Whole games of the computer against an opponent, without any window, game after game.
#pragma once

#include <cstdint>
#include <memory>

#include "game.h"
#include "headless_driver.h"
#include "null_view.h"
#include "opponent.h"

namespace vimbrel::headless {

struct MatchResult {
    int computer_score = 0;
    int person_score = 0;
    int rounds = 0;
};

// The computer and an opponent at one board with fixed settings, for the strength tool and the
// benchmarks.
class HeadlessTable {
public:
    HeadlessTable(Opponent& opponent, int board_size, MemoryLevel level, ChoiceMode mode);
    HeadlessTable(const HeadlessTable&) = delete;
    HeadlessTable& operator=(const HeadlessTable&) = delete;

    // Deals and plays one whole game on a null view, without pauses; the seed sets the deal and
    // the computer's chance.
    MatchResult play(std::uint64_t game_seed);

private:
    Opponent& opponent_;
    NullView view_;
    Game game_{view_};
    HeadlessDriver driver_{game_, view_};
};

}  // namespace vimbrel::headless
