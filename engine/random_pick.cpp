// Where the computer's random pick may land: the least-seen candidates, and the draw itself.
#include "random_pick.h"

#include <bit>

#include "computer_player.h"

namespace vimbrel {

int RandomPick::mark_least_seen(GameState& s) {
    const int n = s.cell_count();
    // The highest rate among the face-down cells. Rates are never negative, -0 or NaN, so their
    // bit patterns order as they do: the loop compares whole numbers, without a branch, and the
    // compiler vectorises it.
    std::uint32_t highest_bits = 0;
    for (int c = 1; c <= n; ++c) {
        const std::uint32_t bits = std::bit_cast<std::uint32_t>(s.forget_rate[c]) &
                                   (s.cell_state[c] == face_down ? ~0u : 0u);
        highest_bits = highest_bits > bits ? highest_bits : bits;
    }
    const float highest = std::bit_cast<float>(highest_bits);
    int face_down_candidates = 0;
    for (int c = 1; c <= n; ++c) {
        const bool top = s.forget_rate[c] == highest;
        s.candidate[c] = top ? -1.0f : 0.0f;
        const std::uint8_t allowed = top & (s.cell_state[c] == face_down);
        allowed_[c] = allowed;
        face_down_candidates += allowed;
    }
    return face_down_candidates;
}

void RandomPick::allow_candidates(const GameState& s) {
    for (int c = 1; c <= s.cell_count(); ++c) {
        allowed_[c] = (s.cell_state[c] == face_down) & (s.candidate[c] != 0.0f);
    }
}

int RandomPick::draw(int n, RandomSource& chance) const {
    for (;;) {
        const int c = random_cell(chance.random(), n);
        if (allowed_[static_cast<std::size_t>(c)]) return c;
    }
}

}  // namespace vimbrel
