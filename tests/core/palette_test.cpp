// Palettes: the three forms kept in step, setting and reading entries, the default and
// logical palettes, realizing and animating host palettes, ranges past the last entry.
#include "core/palette.h"

#include <array>
#include <climits>
#include <vector>

#include "core/color.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"
#include "platform/common/objects.h"
#include "support.h"

namespace {

using test::EachDepth;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb entry(int i) {
    int r = -1, g = -1, b = -1;
    rs_getrgb(i, &r, &g, &b);
    return {r, g, b};
}

int flags(int i) { return core::palette().entries[i].flags; }

// Triples whose colour says which triple of the array they are.
std::vector<uint8_t> numbered(int count, int salt = 0) {
    std::vector<uint8_t> rgb;
    for (int k = 0; k < count; ++k) {
        rgb.push_back(uint8_t(k + salt));
        rgb.push_back(uint8_t(100 + k));
        rgb.push_back(uint8_t(200 - k));
    }
    return rgb;
}
Rgb triple(int k, int salt = 0) { return {uint8_t(k + salt), uint8_t(100 + k), uint8_t(200 - k)}; }

const Rgb static_colors[20] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
                               {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {164, 200, 240},
                               {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
                               {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
Rgb static_color_of(int i) { return static_colors[i < 10 ? i : i - 236]; }
bool is_static(int i) { return i < 10 || i >= 246; }

const uint8_t* color_table(int vb) { return core::vb_table().slots[size_t(vb)].header + 40; }

// The library palette, the realized and displaced palettes and the window DC persist
// across rs_vbinit; each test starts them afresh.
class Palettes : public test::Library {
protected:
    void SetUp() override {
        core::palette() = core::PaletteState{};
        core::devices().window_dc = nullptr;
        Library::SetUp();
    }
    void TearDown() override {
        Library::TearDown();
        core::devices().window_dc = nullptr;
        core::palette() = core::PaletteState{};
    }
    static void start_on_display(int bits) {
        rsp_set_display_depth(bits);
        rs_vbinit();
    }
    static int open(int depth, int w = 4, int h = 2) {
        rs_vbdepth(depth);
        const int vb = rs_vballoc(w, h);
        rs_vbopen(vb);
        return vb;
    }
    static host::Palette* host_palette(void* handle) { return host::palette_from_handle(handle); }
};

// ---- the default palette ----------------------------------------------------------------

TEST_F(Palettes, DefaultPaletteHasTheStaticColoursSixteenColoursGreysAndNineHueRings) {
    void* handle = rs_defpal();
    EXPECT_EQ(entry(30), Rgb({0, 0, 255}));
    EXPECT_EQ(entry(38), Rgb({255, 0, 0}));
    EXPECT_EQ(entry(245), Rgb({44, 48, 64}));
    EXPECT_EQ(entry(255), Rgb({255, 255, 255}));
    for (int i : {0, 5, 9, 246, 250, 255}) EXPECT_EQ(entry(i), static_color_of(i)) << i;
    EXPECT_EQ(entry(10), Rgb({0, 0, 0}));
    EXPECT_EQ(entry(16), Rgb({170, 85, 0}));
    EXPECT_EQ(entry(18), Rgb({85, 85, 85}));
    EXPECT_EQ(entry(25), Rgb({255, 255, 255}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(entry(26 + i), Rgb({85 * i, 85 * i, 85 * i}));

    // Each ring runs blue, magenta, red, yellow, green, cyan, back towards blue.
    const int levels[9][5] = {{0, 64, 125, 190, 255},  {125, 157, 190, 222, 255}, {182, 198, 218, 234, 255},
                              {0, 28, 56, 85, 113},    {56, 68, 85, 97, 113},     {80, 89, 97, 105, 113},
                              {0, 16, 32, 48, 64},     {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};
    for (int k = 0; k < 9; ++k) {
        const int first = 30 + 24 * k;
        const int lo = levels[k][0], m1 = levels[k][1], m3 = levels[k][3], hi = levels[k][4];
        EXPECT_EQ(entry(first), Rgb({lo, lo, hi})) << "ring " << k;
        EXPECT_EQ(entry(first + 1), Rgb({m1, lo, hi})) << "ring " << k;
        EXPECT_EQ(entry(first + 4), Rgb({hi, lo, hi})) << "ring " << k;
        EXPECT_EQ(entry(first + 8), Rgb({hi, lo, lo})) << "ring " << k;
        EXPECT_EQ(entry(first + 12), Rgb({hi, hi, lo})) << "ring " << k;
        EXPECT_EQ(entry(first + 13), Rgb({m3, hi, lo})) << "ring " << k;
        EXPECT_EQ(entry(first + 16), Rgb({lo, hi, lo})) << "ring " << k;
        EXPECT_EQ(entry(first + 20), Rgb({lo, hi, hi})) << "ring " << k;
        EXPECT_EQ(entry(first + 23), Rgb({lo, m1, hi})) << "ring " << k;
    }

    // All three places agree: flags, quads and the new host palette.
    const host::Palette* hp = host_palette(handle);
    ASSERT_NE(hp, nullptr);
    EXPECT_EQ(hp->count, 256);
    for (int i = 0; i < 256; ++i) {
        const core::PaletteEntry& e = core::palette().entries[i];
        const core::RgbQuad& q = core::palette().quads[i];
        ASSERT_EQ(e.flags, 1) << i;
        ASSERT_EQ(Rgb({q.red, q.green, q.blue}), entry(i)) << i;
        ASSERT_EQ(q.reserved, 0);
        ASSERT_EQ(Rgb({hp->entries[i].red, hp->entries[i].green, hp->entries[i].blue}), entry(i)) << i;
        ASSERT_EQ(hp->entries[i].flags, 1);
    }
    EXPECT_NE(rs_defpal(), handle);  // a new palette each time
}

TEST_F(Palettes, DefaultPaletteLeavesThePixelTableAndTheActiveColourTableAlone) {
    const int vb = open(8);
    std::vector<uint8_t> before(color_table(vb), color_table(vb) + 1024);
    core::palette().pixels[40] = 0x1234;
    rs_defpal();
    EXPECT_EQ(std::vector<uint8_t>(color_table(vb), color_table(vb) + 1024), before);
    EXPECT_EQ(core::palette().pixels[40], 0x1234u);
    rs_vbcolors();  // brings the buffer up to date
    EXPECT_EQ(0, std::memcmp(color_table(vb), core::palette().quads, 1024));
}

TEST_F(Palettes, OnAPaletteDisplayTheStaticColoursComeFromTheSystem) {
    start_on_display(8);
    rs_defpal();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(flags(i), is_static(i) ? 0 : 1) << i;  // system entries keep the system's flags
        if (is_static(i)) {
            EXPECT_EQ(entry(i), static_color_of(i)) << i;
        }
    }
    EXPECT_EQ(entry(30), Rgb({0, 0, 255}));

    // Sixteen system colours: eight at each end of the palette, the rest default.
    start_on_display(4);
    rs_defpal();
    for (int i = 0; i < 256; ++i) EXPECT_EQ(flags(i), i < 8 || i >= 248 ? 0 : 1) << i;
    EXPECT_EQ(entry(7), Rgb({192, 192, 192}));
    EXPECT_EQ(entry(8), Rgb({192, 220, 192}));   // default colour 8
    EXPECT_EQ(entry(247), Rgb({160, 160, 164})); // default colour 247
    const Rgb high[8] = {{128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                         {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(entry(248 + i), high[i]) << i;
}

TEST_F(Palettes, ColoursReportsTheDisplayDepthWithFifteenAsSixteen) {
    rsp_set_display_depth(15);
    EXPECT_EQ(rs_colors(), 16);
    rsp_set_display_depth(8);
    EXPECT_EQ(rs_colors(), 8);
    rsp_set_display_depth(24);
    EXPECT_EQ(rs_colors(), 24);
}

// ---- logical palettes -----------------------------------------------------------------------

TEST_F(Palettes, LogicalPaletteKeepsTheStaticColoursAndFillsTheRestWithBlack) {
    const std::vector<uint8_t> white(768, 255);
    open(8);
    rs_setdacs(0, 256, white.data());
    void* handle = rs_logpal(10, 0, nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entry(i), is_static(i) ? static_color_of(i) : Rgb({0, 0, 0})) << i;
        EXPECT_EQ(flags(i), 1) << i;
    }
    ASSERT_NE(host_palette(handle), nullptr);
    EXPECT_EQ(host_palette(handle)->entries[100].red, 0);

    const std::vector<uint8_t> three = numbered(3);
    rs_setdacs(0, 256, white.data());
    rs_logpal(10, 3, three.data());
    for (int k = 0; k < 3; ++k) EXPECT_EQ(entry(10 + k), triple(k));
    for (int i = 13; i < 246; ++i) EXPECT_EQ(entry(i), Rgb({0, 0, 0})) << i;
    EXPECT_EQ(entry(246), static_color_of(246));
    EXPECT_EQ(core::palette().quads[10].red, 0);
    EXPECT_EQ(core::palette().quads[11].green, 101);

    const std::vector<uint8_t> full = numbered(236);
    rs_logpal(10, 236, full.data());
    for (int k = 0; k < 236; ++k) EXPECT_EQ(entry(10 + k), triple(k)) << k;
    EXPECT_EQ(entry(9), static_color_of(9));
    EXPECT_EQ(entry(246), static_color_of(246));
}

TEST_F(Palettes, LogicalPaletteBlackFillStopsAtTheLastEntry) {
    open(8);
    rs_defpal();
    const Rgb ring = entry(99);
    rs_logpal(100, 0, nullptr);  // black would run to entry 335
    EXPECT_EQ(entry(99), ring);
    for (int i = 100; i < 256; ++i) EXPECT_EQ(entry(i), Rgb({0, 0, 0})) << i;

    const std::vector<uint8_t> ten = numbered(10);  // entries 250..259 asked for
    rs_defpal();
    rs_logpal(250, 10, ten.data());
    for (int k = 0; k < 6; ++k) EXPECT_EQ(entry(250 + k), triple(k));
    EXPECT_EQ(entry(249), static_color_of(249));
    EXPECT_EQ(entry(245), Rgb({44, 48, 64}));
}

TEST_F(Palettes, LogicalPaletteOnAPaletteDisplayTakesTheSystemColours) {
    start_on_display(8);
    rs_logpal(10, 0, nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(flags(i), is_static(i) ? 0 : 1) << i;
        EXPECT_EQ(entry(i), is_static(i) ? static_color_of(i) : Rgb({0, 0, 0})) << i;
    }
}

// ---- setting entries ------------------------------------------------------------------------

class SetEntries : public EachDepth {
protected:
    void SetUp() override {
        core::palette() = core::PaletteState{};
        EachDepth::SetUp();
    }
    void TearDown() override {
        EachDepth::TearDown();
        core::palette() = core::PaletteState{};
    }
    uint32_t expected_pixel(const Rgb& c) const {
        if (depth() == 16) return uint32_t((c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3));
        return uint32_t(c.r << 16 | c.g << 8 | c.b);
    }
};

TEST_P(SetEntries, SetDacsUpdatesAllThreeFormsAndTheActiveColourTable) {
    const int vb = open(4, 2);
    const std::vector<uint8_t> rgb = numbered(3, 7);
    rs_setdacs(5, 3, rgb.data());
    const core::PaletteState& p = core::palette();
    for (int i = 0; i < 256; ++i) {
        const bool set = i >= 5 && i < 8;
        const Rgb want = set ? triple(i - 5, 7) : Rgb({0, 0, 0});
        ASSERT_EQ(entry(i), want) << i;
        ASSERT_EQ(flags(i), set ? 1 : 0) << i;
        ASSERT_EQ(Rgb({p.quads[i].red, p.quads[i].green, p.quads[i].blue}), want) << i;
        ASSERT_EQ(p.pixels[i], depth() == 8 || !set ? 0u : expected_pixel(want)) << i;
    }
    const uint8_t* table = color_table(vb);
    if (depth() == 8) {
        EXPECT_EQ(0, std::memcmp(table, p.quads, sizeof p.quads));
    }
    uint8_t out[9] = {};
    rs_getdacs(5, 3, out);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 9), rgb);
}

TEST_P(SetEntries, SetRgbChangesOneEntryAndKeepsItsFlags) {
    const int vb = open(4, 2);
    core::palette().entries[5].flags = 0;
    core::palette().quads[5].reserved = 9;
    rs_setrgb(5, 10, 20, 30);
    EXPECT_EQ(entry(5), Rgb({10, 20, 30}));
    EXPECT_EQ(flags(5), 0);
    EXPECT_EQ(core::palette().quads[5].reserved, 9);
    if (depth() == 16) {
        EXPECT_EQ(core::palette().pixels[5], 0x08A3u);
    }
    if (depth() == 8) {
        const uint8_t* q = color_table(vb) + 4 * 5;
        EXPECT_EQ(q[0], 30);
        EXPECT_EQ(q[1], 20);
        EXPECT_EQ(q[2], 10);
        EXPECT_EQ(q[3], 9);
        EXPECT_EQ(color_table(vb)[4 * 6 + 2], 0);  // only the one quad
    } else {
        EXPECT_EQ(core::palette().pixels[5], expected_pixel({10, 20, 30}));
    }
    rs_setrgb(6, 0x1FF, -1, 256);  // low 8 bits of each component
    EXPECT_EQ(entry(6), Rgb({255, 255, 0}));
}

TEST_P(SetEntries, NothingIsSetWithoutAnActiveBufferButEntriesCanBeRead) {
    open(4, 2);
    rs_setrgb(1, 1, 2, 3);
    rs_vbclose();
    const std::vector<uint8_t> rgb = numbered(4);
    rs_setdacs(0, 4, rgb.data());
    rs_setrgb(1, 50, 60, 70);
    EXPECT_EQ(entry(0), Rgb({0, 0, 0}));
    EXPECT_EQ(entry(1), Rgb({1, 2, 3}));
    uint8_t out[6] = {9, 9, 9, 9, 9, 9};
    rs_getdacs(1, 0, out);  // count 0 copies nothing
    EXPECT_EQ(out[0], 9);
    rs_getdacs(1, 1, out);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(out[3], 9);
}

TEST_P(SetEntries, OpeningABufferRebuildsThePixelTableForItsDepth) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(4, 1));
    rs_defpal();
    open(4, 1);
    const core::PaletteState& p = core::palette();
    for (int i = 0; i < 256; ++i) {
        const Rgb c = entry(i);
        ASSERT_EQ(p.pixels[i], depth() == 8 ? 0u : expected_pixel(c)) << i;
    }
}

RSW32_EACH_DEPTH(SetEntries);

TEST_F(Palettes, OnlyTheActiveEightBitBufferTakesNewColoursAtOnce) {
    const int idle = open(8);
    const int vb = open(8);
    rs_setrgb(3, 40, 50, 60);
    EXPECT_EQ(color_table(vb)[12 + 2], 40);
    EXPECT_EQ(color_table(idle)[12 + 2], 0);
    rs_vbopen(idle);
    EXPECT_EQ(color_table(idle)[12 + 2], 40);
}

TEST_F(Palettes, PaletteIndexColourTablesNeverChange) {
    start_on_display(8);
    const int vb = open(8);
    rs_setrgb(3, 40, 50, 60);
    const std::vector<uint8_t> rgb = numbered(256);
    rs_setdacs(0, 256, rgb.data());
    rs_vbcolors();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(host::read_u16(color_table(vb) + 2 * i), i);
    EXPECT_EQ(entry(3), triple(3));
}

// A buffer's header holds the colour table it was made with; changing the creation depth
// or opening buffers of other depths must not make the library write the other kind,
// which is larger than an index table.
TEST_F(Palettes, ColourTablesKeepTheKindTheirBufferWasMadeWith) {
    start_on_display(8);
    rs_vbdepth(16);
    const int high = rs_vballoc(4, 1);
    rs_vbdepth(8);
    rs_vbopen(high);  // the kind variable is RGB quads now
    const int indexed = rs_vballoc(4, 1);
    ASSERT_GE(indexed, 0);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(host::read_u16(color_table(indexed) + 2 * i), i);

    rs_vbopen(indexed);
    rs_vbdepth(24);  // so is the creation kind
    const std::vector<uint8_t> rgb = numbered(256);
    rs_setdacs(0, 256, rgb.data());
    rs_setrgb(255, 1, 2, 3);
    rs_vbcolors();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(host::read_u16(color_table(indexed) + 2 * i), i);

    // And an RGB-quad buffer stays one when the display changes under it.
    rsp_set_display_depth(32);
    rs_vbdepth(8);
    const int quads = rs_vballoc(4, 1);
    rsp_set_display_depth(8);
    rs_vbopen(quads);
    rs_setrgb(7, 70, 80, 90);
    EXPECT_EQ(color_table(quads)[4 * 7 + 2], 70);
    EXPECT_EQ(color_table(quads)[4 * 255 + 0], 3);
}

// ---- ranges beyond the last entry -------------------------------------------------------------

TEST_F(Palettes, RangesStopAtTheLastEntryAndSkipNegativeIndices) {
    open(16);
    const std::vector<uint8_t> ten = numbered(10);  // exactly what a count of 10 needs
    rs_setdacs(250, 10, ten.data());
    for (int k = 0; k < 6; ++k) EXPECT_EQ(entry(250 + k), triple(k));
    EXPECT_EQ(core::palette().pixels[255], uint32_t((5 >> 3) << 11 | (105 >> 2) << 5 | (195 >> 3)));

    std::vector<uint8_t> out(30, 0xEE);
    rs_getdacs(250, 10, out.data());
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 18), std::vector<uint8_t>(ten.begin(), ten.begin() + 18));
    for (size_t i = 18; i < 30; ++i) EXPECT_EQ(out[i], 0xEE) << i;

    // Entry i always pairs with triple i − start.
    const std::vector<uint8_t> four = numbered(4, 50);
    rs_setdacs(-2, 4, four.data());
    EXPECT_EQ(entry(0), triple(2, 50));
    EXPECT_EQ(entry(1), triple(3, 50));
    std::vector<uint8_t> back(12, 0xEE);
    rs_getdacs(-2, 4, back.data());
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(back[i], 0xEE) << i;
    EXPECT_EQ(back[6], 52);
    EXPECT_EQ(back[11], 200 - 3);
}

TEST_F(Palettes, HugeAndNegativeRangesTouchNothingOutsideThePalette) {
    open(8);
    rs_defpal();
    const core::PaletteState before = core::palette();
    uint8_t small[3] = {1, 2, 3};
    rs_setdacs(INT_MAX, INT_MAX, small);
    rs_setdacs(256, 1, small);
    rs_setdacs(INT_MIN, INT_MAX, small);  // ends at -1
    rs_setdacs(0, -5, small);
    rs_setdacs(0, 0, small);
    rs_setdacs(0, 10, nullptr);
    rs_setrgb(-1, 1, 2, 3);
    rs_setrgb(256, 1, 2, 3);
    const core::PaletteState& now = core::palette();
    EXPECT_EQ(0, std::memcmp(before.entries, now.entries, sizeof now.entries));
    EXPECT_EQ(0, std::memcmp(before.quads, now.quads, sizeof now.quads));
    EXPECT_EQ(0, std::memcmp(before.pixels, now.pixels, sizeof now.pixels));

    rs_getdacs(INT_MAX, INT_MAX, small);
    rs_getdacs(INT_MIN, INT_MAX, small);
    rs_getdacs(0, 1, nullptr);
    int r = 7, g = 7, b = 7;
    rs_getrgb(256, &r, &g, &b);
    rs_getrgb(-1, &r, &g, &b);
    EXPECT_EQ(small[0], 1);
    EXPECT_EQ(r + g + b, 21);

    std::vector<uint8_t> out(56 * 3);  // entries 200..255 of a range that runs on for ever
    rs_getdacs(200, INT_MAX, out.data());
    EXPECT_EQ(out[3 * 55 + 0], before.entries[255].red);

    rs_logpal(INT_MIN, INT_MAX, small);
    rs_logpal(-300, 100, small);  // caller's entries and black fill all below 0
    rs_logpal(INT_MAX, 5, small);
    rs_logpal(0, INT_MIN, nullptr);  // a negative count is 0: black from 0 to 235
    EXPECT_EQ(entry(0), Rgb({0, 0, 0}));
    EXPECT_EQ(entry(235), Rgb({0, 0, 0}));
    EXPECT_EQ(entry(236), Rgb({before.entries[236].red, before.entries[236].green, before.entries[236].blue}));

    for (int bits : {0, 1, 2, -7, 1000}) {  // odd displays still give 256 entries
        rsp_set_display_depth(bits);
        EXPECT_NE(rs_defpal(), nullptr) << bits;
        EXPECT_NE(rs_logpal(10, 0, nullptr), nullptr) << bits;
    }
}

// ---- 6-bit components -----------------------------------------------------------------------

TEST_F(Palettes, MapDacsExpandsSixBitComponentsIgnoringTheTopBits) {
    std::vector<uint8_t> src(256 * 3), dst(256 * 3 + 3, 0xEE);
    for (int v = 0; v < 256; ++v) src[size_t(3 * v)] = src[size_t(3 * v + 1)] = src[size_t(3 * v + 2)] = uint8_t(v);
    rs_mapdacs(src.data(), dst.data(), 256);
    for (int v = 0; v < 256; ++v) {
        const int f = v & 63;
        ASSERT_EQ(dst[size_t(3 * v)], (f * 255 * 2 + 63) / 126) << v;
    }
    EXPECT_EQ(dst[3 * 63], 255);
    EXPECT_EQ(dst[3 * 32], 130);
    EXPECT_EQ(dst[3 * 1], 4);
    EXPECT_EQ(dst[3 * 0xFF], 255);
    EXPECT_EQ(dst[3 * 0x40], 0);
    EXPECT_EQ(dst[768], 0xEE);

    uint8_t same[6] = {63, 32, 1, 0x7F, 0xC0, 10};  // in place
    rs_mapdacs(same, same, 2);
    EXPECT_EQ(std::vector<uint8_t>(same, same + 6), std::vector<uint8_t>({255, 130, 4, 255, 0, 40}));
    rs_mapdacs(same, same, 0);
    rs_mapdacs(same, same, -1);
    rs_mapdacs(nullptr, same, 1);
    EXPECT_EQ(same[0], 255);
}

// ---- realizing and animating ----------------------------------------------------------------

class Realize : public Palettes {
protected:
    host::Device* dc = nullptr;
    void SetUp() override {
        Palettes::SetUp();
        dc = host::create_memory_dc();
        core::devices().window_dc = dc;
    }
    void TearDown() override {
        Palettes::TearDown();
        host::delete_dc(dc);
    }
};

TEST_F(Realize, RealizingSelectsThePaletteAndRecordsTheOneItDisplacedOnce) {
    void* first = rs_defpal();
    void* second = rs_logpal(10, 0, nullptr);
    EXPECT_EQ(rs_realize(first), 0);
    EXPECT_EQ(dc->palette, first);
    EXPECT_EQ(core::palette().realized, first);
    EXPECT_EQ(core::palette().displaced, host::default_palette());
    rs_realize(second);
    EXPECT_EQ(dc->palette, second);
    EXPECT_EQ(core::palette().displaced, host::default_palette());
    rs_vbfin();  // puts the displaced palette back
    EXPECT_EQ(dc->palette, host::default_palette());
    rs_vbinit();
}

TEST_F(Realize, SettingEntriesAnimatesTheRealizedPaletteOnly) {
    open(8);
    void* shown = rs_defpal();
    void* other = rs_defpal();
    rs_realize(shown);
    const std::vector<uint8_t> rgb = numbered(2);
    rs_setdacs(100, 2, rgb.data());
    rs_setrgb(102, 1, 2, 3);
    const host::Palette* s = host_palette(shown);
    EXPECT_EQ(Rgb({s->entries[100].red, s->entries[100].green, s->entries[100].blue}), triple(0));
    EXPECT_EQ(Rgb({s->entries[101].red, s->entries[101].green, s->entries[101].blue}), triple(1));
    EXPECT_EQ(Rgb({s->entries[102].red, s->entries[102].green, s->entries[102].blue}), Rgb({1, 2, 3}));
    EXPECT_EQ(host_palette(other)->entries[100].blue, 255);  // ring 2's first colour, untouched
}

TEST_F(Realize, OnlyReservedEntriesOfARealizedPaletteChange) {
    start_on_display(8);  // the system's static colours carry no reserved flag
    core::devices().window_dc = dc;
    open(8);
    void* shown = rs_defpal();
    rs_realize(shown);
    const std::vector<uint8_t> rgb = numbered(12, 1);
    rs_setdacs(0, 12, rgb.data());
    const host::Palette* s = host_palette(shown);
    EXPECT_EQ(s->entries[9].red, 164);  // static colour 9 stays
    EXPECT_EQ(s->entries[10].red, 11);
    EXPECT_EQ(entry(9), triple(9, 1));  // the library palette changes all the same
}

TEST_F(Realize, StaleHandlesAndAMissingWindowAreIgnored) {
    open(8);
    int dummy = 0;
    rs_realize(&dummy);  // not a palette
    EXPECT_EQ(dc->palette, nullptr);
    EXPECT_EQ(core::palette().displaced, nullptr);
    rs_setrgb(1, 1, 1, 1);  // animating a non-palette does nothing

    void* pal = rs_defpal();
    host::delete_palette(host_palette(pal));
    rs_realize(pal);  // deleted
    EXPECT_EQ(dc->palette, nullptr);
    rs_setrgb(1, 2, 2, 2);

    core::devices().window_dc = &dummy;  // not a device
    rs_realize(rs_defpal());
    EXPECT_EQ(core::palette().displaced, nullptr);
    rs_vbfin();
    rs_vbinit();
    core::devices().window_dc = dc;

    void* good = rs_defpal();
    rs_realize(good);
    host::delete_palette(host_palette(good));  // the application deletes it while shown
    rs_setrgb(1, 3, 3, 3);
    void* next = rs_defpal();
    rs_realize(next);
    EXPECT_EQ(dc->palette, next);
    EXPECT_EQ(core::palette().displaced, host::default_palette());
}

}  // namespace
