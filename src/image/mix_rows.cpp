// Row kernels of blending with one opacity: channel bytes, RGB565 words, and 3-byte dcb
// pixels into 4-byte buffer pixels.
//
// The byte and RGB565 loops are plain loops in 16-bit arithmetic, which the compiler turns
// into vector code; each is built twice, once for the baseline processor and once for
// AVX2, by inlining the same loop into two functions. The 3-to-4-byte kernels spread the
// dcb pixels into 4-byte lanes by hand (the compiler gathers them a byte at a time) and
// share the mixing step with the loops above.
#include "image/mix_rows.h"

#include <cstring>

#include "core/cpu.h"
#include "image/channels.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace image {
namespace {

// The mixing rule of image::mix in 16-bit arithmetic, so that vector code can use 16-bit
// lanes: x <= 255 × 255 = 65025, t = x + 128 <= 65153 and t + (t >> 8) <= 65407 all fit.
[[gnu::always_inline]] inline uint8_t mix16(uint16_t a, uint16_t b, uint16_t o) {
    const uint16_t x = uint16_t(a * o + b * uint16_t(255 - o));
    const uint16_t t = uint16_t(x + 128);
    return uint8_t(uint16_t(t + (t >> 8)) >> 8);
}

[[gnu::always_inline]] inline void mix_bytes_loop(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n,
                                                  uint32_t o) {
    const uint16_t o16 = uint16_t(o);
    for (size_t i = 0; i < n; ++i) d[i] = mix16(a[i], b[i], o16);
}

[[gnu::always_inline]] inline void mix_565_loop(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n,
                                                uint32_t o) {
    const uint16_t o16 = uint16_t(o);
    for (size_t i = 0; i < n; ++i) {
        uint16_t x, y;
        std::memcpy(&x, a + 2 * i, 2);
        std::memcpy(&y, b + 2 * i, 2);
        const uint16_t r = mix16(widen5(x >> 11), widen5(y >> 11), o16);
        const uint16_t g = mix16(widen6((x >> 5) & 63u), widen6((y >> 5) & 63u), o16);
        const uint16_t bl = mix16(widen5(x & 31u), widen5(y & 31u), o16);
        const uint16_t w = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (bl >> 3));
        std::memcpy(d + 2 * i, &w, 2);
    }
}

// 3-byte pixels a and b (b_stride bytes apart) into 4-byte pixels d, fourth bytes kept:
// the tails of the vector kernels, and the whole row where there are none.
[[gnu::always_inline]] inline void bgrx_loop(const uint8_t* a, const uint8_t* b, size_t b_stride, uint8_t* d,
                                             size_t n, uint32_t o) {
    const uint16_t o16 = uint16_t(o);
    for (size_t i = 0; i < n; ++i, a += 3, b += b_stride, d += 4) {
        d[0] = mix16(a[0], b[0], o16);
        d[1] = mix16(a[1], b[1], o16);
        d[2] = mix16(a[2], b[2], o16);
    }
}

void bytes_baseline(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    mix_bytes_loop(a, b, d, n, o);
}
void rgb565_baseline(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    mix_565_loop(a, b, d, n, o);
}

#if RSW32_X86_KERNELS

constexpr uint32_t colour_bytes = 0x00FFFFFF;

// 16 bytes mixed in 16-bit lanes as mix16 does, one half at a time; o2 = 255 - o.
inline __m128i mix_half_sse2(__m128i x, __m128i y, __m128i o, __m128i o2) {
    const __m128i t = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(x, o), _mm_mullo_epi16(y, o2)), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

inline __m128i mix_lanes_sse2(__m128i a, __m128i b, __m128i o, __m128i o2) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(mix_half_sse2(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), o, o2),
                            mix_half_sse2(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), o, o2));
}

// Four 3-byte pixels spread to 4-byte lanes. Reads 4 bytes at each pixel: the byte after
// the fourth pixel must exist.
inline __m128i load_bgr4_sse2(const uint8_t* p) {
    uint32_t w[4];
    for (int k = 0; k < 4; ++k) std::memcpy(&w[k], p + 3 * k, 4);
    return _mm_and_si128(_mm_setr_epi32(int(w[0]), int(w[1]), int(w[2]), int(w[3])),
                         _mm_set1_epi32(int(colour_bytes)));
}

// b_stride 3: b is a dcb; 4: b is the buffer row itself.
template <size_t BStride>
void bgrx_sse2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    const __m128i o1 = _mm_set1_epi16(short(o)), o2 = _mm_set1_epi16(short(255 - o));
    const __m128i keep = _mm_set1_epi32(int(~colour_bytes));
    size_t i = 0;
    for (; i + 4 < n; i += 4) {  // a pixel must follow: the loads read one byte past the fourth
        const __m128i A = load_bgr4_sse2(a + 3 * i);
        const __m128i B = BStride == 3 ? load_bgr4_sse2(b + 3 * i)
                                       : _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 4 * i));
        const __m128i D = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * i));
        const __m128i M = mix_lanes_sse2(A, B, o1, o2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), _mm_or_si128(_mm_andnot_si128(keep, M), _mm_and_si128(keep, D)));
    }
    bgrx_loop(a + 3 * i, b + BStride * i, BStride, d + 4 * i, n - i, o);
}

void bgr_into_bgrx_sse2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    bgrx_sse2<3>(a, b, d, n, o);
}
void bgr_over_bgrx_sse2(const uint8_t* a, uint8_t* d, size_t n, uint32_t o) { bgrx_sse2<4>(a, d, d, n, o); }

#define RSW32_AVX2 __attribute__((target("avx2")))

RSW32_AVX2 void bytes_avx2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    mix_bytes_loop(a, b, d, n, o);
}
RSW32_AVX2 void rgb565_avx2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    mix_565_loop(a, b, d, n, o);
}

RSW32_AVX2 inline __m256i mix_half_avx2(__m256i x, __m256i y, __m256i o, __m256i o2) {
    const __m256i t = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(x, o), _mm256_mullo_epi16(y, o2)),
                                       _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

RSW32_AVX2 inline __m256i mix_lanes_avx2(__m256i a, __m256i b, __m256i o, __m256i o2) {
    const __m256i zero = _mm256_setzero_si256();
    return _mm256_packus_epi16(mix_half_avx2(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), o, o2),
                               mix_half_avx2(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), o, o2));
}

// Eight 3-byte pixels spread to 4-byte lanes: 32 bytes are read (8 past the eighth pixel),
// dwords 0..3 go to the low half and 3..6 to the high half, and each half's first 12
// bytes are spread to four pixels.
RSW32_AVX2 inline __m256i load_bgr8_avx2(const uint8_t* p) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i halves = _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6));
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    return _mm256_shuffle_epi8(halves, spread);
}

template <size_t BStride>
RSW32_AVX2 void bgrx_avx2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    const __m256i o1 = _mm256_set1_epi16(short(o)), o2 = _mm256_set1_epi16(short(255 - o));
    const __m256i keep = _mm256_set1_epi32(int(~colour_bytes));
    size_t i = 0;
    for (; i + 11 <= n; i += 8) {  // the 32-byte loads reach 3 (i + 8) + 8 <= 3 (i + 11) bytes
        const __m256i A = load_bgr8_avx2(a + 3 * i);
        const __m256i B = BStride == 3 ? load_bgr8_avx2(b + 3 * i)
                                       : _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + 4 * i));
        const __m256i D = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + 4 * i));
        const __m256i M = mix_lanes_avx2(A, B, o1, o2);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 4 * i),
                            _mm256_or_si256(_mm256_andnot_si256(keep, M), _mm256_and_si256(keep, D)));
    }
    bgrx_loop(a + 3 * i, b + BStride * i, BStride, d + 4 * i, n - i, o);
}

RSW32_AVX2 void bgr_into_bgrx_avx2(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    bgrx_avx2<3>(a, b, d, n, o);
}
RSW32_AVX2 void bgr_over_bgrx_avx2(const uint8_t* a, uint8_t* d, size_t n, uint32_t o) {
    bgrx_avx2<4>(a, d, d, n, o);
}

constexpr MixKernels baseline_set{bytes_baseline, rgb565_baseline, bgr_into_bgrx_sse2, bgr_over_bgrx_sse2};
constexpr MixKernels avx2_set{bytes_avx2, rgb565_avx2, bgr_into_bgrx_avx2, bgr_over_bgrx_avx2};

#else

void bgr_into_bgrx_plain(const uint8_t* a, const uint8_t* b, uint8_t* d, size_t n, uint32_t o) {
    bgrx_loop(a, b, 3, d, n, o);
}
void bgr_over_bgrx_plain(const uint8_t* a, uint8_t* d, size_t n, uint32_t o) { bgrx_loop(a, d, 4, d, n, o); }

constexpr MixKernels baseline_set{bytes_baseline, rgb565_baseline, bgr_into_bgrx_plain, bgr_over_bgrx_plain};

#endif

}  // namespace

const MixKernels& baseline_mix_kernels() { return baseline_set; }

const MixKernels* avx2_mix_kernels() {
#if RSW32_X86_KERNELS
    return core::has_avx2() ? &avx2_set : nullptr;
#else
    return nullptr;
#endif
}

const MixKernels& mix_kernels() {
    static const MixKernels& chosen = avx2_mix_kernels() ? *avx2_mix_kernels() : baseline_mix_kernels();
    return chosen;
}

}  // namespace image
