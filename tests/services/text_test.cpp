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

TEST_P(BuiltinText, JustificationPlacesTheCellAndMovesTheCursor) {
    // "AB" is 16 pixels wide and 16 tall (no external leading); the cursor starts at (40, 30).
    struct Case {
        int jx, jy, cell_x, cell_y, end_x, end_y;
    } cases[] = {
        {-1, -1, 40, 14, 56, 14},  // default: the cell sits on the cursor row, cursor a line up
        {0, -1, 32, 14, 48, 14},   // centred
        {1, -1, 24, 14, 40, 14},   // right: ends at the cursor, which returns there
        {-1, 0, 40, 22, 56, 22},   // vertical centre
        {-1, 1, 40, 30, 56, 30},   // top: the cell hangs from the cursor row
        {5, -1, -8, 14, 8, 14},    // (5 + 1) × 16 / 2 = 48 to the left, cut at the edge
    };
    open_white(96, 64);
    for (const Case& c : cases) {
        rs_erase();
        rs_justify(c.jx, c.jy);
        EXPECT_EQ(rs_getxjust(), c.jx);
        rs_move(40, 30);
        test::Snapshot before;
        EXPECT_EQ(rs_print("AB", 2), 0);
        EXPECT_EQ(before.changed(), glyph_pixels("AB", c.cell_x, c.cell_y, 96, 64)) << c.jx << ", " << c.jy;
        EXPECT_EQ(rs_getxpos(), c.end_x);
        EXPECT_EQ(rs_getypos(), c.end_y);
    }
}

TEST_P(BuiltinText, TextCutAtTheBufferEdgesAndTheCursorStopsAtTheWidth) {
    open_white(32, 40);
    const struct Case {
        int x, y;
        const char* s;
        int end_x;
    } cases[] = {{20, 20, "ABCD", 32}, {-5, 10, "xyz", 19}, {30, 50, "QQ", 32}, {-100, 20, "W", -92}};
    for (const Case& c : cases) {
        rs_erase();
        rs_move(c.x, c.y);
        test::Snapshot before;
        rs_print(c.s, int(std::strlen(c.s)));
        EXPECT_EQ(before.changed(), glyph_pixels(c.s, c.x, c.y - cell.height, 32, 40)) << c.s;
        EXPECT_EQ(rs_getxpos(), c.end_x) << c.s;
        EXPECT_EQ(rs_getypos(), c.y - cell.height);
    }
}

TEST_P(BuiltinText, StringsReadToCountOrTerminatorAndBadInputDoesNothing) {
    open_white(96, 40);
    // Exactly three characters with no terminator: count 3 reads no further.
    const std::vector<char> exact = {'a', 'b', 'c'};
    const struct Case {
        const char* s;
        int count;
        const char* drawn;  // nullptr: nothing happens at all
    } cases[] = {{exact.data(), 3, "abc"}, {"abc", 1000, "abc"}, {"ab\0cd", 5, "ab"},
                 {"abc", 0, ""},           {"abc", -1, nullptr}, {nullptr, 3, nullptr}};
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
    // Codes above 127 have glyphs of their own in the code page.
    rs_erase();
    rs_move(0, 30);
    test::Snapshot before;
    rs_print("\xC9\xE9\x80", 3);
    EXPECT_EQ(before.changed(), glyph_pixels("\xC9\xE9\x80", 0, 14, 96, 40));
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
#ifdef RSW32_FREETYPE
    EXPECT_GT(own, stock);
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

#ifdef RSW32_FREETYPE
// Antialiased fonts mix partial coverage in at 16 bits and more; 8-bit buffers and
// monochrome fonts write the text colour or nothing.
TEST_F(Fonts, SystemFontsTakeTheirSizeAndBlendOnlyWhereAsked) {
    for (int antialias : {0, 1})
        for (int depth : {8, 32}) {
            rs_vbdepth(depth);
            const int vb = rs_vballoc(64, 64);
            rs_vbopen(vb);
            if (depth == 8) {
                const std::vector<unsigned char> black(768, 0);
                rs_setdacs(0, 256, black.data());
                rs_setrgb(7, 255, 255, 255);
            }
            rs_setcolor(depth == 8 ? 7 : 0xFFFFFF);
            RS_HFONT font = rsp_font_create(nullptr, 32, 0, 0, antialias);
            rs_logfont(font);
            const int height = line_height();
            EXPECT_GT(height, 32);
            EXPECT_LT(height, 48);
            rs_move(4, 50);
            test::Snapshot before;
            rs_print("O", 1);
            const PointSet changed = before.changed();
            EXPECT_GT(changed.size(), 40u);
            int partial = 0;
            for (const auto& [x, y] : changed) {
                EXPECT_LT(y, 50);
                const uint32_t v = test::raw_pixel(x, y);
                partial += v != (depth == 8 ? 7u : 0xFFFFFFu);
            }
            EXPECT_EQ(partial > 0, antialias && depth != 8) << depth << " bits, antialias " << antialias;
            rsp_font_destroy(font);
            rs_vbclose();
            rs_vbfree(vb);
        }
}
#endif

}  // namespace
