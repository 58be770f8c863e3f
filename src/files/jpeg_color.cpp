// YCbCr to the buffer's pixels, and the kernel sets of the decoder.
//
// The reference converts through the four tables entry[i] = trunc(c × (i − 128) + 0.5).
// The vector kernels compute each entry from d = i − 128 as r = (d·K + 8192) >> 14 with
// 14-bit constants K, then r + 1 where r is negative (rounding half up below zero becomes
// truncation toward zero); the constants below were chosen so that this gives every entry
// of every table, which the tests check over all 256 indexes. In 16-bit lanes the product
// 4d·K is formed from its high and low halves (pmulhw, pmullw).
//
// Output: 16 bits (red & 0xF8) << 8 | (green >> 2) << 5 | blue >> 3; 24 bits the bytes
// blue, green, red; 32 bits the same in the first three bytes of each pixel, whose fourth
// byte keeps its value. Grayscale writes the sample as red, green and blue.
#include <algorithm>
#include <cstring>

#include "core/cpu.h"
#include "files/jpeg.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace files::jpeg {

const ColorTables& color_tables() {
    static const ColorTables t = [] {
        ColorTables c{};
        for (int i = 0; i < 256; ++i) {
            c.cr_r[i] = int32_t(1.402 * (i - 128) + 0.5);
            c.cb_g[i] = int32_t(0.34414 * (i - 128) + 0.5);
            c.cr_g[i] = int32_t(0.71414 * (i - 128) + 0.5);
            c.cb_b[i] = int32_t(1.772 * (i - 128) + 0.5);
        }
        return c;
    }();
    return t;
}

namespace {

uint8_t clamp255(int32_t v) { return uint8_t(std::clamp(v, 0, 255)); }

struct Rgb {
    uint8_t r, g, b;
};

Rgb ycc(const ColorTables& t, int y, int cb, int cr) {
    return {clamp255(y + t.cr_r[cr]), clamp255(y - t.cb_g[cb] - t.cr_g[cr]), clamp255(y + t.cb_b[cb])};
}

void put16(uint8_t* p, Rgb c) {
    const uint16_t v = uint16_t((c.r & 0xF8) << 8 | (c.g >> 2) << 5 | c.b >> 3);
    std::memcpy(p, &v, 2);
}
void put24(uint8_t* p, Rgb c) { p[0] = c.b, p[1] = c.g, p[2] = c.r; }

// The per-pixel reference, also the tail of the vector rows.
void color16_ref(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int n) {
    const ColorTables& t = color_tables();
    for (int i = 0; i < n; ++i) put16(out + 2 * i, ycc(t, y[i], cb[i], cr[i]));
}
void color24_ref(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int n) {
    const ColorTables& t = color_tables();
    for (int i = 0; i < n; ++i) put24(out + 3 * i, ycc(t, y[i], cb[i], cr[i]));
}
void color32_ref(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int n) {
    const ColorTables& t = color_tables();
    for (int i = 0; i < n; ++i) put24(out + 4 * i, ycc(t, y[i], cb[i], cr[i]));
}
void gray16_ref(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* out, int n) {
    for (int i = 0; i < n; ++i) put16(out + 2 * i, {y[i], y[i], y[i]});
}
void gray24_ref(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* out, int n) {
    for (int i = 0; i < n; ++i) put24(out + 3 * i, {y[i], y[i], y[i]});
}
void gray32_ref(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* out, int n) {
    for (int i = 0; i < n; ++i) put24(out + 4 * i, {y[i], y[i], y[i]});
}

template <IdctFn idct>
void idct_twice(const int16_t* a, uint8_t* out_a, ptrdiff_t stride_a, const int16_t* b, uint8_t* out_b,
                ptrdiff_t stride_b) {
    idct(a, out_a, stride_a);
    idct(b, out_b, stride_b);
}

void widen_ref(const uint8_t* src, int hr, uint8_t* row, int n) {
    for (int i = 0; i < n; ++i) row[i] = src[i / hr];
}

#if RSW32_X86_KERNELS

#define RSW32_INLINE [[gnu::always_inline]] inline

constexpr int16_t K_cr_r = 22971, K_cb_g = 5638, K_cr_g = 11700, K_cb_b = 29033;

// trunc(c × d + 0.5) for the eight 16-bit lanes d4 = 4d.
RSW32_INLINE __m128i term(__m128i d4, int16_t k) {
    const __m128i kk = _mm_set1_epi16(k);
    const __m128i r = _mm_add_epi16(_mm_mulhi_epi16(d4, kk), _mm_srli_epi16(_mm_mullo_epi16(d4, kk), 15));
    return _mm_sub_epi16(r, _mm_srai_epi16(r, 15));
}

// Sixteen pixels as blue, green, red 16-bit values (0..255) in lo and hi halves.
struct Rgb16 {
    __m128i b[2], g[2], r[2];
};

RSW32_INLINE Rgb16 convert16(const uint8_t* y, const uint8_t* cb, const uint8_t* cr) {
    const __m128i zero = _mm_setzero_si128(), bias = _mm_set1_epi16(128);
    const __m128i Y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
    const __m128i B = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb));
    const __m128i R = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr));
    Rgb16 o;
    for (int h = 0; h < 2; ++h) {
        const __m128i y16 = h ? _mm_unpackhi_epi8(Y, zero) : _mm_unpacklo_epi8(Y, zero);
        const __m128i cb4 = _mm_slli_epi16(_mm_sub_epi16(h ? _mm_unpackhi_epi8(B, zero) : _mm_unpacklo_epi8(B, zero), bias), 2);
        const __m128i cr4 = _mm_slli_epi16(_mm_sub_epi16(h ? _mm_unpackhi_epi8(R, zero) : _mm_unpacklo_epi8(R, zero), bias), 2);
        const __m128i lo = zero, hi = _mm_set1_epi16(255);
        o.r[h] = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(y16, term(cr4, K_cr_r)), lo), hi);
        o.g[h] = _mm_min_epi16(_mm_max_epi16(_mm_sub_epi16(_mm_sub_epi16(y16, term(cb4, K_cb_g)), term(cr4, K_cr_g)), lo), hi);
        o.b[h] = _mm_min_epi16(_mm_max_epi16(_mm_add_epi16(y16, term(cb4, K_cb_b)), lo), hi);
    }
    return o;
}

RSW32_INLINE Rgb16 gray16(const uint8_t* y) {
    const __m128i Y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
    Rgb16 o;
    o.b[0] = o.g[0] = o.r[0] = _mm_unpacklo_epi8(Y, _mm_setzero_si128());
    o.b[1] = o.g[1] = o.r[1] = _mm_unpackhi_epi8(Y, _mm_setzero_si128());
    return o;
}

RSW32_INLINE void store16(const Rgb16& c, uint8_t* out) {
    for (int h = 0; h < 2; ++h) {
        const __m128i v = _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(c.r[h], _mm_set1_epi16(0xF8)), 8),
                                                    _mm_slli_epi16(_mm_srli_epi16(c.g[h], 2), 5)),
                                       _mm_srli_epi16(c.b[h], 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * h), v);
    }
}

// The sixteen pixels as four vectors of 4-byte pixels blue, green, red, 0.
RSW32_INLINE void bgr0(const Rgb16& c, __m128i* px) {
    for (int h = 0; h < 2; ++h) {
        const __m128i bg = _mm_or_si128(c.b[h], _mm_slli_epi16(c.g[h], 8));
        px[2 * h] = _mm_unpacklo_epi16(bg, c.r[h]);
        px[2 * h + 1] = _mm_unpackhi_epi16(bg, c.r[h]);
    }
}

RSW32_INLINE void store32(const Rgb16& c, uint8_t* out) {
    __m128i px[4];
    bgr0(c, px);
    const __m128i keep = _mm_set1_epi32(int32_t(0xFF000000u));
    for (int i = 0; i < 4; ++i) {
        __m128i* p = reinterpret_cast<__m128i*>(out + 16 * i);
        _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p), keep), px[i]));
    }
}

// Four 4-byte pixels into 12 bytes at the bottom of the vector.
RSW32_INLINE __m128i squeeze(__m128i px) {
    const __m128i low3 = _mm_set_epi32(0, 0x00FFFFFF, 0, 0x00FFFFFF);
    const __m128i pairs = _mm_or_si128(_mm_and_si128(px, low3), _mm_srli_epi64(_mm_andnot_si128(low3, px), 8));
    const __m128i first = _mm_set_epi32(0, 0, 0x0000FFFF, -1);
    return _mm_or_si128(_mm_and_si128(pairs, first), _mm_srli_si128(_mm_andnot_si128(first, pairs), 2));
}

RSW32_INLINE void store24(const Rgb16& c, uint8_t* out) {
    __m128i px[4];
    bgr0(c, px);
    // Each 16-byte store is partly overwritten by the next; the last writes 12 bytes exactly.
    for (int i = 0; i < 3; ++i) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12 * i), squeeze(px[i]));
    const __m128i last = squeeze(px[3]);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 36), last);
    const int32_t tail = _mm_cvtsi128_si32(_mm_srli_si128(last, 8));
    std::memcpy(out + 44, &tail, 4);
}

template <int Bytes>
RSW32_INLINE void store(const Rgb16& c, uint8_t* out) {
    if constexpr (Bytes == 2) store16(c, out);
    else if constexpr (Bytes == 3) store24(c, out);
    else store32(c, out);
}

template <int Bytes, class Tail>
RSW32_INLINE void color_row(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int n, Tail tail) {
    int i = 0;
    for (; i + 16 <= n; i += 16) store<Bytes>(convert16(y + i, cb + i, cr + i), out + Bytes * i);
    tail(y + i, cb + i, cr + i, out + Bytes * i, n - i);
}
template <int Bytes, class Tail>
RSW32_INLINE void gray_row(const uint8_t* y, uint8_t* out, int n, Tail tail) {
    int i = 0;
    for (; i + 16 <= n; i += 16) store<Bytes>(gray16(y + i), out + Bytes * i);
    tail(y + i, nullptr, nullptr, out + Bytes * i, n - i);
}

#define RSW32_COLOR_SET(suffix, attr)                                                                   \
    attr void color16_##suffix(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* o, int n) { \
        color_row<2>(y, cb, cr, o, n, color16_ref);                                                     \
    }                                                                                                   \
    attr void color24_##suffix(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* o, int n) { \
        color_row<3>(y, cb, cr, o, n, color24_ref);                                                     \
    }                                                                                                   \
    attr void color32_##suffix(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* o, int n) { \
        color_row<4>(y, cb, cr, o, n, color32_ref);                                                     \
    }                                                                                                   \
    attr void gray16_##suffix(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* o, int n) {    \
        gray_row<2>(y, o, n, gray16_ref);                                                               \
    }                                                                                                   \
    attr void gray24_##suffix(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* o, int n) {    \
        gray_row<3>(y, o, n, gray24_ref);                                                               \
    }                                                                                                   \
    attr void gray32_##suffix(const uint8_t* y, const uint8_t*, const uint8_t*, uint8_t* o, int n) {    \
        gray_row<4>(y, o, n, gray32_ref);                                                               \
    }

// Doubling (4:2:x chroma) sixteen samples at a time; other factors a sample at a time.
RSW32_INLINE void widen_x86(const uint8_t* src, int hr, uint8_t* row, int n) {
    int i = 0;
    if (hr == 2) {
        for (; i + 32 <= n; i += 32) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i / 2));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_unpacklo_epi8(s, s));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i + 16), _mm_unpackhi_epi8(s, s));
        }
    } else {
        for (; i + hr <= n; i += hr, ++src) std::memset(row + i, *src, size_t(hr));
        src -= i / hr;
    }
    for (; i < n; ++i) row[i] = src[i / hr];
}

void widen_sse2(const uint8_t* src, int hr, uint8_t* row, int n) { widen_x86(src, hr, row, n); }
__attribute__((target("avx2"))) void widen_avx2(const uint8_t* src, int hr, uint8_t* row, int n) {
    widen_x86(src, hr, row, n);
}

RSW32_COLOR_SET(sse2, )

// The AVX2 rows take 32 pixels at a time through the same arithmetic in 256-bit registers
// and leave the rest to the SSE2 rows. Unpacking works within 128-bit lanes, so the low
// halves hold pixels 0-7 and 16-23, the high halves 8-15 and 24-31.
#define RSW32_AVX2 [[gnu::always_inline, gnu::target("avx2")]] inline

struct Rgb32 {
    __m256i b[2], g[2], r[2];
};

RSW32_AVX2 __m256i term(__m256i d4, int16_t k) {
    const __m256i kk = _mm256_set1_epi16(k);
    const __m256i r = _mm256_add_epi16(_mm256_mulhi_epi16(d4, kk), _mm256_srli_epi16(_mm256_mullo_epi16(d4, kk), 15));
    return _mm256_sub_epi16(r, _mm256_srai_epi16(r, 15));
}

RSW32_AVX2 Rgb32 convert32(const uint8_t* y, const uint8_t* cb, const uint8_t* cr) {
    const __m256i zero = _mm256_setzero_si256(), bias = _mm256_set1_epi16(128), hi = _mm256_set1_epi16(255);
    const __m256i Y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y));
    const __m256i B = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cb));
    const __m256i R = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cr));
    Rgb32 o;
    for (int h = 0; h < 2; ++h) {
        const __m256i y16 = h ? _mm256_unpackhi_epi8(Y, zero) : _mm256_unpacklo_epi8(Y, zero);
        const __m256i cb16 = h ? _mm256_unpackhi_epi8(B, zero) : _mm256_unpacklo_epi8(B, zero);
        const __m256i cr16 = h ? _mm256_unpackhi_epi8(R, zero) : _mm256_unpacklo_epi8(R, zero);
        const __m256i cb4 = _mm256_slli_epi16(_mm256_sub_epi16(cb16, bias), 2);
        const __m256i cr4 = _mm256_slli_epi16(_mm256_sub_epi16(cr16, bias), 2);
        o.r[h] = _mm256_min_epi16(_mm256_max_epi16(_mm256_add_epi16(y16, term(cr4, K_cr_r)), zero), hi);
        o.g[h] = _mm256_min_epi16(
            _mm256_max_epi16(_mm256_sub_epi16(_mm256_sub_epi16(y16, term(cb4, K_cb_g)), term(cr4, K_cr_g)), zero), hi);
        o.b[h] = _mm256_min_epi16(_mm256_max_epi16(_mm256_add_epi16(y16, term(cb4, K_cb_b)), zero), hi);
    }
    return o;
}

RSW32_AVX2 Rgb32 gray32(const uint8_t* y) {
    const __m256i Y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y));
    Rgb32 o;
    o.b[0] = o.g[0] = o.r[0] = _mm256_unpacklo_epi8(Y, _mm256_setzero_si256());
    o.b[1] = o.g[1] = o.r[1] = _mm256_unpackhi_epi8(Y, _mm256_setzero_si256());
    return o;
}

RSW32_AVX2 void store16(const Rgb32& c, uint8_t* out) {
    __m256i v[2];
    for (int h = 0; h < 2; ++h)
        v[h] = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(c.r[h], _mm256_set1_epi16(0xF8)), 8),
                                               _mm256_slli_epi16(_mm256_srli_epi16(c.g[h], 2), 5)),
                               _mm256_srli_epi16(c.b[h], 3));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(v[0], v[1], 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32), _mm256_permute2x128_si256(v[0], v[1], 0x31));
}

// The 32 pixels as blue, green, red, 0 in pixel order, eight to a register.
RSW32_AVX2 void bgr0(const Rgb32& c, __m256i* px) {
    __m256i q[4];
    for (int h = 0; h < 2; ++h) {
        const __m256i bg = _mm256_or_si256(c.b[h], _mm256_slli_epi16(c.g[h], 8));
        q[2 * h] = _mm256_unpacklo_epi16(bg, c.r[h]);      // pixels 0-3, 16-19 (+8 for h)
        q[2 * h + 1] = _mm256_unpackhi_epi16(bg, c.r[h]);  // pixels 4-7, 20-23 (+8 for h)
    }
    px[0] = _mm256_permute2x128_si256(q[0], q[1], 0x20);
    px[1] = _mm256_permute2x128_si256(q[2], q[3], 0x20);
    px[2] = _mm256_permute2x128_si256(q[0], q[1], 0x31);
    px[3] = _mm256_permute2x128_si256(q[2], q[3], 0x31);
}

RSW32_AVX2 void store32(const Rgb32& c, uint8_t* out) {
    __m256i px[4];
    bgr0(c, px);
    const __m256i keep = _mm256_set1_epi32(int32_t(0xFF000000u));
    for (int i = 0; i < 4; ++i) {
        __m256i* p = reinterpret_cast<__m256i*>(out + 32 * i);
        _mm256_storeu_si256(p, _mm256_or_si256(_mm256_and_si256(_mm256_loadu_si256(p), keep), px[i]));
    }
}

RSW32_AVX2 void store24(const Rgb32& c, uint8_t* out) {
    __m256i px[4];
    bgr0(c, px);
    // Four pixels of each 128-bit lane into its low 12 bytes; each 16-byte store is partly
    // overwritten by the next, and the last writes 12 bytes exactly.
    const __m256i squeeze = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                             0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    for (int i = 0; i < 4; ++i) {
        const __m256i v = _mm256_shuffle_epi8(px[i], squeeze);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 24 * i), _mm256_castsi256_si128(v));
        const __m128i upper = _mm256_extracti128_si256(v, 1);
        if (i < 3) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 24 * i + 12), upper);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 84), upper);
            const int32_t tail = _mm_cvtsi128_si32(_mm_srli_si128(upper, 8));
            std::memcpy(out + 92, &tail, 4);
        }
    }
}

template <int Bytes>
RSW32_AVX2 void store(const Rgb32& c, uint8_t* out) {
    if constexpr (Bytes == 2) store16(c, out);
    else if constexpr (Bytes == 3) store24(c, out);
    else store32(c, out);
}

#define RSW32_AVX2_ROWS(bytes)                                                                                         \
    __attribute__((target("avx2"))) void color##bytes##_avx2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr,   \
                                                              uint8_t* o, int n) {                                     \
        int i = 0;                                                                                                     \
        for (; i + 32 <= n; i += 32) store<bytes / 8>(convert32(y + i, cb + i, cr + i), o + bytes / 8 * i);            \
        color_row<bytes / 8>(y + i, cb + i, cr + i, o + bytes / 8 * i, n - i, color##bytes##_ref);                     \
    }                                                                                                                  \
    __attribute__((target("avx2"))) void gray##bytes##_avx2(const uint8_t* y, const uint8_t*, const uint8_t*,          \
                                                             uint8_t* o, int n) {                                      \
        int i = 0;                                                                                                     \
        for (; i + 32 <= n; i += 32) store<bytes / 8>(gray32(y + i), o + bytes / 8 * i);                               \
        gray_row<bytes / 8>(y + i, o + bytes / 8 * i, n - i, gray##bytes##_ref);                                       \
    }

RSW32_AVX2_ROWS(16)
RSW32_AVX2_ROWS(24)
RSW32_AVX2_ROWS(32)

constexpr Kernels sse2_set{idct_sse2,
                           idct_twice<idct_sse2>,
                           {color16_sse2, color24_sse2, color32_sse2},
                           {gray16_sse2, gray24_sse2, gray32_sse2},
                           widen_sse2,
                           true};
constexpr Kernels avx2_set{idct_avx2,
                           idct2_avx2,
                           {color16_avx2, color24_avx2, color32_avx2},
                           {gray16_avx2, gray24_avx2, gray32_avx2},
                           widen_avx2,
                           true};

#else

constexpr Kernels sse2_set{idct_reference,
                           idct_twice<idct_reference>,
                           {color16_ref, color24_ref, color32_ref},
                           {gray16_ref, gray24_ref, gray32_ref},
                           widen_ref,
                           true};

#endif

constexpr Kernels reference_set{idct_reference,
                                idct_twice<idct_reference>,
                                {color16_ref, color24_ref, color32_ref},
                                {gray16_ref, gray24_ref, gray32_ref},
                                widen_ref,
                                false};

}  // namespace

const Kernels& reference_kernels() { return reference_set; }
const Kernels& sse2_kernels() { return sse2_set; }

const Kernels* avx2_kernels() {
#if RSW32_X86_KERNELS
    return core::has_avx2() ? &avx2_set : nullptr;
#else
    return nullptr;
#endif
}

const Kernels& best_kernels() {
    static const Kernels& chosen = avx2_kernels() ? *avx2_kernels() : sse2_kernels();
    return chosen;
}

}  // namespace files::jpeg
