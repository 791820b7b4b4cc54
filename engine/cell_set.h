// A set of cell numbers held as one bit per cell, and the pass that builds one from a float array.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "simd.h"

namespace vimbrel {

// The computer looks at the few cells it remembers out of up to a hundred. The set is built in one
// pass over the board without a branch per cell, then visited member by member, lowest first.
class CellSet {
    // Bit b of word w stands for cell 64 w + b + 1: the cells of a word come in sixteens and fours
    // from its first cell, and none of those straddles two words. (It stands above the #if below,
    // after which clang-format 14 no longer sees a class and would format it otherwise than 19.)
    static int cell(int w, int bit) { return 64 * w + bit + 1; }

public:
    static constexpr int capacity = 128;  // cells 1..128

    // The cells c from 1 to n (n <= capacity) whose values[c] has any bit set, that is every value
    // but +0.0f.
    static CellSet nonzero(const float* values, int n) {
        CellSet set;
        for (int w = 0; w < 2; ++w) {
            const int first = cell(w, 0);
            const int last = n < first + 63 ? n : first + 63;
            std::uint64_t bits = 0;  // in a register: an index into words_ would keep it in memory
            int c = first;
#if VIMBREL_SSE2
            // Sixteen cells per step: four comparisons packed to sixteen bytes, and their top
            // bits; then four at a time.
            const __m128i zero = _mm_setzero_si128();
            const auto zero_lanes = [&](int from) {
                const auto* four = reinterpret_cast<const __m128i*>(values + from);
                return _mm_cmpeq_epi32(_mm_loadu_si128(four), zero);
            };
            for (; c + 15 <= last; c += 16) {
                const __m128i low = _mm_packs_epi32(zero_lanes(c), zero_lanes(c + 4));
                const __m128i high = _mm_packs_epi32(zero_lanes(c + 8), zero_lanes(c + 12));
                const int zeros = _mm_movemask_epi8(_mm_packs_epi16(low, high));
                bits |= std::uint64_t(~zeros & 0xFFFF) << (c - first);
            }
            for (; c + 3 <= last; c += 4) {
                const int zeros = _mm_movemask_ps(_mm_castsi128_ps(zero_lanes(c)));
                bits |= std::uint64_t(~zeros & 0xF) << (c - first);
            }
#endif
            for (; c <= last; ++c) {
                const bool set_bit = std::bit_cast<std::uint32_t>(values[c]) != 0;
                bits |= std::uint64_t{set_bit} << (c - first);
            }
            set.words_[w] = bits;
        }
        return set;
    }

    // The members for which keep(cell) holds. keep is called once for every member, lowest first,
    // and may do work of its own on the cell.
    template <class Keep>
    CellSet subset(Keep&& keep) const {
        CellSet kept;
        for (int w = 0; w < 2; ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
                const int bit = std::countr_zero(bits);
                kept.words_[w] |= std::uint64_t{keep(cell(w, bit))} << bit;
            }
        }
        return kept;
    }

    // Calls visit(cell) for every member, lowest first.
    template <class Visit>
    void for_each(Visit&& visit) const {
        for (int w = 0; w < 2; ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
                visit(cell(w, std::countr_zero(bits)));
            }
        }
    }

    // The lowest member for which test(cell) holds, or 0.
    template <class Test>
    int find_first(Test&& test) const {
        for (int w = 0; w < 2; ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
                const int c = cell(w, std::countr_zero(bits));
                if (test(c)) return c;
            }
        }
        return 0;
    }

private:
    std::array<std::uint64_t, 2> words_{};
};

}  // namespace vimbrel
