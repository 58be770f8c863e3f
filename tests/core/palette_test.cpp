// Palettes: the three forms kept in step, entries and ranges, default and logical palettes, realizing.
#include "core/palette.h"

#include "support.h"

using namespace test;

namespace {

using Rgb = std::array<int, 3>;

Rgb entry(int i) {
    int r = -1, g = -1, b = -1;
    return rs_getrgb(i, &r, &g, &b), Rgb{r, g, b};
}
Rgb quad(int i) { return {core::palette().quads[i].red, core::palette().quads[i].green, core::palette().quads[i].blue}; }
const host::PaletteColor& host_colour(void* palette, int i) { return host::palette_from_handle(palette)->entries[i]; }
Rgb host_entry(void* palette, int i) { return {host_colour(palette, i).red, host_colour(palette, i).green, host_colour(palette, i).blue}; }
int flags(int i) { return core::palette().entries[i].flags; }
const uint8_t* table(int vb) { return core::vb_table().slots[size_t(vb)].header + 40; }
Rgb table_quad(int vb, int i) { return {table(vb)[4 * i + 2], table(vb)[4 * i + 1], table(vb)[4 * i]}; }
Rgb triple(int k, int salt = 0) { return {uint8_t(k + salt), uint8_t(100 + k), uint8_t(200 - k)}; }
std::vector<uint8_t> numbered(int count, int salt = 0) {  // triple k tells which triple it is
    std::vector<uint8_t> rgb;
    for (int k = 0; k < count; ++k) rgb.insert(rgb.end(), {uint8_t(k + salt), uint8_t(100 + k), uint8_t(200 - k)});
    return rgb;
}

// The palette and the window DC outlive rs_vbinit: each test starts afresh, a memory DC as window.
class Palettes : public Library {
protected:
    host::Device* dc = nullptr;
    void SetUp() override { core::palette() = {}, Library::SetUp(), core::devices().window_dc = dc = host::create_memory_dc(); }
    void TearDown() override { Library::TearDown(), host::delete_dc(dc), core::devices().window_dc = nullptr, core::palette() = {}; }
    static int open8() { return rs_vbopen(rs_vballoc(4, 2)), rs_vbhandle(); }
};

// The pixel table and the active colour table wait for rs_vbcolors.
TEST_F(Palettes, DefaultPaletteHasStaticColoursSixteenColoursGreysAndHueRings) {
    const int vb = open8();
    core::palette().pixels[40] = 0x1234;
    void* handle = rs_defpal();
    for (const auto& [i, rgb] : {std::pair{30, Rgb{0, 0, 255}}, {38, {255, 0, 0}}, {245, {44, 48, 64}}, {255, {255, 255, 255}},
                                 {9, {164, 200, 240}}, {16, {170, 85, 0}}, {28, {170, 170, 170}}, {43, {190, 255, 0}}})
        EXPECT_EQ(entry(i), rgb) << i;
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(list(quad(i), host_entry(handle, i), Rgb{flags(i), host_colour(handle, i).flags}), list(entry(i), entry(i), Rgb{1, 1})) << i;
    EXPECT_EQ(list(table_quad(vb, 30), Rgb{int(core::palette().pixels[40])}), list(Rgb{}, Rgb{0x1234}));
    EXPECT_EQ((rs_vbcolors(), table_quad(vb, 30)), entry(30));
    EXPECT_NE(rs_defpal(), handle);  // a new palette each time
    EXPECT_EQ((rsp_set_display_depth(15), rs_colors()), 16);
}

// The caller's colours from start on, then black up to 236 entries; nothing outside 0..255 exists.
TEST_F(Palettes, LogicalPalettePutsCallerColoursThenBlackBetweenTheStaticColours) {
    open8();
    const std::vector<uint8_t> given = numbered(236);
    for (auto [start, count] : {std::pair{10, 0}, {10, 3}, {10, 236}, {100, 0}, {250, 10}, {-300, 100}, {INT_MIN, INT_MAX},
                                {INT_MAX, 5}, {0, INT_MIN}}) {
        rs_defpal();
        std::array<Rgb, 256> want;
        for (int i = 0; i < 256; ++i) want[size_t(i)] = entry(i);
        const int64_t end = int64_t(start) + std::max(count, 0), black_end = std::max(end, int64_t(start) + 236);
        for (int64_t i = std::max<int64_t>(start, 0); i < std::min<int64_t>(black_end, 256); ++i)
            want[size_t(i)] = i < end ? triple(int(i - start)) : Rgb{};
        void* handle = rs_logpal(start, count, given.data());
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(list(entry(i), quad(i), host_entry(handle, i)), list(want[size_t(i)], want[size_t(i)], want[size_t(i)]))
                << start << " + " << count << ": " << i;
    }
}

// System colours and flags: ten at each end of 256 colours, eight of sixteen; odd displays give 256.
TEST_F(Palettes, OnAPaletteDisplayTheStaticColoursComeFromTheSystem) {
    for (auto [bits, low, high] : {std::array{8, 10, 246}, {4, 8, 248}})
        for (bool logical : {false, true}) {
            rsp_set_display_depth(bits);
            void* palette = logical ? rs_logpal(10, 0, nullptr) : rs_defpal();
            for (int i = 0; i < 256; ++i) {
                const int reserved = i >= low && i < high;
                ASSERT_EQ(list(flags(i), int(host_colour(palette, i).flags)), list(reserved, reserved)) << i;
            }
            EXPECT_EQ(list(entry(9), entry(245), entry(248)), list(Rgb{164, 200, 240}, logical ? Rgb{} : Rgb{44, 48, 64}, Rgb{128, 128, 128}));
        }
    for (int bits : {0, 1, 2, -7, 1000}) EXPECT_TRUE((rsp_set_display_depth(bits), rs_defpal() && rs_logpal(10, 0, nullptr))) << bits;
}

class SetEntries : public EachDepth {
protected:
    void SetUp() override { core::palette() = {}, EachDepth::SetUp(); }  // the palette outlives rs_vbinit
    void TearDown() override { EachDepth::TearDown(), core::palette() = {}; }
    int pixel(const Rgb& c) const {  // 8-bit buffers have no pixel table
        return depth() == 8 ? 0 : depth() == 16 ? (c[0] >> 3) << 11 | (c[1] >> 2) << 5 | (c[2] >> 3) : c[0] << 16 | c[1] << 8 | c[2];
    }
};

// rs_setrgb keeps flags and the quad's reserved byte; opening rebuilds the pixel table for the depth.
TEST_P(SetEntries, SettingEntriesKeepsTheThreeFormsAndTheColourTableInStep) {
    const int vb = open(4, 2);
    rs_setdacs(5, 3, numbered(3, 7).data());
    for (int i = 0; i < 256; ++i) {
        const Rgb want = i >= 5 && i < 8 ? triple(i - 5, 7) : Rgb{};
        ASSERT_EQ(list(entry(i), quad(i), depth() == 8 ? table_quad(vb, i) : want), list(want, want, want)) << i;
        ASSERT_EQ(list(flags(i), int(core::palette().pixels[i])), list(int(i >= 5 && i < 8), pixel(want))) << i;
    }
    core::palette().entries[5].flags = 0;
    core::palette().quads[5].reserved = 9;
    rs_setrgb(5, 10, 20, 30), rs_setrgb(6, 0x1FF, -1, 256);
    const Rgb five = {10, 20, 30};
    EXPECT_EQ(list(entry(5), quad(5), depth() == 8 ? table_quad(vb, 5) : five, entry(6)), list(five, five, five, Rgb{255, 255, 0}));
    EXPECT_EQ(list(flags(5), int(core::palette().quads[5].reserved), depth() == 8 ? table(vb)[23] : 9), list(0, 9, 9));
    EXPECT_EQ(int(core::palette().pixels[5]), depth() == 16 ? 0x08A3 : pixel(five));
    rs_vbdepth(8), rs_vbopen(rs_vballoc(4, 1)), rs_defpal(), open(4, 1);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(int(core::palette().pixels[i]), pixel(entry(i))) << i;
}

RSW32_EACH_DEPTH(SetEntries);

// Entry i pairs with triple i − start, entries outside 0..255 are skipped; without a buffer nothing is
// set.
TEST_F(Palettes, RangesStopAtTheLastEntryAndSkipNegativeIndices) {
    rs_vbdepth(16), open8();
    const std::vector<uint8_t> ten = numbered(10), four = numbered(4, 50);
    rs_setdacs(250, 10, ten.data()), rs_setdacs(-2, 4, four.data());
    EXPECT_EQ(list(entry(0), entry(1), entry(250), entry(255)), list(triple(2, 50), triple(3, 50), triple(0), triple(5)));
    EXPECT_EQ(core::palette().pixels[255], uint32_t((5 >> 3) << 11 | (105 >> 2) << 5 | (195 >> 3)));
    Guarded out(30, 0xEE), back(12, 0xEE), one(3, 9), rest(56 * 3);
    rs_getdacs(250, 10, out.data()), rs_getdacs(-2, 4, back.data());
    std::vector<uint8_t> want(ten.begin(), ten.begin() + 18), none(6, 0xEE);
    want.resize(30, 0xEE), none.insert(none.end(), four.begin() + 6, four.end());
    EXPECT_EQ(list(out.contents(), back.contents()), list(want, none));
    const core::PaletteState before = core::palette();
    for (auto [start, count] : {std::pair{INT_MAX, INT_MAX}, {256, 1}, {INT_MIN, INT_MAX}, {0, -5}, {0, 0}})
        rs_setdacs(start, count, one.data()), rs_getdacs(start, count, one.data());
    rs_setdacs(0, 10, nullptr), rs_getdacs(0, 1, nullptr), rs_setrgb(-1, 1, 2, 3), rs_setrgb(256, 1, 2, 3);
    rs_vbclose(), rs_setdacs(0, 4, ten.data()), rs_setrgb(1, 50, 60, 70);
    EXPECT_EQ(0, std::memcmp(before.entries, core::palette().entries, 3 * 1024));  // entries, quads and pixels
    int r = 7, g = 7, b = 7;
    rs_getrgb(-1, &r, &g, &b), rs_getrgb(256, &r, &g, &b), rs_getrgb(0, nullptr, nullptr, nullptr);
    EXPECT_EQ(list(r, g, b, int(one.contents()[0])), list(7, 7, 7, 9));
    rs_getdacs(1, 1, one.data()), rs_getdacs(200, INT_MAX, rest.data());  // entries 200..255 of a range without end
    const std::vector<uint8_t> last = rest.contents();
    EXPECT_EQ(list(one.contents(), std::vector<uint8_t>(last.end() - 3, last.end())),
              list(std::vector<uint8_t>(four.begin() + 9, four.end()), std::vector<uint8_t>{5, 105, 195}));
    EXPECT_TRUE(out.guards_intact() && back.guards_intact() && one.guards_intact() && rest.guards_intact());
}

// 6-bit components: f × 255 / 63 rounded, bits 6 and 7 ignored, in place allowed.
TEST_F(Palettes, MapDacsExpandsSixBitComponentsIgnoringTheTopBits) {
    std::vector<uint8_t> src(255);
    std::iota(src.begin(), src.end(), uint8_t(0));
    Guarded dst(256), same({63, 32, 1, 0x7F, 0xC0, 10});
    rs_mapdacs(src.data(), dst.data(), 85), rs_mapdacs(same.data(), same.data(), 2), rs_mapdacs(same.data(), same.data(), -1);
    rs_mapdacs(nullptr, same.data(), 1), rs_mapdacs(same.data(), nullptr, 1);
    for (int v = 0; v < 256; ++v) ASSERT_EQ(dst.contents()[size_t(v)], v < 255 ? ((v & 63) * 510 + 63) / 126 : 0) << v;
    EXPECT_EQ(same.contents(), std::vector<uint8_t>({255, 130, 4, 255, 0, 40}));
    EXPECT_TRUE(dst.guards_intact() && same.guards_intact());
}

// A buffer keeps the colour table kind it was made with (palette indices never change); writing the
// other kind, larger than an index table, overran it.
TEST_F(Palettes, ColourTablesKeepTheKindTheirBufferWasMadeWith) {
    rsp_set_display_depth(8), rs_vbinit(), rs_vbdepth(16);
    const int high = rs_vballoc(4, 1);
    rs_vbdepth(8), rs_vbopen(high);  // the kind variable is RGB quads now
    const int indexed = open8();
    rs_vbdepth(24);  // so is the creation kind
    rs_setdacs(0, 256, numbered(256).data()), rs_vbcolors();
    for (int i = 0; i < 256; ++i) ASSERT_EQ(host::read_u16(table(indexed) + 2 * i), i);
    rsp_set_display_depth(32), rs_vbdepth(8);  // an RGB-quad buffer stays one when the display changes
    const int quads = rs_vballoc(4, 1), idle = rs_vballoc(4, 1);
    rsp_set_display_depth(8), rs_vbopen(quads), rs_setrgb(7, 70, 80, 90);
    EXPECT_EQ(list(table_quad(quads, 7), table_quad(quads, 255), table_quad(idle, 7)), list(Rgb{70, 80, 90}, triple(255), triple(7)));
    rs_vbclose(), rs_vbcolors(), rs_vbopen(idle);  // rs_vbcolors does nothing without an active buffer
    EXPECT_EQ(table_quad(idle, 7), Rgb({70, 80, 90}));
}

// The first palette displaced comes back at the end; only reserved entries of the realized palette
// are animated, and system colours carry no reserved flag.
TEST_F(Palettes, RealizedPalettesAreAnimatedInTheirReservedEntries) {
    rsp_set_display_depth(8), open8();
    int dummy = 0;
    void* deleted = rs_defpal();
    host::delete_palette(host::palette_from_handle(deleted));
    for (void* p : {static_cast<void*>(&dummy), deleted}) rs_realize(p), rs_setrgb(1, 1, 1, 1);  // no palettes: ignored
    EXPECT_EQ(list(static_cast<void*>(dc->palette), core::palette().displaced), list<void*>(nullptr, nullptr));
    void* shown = rs_defpal();
    void* other = rs_defpal();
    EXPECT_EQ(rs_realize(other), 0);
    rs_realize(shown);
    EXPECT_EQ(list(static_cast<void*>(dc->palette), core::palette().displaced), list<void*>(shown, host::default_palette()));
    const Rgb was = entry(102);
    rs_setdacs(0, 12, numbered(12, 1).data()), rs_setrgb(102, 1, 2, 3);
    EXPECT_EQ(list(host_entry(shown, 9), host_entry(shown, 10), host_entry(shown, 102), host_entry(other, 102), entry(9)),
              list(Rgb{164, 200, 240}, triple(10, 1), Rgb{1, 2, 3}, was, triple(9, 1)));
    host::delete_palette(host::palette_from_handle(shown));  // deleted while shown
    rs_setrgb(1, 3, 3, 3), rs_vbfin();
    EXPECT_EQ(static_cast<void*>(dc->palette), host::default_palette());
    rs_vbinit(), core::devices().window_dc = &dummy, rs_realize(rs_defpal());  // not a device
}

}  // namespace
