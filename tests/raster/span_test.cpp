// The four-pixel span loops against the pixel-at-a-time loop they stand in for: random
// spans of every shader, with and without the depth test, at 16 and 32 bits, must leave
// the same pixels and z-buffer entries (the loops take whole blocks of four, the rest is
// left to span_loop, so lengths 0 to 40 cover every split).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/span_avx2.h"

namespace {

using namespace raster;

struct Spans {
    std::mt19937 rng{15};
    uint32_t any() { return uint32_t(rng()); }
    int below(int n) { return int(rng() % uint32_t(n)); }

    template <class D, bool Z, class Shader>
    void compare(const Shader& sh, int count) {
        std::vector<uint8_t> a(size_t(count) * D::bytes + 8), b;
        std::vector<uint32_t> za(size_t(count) + 4), zb;
        for (auto& x : a) x = uint8_t(any());
        for (auto& x : za) x = any() >> below(32);
        b = a, zb = za;
        const ZRun z{za.data(), any(), any() >> 8, any() & 0xFF000000u};
        span_loop<D, Z>(a.data(), count, z, sh);
        run_span<D, Z>(b.data(), count, ZRun{zb.data(), z.zv, z.dz, z.base}, sh);
        ASSERT_EQ(a, b) << D::bits << " bits, " << count << " pixels";
        ASSERT_EQ(za, zb) << D::bits << " bits, " << count << " pixels";
    }

    template <class D, bool Z>
    void all(const std::vector<uint8_t>& texels, int w, int h) {
        for (int count = 0; count <= 40; ++count) {
            compare<D, Z>(FlatShader{any() & D::mask}, count);
            compare<D, Z>(GouraudShader<D>{any(), any(), any(), any() >> 12, any() >> 12, any() >> 12}, count);
            // Anywhere, held to the edges; and runs shown to stay inside, as texel_run picks.
            const uint32_t u = any() >> below(8), v = any() >> below(8), du = any() >> below(24), dv = any() >> below(24);
            compare<D, Z>(TextureShader<D, true, false>{texels.data(), w, h, u, v, du, dv}, count);
            compare<D, Z>(TextureShader<D, true, true>{texels.data(), w, h, u, v, du, dv}, count);
            const uint32_t iu = uint32_t(below(w << 16)), iv = uint32_t(below(h << 16));
            const uint32_t idu = count > 1 ? uint32_t(below((w << 16) - int(iu))) / uint32_t(count - 1) : 0;
            const uint32_t idv = count > 1 ? uint32_t(below((h << 16) - int(iv))) / uint32_t(count - 1) : 0;
            compare<D, Z>(TextureShader<D, false, false>{texels.data(), w, h, iu, iv, idu, idv}, count);
            compare<D, Z>(TextureShader<D, false, true>{texels.data(), w, h, iu, iv, idu, idv}, count);
        }
    }
};

TEST(SpanLoops, BlocksOfFourMatchThePixelLoop) {
    Spans s;
    for (int size : {2, 7}) {  // a texture of 4 bytes; one whose last texels end its block
        std::vector<uint8_t> texels(size_t(size) * 5 * 3);
        for (auto& t : texels) t = uint8_t(s.below(3) ? s.any() : 0);
        for (int round = 0; round < 20; ++round) {
            s.all<core::Depth16, false>(texels, size, 1), s.all<core::Depth16, true>(texels, size, 5);
            s.all<core::Depth32, false>(texels, size, 5), s.all<core::Depth32, true>(texels, size, 1);
        }
    }
}

}  // namespace
