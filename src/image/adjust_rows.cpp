// Vector passes of the photo adjustments for processors with AVX-512 VBMI.
//
// A 256-entry channel table fits in four 64-byte registers, and two two-register byte
// permutes plus a select on the index's top bit look up 64 channels at once; table
// lookups a byte at a time ran at about 12 times the cost of copying the bytes. RGB565
// fields index 32- and 64-entry tables (one register each) from the low byte of each
// 16-bit lane. Greyscale gathers 64 pixels of 3 or 4 bytes into planes of red, green and
// blue, looks up and adds their weights in bytes, and spreads the grey back; with the
// weights computed in 32-bit lanes instead, 3-byte pixels ran at 5 times the cost of a
// copy. Every block is a masked load and store, so a run's tail never touches bytes past
// its end.
#include "image/adjust_rows.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define RSW32_X86_KERNELS 1
#include <immintrin.h>
// GCC 12's AVX-512 intrinsics fill the lanes they leave undefined from a self-initialised
// variable, which its own flow analysis then reports as possibly uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#endif

namespace image {
namespace {

// The grey weights of widened RGB565 fields, padded to whole registers.
struct GreyFields {
    alignas(64) uint8_t red[64]{};
    alignas(64) uint8_t green[64]{};
    alignas(64) uint8_t blue[64]{};
};
constexpr GreyFields make_grey_fields() {
    GreyFields f;
    for (uint32_t c = 0; c < 64; ++c) {
        if (c < 32) f.red[c] = grey_red[widen5(c)], f.blue[c] = grey_blue[widen5(c)];
        f.green[c] = grey_green[widen6(c)];
    }
    return f;
}
constexpr GreyFields grey_fields = make_grey_fields();

// Byte permutes between 64 pixels of 3 or 4 bytes and planes of one byte a pixel: plane
// byte k comes from pixel byte Bytes × k (plus the channel), and output byte j of register
// v is plane byte (64 v + j) / Bytes.
template <int Bytes>
struct Planes {
    alignas(64) uint8_t gather[64]{};
    alignas(64) uint8_t spread[Bytes][64]{};
};
template <int Bytes>
constexpr Planes<Bytes> make_planes() {
    Planes<Bytes> p;
    for (int k = 0; k < 64; ++k) p.gather[k] = uint8_t(Bytes * k);
    for (int v = 0; v < Bytes; ++v)
        for (int j = 0; j < 64; ++j) p.spread[v][j] = uint8_t((64 * v + j) / Bytes);
    return p;
}
template <int Bytes>
constexpr Planes<Bytes> planes = make_planes<Bytes>();

#if RSW32_X86_KERNELS

#define RSW32_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

constexpr __mmask64 fourth_bytes = 0x8888888888888888ull;
constexpr __mmask64 even_bytes = 0x5555555555555555ull;

// The first n bytes of a 64-byte block.
inline __mmask64 first_bytes(size_t n) { return n >= 64 ? ~__mmask64(0) : (__mmask64(1) << n) - 1; }

struct Lut {
    __m512i q0, q1, q2, q3;  // entries 0..63, 64..127, 128..191, 192..255
};

RSW32_VBMI inline Lut load_lut(const uint8_t* t) {
    return {_mm512_loadu_si512(t), _mm512_loadu_si512(t + 64), _mm512_loadu_si512(t + 128), _mm512_loadu_si512(t + 192)};
}

RSW32_VBMI inline __m512i look_up(const Lut& l, __m512i x) {
    const __m512i low = _mm512_permutex2var_epi8(l.q0, x, l.q1), high = _mm512_permutex2var_epi8(l.q2, x, l.q3);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), low, high);
}

// Runs op over n bytes from s to d, 64 at a time: full blocks with plain moves, the last
// one masked. The `keep` bytes of each block are d's own (its fourth bytes at 4 bytes a
// pixel).
template <class Op>
RSW32_VBMI inline void blocks(const uint8_t* s, uint8_t* d, size_t n, __mmask64 keep, const Op& op) {
    size_t i = 0;
    for (; i + 64 <= n; i += 64) {
        __m512i y = op(_mm512_loadu_si512(s + i));
        if (keep) y = _mm512_mask_blend_epi8(keep, y, _mm512_loadu_si512(d + i));
        _mm512_storeu_si512(d + i, y);
    }
    if (i < n) {
        const __mmask64 m = first_bytes(n - i);
        _mm512_mask_storeu_epi8(d + i, m & ~keep, op(_mm512_maskz_loadu_epi8(m, s + i)));
    }
}

struct LookUp {
    Lut table;
    RSW32_VBMI __m512i operator()(__m512i x) const { return look_up(table, x); }
};

// Every byte through the table, at 3 or 4 bytes a pixel.
template <size_t Bytes>
RSW32_VBMI void table_bytes(const uint8_t* s, uint8_t* d, size_t n, const ChannelTable& t) {
    blocks(s, d, Bytes * n, Bytes == 4 ? fourth_bytes : 0, LookUp{load_lut(t.entry)});
}

// Three fields, each a byte index in the low byte of its 16-bit lane, through their tables.
struct Fields565 {
    __m512i red, green, blue;
    RSW32_VBMI void operator()(__m512i w, __m512i& r, __m512i& g, __m512i& b) const {
        r = _mm512_maskz_permutexvar_epi8(even_bytes, _mm512_srli_epi16(w, 11), red);
        g = _mm512_maskz_permutexvar_epi8(even_bytes, _mm512_and_si512(_mm512_srli_epi16(w, 5), _mm512_set1_epi16(63)), green);
        b = _mm512_maskz_permutexvar_epi8(even_bytes, _mm512_and_si512(w, _mm512_set1_epi16(31)), blue);
    }
};

struct Table565 {
    Fields565 fields;
    RSW32_VBMI __m512i operator()(__m512i w) const {
        __m512i r, g, b;
        fields(w, r, g, b);
        return _mm512_or_si512(_mm512_or_si512(_mm512_slli_epi16(r, 11), _mm512_slli_epi16(g, 5)), b);
    }
};

RSW32_VBMI void table_565(const uint8_t* s, uint8_t* d, size_t n, const ChannelTable& t) {
    const __m512i f5 = _mm512_maskz_loadu_epi8(first_bytes(32), t.field5), f6 = _mm512_loadu_si512(t.field6);
    blocks(s, d, 2 * n, 0, Table565{{f5, f6, f5}});
}

// One channel of 64 pixels held in Bytes registers, as a plane. Plane byte k is pixel
// byte i = Bytes × k + channel: the first permute serves i < 128 and the second the rest,
// chosen by the top bit of i (the permutes read the low 7 bits of their index).
template <int Bytes>
RSW32_VBMI inline __m512i plane(const __m512i* v, __m512i gather, int channel) {
    const __m512i i = _mm512_add_epi8(gather, _mm512_set1_epi8(char(channel)));
    const __m512i low = _mm512_permutex2var_epi8(v[0], i, v[1]);
    __m512i high;
    if constexpr (Bytes == 3)
        high = _mm512_permutex2var_epi8(v[1], _mm512_sub_epi8(i, _mm512_set1_epi8(64)), v[2]);
    else
        high = _mm512_permutex2var_epi8(v[2], i, v[3]);
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(i), low, high);
}

// Greyscale 64 pixels at a time through the weight tables: planes of red, green and blue,
// their weights added in bytes (the sum is at most 255), and the grey spread back to the
// three colour bytes of each pixel. RedAt is red's byte in the pixel; at 4 bytes a pixel
// the fourth bytes are not stored.
template <int Bytes, int RedAt>
RSW32_VBMI void grey_planes(const uint8_t* s, uint8_t* d, size_t n) {
    const Planes<Bytes>& p = planes<Bytes>;
    const Lut red = load_lut(grey_red.data()), green = load_lut(grey_green.data()), blue = load_lut(grey_blue.data());
    const __m512i gather = _mm512_load_si512(p.gather);
    const __mmask64 keep = Bytes == 4 ? fourth_bytes : 0;
    for (size_t i = 0; i < n; i += 64) {
        // A full block moves whole registers; the last one masks what lies past the run.
        const size_t bytes = Bytes * std::min<size_t>(n - i, 64);
        const uint8_t* from = s + Bytes * i;
        uint8_t* to = d + Bytes * i;
        __mmask64 m[Bytes];
        __m512i v[Bytes];
        for (int r = 0; r < Bytes; ++r) {
            m[r] = first_bytes(bytes > size_t(64 * r) ? bytes - size_t(64 * r) : 0);
            v[r] = bytes == 64 * Bytes ? _mm512_loadu_si512(from + 64 * r) : _mm512_maskz_loadu_epi8(m[r], from + 64 * r);
        }
        const __m512i grey = _mm512_add_epi8(
            _mm512_add_epi8(look_up(red, plane<Bytes>(v, gather, RedAt)), look_up(green, plane<Bytes>(v, gather, 1))),
            look_up(blue, plane<Bytes>(v, gather, 2 - RedAt)));
        for (int r = 0; r < Bytes; ++r) {
            const __m512i out = _mm512_permutexvar_epi8(_mm512_load_si512(p.spread[r]), grey);
            if (bytes == 64 * Bytes && !keep)
                _mm512_storeu_si512(to + 64 * r, out);
            else
                _mm512_mask_storeu_epi8(to + 64 * r, m[r] & ~keep, out);
        }
    }
}

// The weights of the widened fields added in 16-bit lanes, packed as RGB565 of the grey.
struct Grey565 {
    Fields565 fields;
    RSW32_VBMI __m512i operator()(__m512i w) const {
        __m512i r, g, b;
        fields(w, r, g, b);
        const __m512i grey = _mm512_add_epi16(_mm512_add_epi16(r, g), b);
        const __m512i five = _mm512_srli_epi16(grey, 3), six = _mm512_srli_epi16(grey, 2);
        return _mm512_or_si512(_mm512_or_si512(_mm512_slli_epi16(five, 11), _mm512_slli_epi16(six, 5)), five);
    }
};

RSW32_VBMI void grey_565(const uint8_t* s, uint8_t* d, size_t n) {
    const Fields565 f{_mm512_load_si512(grey_fields.red), _mm512_load_si512(grey_fields.green),
                      _mm512_load_si512(grey_fields.blue)};
    blocks(s, d, 2 * n, 0, Grey565{f});
}

constexpr AdjustKernels vbmi_set{{table_bytes<3>, table_bytes<3>, table_bytes<4>, table_565},
                                 {grey_planes<3, 0>, grey_planes<3, 2>, grey_planes<4, 2>, grey_565}};

#endif

}  // namespace

const AdjustKernels* vbmi_adjust_kernels() {
#if RSW32_X86_KERNELS
    static const bool present = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return present ? &vbmi_set : nullptr;
#else
    return nullptr;
#endif
}

}  // namespace image
