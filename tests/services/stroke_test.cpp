// Stroke text. The world window maps one world unit onto one pixel, and sizes are chosen
// so that glyph points land on whole units: the escapes, underlines and justification
// can then be checked against the same strokes drawn piece by piece.
#include "services/stroke.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "core/world.h"
#include "services/stroke_glyphs.h"
#include "support.h"

namespace {

using test::PointSet;

class StrokeText : public test::EachDepth {
protected:
    // A 200 × 200 buffer, world (0, 199) both ways, capitals 42 units tall (grid unit 2).
    void SetUp() override {
        EachDepth::SetUp();
        open(200, 200);
        rs_setcolor(depth() == 8 ? 9 : 0xFFFFFF);
        rs_initw();
        rs_setworld(0, 199, 0, 199);
        rs_setsizew(42);
    }
    // The pixels a drawing changes and where it leaves the graphics cursor, from a
    // cleared buffer with the cursor at (20, 150).
    struct Result {
        PointSet pixels;
        int x, y;
        bool operator==(const Result&) const = default;
    };
    static Result run(const std::function<void()>& draw) {
        rs_erase();
        rs_move(20, 150);
        test::Snapshot before;
        draw();
        return {before.changed(), rs_getxpos(), rs_getypos()};
    }
    static double world_x() { return core::world().cursor_x; }
};
RSW32_EACH_DEPTH(StrokeText);

// Glyph advances in grid units: the first font's from its width table, the second's from
// its glyph headers.
int advance(int code) { return services::stroke_font1_widths[2 * (code - 32) + 1] - services::stroke_font1_widths[2 * (code - 32)]; }
int advance2(int code) {
    const int8_t* glyph = services::stroke_font2_data + services::stroke_font2_index[code];
    return glyph[1] - glyph[0];
}

TEST(StrokeGlyphs, CapitalAOfTheFirstFont) {
    const int8_t expected[] = {-9, 9, 8, 0, -12, -8, 9, -64, 0, 0, -12, 8, 9, -64, 0, -5, 2, 5, 2};
    EXPECT_EQ(std::memcmp(services::stroke_font1_data + services::stroke_font1_index['A'], expected, sizeof expected), 0);
    EXPECT_EQ(advance('A'), 18);
}

TEST_P(StrokeText, SubAndSuperscriptsAreHalfSizeHalfASizeOff) {
    for (const auto& [escape, shift] : {std::pair{"A\\^2", 21.0}, std::pair{"A\\v2", -21.0}}) {
        const Result escaped = run([&] { rs_swchar(escape, 4, -1); });
        const Result pieces = run([&] {
            rs_swchar("A", 1, -1);
            rs_setsizew(21);  // half size: grid unit 1
            rs_moverw(0, shift);
            rs_swchar("2", 1, -1);
            rs_setsizew(42);
        });
        EXPECT_EQ(escaped.pixels, pieces.pixels) << escape;
        EXPECT_EQ(escaped.x, 20 + 2 * 18 + advance('2'));
        EXPECT_EQ(escaped.y, 150);
        EXPECT_DOUBLE_EQ(rs_swlength(escape, 4), 2 * 18 + advance('2'));
    }
}

TEST_P(StrokeText, UnderscoresUnderlineTheWordAndTakeNoRoom) {
    const Result underlined = run([] { rs_swchar("_text_", 6, -1); });
    const Result pieces = run([] {
        const double x = rs_xworld(20), y = rs_yworld(150), length = rs_swlength("text", 4);
        rs_movew(x, y - 0.3 * 42);
        rs_draww(x + length, y - 0.3 * 42);
        rs_move(20, 150);
        rs_swchar("text", 4, -1);
    });
    EXPECT_EQ(underlined, pieces);
    EXPECT_EQ(rs_swlength("_text_", 6), rs_swlength("text", 4));
}

TEST_P(StrokeText, EscapesSwitchSetsAndBack) {
    const Result greek = run([] { rs_swchar("\\ab\\cd", 6, -1); });
    const Result pieces = run([] {
        rs_swchar("\\ab", 3, -1);
        rs_swchar("cd", 2, -1);
    });
    EXPECT_EQ(greek, pieces);
    EXPECT_NE(run([] { rs_swchar("\\ab", 3, -1); }).pixels, run([] { rs_swchar("ab", 2, -1); }).pixels);
    EXPECT_DOUBLE_EQ(rs_swlength("\\ab\\cd", 6),
                     2.0 * (advance('a' + 96) + advance('b' + 96) + advance('c') + advance('d')));
}

TEST_P(StrokeText, LengthIsTheAdvanceOfTheDrawing) {
    rs_setratio(1.5);
    rs_setsizew(17.3);
    for (const char* s : {"Hello", "x\\^2y\\v3", "\\abc\\de", "_u_v", "A\\", "B\\v", "\x01Z\xC8~\x7F"}) {
        const int n = int(std::strlen(s));
        for (int justify : {-1, 0, 1}) {
            rs_move(20, 150);
            const double start = rs_xworld(20), length = rs_swlength(s, n);
            rs_swchar(s, n, justify);
            const double shift = justify < 0 ? 0 : justify == 0 ? length / 2 : length;
            EXPECT_NEAR(world_x() - start, length - shift, 1e-9) << s << " justify " << justify;
        }
    }
}

TEST_P(StrokeText, BaselineAtNinetyDegreesRunsUp) {
    rs_setangle(90);
    const Result up = run([] { rs_swchar("A", 1, -1); });
    EXPECT_EQ(up.x, 20);
    EXPECT_EQ(up.y, 150 - 36);
    for (const auto& [x, y] : up.pixels) {
        EXPECT_TRUE(x >= 20 - 42 && x <= 20) << x;
        EXPECT_TRUE(y >= 150 - 36 && y <= 150) << y;
    }
}

TEST_P(StrokeText, SwtextBlanksBackslashesAndDrawsTheSecondFont) {
    char text[] = "a\\b\\c";
    rs_swtext(text, 3, -1);
    EXPECT_STREQ(text, "a b\\c");
    rs_swtext(text, 100, -1);
    EXPECT_STREQ(text, "a b c");
    EXPECT_NE(run([] { char s[] = "ab"; rs_swtext(s, 2, -1); }).pixels, run([] { rs_swchar("ab", 2, -1); }).pixels);
    // Justified by the first font's widths.
    char right[] = "xy";
    rs_move(150, 150);
    rs_swtext(right, 2, 1);
    EXPECT_NEAR(world_x(), rs_xworld(150) - rs_swlength("xy", 2) + 2.0 * (advance2('x') + advance2('y')), 1e-9);
}

TEST_P(StrokeText, RefusedSettingsLeaveThePreviousValues) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    rs_setratio(2);
    rs_setangle(30);
    const core::WorldState before = core::world();
    for (double v : {0.0, -1.0, nan, inf, -inf}) {
        rs_setsizew(v);
        rs_setratio(v);
        if (v != 0 && v != -1) rs_setangle(v);
    }
    rs_setsize(0);
    rs_setsize(-3);
    EXPECT_EQ(core::world().text_size, before.text_size);
    EXPECT_EQ(core::world().text_ratio, before.text_ratio);
    EXPECT_EQ(core::world().text_angle, before.text_angle);
    rs_setsize(10);
    EXPECT_DOUBLE_EQ(core::world().text_size, 10.0);  // ten rows of one unit each
}

TEST_P(StrokeText, BadInputDrawsNothing) {
    const Result none = run([] {});
    EXPECT_EQ(run([] { rs_swchar(nullptr, 3, -1); }), none);
    EXPECT_EQ(run([] { rs_swchar("AB", -1, 1); }), none);
    EXPECT_EQ(run([] { rs_swtext(nullptr, 3, 0); }), none);
    EXPECT_EQ(rs_swlength(nullptr, 3), 0.0);
    EXPECT_EQ(rs_swlength("AB", -2), 0.0);
    EXPECT_EQ(run([] { rs_swchar("AB\0CD", 99, -1); }), run([] { rs_swchar("AB", 2, -1); }));
    // A world window without width or height: nothing drawn, nothing measured.
    for (double extent : {0.0, std::nan("")}) {
        rs_setworld(0, extent, 0, 199);
        EXPECT_EQ(run([] { rs_swchar("AB", 2, 0); }), none);
        EXPECT_EQ(rs_swlength("AB", 2), 0.0);
        rs_setworld(0, 199, 5, 5);
        char s[] = "A\\B";
        EXPECT_EQ(run([&] { rs_swtext(s, 3, 0); }), none);
        rs_setworld(0, 199, 0, 199);
    }
}

}  // namespace
