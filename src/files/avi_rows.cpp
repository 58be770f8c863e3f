// Row kernels of the full-frame AVI conversions. The vector forms spread four 3-byte
// pixels of a 16-byte load into 4-byte lanes with one byte shuffle and merge the buffer's
// fourth bytes back; the palette lookup gathers eight table entries at a time. The plain
// loops do the rest of every row, and the whole row where there are no vector forms.
#include "files/avi_rows.h"

#include <cstring>

#include "core/cpu.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace files {
namespace {

[[gnu::always_inline]] inline void bgrx_loop(const uint8_t* src, uint8_t* dst, size_t n) {
    for (size_t i = 0; i < n; ++i, src += 3, dst += 4) {
        uint32_t v;
        std::memcpy(&v, dst, 4);
        v = (v & 0xFF000000u) | uint32_t(src[0]) | uint32_t(src[1]) << 8 | uint32_t(src[2]) << 16;
        std::memcpy(dst, &v, 4);
    }
}

[[gnu::always_inline]] inline void lut_loop(const uint8_t* src, const uint32_t* lut, uint8_t* dst, size_t n) {
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {  // four stores from one load of indices
        uint32_t idx;
        std::memcpy(&idx, src + i, 4);
        const uint32_t v[4] = {lut[idx & 255], lut[idx >> 8 & 255], lut[idx >> 16 & 255], lut[idx >> 24]};
        std::memcpy(dst + 4 * i, v, 16);
    }
    for (; i < n; ++i) std::memcpy(dst + 4 * i, &lut[src[i]], 4);
}

void bgrx_plain(const uint8_t* src, uint8_t* dst, size_t n) { bgrx_loop(src, dst, n); }
void lut_plain(const uint8_t* src, const uint32_t* lut, uint8_t* dst, size_t n) { lut_loop(src, lut, dst, n); }

constexpr AviRowKernels plain_set{bgrx_plain, lut_plain};

#if RSW32_X86_KERNELS

// Bytes 0..11 of a load as four pixels in 4-byte lanes, the fourth byte of each zero.
#define RSW32_SPREAD_BGR 0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1

__attribute__((target("ssse3"))) void bgrx_ssse3(const uint8_t* src, uint8_t* dst, size_t n) {
    const __m128i spread = _mm_setr_epi8(RSW32_SPREAD_BGR);
    const __m128i keep = _mm_set1_epi32(int(0xFF000000u));
    size_t i = 0;
    for (; i + 6 <= n; i += 4) {  // the 16-byte load reaches 3 i + 16 <= 3 (i + 6) bytes
        const __m128i s = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i)), spread);
        __m128i* d = reinterpret_cast<__m128i*>(dst + 4 * i);
        _mm_storeu_si128(d, _mm_or_si128(s, _mm_and_si128(keep, _mm_loadu_si128(d))));
    }
    bgrx_loop(src + 3 * i, dst + 4 * i, n - i);
}

// Without a gather, the table lookups stay scalar.
constexpr AviRowKernels ssse3_set{bgrx_ssse3, lut_plain};

__attribute__((target("avx2"))) void bgrx_avx2(const uint8_t* src, uint8_t* dst, size_t n) {
    const __m256i spread = _mm256_setr_epi8(RSW32_SPREAD_BGR, RSW32_SPREAD_BGR);
    const __m256i keep = _mm256_set1_epi32(int(0xFF000000u));
    size_t i = 0;
    for (; i + 10 <= n; i += 8) {  // the second half's load reaches 3 i + 28 <= 3 (i + 10) bytes
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i + 12));
        const __m256i s = _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1), spread);
        __m256i* d = reinterpret_cast<__m256i*>(dst + 4 * i);
        _mm256_storeu_si256(d, _mm256_or_si256(s, _mm256_and_si256(keep, _mm256_loadu_si256(d))));
    }
    bgrx_loop(src + 3 * i, dst + 4 * i, n - i);
}

__attribute__((target("avx2"))) void lut_avx2(const uint8_t* src, const uint32_t* lut, uint8_t* dst, size_t n) {
    const int* table = reinterpret_cast<const int*>(lut);
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i idx = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * i), _mm256_i32gather_epi32(table, idx, 4));
    }
    lut_loop(src + i, lut, dst + 4 * i, n - i);
}

constexpr AviRowKernels avx2_set{bgrx_avx2, lut_avx2};

#undef RSW32_SPREAD_BGR

#endif

}  // namespace

const AviRowKernels& plain_avi_kernels() { return plain_set; }

const AviRowKernels* ssse3_avi_kernels() {
#if RSW32_X86_KERNELS
    return core::has_ssse3() ? &ssse3_set : nullptr;
#else
    return nullptr;
#endif
}

const AviRowKernels* avx2_avi_kernels() {
#if RSW32_X86_KERNELS
    return core::has_avx2() ? &avx2_set : nullptr;
#else
    return nullptr;
#endif
}

const AviRowKernels& avi_kernels() {
    static const AviRowKernels& chosen =
        avx2_avi_kernels() ? *avx2_avi_kernels() : ssse3_avi_kernels() ? *ssse3_avi_kernels() : plain_avi_kernels();
    return chosen;
}

}  // namespace files
