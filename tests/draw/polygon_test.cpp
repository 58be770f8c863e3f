// Polygon fills, outlines and point tests: the squares in both windings and both edge
// flags, facing, offsets, clipping, random convex polygons against a closed-form
// reference, and hostile vertex lists.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "draw/edge_walker.h"
#include "support.h"

namespace {

using test::EachDepth;
using test::PointSet;
using test::Snapshot;

PointSet area(int minx, int maxx, int miny, int maxy) {
    PointSet s;
    for (int y = miny; y <= maxy; ++y)
        for (int x = minx; x <= maxx; ++x) s.insert({x, y});
    return s;
}

int64_t ceil_div(int64_t a, int64_t b) {  // b > 0
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// x of a chain on row y, computed directly: on the chain's edge (i, j) with
// y_i <= y < y_j, x = x_i + ceil((y - y_i) × dx / dy).
int64_t chain_x(const std::vector<int>& v, int top, int direction, int64_t y) {
    const int n = int(v.size() / 2);
    int i = top;
    for (;;) {
        const int j = (i + direction + n) % n;
        if (v[2 * j + 1] > y) {
            const int64_t dy = v[2 * j + 1] - v[2 * i + 1], dx = v[2 * j] - v[2 * i];
            return v[2 * i] + ceil_div((y - v[2 * i + 1]) * dx, dy);
        }
        i = j;
    }
}

// The fill of a convex polygon, pixel by pixel, with edge flag and offsets.
PointSet reference_fill(const std::vector<int>& v, int edge, int ox, int oy, int cminx, int cmaxx, int cminy,
                        int cmaxy) {
    const int n = int(v.size() / 2);
    int top = 0, bottom = 0;
    for (int i = 1; i < n; ++i) {
        if (v[2 * i + 1] < v[2 * top + 1]) top = i;
        if (v[2 * i + 1] > v[2 * bottom + 1]) bottom = i;
    }
    PointSet out;
    for (int64_t y = v[2 * top + 1]; y < v[2 * bottom + 1]; ++y) {
        const int64_t xa = chain_x(v, top, -1, y), xb = chain_x(v, top, +1, y) + (edge ^ 1);
        for (int64_t x = std::min(xa, xb); x < std::max(xa, xb); ++x) {
            const int64_t sx = x + ox, sy = y + oy;
            if (sx >= cminx && sx <= cmaxx && sy >= cminy && sy <= cmaxy) out.insert({int(sx), int(sy)});
        }
    }
    return out;
}

// A convex polygon: points at sorted angles around an ellipse, in either winding.
std::vector<int> random_convex(std::mt19937& rng, bool clockwise) {
    std::uniform_real_distribution<double> angle(0, 6.283185307179586), cx(-20, 90), r(1, 50);
    std::uniform_int_distribution<int> count(3, 9);
    const int n = count(rng);
    std::vector<double> a(static_cast<size_t>(n));
    for (double& t : a) t = angle(rng);
    std::sort(a.begin(), a.end());
    if (!clockwise) std::reverse(a.begin(), a.end());
    const double x0 = cx(rng), y0 = cx(rng), rx = r(rng), ry = r(rng);
    std::vector<int> v;
    for (double t : a) {  // y down: increasing angle runs clockwise on the screen
        v.push_back(int(std::lround(x0 + rx * std::cos(t))));
        v.push_back(int(std::lround(y0 + ry * std::sin(t))));
    }
    return v;
}

class Polygons : public EachDepth {
protected:
    void SetUp() override {
        EachDepth::SetUp();
        open(80, 60);
        rs_setcolor(depth() == 8 ? 0x77 : 0x00ABCDEF);
    }
    PointSet fill(const std::vector<int>& v, int n) {
        Snapshot s;
        rs_polyfill(v.data(), nullptr, n);
        return s.changed();
    }
};

const std::vector<int> clockwise_square = {0, 0, 10, 0, 10, 10, 0, 10};
const std::vector<int> counterclockwise_square = {0, 0, 0, 10, 10, 10, 10, 0};

TEST_P(Polygons, SquaresInBothWindingsAndBothEdgeFlags) {
    EXPECT_EQ(fill(clockwise_square, 4), area(0, 9, 0, 9));
    rs_erase();
    EXPECT_EQ(fill(counterclockwise_square, 4), area(0, 9, 0, 9));
    rs_polyedge(0);
    rs_erase();
    EXPECT_EQ(fill(clockwise_square, 4), area(0, 10, 0, 9));
    rs_erase();
    EXPECT_EQ(fill(counterclockwise_square, 4), area(1, 9, 0, 9));
}

TEST_P(Polygons, NegativeCountFillsOnlyPolygonsFacingTheViewer) {
    EXPECT_EQ(fill(clockwise_square, -4), area(0, 9, 0, 9));
    rs_erase();
    EXPECT_TRUE(fill(counterclockwise_square, -4).empty());
    EXPECT_TRUE(fill(clockwise_square, INT_MIN).empty());
}

TEST_P(Polygons, DegeneratePolygonsFillNothing) {
    EXPECT_TRUE(fill({0, 5, 10, 5, 20, 5}, 3).empty());
    EXPECT_TRUE(fill(clockwise_square, 1).empty());
    EXPECT_TRUE(fill(clockwise_square, 0).empty());
    Snapshot s;
    rs_polyfill(nullptr, nullptr, 4);
    EXPECT_TRUE(s.changed().empty());
}

TEST_P(Polygons, OffsetsMoveFillsAndPointTests) {
    rs_polyoff(30, 20);
    EXPECT_EQ(fill(clockwise_square, 4), area(30, 39, 20, 29));
    EXPECT_EQ(rs_inside(clockwise_square.data(), 4, 30, 20), 1);
    EXPECT_EQ(rs_inside(clockwise_square.data(), 4, 0, 0), 0);
}

TEST_P(Polygons, PointTestFollowsTheEdgeFlag) {
    const int* sq = clockwise_square.data();
    EXPECT_EQ(rs_inside(sq, 4, 0, 0), 1);
    EXPECT_EQ(rs_inside(sq, 4, 9, 10), 1);  // the bottom row counts, with the x of the row above
    EXPECT_EQ(rs_inside(sq, 4, 10, 5), 0);
    EXPECT_EQ(rs_inside(sq, 4, -1, 5), 0);
    EXPECT_EQ(rs_inside(sq, 4, 5, 11), 0);
    rs_polyedge(0);
    EXPECT_EQ(rs_inside(sq, 4, 10, 5), 1);
    EXPECT_EQ(rs_inside(sq, 4, 5, 10), 0);
    EXPECT_EQ(rs_inside(sq, 1, 0, 0), 0);
    const int flat[] = {0, 3, 9, 3};
    EXPECT_EQ(rs_inside(flat, 2, 1, 3), 0);
}

TEST_P(Polygons, ClippedSpansStayInsideAndStopAtClipMaxy) {
    rs_setclip(10, 50, 5, 30);
    const std::vector<int> tri = {-20, -10, 90, 20, 30, 70};
    const PointSet got = fill(tri, 3);
    EXPECT_EQ(got, reference_fill(tri, 1, 0, 0, 10, 50, 5, 30));
    int maxy = 0;
    for (const auto& p : got) maxy = std::max(maxy, p.second);
    EXPECT_EQ(maxy, 30);
}

TEST_P(Polygons, AdjacentPolygonsShareNoPixels) {
    const std::vector<int> left = {0, 0, 40, 0, 13, 50}, right = {40, 0, 70, 50, 13, 50};
    const PointSet a = fill(left, 3);
    rs_setcolor(depth() == 8 ? 0x22 : 0x00123456);
    const PointSet b = fill(right, 3);
    for (const auto& p : b) ASSERT_EQ(a.count(p), 0u) << p.first << "," << p.second;
}

TEST_P(Polygons, RandomConvexPolygonsMatchTheClosedForm) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> clipv(-10, 90), off(-15, 15), coin(0, 1);
    for (int i = 0; i < 200; ++i) {
        int a = clipv(rng), b = clipv(rng), c = clipv(rng), d = clipv(rng);
        if (a > b) std::swap(a, b);
        if (c > d) std::swap(c, d);
        rs_setclip(a, b, c, d);
        const int edge = coin(rng), ox = off(rng), oy = off(rng);
        rs_polyedge(edge);
        rs_polyoff(ox, oy);
        const std::vector<int> v = random_convex(rng, coin(rng) == 1);
        rs_erase();
        const PointSet expected = reference_fill(v, edge, ox, oy, std::max(a, 0), std::min(b, 79), std::max(c, 0),
                                                 std::min(d, 59));
        ASSERT_EQ(fill(v, int(v.size() / 2)), expected) << "polygon " << i;
    }
}

TEST_P(Polygons, HostileVertexListsStayInsideTheClipAndEnd) {
    rs_setclip(20, 59, 10, 49);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX), small(-200, 200);
    std::vector<int> star;
    for (int i = 0; i < 100000; ++i) {
        star.push_back(i % 3 == 0 ? any(rng) : small(rng));
        star.push_back(i % 5 == 0 ? any(rng) : small(rng));
    }
    Snapshot s;
    for (int n : {100000, -100000, 7, 3}) {
        rs_polyedge(n == 3 ? 5 : 1);  // an edge flag other than 0 or 1 is taken as given
        rs_polyoff(n == 7 ? INT_MAX : 0, n == 7 ? INT_MIN : 0);
        rs_polyfill(star.data(), nullptr, n);
        rs_inside(star.data(), n, 40, 30);
    }
    for (const auto& p : s.changed())
        ASSERT_TRUE(p.first >= 20 && p.first <= 59 && p.second >= 10 && p.second <= 49) << p.first << "," << p.second;
    const std::vector<int> huge = {INT_MIN, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX};
    rs_polyoff(0, 0);
    rs_polyedge(1);
    rs_erase();
    EXPECT_EQ(fill(huge, 4), area(20, 59, 10, 49));
}

TEST_P(Polygons, OutlinesIgnoreTheOffsetsAndEndOnTheFirstVertex) {
    rs_polyoff(5, 5);
    const int x[] = {10, 30, 20}, y[] = {10, 15, 40};
    Snapshot s;
    rs_polygon(x, y, 3);
    const PointSet outline = s.changed();
    EXPECT_EQ(rs_getxpos(), 10);
    EXPECT_EQ(rs_getypos(), 10);
    rs_erase();
    rs_move(10, 10);
    rs_draw(30, 15);
    rs_draw(20, 40);
    rs_draw(10, 10);
    EXPECT_EQ(s.changed(), outline);
    rs_erase();
    rs_setworld(0.0, 79.0, 59.0, 0.0);  // world y down, so world = screen
    const double wx[] = {10, 30, 20}, wy[] = {10, 15, 40};
    rs_polygonw(wx, wy, 3);
    EXPECT_EQ(s.changed(), outline);
}

RSW32_EACH_DEPTH(Polygons);

// Jumping k rows gives the same chain as k single steps, for edges of every slope.
TEST(EdgeWalker, JumpingRowsEqualsSteppingThem) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> xs(-1000, 1000), ys(0, 60), dir(0, 1);
    for (int t = 0; t < 2000; ++t) {
        std::vector<int> v = {xs(rng), 0, xs(rng), ys(rng), xs(rng), ys(rng) + 60, xs(rng), ys(rng) + 120};
        std::vector<int> rev = {v[0], v[1], v[6], v[7], v[4], v[5], v[2], v[3]};
        const std::vector<int>& p = dir(rng) ? v : rev;
        draw::VertexList list{p.data(), 4};
        int top, bottom;
        draw::top_and_bottom(list, top, bottom);
        const int k = std::uniform_int_distribution<int>(0, 200)(rng);
        draw::EdgeChain<> stepped, jumped;
        stepped.direction = jumped.direction = dir(rng) ? 1 : -1;
        ASSERT_TRUE(stepped.setup(list, top, bottom));
        ASSERT_TRUE(jumped.setup(list, top, bottom));
        bool running = true;
        for (int i = 0; i < k && running; ++i) running = stepped.next_row(list, bottom);
        ASSERT_EQ(jumped.skip_rows(list, bottom, k), running) << t;
        ASSERT_EQ(jumped.x, stepped.x) << t << " k " << k;
        if (running) {
            ASSERT_EQ(jumped.error, stepped.error);
            ASSERT_EQ(jumped.rows_left, stepped.rows_left);
        }
    }
}

}  // namespace
