// The computer's memory of seen cards and its choice of two cards per move.
#include "computer_player.h"

#include <array>
#include <optional>
#include <utility>

namespace vimbrel {

void remember_seen(GameState& s, int cell) {
    s.memory_strength[cell] += 1000.0f;
    s.forget_rate[cell] = s.forget_rate[cell] * 9.0f / 10.0f;
}

void forget_removed(GameState& s, int cell) { s.memory_strength[cell] = 0.0f; }

void fade_memory(GameState& s) {
    const int n = s.cell_count();
    const double pairs = n / 2.0;
    // Memories fade faster while the board is still full.
    const double f = (pairs - s.pairs_taken) / pairs;
    for (int c = 1; c <= n; ++c) {
        const float rate = s.forget_rate[c];
        float strength = static_cast<float>(s.memory_strength[c] - rate - f * rate);
        if (strength < 0.0f) strength = 0.0f;
        s.memory_strength[c] = strength;
    }
}

bool is_known(const GameState& s, int cell) { return s.memory_strength[cell] > s.memory_threshold; }

int random_cell(double r, int n) {
    const int cell = static_cast<int>(r * n + 1.0);
    if (cell < 1) return 1;
    return cell > n ? n : cell;
}

namespace {

// Marks as candidates the face-down cells (other than `except`) seen least often, that is those
// with the highest forget rate; every other cell is barred from the random pick.
void mark_least_seen(GameState& s, int except) {
    const int n = s.cell_count();
    float highest = 0.0f;
    for (int c = 1; c <= n; ++c) {
        if (c != except && s.cell_state[c] == face_down && s.forget_rate[c] > highest) {
            highest = s.forget_rate[c];
        }
    }
    for (int c = 1; c <= n; ++c) s.candidate[c] = s.forget_rate[c] == highest ? -1.0f : 0.0f;
}

// Whether a face-down cell other than `first` is still a candidate. If one is, the highest forget
// rate among the face-down cells is the same without `first`, and the candidates stand as they are.
bool another_candidate(const GameState& s, int first) {
    for (int c = 1; c <= s.cell_count(); ++c) {
        if (c != first && s.cell_state[c] == face_down && s.candidate[c] != 0.0f) return true;
    }
    return false;
}

int draw_random_card(GameState& s, int except, const std::function<double()>& random) {
    const int n = s.cell_count();
    for (;;) {
        const int c = random_cell(random(), n);
        if (s.cell_state[c] == face_down && c != except && s.candidate[c] != 0.0f) return c;
    }
}

// The cells the computer knows right now, in increasing order.
struct KnownCells {
    std::array<std::int16_t, max_cells> cells;
    int count = 0;

    explicit KnownCells(const GameState& s) {
        for (int c = 1; c <= s.cell_count(); ++c) {
            if (is_known(s, c)) cells[count++] = static_cast<std::int16_t>(c);
        }
    }

    // The remembered pair that a scan by first cell, then second cell, meets first.
    std::optional<std::pair<int, int>> first_pair(const GameState& s) const {
        // The two lowest known cells of each picture; the pair with the lowest first cell wins.
        std::array<std::int16_t, max_cells / 4> lowest{}, second{};
        std::optional<std::pair<int, int>> best;
        for (int i = 0; i < count; ++i) {
            const int c = cells[i];
            const auto f = static_cast<std::size_t>(s.card_face[c]);
            if (!lowest[f]) {
                lowest[f] = static_cast<std::int16_t>(c);
            } else if (!second[f]) {
                second[f] = static_cast<std::int16_t>(c);
                if (!best || lowest[f] < best->first) best = std::pair<int, int>(lowest[f], c);
            }
        }
        return best;
    }

    // The lowest known cell other than `cell` that shows the same picture, or 0.
    int partner_of(const GameState& s, int cell) const {
        for (int i = 0; i < count; ++i) {
            const int c = cells[i];
            if (c != cell && s.card_face[c] == s.card_face[cell]) return c;
        }
        return 0;
    }
};

}  // namespace

ComputerChoice choose_computer_move(GameState& s, ChoiceMode mode,
                                    const std::function<double()>& random) {
    fade_memory(s);
    const bool least_seen_first = mode == ChoiceMode::ai_and_memory;

    const KnownCells known(s);
    if (const auto pair = known.first_pair(s)) return {pair->first, pair->second, true};

    if (least_seen_first) mark_least_seen(s, 0);
    const int first = draw_random_card(s, 0, random);
    s.cell_state[first] = face_up;  // keeps it out of the second choice

    if (const int second = known.partner_of(s, first)) return {first, second, true};

    if (least_seen_first && !another_candidate(s, first)) mark_least_seen(s, first);
    const int second = draw_random_card(s, first, random);
    return {first, second, s.card_face[first] == s.card_face[second]};
}

}  // namespace vimbrel
