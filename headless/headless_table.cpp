// Whole games of the computer against an opponent, without any window.
#include "headless_table.h"

#include <stdexcept>

namespace vimbrel::headless {

HeadlessTable::HeadlessTable(Opponent& opponent, int board_size, MemoryLevel level, ChoiceMode mode)
    : opponent_(opponent) {
    game_.choose_memory_level(level);
    game_.choose_choice_mode(mode);
    game_.choose_board_size(board_size);
    game_.set_door_delay(0);
    view_.watch(&opponent, board_size);
}

MatchResult HeadlessTable::play(std::uint64_t game_seed) {
    view_.reseed(game_seed);
    opponent_.new_game(game_.settings().board_size);
    game_.start_new_game();
    // Without checks the only way a game fails is by not ending.
    if (!driver_.play_to_end(opponent_, {}).empty()) {
        throw std::runtime_error("a headless game did not end");
    }
    const GameState& s = game_.state();
    return {s.score[2], s.score[1], static_cast<int>(s.round_no)};
}

}  // namespace vimbrel::headless
