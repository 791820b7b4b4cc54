// The rules a game's state must keep after every event.
#include "invariants.h"

#include <array>

namespace vimbrel {

namespace {
std::string cell_fault(const char* what, int cell) {
    return std::string(what) + " at cell " + std::to_string(cell);
}
}  // namespace

std::string find_fault(const Game& game) {
    const GameState& s = game.state();
    if (!is_board_size(s.grid_size)) return "bad grid size";
    if (s.current_player != 1 && s.current_player != 2) return "bad current player";
    if (s.cards_turned < 0 || s.cards_turned > 2) return "bad cards_turned";
    int running = 0;
    for (const GameTimer t : {GameTimer::time_over, GameTimer::next_turn, GameTimer::com_timer}) {
        running += game.timer_running(t);
    }
    if (running > 1) return "more than one timer running";
    if (s.round_no == 0) return {};  // nothing dealt yet

    const int n = s.cell_count();
    const int faces = n / 4;
    std::array<int, 25> per_face{};
    int face_up_cells = 0, removed_cells = 0;
    for (int c = 1; c <= n; ++c) {
        if (s.card_face[c] < 0 || s.card_face[c] >= faces) return cell_fault("bad picture", c);
        ++per_face[static_cast<std::size_t>(s.card_face[c])];
        if (s.cell_state[c] < face_down || s.cell_state[c] > removed) {
            return cell_fault("bad cell state", c);
        }
        face_up_cells += s.cell_state[c] == face_up;
        removed_cells += s.cell_state[c] == removed;
        if (!(s.memory_strength[c] >= 0)) return cell_fault("negative memory", c);
        if (!(s.forget_rate[c] > 0)) return cell_fault("forget rate not positive", c);
        if (s.cell_state[c] == removed && s.memory_strength[c] != 0) {
            return cell_fault("a removed card is remembered", c);
        }
    }
    for (int f = 0; f < faces; ++f) {
        if (per_face[static_cast<std::size_t>(f)] != 4) {
            return "picture " + std::to_string(f) + " is not on four cells";
        }
    }
    if (s.pairs_taken < 0 || s.pairs_taken > n / 2) return "bad pair count";
    if (removed_cells != 2 * s.pairs_taken) return "removed cards do not match the pairs taken";
    const bool revealed = !game.menu_item_enabled(MenuItem::show_cards) && s.cards_turned == 0;
    if (!revealed && face_up_cells > 2) return "more than two cards face up";
    if (game.menu_item_enabled(MenuItem::show_cards) && (s.cards_turned != 0 || face_up_cells)) {
        return "Show Cards enabled during a turn";
    }
    if (s.cards_turned == 1) {
        if (face_up_cells != 1 || s.cell_state[s.turned_cells[0]] != face_up) {
            return "one card turned but not the one face up";
        }
        if (!game.timer_running(GameTimer::time_over)) return "one card open and no time limit";
    }
    if (s.score[1] % 5 != 0 || s.score[2] % 5 != 0) return "a score not in fives";
    return {};
}

}  // namespace vimbrel
