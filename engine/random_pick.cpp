// Where the computer's random pick may land: the least-seen candidates, and the draw itself.
#include "random_pick.h"

#include "computer_player.h"

#include "simd.h"

namespace vimbrel {

// The passes below take eight cells at a time with SSE2; the plain loops after them take any
// cells left over, or all of them on other machines. Each computes what the plain loop alone
// would, bit for bit.

#if VIMBREL_SSE2
namespace {

static_assert(face_down == 0);

// All-ones 32-bit lanes for those of the eight cells from state[0] on that are face down: the
// first four cells in `low`, the others in `high`.
struct FaceDownLanes {
    __m128 low, high;
};
FaceDownLanes face_down_lanes(const std::int16_t* state) {
    const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
    const __m128i down = _mm_cmpeq_epi16(eight, _mm_setzero_si128());
    return {_mm_castsi128_ps(_mm_unpacklo_epi16(down, down)),
            _mm_castsi128_ps(_mm_unpackhi_epi16(down, down))};
}

// Eight lane masks as eight flag bytes, non-zero for an all-ones lane.
void store_flags(std::uint8_t* flags, __m128 low, __m128 high) {
    const __m128i words = _mm_packs_epi32(_mm_castps_si128(low), _mm_castps_si128(high));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(flags), _mm_packs_epi16(words, words));
}

}  // namespace
#endif

int RandomPick::mark_least_seen(GameState& s) {
    const int n = s.cell_count();
    const float* rate = s.forget_rate.data();
    const std::int16_t* state = s.cell_state.data();
    float* candidate = s.candidate.data();
    std::uint8_t* allowed = allowed_.data();

    // The highest rate among the face-down cells. Rates are never negative, -0 or NaN, so it
    // is the same whichever way it is found.
    float highest = 0.0f;
    int c = 1;
#if VIMBREL_SSE2
    __m128 highest_low = _mm_setzero_ps(), highest_high = _mm_setzero_ps();
    for (; c + 7 <= n; c += 8) {
        const FaceDownLanes down = face_down_lanes(state + c);
        highest_low = _mm_max_ps(highest_low, _mm_and_ps(down.low, _mm_loadu_ps(rate + c)));
        highest_high = _mm_max_ps(highest_high, _mm_and_ps(down.high, _mm_loadu_ps(rate + c + 4)));
    }
    __m128 highest4 = _mm_max_ps(highest_low, highest_high);
    highest4 = _mm_max_ps(highest4, _mm_movehl_ps(highest4, highest4));
    highest = _mm_cvtss_f32(_mm_max_ss(highest4, _mm_shuffle_ps(highest4, highest4, 1)));
#endif
    for (; c <= n; ++c) {
        if (state[c] == face_down && rate[c] > highest) highest = rate[c];
    }

    int face_down_candidates = 0;
    c = 1;
#if VIMBREL_SSE2
    const __m128 highest_in_all = _mm_set1_ps(highest);
    const __m128 minus_one = _mm_set1_ps(-1.0f);
    __m128i count4 = _mm_setzero_si128();
    for (; c + 7 <= n; c += 8) {
        const FaceDownLanes down = face_down_lanes(state + c);
        const __m128 top_low = _mm_cmpeq_ps(_mm_loadu_ps(rate + c), highest_in_all);
        const __m128 top_high = _mm_cmpeq_ps(_mm_loadu_ps(rate + c + 4), highest_in_all);
        _mm_storeu_ps(candidate + c, _mm_and_ps(top_low, minus_one));
        _mm_storeu_ps(candidate + c + 4, _mm_and_ps(top_high, minus_one));
        const __m128 pick_low = _mm_and_ps(top_low, down.low);
        const __m128 pick_high = _mm_and_ps(top_high, down.high);
        store_flags(allowed + c, pick_low, pick_high);
        // An all-ones lane is -1: subtracting it counts it.
        count4 = _mm_sub_epi32(count4, _mm_castps_si128(pick_low));
        count4 = _mm_sub_epi32(count4, _mm_castps_si128(pick_high));
    }
    count4 = _mm_add_epi32(count4, _mm_shuffle_epi32(count4, _MM_SHUFFLE(1, 0, 3, 2)));
    count4 = _mm_add_epi32(count4, _mm_shuffle_epi32(count4, _MM_SHUFFLE(2, 3, 0, 1)));
    face_down_candidates = _mm_cvtsi128_si32(count4);
#endif
    for (; c <= n; ++c) {
        const bool top = rate[c] == highest;
        candidate[c] = top ? -1.0f : 0.0f;
        allowed[c] = top && state[c] == face_down;
        face_down_candidates += allowed[c];
    }
    return face_down_candidates;
}

void RandomPick::allow_candidates(const GameState& s) {
    const int n = s.cell_count();
    const float* candidate = s.candidate.data();
    const std::int16_t* state = s.cell_state.data();
    std::uint8_t* allowed = allowed_.data();
    int c = 1;
#if VIMBREL_SSE2
    const __m128 zero = _mm_setzero_ps();
    for (; c + 7 <= n; c += 8) {
        const FaceDownLanes down = face_down_lanes(state + c);
        const __m128 marked_low = _mm_cmpneq_ps(_mm_loadu_ps(candidate + c), zero);
        const __m128 marked_high = _mm_cmpneq_ps(_mm_loadu_ps(candidate + c + 4), zero);
        store_flags(allowed + c, _mm_and_ps(marked_low, down.low),
                    _mm_and_ps(marked_high, down.high));
    }
#endif
    for (; c <= n; ++c) allowed[c] = state[c] == face_down && candidate[c] != 0.0f;
}

int RandomPick::draw(int n, RandomSource& chance) const {
    for (;;) {
        const int c = random_cell(chance.random(), n);
        if (allowed_[static_cast<std::size_t>(c)]) return c;
    }
}

}  // namespace vimbrel
