// The computer's memory of seen cards and its choice of two cards per move.
#include "computer_player.h"

#include <algorithm>
#include <array>

#include "cell_set.h"
#include "random_pick.h"

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

namespace {

// Fades every memory and returns the cells still known afterwards. A strength of +0 stays +0
// whatever the (non-negative) rate, so only the few cells remembered at all need the arithmetic.
CellSet fade_and_find_known(GameState& s) {
    const int n = s.cell_count();
    const double pairs = n / 2.0;
    // Memories fade faster while the board is still full.
    const double f = (pairs - s.pairs_taken) / pairs;
    const float threshold = s.memory_threshold;
    return CellSet::nonzero(s.memory_strength.data(), n).subset([&](int c) {
        const float rate = s.forget_rate[c];
        // Never below zero; std::max takes no branch, which chance would decide here.
        const float strength =
            std::max(static_cast<float>(s.memory_strength[c] - rate - f * rate), 0.0f);
        s.memory_strength[c] = strength;
        return strength > threshold;
    });
}

// The remembered pair that a scan by first cell, then second cell, meets first: of the pictures
// known on two cells, the one whose lowest known cell is lowest, with its next known cell.
// first is 0 if there is none.
ComputerChoice first_known_pair(const GameState& s, const CellSet& known) {
    std::array<std::int16_t, max_cells / 4> lowest{};  // per picture, 0 while none is known
    ComputerChoice best;
    known.for_each([&](int c) {
        std::int16_t& low = lowest[static_cast<std::size_t>(s.card_face[c])];
        if (!low) {
            low = static_cast<std::int16_t>(c);
        } else if (!best.first || low < best.first) {
            best = {low, c, true};  // a third known cell of a picture never gets here
        }
    });
    return best;
}

// The lowest known cell other than `cell` that shows the same picture, or 0.
int known_partner(const GameState& s, const CellSet& known, int cell) {
    const int face = s.card_face[cell];
    return known.find_first([&](int c) { return c != cell && s.card_face[c] == face; });
}

}  // namespace

void fade_memory(GameState& s) {
    fade_and_find_known(s);
}

ComputerChoice choose_computer_move(GameState& s, ChoiceMode mode, RandomSource& chance) {
    const CellSet known = fade_and_find_known(s);
    if (const ComputerChoice pair = first_known_pair(s, known); pair.first) return pair;

    const int n = s.cell_count();
    const bool least_seen_first = mode == ChoiceMode::ai_and_memory;
    RandomPick pick;
    int candidates = 0;
    if (least_seen_first) {
        candidates = pick.mark_least_seen(s);
    } else {
        pick.allow_candidates(s);
    }
    const int first = pick.draw(n, chance);
    s.cell_state[first] = face_up;  // keeps it out of the second choice
    pick.exclude(first);

    if (const int second = known_partner(s, known, first)) return {first, second, true};

    // The first card was a face-down candidate. While another one remains, the highest rate among
    // the face-down cells is the same without the first card, and so are the candidates.
    if (least_seen_first && candidates < 2) pick.mark_least_seen(s);
    const int second = pick.draw(n, chance);
    return {first, second, s.card_face[first] == s.card_face[second]};
}

}  // namespace vimbrel
