// Row conversions of pictures into buffer pixels, and translation of dcb pixels between
// the formats 15 (RGB555), 16 (RGB565) and 24 (blue-green-red bytes) by the channel
// rules of formats.h.
#include "image/formats.h"

#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace image {

template <class D>
// The clones are chosen at load time through an indirect function, which only ELF has.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__) && defined(__ELF__)
__attribute__((target_clones("avx2", "default")))
#endif
void indices_to_pixels(const uint8_t* __restrict indices, uint8_t* __restrict pixels, int n,
                       const uint32_t* __restrict table) {
    for (int i = 0; i < n; ++i) D::store(pixels + ptrdiff_t(i) * D::bytes, table[indices[i]]);
}
template void indices_to_pixels<core::Depth16>(const uint8_t*, uint8_t*, int, const uint32_t*);
template void indices_to_pixels<core::Depth24>(const uint8_t*, uint8_t*, int, const uint32_t*);
template void indices_to_pixels<core::Depth32>(const uint8_t*, uint8_t*, int, const uint32_t*);

void bgr_to_pixels32_plain(const uint8_t* bgr, uint8_t* pixels, int n) {
    for (int i = 0; i < n; ++i) core::Depth32::store(pixels + ptrdiff_t(i) * 4, Bgr888::load(bgr + ptrdiff_t(i) * 3));
}

void bgr_into_pixels32_plain(const uint8_t* bgr, uint8_t* pixels, int n) {
    for (int i = 0; i < n; ++i) {
        uint8_t* p = pixels + ptrdiff_t(i) * 4;
        core::Depth32::store(p, (core::Depth32::load(p) & 0xFF000000u) | Bgr888::load(bgr + ptrdiff_t(i) * 3));
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
namespace {

// One byte shuffle turns 16 loaded bytes into four pixels, about the speed of a memory
// copy (the plain loop, even vectorised by the compiler, takes twice as long or more). A
// 16-byte load at pixel i reaches byte 3i + 15, so the vector loop stops 6 pixels before
// the end and the plain loop finishes the row.
__attribute__((target("ssse3"))) void bgr_to_pixels32_ssse3(const uint8_t* bgr, uint8_t* pixels, int n) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int i = 0;
    for (; i + 6 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + ptrdiff_t(i) * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + ptrdiff_t(i) * 4), _mm_shuffle_epi8(v, spread));
    }
    bgr_to_pixels32_plain(bgr + ptrdiff_t(i) * 3, pixels + ptrdiff_t(i) * 4, n - i);
}

// The same shuffle, merged with the fourth bytes of the pixels it replaces.
__attribute__((target("ssse3"))) void bgr_into_pixels32_ssse3(const uint8_t* bgr, uint8_t* pixels, int n) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i fourth = _mm_set1_epi32(int(0xFF000000u));
    int i = 0;
    for (; i + 6 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr + ptrdiff_t(i) * 3));
        __m128i* out = reinterpret_cast<__m128i*>(pixels + ptrdiff_t(i) * 4);
        const __m128i kept = _mm_and_si128(_mm_loadu_si128(out), fourth);
        _mm_storeu_si128(out, _mm_or_si128(kept, _mm_shuffle_epi8(v, spread)));
    }
    bgr_into_pixels32_plain(bgr + ptrdiff_t(i) * 3, pixels + ptrdiff_t(i) * 4, n - i);
}

}  // namespace
#endif

void bgr_into_pixels32(const uint8_t* bgr, uint8_t* pixels, int n) {
#if defined(__GNUC__) && defined(__x86_64__)
    static const auto convert = __builtin_cpu_supports("ssse3") ? bgr_into_pixels32_ssse3 : bgr_into_pixels32_plain;
    convert(bgr, pixels, n);
#else
    bgr_into_pixels32_plain(bgr, pixels, n);
#endif
}

void bgr_to_pixels32(const uint8_t* bgr, uint8_t* pixels, int n) {
#if defined(__GNUC__) && defined(__x86_64__)
    // Chosen at the first call, from the processor's features.
    static const auto convert = __builtin_cpu_supports("ssse3") ? bgr_to_pixels32_ssse3 : bgr_to_pixels32_plain;
    convert(bgr, pixels, n);
#else
    bgr_to_pixels32_plain(bgr, pixels, n);
#endif
}

namespace {

// Narrowing (or same-size) runs go forward and widening runs backward, so that either may
// be done in place: pixel i is read before its own bytes are written, and the bytes
// written never reach a pixel not yet read.
template <class From, class To>
void translate_run(const uint8_t* src, uint8_t* dst, size_t count) {
    if (To::bytes > From::bytes) {
        for (size_t i = count; i-- > 0;) To::store(dst + i * To::bytes, translate<From, To>(From::load(src + i * From::bytes)));
    } else {
        for (size_t i = 0; i < count; ++i) To::store(dst + i * To::bytes, translate<From, To>(From::load(src + i * From::bytes)));
    }
}

}  // namespace

int translate_dcb(const uint8_t* source, uint8_t* dest, int source_format, int dest_format, int count) {
    if (!source || !dest || count < 1) return 0;
    const size_t n = size_t(count);
    with_format(source_format, [&](auto from) {
        using From = decltype(from);
        with_format(dest_format, [&](auto to) {
            using To = decltype(to);
            if (source_format == dest_format) {
                if (source != dest) std::memmove(dest, source, n * From::bytes);
            } else {
                translate_run<From, To>(source, dest, n);
            }
        });
    });
    return 0;
}

}  // namespace image
