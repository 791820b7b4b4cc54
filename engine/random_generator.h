// The program's one source of chance: uniform doubles in [0, 1), the same on every library.
#pragma once

#include <array>
#include <cstdint>

namespace vimbrel {

// MT19937-64, the generator that std::mt19937_64 names, output for output (a test holds the two
// together), each output's top 53 bits scaled to [0, 1). It is written out because the standard
// library's twist branches on a random bit of every word: half of those branches are mispredicted,
// which cost the engine about a sixth of its time. This one twists without a branch and tempers and
// scales a whole block at once, so that a draw is a single load.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint64_t seed);
    static RandomGenerator from_entropy();

    // The top 53 bits of one 64-bit output, scaled: exactly representable and below 1.
    double next() {
        if (index_ == block) refill();
        return numbers_[index_++];
    }

private:
    static constexpr int block = 312;  // words of state, and outputs per twist of all of them
    void refill();

    std::array<std::uint64_t, block> state_;
    std::array<double, block> numbers_{};
    int index_ = block;
};

}  // namespace vimbrel
