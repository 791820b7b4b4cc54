// Whether the computer's per-cell passes use SSE2, and its header when they do.
#pragma once

// Every x86-64 machine has SSE2. Elsewhere, or when built with VIMBREL_PLAIN_LOOPS (the tests
// build the engine once that way too), the plain loops do all the work.
#if defined(__SSE2__) && !defined(VIMBREL_PLAIN_LOOPS)
#define VIMBREL_SSE2 1
#include <emmintrin.h>
#else
#define VIMBREL_SSE2 0
#endif
