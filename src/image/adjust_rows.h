// Passes of the photo adjustments over a run of pixels, one per channel format (Layout):
// the plain per-pixel loop of adjust.cpp, and vector passes for processors with byte
// permutes across 64-byte registers (AVX-512 VBMI), chosen once from the processor's
// features. The tests hold the vector passes to the plain ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "image/channels.h"

namespace image {

// A channel table and the same table for the fields of an RGB565 word: a field widened,
// looked up and narrowed again.
struct ChannelTable {
    uint8_t entry[256];
    uint8_t field5[32];
    uint8_t field6[64];
};

// Each pass reads n pixels from s and writes them to d (s may be d); at bgrx the fourth
// byte of d is kept.
struct AdjustKernels {
    void (*table[layout_count])(const uint8_t* s, uint8_t* d, size_t n, const ChannelTable& t);
    void (*grey[layout_count])(const uint8_t* s, uint8_t* d, size_t n);
};

const AdjustKernels& plain_adjust_kernels();
// The AVX-512 VBMI passes, or nullptr when the processor or the build has none.
const AdjustKernels* vbmi_adjust_kernels();
const AdjustKernels& adjust_kernels();

// Grey weights: the nearest integers to 0.299 c, 0.587 c and 0.114 c. The one exact half,
// 0.114 × 250 = 28.5, is taken upwards.
constexpr std::array<uint8_t, 256> grey_weights(uint32_t per_mille) {
    std::array<uint8_t, 256> w{};
    for (uint32_t c = 0; c < 256; ++c) w[c] = uint8_t((per_mille * c + 500) / 1000);
    return w;
}
inline constexpr std::array<uint8_t, 256> grey_red = grey_weights(299), grey_green = grey_weights(587),
                                          grey_blue = grey_weights(114);
static_assert(grey_red[255] + grey_green[255] + grey_blue[255] == 255, "white stays white");

}  // namespace image
