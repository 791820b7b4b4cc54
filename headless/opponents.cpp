// The reference players: perfect and limited memories, the first two cards, pure chance.
#include "opponents.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "cell_search.h"
#include "random_generator.h"

namespace vimbrel::headless {

namespace {

// Remembers the faces of cells it has seen; `span` > 0 keeps only the most recent sightings.
class MemoryOpponent : public Opponent {
public:
    MemoryOpponent(std::size_t span, bool in_order, std::uint64_t seed)
        : span_(span), in_order_(in_order), random_(seed) {}

    void new_game(int) override { memory_.clear(); }
    void seen(int cell, int face) override {
        std::erase_if(memory_, [&](const Sighting& m) { return m.cell == cell; });
        memory_.push_back({cell, face});
    }
    void removed(int cell) override {
        std::erase_if(memory_, [&](const Sighting& m) { return m.cell == cell; });
    }

    int choose(const GameState& s, int first) override {
        if (!first) {
            if (const auto pair = remembered_pair(s)) {
                planned_second_ = pair->second;
                return pair->first;
            }
            planned_second_ = 0;
            return unknown_card(s, 0);
        }
        if (planned_second_ && s.cell_state[planned_second_] == face_down) return planned_second_;
        if (const int partner = remembered_partner(s, first)) return partner;
        return unknown_card(s, first);
    }

private:
    struct Sighting {
        int cell, face;
    };
    // The sightings it still recalls: the latest `span_` of the cards still on the board.
    std::span<const Sighting> recalled() const {
        const std::size_t n = span_ ? std::min(span_, memory_.size()) : memory_.size();
        return std::span<const Sighting>(memory_).last(n);
    }
    bool remembers(int cell) const {
        const auto recent = recalled();
        return std::any_of(recent.begin(), recent.end(),
                           [&](const Sighting& m) { return m.cell == cell; });
    }
    std::optional<std::pair<int, int>> remembered_pair(const GameState& s) const {
        std::optional<std::pair<int, int>> best;
        for (const Sighting& a : recalled()) {
            for (const Sighting& b : recalled()) {
                if (a.cell < b.cell && a.face == b.face && s.cell_state[a.cell] == face_down &&
                    s.cell_state[b.cell] == face_down &&
                    (!best || std::pair(a.cell, b.cell) < *best)) {
                    best = std::pair(a.cell, b.cell);
                }
            }
        }
        return best;
    }
    int remembered_partner(const GameState& s, int first) const {
        int best = 0;
        for (const Sighting& m : recalled()) {
            if (m.cell != first && m.face == s.card_face[first] &&
                s.cell_state[m.cell] == face_down && (!best || m.cell < best)) {
                best = m.cell;
            }
        }
        return best;
    }
    // A face-down card it doesn't remember: the lowest, or one at random.
    int unknown_card(const GameState& s, int except) {
        std::vector<int> cells;
        for (int c = 1; c <= s.cell_count(); ++c) {
            if (c != except && s.cell_state[c] == face_down && !remembers(c)) cells.push_back(c);
        }
        if (cells.empty()) return face_down_from(s, 0, except);
        if (in_order_) return cells.front();
        return cells[static_cast<std::size_t>(random_.next() * static_cast<double>(cells.size()))];
    }

    std::size_t span_;
    bool in_order_;
    RandomGenerator random_;
    std::vector<Sighting> memory_;  // oldest first
    int planned_second_ = 0;
};

class FirstTwo final : public Opponent {
public:
    void new_game(int) override { first_on_board_ = 1; }
    int choose(const GameState& s, int first) override {
        // Removed cards never come back, so the search need not pass them again and again.
        const int n = s.cell_count();
        while (first_on_board_ < n && s.cell_state[first_on_board_] == vimbrel::removed) {
            ++first_on_board_;
        }
        return face_down_from(s, first_on_board_ - 1, first);
    }

private:
    int first_on_board_ = 1;  // every cell below it has left the board
};

class RandomOpponent final : public Opponent {
public:
    explicit RandomOpponent(std::uint64_t seed) : random_(seed) {}
    int choose(const GameState& s, int first) override {
        std::vector<int> cells;
        for (int c = 1; c <= s.cell_count(); ++c) {
            if (c != first && s.cell_state[c] == face_down) cells.push_back(c);
        }
        return cells[static_cast<std::size_t>(random_.next() * static_cast<double>(cells.size()))];
    }

private:
    RandomGenerator random_;
};

}  // namespace

std::vector<std::string> opponent_names() {
    return {"perfect", "span-4", "span-8", "first-two", "random"};
}

std::unique_ptr<Opponent> make_opponent(const std::string& name, std::uint64_t seed) {
    if (name == "perfect") return std::make_unique<MemoryOpponent>(0, true, seed);
    if (name == "span-4") return std::make_unique<MemoryOpponent>(4, false, seed);
    if (name == "span-8") return std::make_unique<MemoryOpponent>(8, false, seed);
    if (name == "first-two") return std::make_unique<FirstTwo>();
    if (name == "random") return std::make_unique<RandomOpponent>(seed);
    return nullptr;
}

}  // namespace vimbrel::headless
