// Textured fills: every filled shape takes the tiled texture's pixel exactly where it would
// put the colour, colour-0 texels left out when keyed; other depths and gone buffers fill
// with the colour.
#include "support.h"

using namespace test;

namespace {

class Textured : public EachDepth {};

TEST_P(Textured, FilledShapesTakeTheTiledTextureWhereTheyWouldTakeTheColour) {
    rs_vbdepth(depth());
    const int tex = rs_vballoc(8, 5);
    const View t(tex, 8, 5, depth());
    t.scramble(4);
    for (int x = 0; x < 8; x += 3) t.put(x, 2, 0);  // colour 0: left out when keyed
    start(40, 30);
    const std::vector<int> tri = {3, 2, 36, 9, 12, 27};
    const std::vector<std::function<void()>> shapes = {
        [] { rs_rect(-5, 50, 3, 11); },  // whole rows
        [] { rs_rect(7, 22, 14, 29); }, [] { rs_setclip(4, 30, 2, 25), rs_clprect(0, 39, 0, 29), rs_setclip(0, 39, 0, 29); },
        [] { rs_move(20, 15), rs_ellipsef(13, 9); }, [&] { rs_polyfill(tri.data(), nullptr, 3); }, [] { rs_boxdepth(2, 3), rs_box(5, 30, 4, 20); }};
    for (size_t i = 0; i < shapes.size(); ++i) {
        for (int keyed : {0, 1}) {
            std::memset(View().base(), 0, View().size());  // no pixel holds the ink yet
            rs_texture(-1, 0);
            const PointSet where = drawn(shapes[i]);
            View().scramble(unsigned(i));
            const Snapshot before;
            ASSERT_EQ(rs_texture(tex, keyed), 0);
            shapes[i]();
            for (auto [x, y] : area(0, 39, 0, 29)) {
                const uint32_t texel = t.get(x % 8, y % 5);
                const bool takes = where.count({x, y}) && !(keyed && (texel & (depth() == 32 ? 0xFFFFFFu : mask())) == 0);
                ASSERT_EQ(View().get(x, y), takes ? texel : before.value(x, y)) << "shape " << i << " at " << x << "," << y;
            }
        }
    }
    // Another depth, a freed buffer and no texture all fill with the colour.
    rs_vbdepth(depth() == 8 ? 16 : 8);
    const int other = rs_vballoc(8, 5);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(k == 0 ? rs_texture(other, 0) : k == 1 ? (rs_texture(tex, 0), rs_vbfree(tex)) : rs_texture(tex, 0) + rs_texture(-2, 0), -2 * (k == 2));
        View().scramble(unsigned(k)), rs_rect(2, 9, 2, 9);
        EXPECT_EQ(View().get(5, 5), ink_pixel()) << k;
    }
}

RSW32_EACH_DEPTH(Textured);

}  // namespace
