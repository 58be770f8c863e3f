// The host's bitmap copies, on hand-made bitmaps: every source form and header form, colour
// tables of both kinds, the scan lines offered, and arguments that must draw nothing.
#include "platform/common/dibcopy.h"

#include "platform/common/host_side.h"
#include "support.h"

using namespace test;

namespace {

// A bottom-up bitmap: its header, what follows it (masks or colour table), and rows.
struct Bitmap {
    std::vector<uint8_t> header, bits;
    int width, height, pitch, bytes;
    Bitmap(int bpp, int w, int h, uint32_t header_size, uint32_t compression, std::vector<uint32_t> words = {},
           size_t after = 0)
        : header(std::max<size_t>(header_size, 40 + 4 * words.size()) + after), width(w), height(h),
          pitch((w * bpp + 31) / 32 * 4), bytes(bpp / 8) {
        const uint32_t fields[] = {header_size, uint32_t(w), uint32_t(h), 1u | uint32_t(bpp) << 16, compression};
        for (size_t i = 0; i < 5; ++i) host::write_u32(header.data() + 4 * i, fields[i]);
        for (size_t i = 0; i < words.size(); ++i) host::write_u32(header.data() + 40 + 4 * i, words[i]);
        bits.assign(size_t(pitch) * size_t(h), 0);
    }
    // Pixel x of row y counted from the top, stored as little-endian bytes.
    void set(int x, int y, uint32_t v) {
        for (int i = 0; i < bytes; ++i) bits[size_t(height - 1 - y) * size_t(pitch) + size_t(x * bytes + i)] = uint8_t(v >> (8 * i));
    }
};

class HostCopy : public ::testing::Test {
protected:
    void SetUp() override { surface = host::surface_create(8, 4); }
    void TearDown() override { host::surface_destroy(surface); }
    // What the surface's top row shows after the bitmap, its top row holding `row`, is
    // copied one to one to its top-left corner.
    std::vector<uint32_t> shows(Bitmap b, const std::vector<uint32_t>& row, int usage = host::dib_rgb_colors) {
        for (size_t x = 0; x < row.size(); ++x) b.set(int(x), 0, row[x]);
        host::set_dib_bits_to_device(surface, 0, 0, b.width, b.height, 0, 0, 0, b.height, b.bits.data(),
                                     b.header.data(), usage);
        return {pixels(), pixels() + row.size()};
    }
    const uint32_t* pixels() const { return host::raster_pixels(surface, nullptr, nullptr); }
    host::Device* surface = nullptr;
};

TEST_F(HostCopy, EverySourceFormShowsItsColours) {
    using V = std::vector<uint32_t>;
    // 8 bits through RGB quads, only the colours used (2) of them.
    Bitmap quads(8, 4, 1, 40, 0, V({0x00102030, 0x008000FF, 0x77}), 1024 - 12);
    host::write_u32(quads.header.data() + 32, 2);
    EXPECT_EQ(shows(quads, {0, 1, 2, 255}), V({0x102030, 0x8000FF, 0, 0}));
    // 16 bits: 565 after a 40-byte header, 555 in a version-4 header (the top bit unused),
    // and 555 without compression.
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 40, 3, {0xF800, 0x07E0, 0x001F}), {0xF800, 0x07E0, 0x001F, 0x8410}),
              V({0xFF0000, 0x00FF00, 0x0000FF, 0x848284}));  // 16/31 → 132, 32/63 → 130
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 108, 3, {0x7C00, 0x03E0, 0x001F}), {0x7C00, 0x03E0, 0x801F}),
              V({0xFF0000, 0x00FF00, 0x0000FF}));
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 40, 0), {0x4210}), V({0x848484}));
    // 24 bits; 32 bits whose fourth byte is no colour, with masks of any position and width
    // (of ten-bit channels the top eight bits count).
    EXPECT_EQ(shows(Bitmap(24, 2, 1, 40, 0), {0xABCDEF, 0x010203}), V({0xABCDEF, 0x010203}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 40, 0), {0xFF123456}), V({0x123456}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 108, 3, {0xFF, 0xFF00, 0xFF0000}), {0x00332211}), V({0x112233}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 40, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}), {0x3FF00000 | 0x200u << 10 | 0x004}),
              V({0xFF8001}));
}

TEST_F(HostCopy, UnsupportedBitmapsAndArgumentsDrawNothing) {
    const std::vector<uint32_t> before(pixels(), pixels() + 32);
    for (Bitmap b : {Bitmap(8, 4, 1, 40, 1, {}, 1024), Bitmap(24, 4, 1, 40, 3, {0, 0, 0}), Bitmap(4, 8, 1, 40, 0, {}, 64),
                     Bitmap(8, 4, 1, 64, 0, {}, 1024)}) {  // run-length, 24-bit fields, 4 bits, odd header
        b.bits.assign(64, 0xFF);
        shows(b, {});
    }
    Bitmap ok(24, 4, 1, 40, 0);
    ok.bits.assign(ok.bits.size(), 0xFF);
    const uint8_t *bits = ok.bits.data(), *hdr = ok.header.data();
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, bits, hdr, 0, 0x00EE0086), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, nullptr, hdr, 0, host::srccopy), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, bits, nullptr, 0, host::srccopy), 0);
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 0, 1, 0, 0, 0, 1, bits, hdr, 0), 0);
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 4, -1, 0, 0, 0, 1, bits, hdr, 0), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN, bits,
                                     hdr, 0, host::srccopy),
              0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, INT_MIN, INT_MIN, INT_MAX, INT_MAX, bits, hdr, 0, host::srccopy),
              0);  // the visible pixels' sources all lie far outside the bitmap
    EXPECT_EQ(std::vector<uint32_t>(pixels(), pixels() + 32), before);
}

// The scan lines offered limit the rows read; `bits` holds the first of them.
TEST_F(HostCopy, OnlyTheOfferedScanLinesAreRead) {
    Bitmap b(32, 1, 4, 40, 0);
    for (int y = 0; y < 4; ++y) b.set(0, y, 0x100u * uint32_t(y + 1));  // top row 0x100
    // Rows 1 and 2 counted from the bottom: screen rows 2 and 1.
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 1, 4, 0, 0, 1, 2, b.bits.data() + b.pitch, b.header.data(), 0),
              2);
    EXPECT_EQ(list(pixels()[0], pixels()[8], pixels()[16], pixels()[24]), list(0u, 0x200u, 0x300u, 0u));
}

}  // namespace
