// System-font text: placement, justification and the cursor, exact to the pixel with the
// built-in font (forced on, as on a host without font files); the colour rule per depth;
// font handles; and system fonts where the library was built with a renderer.
#include "services/text.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/common/fonts.h"
#include "support.h"

namespace {

using test::PointSet;
using test::list;
const host::BuiltinFont& cell = host::builtin_font;

// Every test here starts the library with system fonts switched off.
class BuiltinText : public test::EachDepth {
protected:
    void SetUp() override {
        rsp_set_system_fonts(0);
        EachDepth::SetUp();
    }
    void TearDown() override {
        EachDepth::TearDown();
        rsp_set_system_fonts(1);
    }
    // Opens a black buffer and sets a white text colour (at 8 bits: index 200 white in an
    // otherwise black palette, so the nearest index is 200).
    void open_white(int width, int height) {
        open(width, height);
        if (depth() == 8) {
            std::vector<unsigned char> black(768, 0);
            rs_setdacs(0, 256, black.data());
            rs_setrgb(200, 255, 255, 255);
            rs_setcolor(200);
        } else {
            rs_setcolorrgb(255, 255, 255);
        }
    }
};
RSW32_EACH_DEPTH(BuiltinText);

// The built-in glyph pixels of s with the cell's top-left corner at (x, y), cut to a
// width × height buffer.
PointSet glyph_pixels(const char* s, int x, int y, int width, int height) {
    PointSet out;
    for (int i = 0; s[i]; ++i)
        for (int r = 0; r < cell.height; ++r)
            for (int c = 0; c < cell.width; ++c) {
                const int px = x + cell.width * i + c, py = y + r;
                if (cell.rows[uint8_t(s[i])][r] & (0x80 >> c) && px >= 0 && px < width && py >= 0 && py < height)
                    out.insert({px, py});
            }
    return out;
}

TEST_P(BuiltinText, JustificationPlacesTheCellAndTheCursorStopsAtTheWidth) {
    // Each glyph is 8 × 16 pixels (no external leading); the buffer is 96 × 64.
    struct Case {
        const char* s;
        int x, y, jx, jy, cell_x, cell_y, end_x, end_y;
    } cases[] = {
        {"AB", 40, 30, -1, -1, 40, 14, 56, 14},    // default: the cell sits on the cursor row, cursor a line up
        {"AB", 40, 30, 0, -1, 32, 14, 48, 14},     // centred
        {"AB", 40, 30, 1, -1, 24, 14, 40, 14},     // right: ends at the cursor, which returns there
        {"AB", 40, 30, -1, 0, 40, 22, 56, 22},     // vertical centre
        {"AB", 40, 30, -1, 1, 40, 30, 56, 30},     // top: the cell hangs from the cursor row
        {"AB", 40, 30, 5, -1, -8, 14, 8, 14},      // (5 + 1) × 16 / 2 = 48 to the left, cut at the edge
        {"ABCDEFGH", 40, 30, -1, -1, 40, 14, 96, 14},  // wider than the space left: cut, cursor at the width
        {"xyz", -5, 10, -1, -1, -5, -6, 19, -6},   // cut at the left and the top
        {"QQ", 90, 70, -1, -1, 90, 54, 96, 54},    // cut at the right and the bottom
    };
    open_white(96, 64);
    for (const Case& c : cases) {
        rs_erase();
        rs_justify(c.jx, c.jy);
        EXPECT_EQ(rs_getxjust(), c.jx);
        rs_move(c.x, c.y);
        test::Snapshot before;
        EXPECT_EQ(rs_print(c.s, int(std::strlen(c.s))), 0);
        EXPECT_EQ(before.changed(), glyph_pixels(c.s, c.cell_x, c.cell_y, 96, 64)) << c.s << " " << c.jx << ", " << c.jy;
        EXPECT_EQ(rs_getxpos(), c.end_x);
        EXPECT_EQ(rs_getypos(), c.end_y);
    }
}

TEST_P(BuiltinText, StringsReadToCountOrTerminatorAndBadInputDoesNothing) {
    open_white(96, 40);
    // Exactly three characters with no terminator: count 3 reads no further. Codes above
    // 127 have glyphs of their own in the code page.
    const std::vector<char> exact = {'a', 'b', 'c'};
    const struct Case {
        const char* s;
        int count;
        const char* drawn;  // nullptr: nothing happens at all
    } cases[] = {{exact.data(), 3, "abc"}, {"abc", 1000, "abc"}, {"ab\0cd", 5, "ab"},    {"abc", 0, ""},
                 {"abc", -1, nullptr},      {nullptr, 3, nullptr},  {"\xC9\xE9\x80", 3, "\xC9\xE9\x80"}};
    for (const Case& c : cases) {
        rs_erase();
        rs_move(8, 30);
        test::Snapshot before;
        rs_print(c.s, c.count);
        const std::string drawn = c.drawn ? c.drawn : "";
        EXPECT_EQ(before.changed(), glyph_pixels(drawn.c_str(), 8, 14, 96, 40)) << c.count;
        EXPECT_EQ(rs_getxpos(), 8 + cell.width * int(drawn.size()));
        EXPECT_EQ(rs_getypos(), c.drawn ? 14 : 30);
    }
}

// Character cells: one glyph a cell, wrapping after the last whole cell, line feeds and returns;
// the graphics cursor and the justification stay put.
TEST_P(BuiltinText, TextGoesIntoCharacterCells) {
    open_white(36, 70);  // width 36: four whole cells a row; four rows of 16
    rs_move(3, 4), rs_justify(1, 1);
    EXPECT_EQ(list(rs_getlines(), rs_locate(-1, 0), rs_locate(1, 2)), list(4, -1, 0));
    test::Snapshot before;
    EXPECT_EQ(rs_text("abcd\rXY\nZ", -1), 0);
    PointSet want = glyph_pixels("ab", 16, 16, 36, 70);  // "XY" lands on "cd": glyphs write only their own pixels
    for (const PointSet& p : {glyph_pixels("cd", 0, 32, 36, 70), glyph_pixels("XY", 0, 32, 36, 70), glyph_pixels("Z", 0, 48, 36, 70)})
        want.insert(p.begin(), p.end());
    EXPECT_EQ(before.changed(), want);
    EXPECT_EQ(list(rs_getxpos(), rs_getypos(), rs_getxjust(), rs_getyjust()), list(3, 4, 1, 1));
    int row = 0, column = 0;
    rs_where(&row, &column);
    EXPECT_EQ(list(row, column), list(3, 1));
    rs_erase(), rs_locate(0, 0);
    EXPECT_EQ(test::drawn([] { rs_text("QRS", 2); }), glyph_pixels("QR", 0, 0, 36, 70));
}

TEST_P(BuiltinText, TextColourFollowsTheDepthRule) {
    open_white(16, 16);
    struct Case {
        int depth, color;
        uint32_t ref, pixel;
    } cases[] = {
        {16, 0xFFFF, 0xFFFFFF, 0xFFFF},         // white
        {16, 0x0841, 0x080808, 0x0841},         // 1, 2, 1 widen to 8, 8, 8
        {16, 0xF800, 0x0000FF, 0xF800},
        {24, 0x123456, 0x563412, 0x123456},
        {32, int(0xFF123456), 0x563412, 0x00123456},  // the fourth byte is not text colour
        {8, 200, 0x030201, 200},
    };
    for (const Case& c : cases) {
        if (c.depth != depth()) continue;
        if (depth() == 8) rs_setrgb(200, 1, 2, 3);
        rs_setcolor(c.color);
        EXPECT_EQ(services::text_colorref(), c.ref);
        rs_erase();
        rs_move(0, 16);
        rs_print("\x7f", 1);  // the missing-glyph box: its top-left corner is inked
        EXPECT_EQ(test::raw_pixel(1, 3), c.pixel);
    }
}

// ---- fonts -------------------------------------------------------------------------------

class Fonts : public test::Library {
protected:
    void SetUp() override {
        Library::SetUp();
        rs_vbdepth(32);
        rs_vbopen(rs_vballoc(64, 64));
        rs_setcolorrgb(255, 255, 255);
    }
    void TearDown() override {
        Library::TearDown();
        rsp_set_system_fonts(1);
    }
    // The current font's line height, as the cursor shows it after an empty string.
    static int line_height() {
        rs_move(0, 1000);
        rs_print("", 0);
        return 1000 - rs_getypos();
    }
};

TEST_F(Fonts, HandlesThatAreNotLiveFontsAreRefused) {
    int bogus = 0;
    EXPECT_EQ(rs_logfont(nullptr), -1);
    EXPECT_EQ(rs_logfont(&bogus), -1);
    RS_HFONT font = rsp_font_create(nullptr, 20, 0, 0, 0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(rs_logfont(font), 0);
    EXPECT_EQ(rsp_font_destroy(font), 0);
    EXPECT_EQ(rsp_font_destroy(font), -1);
    EXPECT_EQ(rs_logfont(font), -1);
    const struct {
        int height, weight;
    } refused[] = {{0, 400}, {-1, 400}, {1025, 400}, {20, -1}, {20, 1001}};
    for (const auto& r : refused) EXPECT_EQ(rsp_font_create("DejaVu Sans", r.height, r.weight, 0, 0), nullptr);
}

TEST_F(Fonts, StockIndicesThatNameNoFontLeaveTheFontAlone) {
    rs_fontload(16);
    const int height = line_height();
    for (int index : {0, 9, 15, 18, -1, 1000}) {
        rs_fontload(index);
        EXPECT_EQ(line_height(), height) << index;
    }
}

TEST_F(Fonts, ADestroyedCurrentFontGivesWayToStockFontTen) {
    const int stock = line_height();
    RS_HFONT big = rsp_font_create("DejaVu Sans", 40, 700, 0, 0);
    rs_logfont(big);
    const int own = line_height();
    rsp_font_destroy(big);
    EXPECT_EQ(line_height(), stock);
#ifdef RSW32_SYSTEM_FONTS
    EXPECT_GT(own, stock);
#else
    EXPECT_EQ(own, stock);  // both are the built-in font
#endif
}

TEST_F(Fonts, WithoutSystemFontsEveryFontIsTheBuiltInOne) {
    rsp_set_system_fonts(0);
    rs_logfont(rsp_font_create("DejaVu Serif", 40, 700, 1, 1));
    EXPECT_EQ(line_height(), cell.height);
    rs_move(2, 40);
    test::Snapshot before;
    rs_print("Hi", 2);
    EXPECT_EQ(before.changed(), glyph_pixels("Hi", 2, 40 - cell.height, 64, 64));
    for (int index : {10, 11, 12, 13, 14, 16, 17}) {
        rs_fontload(index);
        EXPECT_EQ(line_height(), cell.height) << index;
    }
}

#ifdef RSW32_SYSTEM_FONTS
// Antialiased fonts mix partial coverage in at 16 bits and more; 8-bit buffers and
// monochrome fonts write the text colour or nothing.
TEST_F(Fonts, SystemFontsTakeTheirSizeAndBlendOnlyWhereAsked) {
    const std::vector<unsigned char> black(768, 0);
    for (int depth : {8, 32})
        for (int antialias : {0, 1}) {
            rs_vbdepth(depth);
            rs_vbopen(rs_vballoc(64, 64));
            rs_setdacs(0, 256, black.data());
            rs_setrgb(7, 255, 255, 255);
            rs_setcolor(depth == 8 ? 7 : 0xFFFFFF);
            rs_logfont(rsp_font_create(nullptr, 32, 0, 0, antialias));
            EXPECT_TRUE(line_height() > 32 && line_height() < 48);
            rs_move(4, 50);
            test::Snapshot before;
            rs_print("O", 1);
            int partial = 0;
            for (const auto& [x, y] : before.changed()) partial += test::raw_pixel(x, y) != (depth == 8 ? 7u : 0xFFFFFFu);
            EXPECT_GT(before.changed().size(), 40u);
            EXPECT_EQ(partial > 0, antialias && depth != 8) << depth << " bits, antialias " << antialias;
        }
}
#endif

}  // namespace
