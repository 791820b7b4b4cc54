// The rules a game's state must keep after every event, for tests, fuzzing and checks.
#pragma once

#include <string>

#include "game.h"

namespace vimbrel {

// Describes the first broken rule of the game's state, or returns an empty string if it is sound.
std::string find_fault(const Game& game);

}  // namespace vimbrel
