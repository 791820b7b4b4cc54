// The program's one source of chance: uniform doubles in [0, 1), the same sequence on every library.
#pragma once

#include <cstdint>
#include <random>

namespace vimbrel {

class RandomGenerator {
public:
    explicit RandomGenerator(std::uint64_t seed) : engine_(seed) {}
    static RandomGenerator from_entropy() {
        std::random_device device;
        return RandomGenerator((std::uint64_t{device()} << 32) ^ device());
    }
    // The top 53 bits of one 64-bit draw, scaled: exactly representable and below 1.
    double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

}  // namespace vimbrel
