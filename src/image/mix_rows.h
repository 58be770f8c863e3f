// Row kernels of blending with one opacity for the whole call (rs_blenddcb, rs_blendvb):
// the same mixing rule as image::mix, in vector registers. Each set of kernels is built
// once for the baseline processor (SSE2 on x86-64) and once more for AVX2; the set is
// chosen once, from the processor's features. blend.cpp keeps the plain per-pixel loop
// beside them, and the tests ask both for identical bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace image {

struct MixKernels {
    // n bytes, each one channel (dcbs at 24 and 32 bits, 24-bit buffer rows); b may be d.
    void (*bytes)(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o);
    // n RGB565 words, widened, mixed and narrowed; b may be d.
    void (*rgb565)(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o);
    // n 3-byte pixels a and b into the 4-byte pixels d, whose fourth bytes stay.
    void (*bgr_into_bgrx)(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o);
    // n 3-byte pixels a mixed into the 4-byte pixels d themselves, fourth bytes kept.
    void (*bgr_over_bgrx)(const uint8_t* a, uint8_t* d, size_t n, uint32_t o);
};

const MixKernels& baseline_mix_kernels();
// The AVX2 set, or nullptr when the processor or the build has none.
const MixKernels* avx2_mix_kernels();
// The fastest set this processor runs.
const MixKernels& mix_kernels();

}  // namespace image
