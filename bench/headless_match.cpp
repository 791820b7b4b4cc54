// Whole games through the engine without any window: a null view and scripted opponents.
#include "headless_match.h"

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>

namespace vimbrel::bench {

// Draws nothing and waits for nothing; tells the opponent what appears on the board.
class NullView final : public GameView {
public:
    explicit NullView(Opponent& opponent) : opponent_(opponent) {}
    void reseed(std::uint64_t seed) { random_ = RandomGenerator(seed); }

    bool timer_on[3] = {false, false, false};
    bool game_over = false;
    int grid_size = 8;

    ViewMetrics metrics() override { return {}; }
    void start_timer(GameTimer t) override { timer_on[static_cast<int>(t)] = true; }
    void stop_timer(GameTimer t) override { timer_on[static_cast<int>(t)] = false; }
    void animate_card(CardMotion m, int row, int col, int face, int) override {
        const int cell = (row - 1) * grid_size + col;
        if (m == CardMotion::open) opponent_.seen(cell, face);
        if (m == CardMotion::remove) opponent_.removed(cell);
    }
    void reveal_card(int, int, int) override {}
    void redraw_board() override {}
    void show_score(int, int) override {}
    void show_player_names(std::string_view, std::string_view) override {}
    void show_status(std::string_view) override {}
    void show_round(int) override {}
    void enable_menu_item(MenuItem, bool) override {}
    void set_busy_pointer(bool) override {}
    void beep() override {}
    void message_box(std::string_view, std::string_view) override { game_over = true; }
    void yield() override {}
    double random() override { return random_.next(); }
    TimeOfDay time_of_day() override { return {0, 0}; }

private:
    RandomGenerator random_{1};
    Opponent& opponent_;
};

namespace {

// The lowest face-down cell other than `except`, looking from cell `from` on.
int lowest_face_down(const GameState& s, int except, int from = 1) {
    for (int c = from; c <= s.cell_count(); ++c) {
        if (c != except && s.cell_state[c] == face_down) return c;
    }
    return 0;
}

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
        if (cells.empty()) return lowest_face_down(s, except);
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
    void seen(int, int) override {}
    void removed(int) override {}
    int choose(const GameState& s, int first) override {
        // Removed cards never come back, so the search need not pass them again and again.
        const int n = s.cell_count();
        while (first_on_board_ < n && s.cell_state[first_on_board_] == vimbrel::removed) {
            ++first_on_board_;
        }
        return lowest_face_down(s, first, first_on_board_);
    }

private:
    int first_on_board_ = 1;  // every cell below it has left the board
};

class RandomOpponent final : public Opponent {
public:
    explicit RandomOpponent(std::uint64_t seed) : random_(seed) {}
    void new_game(int) override {}
    void seen(int, int) override {}
    void removed(int) override {}
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

HeadlessTable::HeadlessTable(Opponent& opponent, int board_size, MemoryLevel level, ChoiceMode mode)
    : opponent_(opponent),
      view_(std::make_unique<NullView>(opponent)),
      game_(std::make_unique<Game>(*view_)) {
    game_->choose_memory_level(level);
    game_->choose_choice_mode(mode);
    game_->choose_board_size(board_size);
    game_->set_door_delay(0);
    view_->grid_size = board_size;
    // Where a click turns each cell: worked out once, since a division per click would weigh on
    // the benchmark.
    const GameState& s = game_->state();
    const int width = static_cast<int>(s.card_width), height = s.card_height;
    for (int cell = 1; cell <= s.cell_count(); ++cell) {
        centres_[static_cast<std::size_t>(cell)] = {
            ((cell - 1) % s.grid_size) * width + width / 2,
            ((cell - 1) / s.grid_size) * height + height / 2};
    }
}

void HeadlessTable::click(int cell) {
    const auto [x, y] = centres_[static_cast<std::size_t>(cell)];
    game_->pick(x, y);
}

HeadlessTable::~HeadlessTable() = default;

MatchResult HeadlessTable::play(std::uint64_t game_seed) {
    NullView& view = *view_;
    Game& game = *game_;
    view.reseed(game_seed);
    view.game_over = false;
    opponent_.new_game(view.grid_size);
    game.start_new_game();

    const GameState& s = game.state();
    for (long step = 0; !view.game_over; ++step) {
        if (step > 1'000'000) throw std::runtime_error("a headless game did not end");
        if (view.timer_on[static_cast<int>(GameTimer::com_timer)]) {
            game.com_timer_tick();
        } else if (view.timer_on[static_cast<int>(GameTimer::next_turn)]) {
            game.next_turn_tick();
        } else {
            const int first = opponent_.choose(s, 0);
            click(first);
            click(opponent_.choose(s, first));
        }
    }
    return {s.score[2], s.score[1], static_cast<int>(s.round_no)};
}

}  // namespace vimbrel::bench
