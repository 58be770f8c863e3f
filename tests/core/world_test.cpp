// Clip rectangle, world window, viewport and stroke-text settings.
#include "core/world.h"

#include <climits>
#include <cmath>
#include <limits>

#include "core/clip.h"
#include "support.h"

namespace {

using test::Library;

// A 640 × 480 buffer with the world window (0, 100, 0, 100).
class World : public Library {
protected:
    int vb = -1;
    void SetUp() override {
        Library::SetUp();
        rs_vbdepth(8);
        vb = rs_vballoc(640, 480);
        rs_vbopen(vb);
        rs_initw();
        rs_setworld(0.0, 100.0, 0.0, 100.0);
    }
};

// ---- world window -----------------------------------------------------------------------

TEST_F(World, CornersAndCentreMapOntoTheWholeBuffer) {
    EXPECT_EQ(rs_xscreen(50.0), 320);  // trunc(639 × 0.5 + 0.5)
    EXPECT_EQ(rs_xscreen(0.0), 0);
    EXPECT_EQ(rs_xscreen(100.0), 639);
    EXPECT_EQ(rs_yscreen(0.0), 479);
    EXPECT_EQ(rs_yscreen(100.0), 0);
    EXPECT_EQ(rs_yscreen(50.0), 240);  // trunc(479 × 0.5 + 0.5)
    EXPECT_DOUBLE_EQ(rs_xworld(639), 100.0);
    EXPECT_DOUBLE_EQ(rs_xworld(0), 0.0);
    EXPECT_DOUBLE_EQ(rs_yworld(0), 100.0);
    EXPECT_DOUBLE_EQ(rs_yworld(479), 0.0);
}

TEST_F(World, ConversionTruncatesTowardZeroSoHalfRoundsUpOnlyAtOrAboveZero) {
    EXPECT_EQ(rs_xscreen(-0.1), 0);   // trunc(-0.139)
    EXPECT_EQ(rs_xscreen(-0.2), 0);   // trunc(-0.778)
    EXPECT_EQ(rs_xscreen(-0.3), -1);  // trunc(-1.417)
    EXPECT_EQ(rs_yscreen(100.2), 0);  // trunc(-0.458)
    EXPECT_EQ(rs_yscreen(100.4), -1); // trunc(-1.416)
    EXPECT_EQ(rs_xscreen(0.07), 0);   // 0.447
    EXPECT_EQ(rs_xscreen(0.08), 1);   // 1.011
    EXPECT_EQ(rs_xscreen(-1000.0), -6389);  // trunc(-6390 + 0.5)
}

TEST_F(World, ScreenToWorldToScreenKeepsEveryColumnAndRow) {
    for (int x = 0; x < 640; ++x) ASSERT_EQ(rs_xscreen(rs_xworld(x)), x);
    for (int y = 0; y < 480; ++y) ASSERT_EQ(rs_yscreen(rs_yworld(y)), y);
}

TEST_F(World, RectanglesSwapTheYBoundsAndLengthsScaleByWidthAndHeight) {
    rs_setworld(0.0, 1.0, 0.0, 1.0);
    const core::ScreenRect r = core::screen_rect(0.0, 1.0, 0.0, 1.0);
    EXPECT_EQ(r.minx, 0);
    EXPECT_EQ(r.maxx, 639);
    EXPECT_EQ(r.miny, 0);  // world y 1.0 is row 0
    EXPECT_EQ(r.maxy, 479);
    rs_setworld(0.0, 100.0, 0.0, 100.0);
    EXPECT_EQ(core::x_length(50.0), 320);   // 640 / 100 × 50, not 639 / 100 × 50
    EXPECT_EQ(core::y_length(50.0), 240);
    EXPECT_EQ(core::y_length(10.1), 48);    // trunc(48.48 + 0.5)
    EXPECT_EQ(core::x_length(0.07), 0);     // trunc(0.448 + 0.5)
    EXPECT_EQ(core::x_length(0.08), 1);
}

TEST_F(World, SetClipInWorldSpaceTakesTheScreenRectangle) {
    rs_setclipw(0.0, 50.0, 0.0, 50.0);
    int minx, maxx, miny, maxy;
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 0);
    EXPECT_EQ(maxx, 320);
    EXPECT_EQ(miny, 240);
    EXPECT_EQ(maxy, 479);
}

TEST_F(World, TheWindowBelongsToTheLibraryAndTheMappingToTheActiveBuffer) {
    const int small = rs_vballoc(101, 51);  // width rounds up to 104
    rs_vbopen(small);
    double minx, maxx, miny, maxy;
    rs_getworld(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 0.0);
    EXPECT_EQ(maxx, 100.0);
    EXPECT_EQ(miny, 0.0);
    EXPECT_EQ(maxy, 100.0);
    EXPECT_EQ(rs_xscreen(100.0), 103);
    EXPECT_EQ(rs_yscreen(0.0), 50);
    rs_vbclose();
    EXPECT_EQ(rs_xscreen(100.0), 103);  // the last opened buffer's size
}

TEST_F(World, ReversedAndOffsetWindowsMapTheSameWay) {
    rs_setworld(10.0, -10.0, 5.0, -5.0);  // x to the left, y down
    EXPECT_EQ(rs_xscreen(10.0), 0);
    EXPECT_EQ(rs_xscreen(-10.0), 639);
    EXPECT_EQ(rs_yscreen(-5.0), 0);
    EXPECT_EQ(rs_yscreen(5.0), 479);
    EXPECT_DOUBLE_EQ(rs_xworld(639), -10.0);
    EXPECT_DOUBLE_EQ(rs_yworld(479), 5.0);
}

TEST_F(World, ResultsThatAreNoIntegerBecomeAValueOutsideEveryBuffer) {
    EXPECT_EQ(rs_xscreen(1e300), INT_MIN);
    EXPECT_EQ(rs_xscreen(-1e300), INT_MIN);
    EXPECT_EQ(rs_xscreen(std::numeric_limits<double>::quiet_NaN()), INT_MIN);
    rs_setworld(1.0, 1.0, 0.0, 0.0);  // degenerate: 0 / 0 and x / 0
    EXPECT_EQ(rs_xscreen(1.0), INT_MIN);
    EXPECT_EQ(rs_yscreen(2.0), INT_MIN);
    rs_setcolor(1);
    rs_pointw(1.0, 2.0);  // clipped away, not written anywhere
    EXPECT_EQ(core::x_length(1.0), INT_MIN);
}

TEST_F(Library, InitwResetsWindowCursorAndTextSettings) {
    rs_setworld(1, 2, 3, 4);
    core::world().cursor_x = 5;
    rs_setratio(3);
    rs_setsizew(4);
    rs_setangle(90);
    rs_initw();
    const core::WorldState& w = core::world();
    EXPECT_EQ(w.minx, 0.0);
    EXPECT_EQ(w.maxx, 0.0);
    EXPECT_EQ(w.miny, 0.0);
    EXPECT_EQ(w.maxy, 0.0);
    EXPECT_EQ(w.cursor_x, 0.0);
    EXPECT_EQ(w.text_ratio, 1.0);
    EXPECT_EQ(w.text_size, 1.0);
    EXPECT_EQ(w.text_angle, 0.0);
}

// ---- stroke-text settings ---------------------------------------------------------------

TEST_F(World, TextSettingsIgnoreValuesThatAreNotPositive) {
    const core::WorldState& w = core::world();
    rs_setratio(2.5);
    rs_setratio(0.0);
    rs_setratio(-1.0);
    rs_setratio(std::nan(""));
    EXPECT_EQ(w.text_ratio, 2.5);
    rs_setsizew(7.0);
    rs_setsizew(0.0);
    rs_setsizew(-7.0);
    EXPECT_EQ(w.text_size, 7.0);
    rs_setsize(0);
    rs_setsize(-5);
    EXPECT_EQ(w.text_size, 7.0);
    rs_setsize(479);  // the whole height of the world window
    EXPECT_DOUBLE_EQ(w.text_size, 100.0);
    rs_setsize(48);
    EXPECT_DOUBLE_EQ(w.text_size, 48 * 100.0 / 479);
    rs_setangle(180.0);
    EXPECT_DOUBLE_EQ(w.text_angle, 3.14159);  // not π
}

// ---- clip rectangle ---------------------------------------------------------------------

TEST_F(Library, ClipIsStoredAsGivenAndFollowsTheActiveBuffer) {
    rs_vbdepth(16);
    const int a = rs_vballoc(16, 8), b = rs_vballoc(8, 4);
    rs_vbopen(a);
    rs_setclip(9, -4, 100, 3);  // unordered and outside: kept as is
    int minx, maxx, miny, maxy;
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 9);
    EXPECT_EQ(maxx, -4);
    EXPECT_EQ(miny, 100);
    EXPECT_EQ(maxy, 3);
    EXPECT_TRUE(core::empty(core::drawing_clip()));

    rs_vbopen(b);  // b keeps its full extent
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 0);
    EXPECT_EQ(maxx, 7);
    EXPECT_EQ(miny, 0);
    EXPECT_EQ(maxy, 3);

    rs_vbopen(a);  // a kept what was set while it was active
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 9);
    EXPECT_EQ(maxy, 3);

    rs_vbclose();  // with no buffer, only the library's copy changes
    rs_setclip(1, 2, 1, 2);
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(minx, 1);
    EXPECT_EQ(maxx, 2);
    rs_vbopen(b);
    rs_getclip(&minx, &maxx, &miny, &maxy);
    EXPECT_EQ(maxx, 7);
    EXPECT_EQ(maxy, 3);
}

TEST_F(Library, DrawingClipIsTheClipRectangleCutToTheBuffer) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(16, 8));
    rs_setclip(-5, 100, 2, 6);
    core::ClipRect c = core::drawing_clip();
    EXPECT_EQ(c.minx, 0);
    EXPECT_EQ(c.maxx, 15);
    EXPECT_EQ(c.miny, 2);
    EXPECT_EQ(c.maxy, 6);
    rs_setclip(INT_MIN, INT_MAX, INT_MIN, -1);
    EXPECT_TRUE(core::empty(core::drawing_clip()));
    rs_setclip(16, INT_MAX, 0, 7);
    EXPECT_TRUE(core::empty(core::drawing_clip()));
}

// ---- viewport -----------------------------------------------------------------------------

TEST_F(Library, ViewportMapsItsRangeOntoThePort) {
    rs_setview(0, 99, 0, 99, 100, 299, 50, 249);
    EXPECT_EQ(rs_xview(50), 200);  // 50 × 200 / 100 + 100
    EXPECT_EQ(rs_yview(99), 248);  // 99 × 200 / 100 + 50
    EXPECT_EQ(rs_xview(0), 100);
    EXPECT_EQ(rs_yview(0), 50);
    int v[8];
    rs_getview(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
    const int expected[8] = {0, 99, 0, 99, 100, 299, 50, 249};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(v[i], expected[i]) << i;
}

TEST_F(Library, ViewportProductsAreSixtyFourBitAndQuotientsTruncateTowardZero) {
    rs_setview(0, 99999, -50000, 49999, 0, 199999, 0, 99);
    // 99999 × 200000 overflows 32 bits; the result does not.
    EXPECT_EQ(rs_xview(99999), 199998);
    EXPECT_EQ(rs_xview(50000), 100000);
    EXPECT_EQ(rs_yview(49999), 99);        // 99999 × 100 / 100000
    EXPECT_EQ(rs_yview(-50000), 0);
    rs_setview(0, 2, 0, 2, 10, 11, 10, 11);  // 2 / 3 of a unit per unit
    EXPECT_EQ(rs_xview(-1), 10);             // -2 / 3 truncates to 0, not -1
    EXPECT_EQ(rs_xview(-2), 9);              // -4 / 3 → -1
    EXPECT_EQ(rs_yview(4), 12);              // 8 / 3 → 2
    rs_setview(0, INT_MAX - 1, 0, 0, 0, INT_MAX - 1, 0, 0);  // extents of 2^31 - 1
    EXPECT_EQ(rs_xview(INT_MAX - 1), INT_MAX - 1);
    EXPECT_EQ(rs_xview(123456789), 123456789);
}

TEST_F(Library, AZeroViewExtentMapsEverythingToThePortMinimum) {
    rs_setview(5, 4, 5, 4, 30, 40, 60, 70);
    EXPECT_EQ(rs_xview(1000), 30);
    EXPECT_EQ(rs_yview(-1000), 60);
}

TEST_F(Library, StartingTheLibraryResetsOnlyTheViewportMinima) {
    rs_setview(1, 2, 3, 4, 5, 6, 7, 8);
    rs_vbinit();
    int v[8];
    rs_getview(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
    const int expected[8] = {0, 2, 0, 4, 0, 6, 0, 8};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(v[i], expected[i]) << i;
}

}  // namespace
