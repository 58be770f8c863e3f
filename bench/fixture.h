// The benchmarks' one owner of the library. main() (fixture.cpp) starts the library before
// the first benchmark and ends it after the last; every buffer a benchmark draws into comes
// from here, is made on first use and lives until exit. Benchmarks never start, end or
// free anything themselves, so whatever order they run in (a whole run, a filter, random
// interleaving) none can take another's buffers away: the calls that could are poisoned
// below for every file that includes this one.
//
// A benchmark also proves its work happened: after the timed loop it checks the buffer
// (the pixels the call draws, the bytes a copy moves) and reports a failure with
// bench::verify, so that a call that drew nothing never prints a figure.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "rsw32.h"
#include "rsw32_platform.h"

namespace bench {

constexpr int width = 1920, height = 1080;

// The buffer of the depth and size (width rounded up to 4 pixels, as the library does);
// `copy` 1, 2, ... name further buffers of the same kind, as copy destinations. Made on
// first use, never freed before exit; returns a negative handle when it cannot be made.
int buffer(int depth, int w = width, int h = height, int copy = 0);

// Opens that buffer with its pixels zeroed and its clip rectangle the whole buffer, so a
// benchmark starts from the same state whatever ran before it. Returns the handle.
int open(int depth, int w = width, int h = height, int copy = 0);

// Number of pixels of a buffer made here that hold the value (cut to the buffer's depth);
// 0 for any other handle.
int64_t count(int handle, uint32_t value);

// Number of the n pixels of a depth from p that hold the value (cut to the depth).
int64_t count(const uint8_t* p, int64_t n, int depth, uint32_t value);

// Overwrites a buffer made here with bytes that vary along rows and between rows.
void pattern(int handle);

// The value a pixel gets for rs_setcolor(color) at the depth.
inline uint32_t stored(int depth, uint32_t color) {
    return depth == 8 ? color & 0xFF : depth == 16 ? color & 0xFFFF : depth == 24 ? color & 0xFFFFFF : color;
}

inline uint32_t color_for(int depth) { return depth == 8 ? 0x5A : depth == 16 ? 0x5AC3 : 0x125AC3E1; }

// A surface of the size set as the window DC, black, for presenting benchmarks; the DC is
// unset again before the surface goes.
struct Surface {
    RS_HDC dc;
    Surface(int w, int h);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
};

// Call after the timed loop with whether the work is in the buffer: when it is not, the
// benchmark is reported as an error (and the run's ratios list it) instead of a figure.
inline bool verify(benchmark::State& state, bool done, const char* what) {
    if (!done) state.SkipWithError(what);
    return done;
}

}  // namespace bench

#ifndef RSW32_BENCH_FIXTURE_OWNER
#pragma GCC poison rs_vbinit rs_vbfin rs_vbfree
#endif
