// The front end of a game without a window: draws nothing, waits for nothing, keeps what is shown.
#pragma once

#include <cstdint>

#include "game_view.h"
#include "random_generator.h"

namespace vimbrel::headless {

class Opponent;

// Keeps only what a driver or a check needs to know of the screen (which timers run, the busy
// pointer, how many end messages appeared), draws chance from a seeded generator and reads a set
// clock. An opponent it watches for learns of every card turned face up or removed.
class NullView : public GameView {
public:
    explicit NullView(std::uint64_t seed = 1) : random_(seed) {}

    // Starts the generator again from `seed`.
    void reseed(std::uint64_t seed) { random_ = RandomGenerator(seed); }
    // Tells `opponent` (or nobody) what appears on a board of grid_size by grid_size cells.
    void watch(Opponent* opponent, int grid_size) {
        opponent_ = opponent;
        grid_size_ = grid_size;
    }

    bool running(GameTimer t) const { return timer_on[static_cast<int>(t)]; }

    bool timer_on[3] = {false, false, false};
    bool busy = false;
    int message_boxes = 0;
    TimeOfDay clock{0, 0};

    ViewMetrics metrics() override { return {}; }
    void start_timer(GameTimer t) override { timer_on[static_cast<int>(t)] = true; }
    void stop_timer(GameTimer t) override { timer_on[static_cast<int>(t)] = false; }
    void animate_card(CardMotion motion, int row, int col, int face, int door_delay) override;
    void reveal_card(int, int, int) override {}
    void redraw_board() override {}
    void show_score(int, int) override {}
    void show_player_names(std::string_view, std::string_view) override {}
    void show_status(std::string_view) override {}
    void show_round(int) override {}
    void enable_menu_item(MenuItem, bool) override {}
    void set_busy_pointer(bool on) override { busy = on; }
    void beep() override {}
    void message_box(std::string_view, std::string_view) override { ++message_boxes; }
    void yield() override {}
    double random() override { return random_.next(); }
    TimeOfDay time_of_day() override { return clock; }

private:
    RandomGenerator random_;
    Opponent* opponent_ = nullptr;
    int grid_size_ = 8;
};

}  // namespace vimbrel::headless
