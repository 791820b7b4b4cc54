// Finding face-down cards on the board.
#include "cell_search.h"

namespace vimbrel::headless {

int face_down_partner(const GameState& s, int cell) {
    for (int c = 1; c <= s.cell_count(); ++c) {
        if (c != cell && s.cell_state[c] == face_down && s.card_face[c] == s.card_face[cell]) {
            return c;
        }
    }
    return 0;
}

int face_down_from(const GameState& s, int offset, int except) {
    const int n = s.cell_count();
    const int start = 1 + offset % n;
    // Two plain runs rather than a remainder per cell: the reference opponents search at every
    // card they turn.
    const auto first_in = [&](int from, int to) {
        for (int c = from; c <= to; ++c)
            if (c != except && s.cell_state[c] == face_down) return c;
        return 0;
    };
    if (const int c = first_in(start, n)) return c;
    return first_in(1, start - 1);
}

}  // namespace vimbrel::headless
