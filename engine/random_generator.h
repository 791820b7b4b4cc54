// The program's one source of chance: uniform doubles in [0, 1), the same on every library.
#pragma once

#include <cstdint>
#include <random>

namespace vimbrel {

// std::mt19937_64, whose outputs the standard fixes for a given seed, each output's top 53 bits
// scaled to [0, 1): exactly representable and below 1, and the same numbers on every standard
// library (std::generate_canonical is not).
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint64_t seed) : engine_(seed) {}
    static RandomGenerator from_entropy();

    double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

}  // namespace vimbrel
