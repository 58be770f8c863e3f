// Polygon fills, point tests and outlines: worked squares, random convex polygons, hostile lists.
#include <cmath>

#include "support.h"

using namespace test;

namespace {

// Rows from the top vertex to the bottom one (excluded), x of a chain x_i + ceil((y − y_i) × dx / dy).
PointSet reference_fill(const std::vector<int>& v, int edge, int ox, int oy, const std::array<int, 4>& clip) {
    const int n = int(v.size() / 2);
    int top = 0, bottom = 0;
    for (int i = 1; i < n; ++i) top = v[2 * i + 1] < v[2 * top + 1] ? i : top, bottom = v[2 * i + 1] > v[2 * bottom + 1] ? i : bottom;
    auto chain_x = [&](int direction, int64_t y) {
        for (int i = top;;) {
            const int j = (i + direction + n) % n;
            const int64_t dy = v[2 * j + 1] - v[2 * i + 1], a = (y - v[2 * i + 1]) * (v[2 * j] - v[2 * i]);
            if (v[2 * j + 1] > y) return v[2 * i] + (a >= 0 ? (a + dy - 1) / dy : -(-a / dy));
            i = j;
        }
    };
    PointSet out;
    for (int64_t y = v[2 * top + 1]; y < v[2 * bottom + 1]; ++y) {
        const int64_t xa = chain_x(-1, y), xb = chain_x(1, y) + (edge ^ 1);
        for (int64_t x = std::min(xa, xb); x < std::max(xa, xb); ++x)
            if (x + ox >= clip[0] && x + ox <= clip[1] && y + oy >= clip[2] && y + oy <= clip[3]) out.insert({int(x + ox), int(y + oy)});
    }
    return out;
}

const std::vector<int> cw = {0, 0, 10, 0, 10, 10, 0, 10};   // clockwise on the screen
const std::vector<int> ccw = {0, 0, 0, 10, 10, 10, 10, 0};  // counterclockwise

class Polygons : public EachDepth {
protected:
    void SetUp() override { EachDepth::SetUp(), start(80, 60); }
    PointSet fill(const std::vector<int>& v, int n) {
        rs_erase();
        return drawn([&] { rs_polyfill(v.data(), nullptr, n); });
    }
};

// A negative count fills only clockwise polygons; the point test answers for the fill.
TEST_P(Polygons, WorkedSquaresAndPoints) {
    const std::vector<int> flat = {0, 5, 10, 5, 20, 5};
    const std::tuple<const std::vector<int>&, std::array<int, 4>, PointSet> fills[] = {  // n, edge flag, offsets
        {cw, {4, 1, 0, 0}, area(0, 9, 0, 9)},   {ccw, {4, 1, 0, 0}, area(0, 9, 0, 9)}, {cw, {4, 0, 0, 0}, area(0, 10, 0, 9)},
        {ccw, {4, 0, 0, 0}, area(1, 9, 0, 9)},  {cw, {-4, 1, 0, 0}, area(0, 9, 0, 9)}, {ccw, {-4, 1, 0, 0}, {}},
        {cw, {INT_MIN, 1, 0, 0}, {}},           {flat, {3, 1, 0, 0}, {}},              {cw, {1, 1, 0, 0}, {}},
        {cw, {0, 1, 0, 0}, {}},                 {cw, {4, 1, 30, 20}, area(30, 39, 20, 29)}};
    for (const auto& [v, a, pixels] : fills) {
        rs_polyedge(a[1]), rs_polyoff(a[2], a[3]);
        EXPECT_EQ(fill(v, a[0]), pixels) << v[2] << " n " << a[0] << " edge " << a[1];
    }
    EXPECT_TRUE(drawn([] { rs_polyfill(nullptr, nullptr, 4); }).empty());
    const std::tuple<const std::vector<int>&, std::array<int, 6>, int> points[] = {  // n, edge flag, offsets, x, y
        {cw, {4, 1, 0, 0, 0, 0}, 1},   {cw, {4, 1, 0, 0, 9, 10}, 1},   {cw, {4, 1, 0, 0, 10, 5}, 0}, {cw, {4, 1, 0, 0, -1, 5}, 0},
        {cw, {4, 1, 0, 0, 5, 11}, 0},  {cw, {4, 0, 0, 0, 10, 5}, 1},   {cw, {4, 0, 0, 0, 5, 10}, 0}, {cw, {1, 0, 0, 0, 0, 0}, 0},
        {flat, {2, 1, 0, 0, 1, 5}, 0}, {cw, {4, 1, 30, 20, 30, 20}, 1}, {cw, {4, 1, 30, 20, 0, 0}, 0}};
    for (const auto& [v, a, inside] : points) {
        rs_polyedge(a[1]), rs_polyoff(a[2], a[3]);
        EXPECT_EQ(rs_inside(v.data(), a[0], a[4], a[5]), inside) << a[4] << "," << a[5] << " edge " << a[1];
    }
}

// Clipped spans stop at the clip's last row; polygons sharing an edge share no pixels.
TEST_P(Polygons, RandomConvexPolygonsMatchTheClosedForm) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> clipv(-10, 90), off(-15, 15), coin(0, 1), count(3, 9);
    std::uniform_real_distribution<double> angle(0, 6.283185307179586), centre(-20, 90), radius(1, 50);
    for (int i = 0; i < 200; ++i) {
        const int a = clipv(rng), b = clipv(rng), c = clipv(rng), d = clipv(rng), edge = coin(rng), ox = off(rng), oy = off(rng);
        rs_setclip(std::min(a, b), std::max(a, b), std::min(c, d), std::max(c, d)), rs_polyedge(edge), rs_polyoff(ox, oy);
        std::vector<double> t(size_t(count(rng)));
        for (double& u : t) u = angle(rng);
        std::sort(t.begin(), t.end());
        if (coin(rng)) std::reverse(t.begin(), t.end());
        const double x0 = centre(rng), y0 = centre(rng), rx = radius(rng), ry = radius(rng);
        std::vector<int> v;
        for (double u : t) v.push_back(int(std::lround(x0 + rx * std::cos(u)))), v.push_back(int(std::lround(y0 + ry * std::sin(u))));
        const auto clip = list(std::max(std::min(a, b), 0), std::min(std::max(a, b), 79), std::max(std::min(c, d), 0), std::min(std::max(c, d), 59));
        ASSERT_EQ(fill(v, int(v.size() / 2)), reference_fill(v, edge, ox, oy, clip)) << "polygon " << i;
    }
    rs_setclip(10, 50, 5, 30), rs_polyedge(1), rs_polyoff(0, 0);
    const PointSet got = fill({-20, -10, 90, 20, 30, 70}, 3);
    EXPECT_EQ(got, reference_fill({-20, -10, 90, 20, 30, 70}, 1, 0, 0, {10, 50, 5, 30}));
    EXPECT_EQ(std::max_element(got.begin(), got.end(), [](auto p, auto q) { return p.second < q.second; })->second, 30);
    rs_setclip(0, 79, 0, 59);
    const PointSet left = fill({0, 0, 40, 0, 13, 50}, 3), right = fill({40, 0, 70, 50, 13, 50}, 3);
    for (const auto& p : right) ASSERT_EQ(left.count(p), 0u) << p.first << "," << p.second;
}

TEST_P(Polygons, HostileVertexListsStayInsideTheClipAndEnd) {
    std::mt19937 rng(7);
    std::vector<int> star(20000);  // every third x and fifth y anywhere in the int range, the rest near
    for (size_t i = 0; i < star.size(); ++i) star[i] = i % 6 == 0 || i % 10 == 1 ? int(rng()) : int(rng() % 401) - 200;
    rs_setclip(20, 59, 10, 49);
    const PointSet touched = drawn([&] {
        for (int n : {10000, -10000, 7, 3})  // an edge flag other than 0 or 1 is taken as given
            rs_polyedge(n == 3 ? 5 : 1), rs_polyoff(n == 7 ? INT_MAX : 0, n == 7 ? INT_MIN : 0), rs_polyfill(star.data(), nullptr, n), rs_inside(star.data(), n, 40, 30);
    });
    EXPECT_TRUE(std::all_of(touched.begin(), touched.end(), [](Point p) { return p.first >= 20 && p.first <= 59 && p.second >= 10 && p.second <= 49; }));
    EXPECT_EQ((rs_polyoff(0, 0), rs_polyedge(1), fill({INT_MIN, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX}, 4)), area(20, 59, 10, 49));
}

// Outlines are lines between the vertices, without the offsets, ending on vertex 0.
TEST_P(Polygons, OutlinesIgnoreTheOffsetsAndEndOnTheFirstVertex) {
    rs_polyoff(5, 5);
    const int x[] = {10, 30, 20}, y[] = {10, 15, 40};
    const PointSet outline = drawn([&] { rs_polygon(x, y, 3); });
    EXPECT_EQ(std::pair(rs_getxpos(), rs_getypos()), std::pair(10, 10));
    rs_erase();
    EXPECT_EQ(drawn([] { rs_move(10, 10), rs_draw(30, 15), rs_draw(20, 40), rs_draw(10, 10); }), outline);
}

RSW32_EACH_DEPTH(Polygons);

}  // namespace
