// The one record of game data: the card grid, the computer's memory, scores and turn bookkeeping.
#pragma once

#include <array>
#include <cstdint>

#include "settings.h"

namespace vimbrel {

// Per-cell arrays have room for the largest board (10 x 10); index 0 is never a cell.
inline constexpr int max_cells = 100;
inline constexpr int cell_slots = max_cells + 1;

inline constexpr std::int16_t face_down = 0;
inline constexpr std::int16_t face_up = 1;
inline constexpr std::int16_t removed = 2;

inline constexpr int pair_points = 10;
inline constexpr int time_over_penalty = 5;
inline constexpr int time_limit_ms = 5000;
inline constexpr int judge_pause_ms = 500;

enum class Players { vs_computer, two_people };
enum class MemoryLevel { good, normal, low };
enum class ChoiceMode { ai_and_memory, memory_only };

// The player's choices. The menus show them with check marks; the engine is their owner.
struct Settings {
    int board_size = default_board_size;  // one of board_sizes
    Players players = Players::vs_computer;
    MemoryLevel memory = MemoryLevel::normal;
    ChoiceMode choice = ChoiceMode::ai_and_memory;
};

struct MemoryLevelValues {
    std::int16_t threshold;
    std::int16_t initial_forget_rate;
};

constexpr MemoryLevelValues memory_level_values(MemoryLevel level) {
    switch (level) {
        case MemoryLevel::good:
            return {100, 150};
        case MemoryLevel::low:
            return {500, 250};
        case MemoryLevel::normal:
            break;
    }
    return {300, 200};
}

struct GameState {
    std::int16_t grid_size = default_board_size;        // cards per row and per column
    std::array<std::int16_t, cell_slots> card_face{};   // the picture on each cell
    std::array<std::int16_t, cell_slots> cell_state{};  // face_down, face_up or removed

    // The computer's memory of each cell.
    std::array<float, cell_slots> memory_strength{};  // known while above memory_threshold
    std::array<float, cell_slots> forget_rate{};      // taken off memory_strength at each move
    std::array<float, cell_slots> candidate{};        // -1: may be picked at random, 0: may not
    std::int16_t memory_threshold = 300;
    std::int16_t initial_forget_rate = 200;
    std::int16_t pairs_per_face = 2;

    // Scores and the round counter are 32-bit so that no game, however long, can wrap them.
    std::array<std::int32_t, 3> score{};  // index 1: player 1, index 2: player 2 or the computer
    std::int16_t current_player = 1;
    std::int32_t round_no = 0;      // the round counter shown on the panel; 0 before the first deal
    std::int16_t cards_turned = 0;  // 2 also locks the board against clicks
    std::array<std::int16_t, 2> turned_cells{};
    bool time_was_over = false;
    std::int16_t pairs_taken = 0;

    // The computer's move: its first and second card, and whether they show the same picture.
    std::int16_t com_first = 0;
    std::int16_t com_second = 0;
    bool com_pair_found = false;

    std::int16_t door_delay = default_door_delay;

    // A card's size in whole pixels, for finding the cell under a click.
    std::int16_t card_width = 32;
    std::int16_t card_height = 32;
    std::int16_t cell_row = 0;
    std::int16_t cell_col = 0;

    bool first_paint_done = false;

    int cell_count() const { return grid_size * grid_size; }

    // Sets cell_row and cell_col (both from 1) for a cell numbered row by row from 1.
    void cell_to_row_col(int cell);
};

}  // namespace vimbrel
