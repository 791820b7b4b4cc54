// Everything the engine asks of the outside world: drawing, labels, menus, timers, chance and time.
#pragma once

#include <string_view>

#include "random_source.h"

namespace vimbrel {

enum class GameTimer { time_over, next_turn, com_timer };
enum class CardMotion { open, close, remove };
enum class MenuItem { show_cards, about };

struct TimeOfDay {
    int second = 0;  // 0..59
    int minute = 0;  // 0..59
};

// What happened in the game, in its own terms, told once when it happens. `player` is 1 or 2
// (2 is the computer when one plays) and `score` is always that player's score after the event;
// the other fields are those the kind names.
struct GameEvent {
    enum class Kind {
        dealt,        // a new game: grid (cards per side), versus_computer
        card_turned,  // player, row, col (from 1), face
        pair_taken,   // player, score
        no_pair,      // player: their two cards close again
        time_over,    // player, penalty, score
        turn_passed,  // to player, round
        game_over,    // player 1, score, and other_score: player 2's
        cards_shown,  // every face-down card was turned up for the player to see
    };
    Kind kind = Kind::dealt;
    int player = 0;
    int row = 0;
    int col = 0;
    int face = -1;
    int score = 0;
    int other_score = 0;
    int penalty = 0;
    int round = 0;
    int grid = 0;
    bool versus_computer = false;

    bool operator==(const GameEvent&) const = default;
};

struct ViewMetrics {
    int card_width = 32;   // pixels, the width of the card back picture
    int card_height = 32;  // pixels
};

// Chance comes through the RandomSource the view also is.
class GameView : public RandomSource {
public:
    virtual ~GameView() = default;

    // Sizes of the card pictures.
    virtual ViewMetrics metrics() = 0;

    // Starts a single-shot timer (time_over 5000 ms, the others 500 ms); restarting rearms it.
    virtual void start_timer(GameTimer timer) = 0;
    // Stops a timer; a stopped timer never ticks.
    virtual void stop_timer(GameTimer timer) = 0;

    // Plays one sliding-door animation of the cell at row, col (from 1); returns when finished.
    virtual void animate_card(CardMotion motion, int row, int col, int face, int door_delay) = 0;
    // Draws the quick eight-step uncovering of a face-down card, without pauses.
    virtual void reveal_card(int row, int col, int face) = 0;
    // After a deal: refreshes the window, applies its size rule and repaints every cell.
    virtual void redraw_board() = 0;

    // Label texts of the status panel. index 0 is player 1, index 1 is player 2 or the computer.
    virtual void show_score(int index, int value) = 0;
    virtual void show_player_names(std::string_view first, std::string_view second) = 0;
    virtual void show_status(std::string_view text) = 0;
    virtual void show_round(int round) = 0;

    // Enables or disables one of the two menu items the game controls.
    virtual void enable_menu_item(MenuItem item, bool enabled) = 0;
    // Busy (hourglass) pointer for the whole application, or the normal arrow.
    virtual void set_busy_pointer(bool busy) = 0;
    // One short system sound.
    virtual void beep() = 0;
    // A modal message box with an OK button; returns when dismissed.
    virtual void message_box(std::string_view text, std::string_view title) = 0;
    // Lets the status labels repaint; never delivers user input or timer ticks.
    virtual void yield() = 0;

    // The current time of day.
    virtual TimeOfDay time_of_day() = 0;

    // What just happened, once; after the drawing and labels that show it. Views that only draw
    // need not care.
    virtual void happened(const GameEvent& event) { (void)event; }
};

}  // namespace vimbrel
