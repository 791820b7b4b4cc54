// The game's rules: deal, picks, judging, turns, scores, the end, and the settings' effects.
#include "game.h"

#include <algorithm>

#include "computer_player.h"

namespace vimbrel {

namespace {
constexpr int timer_index(GameTimer t) {
    return static_cast<int>(t);
}
}  // namespace

Game::Game(GameView& view) : view_(view) {
    const ViewMetrics m = view_.metrics();
    state_.card_width = static_cast<std::int16_t>(m.card_width);
    state_.card_height = static_cast<std::int16_t>(m.card_height);
}

bool Game::menu_item_enabled(MenuItem item) const {
    return item == MenuItem::show_cards ? show_cards_enabled_ : about_enabled_;
}

bool Game::timer_running(GameTimer timer) const {
    return timers_[timer_index(timer)];
}

// ---- New game and deal ----

void Game::start_new_game() {
    init_game_and_deal();
    view_.redraw_board();
    GameEvent dealt{.kind = GameEvent::Kind::dealt};
    dealt.grid = state_.grid_size;
    tell(dealt);
}

void Game::init_game_and_deal() {
    GameState& s = state_;
    s.grid_size = static_cast<std::int16_t>(settings_.board_size);
    const int n = s.cell_count();
    // A judgement or computer move still pending from the old game must never act on the new one.
    stop_all_timers();
    set_busy(false);

    s.time_was_over = false;
    s.cards_turned = 0;
    s.current_player = 1;
    s.round_no = 1;
    s.score = {0, 0, 0};
    s.pairs_taken = 0;
    for (int c = 1; c <= n; ++c) {
        s.cell_state[c] = face_down;
        s.card_face[c] = -1;
        s.memory_strength[c] = 0.0f;
        s.forget_rate[c] = s.initial_forget_rate;
        s.candidate[c] = -1.0f;
    }

    // Ties the sequence of the shared generator to the clock.
    const int second = view_.time_of_day().second;
    const int minute = view_.time_of_day().minute;
    for (int i = 0; i <= second * minute; ++i) view_.random();

    deal();

    view_.show_score(0, s.score[1]);
    view_.show_score(1, s.score[2]);
    show_turn_text();
    view_.show_round(s.round_no);
    set_menu_item(MenuItem::show_cards, true);
    set_menu_item(MenuItem::about, true);
}

void Game::deal() {
    GameState& s = state_;
    const int n = s.cell_count();
    const int faces = n / s.pairs_per_face / 2;
    const int cells_per_face = 2 * s.pairs_per_face;
    // Rejection sampling: draws that hit a dealt cell are wasted.
    for (int f = 0; f < faces; ++f) {
        for (int placed = 0; placed < cells_per_face;) {
            const int c = random_cell(view_.random(), n);
            if (s.card_face[c] == -1) {
                s.card_face[c] = static_cast<std::int16_t>(f);
                ++placed;
            }
        }
    }
}

// ---- Card operations ----

void Game::open_card(int cell) {
    state_.cell_to_row_col(cell);
    state_.cell_state[cell] = face_up;
    view_.animate_card(CardMotion::open, state_.cell_row, state_.cell_col, state_.card_face[cell],
                       state_.door_delay);
    remember_seen(state_, cell);
    tell({.kind = GameEvent::Kind::card_turned,
          .player = state_.current_player,
          .row = state_.cell_row,
          .col = state_.cell_col,
          .face = state_.card_face[cell]});
}

void Game::close_card(int cell) {
    state_.cell_to_row_col(cell);
    view_.animate_card(CardMotion::close, state_.cell_row, state_.cell_col, state_.card_face[cell],
                       state_.door_delay);
    state_.cell_state[cell] = face_down;
}

void Game::remove_card(int cell) {
    state_.cell_to_row_col(cell);
    state_.cell_state[cell] = removed;
    view_.animate_card(CardMotion::remove, state_.cell_row, state_.cell_col, state_.card_face[cell],
                       state_.door_delay);
    forget_removed(state_, cell);
}

// ---- Picking and judging ----

void Game::pick(int x, int y) {
    GameState& s = state_;
    if (s.cards_turned >= 2 || s.round_no == 0) return;  // locked, or nothing dealt yet
    const int board_width = s.card_width * s.grid_size;
    const int board_height = s.card_height * s.grid_size;
    if (x < 0 || y < 0 || x >= board_width || y >= board_height) return;

    const int cell = x / s.card_width + (y / s.card_height) * s.grid_size + 1;
    if (s.cell_state[cell] != face_down) return;

    set_menu_item(MenuItem::show_cards, false);
    set_menu_item(MenuItem::about, false);
    s.turned_cells[s.cards_turned] = static_cast<std::int16_t>(cell);
    ++s.cards_turned;
    if (s.cards_turned == 2) {
        stop_timer(GameTimer::time_over);
        s.time_was_over = false;
    }
    open_card(cell);
    // The time limit and the judging pause run from the end of the card's animation.
    start_timer(s.cards_turned == 1 ? GameTimer::time_over : GameTimer::next_turn);
}

void Game::next_turn_tick() {
    if (!timer_running(GameTimer::next_turn)) return;
    stop_timer(GameTimer::next_turn);
    judge_human_turn();
}

void Game::judge_human_turn() {
    GameState& s = state_;
    if (s.time_was_over) {
        hand_over_turn();
        return;
    }
    const int first = s.turned_cells[0];
    const int second = s.turned_cells[1];
    if (s.card_face[first] != s.card_face[second]) {
        close_card(first);
        close_card(second);
        tell({.kind = GameEvent::Kind::no_pair, .player = s.current_player});
        hand_over_turn();
        return;
    }
    take_pair(s.current_player, first, second);
    if (s.pairs_taken == s.cell_count() / 2) {
        end_game();  // cards_turned stays 2: the board takes no more clicks
        return;
    }
    // The same player goes on; the clock starts again with that player's next first card.
    s.cards_turned = 0;
    set_menu_item(MenuItem::show_cards, true);
    set_menu_item(MenuItem::about, true);
}

void Game::take_pair(int player, int first, int second) {
    GameState& s = state_;
    ++s.pairs_taken;
    remove_card(first);
    remove_card(second);
    s.score[player] += pair_points;
    view_.show_score(player - 1, s.score[player]);
    tell({.kind = GameEvent::Kind::pair_taken, .player = player, .score = s.score[player]});
    view_.yield();
}

void Game::com_timer_tick() {
    if (!timer_running(GameTimer::com_timer)) return;
    stop_timer(GameTimer::com_timer);
    GameState& s = state_;
    if (s.com_pair_found) {
        take_pair(2, s.com_first, s.com_second);
        if (s.pairs_taken == s.cell_count() / 2) {
            end_game();
        } else {
            computer_move();  // the computer keeps the turn
        }
        return;
    }
    close_card(s.com_first);
    close_card(s.com_second);
    tell({.kind = GameEvent::Kind::no_pair, .player = 2});
    return_turn_to_player1();
}

// ---- Turns and the time limit ----

void Game::time_over_tick() {
    if (!timer_running(GameTimer::time_over)) return;
    stop_timer(GameTimer::time_over);
    GameState& s = state_;
    view_.beep();
    s.time_was_over = true;
    s.cards_turned = 2;
    s.score[s.current_player] -= time_over_penalty;
    view_.show_score(s.current_player - 1, s.score[s.current_player]);
    view_.show_status(text::time_over);
    tell({.kind = GameEvent::Kind::time_over,
          .player = s.current_player,
          .score = s.score[s.current_player],
          .penalty = time_over_penalty});
    view_.yield();
    close_card(s.turned_cells[0]);
    judge_human_turn();
}

void Game::hand_over_turn() {
    GameState& s = state_;
    ++s.current_player;
    if (s.current_player == 2) {
        // Told once the panel shows whose turn it is, as player 1's turn is.
        const bool computer = player2_is_computer();
        view_.show_status(computer ? text::computer_thinking : text::second_player_turn);
        tell({.kind = GameEvent::Kind::turn_passed, .player = 2, .round = s.round_no});
        if (computer) {
            computer_move();  // cards_turned stays 2 for the whole computer turn
            return;
        }
        view_.yield();
        s.cards_turned = 0;
        set_menu_item(MenuItem::show_cards, true);
        set_menu_item(MenuItem::about, true);
        return;
    }
    s.current_player = 1;
    ++s.round_no;
    view_.show_round(s.round_no);
    s.cards_turned = 0;
    set_menu_item(MenuItem::show_cards, true);
    set_menu_item(MenuItem::about, true);
    show_turn_text();
    tell({.kind = GameEvent::Kind::turn_passed, .player = 1, .round = s.round_no});
    view_.yield();
}

void Game::return_turn_to_player1() {
    GameState& s = state_;
    s.current_player = 1;
    ++s.round_no;
    view_.show_round(s.round_no);
    show_turn_text();
    tell({.kind = GameEvent::Kind::turn_passed, .player = 1, .round = s.round_no});
    view_.yield();
    s.cards_turned = 0;
    set_menu_item(MenuItem::show_cards, true);
    set_menu_item(MenuItem::about, true);
    set_busy(false);
}

void Game::show_turn_text() {
    view_.show_status(player2_is_computer() ? text::your_turn : text::first_player_turn);
}

void Game::computer_move() {
    set_busy(true);
    view_.show_status(text::computer_thinking);
    view_.yield();
    GameState& s = state_;
    const ComputerChoice choice = choose_computer_move(s, settings_.choice, view_);
    s.com_first = static_cast<std::int16_t>(choice.first);
    s.com_second = static_cast<std::int16_t>(choice.second);
    open_card(choice.first);
    open_card(choice.second);
    s.com_pair_found = choice.pair_found;
    start_timer(GameTimer::com_timer);
}

// ---- End of game ----

void Game::end_game() {
    const GameState& s = state_;
    set_busy(false);
    std::string_view message;
    if (s.score[1] == s.score[2]) {
        message = text::draw_game;
    } else if (player2_is_computer()) {
        message = s.score[1] > s.score[2] ? text::you_win : text::computer_win;
    } else {
        message = s.score[1] > s.score[2] ? text::player1_win : text::player2_win;
    }
    view_.beep();
    tell({.kind = GameEvent::Kind::game_over,
          .player = 1,
          .score = s.score[1],
          .other_score = s.score[2]});
    view_.message_box(message, text::game_over_title);
    set_menu_item(MenuItem::show_cards, false);
    set_menu_item(MenuItem::about, true);
}

// ---- Settings and menu commands ----

bool Game::choose_board_size(int size) {
    if (size == settings_.board_size || !is_board_size(size)) return false;
    settings_.board_size = size;
    state_.grid_size = static_cast<std::int16_t>(size);
    start_new_game();
    return true;
}

bool Game::choose_players(Players players) {
    if (players == settings_.players) return false;
    settings_.players = players;
    if (players == Players::vs_computer) {
        view_.show_player_names(text::you, text::computer);
    } else {
        view_.show_player_names(text::player1, text::player2);
    }
    start_new_game();
    return true;
}

bool Game::choose_memory_level(MemoryLevel level) {
    if (level == settings_.memory) return false;
    settings_.memory = level;
    const MemoryLevelValues values = memory_level_values(level);
    state_.memory_threshold = values.threshold;
    state_.initial_forget_rate = values.initial_forget_rate;
    start_new_game();
    return true;
}

bool Game::choose_choice_mode(ChoiceMode mode) {
    if (mode == settings_.choice) return false;
    settings_.choice = mode;
    if (mode == ChoiceMode::memory_only) {
        for (int c = 1; c <= state_.cell_count(); ++c) state_.candidate[c] = -1.0f;
    }
    return true;
}

void Game::apply_start_choices(Players players, int board_size) {
    settings_.players = players;
    if (players == Players::vs_computer) {
        view_.show_player_names(text::you, text::computer);
    } else {
        view_.show_player_names(text::player1, text::player2);
    }
    settings_.board_size = board_size_or_largest(board_size);
}

void Game::show_cards() {
    if (!show_cards_enabled_ || state_.round_no == 0) return;
    set_busy(true);
    set_menu_item(MenuItem::show_cards, false);
    set_menu_item(MenuItem::about, true);
    GameState& s = state_;
    for (int c = 1; c <= s.cell_count(); ++c) {
        if (s.cell_state[c] != face_down) continue;
        s.cell_to_row_col(c);
        s.cell_state[c] = face_up;
        view_.reveal_card(s.cell_row, s.cell_col, s.card_face[c]);
    }
    tell({.kind = GameEvent::Kind::cards_shown});
    set_busy(false);
}

void Game::set_door_delay(int delay) {
    state_.door_delay =
        static_cast<std::int16_t>(std::clamp(delay, min_door_delay, max_door_delay));
}

bool Game::take_first_paint() {
    if (state_.first_paint_done) return false;
    state_.first_paint_done = true;
    return true;
}

// ---- Bookkeeping of what the view shows ----

void Game::tell(GameEvent event) {
    event.versus_computer = player2_is_computer();
    view_.happened(event);
}

void Game::set_menu_item(MenuItem item, bool enabled) {
    (item == MenuItem::show_cards ? show_cards_enabled_ : about_enabled_) = enabled;
    view_.enable_menu_item(item, enabled);
}

void Game::start_timer(GameTimer timer) {
    timers_[timer_index(timer)] = true;
    view_.start_timer(timer);
}

void Game::stop_timer(GameTimer timer) {
    timers_[timer_index(timer)] = false;
    view_.stop_timer(timer);
}

void Game::stop_all_timers() {
    stop_timer(GameTimer::time_over);
    stop_timer(GameTimer::next_turn);
    stop_timer(GameTimer::com_timer);
}

void Game::set_busy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    view_.set_busy_pointer(busy);
}

}  // namespace vimbrel
