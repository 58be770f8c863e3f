// The host's bitmap copies on hand-made bitmaps: every source form, scan lines, refusals.
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
    // The surface's top row after a one-to-one copy of the bitmap whose top row holds `row`.
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
    // 16 bits: 565 after a 40-byte header, 555 in a version-4 header or uncompressed.
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 40, 3, {0xF800, 0x07E0, 0x001F}), {0xF800, 0x07E0, 0x001F, 0x8410}),
              V({0xFF0000, 0x00FF00, 0x0000FF, 0x848284}));  // 16/31 → 132, 32/63 → 130
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 108, 3, {0x7C00, 0x03E0, 0x001F}), {0x7C00, 0x03E0, 0x801F}),
              V({0xFF0000, 0x00FF00, 0x0000FF}));
    EXPECT_EQ(shows(Bitmap(16, 4, 1, 40, 0), {0x4210}), V({0x848484}));
    // 32 bits: the fourth byte is no colour; masks anywhere, of ten-bit channels the top eight bits.
    EXPECT_EQ(shows(Bitmap(24, 2, 1, 40, 0), {0xABCDEF, 0x010203}), V({0xABCDEF, 0x010203}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 40, 0), {0xFF123456}), V({0x123456}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 108, 3, {0xFF, 0xFF00, 0xFF0000}), {0x00332211}), V({0x112233}));
    EXPECT_EQ(shows(Bitmap(32, 2, 1, 40, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}), {0x3FF00000 | 0x200u << 10 | 0x004}),
              V({0xFF8001}));
}

}  // namespace
