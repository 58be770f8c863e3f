// Shaded, depth-tested and textured fills, the z-buffer and the texture manager: worked
// spans, both windings, the depth test and frame counter, sampling and hostile input.
#include "support.h"

using namespace test;

namespace {

const std::vector<int> tri = {0, 0, 10, 0, 0, 10}, tri_ccw = {0, 0, 0, 10, 10, 0};
const std::vector<int> square = {0, 0, 8, 0, 8, 8, 0, 8}, square_ccw = {0, 0, 0, 8, 8, 8, 8, 0};
std::vector<double> at_depth(size_t n, double z) {
    std::vector<double> v(3 * n, 0.0);
    for (size_t i = 0; i < n; ++i) v[3 * i + 2] = z;
    return v;
}

class Raster : public EachDepth {
protected:
    void* zb = nullptr;
    void SetUp() override {
        EachDepth::SetUp(), start(40, 30);
        zb = rs_zballoc(40, 30);
        rs_zbopen(zb);
    }
    void TearDown() override { rs_zbfree(zb), EachDepth::TearDown(); }
    uint32_t entry(int x, int y) const { return static_cast<uint32_t*>(zb)[(29 - y) * 40 + x]; }
    // A texture of the depth's texel format whose texel (u, v) is 1 + u + 16 v (non-zero).
    std::vector<uint8_t> texture(int w, int h) {
        const int b = depth() == 32 ? 3 : bpp();
        std::vector<uint8_t> t(size_t(w * h * b));
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) {
                const uint32_t value = uint32_t(1 + u + 16 * v);
                std::memcpy(&t[size_t((v * w + u) * b)], &value, size_t(b));
            }
        return t;
    }
};

TEST_P(Raster, GouraudSpansWindingsAndRounding) {
    const unsigned char rgb[9] = {200, 10, 0, 0, 10, 100, 0, 0, 0};
    const auto z = at_depth(3, 2);
    const PointSet cover = drawn([&] { rs_gouraud(tri.data(), rgb, 3); });
    if (depth() == 8) {
        EXPECT_TRUE(cover.empty());
        return;
    }
    PointSet expect;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10 - y; ++x) expect.insert({x, y});
    EXPECT_EQ(cover, expect);
    for (int k = 0; k < 10; ++k) {  // row 0: red 200 - 20k, green 10, blue 10k
        const uint32_t r = uint32_t(200 - 20 * k), g = 10, b = uint32_t(10 * k);
        const uint32_t want = depth() == 16 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3 : r << 16 | g << 8 | b;
        EXPECT_EQ(raw_pixel(k, 0), want & mask()) << k;
    }
    rs_erase();
    EXPECT_TRUE(drawn([&] { rs_gouraud(tri_ccw.data(), rgb, 3); }).empty());
    EXPECT_EQ(drawn([&] { rs_gouraudz(tri_ccw.data(), rgb, z.data(), 3); }), expect);
    rs_zbopen(zb), rs_erase();
    EXPECT_EQ(drawn([&] { rs_polyfilz(tri_ccw.data(), z.data(), 3); }), expect);
    EXPECT_EQ(raw_pixel(3, 3), ink_pixel());
    EXPECT_EQ(entry(3, 3), 0x00800000u);
}

// Two polygons crossing in depth give the same picture in both drawing orders; a tie
// keeps the first; the frame counter lets a new frame win and clears every 256th.
TEST_P(Raster, DepthTestAndFrameCounter) {
    const std::vector<int> left = {0, 0, 20, 0, 20, 10, 0, 10}, right = {10, 0, 30, 0, 30, 10, 10, 10};
    const std::vector<double> rising = {0, 0, 2, 0, 0, 6, 0, 0, 6, 0, 0, 2}, falling = {0, 0, 6, 0, 0, 2, 0, 0, 2, 0, 0, 6};
    auto picture = [&](bool swap) {
        rs_zbopen(zb), rs_erase();
        for (int k = 0; k < 2; ++k) {
            rs_setcolor((k ^ swap) ? ink() : 1);
            if (k ^ swap) rs_polyfilz(right.data(), falling.data(), 4);
            else rs_polyfilz(left.data(), rising.data(), 4);
        }
        return View().bytes();
    };
    const auto once = picture(false);
    EXPECT_EQ(picture(true), once);
    EXPECT_EQ(raw_pixel(12, 5), 1u);
    EXPECT_EQ(raw_pixel(18, 5), ink_pixel());
    const auto near = at_depth(4, 2), far = at_depth(4, 8);
    rs_zbopen(zb), rs_erase(), rs_setcolor(1);
    rs_polyfilz(left.data(), near.data(), 4);
    rs_setcolor(ink()), rs_polyfilz(left.data(), near.data(), 4);
    EXPECT_EQ(raw_pixel(5, 5), 1u);
    rs_zbframe();
    rs_polyfilz(left.data(), far.data(), 4);
    EXPECT_EQ(raw_pixel(5, 5), ink_pixel());
    EXPECT_EQ(entry(5, 5), 0x01000000u + 0x00200000u);
    for (int f = 1; f < 255; ++f) rs_zbframe();
    EXPECT_EQ(entry(5, 5), 0x01200000u);
    rs_zbframe();
    EXPECT_EQ(entry(5, 5), 0u);
}

TEST_P(Raster, DrawzBehindAndInFrontOfAPolygon) {
    const auto mid = at_depth(4, 4);
    rs_setcolor(1), rs_polyfilz(square.data(), mid.data(), 4);
    rs_setcolor(ink());
    rs_move(0, 2);
    EXPECT_TRUE(drawn([] { rs_drawz(20, 2, 8, 8); }) == area(8, 20, 2, 2));  // behind: only outside
    rs_move(0, 4);
    EXPECT_EQ(drawn([] { rs_drawz(20, 4, 2, 2); }), area(0, 20, 4, 4));
    rs_move(0, 6);  // 1/z from 1/8 to 1/2 passes 1/4 at x = 10/3
    const PointSet crossing = drawn([] { rs_drawz(10, 6, 8, 2); });
    EXPECT_EQ(crossing, area(4, 10, 6, 6));
    rs_setclip(30, 39, 20, 29), rs_move(0, 0);
    EXPECT_TRUE(drawn([] { rs_drawz(10, 10, 2, 2); }).empty());
    EXPECT_EQ(list(rs_getxpos(), rs_getypos()), list(10, 10));
}

TEST_P(Raster, TextureSamplingWindingsTransparencyAndUnits) {
    auto tex = texture(16, 16);
    EXPECT_EQ(list(rs_tminit(0), rs_tminit(2)), list(-1, 0));
    for (int expect : {0, 1, -1}) EXPECT_EQ(rs_tmdefine(tex.data(), 16, 16), expect);
    rs_tmfree(0);
    EXPECT_EQ(rs_tmdefine(tex.data(), 16, 16), 0);
    rs_tmselect(0), rs_tmselect(1), rs_tmselect(7);
    const auto z = at_depth(4, 2);
    const int uv8[8] = {0, 0, 8, 0, 8, 8, 0, 8}, uv7[8] = {0, 0, 7, 0, 7, 7, 0, 7};
    const auto texel = [&](int u, int v) { const uint32_t t = uint32_t(1 + u + 16 * v); return t & mask(); };
    const PointSet cover = drawn([&] { rs_texmap(square.data(), uv8, 4); });
    EXPECT_EQ(cover, area(0, 7, 0, 7));
    EXPECT_EQ(list(raw_pixel(0, 0), raw_pixel(7, 0), raw_pixel(0, 3)), list(texel(1, 0), texel(8, 0), texel(1, 3)));
    rs_texmap(square.data(), uv7, 4);
    EXPECT_EQ(list(raw_pixel(0, 0), raw_pixel(7, 7)), list(texel(0, 0), texel(7, 6)));
    for (int persp = 0; persp < 2; ++persp) {
        rs_erase();
        EXPECT_TRUE(drawn([&] { persp ? rs_texmapp(square_ccw.data(), uv8, z.data(), 4) : rs_texmap(square_ccw.data(), uv8, 4); }).empty());
        rs_zbopen(zb);
        EXPECT_EQ(drawn([&] { persp ? rs_texmappz(square_ccw.data(), uv8, z.data(), 4) : rs_texmapz(square_ccw.data(), uv8, z.data(), 4); }), area(0, 7, 0, 7));
        EXPECT_EQ(entry(3, 3), 0x00800000u);
    }
    std::fill_n(tex.begin(), depth() == 32 ? 3 : bpp(), 0);  // texel (0, 0) transparent
    rs_tmtransparency(1), rs_zbopen(zb), rs_erase();
    const PointSet holes = drawn([&] { rs_texmapz(square.data(), uv7, z.data(), 4); });
    EXPECT_EQ(holes.size(), 63u);
    EXPECT_TRUE(!holes.count({0, 0}) && entry(0, 0) == 0 && entry(1, 0) == 0x00800000u);
    rs_tmtransparency(0), rs_tmunits(1);
    const float half[8] = {0.5f, 0, 8.5f, 0, 8.5f, 8, 0.5f, 8};  // 0.5 is 0x8000: one texel on
    rs_texmap(square.data(), half, 4);
    EXPECT_EQ(raw_pixel(0, 0), texel(1, 0));
}

// A square facing the viewer maps the same either way; a tilted one differs, and each
// perspective run starts on the exactly divided texel.
TEST_P(Raster, PerspectiveAgainstAffine) {
    auto tex = texture(64, 64);
    rs_tminit(1), rs_tmselect(rs_tmdefine(tex.data(), 64, 64));
    const std::vector<int> quad = {0, 0, 40, 0, 40, 20, 0, 20};
    const int uv[8] = {0, 0, 63, 0, 63, 20, 0, 20};
    const auto flat = at_depth(4, 3);
    rs_texmap(quad.data(), uv, 4);
    const auto affine = View().bytes();
    rs_erase(), rs_texmapp(quad.data(), uv, flat.data(), 4);
    EXPECT_EQ(View().bytes(), affine);
    const std::vector<double> tilted = {0, 0, 1, 0, 0, 4, 0, 0, 4, 0, 0, 1};
    rs_tmspan(8), rs_erase(), rs_texmapp(quad.data(), uv, tilted.data(), 4);
    EXPECT_NE(View().bytes(), affine);
    for (int x0 : {0, 8, 16, 24, 32}) {  // row 0: u/w and 1/w run linearly from 1 to 1/4
        const double t = double(x0) / 40, w = 1 + t * (0.25 - 1), u = t * 63 * 0.25 / w;
        const double t1 = double(x0 + 8) / 40, u1 = t1 * 63 * 0.25 / (1 + t1 * (0.25 - 1));
        const int32_t du = int32_t(std::lrint((u1 - u) / 8 * 65536));
        EXPECT_EQ(raw_pixel(x0, 0), (((uint32_t(std::lrint(u * 65536)) + uint32_t(du >> 1) + 0x8000) >> 16) + 1) & mask()) << x0;
    }
}

// Hostile input: no usable z-buffer, huge and NaN coordinates, texels far outside the
// texture, never-defined textures; nothing is written outside the clip rectangle.
TEST_P(Raster, HostileInputStaysInside) {
    const auto z = at_depth(4, 2);
    void* small = rs_zballoc(8, 8);
    rs_zbopen(small);
    EXPECT_TRUE(drawn([&] { rs_polyfilz(square.data(), z.data(), 4), rs_drawz(5, 5, 2, 2); }).empty());
    rs_zbfree(small);
    EXPECT_TRUE(drawn([&] { rs_polyfilz(square.data(), z.data(), 4); }).empty());
    EXPECT_TRUE(drawn([&] { rs_texmap(square.data(), square.data(), 4); }).empty());  // no texture yet
    Guarded tex(16 * 16 * 4, 7);
    rs_tminit(1), rs_tmselect(rs_tmdefine(tex.data(), 16, 16));
    rs_zbopen(zb), rs_setclip(5, 30, 5, 20);
    const std::vector<int> huge = {INT_MIN, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX};
    const int far_uv[8] = {-100000, 5, 100000, -7, 32767, 100000, INT_MIN, INT_MAX};
    const double nan = std::nan(""), odd[12] = {0, 0, 0, 0, 0, -1, nan, nan, nan, 0, 0, 1e-300};
    const unsigned char rgb[12] = {255, 255, 255, 0, 0, 0, 9, 9, 9, 1, 2, 3};
    for (const auto* v : {&square, &huge}) {
        const PointSet touched = drawn([&] {
            rs_gouraudz(v->data(), rgb, odd, 4), rs_polyfilz(v->data(), odd, 4);
            for (int units = 0; units < 2; ++units) {
                rs_tmunits(units), rs_tmspan(units ? 0 : 3);
                rs_texmap(v->data(), far_uv, 4), rs_texmapz(v->data(), far_uv, odd, 4);
                rs_texmapp(v->data(), far_uv, odd, 4), rs_texmappz(v->data(), far_uv, odd, 4);
            }
        });
        for (auto [x, y] : touched) EXPECT_TRUE(x >= 5 && x <= 30 && y >= 5 && y <= 20) << x << "," << y;
    }
    EXPECT_TRUE(tex.guards_intact());
    EXPECT_EQ(rs_tmdefine(nullptr, 4, 4), -1);
}

RSW32_EACH_DEPTH(Raster);

}  // namespace
