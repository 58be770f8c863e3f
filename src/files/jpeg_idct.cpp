// The integer inverse DCT: the Loeffler-Ligtenberg-Moschytz factorisation with 13-bit
// constants and 2 extra bits of precision between the column pass and the row pass.
//
// idct_reference follows the algorithm as written, in 32-bit arithmetic that wraps (a
// damaged file can hold coefficients whose sums leave the 32-bit range; wrapping keeps
// every kernel in agreement there too). The vector kernels compute the same sums: each
// product of a sum with a constant is split into products of its terms, which pmaddwd forms
// two at a time from 16-bit inputs, exactly. The row pass takes the column results as
// 16-bit values; a block whose column results leave that range (only damaged data does
// that) goes through the reference instead.
#include <algorithm>

#include "files/jpeg.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace files::jpeg {

namespace {

using w32 = uint32_t;  // 32-bit arithmetic that wraps

constexpr w32 FIX_0_298631336 = 2446, FIX_0_390180644 = 3196, FIX_0_541196100 = 4433, FIX_0_765366865 = 6270,
              FIX_0_899976223 = 7373, FIX_1_175875602 = 9633, FIX_1_501321110 = 12299, FIX_1_847759065 = 15137,
              FIX_1_961570560 = 16069, FIX_2_053119869 = 16819, FIX_2_562915447 = 20995, FIX_3_072711026 = 25172;

constexpr int CONST_BITS = 13, PASS1_BITS = 2;

int32_t descale(w32 x, int n) { return int32_t(x + (w32(1) << (n - 1))) >> n; }

// One 1-D transform of in[0], in[s], ..., in[7s] into out[0..7] (not yet descaled).
void idct_1d(const w32* in, int s, w32* out) {
    // Even part.
    w32 z2 = in[2 * s], z3 = in[6 * s];
    w32 z1 = (z2 + z3) * FIX_0_541196100;
    w32 tmp2 = z1 - z3 * FIX_1_847759065;
    w32 tmp3 = z1 + z2 * FIX_0_765366865;
    z2 = in[0], z3 = in[4 * s];
    w32 tmp0 = (z2 + z3) << CONST_BITS;
    w32 tmp1 = (z2 - z3) << CONST_BITS;
    const w32 tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3, tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;
    // Odd part.
    tmp0 = in[7 * s], tmp1 = in[5 * s], tmp2 = in[3 * s], tmp3 = in[1 * s];
    z1 = tmp0 + tmp3, z2 = tmp1 + tmp2, z3 = tmp0 + tmp2;
    w32 z4 = tmp1 + tmp3;
    const w32 z5 = (z3 + z4) * FIX_1_175875602;
    tmp0 *= FIX_0_298631336, tmp1 *= FIX_2_053119869, tmp2 *= FIX_3_072711026, tmp3 *= FIX_1_501321110;
    z1 *= w32(0) - FIX_0_899976223, z2 *= w32(0) - FIX_2_562915447;
    z3 *= w32(0) - FIX_1_961570560, z4 *= w32(0) - FIX_0_390180644;
    z3 += z5, z4 += z5;
    tmp0 += z1 + z3, tmp1 += z2 + z4, tmp2 += z2 + z3, tmp3 += z1 + z4;
    out[0] = tmp10 + tmp3, out[7] = tmp10 - tmp3;
    out[1] = tmp11 + tmp2, out[6] = tmp11 - tmp2;
    out[2] = tmp12 + tmp1, out[5] = tmp12 - tmp1;
    out[3] = tmp13 + tmp0, out[4] = tmp13 - tmp0;
}

}  // namespace

void idct_reference(const int16_t* coef, uint8_t* out, ptrdiff_t stride) {
    w32 ws[64];
    // Pass 1: columns; a column without AC terms is its DC value times 4 throughout.
    for (int c = 0; c < 8; ++c) {
        w32 in[8];
        for (int r = 0; r < 8; ++r) in[r] = w32(int32_t(coef[r * 8 + c]));
        bool ac = false;
        for (int r = 1; r < 8; ++r) ac |= coef[r * 8 + c] != 0;
        if (!ac) {
            for (int r = 0; r < 8; ++r) ws[r * 8 + c] = in[0] << PASS1_BITS;
            continue;
        }
        w32 o[8];
        idct_1d(in, 1, o);
        for (int r = 0; r < 8; ++r) ws[r * 8 + c] = w32(descale(o[r], CONST_BITS - PASS1_BITS));
    }
    // Pass 2: rows, back to samples around 128.
    for (int r = 0; r < 8; ++r) {
        w32 o[8];
        idct_1d(ws + r * 8, 1, o);
        for (int c = 0; c < 8; ++c)
            out[r * stride + c] = uint8_t(std::clamp(descale(o[c], CONST_BITS + PASS1_BITS + 3) + 128, 0, 255));
    }
}

#if RSW32_X86_KERNELS

namespace {

#define RSW32_INLINE [[gnu::always_inline]] inline

RSW32_INLINE __m128i pair(int a, int b) { return _mm_set1_epi32(int32_t(uint32_t(uint16_t(a)) | uint32_t(b) << 16)); }

// One 1-D transform of eight lanes at once: x[u] holds input u of each lane, y[j] gets
// output j, descaled by `shift` with rounding (32-bit values, lo and hi lanes apart).
RSW32_INLINE void idct_1d_x8(const __m128i* x, __m128i* lo, __m128i* hi, int shift) {
    const __m128i k04p = pair(8192, 8192), k04m = pair(8192, -8192);
    const __m128i k26a = pair(10703, 4433), k26b = pair(4433, -10704);
    const __m128i k73a = pair(-6436, -6436), k51a = pair(9633, 9633);
    const __m128i k73b = pair(9633, 9633), k51b = pair(6437, 6437);
    const __m128i k71a = pair(-4927, -7373), k71b = pair(-7373, 4926);
    const __m128i k53a = pair(-4176, -20995), k53b = pair(-20995, 4177);
    const __m128i round = _mm_set1_epi32(1 << (shift - 1));
    const __m128i sh = _mm_cvtsi32_si128(shift);
    for (int half = 0; half < 2; ++half) {
        auto mix = [half](__m128i a, __m128i b) { return half ? _mm_unpackhi_epi16(a, b) : _mm_unpacklo_epi16(a, b); };
        const __m128i p04 = mix(x[0], x[4]), p26 = mix(x[2], x[6]);
        const __m128i p73 = mix(x[7], x[3]), p51 = mix(x[5], x[1]);
        const __m128i p71 = mix(x[7], x[1]), p53 = mix(x[5], x[3]);
        const __m128i tmp0 = _mm_madd_epi16(p04, k04p), tmp1 = _mm_madd_epi16(p04, k04m);
        const __m128i tmp3 = _mm_madd_epi16(p26, k26a), tmp2 = _mm_madd_epi16(p26, k26b);
        const __m128i tmp10 = _mm_add_epi32(_mm_add_epi32(tmp0, tmp3), round);
        const __m128i tmp13 = _mm_add_epi32(_mm_sub_epi32(tmp0, tmp3), round);
        const __m128i tmp11 = _mm_add_epi32(_mm_add_epi32(tmp1, tmp2), round);
        const __m128i tmp12 = _mm_add_epi32(_mm_sub_epi32(tmp1, tmp2), round);
        const __m128i z3 = _mm_add_epi32(_mm_madd_epi16(p73, k73a), _mm_madd_epi16(p51, k51a));
        const __m128i z4 = _mm_add_epi32(_mm_madd_epi16(p73, k73b), _mm_madd_epi16(p51, k51b));
        const __m128i o0 = _mm_add_epi32(_mm_madd_epi16(p71, k71a), z3);
        const __m128i o3 = _mm_add_epi32(_mm_madd_epi16(p71, k71b), z4);
        const __m128i o1 = _mm_add_epi32(_mm_madd_epi16(p53, k53a), z4);
        const __m128i o2 = _mm_add_epi32(_mm_madd_epi16(p53, k53b), z3);
        __m128i* y = half ? hi : lo;
        y[0] = _mm_sra_epi32(_mm_add_epi32(tmp10, o3), sh), y[7] = _mm_sra_epi32(_mm_sub_epi32(tmp10, o3), sh);
        y[1] = _mm_sra_epi32(_mm_add_epi32(tmp11, o2), sh), y[6] = _mm_sra_epi32(_mm_sub_epi32(tmp11, o2), sh);
        y[2] = _mm_sra_epi32(_mm_add_epi32(tmp12, o1), sh), y[5] = _mm_sra_epi32(_mm_sub_epi32(tmp12, o1), sh);
        y[3] = _mm_sra_epi32(_mm_add_epi32(tmp13, o0), sh), y[4] = _mm_sra_epi32(_mm_sub_epi32(tmp13, o0), sh);
    }
}

RSW32_INLINE void transpose8x16(__m128i* r) {
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]), a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]), a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]), a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]), a7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r[0] = _mm_unpacklo_epi64(b0, b4), r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5), r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6), r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7), r[7] = _mm_unpackhi_epi64(b3, b7);
}

RSW32_INLINE void idct_x86(const int16_t* coef, uint8_t* out, ptrdiff_t stride) {
    __m128i x[8], lo[8], hi[8];
    for (int r = 0; r < 8; ++r) x[r] = _mm_load_si128(reinterpret_cast<const __m128i*>(coef + 8 * r));
    // Columns: lanes are columns, x[u] is coefficient row u.
    idct_1d_x8(x, lo, hi, CONST_BITS - PASS1_BITS);
    __m128i most = _mm_set1_epi16(-32768), least = _mm_set1_epi16(32767);
    for (int r = 0; r < 8; ++r) {
        x[r] = _mm_packs_epi32(lo[r], hi[r]);
        most = _mm_max_epi16(most, x[r]), least = _mm_min_epi16(least, x[r]);
    }
    // A saturated column result would make the row pass differ: leave such blocks to the
    // reference (their values reach the 16-bit limits only from damaged data).
    const __m128i limits = _mm_or_si128(_mm_cmpeq_epi16(most, _mm_set1_epi16(32767)),
                                        _mm_cmpeq_epi16(least, _mm_set1_epi16(-32768)));
    if (_mm_movemask_epi8(limits) != 0) {
        idct_reference(coef, out, stride);
        return;
    }
    // Rows: transpose so that lanes are rows.
    transpose8x16(x);
    idct_1d_x8(x, lo, hi, CONST_BITS + PASS1_BITS + 3);
    const __m128i centre = _mm_set1_epi16(128);
    for (int c = 0; c < 8; ++c) x[c] = _mm_add_epi16(_mm_packs_epi32(lo[c], hi[c]), centre);
    transpose8x16(x);
    for (int r = 0; r < 8; r += 2) {
        const __m128i bytes = _mm_packus_epi16(x[r], x[r + 1]);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + r * stride), bytes);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (r + 1) * stride), _mm_unpackhi_epi64(bytes, bytes));
    }
}

// Two blocks at once in AVX2: the same steps with the first block in the low 128-bit lane
// and the second in the high lane (every step works within lanes).
#define RSW32_AVX2 [[gnu::always_inline, gnu::target("avx2")]] inline

RSW32_AVX2 __m256i pair2(int a, int b) { return _mm256_set1_epi32(int32_t(uint32_t(uint16_t(a)) | uint32_t(b) << 16)); }

RSW32_AVX2 void idct_1d_x16(const __m256i* x, __m256i* lo, __m256i* hi, int shift) {
    const __m256i k04p = pair2(8192, 8192), k04m = pair2(8192, -8192);
    const __m256i k26a = pair2(10703, 4433), k26b = pair2(4433, -10704);
    const __m256i k73a = pair2(-6436, -6436), k51a = pair2(9633, 9633);
    const __m256i k73b = pair2(9633, 9633), k51b = pair2(6437, 6437);
    const __m256i k71a = pair2(-4927, -7373), k71b = pair2(-7373, 4926);
    const __m256i k53a = pair2(-4176, -20995), k53b = pair2(-20995, 4177);
    const __m256i round = _mm256_set1_epi32(1 << (shift - 1));
    const __m128i sh = _mm_cvtsi32_si128(shift);
    for (int half = 0; half < 2; ++half) {
        const __m256i p04 = half ? _mm256_unpackhi_epi16(x[0], x[4]) : _mm256_unpacklo_epi16(x[0], x[4]);
        const __m256i p26 = half ? _mm256_unpackhi_epi16(x[2], x[6]) : _mm256_unpacklo_epi16(x[2], x[6]);
        const __m256i p73 = half ? _mm256_unpackhi_epi16(x[7], x[3]) : _mm256_unpacklo_epi16(x[7], x[3]);
        const __m256i p51 = half ? _mm256_unpackhi_epi16(x[5], x[1]) : _mm256_unpacklo_epi16(x[5], x[1]);
        const __m256i p71 = half ? _mm256_unpackhi_epi16(x[7], x[1]) : _mm256_unpacklo_epi16(x[7], x[1]);
        const __m256i p53 = half ? _mm256_unpackhi_epi16(x[5], x[3]) : _mm256_unpacklo_epi16(x[5], x[3]);
        const __m256i tmp0 = _mm256_madd_epi16(p04, k04p), tmp1 = _mm256_madd_epi16(p04, k04m);
        const __m256i tmp3 = _mm256_madd_epi16(p26, k26a), tmp2 = _mm256_madd_epi16(p26, k26b);
        const __m256i tmp10 = _mm256_add_epi32(_mm256_add_epi32(tmp0, tmp3), round);
        const __m256i tmp13 = _mm256_add_epi32(_mm256_sub_epi32(tmp0, tmp3), round);
        const __m256i tmp11 = _mm256_add_epi32(_mm256_add_epi32(tmp1, tmp2), round);
        const __m256i tmp12 = _mm256_add_epi32(_mm256_sub_epi32(tmp1, tmp2), round);
        const __m256i z3 = _mm256_add_epi32(_mm256_madd_epi16(p73, k73a), _mm256_madd_epi16(p51, k51a));
        const __m256i z4 = _mm256_add_epi32(_mm256_madd_epi16(p73, k73b), _mm256_madd_epi16(p51, k51b));
        const __m256i o0 = _mm256_add_epi32(_mm256_madd_epi16(p71, k71a), z3);
        const __m256i o3 = _mm256_add_epi32(_mm256_madd_epi16(p71, k71b), z4);
        const __m256i o1 = _mm256_add_epi32(_mm256_madd_epi16(p53, k53a), z4);
        const __m256i o2 = _mm256_add_epi32(_mm256_madd_epi16(p53, k53b), z3);
        __m256i* y = half ? hi : lo;
        y[0] = _mm256_sra_epi32(_mm256_add_epi32(tmp10, o3), sh), y[7] = _mm256_sra_epi32(_mm256_sub_epi32(tmp10, o3), sh);
        y[1] = _mm256_sra_epi32(_mm256_add_epi32(tmp11, o2), sh), y[6] = _mm256_sra_epi32(_mm256_sub_epi32(tmp11, o2), sh);
        y[2] = _mm256_sra_epi32(_mm256_add_epi32(tmp12, o1), sh), y[5] = _mm256_sra_epi32(_mm256_sub_epi32(tmp12, o1), sh);
        y[3] = _mm256_sra_epi32(_mm256_add_epi32(tmp13, o0), sh), y[4] = _mm256_sra_epi32(_mm256_sub_epi32(tmp13, o0), sh);
    }
}

RSW32_AVX2 void transpose8x16(__m256i* r) {
    const __m256i a0 = _mm256_unpacklo_epi16(r[0], r[1]), a1 = _mm256_unpackhi_epi16(r[0], r[1]);
    const __m256i a2 = _mm256_unpacklo_epi16(r[2], r[3]), a3 = _mm256_unpackhi_epi16(r[2], r[3]);
    const __m256i a4 = _mm256_unpacklo_epi16(r[4], r[5]), a5 = _mm256_unpackhi_epi16(r[4], r[5]);
    const __m256i a6 = _mm256_unpacklo_epi16(r[6], r[7]), a7 = _mm256_unpackhi_epi16(r[6], r[7]);
    const __m256i b0 = _mm256_unpacklo_epi32(a0, a2), b1 = _mm256_unpackhi_epi32(a0, a2);
    const __m256i b2 = _mm256_unpacklo_epi32(a1, a3), b3 = _mm256_unpackhi_epi32(a1, a3);
    const __m256i b4 = _mm256_unpacklo_epi32(a4, a6), b5 = _mm256_unpackhi_epi32(a4, a6);
    const __m256i b6 = _mm256_unpacklo_epi32(a5, a7), b7 = _mm256_unpackhi_epi32(a5, a7);
    r[0] = _mm256_unpacklo_epi64(b0, b4), r[1] = _mm256_unpackhi_epi64(b0, b4);
    r[2] = _mm256_unpacklo_epi64(b1, b5), r[3] = _mm256_unpackhi_epi64(b1, b5);
    r[4] = _mm256_unpacklo_epi64(b2, b6), r[5] = _mm256_unpackhi_epi64(b2, b6);
    r[6] = _mm256_unpacklo_epi64(b3, b7), r[7] = _mm256_unpackhi_epi64(b3, b7);
}

}  // namespace

void idct_sse2(const int16_t* coef, uint8_t* out, ptrdiff_t stride) { idct_x86(coef, out, stride); }
__attribute__((target("avx2"))) void idct_avx2(const int16_t* coef, uint8_t* out, ptrdiff_t stride) {
    idct_x86(coef, out, stride);
}

__attribute__((target("avx2"))) void idct2_avx2(const int16_t* a, uint8_t* out_a, ptrdiff_t stride_a,
                                                const int16_t* b, uint8_t* out_b, ptrdiff_t stride_b) {
    __m256i x[8], lo[8], hi[8];
    for (int r = 0; r < 8; ++r)
        x[r] = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(b + 8 * r), reinterpret_cast<const __m128i*>(a + 8 * r));
    idct_1d_x16(x, lo, hi, CONST_BITS - PASS1_BITS);
    __m256i most = _mm256_set1_epi16(-32768), least = _mm256_set1_epi16(32767);
    for (int r = 0; r < 8; ++r) {
        x[r] = _mm256_packs_epi32(lo[r], hi[r]);
        most = _mm256_max_epi16(most, x[r]), least = _mm256_min_epi16(least, x[r]);
    }
    const __m256i limits = _mm256_or_si256(_mm256_cmpeq_epi16(most, _mm256_set1_epi16(32767)),
                                           _mm256_cmpeq_epi16(least, _mm256_set1_epi16(-32768)));
    if (_mm256_movemask_epi8(limits) != 0) {
        idct_x86(a, out_a, stride_a);
        idct_x86(b, out_b, stride_b);
        return;
    }
    transpose8x16(x);
    idct_1d_x16(x, lo, hi, CONST_BITS + PASS1_BITS + 3);
    const __m256i centre = _mm256_set1_epi16(128);
    for (int c = 0; c < 8; ++c) x[c] = _mm256_add_epi16(_mm256_packs_epi32(lo[c], hi[c]), centre);
    transpose8x16(x);
    for (int r = 0; r < 8; r += 2) {
        const __m256i bytes = _mm256_packus_epi16(x[r], x[r + 1]);
        const __m128i first = _mm256_castsi256_si128(bytes), second = _mm256_extracti128_si256(bytes, 1);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out_a + r * stride_a), first);
        _mm_storeh_pd(reinterpret_cast<double*>(out_a + (r + 1) * stride_a), _mm_castsi128_pd(first));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out_b + r * stride_b), second);
        _mm_storeh_pd(reinterpret_cast<double*>(out_b + (r + 1) * stride_b), _mm_castsi128_pd(second));
    }
}

#else

void idct_sse2(const int16_t* coef, uint8_t* out, ptrdiff_t stride) { idct_reference(coef, out, stride); }
void idct_avx2(const int16_t* coef, uint8_t* out, ptrdiff_t stride) { idct_reference(coef, out, stride); }
void idct2_avx2(const int16_t* a, uint8_t* out_a, ptrdiff_t stride_a, const int16_t* b, uint8_t* out_b,
                ptrdiff_t stride_b) {
    idct_reference(a, out_a, stride_a);
    idct_reference(b, out_b, stride_b);
}

#endif

}  // namespace files::jpeg
