// World window and the world forms of every drawing call, clip rectangle, viewport, text settings.
#include "core/world.h"

#include <cmath>
#include <random>

#include "core/clip.h"
#include "support.h"

using namespace test;

namespace {

std::array<int, 4> clip() {
    std::array<int, 4> c;
    rs_getclip(&c[0], &c[1], &c[2], &c[3]);
    return c;
}

// A 640 × 480 buffer with the world window (0, 100, 0, 100).
class World : public Library {
protected:
    void SetUp() override {
        Library::SetUp();
        rs_vbopen(rs_vballoc(640, 480)), rs_initw(), rs_setworld(0.0, 100.0, 0.0, 100.0);
    }
};

// trunc(offset × (size − 1) / extent + 0.5) rounds halves up at or above zero only; lengths scale by
// the width and height; results that are no integer become INT_MIN.
TEST_F(World, ConversionsMapTheWindowOntoTheWholeBuffer) {
    for (auto [w, s] : {std::pair{50.0, 320}, {0.0, 0}, {100.0, 639}, {-0.1, 0}, {-0.2, 0}, {-0.3, -1}, {0.07, 0},
                        {0.08, 1}, {-1000.0, -6389}, {1e300, INT_MIN}, {-1e300, INT_MIN}, {NAN, INT_MIN}})
        EXPECT_EQ(rs_xscreen(w), s) << w;
    for (auto [w, s] : {std::pair{0.0, 479}, {100.0, 0}, {50.0, 240}, {100.2, 0}, {100.4, -1}}) EXPECT_EQ(rs_yscreen(w), s) << w;
    EXPECT_EQ(list(rs_xworld(639), rs_yworld(0), rs_yworld(479)), list(100.0, 100.0, 0.0));
    for (int x = 0; x < 640; ++x) ASSERT_EQ(rs_xscreen(rs_xworld(x)), x);
    for (int y = 0; y < 480; ++y) ASSERT_EQ(rs_yscreen(rs_yworld(y)), y);
    EXPECT_EQ(list(core::x_length(50.0), core::x_length(0.07), core::x_length(0.08), core::y_length(50.0), core::y_length(10.1)),
              list(320, 0, 1, 240, 48));  // 640 / 100 × 50, not 639 / 100 × 50
    rs_setclipw(0.0, 50.0, 0.0, 50.0);
    EXPECT_EQ(clip(), list(0, 320, 240, 479));
    rs_setworld(0.0, 1.0, 0.0, 1.0);  // rectangles swap the y bounds: world y 1.0 is row 0
    const core::ScreenRect r = core::screen_rect(0.0, 1.0, 0.0, 1.0);
    EXPECT_EQ(list(r.minx, r.maxx, r.miny, r.maxy), list(0, 639, 0, 479));
    rs_setworld(10.0, -10.0, 5.0, -5.0);  // x to the left, y down
    EXPECT_EQ(list(rs_xscreen(10.0), rs_xscreen(-10.0), rs_yscreen(-5.0), rs_yscreen(5.0)), list(0, 639, 0, 479));
    EXPECT_EQ(list(rs_xworld(639), rs_yworld(479)), list(-10.0, 5.0));
    rs_setworld(1.0, 1.0, 0.0, 0.0);  // degenerate: 0 / 0 and x / 0
    EXPECT_EQ(list(rs_xscreen(1.0), rs_yscreen(2.0), core::x_length(1.0)), list(INT_MIN, INT_MIN, INT_MIN));
    rs_setworld(0.0, 100.0, 0.0, 100.0), rs_vbopen(rs_vballoc(101, 51)), rs_vbclose();  // width 104; the last opened
    double w[4];
    rs_getworld(&w[0], &w[1], &w[2], &w[3]);
    EXPECT_EQ(list(rs_xscreen(100.0), rs_yscreen(0.0), w[0] + w[2], w[1] + w[3]), list(103, 50, 0, 200));  // buffer's size, the library's window
}

// Screen distances in world units, the inverse of the length scaling.
TEST_F(World, DistancesConvertByTheBufferSize) {
    EXPECT_EQ(list(rs_xconvert(64), rs_yconvert(-48), rs_xconvert(core::x_length(25.0))), list(10.0, -10.0, 25.0));
    rs_initw();
    EXPECT_EQ(rs_xconvert(100), 0.0);
    EXPECT_GT(rs_memavail(), 0);
}

// The conversions take a quick path in double precision where it cannot change the result;
// windows of every scale, values on and next to the rounding points, and points out of range
// all give what the extended-precision formula gives.
TEST_F(World, ConversionsAgreeWithTheExtendedFormulaEverywhere) {
    using ext = long double;
    const auto oracle = [](int m, double a, double b, double c, double d) {
        const ext v = ext(m) * ((ext(a) - b) / (ext(c) - d)) + 0.5L;
        return v > ext(INT_MIN) - 1 && v < ext(INT_MAX) + 1 ? int(v) : INT_MIN;
    };
    std::mt19937_64 rng(7);
    const double scales[] = {1e-300, 1e-9, 1e-3, 1.0, 7.0, 1e4, 1e12, 1e300};
    for (int i = 0; i < 200000; ++i) {
        const double s = scales[rng() % 8], lo = (double(rng() % 2001) - 1000) * s, hi = lo + double(rng() % 1000 + 1) * s / 7;
        rs_setworld(lo, hi, lo, hi);
        const int k = int(rng() % 1400) - 100;  // near the centre of pixel k, or on its rounding point
        double x = lo + (hi - lo) * (k - (i % 3 == 0 ? 0.5 : 0.0)) / 639;
        x = i % 3 == 1 ? std::nextafter(x, double(rng() % 2) ? HUGE_VAL : -HUGE_VAL) : x;
        ASSERT_EQ(rs_xscreen(x), oracle(639, x, lo, hi, lo)) << lo << " " << hi << " " << x;
        ASSERT_EQ(rs_yscreen(x), oracle(479, hi, x, hi, lo)) << lo << " " << hi << " " << x;
    }
}

// Each world form draws what its integer twin draws at the converted values, cursor included.
TEST_F(World, WorldFormsDrawWhatTheirIntegerTwinsDraw) {
    const auto X = rs_xscreen, Y = rs_yscreen;
    const unsigned char m[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const double wx[] = {10, 30, 20}, wy[] = {10, 15, 40};
    const int sx[] = {X(10), X(30), X(20)}, sy[] = {Y(10), Y(15), Y(40)};
    using Call = std::function<void()>;
    const std::pair<Call, Call> twins[] = {  // from the cursor at world (10, 90)
        {[] { rs_pointw(50.3, 20.1); }, [=] { rs_point(X(50.3), Y(20.1)); }}, {[] { rs_pointxw(50.3, 20.1); }, [=] { rs_pointx(X(50.3), Y(20.1)); }},
        {[] { rs_draww(20.0, 30.0); }, [=] { rs_draw(X(20), Y(30)); }}, {[] { rs_drawrw(5.0, -10.0); }, [=] { rs_draw(X(15), Y(80)); }},
        {[] { rs_drawxw(20.0, 30.0); }, [=] { rs_drawx(X(20), Y(30)); }}, {[] { rs_drawrxw(5.0, -10.0); }, [=] { rs_drawx(X(15), Y(80)); }},
        {[] { rs_dashw(20.0, 30.0, 0xF0F0); }, [=] { rs_dash(X(20), Y(30), 0xF0F0); }},
        {[] { rs_dashrw(5.0, -10.0, 0xF0F0); }, [=] { rs_dash(X(15), Y(80), 0xF0F0); }},
        {[] { rs_moverw(1.0, 0.0), rs_draw(0, 0); }, [=] { rs_move(X(11), Y(90)), rs_draw(0, 0); }},
        {[] { rs_rectw(2.0, 40.0, 3.0, 35.0); }, [=] { rs_rect(X(2), X(40), Y(35), Y(3)); }},
        {[] { rs_clprectw(2.0, 40.0, 3.0, 35.0); }, [=] { rs_clprect(X(2), X(40), Y(35), Y(3)); }},
        {[] { rs_boxw(2.0, 40.0, 3.0, 35.0); }, [=] { rs_box(X(2), X(40), Y(35), Y(3)); }},
        {[] { rs_boxxw(2.0, 40.0, 3.0, 35.0); }, [=] { rs_boxx(X(2), X(40), Y(35), Y(3)); }},
        {[&] { rs_drectw(2.0, 40.0, 3.0, 35.0, m); }, [=, &m] { rs_drect(X(2), X(40), Y(35), Y(3), m); }},
        {[] { rs_circlew(10.0); }, [] { rs_circle(64); }}, {[] { rs_circlefw(10.0); }, [] { rs_circlef(64); }},  // lengths × 6.4, 4.8
        {[] { rs_ellipsew(10.0, 10.0); }, [] { rs_ellipse(64, 48); }}, {[] { rs_ellipsfw(20.0, 5.0); }, [] { rs_ellipsef(128, 24); }},
        {[] { rs_arcw(10.0, 450, 2000); }, [] { rs_arc(64, 450, 2000); }}, {[&] { rs_polygonw(wx, wy, 3); }, [&] { rs_polygon(sx, sy, 3); }},
        {[] { rs_rect(0, 639, 240, 240), rs_floodw(50.0, 10.0); }, [=] { rs_rect(0, 639, 240, 240), rs_flood(X(50), Y(10)); }},
        {[] { rs_rect(0, 639, 240, 240), rs_paintw(50.0, 90.0); }, [=] { rs_rect(0, 639, 240, 240), rs_paint(X(50), Y(90)); }}};
    rs_setcolor(7);
    for (size_t i = 0; i < std::size(twins); ++i) {
        rs_erase(), rs_movew(10.0, 90.0);
        const PointSet world = drawn(twins[i].first);
        const std::pair<int, int> at = {rs_getxpos(), rs_getypos()};
        rs_erase(), rs_move(X(10), Y(90));
        EXPECT_EQ(drawn(twins[i].second), world) << "call " << i;
        EXPECT_TRUE(std::pair(rs_getxpos(), rs_getypos()) == at && !world.empty()) << "call " << i;
    }
}

// Values that are not positive are ignored; a screen size is a fraction of the window's height.
TEST_F(World, TextSettings) {
    const core::WorldState& w = core::world();
    for (double v : {2.5, 0.0, -1.0, double(NAN)}) rs_setratio(v);
    for (double v : {7.0, 0.0, -7.0}) rs_setsizew(v), rs_setsize(int(v) - 7);
    EXPECT_EQ(list(w.text_ratio, w.text_size), list(2.5, 7.0));
    EXPECT_DOUBLE_EQ((rs_setsize(479), w.text_size), 100.0);
    rs_setsize(48), rs_setangle(180.0);
    EXPECT_EQ(list(w.text_size, w.text_angle), list(48 * 100.0 / 479, 3.14159));
    rs_movew(5.0, 5.0), rs_initw();
    EXPECT_EQ(list(w.minx, w.maxx, w.miny, w.maxy, w.cursor_x, w.text_ratio, w.text_size, w.text_angle), list(0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 0.0));
}

// Stored as given, per buffer; without a buffer only the library's copy changes.
TEST_F(Library, ClipIsStoredAsGivenAndFollowsTheActiveBuffer) {
    rs_vbdepth(16);
    const int a = rs_vballoc(16, 8), b = rs_vballoc(8, 4);
    rs_vbopen(a), rs_setclip(9, -4, 100, 3);
    EXPECT_TRUE(clip() == list(9, -4, 100, 3) && core::empty(core::drawing_clip()));
    EXPECT_EQ((rs_vbopen(b), clip()), list(0, 7, 0, 3));
    EXPECT_EQ((rs_vbopen(a), clip()), list(9, -4, 100, 3));
    EXPECT_EQ((rs_vbclose(), rs_setclip(1, 2, 1, 2), clip()), list(1, 2, 1, 2));
    EXPECT_EQ((rs_vbopen(b), clip()), list(0, 7, 0, 3));
}

// 64-bit products, quotients truncated toward zero; a zero view extent gives the port minimum.
TEST_F(Library, ViewportMapsItsRangeOntoThePort) {
    const std::array<int, 12> rows[] = {  // view, x → x', y → y'
        {0, 99, 0, 99, 100, 299, 50, 249, 50, 200, 99, 248}, {0, 99, 0, 99, 100, 299, 50, 249, 0, 100, 0, 50},
        {0, 99999, -50000, 49999, 0, 199999, 0, 99, 99999, 199998, 49999, 99},
        {0, 99999, -50000, 49999, 0, 199999, 0, 99, 50000, 100000, -50000, 0},
        {0, 2, 0, 2, 10, 11, 10, 11, -1, 10, 4, 12},  // -2 / 3 truncates to 0
        {0, 2, 0, 2, 10, 11, 10, 11, -2, 9, 0, 10},
        {0, INT_MAX - 1, 0, 0, 0, INT_MAX - 1, 0, 0, INT_MAX - 1, INT_MAX - 1, 0, 0},
        {0, INT_MAX - 1, 0, 0, 0, INT_MAX - 1, 0, 0, 123456789, 123456789, 0, 0},
        {5, 4, 5, 4, 30, 40, 60, 70, 1000, 30, -1000, 60}};
    for (const auto& v : rows) {
        rs_setview(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        EXPECT_EQ(list(rs_xview(v[8]), rs_yview(v[10])), list(v[9], v[11])) << v[8] << ", " << v[10];
    }
    std::array<int, 8> v;
    rs_setview(1, 2, 3, 4, 5, 6, 7, 8), rs_vbinit(), rs_getview(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
    EXPECT_EQ(v, list(0, 2, 0, 4, 0, 6, 0, 8));
}

}  // namespace
