// The program's one source of chance: MT19937-64, twisted and tempered a block at a time.
#include "random_generator.h"

#include <random>

namespace vimbrel {

namespace {

constexpr int middle = 156;  // the word each word twists with lies this many places on
constexpr std::uint64_t upper_bits = 0xFFFFFFFF80000000ull;
constexpr std::uint64_t lower_bits = 0x7FFFFFFFull;
constexpr std::uint64_t twist_matrix = 0xB5026F5AA96619E9ull;

std::uint64_t twist(std::uint64_t word, std::uint64_t next, std::uint64_t far) {
    const std::uint64_t y = (word & upper_bits) | (next & lower_bits);
    // The matrix applies when y is odd: a mask from that bit, where a branch would be a coin toss.
    return far ^ (y >> 1) ^ (twist_matrix & (0 - (y & 1)));
}

std::uint64_t temper(std::uint64_t x) {
    x ^= (x >> 29) & 0x5555555555555555ull;
    x ^= (x << 17) & 0x71D67FFFEDA60000ull;
    x ^= (x << 37) & 0xFFF7EEE000000000ull;
    return x ^ (x >> 43);
}

}  // namespace

RandomGenerator::RandomGenerator(std::uint64_t seed) {
    state_[0] = seed;
    for (int i = 1; i < block; ++i) {
        const std::uint64_t previous = state_[i - 1];
        state_[i] =
            6364136223846793005ull * (previous ^ (previous >> 62)) + static_cast<std::uint64_t>(i);
    }
}

RandomGenerator RandomGenerator::from_entropy() {
    std::random_device device;
    return RandomGenerator((std::uint64_t{device()} << 32) ^ device());
}

void RandomGenerator::refill() {
    // In three runs, so that no index wraps inside a loop.
    int i = 0;
    for (; i < block - middle; ++i) {
        state_[i] = twist(state_[i], state_[i + 1], state_[i + middle]);
    }
    for (; i < block - 1; ++i) {
        state_[i] = twist(state_[i], state_[i + 1], state_[i + middle - block]);
    }
    state_[block - 1] = twist(state_[block - 1], state_[0], state_[middle - 1]);
    for (int k = 0; k < block; ++k) {
        numbers_[k] = static_cast<double>(temper(state_[k]) >> 11) * 0x1.0p-53;
    }
    index_ = 0;
}

}  // namespace vimbrel
