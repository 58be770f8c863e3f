// Translation of dcb pixels between the formats 15 (RGB555), 16 (RGB565) and 24
// (blue-green-red bytes), by the channel rules of formats.h.
#include "image/formats.h"

#include <cstring>

namespace image {
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
