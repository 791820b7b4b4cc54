// The game's rules: deal, picks, judging, turns, scores, the end, and the settings' effects.
#pragma once

#include "game_state.h"
#include "game_view.h"

// Marks a text the player reads for Qt's lupdate, which files it under `context` and reads the
// //: line above it as a note for the translators. The engine itself always uses the English.
#define VIMBREL_TEXT(context, english) english

namespace vimbrel {

// The texts the player reads. The engine hands them over in English; the window layer translates
// them in the context below, the one every VIMBREL_TEXT here names.
namespace text {
inline constexpr char context[] = "Game";

//: Side panel, turn text when the player against the computer is to turn two cards.
inline constexpr std::string_view your_turn = VIMBREL_TEXT("Game", "Your turn.");
//: Side panel, turn text in a game of two people: the first player is to turn two cards.
inline constexpr std::string_view first_player_turn = VIMBREL_TEXT("Game", "1P's turn.");
//: Side panel, turn text in a game of two people: the second player is to turn two cards.
inline constexpr std::string_view second_player_turn = VIMBREL_TEXT("Game", "2P's turn.");
//: Side panel: the second card was not turned within 5 seconds, the turn is lost.
inline constexpr std::string_view time_over = VIMBREL_TEXT("Game", "Time over.");
//: Side panel, while the computer chooses its two cards. Keep the three dots.
inline constexpr std::string_view computer_thinking = VIMBREL_TEXT("Game", "Computer thinking...");
//: Title of the message box at the end of a game.
inline constexpr std::string_view game_over_title = VIMBREL_TEXT("Game", "Game Over");
//: End-of-game message: both players have the same score.
inline constexpr std::string_view draw_game = VIMBREL_TEXT("Game", "Draw game!");
//: End-of-game message: the player beat the computer.
inline constexpr std::string_view you_win = VIMBREL_TEXT("Game", "You win.");
//: End-of-game message: the computer beat the player.
inline constexpr std::string_view computer_win = VIMBREL_TEXT("Game", "Computer win.");
//: End-of-game message in a game of two people: the first player has more points.
inline constexpr std::string_view player1_win = VIMBREL_TEXT("Game", "Player 1 win.");
//: End-of-game message in a game of two people: the second player has more points.
inline constexpr std::string_view player2_win = VIMBREL_TEXT("Game", "Player 2 win.");
//: Side panel, name of the person playing against the computer. Short: about 10 narrow letters.
inline constexpr std::string_view you = VIMBREL_TEXT("Game", "You");
//: Side panel, name of the computer opponent. Short: about 10 narrow letters.
inline constexpr std::string_view computer = VIMBREL_TEXT("Game", "Computer");
//: Side panel, name of the first of two people; screen readers also call the upper name so.
//: Short: about 10 narrow letters.
inline constexpr std::string_view player1 = VIMBREL_TEXT("Game", "Player 1");
//: Side panel, name of the second of two people; screen readers also call the lower name so.
//: Short: about 10 narrow letters.
inline constexpr std::string_view player2 = VIMBREL_TEXT("Game", "Player 2");
}  // namespace text

class Game {
public:
    // Sets the defaults a fresh window starts with; no game is dealt until start_new_game.
    explicit Game(GameView& view);

    const GameState& state() const { return state_; }
    const Settings& settings() const { return settings_; }
    bool menu_item_enabled(MenuItem item) const;
    bool timer_running(GameTimer timer) const;

    // Every restart goes through here: a fresh deal from the current settings.
    void start_new_game();

    // A mouse button released at x, y (client pixels) over the board.
    void pick(int x, int y);
    // Timer ticks. A tick of a timer that is not running is ignored.
    void time_over_tick();
    void next_turn_tick();
    void com_timer_tick();

    // Menu settings. Choosing the current value does nothing; the others return whether they acted.
    bool choose_board_size(int size);
    bool choose_players(Players players);
    bool choose_memory_level(MemoryLevel level);
    bool choose_choice_mode(ChoiceMode mode);
    // The start dialog's OK: always writes both choices; the caller then starts a new game.
    void apply_start_choices(Players players, int board_size);
    // Turns every face-down card face up for the player to see; only while it is enabled.
    void show_cards();
    void set_door_delay(int delay);
    // Returns true exactly once: for the first paint of the board.
    bool take_first_paint();

private:
    void init_game_and_deal();
    void deal();
    void open_card(int cell);
    void close_card(int cell);
    void remove_card(int cell);
    void judge_human_turn();
    void hand_over_turn();
    void computer_move();
    void return_turn_to_player1();
    void end_game();
    void take_pair(int player, int first, int second);
    void show_turn_text();
    // Tells the view what happened; every event says whether player 2 is the computer.
    void tell(GameEvent event);
    void set_menu_item(MenuItem item, bool enabled);
    void start_timer(GameTimer timer);
    void stop_timer(GameTimer timer);
    void stop_all_timers();
    void set_busy(bool busy);
    bool player2_is_computer() const { return settings_.players == Players::vs_computer; }

    GameView& view_;
    GameState state_;
    Settings settings_;
    bool timers_[3] = {false, false, false};
    bool show_cards_enabled_ = true;
    bool about_enabled_ = true;
    bool busy_ = false;
};

}  // namespace vimbrel
