// The host's bitmap copies, on hand-made bitmaps: every source form and header form, colour
// tables of both kinds, the scan lines offered, and arguments that must draw nothing.
#include "platform/common/dibcopy.h"

#include <climits>
#include <vector>

#include "platform/common/dib.h"
#include "platform/common/host_side.h"
#include "rsw32_platform.h"
#include "support.h"

namespace {

// A bottom-up bitmap: header (with masks or colour table) and rows.
struct Bitmap {
    std::vector<uint8_t> header;
    std::vector<uint8_t> bits;
    int pitch = 0;

    Bitmap(int bits_per_pixel, int width, int height, uint32_t header_size, uint32_t compression, size_t extra = 0)
        : header(header_size + extra, 0) {
        host::write_u32(header.data(), header_size);
        host::write_u32(header.data() + 4, uint32_t(width));
        host::write_u32(header.data() + 8, uint32_t(height));
        host::write_u16(header.data() + 12, 1);
        host::write_u16(header.data() + 14, uint16_t(bits_per_pixel));
        host::write_u32(header.data() + 16, compression);
        pitch = (width * bits_per_pixel + 31) / 32 * 4;
        bits.assign(size_t(pitch) * size_t(height), 0);
    }
    void masks(uint32_t r, uint32_t g, uint32_t b) {
        host::write_u32(header.data() + 40, r);
        host::write_u32(header.data() + 44, g);
        host::write_u32(header.data() + 48, b);
    }
    // Pixel x of row y counted from the top, stored as little-endian bytes.
    void set(int x, int y, uint32_t v, int bytes) {
        const int height = int(host::read_u32(header.data() + 8));
        uint8_t* p = bits.data() + size_t(height - 1 - y) * size_t(pitch) + size_t(x * bytes);
        for (int i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
    }
};

class HostCopy : public ::testing::Test {
protected:
    void SetUp() override { surface = host::surface_create(8, 4); }
    void TearDown() override { host::surface_destroy(surface); }
    // Copies the whole bitmap one to one to the surface's top-left corner.
    void paste(const Bitmap& b, int usage = host::dib_rgb_colors) {
        const int w = int(host::read_u32(b.header.data() + 4)), h = int(host::read_u32(b.header.data() + 8));
        host::set_dib_bits_to_device(surface, 0, 0, w, h, 0, 0, 0, h, b.bits.data(), b.header.data(), usage);
    }
    uint32_t at(int x, int y) const { return host::raster_pixels(surface, nullptr, nullptr)[y * 8 + x]; }
    host::Device* surface = nullptr;
};

TEST_F(HostCopy, EightBitQuadsHonourTheColoursUsed) {
    Bitmap b(8, 4, 1, 40, 0, 1024);
    b.header[40] = 0x30, b.header[41] = 0x20, b.header[42] = 0x10;  // entry 0: blue, green, red
    b.header[44] = 0xFF, b.header[46] = 0x80;                       // entry 1
    b.header[48] = 0x77;                                            // entry 2, past the colours used
    host::write_u32(b.header.data() + 32, 2);
    b.set(0, 0, 0, 1), b.set(1, 0, 1, 1), b.set(2, 0, 2, 1), b.set(3, 0, 255, 1);
    paste(b);
    EXPECT_EQ(at(0, 0), 0x102030u);
    EXPECT_EQ(at(1, 0), 0x8000FFu);
    EXPECT_EQ(at(2, 0), 0u);
    EXPECT_EQ(at(3, 0), 0u);
}

TEST_F(HostCopy, EightBitPaletteIndicesResolveThroughTheSelectedPalette) {
    Bitmap b(8, 4, 1, 40, 0, 512);
    for (int i = 0; i < 256; ++i) host::write_u16(b.header.data() + 40 + 2 * i, uint16_t(255 - i));
    b.set(0, 0, 0, 1), b.set(1, 0, 3, 1), b.set(2, 0, 200, 1);
    paste(b, host::dib_pal_colors);
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);  // index 255 of the default palette
    EXPECT_EQ(at(1, 0), 0x0000FFu);  // index 252: (0, 0, 255)
    EXPECT_EQ(at(2, 0), 0u);         // index 55: black between the static colours
    // A palette of four colours: indices past it are black.
    uint8_t record[4 + 16] = {0x00, 0x03, 4, 0, 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
    host::Palette* p = host::create_palette(record);
    host::select_palette(surface, p, false);
    host::write_u16(b.header.data() + 40 + 2 * 3, 2);
    paste(b, host::dib_pal_colors);
    EXPECT_EQ(at(1, 0), 0x070809u);
    EXPECT_EQ(at(0, 0), 0u);  // index 255 past the palette's four entries
    host::delete_palette(p);
}

TEST_F(HostCopy, SixteenBitsInBothHeaderFormsAndWithoutMasks) {
    // 565 after a 40-byte header.
    Bitmap a(16, 4, 1, 40, 3, 12);
    a.masks(0xF800, 0x07E0, 0x001F);
    a.set(0, 0, 0xF800, 2), a.set(1, 0, 0x07E0, 2), a.set(2, 0, 0x001F, 2), a.set(3, 0, 0x8410, 2);
    paste(a);
    EXPECT_EQ(at(0, 0), 0xFF0000u);
    EXPECT_EQ(at(1, 0), 0x00FF00u);
    EXPECT_EQ(at(2, 0), 0x0000FFu);
    EXPECT_EQ(at(3, 0), 0x848284u);  // 16/31 → 132, 32/63 → 130
    // 555 in a version-4 header.
    Bitmap b(16, 4, 1, 108, 3);
    b.masks(0x7C00, 0x03E0, 0x001F);
    b.set(0, 0, 0x7C00, 2), b.set(1, 0, 0x03E0, 2), b.set(2, 0, 0x8000 | 0x001F, 2);
    paste(b);
    EXPECT_EQ(at(0, 0), 0xFF0000u);
    EXPECT_EQ(at(1, 0), 0x00FF00u);
    EXPECT_EQ(at(2, 0), 0x0000FFu);  // the unused top bit is ignored
    // No compression means 555.
    Bitmap c(16, 4, 1, 40, 0);
    c.set(0, 0, 0x4210, 2);
    paste(c);
    EXPECT_EQ(at(0, 0), 0x848484u);
}

TEST_F(HostCopy, TwentyFourAndThirtyTwoBitsWithAnyMasks) {
    Bitmap a(24, 2, 1, 40, 0);
    a.set(0, 0, 0xABCDEF, 3), a.set(1, 0, 0x010203, 3);
    paste(a);
    EXPECT_EQ(at(0, 0), 0xABCDEFu);
    EXPECT_EQ(at(1, 0), 0x010203u);
    Bitmap b(32, 2, 1, 40, 0);
    b.set(0, 0, 0xFF123456, 4);
    paste(b);
    EXPECT_EQ(at(0, 0), 0x123456u);  // the fourth byte is not colour
    Bitmap c(32, 2, 1, 108, 3);
    c.masks(0x000000FF, 0x0000FF00, 0x00FF0000);  // red in the low byte
    c.set(0, 0, 0x00332211, 4);
    paste(c);
    EXPECT_EQ(at(0, 0), 0x112233u);
    Bitmap d(32, 2, 1, 40, 3, 12);
    d.masks(0x3FF00000, 0x000FFC00, 0x000003FF);  // ten bits a channel: the top eight count
    d.set(0, 0, 0x3FF00000 | (0x200u << 10) | 0x004, 4);
    paste(d);
    EXPECT_EQ(at(0, 0), 0xFF8001u);
}

TEST_F(HostCopy, UnsupportedBitmapsAndArgumentsDrawNothing) {
    const std::vector<uint32_t> before(host::raster_pixels(surface, nullptr, nullptr),
                                       host::raster_pixels(surface, nullptr, nullptr) + 32);
    Bitmap rle(8, 4, 1, 40, 1, 1024);
    Bitmap fields24(24, 4, 1, 40, 3, 12);
    Bitmap four(4, 8, 1, 40, 0, 64);
    Bitmap odd(8, 4, 1, 64, 0, 1024);
    for (Bitmap* b : {&rle, &fields24, &four, &odd}) {
        b->bits.assign(64, 0xFF);
        paste(*b);
    }
    Bitmap ok(24, 4, 1, 40, 0);
    ok.bits.assign(ok.bits.size(), 0xFF);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, ok.bits.data(), ok.header.data(), 0, 0x00EE0086), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, nullptr, ok.header.data(), 0, host::srccopy), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, 0, 0, 4, 1, ok.bits.data(), nullptr, 0, host::srccopy), 0);
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 0, 1, 0, 0, 0, 1, ok.bits.data(), ok.header.data(), 0), 0);
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 4, -1, 0, 0, 0, 1, ok.bits.data(), ok.header.data(), 0), 0);
    EXPECT_EQ(host::stretch_dib_bits(surface, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN,
                                     ok.bits.data(), ok.header.data(), 0, host::srccopy),
              0);
    EXPECT_EQ(host::stretch_dib_bits(surface, 0, 0, 8, 4, INT_MIN, INT_MIN, INT_MAX, INT_MAX, ok.bits.data(),
                                     ok.header.data(), 0, host::srccopy),
              0);  // the visible pixels' sources all lie far outside the bitmap
    EXPECT_EQ(std::vector<uint32_t>(host::raster_pixels(surface, nullptr, nullptr),
                                    host::raster_pixels(surface, nullptr, nullptr) + 32),
              before);
}

// The scan lines offered limit the rows read; `bits` holds the first of them.
TEST_F(HostCopy, OnlyTheOfferedScanLinesAreRead) {
    Bitmap b(32, 1, 4, 40, 0);
    for (int y = 0; y < 4; ++y) b.set(0, y, 0x100u * uint32_t(y + 1), 4);  // top row 0x100
    // Rows 1 and 2 counted from the bottom: screen rows 2 and 1.
    const uint8_t* rows = b.bits.data() + b.pitch;
    EXPECT_EQ(host::set_dib_bits_to_device(surface, 0, 0, 1, 4, 0, 0, 1, 2, rows, b.header.data(), 0), 2);
    EXPECT_EQ(at(0, 0), 0u);
    EXPECT_EQ(at(0, 1), 0x200u);
    EXPECT_EQ(at(0, 2), 0x300u);
    EXPECT_EQ(at(0, 3), 0u);
}

TEST_F(HostCopy, DeviceFactsAndFocus) {
    EXPECT_EQ(host::device_caps(surface, host::cap_horzres), 8);
    EXPECT_EQ(host::device_caps(surface, host::cap_vertres), 4);
    EXPECT_NE(host::device_caps(surface, host::cap_rastercaps) & host::rc_stretchdib, 0);
    EXPECT_EQ(host::device_caps(nullptr, host::cap_horzres), 0);
    int r[4];
    EXPECT_TRUE(host::client_rect(surface, r));
    EXPECT_EQ(r[2], 8);
    EXPECT_EQ(host::focus(surface, 100, 50), 0);
    EXPECT_EQ(host::focus_device(), surface);
    EXPECT_TRUE(host::client_rect(surface, r));
    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[3], 50);
    EXPECT_EQ(host::set_stretch_blt_mode(surface, 3), 1);
    EXPECT_EQ(host::set_stretch_blt_mode(surface, 9), 0);
    host::Device* memory = host::create_memory_dc();
    EXPECT_FALSE(host::client_rect(memory, r));
    EXPECT_EQ(host::focus(memory, 1, 1), -1);
    host::delete_dc(memory);
    host::delete_dc(surface);  // surfaces belong to the host side: still alive
    EXPECT_NE(host::raster_pixels(surface, nullptr, nullptr), nullptr);
    EXPECT_EQ(host::surface_create(0, 5), nullptr);
    EXPECT_EQ(host::surface_create(1 << 15, 1 << 14), nullptr);
}

TEST(HostClipboard, OwnershipAndOpening) {
    EXPECT_EQ(host::get_clipboard_data(host::cf_dib), nullptr);  // closed
    ASSERT_TRUE(host::open_clipboard(nullptr));
    EXPECT_FALSE(host::open_clipboard(nullptr));  // one opener at a time
    void* block = host::block_alloc(48);
    EXPECT_EQ(host::block_size(block), 48u);
    EXPECT_TRUE(host::set_clipboard_data(host::cf_dib, block));
    EXPECT_FALSE(host::set_clipboard_data(host::cf_palette, block));  // not a palette
    EXPECT_FALSE(host::set_clipboard_data(2, block));
    EXPECT_EQ(host::get_clipboard_data(host::cf_dib), block);
    EXPECT_TRUE(host::empty_clipboard());
    EXPECT_EQ(host::get_clipboard_data(host::cf_dib), nullptr);
    EXPECT_TRUE(host::close_clipboard());
    EXPECT_FALSE(host::close_clipboard());
    EXPECT_EQ(rsp_clipboard_put_dib(nullptr, 4), -1);
    EXPECT_EQ(host::block_size(nullptr), 0u);
}

}  // namespace
