// Circles, ellipses and arcs: the boundary generator, worked shapes, fills, clipping, arcs.
#include "draw/ellipse.h"

#include <cmath>

#include "support.h"

using namespace test;

namespace {

std::vector<Point> boundary(int a, int b) {
    std::vector<Point> out;
    draw::midpoint_boundary(a, b, [&](int x, int y) { out.push_back({x, y}); });
    return out;
}

// The outline: mirror images of the boundary points; filled: each row one span. Only inside c.
PointSet shape(int cx, int cy, int a, int b, bool fill, std::array<int, 4> c = {INT_MIN, INT_MAX, INT_MIN, INT_MAX}) {
    PointSet s;
    for (auto [x, y] : boundary(a, b))
        for (int sy : {-1, 1})
            for (int u = -x; u <= x; u += fill ? 1 : 2 * x + !x)
                if (cx + u >= c[0] && cx + u <= c[1] && cy + sy * y >= c[2] && cy + sy * y <= c[3]) s.insert({cx + u, cy + sy * y});
    return s;
}

// 8-connected steps from (0, b) to row 0, within a pixel of the true ellipse, up to the largest axes;
// a flat ellipse (a >= 8·b²) stops short of its tip, the steep region taking one row per step.
TEST(MidpointBoundary, TracesTheQuadrantWithinAPixel) {
    using Walk = std::vector<Point>;
    EXPECT_EQ(list(boundary(1, 1), boundary(2, 2), boundary(4, 2)),
              list(Walk{{0, 1}, {1, 0}}, Walk{{0, 2}, {1, 2}, {2, 1}, {2, 0}}, Walk{{0, 2}, {1, 2}, {2, 2}, {3, 1}, {4, 0}}));
    std::vector<std::pair<int, int>> axes = {{1, 46340}, {46340, 1}, {46340, 46340}, {46340, 46339}, {3, 40000}, {40000, 3},
                                             {1, 2}, {2, 1}, {7, 1}, {8, 1}, {127, 4}, {128, 4}, {7, 7}, {100, 37}, {37, 100}};
    std::mt19937 rng(20240611);
    for (int i = 0; i < 200; ++i) axes.push_back({int(rng() % 3000) + 1, int(rng() % 3000) + 1});
    for (auto [a, b] : axes) {
        const auto pts = boundary(a, b);
        EXPECT_EQ(list(pts.front().first, pts.front().second, pts.back().second, int(pts.back().first == a)),
                  list(0, b, 0, int(int64_t(a) < 8 * int64_t(b) * b))) << a << " x " << b;
        for (size_t k = 0; k < pts.size(); ++k) {
            const auto [x, y] = pts[k];
            const int dx = k ? x - pts[k - 1].first : 1, dy = k ? pts[k - 1].second - y : 0;
            const double along_y = std::fabs(y - b * std::sqrt(1 - (double(x) / a) * (double(x) / a)));
            const double along_x = std::fabs(x - a * std::sqrt(std::max(0.0, 1 - (double(y) / b) * (double(y) / b))));
            ASSERT_TRUE(dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1 && dx + dy >= 1 && x <= a && std::min(along_x, along_y) < 1)
                << a << " x " << b << " point " << k;
        }
    }
}

class Curves : public EachDepth {
protected:
    PointSet around(int cx, int cy, const std::function<void()>& fn) {  // drawn around the cursor, which stays
        rs_erase(), rs_move(cx, cy);
        const PointSet out = drawn(fn);
        EXPECT_EQ(std::pair(rs_getxpos(), rs_getypos()), std::pair(cx, cy));
        return out;
    }
};

// Outlines and fills are clipped; a fill is the outline's rows made solid. Bad sizes draw nothing, and
// no centre or size reaches outside the buffer.
TEST_P(Curves, ShapesAreTheirBoundaryClipped) {
    start(96, 90);
    EXPECT_EQ(around(10, 10, [] { rs_circle(1); }), PointSet({{10, 9}, {10, 11}, {9, 10}, {11, 10}}));
    EXPECT_EQ(around(10, 10, [] { rs_circle(2); }), shifted(PointSet({{0, -2}, {0, 2}, {-1, -2}, {1, -2}, {-1, 2}, {1, 2},
                                                                     {-2, -1}, {2, -1}, {-2, 1}, {2, 1}, {-2, 0}, {2, 0}}), 10, 10));
    EXPECT_EQ(raw_pixel(10, 8), ink_pixel());
    std::vector<std::array<int, 4>> shapes = {{20, 20, 15, 9}, {2, 85, 30, 30}, {60, 3, 7, 20}, {32, 24, 90, 70}, {45, 45, 4, 2}};
    for (int r = 1; r <= 40; ++r) shapes.push_back({45, 45, r, r});
    for (auto [a, b] : {std::pair{2, 4}, {40, 3}, {3, 40}, {25, 17}, {1, 30}}) shapes.push_back({45, 45, a, b});
    for (auto c : {list(0, 95, 0, 89), list(10, 40, 5, 30), list(-50, 200, -50, 200), list(20, 20, 0, 89), list(30, 10, 0, 89)}) {
        rs_setclip(c[0], c[1], c[2], c[3]);
        c = {std::max(c[0], 0), std::min(c[1], 95), std::max(c[2], 0), std::min(c[3], 89)};
        for (auto [cx, cy, a, b] : shapes) {
            if (c[0] != 0 && cx == 45 && a != 4) continue;  // the axis list only unclipped
            ASSERT_EQ(around(cx, cy, [&] { rs_ellipse(a, b); }), shape(cx, cy, a, b, false, c)) << a << " x " << b << " clip " << c[0];
            ASSERT_EQ(around(cx, cy, [&] { rs_ellipsef(a, b); }), shape(cx, cy, a, b, true, c)) << a << " x " << b << " clip " << c[0];
        }
    }
    EXPECT_TRUE(around(8, 8, [] {
                    for (int bad : {0, -3, 46341}) rs_circle(bad), rs_circlef(bad), rs_ellipse(5, bad), rs_ellipsef(bad, 5);
                    rs_arc(0, 0, 900), rs_arc(46341, 0, 900);
                }).empty());
    rs_setclip(0, 95, 0, 89);
    for (auto [cx, cy] : {std::pair{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, 10}, {10, INT_MIN}})
        EXPECT_TRUE(around(cx, cy, [] { rs_circle(46340), rs_circlef(46340), rs_arc(46340, 0, 3600); }).empty());
    EXPECT_EQ(list(around(48, 45, [] { rs_circle(46340); }).size(), around(48, 45, [] { rs_circlef(46340); }).size(),
                   around(48, 45, [] { rs_ellipsef(46340, 1); }).size()),
              list<size_t>(0, 96 * 90, 3 * 96));
}

// Below radius 288 the quadrant boxes meet exactly on the axes; the narrowed clip rectangle is put back.
TEST_P(Curves, ArcsArePartsOfTheirCircle) {
    start(580, 580);
    enum { right = 1, left = 2, up = 4, down = 8 };  // the half planes an arc keeps, axes included
    const std::array<int, 3> arcs[] = {{0, 3600, 0}, {0, 900, right | up}, {900, 1800, left | up}, {1800, 2700, left | down},
                                       {2700, 3600, right | down}, {2700, 900, right}, {900, 2700, left}};  // 0 is right of the centre
    for (int r : {1, 2, 3, 4, 5, 7, 10, 16, 33, 64, 100, 200, 287})
        for (auto [s, e, keep] : arcs) {
            PointSet want;
            for (auto [x, y] : shape(0, 0, r, r, false))
                if (!(keep & right && x < 0) && !(keep & left && x > 0) && !(keep & up && y > 0) && !(keep & down && y < 0)) want.insert({x + 290, y + 290});
            ASSERT_EQ(around(290, 290, [&] { rs_arc(r, s, e); }), want) << "radius " << r << " " << s << ".." << e;
        }
    start(128, 100);
    rs_setclip(5, 120, 3, 90);
    std::mt19937 rng(77);
    for (int i = 0; i < 150; ++i) {
        const int r = int(rng() % 70) + 1, s = int(rng() % 3600), e = int(rng() % 3601), cx = int(rng() % 128), cy = int(rng() % 100);
        const PointSet circle = shape(cx, cy, r, r, false, {5, 120, 3, 90});
        for (const auto& p : around(cx, cy, [&] { rs_arc(r, s, e); })) ASSERT_TRUE(circle.count(p)) << s << ".." << e << " radius " << r;
        const core::ClipRect& slot = core::vb_table().slots[size_t(rs_vbhandle())].clip;
        int c[4];
        rs_getclip(&c[0], &c[1], &c[2], &c[3]);
        ASSERT_EQ(list(slot.minx, slot.maxx, slot.miny, slot.maxy, c[0], c[1], c[2], c[3]), list(5, 120, 3, 90, 5, 120, 3, 90));
    }
    for (auto [s, e] : {std::pair{-1, 900}, {3600, 3600}, {0, -1}, {0, 3601}, {INT_MIN, 0}, {0, INT_MAX}})
        EXPECT_TRUE(around(32, 32, [&] { rs_arc(20, s, e); }).empty()) << s << ".." << e;
    EXPECT_EQ(around(32, 32, [] { rs_arc(20, 3599, 0); }).size(), 1u);  // one angle through 0
}

RSW32_EACH_DEPTH(Curves);

}  // namespace
