// Presenting: paste and scale geometry into surfaces at every depth, palette-index buffers,
// print units and print jobs, the clipboard layout and both clipboard directions, and the
// client mapping.
#include "core/present.h"

#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "core/color.h"
#include "core/palette.h"
#include "core/vbuf.h"
#include "platform/common/dib.h"
#include "platform/common/objects.h"
#include "support.h"

namespace {

using test::EachDepth;
using test::Library;

constexpr uint32_t sentinel = 0x00123456;

// A palette whose 256 colours differ from each other and from the sentinel.
void distinct_palette() {
    std::vector<uint8_t> rgb(256 * 3);
    for (int i = 0; i < 256; ++i) {
        rgb[size_t(3 * i)] = uint8_t(i);
        rgb[size_t(3 * i + 1)] = uint8_t(255 - i);
        rgb[size_t(3 * i + 2)] = uint8_t(i * 7);
    }
    rs_setdacs(0, 256, rgb.data());
}

// Writes a pattern of varied raw values into every pixel of the active buffer.
void fill_pattern() {
    if (rs_getdepth() == 8) distinct_palette();
    const core::ActiveBuffer& vb = core::active();
    for (int y = 0; y < vb.height; ++y)
        for (int x = 0; x < vb.width; ++x) {
            const uint32_t v = uint32_t(x * 2654435761u) ^ uint32_t(y * 40503u) ^ uint32_t(x * y * 97u);
            core::with_depth(vb.depth, [&](auto d) { decltype(d)::store(core::pixel_address(vb, x, y), v); });
        }
}

// The colour a device shows for pixel (x, y) of the active buffer.
uint32_t colour_of(int x, int y) {
    const uint32_t raw = test::raw_pixel(x, y);
    switch (rs_getdepth()) {
    case 8: {
        const core::PaletteEntry& e = core::palette().entries[raw];
        return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
    }
    case 16:
        return uint32_t(core::expand5[raw >> 11]) << 16 | uint32_t(core::expand6[(raw >> 5) & 63]) << 8 |
               core::expand5[raw & 31];
    default: return raw & 0x00FFFFFF;
    }
}

// A surface as the window DC, filled with the sentinel colour.
struct Surface {
    RS_HDC dc;
    int width, height;
    Surface(int w, int h) : dc(rsp_surface_create(w, h)), width(w), height(h) {
        EXPECT_NE(dc, nullptr);
        auto* p = const_cast<unsigned*>(rsp_surface_pixels(dc, nullptr, nullptr));
        std::fill(p, p + w * h, sentinel);
        rs_setdc(dc);
    }
    ~Surface() {
        rs_setdc(nullptr);
        rsp_surface_destroy(dc);
    }
    uint32_t at(int x, int y) const { return rsp_surface_pixels(dc, nullptr, nullptr)[y * width + x]; }
};

// Source pixel along one axis for device pixel v: pixel k from the device origin (forward
// for a positive extent, backward for a negative one) takes region pixel k × |se| / |de|
// from the region origin, counted the same way. Returns false when v is not covered.
bool axis_source(int64_t v, int64_t d0, int64_t de, int64_t s0, int64_t se, int64_t& s) {
    if (de == 0 || se == 0) return false;
    const int64_t k = de > 0 ? v - d0 : d0 - 1 - v;
    const int64_t dn = de < 0 ? -de : de, sn = se < 0 ? -se : se;
    if (k < 0 || k >= dn) return false;
    const int64_t m = k * sn / dn;
    s = se > 0 ? s0 + m : s0 - 1 - m;
    return true;
}

// What the surface must show after rs_vbscale of the region onto the device rectangle,
// given what it showed before.
std::vector<uint32_t> expected_scale(const std::vector<uint32_t>& before, int sw, int sh, int minx, int maxx, int miny,
                                     int maxy, int dminx, int dmaxx, int dminy, int dmaxy) {
    std::vector<uint32_t> out = before;
    const int w = rs_getmaxx() + 1, h = rs_getmaxy() + 1;
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) {
            int64_t sx, sy;
            if (!axis_source(x, dminx, int64_t(dmaxx) - dminx + 1, minx, int64_t(maxx) - minx + 1, sx)) continue;
            if (!axis_source(y, dminy, int64_t(dmaxy) - dminy + 1, miny, int64_t(maxy) - miny + 1, sy)) continue;
            if (sx < 0 || sx >= w || sy < 0 || sy >= h) continue;
            out[size_t(y * sw + x)] = colour_of(int(sx), int(sy));
        }
    return out;
}

std::vector<uint32_t> pixels_of(const Surface& s) {
    const unsigned* p = rsp_surface_pixels(s.dc, nullptr, nullptr);
    return {p, p + s.width * s.height};
}

// ---- paste ------------------------------------------------------------------------------

class Paste : public EachDepth {};

TEST_P(Paste, WholeBufferFillsTheDeviceOneToOne) {
    open(640, 480);
    fill_pattern();
    Surface s(640, 480);
    rs_vbpaste(0, 639, 0, 479, 0, 479);
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 5) ASSERT_EQ(s.at(x, y), colour_of(x, y)) << x << "," << y;
    EXPECT_EQ(s.at(639, 479), colour_of(639, 479));
}

TEST_P(Paste, LowerLeftPixelLandsOnThePointAndNothingElseChanges) {
    open(640, 480);
    fill_pattern();
    Surface s(320, 240);
    rs_vbpaste(10, 19, 20, 29, 100, 200);
    EXPECT_EQ(s.at(100, 200), colour_of(10, 29));
    EXPECT_EQ(s.at(100, 191), colour_of(10, 20));
    EXPECT_EQ(s.at(109, 191), colour_of(19, 20));
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const bool inside = x >= 100 && x <= 109 && y >= 191 && y <= 200;
            ASSERT_EQ(s.at(x, y), inside ? colour_of(x - 90, y - 171) : sentinel) << x << "," << y;
        }
}

TEST_P(Paste, ClipsAtTheSurfaceEdgesAndAtTheBufferEdges) {
    open(40, 30);
    fill_pattern();
    Surface s(32, 24);
    // Lower-left on (-5, 27): the region hangs over the left and bottom edges.
    rs_vbpaste(0, 39, 0, 29, -5, 27);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(s.at(x, y), colour_of(x + 5, y + 2)) << x << "," << y;
    // A region reaching outside the buffer shows only the part inside, in its place.
    Surface t(60, 50);
    rs_vbpaste(-10, 45, -3, 35, 0, 49);  // (−10, 35) lands on (0, 49); (0, 0) on (10, 14)
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x) {
            const int bx = x - 10, by = y - 14;
            const bool inside = bx >= 0 && bx < 40 && by >= 0 && by < 30;
            ASSERT_EQ(t.at(x, y), inside ? colour_of(bx, by) : sentinel) << x << "," << y;
        }
}

TEST_P(Paste, NothingWithoutABufferOrDeviceAndNothingForHostileRectangles) {
    open(16, 16);
    fill_pattern();
    Surface s(16, 16);
    const std::vector<uint32_t> before = pixels_of(s);
    rs_vbpaste(INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0);
    rs_vbpaste(0, 15, 0, 15, INT_MAX, INT_MIN);
    rs_vbpaste(15, 0, 15, 0, 0, 15);
    rs_vbscale(INT_MIN, INT_MAX, 0, 15, INT_MAX, INT_MIN, 0, 15);
    rs_vbscale(0, 15, 0, 15, 0, INT_MAX, 0, INT_MAX);  // extents wrap to INT_MIN: backwards, unseen
    EXPECT_EQ(pixels_of(s), before);
    rs_vbscale(0, 15, 0, 15, 0, INT_MAX - 1, 0, INT_MAX - 1);  // huge, but planned for the surface only
    EXPECT_EQ(s.at(0, 0), colour_of(0, 0));
    EXPECT_EQ(s.at(15, 15), colour_of(0, 0));  // one pixel covers ~2^27 device pixels
    Surface t(16, 16);
    const std::vector<uint32_t> clean = pixels_of(t);
    rs_vbclose();
    rs_vbpaste(0, 15, 0, 15, 0, 15);
    rs_vbscale(0, 15, 0, 15, 0, 15, 0, 15);
    EXPECT_EQ(pixels_of(t), clean);
    rs_setdc(reinterpret_cast<RS_HDC>(0x1234));  // not a device: nothing, no crash
    rs_vbopen(0);
    rs_vbpaste(0, 15, 0, 15, 0, 15);
    rs_setdc(rs_getdc());  // the library's memory DC: copies into it draw nothing
    rs_vbpaste(0, 15, 0, 15, 0, 15);
    EXPECT_EQ(pixels_of(t), clean);
}

RSW32_EACH_DEPTH(Paste);

// ---- scale ------------------------------------------------------------------------------

class Scale : public EachDepth {};

TEST_P(Scale, TwiceUpRepeatsAndTwiceDownDropsWithoutBlending) {
    open(20, 10);
    fill_pattern();
    Surface s(40, 20);
    rs_vbscale(0, 19, 0, 9, 0, 39, 0, 19);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(s.at(x, y), colour_of(x / 2, y / 2)) << x << "," << y;
    Surface t(10, 5);
    rs_vbscale(0, 19, 0, 9, 0, 9, 0, 4);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(t.at(x, y), colour_of(2 * x, 2 * y)) << x << "," << y;
}

TEST_P(Scale, OppositeSignExtentsMirror) {
    open(8, 6);
    fill_pattern();
    Surface s(8, 6);
    rs_vbscale(0, 7, 0, 5, 8, -1, 6, -1);  // extents −8 and −6 from 8 and 6: columns 0..7, rows 0..5
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(s.at(x, y), colour_of(7 - x, 5 - y)) << x << "," << y;
}

TEST_P(Scale, MatchesThePerPixelMappingOnRandomRectangles) {
    open(37, 23);
    fill_pattern();
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int drawn = 0;
    for (int round = 0; round < 150; ++round) {
        Surface s(50, 40);
        const int minx = pick(-10, 45), maxx = pick(-10, 45), miny = pick(-8, 30), maxy = pick(-8, 30);
        const int dminx = pick(-30, 80), dmaxx = pick(-30, 80), dminy = pick(-30, 70), dmaxy = pick(-30, 70);
        const std::vector<uint32_t> expected =
            expected_scale(pixels_of(s), 50, 40, minx, maxx, miny, maxy, dminx, dmaxx, dminy, dmaxy);
        drawn += expected != pixels_of(s);
        rs_vbscale(minx, maxx, miny, maxy, dminx, dmaxx, dminy, dmaxy);
        ASSERT_EQ(pixels_of(s), expected) << "round " << round << ": " << minx << " " << maxx << " " << miny << " "
                                          << maxy << " -> " << dminx << " " << dmaxx << " " << dminy << " " << dmaxy;
    }
    EXPECT_GT(drawn, 30);  // the rounds exercise real copies, mirrored ones included
}

RSW32_EACH_DEPTH(Scale);

// On a palette display, 8-bit buffers hold palette indices, which the device resolves
// through its selected palette, or through the host's default palette without one.
TEST_F(Library, PaletteIndexBuffersShowTheDevicePalette) {
    rsp_set_display_depth(8);
    rs_vbinit();
    rs_vbdepth(8);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 1)), 0);
    ASSERT_EQ(core::vb_table().table_kind, core::table_palette_indices);
    for (int x = 0; x < 4; ++x) *core::pixel_address(core::active(), x, 0) = uint8_t(x == 3 ? 250 : x * 5);
    Surface s(4, 1);
    rs_vbpaste(0, 3, 0, 0, 0, 0);
    EXPECT_EQ(s.at(0, 0), 0x000000u);  // default palette: static colours at both ends
    EXPECT_EQ(s.at(1, 0), 0x800080u);  // entry 5
    EXPECT_EQ(s.at(2, 0), 0x000000u);  // entry 10: black between the static colours
    EXPECT_EQ(s.at(3, 0), 0x00FF00u);  // entry 250

    uint8_t record[4 + 4 * 256] = {0x00, 0x03, 0x00, 0x01};
    for (int i = 0; i < 256; ++i) record[4 + 4 * i] = uint8_t(i), record[5 + 4 * i] = 7, record[6 + 4 * i] = 9;
    host::Palette* palette = host::create_palette(record);
    host::select_palette(host::device_from_handle(s.dc), palette, false);
    rs_vbscale(0, 3, 0, 0, 0, 3, 0, 0);
    EXPECT_EQ(s.at(1, 0), 0x050709u);
    EXPECT_EQ(s.at(3, 0), 0xFA0709u);
    host::delete_palette(palette);  // a deleted palette falls back to the default one
    rs_vbpaste(0, 3, 0, 0, 0, 0);
    EXPECT_EQ(s.at(3, 0), 0x00FF00u);
}

// ---- client mapping ----------------------------------------------------------------------

TEST_F(Library, ClientMappingUsesTheFocusedClientArea) {
    rs_vbdepth(32);
    ASSERT_EQ(rs_vbopen(rs_vballoc(640, 480)), 0);
    rsp_focus(nullptr, 0, 0);
    EXPECT_EQ(rs_xclient(10), -1);
    EXPECT_EQ(rs_yvb(10), -1);
    RS_HDC s = rsp_surface_create(320, 240);
    ASSERT_EQ(rsp_focus(s, 1280, 720), 0);
    EXPECT_EQ(rs_xclient(639), 1278);
    EXPECT_EQ(rs_yclient(479), 718);
    EXPECT_EQ(rs_xvb(1279), 639);
    EXPECT_EQ(rs_yvb(719), 479);
    EXPECT_EQ(rs_xclient(-3), -6);  // truncation toward zero
    EXPECT_EQ(rs_yvb(-1), 0);
    // 64-bit products: 2^30 × 720 does not fit 32 bits.
    EXPECT_EQ(rs_yclient(1 << 30), int(int64_t(1 << 30) * 720 / 480));
    ASSERT_EQ(rsp_focus(s, 0, 0), 0);  // the surface's own size
    EXPECT_EQ(rs_xclient(640), 320);
    rsp_surface_destroy(s);  // a destroyed surface has no focus any more
    EXPECT_EQ(rs_xclient(640), -1);
}

// ---- printing ----------------------------------------------------------------------------

TEST(PrintUnits, EachUnitConvertsInUnsigned32BitArithmetic) {
    EXPECT_EQ(core::print_units(100, 4, 4800, 203), 2364u);  // 100 mm
    EXPECT_EQ(core::print_units(1234, 0, 4800, 203), 1234u);
    EXPECT_EQ(core::print_units(1234, 7, 4800, 203), 1234u);
    EXPECT_EQ(core::print_units(1234, -1, 4800, 203), 1234u);
    EXPECT_EQ(core::print_units(50, 1, 4800, 203), 2400u);
    EXPECT_EQ(core::print_units(100, 2, 4800, 203), 600u);   // an inch: (12700 × 4800 / 203) / 500
    EXPECT_EQ(core::print_units(1000, 3, 4800, 203), 600u);  // 127000 × 4800 / 203 / 5000
    EXPECT_EQ(core::print_units(254, 5, 4800, 203), 600u);   // 25.4 mm
    EXPECT_EQ(core::print_units(2540, 6, 4800, 203), 600u);
    // v × 127 wraps at 32 bits before the 64-bit product; v × res wraps for millimetres.
    EXPECT_EQ(core::print_units(40000000, 2, 4800, 203),
              uint32_t(uint64_t(uint32_t(40000000u * 127u)) * 4800 / 203) / 500);
    EXPECT_EQ(core::print_units(1000000, 4, 4800, 203), uint32_t(1000000u * 4800u) / 203);
    EXPECT_EQ(core::print_units(uint32_t(-1), 0, 4800, 203), uint32_t(-1));
}

TEST_F(Library, PrintJobCodes) {
    rs_vbdepth(24);
    ASSERT_EQ(rs_vbopen(rs_vballoc(8, 8)), 0);
    rsp_printer_default(nullptr);
    EXPECT_EQ(rs_printer(10), -1);
    rsp_printer_default("no such printer");
    EXPECT_EQ(rs_printer(10), -4);
    EXPECT_EQ(core::devices().printer_dc, nullptr);

    const std::string dir = RSW32_TEST_OUTPUT_DIR;
    ASSERT_EQ(rsp_printer_add("plotter", (dir + "/plotter.pdf").c_str(), 100, 100, 10, 10, 0), 0);
    rsp_printer_default("plotter");
    EXPECT_EQ(rs_printer(10), -3);
    EXPECT_NE(core::devices().printer_dc, nullptr);  // stays set after the failed check
    EXPECT_EQ(rs_printer(2), 0);
    EXPECT_EQ(core::devices().printer_dc, nullptr);

    ASSERT_EQ(rsp_printer_add("lost", (dir + "/no/such/dir/out.pdf").c_str(), 100, 100, 10, 10, 1), 0);
    rsp_printer_default("lost");
    EXPECT_EQ(rs_printer(10), -2);
    EXPECT_NE(core::devices().printer_dc, nullptr);
    EXPECT_EQ(rs_printer(11), 0);
    EXPECT_EQ(core::devices().printer_dc, nullptr);
    EXPECT_EQ(rs_printer(5), 0);
    EXPECT_EQ(rs_printer(1), 0);  // no printer: nothing

    EXPECT_EQ(rsp_printer_add("", "x.pdf", 1, 1, 1, 1, 1), -1);
    EXPECT_EQ(rsp_printer_add("p", "x.pdf", 0, 1, 1, 1, 1), -1);
    EXPECT_EQ(rsp_printer_add("p", "x.pdf", 1, 1, 1, 0, 1), -1);
    EXPECT_EQ(rsp_printer_add("p", nullptr, 1, 1, 1, 1, 1), -1);
}

// rs_printdc with a surface: rs_vbprint converts units with the surface's resolution (its
// size over a notional 96 pixels per inch) and stretches the region onto it.
TEST_F(Library, PrintingOntoASurfaceConvertsUnits) {
    rs_vbdepth(32);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 4)), 0);
    fill_pattern();
    RS_HDC page = rsp_surface_create(960, 480);  // 254 × 127 mm
    rs_printdc(page);
    rs_vbprint(0, 3, 0, 3, 10, 20, 5, 15, 4);  // 10..20 mm → 37..75 px; 5..15 mm → 18..56 px
    const unsigned* p = rsp_surface_pixels(page, nullptr, nullptr);
    EXPECT_EQ(p[18 * 960 + 37], colour_of(0, 0));
    EXPECT_EQ(p[56 * 960 + 75], colour_of(3, 3));
    EXPECT_EQ(p[17 * 960 + 37], 0u);
    EXPECT_EQ(p[18 * 960 + 36], 0u);
    EXPECT_EQ(p[57 * 960 + 75], 0u);
    EXPECT_EQ(p[56 * 960 + 76], 0u);
    EXPECT_EQ(rs_printer(10), -2);  // a surface cannot start a document
    EXPECT_EQ(rs_printer(2), 0);    // and is not released by ending the job
    EXPECT_NE(rsp_surface_pixels(page, nullptr, nullptr), nullptr);
    rsp_surface_destroy(page);
}

// ---- clipboard ---------------------------------------------------------------------------

std::vector<uint8_t> clipboard(int format) {
    std::vector<uint8_t> out(size_t(std::max(rsp_clipboard_get(format, nullptr, 0), 0)));
    rsp_clipboard_get(format, out.data(), int(out.size()));
    return out;
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return host::read_u32(b.data() + at); }

class Clipboard : public EachDepth {
protected:
    void TearDown() override {
        rsp_clipboard_hold(0);
        EachDepth::TearDown();
    }
};

TEST_P(Clipboard, ThreePixelRegionIsPaddedToFourWithFFBytes) {
    open(10, 6);
    fill_pattern();
    ASSERT_EQ(rs_vb2clip(2, 4, 1, 3), 0);
    const std::vector<uint8_t> dib = clipboard(host::cf_dib);
    const int b = depth() / 8;
    const int row = 3 * b, pad = (4 - row % 4) % 4;
    const bool masks = depth() == 16 || depth() == 32;
    const size_t header = depth() == 8 ? 40 + 1024 : masks ? 52 : 40;  // short header form
    ASSERT_EQ(dib.size(), size_t(row + pad) * 3 + 1024 + (depth() == 8 ? 40 : header));
    EXPECT_EQ(u32(dib, 0), 40u);
    EXPECT_EQ(u32(dib, 4), uint32_t((row + pad) / b));
    EXPECT_EQ(depth() == 32 ? 3u : 4u, u32(dib, 4));
    EXPECT_EQ(u32(dib, 8), 3u);
    EXPECT_EQ(host::read_u16(dib.data() + 12), 1);
    EXPECT_EQ(host::read_u16(dib.data() + 14), depth());
    EXPECT_EQ(u32(dib, 16), masks ? 3u : 0u);
    if (depth() == 16) { EXPECT_EQ(u32(dib, 40), 0xF800u); }
    if (depth() == 32) { EXPECT_EQ(u32(dib, 48), 0xFFu); }
    if (depth() == 8) { EXPECT_EQ(std::memcmp(dib.data() + 40, core::palette().quads, 1024), 0); }
    // Rows from the region's bottom row up, each followed by the pad.
    for (int j = 0; j < 3; ++j) {
        const uint8_t* r = dib.data() + header + size_t(j * (row + pad));
        EXPECT_EQ(std::memcmp(r, core::pixel_address(core::active(), 2, 3 - j), size_t(row)), 0) << j;
        for (int i = 0; i < pad; ++i) EXPECT_EQ(r[row + i], 0xFF);
    }
    // 8-bit buffers also put their palette on the clipboard.
    const std::vector<uint8_t> pal = clipboard(host::cf_palette);
    if (depth() == 8) {
        ASSERT_EQ(pal.size(), 1028u);
        EXPECT_EQ(host::read_u16(pal.data()), 0x300);
        EXPECT_EQ(host::read_u16(pal.data() + 2), 256);
        EXPECT_EQ(std::memcmp(pal.data() + 4, core::palette().entries, 1024), 0);
    } else {
        EXPECT_TRUE(pal.empty());
    }
}

TEST_P(Clipboard, VersionFourHeaderOutsideTheShortForm) {
    rsp_set_nt_family(0);
    rs_vbinit();
    open(8, 2);
    ASSERT_EQ(rs_vb2clip(0, 7, 0, 1), 0);
    const std::vector<uint8_t> dib = clipboard(host::cf_dib);
    const bool masks = depth() == 16 || depth() == 32;
    EXPECT_EQ(u32(dib, 0), masks ? 108u : 40u);
    if (depth() == 32) { EXPECT_EQ(u32(dib, 52), 0xFF000000u); }
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 1, 3), 0);
    rsp_set_nt_family(1);
}

TEST_P(Clipboard, RoundTripPutsTheLowerLeftCornerOnTheRegions) {
    open(12, 8);
    fill_pattern();
    const test::Snapshot source;
    ASSERT_EQ(rs_vb2clip(1, 4, 2, 5), 0);  // 4 × 4 pixels
    // Into a region 2 pixels wide and 6 high, lower-left (6, 7): 2 columns, 4 rows land.
    const test::Snapshot before;
    ASSERT_EQ(rs_clip2vb(6, 7, 2, 7, 3), 0);
    test::PointSet expected;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(test::raw_pixel(6 + i, 7 - j), source.value(1 + i, 5 - j)) << i << "," << j;
            if (source.value(1 + i, 5 - j) != before.value(6 + i, 7 - j)) expected.insert({6 + i, 7 - j});
        }
    EXPECT_EQ(before.changed(), expected);
    // Flags 2 kept the bitmap: it can be pasted again, this time hanging off the buffer.
    const test::Snapshot again;
    ASSERT_EQ(rs_clip2vb(10, 20, -5, 1, 2), 0);
    for (const auto& [x, y] : again.changed()) {
        EXPECT_GE(x, 10);
        EXPECT_LE(y, 1);
    }
    EXPECT_EQ(test::raw_pixel(10, 1), source.value(1, 5));
    EXPECT_EQ(test::raw_pixel(11, 0), source.value(2, 4));
    EXPECT_EQ(rs_clip2vb(0, 3, 0, 3, 1), 0);  // without flag 2 the bitmap is taken off
    EXPECT_EQ(rsp_clipboard_get(host::cf_dib, nullptr, 0), 0);
    EXPECT_EQ(rs_clip2vb(0, 3, 0, 3, 0), -2);
}

TEST_P(Clipboard, CodesAndRefusals) {
    open(8, 8);
    EXPECT_EQ(rs_vb2clip(8, 20, 0, 3), -1);  // nothing of the region inside the buffer
    EXPECT_EQ(rs_vb2clip(3, 2, 0, 3), -1);
    EXPECT_EQ(rs_vb2clip(-100, 100, -100, 100), 0);  // cut to the whole buffer
    EXPECT_EQ(u32(clipboard(host::cf_dib), 4), 8u);
    EXPECT_EQ(rs_clip2vb(8, 9, 0, 0, 2), -1);
    rsp_clipboard_hold(1);
    EXPECT_EQ(rs_vb2clip(0, 3, 0, 3), -1);
    EXPECT_EQ(rs_clip2vb(0, 3, 0, 3, 0), -1);
    rsp_clipboard_hold(0);

    // A bitmap of another depth: -3 and nothing changes, the clipboard included.
    uint8_t other[40 + 16] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, uint8_t(depth() == 24 ? 32 : 24), 0};
    ASSERT_EQ(rsp_clipboard_put_dib(other, sizeof other), 0);
    const test::Snapshot before;
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -3);
    EXPECT_TRUE(before.changed().empty());
    EXPECT_EQ(rsp_clipboard_get(host::cf_dib, nullptr, 0), int(sizeof other));

    // Too short for its rows, or a header claiming more than the block holds: no bitmap.
    std::vector<uint8_t> shortdib(40 + (depth() == 8 ? 1024 : 0) + 4, 0);
    shortdib[0] = 40, shortdib[4] = 4, shortdib[8] = 4, shortdib[12] = 1, shortdib[14] = uint8_t(depth());
    ASSERT_EQ(rsp_clipboard_put_dib(shortdib.data(), int(shortdib.size())), 0);
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -2);
    shortdib[8] = 1;
    shortdib[0] = 0xFF, shortdib[1] = 0xFF;  // header size past the end
    ASSERT_EQ(rsp_clipboard_put_dib(shortdib.data(), int(shortdib.size())), 0);
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -2);
    shortdib[0] = 40, shortdib[1] = 0, shortdib[8] = 0xFF, shortdib[11] = 0xFF;  // negative height
    ASSERT_EQ(rsp_clipboard_put_dib(shortdib.data(), int(shortdib.size())), 0);
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -2);
    EXPECT_TRUE(before.changed().empty());
}

RSW32_EACH_DEPTH(Clipboard);

TEST_F(Library, ClipboardPaletteReplacesColoursFromTenOn) {
    rs_vbdepth(8);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 1)), 0);
    distinct_palette();
    const core::PaletteState original = core::palette();
    // An 8-bit bitmap whose colour table is grey i for entry i.
    std::vector<uint8_t> dib(40 + 1024 + 4, 0);
    dib[0] = 40, dib[4] = 4, dib[8] = 1, dib[12] = 1, dib[14] = 8;
    for (int i = 0; i < 256; ++i) dib[size_t(40 + 4 * i)] = dib[size_t(41 + 4 * i)] = dib[size_t(42 + 4 * i)] = uint8_t(i);
    dib[1064] = 1, dib[1065] = 2, dib[1066] = 3, dib[1067] = 4;
    ASSERT_EQ(rsp_clipboard_put_dib(dib.data(), int(dib.size())), 0);

    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 3), 0);  // flags 3: palette and clipboard kept
    EXPECT_EQ(std::memcmp(core::palette().entries, original.entries, sizeof original.entries), 0);
    EXPECT_EQ(test::raw_pixel(2, 0), 3u);
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 2), 0);  // flags 2: palette from the clipboard
    EXPECT_EQ(std::memcmp(&core::palette().entries[0], &original.entries[0], 10 * 4), 0);
    for (int i = 10; i < 256; ++i) {
        ASSERT_EQ(core::palette().entries[i].red, i);
        ASSERT_EQ(core::palette().entries[i].blue, i);
        ASSERT_EQ(core::palette().quads[i].green, i);
    }
    EXPECT_GT(rsp_clipboard_get(host::cf_dib, nullptr, 0), 0);
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 1), 0);  // flags 1: palette kept, clipboard emptied
    EXPECT_EQ(rsp_clipboard_get(host::cf_dib, nullptr, 0), 0);
}

// 16- and 32-bit bitmaps whose bit-field masks follow a 40-byte header have their rows
// after the masks.
TEST_F(Library, MasksAfterAShortHeaderAreSkipped) {
    rs_vbdepth(16);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 1)), 0);
    std::vector<uint8_t> dib(52 + 8, 0);
    dib[0] = 40, dib[4] = 4, dib[8] = 1, dib[12] = 1, dib[14] = 16, dib[16] = 3;
    host::write_u32(dib.data() + 40, 0xF800);
    host::write_u32(dib.data() + 44, 0x07E0);
    host::write_u32(dib.data() + 48, 0x001F);
    for (int i = 0; i < 8; ++i) dib[size_t(52 + i)] = uint8_t(0xA0 + i);
    ASSERT_EQ(rsp_clipboard_put_dib(dib.data(), int(dib.size())), 0);
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 0), 0);
    EXPECT_EQ(test::raw_pixel(0, 0), 0xA1A0u);
    EXPECT_EQ(test::raw_pixel(3, 0), 0xA7A6u);
}

TEST_F(Library, DeviceContextsAndHiddenPage) {
    EXPECT_EQ(rs_getdc(), static_cast<RS_HDC>(core::vb_table().memory_dc));
    EXPECT_NE(rs_getdc(), nullptr);
    EXPECT_EQ(core::devices().hidden_page, -1);
    rs_sethpage(300);
    EXPECT_EQ(core::devices().hidden_page, 300);
    RS_HDC s = rsp_surface_create(2, 2);
    rs_setdc(s);
    EXPECT_EQ(core::devices().window_dc, s);
    EXPECT_EQ(host::device_from_handle(s)->stretch_mode, 3);
    rs_setdc(nullptr);
    rsp_surface_destroy(s);
}

}  // namespace
