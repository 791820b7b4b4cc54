// Each setting's range and default, declared once: the engine checks against these and starts
// from them, and the window layer reads them for its menus and dialogs; and the status panel's
// width.
#pragma once

#include <array>

namespace vimbrel {

// Cards per row and per column. Any other size given is taken as the largest.
inline constexpr std::array<int, 3> board_sizes{6, 8, 10};
inline constexpr int default_board_size = 8;

constexpr bool is_board_size(int size) {
    for (const int s : board_sizes) {
        if (s == size) return true;
    }
    return false;
}

constexpr int board_size_or_largest(int size) {
    return is_board_size(size) ? size : board_sizes.back();
}

// The game speed, door_delay: each step of a card's animation waits this many units; 0 is
// the fastest.
inline constexpr int min_door_delay = 0;
inline constexpr int max_door_delay = 100;
inline constexpr int default_door_delay = 10;

// The status panel beside the board: 1695 twips wide, which is 113 pixels at 15 twips per pixel
// (the width a view without a screen reports).
inline constexpr int panel_width_twips = 1695;
inline constexpr int panel_width = 113;

}  // namespace vimbrel
