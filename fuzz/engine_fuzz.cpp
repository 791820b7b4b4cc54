// libFuzzer target: input bytes become clicks, ticks and menu commands; the state is checked
// after every one of them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game.h"
#include "headless_driver.h"
#include "invariants.h"

using namespace vimbrel;

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void check(const std::string& fault, int event) {
    if (!fault.empty()) {
        std::fprintf(stderr, "after event %d: %s\n", event, fault.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    headless::NullView view(in.next());
    view.clock = {in.next() % 8, in.next() % 8};  // keeps the clock warm-up short
    Game game(view);
    const headless::HeadlessDriver driver(game, view);
    const bool dealt_first = in.next() & 1;
    if (dealt_first) game.start_new_game();
    int messages = 0;
    for (int event = 0; !in.empty() && event < 1000; ++event) {
        const std::uint8_t op = in.next();
        const GameState& s = game.state();
        switch (op % 16) {
            case 0:  // anywhere on or off the board
                game.pick(static_cast<int>(in.next()) * 2 - 60,
                          static_cast<int>(in.next()) * 2 - 60);
                break;
            case 1:
            case 2:
            case 3: {  // a card
                const int cell = 1 + in.next() % s.cell_count();
                game.pick(((cell - 1) % s.grid_size) * 32 + 3,
                          ((cell - 1) / s.grid_size) * 32 + 30);
                break;
            }
            case 4:
                game.time_over_tick();
                break;
            case 5:
            case 6:
                game.next_turn_tick();
                break;
            case 7:
            case 8:
                game.com_timer_tick();
                break;
            case 9:
                game.choose_board_size(6 + 2 * (in.next() % 3));
                break;
            case 10:
                game.choose_players(in.next() & 1 ? Players::two_people : Players::vs_computer);
                break;
            case 11:
                game.choose_memory_level(static_cast<MemoryLevel>(in.next() % 3));
                break;
            case 12:
                game.choose_choice_mode(static_cast<ChoiceMode>(in.next() & 1));
                break;
            case 13:
                game.show_cards();
                break;
            case 14:
                game.set_door_delay(static_cast<int>(in.next()) - 20);
                break;
            case 15: {  // New from the start dialog, or a plain new game
                const std::uint8_t b = in.next();
                if (b & 1)
                    game.apply_start_choices(b & 2 ? Players::two_people : Players::vs_computer,
                                             6 + 2 * ((b >> 2) % 3));
                game.start_new_game();
                break;
            }
        }
        check(find_fault(game), event);
        check(driver.view_fault(), event);
        if (view.message_boxes > messages) {
            // The end comes once per game: the board is cleared and nothing runs.
            messages = view.message_boxes;
            check(driver.end_fault(), event);
        }
    }
    return 0;
}
