// Whole games through the engine without any window: a null view and scripted opponents.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game.h"
#include "random_generator.h"

namespace vimbrel::bench {

// A player in the person's seat. It sees what a person at the screen would: every card turned
// face up, by either side, and every card removed.
class Opponent {
public:
    virtual ~Opponent() = default;
    virtual void new_game(int grid_size) = 0;
    virtual void seen(int cell, int face) = 0;
    virtual void removed(int cell) = 0;
    // The next card to turn, given the cells' states (cells 1..n).
    virtual int choose(const GameState& s, int first) = 0;
};

// perfect, span-4, span-8, first-two or random; nullptr for any other name.
std::unique_ptr<Opponent> make_opponent(const std::string& name, std::uint64_t seed);
std::vector<std::string> opponent_names();

struct MatchResult {
    int computer_score = 0;
    int person_score = 0;
    int rounds = 0;
};

class NullView;

// The computer and an opponent at one board with fixed settings, for game after game.
class HeadlessTable {
public:
    HeadlessTable(Opponent& opponent, int board_size, MemoryLevel level, ChoiceMode mode);
    ~HeadlessTable();
    HeadlessTable(const HeadlessTable&) = delete;
    HeadlessTable& operator=(const HeadlessTable&) = delete;

    // Deals and plays one whole game on a null view, without pauses; the seed sets the deal and
    // the computer's chance.
    MatchResult play(std::uint64_t game_seed);

private:
    void click(int cell);  // a mouse release at the centre of the cell

    Opponent& opponent_;
    std::unique_ptr<NullView> view_;
    std::unique_ptr<Game> game_;
    std::array<std::pair<int, int>, cell_slots> centres_{};  // x, y of each cell's centre
};

}  // namespace vimbrel::bench
