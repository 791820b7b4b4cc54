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

// A cell from 1 to n for a uniform r in [0, 1). Clamped: r close to 1 can round r * n + 1 up to n
// + 1.
inline int random_cell(double r, int n) {
    const int cell = static_cast<int>(r * n + 1.0);
    if (cell < 1) return 1;
    return cell > n ? n : cell;
}

}  // namespace vimbrel
