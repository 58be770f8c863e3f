// Row kernels of the AVI frame conversions that carry a whole frame into a 32-bit buffer
// (rs_aviplay at full size): 24-bit frame pixels into 32-bit pixels, and 8-bit indices
// through the palette pixel table. Each set is built for the plain processor, for SSSE3
// and for AVX2, and chosen once from the processor's features; every set gives the same
// bytes, which the tests check on rows of every length.
#pragma once

#include <cstddef>
#include <cstdint>

namespace files {

struct AviRowKernels {
    // n (blue, green, red) pixels into n 4-byte pixels, whose fourth bytes stay.
    void (*bgr_into_bgrx)(const uint8_t* src, uint8_t* dst, size_t n);
    // n 8-bit indices into n 4-byte pixels lut[index].
    void (*index_into_32)(const uint8_t* src, const uint32_t* lut, uint8_t* dst, size_t n);
};

const AviRowKernels& plain_avi_kernels();
// The SSSE3 and AVX2 sets, or nullptr when the processor or the build has none.
const AviRowKernels* ssse3_avi_kernels();
const AviRowKernels* avx2_avi_kernels();
// The fastest set this processor runs.
const AviRowKernels& avi_kernels();

}  // namespace files
