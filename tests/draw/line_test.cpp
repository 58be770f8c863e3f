// Lines, dashes and polylines: exact pixel sets, clipping with truncated cut points,
// dash phases, XOR symmetry and the cursor rules, at every depth.
#include <climits>
#include <cstdint>
#include <random>
#include <string>

#include "support.h"

namespace {

using test::EachDepth;
using test::PointSet;
using test::Snapshot;

struct Rect {
    int64_t minx, maxx, miny, maxy;
};

// Plain Bresenham between two points, x major on ties, from the upper end.
PointSet bresenham(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    if (y1 < y0) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = y1 - y0, sx = x1 < x0 ? -1 : 1;
    PointSet out;
    int64_t x = x0, y = y0;
    const bool xmaj = dx >= dy;
    const int64_t dmaj = xmaj ? dx : dy, dmin = xmaj ? dy : dx;
    int64_t e = 2 * dmin - dmaj;
    for (int64_t i = 0; i < dmaj; ++i) {
        out.insert({int(x), int(y)});
        if (e >= 0) {
            x += sx;
            ++y;
            e += 2 * dmin - 2 * dmaj;
        } else {
            if (xmaj) x += sx; else ++y;
            e += 2 * dmin;
        }
    }
    out.insert({int(x), int(y)});
    return out;
}

int code(int64_t x, int64_t y, const Rect& c) {
    return (x < c.minx) | (y < c.miny) << 1 | (x > c.maxx) << 2 | (y > c.maxy) << 3;
}

// The clipped line as the library defines it, step by step (small coordinates only).
PointSet reference_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const Rect& c) {
    if (c.minx > c.maxx || c.miny > c.maxy) return {};
    for (;;) {
        int c0 = code(x0, y0, c), c1 = code(x1, y1, c);
        if (!(c0 | c1)) return bresenham(x0, y0, x1, y1);
        if (c0 & c1) return {};
        if (!c0) {
            std::swap(x0, x1);
            std::swap(y0, y1);
            std::swap(c0, c1);
        }
        if (c0 & 1) y0 += (y1 - y0) * (c.minx - x0) / (x1 - x0), x0 = c.minx;
        else if (c0 & 2) x0 += (x1 - x0) * (c.miny - y0) / (y1 - y0), y0 = c.miny;
        else if (c0 & 4) y0 += (y1 - y0) * (c.maxx - x0) / (x1 - x0), x0 = c.maxx;
        else x0 += (x1 - x0) * (c.maxy - y0) / (y1 - y0), y0 = c.maxy;
    }
}

// The dashed line walked pixel by pixel as described, each pixel tested like rs_point.
PointSet reference_dash(int64_t x0, int64_t y0, int64_t x1, int64_t y1, unsigned pattern, const Rect& c) {
    const int64_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int64_t sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool xmaj = dx >= dy;
    const int64_t dmaj = xmaj ? dx : dy, dmin = xmaj ? dy : dx;
    int64_t e = 2 * dmin - dmaj, x = x0, y = y0;
    pattern &= 0xFFFF;
    PointSet out;
    auto plot = [&] {
        pattern = ((pattern << 1) | (pattern >> 15)) & 0xFFFF;
        if ((pattern & 1) && x >= c.minx && x <= c.maxx && y >= c.miny && y <= c.maxy) out.insert({int(x), int(y)});
    };
    for (int64_t i = 0; i < dmaj; ++i) {
        plot();
        if (e >= 0) {
            x += sx, y += sy;
            e += 2 * dmin - 2 * dmaj;
        } else {
            if (xmaj) x += sx; else y += sy;
            e += 2 * dmin;
        }
    }
    plot();
    return out;
}

class Lines : public EachDepth {
protected:
    int vb = -1;
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(64, 48);
        rs_setcolor(color());
    }
    // A colour with all bytes of the pixel non-zero and different.
    int color() const { return depth() == 8 ? 0xA5 : depth() == 16 ? 0xA5C3 : 0x5AA5C3E1; }
    uint32_t pixel() const { return depth() == 8 ? 0xA5u : depth() == 16 ? 0xA5C3u : depth() == 24 ? 0xA5C3E1u : 0x5AA5C3E1u; }
    Rect clip() const {
        int a, b, c, d;
        rs_getclip(&a, &b, &c, &d);
        return {std::max(a, 0), std::min(b, 63), std::max(c, 0), std::min(d, 47)};
    }
    PointSet draw(int x0, int y0, int x1, int y1) {
        Snapshot s;
        rs_move(x0, y0);
        rs_draw(x1, y1);
        return s.changed();
    }
};

TEST_P(Lines, BothDirectionsPlotTheSameBresenhamPixels) {
    EXPECT_EQ(draw(0, 0, 2, 1), (PointSet{{0, 0}, {1, 1}, {2, 1}}));
    rs_erase();
    EXPECT_EQ(draw(2, 1, 0, 0), (PointSet{{0, 0}, {1, 1}, {2, 1}}));
    EXPECT_EQ(test::raw_pixel(1, 1), pixel());
    EXPECT_EQ(rs_getxpos(), 0);
    EXPECT_EQ(rs_getypos(), 0);
    rs_erase();
    // Ties go to x: a 45-degree line steps both axes on every pixel.
    EXPECT_EQ(draw(3, 3, 0, 6), (PointSet{{3, 3}, {2, 4}, {1, 5}, {0, 6}}));
    rs_erase();
    EXPECT_EQ(draw(5, 5, 6, 9), bresenham(5, 5, 6, 9));
    rs_erase();
    EXPECT_EQ(draw(9, 9, 9, 9), (PointSet{{9, 9}}));
    EXPECT_EQ(rs_getxpos(), 9);
}

TEST_P(Lines, CutPointsAreTruncatedTowardZero) {
    rs_setclip(10, 50, 10, 40);
    // Crosses the left edge at y = 200 / 30 = 6 (still above), then the top edge at
    // x = 10 + 80 / 14 = 15.
    EXPECT_EQ(draw(0, 0, 30, 20), bresenham(15, 10, 30, 20));
    rs_erase();
    // Left edge: 30 + (-30 × 10) / 31 = 30 - 9 = 21, truncated toward zero (not 20);
    // then the other end meets the top edge at 31 + (-21 × 10) / 21 = 21.
    EXPECT_EQ(draw(0, 30, 31, 0), bresenham(10, 21, 21, 10));
    rs_erase();
    // A line crossing the rectangle through two edges keeps only the inner part.
    EXPECT_EQ(draw(0, 25, 63, 30), reference_line(0, 25, 63, 30, clip()));
    EXPECT_EQ(rs_getxpos(), 63);
    rs_erase();
    EXPECT_TRUE(draw(0, 0, 63, 5).empty());  // wholly above the clip rectangle
    EXPECT_EQ(rs_getypos(), 5);
}

TEST_P(Lines, RandomClippedLinesMatchThePlainReference) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(-120, 180), clipv(-10, 70);
    for (int i = 0; i < 300; ++i) {
        int a = clipv(rng), b = clipv(rng), c = clipv(rng), d = clipv(rng);
        if (a > b) std::swap(a, b);
        if (c > d) std::swap(c, d);
        rs_setclip(a, b, c, d);  // may reach outside the buffer
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        rs_erase();
        ASSERT_EQ(draw(x0, y0, x1, y1), reference_line(x0, y0, x1, y1, clip()))
            << x0 << "," << y0 << " -> " << x1 << "," << y1 << " clip " << a << " " << b << " " << c << " " << d;
    }
}

TEST_P(Lines, CoordinatesAtTheIntLimitsAreCutExactly) {
    rs_setclip(5, 40, 3, 30);
    EXPECT_EQ(draw(INT_MIN, INT_MIN, INT_MAX, INT_MAX), bresenham(5, 5, 30, 30));
    rs_erase();
    EXPECT_EQ(draw(INT_MAX, 10, INT_MIN, 10), bresenham(5, 10, 40, 10));
    rs_erase();
    const PointSet steep = draw(20, INT_MIN, 21, INT_MAX);
    for (const auto& p : steep) EXPECT_TRUE(p.first >= 20 && p.first <= 21 && p.second >= 3 && p.second <= 30);
    EXPECT_EQ(steep.size(), 28u);
    rs_erase();
    EXPECT_TRUE(draw(INT_MIN, INT_MAX, INT_MAX, INT_MAX - 1).empty());
}

TEST_P(Lines, XorLinesDrawnTwiceRestoreTheBuffer) {
    rs_setcolor(color());
    rs_fillpage();
    rs_setcolor(depth() == 8 ? 0x3C : 0x13579BDF);
    Snapshot before;
    rs_move(3, 40);
    rs_drawx(60, 2);
    const PointSet once = before.changed();
    EXPECT_EQ(once, reference_line(3, 40, 60, 2, clip()));
    rs_move(3, 40);
    rs_drawx(60, 2);
    EXPECT_TRUE(before.changed().empty());
    // Two segments joined at a point XOR it twice, so it ends unchanged.
    rs_move(10, 10);
    rs_drawrelx(5, 0);
    rs_drawrelx(5, 0);
    const PointSet joined = before.changed();
    EXPECT_EQ(joined.count({15, 10}), 0u);
    EXPECT_EQ(joined.size(), 10u);
}

TEST_P(Lines, DashPatternsStartAtTheCursorEachCall) {
    Snapshot s;
    rs_move(0, 5);
    rs_dash(19, 5, 0xF0F0);
    PointSet expected;
    for (int x = 0; x <= 19; ++x)
        if ((x / 4) % 2 == 0) expected.insert({x, 5});
    EXPECT_EQ(s.changed(), expected);
    // The phase starts afresh: a continuation begins with a dash again.
    rs_dashrel(3, 0, 0xF0F0);
    EXPECT_EQ(s.changed().count({20, 5}), 1u);
    rs_erase();
    rs_move(0, 0);
    rs_dash(30, 30, 0);  // nothing, but the cursor moves
    EXPECT_TRUE(s.changed().empty());
    EXPECT_EQ(rs_getxpos(), 30);
    rs_move(0, 7);
    rs_dash(19, 7, 0x7F0F0);  // only the low 16 bits count
    PointSet row7;
    for (const auto& p : expected) row7.insert({p.first, 7});
    EXPECT_EQ(s.changed(), row7);
}

TEST_P(Lines, SolidDashUpwardIsNotReoriented) {
    Snapshot s;
    rs_move(2, 1);
    rs_dash(0, 0, 0xFFFF);
    EXPECT_EQ(s.changed(), (PointSet{{2, 1}, {1, 0}, {0, 0}}));
    EXPECT_EQ(test::raw_pixel(1, 0), pixel());
}

TEST_P(Lines, ClippedDashPixelsStillConsumeTheirBits) {
    rs_setclip(8, 63, 0, 47);
    Snapshot s;
    rs_move(0, 3);
    rs_dash(40, 3, 0xF0F0);
    PointSet expected;
    for (int x = 8; x <= 40; ++x)
        if ((x / 4) % 2 == 0) expected.insert({x, 3});
    EXPECT_EQ(s.changed(), expected);
}

TEST_P(Lines, RandomDashesMatchThePixelByPixelWalk) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(-3000, 3000), near(-30, 90), clipv(-10, 70);
    std::uniform_int_distribution<unsigned> pat(0, 0xFFFFF);
    for (int i = 0; i < 300; ++i) {
        int a = clipv(rng), b = clipv(rng), c = clipv(rng), d = clipv(rng);
        if (a > b) std::swap(a, b);
        if (c > d) std::swap(c, d);
        rs_setclip(a, b, c, d);
        const bool far = i % 2 == 0;
        const int x0 = far ? coord(rng) : near(rng), y0 = far ? coord(rng) : near(rng);
        const int x1 = near(rng), y1 = near(rng);
        const unsigned pattern = pat(rng);
        rs_erase();
        Snapshot s;
        rs_move(x0, y0);
        rs_dash(x1, y1, int(pattern));
        ASSERT_EQ(s.changed(), reference_dash(x0, y0, x1, y1, pattern, clip()))
            << x0 << "," << y0 << " -> " << x1 << "," << y1 << " pattern " << pattern;
    }
}

TEST_P(Lines, DashesAcrossTheWholeIntRangeFinishAndKeepThePhase) {
    rs_setclip(0, 63, 0, 47);
    Snapshot s;
    rs_move(INT_MIN, 6);
    rs_dash(INT_MAX, 6, 0xF0F0);
    PointSet expected;
    for (int x = 0; x <= 63; ++x) {
        const int64_t i = int64_t(x) - INT_MIN;  // pixel number along the line
        if ((0xF0F0 >> (15 - (i & 15))) & 1) expected.insert({x, 6});
    }
    EXPECT_EQ(s.changed(), expected);
    rs_erase();
    rs_move(INT_MIN, INT_MIN);
    rs_dash(INT_MAX, INT_MAX, 0xFFFF);
    PointSet diagonal;
    for (int k = 0; k <= 47; ++k) diagonal.insert({k, k});
    EXPECT_EQ(s.changed(), diagonal);
}

TEST_P(Lines, PolylineClosesTheOutlineAndAddsTheOffsets) {
    const int tri[] = {5, 5, 20, 8, 9, 30};
    Snapshot s;
    rs_polyline(tri, 3);
    PointSet expected;
    for (const PointSet& seg : {reference_line(5, 5, 20, 8, clip()), reference_line(20, 8, 9, 30, clip()),
                                reference_line(9, 30, 5, 5, clip())})
        expected.insert(seg.begin(), seg.end());
    EXPECT_EQ(s.changed(), expected);
    EXPECT_EQ(rs_getxpos(), 5);
    EXPECT_EQ(rs_getypos(), 5);

    rs_erase();
    rs_polyoff(10, 2);
    rs_polyline(tri, 3);
    PointSet moved;
    for (const auto& p : expected) moved.insert({p.first + 10, p.second + 2});
    EXPECT_EQ(s.changed(), moved);
    EXPECT_EQ(rs_getxpos(), 15);
    rs_polyoff(0, 0);

    rs_erase();
    rs_move(1, 1);
    rs_polyline(tri, 0);
    EXPECT_TRUE(s.changed().empty());
    EXPECT_EQ(rs_getxpos(), 1);
    rs_polyline(tri, 1);
    EXPECT_EQ(s.changed(), (PointSet{{5, 5}}));
}

TEST_P(Lines, WorldFormsKeepTheWorldCursor) {
    rs_setworld(0.0, 63.0, 0.0, 47.0);
    rs_movew(10.0, 47.0);  // screen (10, 0)
    EXPECT_EQ(rs_getxpos(), 10);
    EXPECT_EQ(rs_getypos(), 0);
    Snapshot s;
    rs_drawrw(5.0, -10.0);  // world (15, 37) = screen (15, 10)
    EXPECT_EQ(s.changed(), bresenham(10, 0, 15, 10));
    EXPECT_EQ(rs_getxpos(), 15);
    EXPECT_EQ(rs_getypos(), 10);
    rs_move(0, 0);  // integer moves leave the world cursor alone
    rs_moverw(1.0, 0.0);
    EXPECT_EQ(rs_getxpos(), 16);
}

TEST_P(Lines, WithoutABufferNothingIsDrawnButTheCursorMoves) {
    Snapshot s;
    rs_vbclose();
    rs_move(1, 1);
    EXPECT_EQ(rs_draw(40, 20), 0);
    EXPECT_EQ(rs_dash(10, 20, 0xFFFF), 0);
    EXPECT_EQ(rs_getxpos(), 10);
    rs_vbopen(vb);
    EXPECT_TRUE(s.changed().empty());
}

RSW32_EACH_DEPTH(Lines);

}  // namespace
