// Lines, dashes and polylines: exact pixels, clipping with truncated cut points, dash phases, XOR.
#include "support.h"

using namespace test;

namespace {

struct Rect { int64_t minx, maxx, miny, maxy; };

// Bresenham's pixels from (x0, y0) to (x1, y1) in order, x major on ties (small lines only).
std::vector<Point> walk(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0), sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const int64_t dmaj = std::max(dx, dy), dmin = std::min(dx, dy);
    std::vector<Point> out;
    for (int64_t i = 0, x = x0, y = y0, e = 2 * dmin - dmaj; i <= dmaj; ++i) {
        out.push_back({int(x), int(y)});
        if (e >= 0) x += sx, y += sy, e += 2 * dmin - 2 * dmaj;
        else dx >= dy ? x += sx : y += sy, e += 2 * dmin;
    }
    return out;
}

// A line is walked from its upper end.
PointSet bresenham(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const std::vector<Point> w = y1 < y0 ? walk(x1, y1, x0, y0) : walk(x0, y0, x1, y1);
    return {w.begin(), w.end()};
}

// Cut at the edges with truncating integer arithmetic, drawn between the cut points.
PointSet reference_line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, const Rect& c) {
    auto code = [&](int64_t x, int64_t y) { return (x < c.minx) | (y < c.miny) << 1 | (x > c.maxx) << 2 | (y > c.maxy) << 3; };
    for (int c0 = code(x0, y0), c1 = code(x1, y1); c.minx <= c.maxx && c.miny <= c.maxy; c0 = code(x0, y0), c1 = code(x1, y1)) {
        if (!(c0 | c1)) return bresenham(x0, y0, x1, y1);
        if (c0 & c1) break;
        if (!c0) std::swap(x0, x1), std::swap(y0, y1), std::swap(c0, c1);
        if (c0 & 1) y0 += (y1 - y0) * (c.minx - x0) / (x1 - x0), x0 = c.minx;
        else if (c0 & 2) x0 += (x1 - x0) * (c.miny - y0) / (y1 - y0), y0 = c.miny;
        else if (c0 & 4) y0 += (y1 - y0) * (c.maxx - x0) / (x1 - x0), x0 = c.maxx;
        else x0 += (x1 - x0) * (c.maxy - y0) / (y1 - y0), y0 = c.maxy;
    }
    return {};
}

// From the cursor, the pattern rotated left before each pixel, plotted as rs_point would.
PointSet reference_dash(int64_t x0, int64_t y0, int64_t x1, int64_t y1, unsigned pattern, const Rect& c) {
    PointSet out;
    for (auto [x, y] : walk(x0, y0, x1, y1))
        if ((pattern = ((pattern << 1) | (pattern >> 15 & 1)) & 0xFFFF) & 1 && x >= c.minx && x <= c.maxx && y >= c.miny && y <= c.maxy)
            out.insert({x, y});
    return out;
}

class Lines : public EachDepth {
protected:
    void SetUp() override { EachDepth::SetUp(), start(64, 48); }
    Rect clip() const {
        int a, b, c, d;
        rs_getclip(&a, &b, &c, &d);
        return {std::max(a, 0), std::min(b, 63), std::max(c, 0), std::min(d, 47)};
    }
    PointSet line(int x0, int y0, int x1, int y1, int pattern = -1) {
        rs_erase(), rs_move(x0, y0);
        return drawn([&] { pattern < 0 ? rs_draw(x1, y1) : rs_dash(x1, y1, pattern); });
    }
    std::pair<int, int> cursor() const { return {rs_getxpos(), rs_getypos()}; }
};

PointSet dashes(int from, int to, int y) {  // pattern 0xF0F0 from x = 0: four on, four off
    PointSet s;
    for (int x = from; x <= to; ++x)
        if ((x / 4) % 2 == 0) s.insert({x, y});
    return s;
}

// Lines are cut with truncated cut points and drawn between them; dashes restart their pattern at
// the cursor and spend bits on pixels cut away.
TEST_P(Lines, LinesAreBresenhamBetweenTheirCutPoints) {
    PointSet diagonal;  // of the whole buffer
    for (int k = 0; k <= 47; ++k) diagonal.insert({k, k});
    const std::tuple<Rect, std::array<int, 5>, PointSet> rows[] = {  // clip, ends and pattern (-1: solid)
        {{0, 63, 0, 47}, {0, 0, 2, 1, -1}, {{0, 0}, {1, 1}, {2, 1}}}, {{0, 63, 0, 47}, {2, 1, 0, 0, -1}, {{0, 0}, {1, 1}, {2, 1}}},
        {{0, 63, 0, 47}, {3, 3, 0, 6, -1}, {{3, 3}, {2, 4}, {1, 5}, {0, 6}}},  // ties step both axes
        {{0, 63, 0, 47}, {9, 9, 9, 9, -1}, {{9, 9}}},
        // The left edge at y = 200 / 30 = 6, still above; then the top edge at x = 10 + 80 / 14.
        {{10, 50, 10, 40}, {0, 0, 30, 20, -1}, bresenham(15, 10, 30, 20)},
        // Left edge at 30 + (-300) / 31 = 21 (truncated, not 20); the top at 31 + (-210) / 21.
        {{10, 50, 10, 40}, {0, 30, 31, 0, -1}, bresenham(10, 21, 21, 10)},
        {{10, 50, 10, 40}, {0, 0, 63, 5, -1}, {}},  // wholly above
        {{5, 40, 3, 30}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, -1}, bresenham(5, 5, 30, 30)},
        {{5, 40, 3, 30}, {INT_MAX, 10, INT_MIN, 10, -1}, bresenham(5, 10, 40, 10)},
        {{5, 40, 3, 30}, {INT_MIN, INT_MAX, INT_MAX, INT_MAX - 1, -1}, {}},
        {{0, 63, 0, 47}, {0, 5, 19, 5, 0xF0F0}, dashes(0, 19, 5)}, {{0, 63, 0, 47}, {0, 7, 19, 7, 0x7F0F0}, dashes(0, 19, 7)},
        {{0, 63, 0, 47}, {0, 0, 30, 30, 0}, {}}, {{8, 63, 0, 47}, {0, 3, 40, 3, 0xF0F0}, dashes(8, 40, 3)},
        {{0, 63, 0, 47}, {2, 1, 0, 0, 0xFFFF}, {{2, 1}, {1, 0}, {0, 0}}},  // upward, not reoriented
        {{0, 63, 0, 47}, {INT_MIN, 6, INT_MAX, 6, 0xF0F0}, dashes(0, 63, 6)},  // INT_MIN is a multiple of 16
        {{0, 63, 0, 47}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFFFF}, diagonal}};
    for (const auto& [c, p, pixels] : rows) {
        rs_setclip(int(c.minx), int(c.maxx), int(c.miny), int(c.maxy));
        EXPECT_EQ(line(p[0], p[1], p[2], p[3], p[4]), pixels) << p[0] << "," << p[1] << " -> " << p[2] << "," << p[3] << " " << p[4];
        EXPECT_EQ(cursor(), std::pair(p[2], p[3]));
    }
    rs_move(0, 5);
    const PointSet two = drawn([] { rs_dash(19, 5, 0xF0F0), rs_dashrel(3, 0, 0xF0F0); });  // 19..22 afresh
    EXPECT_EQ(list(two.size(), two.count({22, 5})), list<size_t>(15, 1));
    rs_setclip(5, 40, 3, 30);
    const PointSet steep = line(20, INT_MIN, 21, INT_MAX);
    EXPECT_TRUE(steep.size() == 28 && std::all_of(steep.begin(), steep.end(), [](Point p) { return p.first >= 20 && p.first <= 21 && p.second >= 3 && p.second <= 30; }));
    rs_vbclose();  // without a buffer the cursor still moves
    EXPECT_EQ(rs_drawrel(1, 2) | rs_dashrel(3, 4, 0xFFFF) | rs_drawrelx(1, 1), 0);
    EXPECT_EQ(cursor(), std::pair(26, INT_MIN + 6));
}

TEST_P(Lines, RandomClippedLinesAndDashesMatchThePlainReferences) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 600; ++i) {
        const int a = pick(-10, 70), b = pick(-10, 70), c = pick(-10, 70), d = pick(-10, 70), far = i % 4 == 3 ? 3000 : 120;
        rs_setclip(std::min(a, b), std::max(a, b), std::min(c, d), std::max(c, d));  // may reach outside
        const int x0 = pick(-far, far), y0 = pick(-far, far), x1 = pick(-30, 90), y1 = pick(-30, 90), pattern = pick(0, 0xFFFFF);
        ASSERT_EQ(line(x0, y0, x1, y1, i % 2 ? pattern : -1),
                  i % 2 ? reference_dash(x0, y0, x1, y1, unsigned(pattern), clip()) : reference_line(x0, y0, x1, y1, clip()))
            << x0 << "," << y0 << " -> " << x1 << "," << y1 << " clip " << a << " " << b << " " << c << " " << d
            << " pattern " << (i % 2 ? pattern : -1);
    }
}

// XOR lines drawn twice restore the buffer; two segments joined at a point XOR it twice.
TEST_P(Lines, XorLinesDrawnTwiceRestoreTheBuffer) {
    View().scramble();
    const Snapshot before;
    rs_move(3, 40), rs_drawx(60, 2);
    EXPECT_EQ(before.changed(), reference_line(3, 40, 60, 2, clip()));
    rs_move(3, 40), rs_drawx(60, 2);
    EXPECT_TRUE(before.changed().empty());
    rs_move(10, 10), rs_drawrelx(5, 0), rs_drawrelx(5, 0);
    EXPECT_EQ(list(before.changed().size(), before.changed().count({15, 10})), list<size_t>(10, 0));
}

// The outline closes, the polygon offsets apply, the cursor ends on vertex 0.
TEST_P(Lines, PolylineClosesTheOutlineAndAddsTheOffsets) {
    const int tri[] = {5, 5, 20, 8, 9, 30};
    PointSet expected;
    for (const PointSet& seg : {bresenham(5, 5, 20, 8), bresenham(20, 8, 9, 30), bresenham(9, 30, 5, 5)})
        expected.insert(seg.begin(), seg.end());
    EXPECT_EQ(drawn([&] { rs_polyline(tri, 3); }), expected);
    EXPECT_EQ(cursor(), std::pair(5, 5));
    rs_erase(), rs_polyoff(10, 2);
    EXPECT_EQ(drawn([&] { rs_polyline(tri, 3); }), shifted(expected, 10, 2));
    EXPECT_EQ(cursor(), std::pair(15, 7));
    rs_polyoff(0, 0), rs_erase();
    EXPECT_EQ(drawn([&] { rs_polyline(tri, 2); }), bresenham(5, 5, 20, 8));
    rs_move(1, 1), rs_moverel(1, 2);
    EXPECT_TRUE(drawn([&] { rs_polyline(tri, 0), rs_polyline(nullptr, 3); }).empty());
    EXPECT_EQ(cursor(), std::pair(2, 3));
}

RSW32_EACH_DEPTH(Lines);

}  // namespace
