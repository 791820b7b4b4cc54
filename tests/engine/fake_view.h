// A GameView for tests: the null view that also records what the engine asks for, and scripts
// chance and the clock.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "null_view.h"

namespace vimbrel::testing {

struct Animation {
    CardMotion motion;
    int row, col, face, door_delay;
    std::string status_shown;  // the status text the panel was last painted with
};

// The timers (timer_on, running), the busy pointer (busy) and the clock (clock) are the null
// view's; the seeded generator takes over once the scripted numbers run out.
class FakeView : public headless::NullView {
public:
    explicit FakeView(std::uint64_t seed = 1) : NullView(seed) {}

    // Numbers handed out before the seeded fallback generator takes over.
    std::deque<double> scripted_random;

    int timer_starts[3] = {0, 0, 0};
    std::vector<Animation> animations;
    std::vector<Animation> reveals;
    int redraws = 0;
    std::string score_label[2] = {"0", "0"};
    std::string name_label[2] = {"You", "Computer"};
    std::string status = "Your turn.";
    std::string round = "0";
    bool show_cards_enabled = true;
    bool about_enabled = true;
    int busy_changes = 0;
    int beeps = 0;
    int yields = 0;
    int random_calls = 0;
    std::string painted_status;  // the status as of the last yield, the panel's last repaint
    std::vector<std::string> messages;
    std::vector<std::string> message_titles;
    std::vector<GameEvent> events;

    void start_timer(GameTimer t) override {
        NullView::start_timer(t);
        ++timer_starts[static_cast<int>(t)];
    }
    void animate_card(CardMotion m, int row, int col, int face, int delay) override {
        animations.push_back({m, row, col, face, delay, painted_status});
    }
    void reveal_card(int row, int col, int face) override {
        reveals.push_back({CardMotion::open, row, col, face, 0, painted_status});
    }
    void redraw_board() override { ++redraws; }
    void show_score(int index, int value) override { score_label[index] = std::to_string(value); }
    void show_player_names(std::string_view a, std::string_view b) override {
        name_label[0] = a;
        name_label[1] = b;
    }
    void show_status(std::string_view text) override { status = text; }
    void show_round(int r) override { round = std::to_string(r); }
    void enable_menu_item(MenuItem item, bool on) override {
        (item == MenuItem::show_cards ? show_cards_enabled : about_enabled) = on;
    }
    void set_busy_pointer(bool b) override {
        NullView::set_busy_pointer(b);
        ++busy_changes;
    }
    void beep() override { ++beeps; }
    void message_box(std::string_view text, std::string_view title) override {
        NullView::message_box(text, title);
        messages.emplace_back(text);
        message_titles.emplace_back(title);
    }
    void yield() override {
        ++yields;
        painted_status = status;
    }
    void happened(const GameEvent& e) override { events.push_back(e); }
    double random() override {
        ++random_calls;
        if (scripted_random.empty()) return NullView::random();
        const double r = scripted_random.front();
        scripted_random.pop_front();
        return r;
    }
};

// The random number that picks cell `cell` of an n-cell board.
inline double draw_for_cell(int cell, int n) {
    return (cell - 0.5) / n;
}

}  // namespace vimbrel::testing
