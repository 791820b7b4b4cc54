// The computer's memory of seen cards and its choice of two cards per move.
#include "computer_player.h"

#include <algorithm>

namespace vimbrel {

void remember_seen(GameState& s, int cell) {
    s.memory_strength[cell] += 1000.0f;
    s.forget_rate[cell] = s.forget_rate[cell] * 9.0f / 10.0f;
}

void forget_removed(GameState& s, int cell) {
    s.memory_strength[cell] = 0.0f;
}

bool is_known(const GameState& s, int cell) {
    return s.memory_strength[cell] > s.memory_threshold;
}

KnownCells fade_memory(GameState& s) {
    const int n = s.cell_count();
    const double pairs = n / 2.0;
    // Memories fade faster while the board is still full.
    const double f = (pairs - s.pairs_taken) / pairs;
    KnownCells known{};
    for (int c = 1; c <= n; ++c) {
        const float rate = s.forget_rate[c];
        s.memory_strength[c] =
            std::max(static_cast<float>(s.memory_strength[c] - rate - f * rate), 0.0f);
        known[c] = is_known(s, c);
    }
    return known;
}

namespace {

// The remembered pair that a scan by first cell, then second cell, meets first; first is 0 if
// there is none.
ComputerChoice first_known_pair(const GameState& s, const KnownCells& known) {
    const int n = s.cell_count();
    for (int a = 1; a <= n; ++a) {
        for (int b = a + 1; known[a] && b <= n; ++b) {
            if (known[b] && s.card_face[a] == s.card_face[b]) return {a, b, true};
        }
    }
    return {};
}

// The lowest known cell other than `cell` that shows the same picture, or 0.
int known_partner(const GameState& s, const KnownCells& known, int cell) {
    for (int c = 1; c <= s.cell_count(); ++c) {
        if (known[c] && c != cell && s.card_face[c] == s.card_face[cell]) return c;
    }
    return 0;
}

// Makes candidates of the face-down cells seen least often, those with the highest forget rate,
// and of every other cell with that rate, and bars all the rest (writes `candidate`).
void mark_least_seen(GameState& s) {
    const int n = s.cell_count();
    float highest = 0.0f;
    for (int c = 1; c <= n; ++c) {
        if (s.cell_state[c] == face_down) highest = std::max(highest, s.forget_rate[c]);
    }
    for (int c = 1; c <= n; ++c) s.candidate[c] = s.forget_rate[c] == highest ? -1.0f : 0.0f;
}

// Draws random cells until a face-down candidate; there must be one.
int draw_candidate(const GameState& s, RandomSource& chance) {
    for (;;) {
        const int c = random_cell(chance.random(), s.cell_count());
        if (s.cell_state[c] == face_down && s.candidate[c] != 0.0f) return c;
    }
}

}  // namespace

ComputerChoice choose_computer_move(GameState& s, ChoiceMode mode, RandomSource& chance) {
    const KnownCells known = fade_memory(s);
    if (const ComputerChoice pair = first_known_pair(s, known); pair.first) return pair;

    const bool least_seen_first = mode == ChoiceMode::ai_and_memory;
    if (least_seen_first) mark_least_seen(s);
    const int first = draw_candidate(s, chance);
    s.cell_state[first] = face_up;  // keeps it out of the second choice

    if (const int second = known_partner(s, known, first)) return {first, second, true};

    // Without the first card the least-seen cells may be others.
    if (least_seen_first) mark_least_seen(s);
    const int second = draw_candidate(s, chance);
    return {first, second, s.card_face[first] == s.card_face[second]};
}

}  // namespace vimbrel
