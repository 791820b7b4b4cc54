// Where the computer's random pick may land: the least-seen candidates, and the draw itself.
#include "random_pick.h"

#include <cstring>

#include "computer_player.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vimbrel {

// The passes below take four cells at a time with SSE2 (every board has a multiple of four
// cells); the plain loops after them take any cells left over, or all of them on other machines.
// Each computes what the plain loop alone would, bit for bit.

#if defined(__SSE2__)
namespace {

static_assert(face_down == 0);

// All-ones lanes for those of the four cells from state[0] on that are face down.
__m128 face_down_lanes(const std::int16_t* state) {
    const __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(state));
    const __m128i down = _mm_cmpeq_epi16(four, _mm_setzero_si128());
    return _mm_castsi128_ps(_mm_unpacklo_epi16(down, down));
}

// Four lane masks as four flag bytes, non-zero for an all-ones lane.
void store_flags(std::uint8_t* flags, __m128 lanes) {
    __m128i bytes = _mm_castps_si128(lanes);
    bytes = _mm_packs_epi32(bytes, bytes);
    bytes = _mm_packs_epi16(bytes, bytes);
    const int four = _mm_cvtsi128_si32(bytes);
    std::memcpy(flags, &four, sizeof four);
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
#if defined(__SSE2__)
    __m128 highest4 = _mm_setzero_ps();
    for (; c + 3 <= n; c += 4) {
        const __m128 rates = _mm_and_ps(face_down_lanes(state + c), _mm_loadu_ps(rate + c));
        highest4 = _mm_max_ps(highest4, rates);
    }
    highest4 = _mm_max_ps(highest4, _mm_movehl_ps(highest4, highest4));
    highest = _mm_cvtss_f32(_mm_max_ss(highest4, _mm_shuffle_ps(highest4, highest4, 1)));
#endif
    for (; c <= n; ++c) {
        if (state[c] == face_down && rate[c] > highest) highest = rate[c];
    }

    int face_down_candidates = 0;
    c = 1;
#if defined(__SSE2__)
    const __m128 highest_in_all = _mm_set1_ps(highest);
    const __m128 minus_one = _mm_set1_ps(-1.0f);
    __m128i count4 = _mm_setzero_si128();
    for (; c + 3 <= n; c += 4) {
        const __m128 top = _mm_cmpeq_ps(_mm_loadu_ps(rate + c), highest_in_all);
        _mm_storeu_ps(candidate + c, _mm_and_ps(top, minus_one));
        const __m128 top_face_down = _mm_and_ps(top, face_down_lanes(state + c));
        store_flags(allowed + c, top_face_down);
        // An all-ones lane is -1: subtracting it counts it.
        count4 = _mm_sub_epi32(count4, _mm_castps_si128(top_face_down));
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
#if defined(__SSE2__)
    for (; c + 3 <= n; c += 4) {
        const __m128 marked = _mm_cmpneq_ps(_mm_loadu_ps(candidate + c), _mm_setzero_ps());
        store_flags(allowed + c, _mm_and_ps(marked, face_down_lanes(state + c)));
    }
#endif
    for (; c <= n; ++c) allowed[c] = state[c] == face_down && candidate[c] != 0.0f;
}

int RandomPick::draw(int n, GameView& view) const {
    for (;;) {
        const int c = random_cell(view.random(), n);
        if (allowed_[static_cast<std::size_t>(c)]) return c;
    }
}

}  // namespace vimbrel
