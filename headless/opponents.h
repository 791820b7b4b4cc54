// The reference players of the strength tool and the benchmarks, by name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "opponent.h"

namespace vimbrel::headless {

// perfect, span-4, span-8, first-two or random; nullptr for any other name.
std::unique_ptr<Opponent> make_opponent(const std::string& name, std::uint64_t seed);
std::vector<std::string> opponent_names();

}  // namespace vimbrel::headless
