// Where the computer's random pick may land: the least-seen candidates, and the draw itself.
#include "random_pick.h"

#include "computer_player.h"

namespace vimbrel {

int RandomPick::mark_least_seen(GameState& s) {
    const int n = s.cell_count();
    // The highest rate among the face-down cells (rates are never negative).
    float highest = 0.0f;
    for (int c = 1; c <= n; ++c) {
        if (s.cell_state[c] == face_down && s.forget_rate[c] > highest) highest = s.forget_rate[c];
    }
    int face_down_candidates = 0;
    for (int c = 1; c <= n; ++c) {
        const bool top = s.forget_rate[c] == highest;
        s.candidate[c] = top ? -1.0f : 0.0f;
        allowed_[c] = top && s.cell_state[c] == face_down;
        face_down_candidates += allowed_[c];
    }
    return face_down_candidates;
}

void RandomPick::allow_candidates(const GameState& s) {
    for (int c = 1; c <= s.cell_count(); ++c) {
        allowed_[c] = s.cell_state[c] == face_down && s.candidate[c] != 0.0f;
    }
}

int RandomPick::draw(int n, RandomSource& chance) const {
    for (;;) {
        const int c = random_cell(chance.random(), n);
        if (allowed_[static_cast<std::size_t>(c)]) return c;
    }
}

}  // namespace vimbrel
