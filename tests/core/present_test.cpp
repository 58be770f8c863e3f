// Presenting: paste and scale, palette-index buffers, printing, the clipboard, the client mapping.
#include "core/present.h"

#include "support.h"

using namespace test;

namespace {

void fill_pattern() {  // varied pixels, 256 distinct colours
    std::vector<uint8_t> rgb(768);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i % 3 == 0 ? i / 3 : i % 3 == 1 ? 255 - i / 3 : i / 3 * 7);
    rs_setdacs(0, 256, rgb.data()), View().scramble(7);
}

// The colour a device shows for pixel (x, y) of the active buffer.
uint32_t colour_of(int x, int y) {
    const uint32_t raw = raw_pixel(x, y);
    const core::PaletteEntry& e = core::palette().entries[raw & 0xFF];
    if (rs_getdepth() == 8) return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
    if (rs_getdepth() > 16) return raw & 0xFFFFFF;
    return uint32_t(core::expand5[raw >> 11]) << 16 | core::expand6[raw >> 5 & 63] << 8 | core::expand5[raw & 31];
}

// A surface as the window DC, filled with a colour no buffer pixel shows.
struct Surface {
    RS_HDC dc;
    int width, height;
    Surface(int w, int h) : dc(rsp_surface_create(w, h)), width(w), height(h) {
        auto* p = const_cast<unsigned*>(rsp_surface_pixels(dc, nullptr, nullptr));
        std::fill(p, p + w * h, 0x123456), rs_setdc(dc);
    }
    ~Surface() { rs_setdc(nullptr), rsp_surface_destroy(dc); }
    uint32_t at(int x, int y) const { return pixels()[size_t(y * width + x)]; }
    std::vector<uint32_t> pixels() const { return {rsp_surface_pixels(dc, nullptr, nullptr), rsp_surface_pixels(dc, nullptr, nullptr) + width * height}; }
};

// Device pixel k from the origin (backward for a negative extent) shows region pixel k × |se| / |de|
// counted the same way; false when v is not covered.
bool axis_source(int64_t v, int64_t d0, int64_t de, int64_t s0, int64_t se, int64_t& s) {
    const int64_t k = de > 0 ? v - d0 : d0 - 1 - v, dn = std::abs(de), sn = std::abs(se);
    s = se > 0 ? s0 + k * sn / std::max<int64_t>(dn, 1) : s0 - 1 - k * sn / std::max<int64_t>(dn, 1);
    return k >= 0 && k < dn && sn != 0;
}

class Present : public EachDepth {};

// A paste is a scale of equal extents, lower-left pixel on (x, y), never mirrored; only the part of
// the region inside the buffer shows, in its place.
TEST_P(Present, PasteAndScaleMatchThePerPixelMapping) {
    open(37, 23), fill_pattern();
    const int w = rs_getmaxx() + 1, h = rs_getmaxy() + 1;
    std::vector<std::array<int, 9>> cases = {  // region, device rectangle (a paste takes its minx and maxy), paste?
        {0, 19, 0, 9, 0, 39, 0, 19, 0}, {0, 19, 0, 9, 0, 9, 0, 4, 0}, {0, 7, 0, 5, 8, -1, 6, -1, 0}, {10, 19, 12, 21, 30, 0, 0, 35, 1},
        {0, 36, 0, 22, -5, 0, 0, 27, 1}, {-10, 45, -3, 35, 0, 0, 0, 39, 1}};  // over two edges, beyond the buffer
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 200; ++i)
        cases.push_back({pick(-10, 45), pick(-10, 45), pick(-8, 30), pick(-8, 30), pick(-30, 80), pick(-30, 80), pick(-30, 70), pick(-30, 70), i % 2});
    int drawn = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        auto r = cases[i];
        if (r[8]) r[5] = r[4] + (r[1] - r[0]), r[6] = r[7] - (r[3] - r[2]);
        Surface s(50, 40);
        std::vector<uint32_t> want = s.pixels();
        for (auto [x, y] : area(0, 49, 0, r[8] && (r[1] < r[0] || r[3] < r[2]) ? -1 : 39)) {
            int64_t sx, sy;
            if (axis_source(x, r[4], int64_t(r[5]) - r[4] + 1, r[0], int64_t(r[1]) - r[0] + 1, sx) &&
                axis_source(y, r[6], int64_t(r[7]) - r[6] + 1, r[2], int64_t(r[3]) - r[2] + 1, sy) && sx >= 0 && sx < w && sy >= 0 && sy < h)
                want[size_t(y * 50 + x)] = colour_of(int(sx), int(sy));
        }
        drawn += want != s.pixels();
        r[8] ? rs_vbpaste(r[0], r[1], r[2], r[3], r[4], r[7]) : rs_vbscale(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]);
        ASSERT_EQ(s.pixels(), want) << (r[8] ? "paste " : "scale ") << r[0] << " " << r[1] << " " << r[2] << " " << r[3] << " -> "
                                    << r[4] << " " << r[5] << " " << r[6] << " " << r[7];
        ASSERT_TRUE(i != 3 || list(s.at(30, 35), s.at(30, 26)) == list(colour_of(10, 21), colour_of(10, 12)));  // (10, 21) on (30, 35)
    }
    EXPECT_GT(drawn, 50);
}

// A page shows as a whole-buffer paste at the top-left corner would, and the active buffer stays.
TEST_P(Present, PagesShowWholeBuffersWithoutOpeningThem) {
    const int a = open(12, 6);
    fill_pattern();
    const int b = open(8, 5);
    Surface s(20, 10);
    int w = 0, h = 0;
    EXPECT_EQ(list(rs_getpage(), rs_pagesize(&w, &h), rs_setpage(-1), rs_setpage(b + 1)), list(-1, -1, -1, -1));
    EXPECT_EQ(rs_setpage(a), 0);
    const std::vector<uint32_t> shown = s.pixels();
    EXPECT_EQ(list(rs_vbhandle(), rs_getpage(), rs_pagesize(&w, &h)), list(b, a, 0));
    EXPECT_EQ(list(w, h), list(12, 6));
    Surface pasted(20, 10);
    rs_vbopen(a), rs_vbpaste(0, 11, 0, 5, 0, 5);
    EXPECT_EQ(pasted.pixels(), shown);
    EXPECT_NE(shown[0], 0x123456u);
    rs_vbopen(b), rs_vbfree(a);
    EXPECT_EQ(rs_getpage(), -1);
}

// Palette indices resolve through the device's palette, or the host's default one.
TEST_F(Library, PaletteIndexBuffersShowTheDevicePalette) {
    rsp_set_display_depth(8), rs_vbinit();
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 1)), 0);
    for (int x = 0; x < 4; ++x) View().put(x, 0, x == 3 ? 250 : uint32_t(x * 5));
    Surface s(4, 1);
    EXPECT_EQ((rs_vbpaste(0, 3, 0, 0, 0, 0), s.pixels()), std::vector<uint32_t>({0, 0x800080, 0, 0x00FF00}));  // entries 0, 5, 10, 250
    uint8_t record[4 + 4 * 256] = {0x00, 0x03, 0x00, 0x01};
    for (int i = 0; i < 256; ++i) record[4 + 4 * i] = uint8_t(i), record[5 + 4 * i] = 7, record[6 + 4 * i] = 9;
    host::Palette* palette = host::create_palette(record);
    host::select_palette(host::device_from_handle(s.dc), palette, false), rs_vbscale(0, 3, 0, 0, 0, 3, 0, 0);
    EXPECT_EQ(s.at(3, 0), 0xFA0709u);
    host::delete_palette(palette), rs_vbpaste(0, 3, 0, 0, 0, 0);  // a deleted palette falls back to the default one
    EXPECT_EQ(s.at(3, 0), 0x00FF00u);
    rs_setdc(rs_getdc()), rs_vbpaste(0, 3, 0, 0, 0, 0);  // the library's memory DC cannot be drawn on
}

// Between the buffer and the focused client area, in 64-bit products truncated toward 0.
TEST_F(Library, ClientMappingUsesTheFocusedClientArea) {
    rs_vbdepth(32), rs_vbopen(rs_vballoc(640, 480)), rsp_focus(nullptr, 0, 0);
    EXPECT_EQ(list(rs_xclient(10), rs_yclient(10), rs_xvb(10), rs_yvb(10)), list(-1, -1, -1, -1));
    RS_HDC s = rsp_surface_create(320, 240);
    ASSERT_EQ(rsp_focus(s, 1280, 720), 0);
    EXPECT_EQ(list(rs_xclient(639), rs_yclient(479), rs_xvb(1279), rs_yvb(719), rs_xclient(-3), rs_yvb(-1), rs_yclient(1 << 30)),
              list(1278, 718, 639, 479, -6, 0, int(int64_t(1 << 30) * 720 / 480)));
    EXPECT_EQ((rsp_focus(s, 0, 0), rs_xclient(640)), 320);  // the surface's own size
    EXPECT_EQ((rsp_surface_destroy(s), rs_xclient(640)), -1);  // a destroyed surface has no focus any more
}

// 4800 pixels over 203 mm, in the units' unsigned 32-bit arithmetic (v × 127 wraps before the product).
TEST(PrintUnits, EachUnitConvertsInUnsigned32BitArithmetic) {
    for (auto [v, units, want] : {list(100u, 4u, 2364u), list(1234u, 0u, 1234u), list(1234u, 7u, 1234u), list(1234u, ~0u, 1234u), list(50u, 1u, 2400u),
                                  list(100u, 2u, 600u), list(1000u, 3u, 600u), list(254u, 5u, 600u), list(2540u, 6u, 600u), list(~0u, 0u, ~0u),
                                  list(1000000u, 4u, 1000000u * 4800u / 203), list(40000000u, 2u, uint32_t(uint64_t(40000000u * 127u) * 4800 / 203) / 500)})
        EXPECT_EQ(core::print_units(v, int(units), 4800, 203), want) << v << " " << int(units);
}

// A surface prints at its size over a notional 96 pixels per inch and is never released; printers: -1
// without a default, -4 unknown, -3 (DC kept) without stretching, -2 when no document starts.
TEST_F(Library, PrintJobsAndUnitsOnThePage) {
    rs_vbdepth(32), rs_vbopen(rs_vballoc(4, 4)), fill_pattern();
    RS_HDC page = rsp_surface_create(960, 480);  // 254 × 127 mm
    rs_printdc(page), rs_vbprint(0, 3, 0, 3, 10, 20, 5, 15, 4);  // 10..20 mm → 37..75 px; 5..15 mm → 18..56 px
    const unsigned* p = rsp_surface_pixels(page, nullptr, nullptr);
    EXPECT_EQ(list(p[18 * 960 + 37], p[56 * 960 + 75], p[17 * 960 + 37] | p[18 * 960 + 36] | p[57 * 960 + 75] | p[56 * 960 + 76]),
              list(colour_of(0, 0), colour_of(3, 3), 0u));
    EXPECT_EQ(rs_printer(10), -2);
    EXPECT_EQ((rs_printer(2), rsp_surface_destroy(page)), 0);  // still a surface
    EXPECT_EQ((rsp_printer_default(nullptr), rs_printer(10)), -1);
    EXPECT_EQ((rsp_printer_default("no such printer"), rs_printer(10)), -4);
    const std::string dir = RSW32_TEST_OUTPUT_DIR;
    ASSERT_EQ(rsp_printer_add("plotter", (dir + "/plotter.pdf").c_str(), 100, 100, 10, 10, 0), 0);
    ASSERT_EQ(rsp_printer_add("lost", (dir + "/no/such/dir/out.pdf").c_str(), 100, 100, 10, 10, 1), 0);
    for (const char* name : {"plotter", "lost"}) {
        EXPECT_EQ((rsp_printer_default(name), rs_printer(10)), name[0] == 'p' ? -3 : -2) << name;
        EXPECT_NE(core::devices().printer_dc, nullptr);  // stays set after the failed check
        EXPECT_EQ((rs_printer(name[0] == 'p' ? 2 : 11), core::devices().printer_dc), nullptr);
    }
    EXPECT_EQ(list(rs_printer(5), rs_printer(1)), list(0, 0));  // no printer: nothing
    for (auto [name, file, w, mm] : {std::tuple{"", "x.pdf", 1, 1}, {"p", "x.pdf", 0, 1}, {"p", "x.pdf", 1, 0}, {"p", nullptr, 1, 1}})
        EXPECT_EQ(rsp_printer_add(name, file, w, 1, 1, mm, 1), -1);
}

std::vector<uint8_t> clipboard(int format) {
    std::vector<uint8_t> out(size_t(std::max(rsp_clipboard_get(format, nullptr, 0), 0)));
    return rsp_clipboard_get(format, out.data(), int(out.size())), out;
}
uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return host::read_u32(b.data() + at); }

// A bitmap for the clipboard: 40-byte header, then `extra` zero bytes.
std::vector<uint8_t> dib(int width, int height, int bits, size_t extra) {
    std::vector<uint8_t> d(40 + extra, 0);
    for (size_t i = 0; i < 4; ++i) host::write_u32(d.data() + 4 * i, list(40u, uint32_t(width), uint32_t(height), 1u | uint32_t(bits) << 16)[i]);
    return d;
}

class Clipboard : public EachDepth {
    void TearDown() override { rsp_clipboard_hold(0), EachDepth::TearDown(); }
};

// Rows bottom-up, padded to 4 bytes with FF bytes presented as pixels, the buffer's header form; back
// on the buffer the lower-left pixel lands on the region's, and flags 2 keep the clipboard.
TEST_P(Clipboard, RegionsArePaddedToFourBytesAndComeBackCornerFirst) {
    for (int nt : {1, 0}) {
        rs_vbclose(), rs_vbfree(-1);  // a restart forgets buffers; release them first
        rsp_set_nt_family(nt), rs_vbinit(), open(12, 8), fill_pattern();
        const Snapshot source;
        ASSERT_EQ(rs_vb2clip(2, 4, 1, 3), 0);
        const std::vector<uint8_t> d = clipboard(host::cf_dib), pal = clipboard(host::cf_palette);
        const int row = 3 * bpp(), pad = (4 - row % 4) % 4;
        const bool masks = depth() == 16 || depth() == 32;
        const size_t header = depth() == 8 ? 40 + 1024 : masks ? (nt ? 52 : 108) : 40;
        ASSERT_EQ(d.size(), size_t(row + pad) * 3 + 1024 + (depth() == 8 ? 40 : header));
        EXPECT_EQ(list(u32(d, 0), u32(d, 4), u32(d, 8), u32(d, 12), u32(d, 16), u32(d, 40), u32(d, 52)),
                  list(masks && !nt ? 108u : 40u, depth() == 32 ? 3u : 4u, 3u, 1u | uint32_t(depth()) << 16, masks ? 3u : 0u,
                       depth() == 16 ? 0xF800u : depth() == 32 ? 0xFF0000u : u32(d, 40), depth() == 32 && !nt ? 0xFF000000u : u32(d, 52)));
        EXPECT_EQ(std::memcmp(d.data() + 40, core::palette().quads, depth() == 8 ? 1024 : 0), 0);
        for (int j = 0; j < 3; ++j) {
            const uint8_t* r = d.data() + header + size_t(j * (row + pad));
            EXPECT_EQ(std::memcmp(r, View().at(2, 3 - j), size_t(row)), 0) << j;
            EXPECT_EQ(std::vector<uint8_t>(r + row, r + row + pad), std::vector<uint8_t>(size_t(pad), 0xFF));
        }
        ASSERT_EQ(pal.size(), depth() == 8 ? 1028u : 0u);
        EXPECT_TRUE(pal.empty() || (u32(pal, 0) == 0x01000300u && !std::memcmp(pal.data() + 4, core::palette().entries, 1024)));
        const Snapshot before;  // into a region 2 wide and 6 high, lower-left (6, 7): 2 columns, 3 rows land
        ASSERT_EQ(rs_clip2vb(6, 7, 2, 7, 3), 0);
        for (auto [x, y] : area(0, 11, 0, 7))
            ASSERT_EQ(raw_pixel(x, y), x >= 6 && x <= 7 && y >= 5 ? source.value(x - 4, y - 4) : before.value(x, y)) << x << "," << y;
        ASSERT_EQ(rs_clip2vb(10, 20, -5, 1, 2), 0);  // flags 3 kept the bitmap; now hanging off the buffer
        EXPECT_EQ(list(raw_pixel(10, 1), raw_pixel(11, 0), raw_pixel(9, 1)), list(source.value(2, 3), source.value(3, 2), source.value(9, 1)));
    }
}

// -1 outside the buffer or with the clipboard held, -2 without a bitmap, -3 for another depth.
TEST_P(Clipboard, CodesAndRefusals) {
    open(8, 8);
    EXPECT_EQ(list(rs_vb2clip(8, 20, 0, 3), rs_vb2clip(3, 2, 0, 3), rs_vb2clip(-100, 100, -100, 100)), list(-1, -1, 0));
    EXPECT_EQ(u32(clipboard(host::cf_dib), 4), 8u);  // cut to the whole buffer
    EXPECT_EQ(rs_clip2vb(8, 9, 0, 0, 2), -1);
    EXPECT_EQ(rs_clip2vb(0, 3, 0, 3, 1), 0);  // without flag 2 the bitmap is taken off
    EXPECT_EQ(list(rsp_clipboard_get(host::cf_dib, nullptr, 0), rs_clip2vb(0, 3, 0, 3, 0)), list(0, -2));
    rsp_clipboard_hold(1);
    EXPECT_EQ(list(rs_vb2clip(0, 3, 0, 3), rs_clip2vb(0, 3, 0, 3, 0)), list(-1, -1));
    rsp_clipboard_hold(0);
    const Snapshot before;
    const std::vector<uint8_t> other = dib(2, 2, depth() == 24 ? 32 : 24, 16);
    ASSERT_EQ(rsp_clipboard_put_dib(other.data(), int(other.size())), 0);
    EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -3);
    EXPECT_EQ(rsp_clipboard_get(host::cf_dib, nullptr, 0), int(other.size()));
    std::vector<uint8_t> bad = dib(4, 4, depth(), (depth() == 8 ? 1024 : 0) + 4);
    for (auto [size, height] : {std::pair{40u, 4u}, {0xFFFFu, 1u}, {40u, 0xFF0000FFu}}) {  // too short, header past the end, negative height
        host::write_u32(bad.data(), size), host::write_u32(bad.data() + 8, height);
        ASSERT_EQ(rsp_clipboard_put_dib(bad.data(), int(bad.size())), 0);
        EXPECT_EQ(rs_clip2vb(0, 7, 0, 7, 0), -2) << size << " " << height;
    }
    EXPECT_TRUE(before.changed().empty());
}

RSW32_EACH_DEPTH(Present);
RSW32_EACH_DEPTH(Clipboard);

// Flags 3 keep palette and clipboard, 2 take the palette but the platform's first ten, 1 empty it.
TEST_F(Library, ClipboardPaletteReplacesColoursFromTenOn) {
    rs_vbopen(rs_vballoc(4, 1)), fill_pattern();
    const core::PaletteState original = core::palette();
    std::vector<uint8_t> d = dib(4, 1, 8, 1024 + 4);  // colour table: grey i for entry i
    for (int i = 0; i < 256; ++i) d[size_t(40 + 4 * i)] = d[size_t(41 + 4 * i)] = d[size_t(42 + 4 * i)] = uint8_t(i);
    d[1066] = 3;
    ASSERT_EQ(rsp_clipboard_put_dib(d.data(), int(d.size())), 0);
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 3), 0);
    EXPECT_EQ(list(std::memcmp(core::palette().entries, original.entries, 1024), int(raw_pixel(2, 0))), list(0, 3));
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 2), 0);
    EXPECT_EQ(std::memcmp(core::palette().entries, original.entries, 10 * 4), 0);
    for (int i = 10; i < 256; ++i)
        ASSERT_EQ(list(int(core::palette().entries[i].red), int(core::palette().entries[i].blue), int(core::palette().quads[i].green)), list(i, i, i));
    EXPECT_GT(rsp_clipboard_get(host::cf_dib, nullptr, 0), 0);
    ASSERT_EQ(rs_clip2vb(0, 3, 0, 0, 1), 0);
    EXPECT_EQ(rsp_clipboard_get(host::cf_dib, nullptr, 0), 0);
}

}  // namespace
