// Playing a game without a window.
#include "headless_driver.h"

#include "invariants.h"
#include "opponent.h"

namespace vimbrel::headless {

void HeadlessDriver::click(int cell) {
    const GameState& s = game_.state();
    if (s.grid_size != centres_grid_) {
        // Worked out once per board size: a division per click would weigh on the benchmarks.
        const int width = s.card_width, height = s.card_height;
        for (int c = 1; c <= s.cell_count(); ++c) {
            centres_[static_cast<std::size_t>(c)] = {((c - 1) % s.grid_size) * width + width / 2,
                                                     ((c - 1) / s.grid_size) * height + height / 2};
        }
        centres_grid_ = s.grid_size;
    }
    const auto [x, y] = centres_[static_cast<std::size_t>(cell)];
    game_.pick(x, y);
}

void HeadlessDriver::fire(GameTimer timer) {
    switch (timer) {
        case GameTimer::time_over:
            game_.time_over_tick();
            break;
        case GameTimer::next_turn:
            game_.next_turn_tick();
            break;
        case GameTimer::com_timer:
            game_.com_timer_tick();
            break;
    }
}

std::optional<GameTimer> HeadlessDriver::running_timer() const {
    for (const GameTimer timer : {GameTimer::time_over, GameTimer::next_turn, GameTimer::com_timer})
        if (view_.running(timer)) return timer;
    return std::nullopt;
}

std::string HeadlessDriver::view_fault() const {
    const GameState& s = game_.state();
    const bool computer_moves = s.current_player == 2 &&
                                game_.settings().players == Players::vs_computer &&
                                view_.running(GameTimer::com_timer);
    if (view_.busy != computer_moves)
        return view_.busy ? "the busy pointer is on outside the computer's move"
                          : "the busy pointer is off during the computer's move";
    return {};
}

std::string HeadlessDriver::end_fault() const {
    const GameState& s = game_.state();
    if (s.pairs_taken != s.cell_count() / 2) return "the game ended with cards on the board";
    for (int c = 1; c <= s.cell_count(); ++c)
        if (s.cell_state[c] != removed) return "a card was not removed at the end";
    if (running_timer()) return "a timer still runs after the end";
    if (view_.busy) return "the busy pointer is on after the end";
    return {};
}

std::string HeadlessDriver::play_to_end(Opponent& opponent, const Limits& limits) {
    const GameState& s = game_.state();
    const int ended = view_.message_boxes;
    for (long event = 0; view_.message_boxes == ended; ++event) {
        if (event >= limits.max_events) return "the game did not end";
        if (view_.running(GameTimer::com_timer)) {
            game_.com_timer_tick();
        } else if (view_.running(GameTimer::next_turn)) {
            game_.next_turn_tick();
        } else if (view_.running(GameTimer::time_over) && opponent.too_slow()) {
            game_.time_over_tick();
        } else {
            click(opponent.choose(s, s.cards_turned == 1 ? s.turned_cells[0] : 0));
        }
        if (limits.check) {
            if (std::string fault = find_fault(game_); !fault.empty()) return fault;
            if (std::string fault = view_fault(); !fault.empty()) return fault;
        }
    }
    return limits.check ? end_fault() : std::string();
}

}  // namespace vimbrel::headless
