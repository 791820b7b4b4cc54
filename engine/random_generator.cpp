// The program's one source of chance, seeded from the system's entropy.
#include "random_generator.h"

namespace vimbrel {

RandomGenerator RandomGenerator::from_entropy() {
    std::random_device device;
    return RandomGenerator((std::uint64_t{device()} << 32) ^ device());
}

}  // namespace vimbrel
