// Virtual buffers: geometry, slots and handles, sizes, and drawing without a buffer.
#include "core/vbuf.h"

#include "support.h"

using namespace test;

namespace {

class Geometry : public EachDepth {};

// Widths round up to four pixels, rows unpadded and bottom-up, new pixels 0, the clip the whole buffer.
TEST_P(Geometry, WidthRoundsUpToFourPixelsAndRowsGoUpInMemory) {
    for (int w = 1; w <= 9; ++w) {
        const int vb = open(w, 3), rounded = (w + 3) / 4 * 4;
        const core::ActiveBuffer& a = core::active();
        int c[4];
        rs_getclip(&c[0], &c[1], &c[2], &c[3]);
        EXPECT_EQ(list(a.pitch, rs_getmaxx(), rs_getmaxy(), rs_getdepth(), c[0], c[1], c[2], c[3]),
                  list(rounded * bpp(), rounded - 1, 2, depth(), 0, rounded - 1, 0, 2));
        EXPECT_EQ(list(rs_vbaddr(vb), static_cast<void*>(core::pixel_address(a, 1, 0))),
                  list<void*>(core::row_address(a, 2), a.pixels + 2 * a.pitch + bpp()));
        EXPECT_EQ(View().bytes(), std::vector<uint8_t>(size_t(a.pitch) * 3, 0));
        rs_vbclose(), rs_vbfree(vb);
    }
}

// Every drawing call without an active buffer draws nothing, reads 0 and returns 0.
TEST_P(Geometry, WithoutABufferNothingIsDrawn) {
    const int vb = start(16, 16);
    const Snapshot before;
    rs_vbclose();
    const unsigned char m[8] = {};
    const int tri[] = {0, 0, 9, 0, 9, 9};
    rs_move(5, 5);
    EXPECT_EQ(rs_point(1, 1) | rs_pointx(1, 1) | rs_putpixel(1, 1) | rs_getpixel(1, 1) | rs_draw(9, 9) | rs_drawx(1, 9) |
                  rs_dash(5, 5, 0xFFFF) | rs_rect(0, 9, 0, 9) | rs_rectx(0, 9, 0, 9) | rs_clprect(0, 9, 0, 9) | rs_box(0, 9, 0, 9) |
                  rs_boxx(0, 9, 0, 9) | rs_drect(0, 9, 0, 9, m) | rs_erase() | rs_fillpage() | rs_scroll(0, 9, 0, 9, 2, 1) |
                  rs_circle(3) | rs_circlef(3) | rs_ellipse(3, 2) | rs_ellipsef(3, 2) | rs_arc(3, 0, 3600) |
                  rs_polyfill(tri, nullptr, 3) | rs_polyline(tri, 3) | rs_flood(1, 1) | rs_paint(1, 1),
              0);
    rs_vbopen(vb);
    EXPECT_TRUE(before.changed().empty());
}

RSW32_EACH_DEPTH(Geometry);

// Queries before any buffer and after a close; -1 for handles outside the table, -2 for free
// slots; the active buffer is never freed.
TEST_F(Library, SlotsAndHandles) {
    core::active() = core::ActiveBuffer{}, rs_vbinit();  // as a library that never opened a buffer
    EXPECT_EQ(list(rs_getmaxx(), rs_getdepth(), rs_vbhandle(), rs_vbsize(5, 2), rs_getxjust(), rs_getyjust(), rs_getxbox(), rs_getybox(), rs_gethcbpp()),
              list(-1, 0, -1, 8 * 2 + 1064, -1, -1, 1, 1, 16));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(rs_vballoc(4, 1), i);
    EXPECT_EQ(rs_vballoc(4, 1), -1);
    for (int h : {7, 200}) rs_vbfree(h);
    EXPECT_EQ(rs_vbaddr(7), nullptr);
    for (int h : {7, 200, -1}) EXPECT_EQ(rs_vballoc(4, 1), h);
    for (int h = 2; h < 256; ++h) rs_vbfree(h);
    ASSERT_EQ(rs_vbopen(0), 0);
    for (int h : {-1, 256, INT_MIN, INT_MAX, 1000}) {
        EXPECT_EQ(list(rs_vbopen(h), rs_vbfree(h)), list(-1, 0)) << h;
        EXPECT_EQ(rs_vbaddr(h), nullptr) << h;
    }
    EXPECT_EQ(list(rs_vbopen(100), rs_vbhandle()), list(-2, 0)) << "a failed open keeps the active buffer";
    rs_vbfree(0);
    EXPECT_TRUE(rs_vbaddr(0) && rs_vbaddr(1));
    rs_vbclose(), rs_vbfree(0);
    EXPECT_EQ(list(rs_vbhandle(), rs_vbopen(0)), list(-1, -2));
    rs_vbdepth(16), rs_vbopen(rs_vballoc(10, 20)), rs_vbdepth(32), rs_vbopen(rs_vballoc(30, 40)), rs_vbclose();  // closed, still reported
    EXPECT_EQ(list(rs_vbhandle(), rs_getmaxx(), rs_getmaxy(), rs_getdepth()), list(-1, 31, 39, 32));
    rs_vbfree(-1);  // a restart forgets buffers without releasing them
    rs_vbinit();
    EXPECT_EQ(list(rs_vbhandle(), rs_vballoc(8, 8)), list(-1, 0));
}

TEST_F(Library, BadSizesAllocateNothing) {
    rs_vbdepth(32);
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {INT_MIN, 1}, {INT_MAX, 1}, {INT_MAX - 2, 1},
                        {65536, 65536}, {1, INT_MAX}})
        EXPECT_EQ(rs_vballoc(w, h), -2) << w << " x " << h;
    EXPECT_EQ(rs_vballoc(4, 1), 0) << "no slot was taken";
    rs_vbdepth(12);
    EXPECT_EQ(rs_vballoc(4, 1), -2) << "a depth no bitmap has";
}

// The row rounded to 4 bytes plus the header block: quads 1064, palette indices 552, masks 108.
TEST_F(Library, SizesAddTheHeaderOfTheKind) {
    for (auto [depth, display, size] : {list(8, 32, 8 * 7 + 1064), list(8, 8, 8 * 7 + 552), list(8, 4, 8 * 7 + 552), list(16, 32, 12 * 7 + 108),
                                        list(24, 32, 16 * 7 + 40), list(24, 8, 16 * 7 + 40), list(32, 8, 20 * 7 + 108)}) {
        rsp_set_display_depth(display), rs_vbinit(), rs_vbdepth(depth);
        EXPECT_EQ(rs_vbsize(5, 7), size) << depth << " bits, display " << display;
    }
}

}  // namespace
