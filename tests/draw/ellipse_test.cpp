// Circles, ellipses and arcs: the boundary generator, exact pixel sets of the worked
// shapes, fills against outlines, clipping, arcs against the circle, world lengths.
#include "draw/ellipse.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "core/clip.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "support.h"

namespace {

using test::PointSet;

std::vector<test::Point> boundary(int a, int b) {
    std::vector<test::Point> out;
    draw::midpoint_boundary(a, b, [&](int x, int y) { out.push_back({x, y}); });
    return out;
}

// The outline's pixels relative to the centre: the four mirror images of each point.
PointSet outline_offsets(int a, int b) {
    PointSet s;
    for (auto [x, y] : boundary(a, b))
        for (int sx : {-1, 1})
            for (int sy : {-1, 1}) s.insert({sx * x, sy * y});
    return s;
}

PointSet shifted(const PointSet& s, int dx, int dy) {
    PointSet out;
    for (auto [x, y] : s) out.insert({x + dx, y + dy});
    return out;
}

PointSet inside(const PointSet& s, int minx, int maxx, int miny, int maxy) {
    PointSet out;
    for (auto [x, y] : s)
        if (x >= minx && x <= maxx && y >= miny && y <= maxy) out.insert({x, y});
    return out;
}

template <class Fn>
PointSet drawn(Fn&& fn) {
    test::Snapshot before;
    fn();
    return before.changed();
}

class Curves : public test::EachDepth {
protected:
    int ink() const { return depth() == 8 ? 7 : depth() == 16 ? 0xF81F : 0x00ABCDEF; }
    void start(int width, int height) {
        handle = open(width, height);
        rs_setcolor(ink());
    }
    void clear() {
        auto* p = static_cast<uint8_t*>(rs_vbaddr(handle));
        std::memset(p, 0, size_t(rs_getmaxx() + 1) * size_t(rs_getmaxy() + 1) * size_t(depth() / 8));
    }
    // Pixels that fn draws with the cursor at (cx, cy), relative to the cursor, on a
    // cleared buffer.
    template <class Fn>
    PointSet offsets(int cx, int cy, Fn&& fn) {
        clear();
        rs_move_cursor(cx, cy);
        PointSet out;
        for (auto [x, y] : drawn(fn)) out.insert({int(int64_t(x) - cx), int(int64_t(y) - cy)});
        return out;
    }
    static void rs_move_cursor(int x, int y) {
        draw::state().cursor_x = x;
        draw::state().cursor_y = y;
    }
    int handle = -1;
};

TEST(MidpointBoundary, WorkedShapes) {
    using P = std::vector<test::Point>;
    EXPECT_EQ(boundary(1, 1), (P{{0, 1}, {1, 0}}));
    EXPECT_EQ(boundary(2, 2), (P{{0, 2}, {1, 2}, {2, 1}, {2, 0}}));
    EXPECT_EQ(boundary(4, 2), (P{{0, 2}, {1, 2}, {2, 2}, {3, 1}, {4, 0}}));
}

// From (0, b) down to row 0 in 8-connected steps, never backwards, every point within a
// pixel of the true ellipse along x or y, for ordinary and extreme semi-axes (squares and
// decision terms near the ends of their ranges). The walk ends at (a, 0) unless the
// ellipse is so flat (a >= 8·b²) that it crosses its last half row more than a row's
// worth of steps before the tip: the steep region takes one row per step, so the tip of
// such an ellipse is not reached.
TEST(MidpointBoundary, TracesTheQuadrantWithinAPixel) {
    std::vector<std::pair<int, int>> axes = {{1, 46340}, {46340, 1}, {46340, 46340}, {46340, 46339},
                                             {3, 40000}, {40000, 3}, {1, 2},         {2, 1},
                                             {7, 1},     {8, 1},     {127, 4},       {128, 4},
                                             {7, 7},     {100, 37},  {37, 100}};
    std::mt19937 rng(20240611);
    for (int i = 0; i < 200; ++i) axes.push_back({int(rng() % 3000) + 1, int(rng() % 3000) + 1});
    for (auto [a, b] : axes) {
        const auto pts = boundary(a, b);
        ASSERT_FALSE(pts.empty());
        EXPECT_EQ(pts.front(), test::Point(0, b)) << a << " x " << b;
        EXPECT_EQ(pts.back().second, 0) << a << " x " << b;
        if (int64_t(a) < 8 * int64_t(b) * b)
            EXPECT_EQ(pts.back().first, a) << a << " x " << b;
        else
            EXPECT_LT(pts.back().first, a) << a << " x " << b;
        const double A = double(a), B = double(b);
        double worst = 0;
        for (size_t k = 0; k < pts.size(); ++k) {
            const auto [x, y] = pts[k];
            if (k > 0) {
                const int dx = x - pts[k - 1].first, dy = pts[k - 1].second - y;
                ASSERT_TRUE(dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1 && dx + dy >= 1)
                    << a << " x " << b << " step " << k;
            }
            ASSERT_LE(x, a);
            const double along_y = std::fabs(y - B * std::sqrt(1 - (x / A) * (x / A)));
            const double along_x = std::fabs(x - A * std::sqrt(std::max(0.0, 1 - (y / B) * (y / B))));
            worst = std::max(worst, std::min(along_x, along_y));
        }
        EXPECT_LT(worst, 1.0) << a << " x " << b;
    }
}

TEST_P(Curves, WorkedShapesSetExactlyTheirPixels) {
    start(32, 32);
    EXPECT_EQ(offsets(10, 10, [] { rs_circle(1); }), (PointSet{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}));
    EXPECT_EQ(test::raw_pixel(10, 9), uint32_t(ink()) & (depth() == 32 ? ~0u : (1u << depth()) - 1));
    EXPECT_EQ(offsets(10, 10, [] { rs_circle(2); }),
              (PointSet{{0, -2}, {0, 2}, {-1, -2}, {1, -2}, {-1, 2}, {1, 2},
                        {-2, -1}, {2, -1}, {-2, 1}, {2, 1}, {-2, 0}, {2, 0}}));
    EXPECT_EQ(offsets(10, 10, [] { rs_ellipse(4, 2); }), outline_offsets(4, 2));
    EXPECT_EQ(outline_offsets(4, 2).size(), 16u);
    EXPECT_EQ(rs_getxpos(), 10);
    EXPECT_EQ(rs_getypos(), 10);
}

TEST_P(Curves, BadSizesAndNoBufferDrawNothing) {
    start(16, 16);
    rs_move_cursor(8, 8);
    const PointSet none = drawn([] {
        rs_circle(0);
        rs_circlef(-3);
        rs_ellipse(5, 0);
        rs_ellipsef(0, 5);
        rs_circle(46341);
        rs_ellipsef(3, 46341);
        rs_arc(0, 0, 900);
        rs_arc(46341, 0, 900);
    });
    EXPECT_TRUE(none.empty());
    const test::Snapshot before;
    rs_vbclose();
    rs_circlef(5);
    rs_ellipse(4, 3);
    rs_arc(5, 0, 3600);
    rs_vbopen(handle);
    EXPECT_TRUE(before.changed().empty());
}

// Same boundary: each row of the fill is one span whose ends are the outline's outermost
// pixels on that row.
TEST_P(Curves, FilledShapeCoversTheOutlineWithSolidRows) {
    start(96, 90);
    std::vector<std::pair<int, int>> axes;
    for (int r = 1; r <= 40; ++r) axes.push_back({r, r});
    for (auto ab : {std::pair{4, 2}, {2, 4}, {40, 3}, {3, 40}, {25, 17}, {1, 30}}) axes.push_back(ab);
    for (auto [a, b] : axes) {
        const PointSet line = offsets(45, 45, [&] { rs_ellipse(a, b); });
        const PointSet fill = offsets(45, 45, [&] { rs_ellipsef(a, b); });
        ASSERT_EQ(line, outline_offsets(a, b)) << a << " x " << b;
        PointSet expected;
        for (auto [x, y] : line)
            for (int u = -std::abs(x); u <= std::abs(x); ++u) expected.insert({u, y});
        ASSERT_EQ(fill, expected) << a << " x " << b;
    }
}

TEST_P(Curves, ClippedShapesDrawOnlyInsideTheClipRectangle) {
    start(64, 48);
    struct Clip {
        int minx, maxx, miny, maxy;
    } clips[] = {{10, 40, 5, 30}, {-50, 200, -50, 200}, {20, 20, 0, 47}, {30, 10, 0, 47}, {100, 200, 0, 47}};
    for (const Clip& c : clips) {
        rs_setclip(c.minx, c.maxx, c.miny, c.maxy);
        const int lo_x = std::max(c.minx, 0), hi_x = std::min(c.maxx, 63);
        const int lo_y = std::max(c.miny, 0), hi_y = std::min(c.maxy, 47);
        for (auto [cx, cy, a, b] : {std::tuple{20, 20, 15, 9}, {2, 45, 30, 30}, {60, 3, 7, 20}, {32, 24, 90, 70}}) {
            const PointSet line = shifted(outline_offsets(a, b), cx, cy);
            EXPECT_EQ(shifted(offsets(cx, cy, [&] { rs_ellipse(a, b); }), cx, cy),
                      inside(line, lo_x, hi_x, lo_y, hi_y));
            PointSet solid;
            for (auto [x, y] : line)
                for (int u = 2 * cx - x; u <= x; ++u) solid.insert({u, y});
            EXPECT_EQ(shifted(offsets(cx, cy, [&] { rs_ellipsef(a, b); }), cx, cy),
                      inside(solid, lo_x, hi_x, lo_y, hi_y));
        }
    }
}

// A centre at the ends of the int range or a semi-axis at its limit must neither wrap nor
// reach outside the buffer.
TEST_P(Curves, ExtremeCentresAndSemiAxesStayInTheBuffer) {
    start(40, 30);
    for (auto [cx, cy] : {std::pair{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, 10}, {10, INT_MIN}}) {
        EXPECT_TRUE(offsets(cx, cy, [] {
                        rs_circle(46340);
                        rs_circlef(46340);
                        rs_arc(46340, 0, 3600);
                    }).empty());
    }
    EXPECT_TRUE(offsets(20, 15, [] { rs_circle(46340); }).empty());
    EXPECT_EQ(offsets(20, 15, [] { rs_circlef(46340); }).size(), 40u * 30u);
    EXPECT_EQ(offsets(20, 15, [] { rs_ellipsef(46340, 1); }).size(), 3u * 40u);
}

class Arcs : public Curves {
protected:
    PointSet circle_where(int r, bool (*keep)(int, int)) {
        PointSet out;
        for (auto [x, y] : outline_offsets(r, r))
            if (keep(x, y)) out.insert({x, y});
        return out;
    }
};

// Below radius 288 the end points a tenth of a degree short of each axis round onto the
// axis, so the quadrant boxes meet exactly there.
TEST_P(Arcs, QuartersHalvesAndTheWholeTurnMatchTheCircle) {
    start(580, 580);
    for (int r : {1, 2, 3, 4, 5, 7, 10, 16, 33, 64, 100, 200, 287}) {
        auto arc = [&](int s, int e) { return offsets(290, 290, [&] { rs_arc(r, s, e); }); };
        ASSERT_EQ(arc(0, 3600), outline_offsets(r, r)) << "radius " << r;
        EXPECT_EQ(arc(0, 900), circle_where(r, [](int x, int y) { return x >= 0 && y <= 0; })) << r;
        EXPECT_EQ(arc(900, 1800), circle_where(r, [](int x, int y) { return x <= 0 && y <= 0; })) << r;
        EXPECT_EQ(arc(1800, 2700), circle_where(r, [](int x, int y) { return x <= 0 && y >= 0; })) << r;
        EXPECT_EQ(arc(2700, 3600), circle_where(r, [](int x, int y) { return x >= 0 && y >= 0; })) << r;
        EXPECT_EQ(arc(2700, 900), circle_where(r, [](int x, int) { return x >= 0; })) << r;
        EXPECT_EQ(arc(900, 2700), circle_where(r, [](int x, int) { return x <= 0; })) << r;
    }
}

TEST_P(Arcs, AnyArcIsPartOfItsCircleAndRestoresTheClipRectangle) {
    start(128, 100);
    rs_setclip(5, 120, 3, 90);
    std::mt19937 rng(77);
    for (int i = 0; i < 150; ++i) {
        const int r = int(rng() % 70) + 1, s = int(rng() % 3600), e = int(rng() % 3601);
        const int cx = int(rng() % 128), cy = int(rng() % 100);
        const PointSet got = offsets(cx, cy, [&] { rs_arc(r, s, e); });
        const PointSet circle = shifted(inside(shifted(outline_offsets(r, r), cx, cy), 5, 120, 3, 90), -cx, -cy);
        for (const auto& p : got) ASSERT_TRUE(circle.count(p)) << "arc " << s << ".." << e << " radius " << r;
        int minx, maxx, miny, maxy;
        rs_getclip(&minx, &maxx, &miny, &maxy);
        ASSERT_EQ(std::tuple(minx, maxx, miny, maxy), std::tuple(5, 120, 3, 90));
        const core::ClipRect& slot = core::vb_table().slots[size_t(handle)].clip;
        ASSERT_EQ(std::tuple(slot.minx, slot.maxx, slot.miny, slot.maxy), std::tuple(5, 120, 3, 90));
    }
}

TEST_P(Arcs, AnglesOutsideTheirRangesDrawNothing) {
    start(64, 64);
    for (auto [s, e] : {std::pair{-1, 900}, {3600, 3600}, {0, -1}, {0, 3601}, {INT_MIN, 0}, {0, INT_MAX}})
        EXPECT_TRUE(offsets(32, 32, [&] { rs_arc(20, s, e); }).empty()) << s << ".." << e;
    EXPECT_EQ(offsets(32, 32, [] { rs_arc(20, 3599, 0); }).size(), 1u);  // one angle through 0
}

TEST_P(Curves, WorldLengthsScaleByWidthAndHeight) {
    start(640, 480);
    rs_initw();
    rs_setworld(0.0, 100.0, 0.0, 100.0);
    auto same = [&](auto world, auto screen) {
        EXPECT_EQ(offsets(320, 240, world), offsets(320, 240, screen));
    };
    same([] { rs_circlew(10.0); }, [] { rs_circle(64); });
    same([] { rs_circlefw(10.0); }, [] { rs_circlef(64); });
    same([] { rs_ellipsew(10.0, 10.0); }, [] { rs_ellipse(64, 48); });
    same([] { rs_ellipsfw(20.0, 5.0); }, [] { rs_ellipsef(128, 24); });
    same([] { rs_arcw(10.0, 450, 2000); }, [] { rs_arc(64, 450, 2000); });
    EXPECT_FALSE(offsets(320, 240, [] { rs_circlew(10.0); }).empty());
}

RSW32_EACH_DEPTH(Curves);
RSW32_EACH_DEPTH(Arcs);

}  // namespace
