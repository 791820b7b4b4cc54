// A game on a fake view with a known deal, and a hand to click its cells.
#pragma once

#include "fake_view.h"
#include "game.h"
#include "headless_driver.h"

namespace vimbrel::testing {

struct Table {
    explicit Table(std::uint64_t seed = 1) : view(seed) {}

    FakeView view;
    Game game{view};
    headless::HeadlessDriver driver{game, view};

    // Scripts a deal that puts picture f on cells 4f+1 .. 4f+4, with one warm-up draw.
    void script_ordered_deal(int size) {
        view.clock = {0, 0};
        view.scripted_random.clear();
        view.scripted_random.push_back(0.0);  // the warm-up at second 0
        const int n = size * size;
        for (int c = 1; c <= n; ++c) view.scripted_random.push_back(draw_for_cell(c, n));
    }
    void new_ordered_game() {
        script_ordered_deal(game.settings().board_size);
        game.start_new_game();
    }
    void click(int cell) { driver.click(cell); }
    // Clicks two cells and lets the judging pause run out.
    void play_turn(int a, int b) {
        click(a);
        click(b);
        game.next_turn_tick();
    }
    const GameState& s() const { return game.state(); }
};

}  // namespace vimbrel::testing
