// The pixel loop of scan.h four pixels at a time, for 16- and 32-bit buffers: the same
// sums, the same depth test and the same texel addresses as span_loop, so every pixel
// and every z-buffer entry comes out as span_loop writes it. Four neighbouring pixels sit
// in the lanes of one register: lane i holds start + i · step in wrapping 32-bit
// arithmetic, which is what i single steps give. Texels are gathered, which takes AVX2;
// the registers stay 128 bits wide, since switching between the baseline code around a
// span and 256-bit code costs more than a short span takes.
//
// run_span() hands the whole blocks of four pixels to these loops on processors with AVX2
// and leaves the rest (and every other processor) to span_loop.
#pragma once

#include <type_traits>

#include "core/cpu.h"
#include "raster/scan.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_RASTER_AVX2 1
#include <immintrin.h>
#endif

namespace raster {

#if RSW32_RASTER_AVX2
#define RSW32_AVX2 __attribute__((target("avx2")))

namespace avx2 {

// start + i · step in lane i.
RSW32_AVX2 inline __m128i lanes(uint32_t start, uint32_t step) {
    const __m128i i = _mm_setr_epi32(0, 1, 2, 3);
    return _mm_add_epi32(_mm_set1_epi32(int(start)), _mm_mullo_epi32(_mm_set1_epi32(int(step)), i));
}
RSW32_AVX2 inline __m128i four(uint32_t step) { return _mm_set1_epi32(int(step << 2)); }

// Vector shaders: pixels(drawn) gives the four pixel values and, when Transparent,
// sets drawn to all ones in the lanes to draw; next() moves on four pixels.
struct Flat {
    static constexpr bool transparent = false;
    __m128i value;
    RSW32_AVX2 explicit Flat(const FlatShader& s) : value(_mm_set1_epi32(int(s.value))) {}
    RSW32_AVX2 __m128i pixels(__m128i&) const { return value; }
    RSW32_AVX2 void next() {}
};

template <class D>
struct Gouraud {
    static constexpr bool transparent = false;
    __m128i r, g, b, dr, dg, db;
    RSW32_AVX2 explicit Gouraud(const GouraudShader<D>& s)
        : r(lanes(s.r, s.dr)), g(lanes(s.g, s.dg)), b(lanes(s.b, s.db)), dr(four(s.dr)), dg(four(s.dg)),
          db(four(s.db)) {}
    // (c + 0x8000) >> shift, cut to the channel's bits, moved to the channel's place.
    template <int Shift, uint32_t Mask, int Place>
    RSW32_AVX2 static __m128i channel(__m128i c) {
        const __m128i rounded = _mm_add_epi32(c, _mm_set1_epi32(0x8000));
        return _mm_slli_epi32(_mm_and_si128(_mm_srli_epi32(rounded, Shift), _mm_set1_epi32(int(Mask))), Place);
    }
    RSW32_AVX2 __m128i pixels(__m128i&) const {
        if constexpr (D::bits == 16)
            return _mm_or_si128(_mm_or_si128(channel<19, 0x1F, 11>(r), channel<18, 0x3F, 5>(g)), channel<19, 0x1F, 0>(b));
        else
            return _mm_or_si128(_mm_or_si128(channel<16, 0xFF, 16>(r), channel<16, 0xFF, 8>(g)), channel<16, 0xFF, 0>(b));
    }
    RSW32_AVX2 void next() {
        r = _mm_add_epi32(r, dr);
        g = _mm_add_epi32(g, dg);
        b = _mm_add_epi32(b, db);
    }
};

// Texel addresses as TextureShader forms them. Each lane reads the four bytes at its
// texel, which would pass the end of the texture at the last texels: there the lane reads
// the last four bytes instead and shifts its texel down. Usable when the texture has four
// bytes or more and its byte offsets fit 31 bits (see usable()).
template <class D, bool Clamp, bool Transparent>
struct Texture {
    static constexpr bool transparent = Transparent;
    static constexpr int bytes = Texel<D>::bytes;
    const uint8_t* texels;
    __m128i u, v, du, dv, width, umax, vmax, last;
    static bool usable(int w, int h) {
        const int64_t size = int64_t(w) * h * bytes;
        return size >= 4 && size <= INT32_MAX;
    }
    RSW32_AVX2 explicit Texture(const TextureShader<D, Clamp, Transparent>& s)
        : texels(s.texels), u(lanes(s.u, s.du)), v(lanes(s.v, s.dv)), du(four(s.du)), dv(four(s.dv)),
          width(_mm_set1_epi32(s.width)), umax(_mm_set1_epi32(s.width - 1)),
          vmax(_mm_set1_epi32(s.height - 1)), last(_mm_set1_epi32(s.width * s.height * bytes - 4)) {}
    RSW32_AVX2 __m128i pixels(__m128i& drawn) const {
        __m128i tu = _mm_srai_epi32(u, 16), tv = _mm_srai_epi32(v, 16);
        if constexpr (Clamp) {
            const __m128i zero = _mm_setzero_si128();
            tu = _mm_min_epi32(_mm_max_epi32(tu, zero), umax);
            tv = _mm_min_epi32(_mm_max_epi32(tv, zero), vmax);
        }
        __m128i at = _mm_add_epi32(_mm_mullo_epi32(tv, width), tu);
        if constexpr (bytes == 2) at = _mm_add_epi32(at, at);
        if constexpr (bytes == 3) at = _mm_add_epi32(at, _mm_add_epi32(at, at));
        const __m128i from = _mm_min_epi32(at, last);
        const __m128i shift = _mm_slli_epi32(_mm_sub_epi32(at, from), 3);
        alignas(16) int32_t at4[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(at4), from);
        uint32_t w4[4];
        for (int k = 0; k < 4; ++k) std::memcpy(&w4[k], texels + at4[k], 4);
        const __m128i word = _mm_setr_epi32(int(w4[0]), int(w4[1]), int(w4[2]), int(w4[3]));
        const __m128i texel = _mm_and_si128(_mm_srlv_epi32(word, shift), _mm_set1_epi32(int((1u << (8 * bytes)) - 1)));
        if constexpr (Transparent)
            drawn = _mm_xor_si128(_mm_cmpeq_epi32(texel, _mm_setzero_si128()), _mm_set1_epi32(-1));
        return texel;
    }
    RSW32_AVX2 void next() {
        u = _mm_add_epi32(u, du);
        v = _mm_add_epi32(v, dv);
    }
};

// The first count / 4 × 4 pixels of the span.
template <class D, bool Z, class V, class Shader>
RSW32_AVX2 void blocks(uint8_t* p, int count, ZRun z, const Shader& sh) {
    V vs(sh);
    const __m128i sign = _mm_set1_epi32(INT32_MIN);
    __m128i zv = lanes(z.zv, z.dz);
    const __m128i dz = four(z.dz), base = _mm_set1_epi32(int(z.base));
    for (int n = count >> 2; n > 0; --n, p += 4 * D::bytes) {
        __m128i drawn = _mm_set1_epi32(-1);
        const __m128i value = vs.pixels(drawn);
        if constexpr (Z) {
            // Unsigned stored > old as a signed comparison of both with the top bit flipped.
            const __m128i stored = _mm_add_epi32(base, zv);
            const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(z.entry));
            drawn = _mm_and_si128(drawn, _mm_cmpgt_epi32(_mm_xor_si128(stored, sign), _mm_xor_si128(old, sign)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(z.entry), _mm_blendv_epi8(old, stored, drawn));
            zv = _mm_add_epi32(zv, dz);
            z.entry += 4;
        }
        if constexpr (D::bits == 16) {
            // Four values of 16 bits (and their all-ones or zero masks) in the low half.
            __m128i out = _mm_packus_epi32(value, value);
            if constexpr (Z || V::transparent)
                out = _mm_blendv_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), out, _mm_packs_epi32(drawn, drawn));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p), out);
        } else {
            __m128i out = value;
            if constexpr (Z || V::transparent)
                out = _mm_blendv_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), out, drawn);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), out);
        }
        vs.next();
    }
}

template <class D, class Shader>
struct VectorOf;
template <class D>
struct VectorOf<D, FlatShader> {
    using type = Flat;
};
template <class D>
struct VectorOf<D, GouraudShader<D>> {
    using type = Gouraud<D>;
};
template <class D, bool Clamp, bool Transparent>
struct VectorOf<D, TextureShader<D, Clamp, Transparent>> {
    using type = Texture<D, Clamp, Transparent>;
};

}  // namespace avx2
#endif

// span_loop, four pixels at a time where the processor allows.
template <class D, bool Z, class Shader>
inline void run_span(uint8_t* p, int count, ZRun z, Shader sh) {
#if RSW32_RASTER_AVX2
    using V = typename avx2::VectorOf<D, Shader>::type;
    // Shading alone at 32 bits the compiler already turns into vector code in span_loop
    // (at 16 bits its code lacks the narrowing to 16-bit lanes).
    constexpr bool plain_shading = !Z && D::bits == 32 && std::is_same_v<V, avx2::Gouraud<D>>;
    if constexpr ((D::bits == 16 || D::bits == 32) && !plain_shading) {
        bool usable = count >= 4 && core::has_avx2();
        if constexpr (requires { V::usable(0, 0); }) usable = usable && V::usable(sh.width, sh.height);
        if (usable) {
            const int blocks = count & ~3;
            avx2::blocks<D, Z, V>(p, count, z, sh);
            p += ptrdiff_t(blocks) * D::bytes;
            if constexpr (Z) z.advance(blocks);
            sh.advance(uint32_t(blocks));
            count -= blocks;
        }
    }
#endif
    span_loop<D, Z>(p, count, z, sh);
}

}  // namespace raster
