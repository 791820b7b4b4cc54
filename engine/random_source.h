// Chance as the engine draws it: one number at a time, uniform in [0, 1).
#pragma once

namespace vimbrel {

// The deal and the computer's random picks draw from here. The view supplies the program's one
// generator; tests script the numbers.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // A uniform number in [0, 1) from the program's one generator.
    virtual double random() = 0;
};

}  // namespace vimbrel
