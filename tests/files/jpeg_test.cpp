// JPEG decoding: files from independent encoders against an independent decoder, every
// fast kernel against the reference, placement and clipping in buffers, damaged data.
#include <fstream>
#include <iterator>

#include "files/jpeg.h"
#include "files/state.h"
#include "support.h"

namespace {

using namespace files::jpeg;

std::vector<uint8_t> load(const std::string& name) {
    std::ifstream f(std::string(RSW32_TEST_DATA_DIR) + "/jpeg/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

struct Picture {
    int result = -1, width = 0, height = 0;
    std::vector<uint8_t> bgr;  // 24-bit, top row first
};

// Decodes into a w × h 24-bit (or `depth`) memory target through the given kernels.
Picture decode_with(const std::vector<uint8_t>& file, const Kernels& k, int w = 96, int h = 64, int depth = 24) {
    Picture p;
    p.width = w, p.height = h;
    p.bgr.assign(size_t(w * h * depth / 8), 0x5A);
    Target t{p.bgr.data(), ptrdiff_t(w * depth / 8), w, h, depth, 0, 0};
    ByteSource src;
    src.cur = file.data(), src.end = file.data() + file.size();
    p.result = decode(src, t, k);
    return p;
}

std::vector<const Kernels*> fast_kernels() {
    std::vector<const Kernels*> ks{&sse2_kernels()};
    if (avx2_kernels()) ks.push_back(avx2_kernels());
    return ks;
}

// The independent decode: djpeg's BMP (24-bit, or 8-bit gray with a palette), top row first.
std::vector<uint8_t> djpeg_bmp(const std::string& name, int& w, int& h) {
    const std::vector<uint8_t> b = load(name);
    auto u32 = [&](size_t o) { return int(b[o] | b[o + 1] << 8 | b[o + 2] << 16 | uint32_t(b[o + 3]) << 24); };
    const int offset = u32(10), bits = b[28];
    w = u32(18), h = u32(22);
    const int pitch = (w * bits / 8 + 3) & ~3;
    std::vector<uint8_t> out;
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &b[size_t(offset + y * pitch + x * bits / 8)];
            for (int c = 0; c < 3; ++c) out.push_back(bits == 8 ? *p : p[c]);
        }
    return out;
}

const char* const real_files[] = {"s444_q90",  "s422_q75",         "s420_q50",      "s411_q75",
                                  "s420_q5",   "s444_q100",        "s420_opt_restart", "s444_restart3",
                                  "gray_q75",  "gray_restart",     "one_pixel",     "im_17x9"};

// Each file (sampling 4:4:4, 4:2:2, 4:2:0, 4:1:1, gray; quality 5..100; optimised tables;
// restart intervals; odd sizes): the reference agrees with the independent decoder within
// its colour rounding, and every fast kernel set gives the reference's bytes.
TEST(JpegFiles, AgreeWithIndependentDecoderAndFastKernelsWithReference) {
    for (const char* name : real_files) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> file = load(std::string(name) + ".jpg");
        ASSERT_FALSE(file.empty());
        int w, h;
        const std::vector<uint8_t> expected = djpeg_bmp(std::string(name) + ".bmp", w, h);
        const Picture ref = decode_with(file, reference_kernels(), w, h);
        ASSERT_EQ(ref.result, ok);
        int worst[3]{};
        for (size_t i = 0; i < expected.size(); ++i)
            worst[i % 3] = std::max(worst[i % 3], std::abs(ref.bgr[i] - expected[i]));
        // The independent decoder rounds c × d half up in fixed point, once for green; the
        // tables truncate toward zero after adding one half, which is 1 lower for negative
        // d, and green subtracts two such entries: blue and red differ by at most 1, green
        // by at most 3. Grayscale passes the samples through: exact.
        const int limit = name[0] == 'g' ? 0 : 1;
        EXPECT_EQ(test::list(worst[0] <= limit, worst[1] <= 3 * limit, worst[2] <= limit), test::list(true, true, true))
            << worst[0] << " " << worst[1] << " " << worst[2];
        for (const Kernels* k : fast_kernels()) EXPECT_EQ(decode_with(file, *k, w, h).bgr, ref.bgr);
    }
}

TEST(JpegFiles, UnsupportedAndForeignDataAreRefused) {
    EXPECT_EQ(decode_with(load("progressive.jpg"), best_kernels()).result, unsupported);
    EXPECT_EQ(decode_with(load("s420_q50.bmp"), best_kernels()).result, not_jpeg);
    std::vector<uint8_t> twelve_bit = load("s444_q90.jpg");
    for (size_t i = 2; i + 4 < twelve_bit.size(); ++i)
        if (twelve_bit[i] == 0xFF && twelve_bit[i + 1] == 0xC0) twelve_bit[i + 4] = 12;
    EXPECT_EQ(decode_with(twelve_bit, best_kernels()).result, unsupported);
}

// Any prefix and any single damaged byte: a result code, no access outside the data and
// the target (the sanitizers watch), and the fast path still agrees with the reference.
TEST(JpegFiles, DamagedDataDecodesAlikeInEveryPath) {
    const std::vector<uint8_t> file = load("s420_opt_restart.jpg");
    std::mt19937 rng(13);
    for (size_t n = 0; n <= file.size(); n += 7) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + ptrdiff_t(n));
        const Picture ref = decode_with(cut, reference_kernels());
        EXPECT_TRUE(ref.result == ok || ref.result == unsupported || ref.result == not_jpeg) << n;
        EXPECT_EQ(decode_with(cut, best_kernels()).bgr, ref.bgr) << "prefix " << n;
    }
    for (int i = 0; i < 300; ++i) {
        std::vector<uint8_t> bad = file;
        bad[rng() % bad.size()] = uint8_t(rng());
        bad[rng() % bad.size()] = 0xFF;
        const Picture ref = decode_with(bad, reference_kernels());
        const Picture fast = decode_with(bad, best_kernels());
        EXPECT_EQ(fast.result, ref.result) << "case " << i;
        EXPECT_EQ(fast.bgr, ref.bgr) << "case " << i;
    }
}

TEST(JpegIdct, VectorKernelsMatchReferenceOnRandomBlocks) {
    std::mt19937 rng(5);
    alignas(16) int16_t coef[2][64]{};
    uint8_t ref[2][64];
    for (int i = 0; i < 4000; ++i) {
        int16_t* c = coef[i % 2];
        std::fill(c, c + 64, int16_t(0));
        // Realistic magnitudes most of the time, the full 16-bit range sometimes.
        const int range = i % 4 == 0 ? 32768 : i % 3 ? 1100 : 64;
        const int count = int(rng() % 64) + 1;
        for (int j = 0; j < count; ++j) c[zigzag[j]] = int16_t(int(rng() % uint32_t(2 * range)) - range);
        idct_reference(c, ref[i % 2], 8);
        uint8_t fast[2][64];
        for (IdctFn f : {idct_sse2, idct_avx2}) {
            if (f == idct_avx2 && !avx2_kernels()) continue;
            f(c, fast[0], 8);
            ASSERT_EQ(0, std::memcmp(ref[i % 2], fast[0], 64)) << "seed 5, block " << i;
        }
        // This block and the one before through the two-block kernel, into rows 16 bytes apart.
        if (!avx2_kernels() || i == 0) continue;
        uint8_t both[128];
        idct2_avx2(coef[1 - i % 2], both, 16, c, both + 8, 16);
        for (int r = 0; r < 8; ++r)
            ASSERT_EQ(test::list(0, 0), test::list(std::memcmp(both + 16 * r, ref[1 - i % 2] + 8 * r, 8),
                                                   std::memcmp(both + 16 * r + 8, ref[i % 2] + 8 * r, 8)))
                << "pair ending at block " << i << ", row " << r;
    }
    // A DC-only block is flat at ((DC*4 << 13) + 2^17 >> 18) + 128.
    alignas(16) int16_t dc[64]{};
    dc[0] = 80;
    uint8_t out[64];
    idct_reference(dc, out, 8);
    EXPECT_EQ(test::list(out[0], out[63]), test::list<uint8_t>(138, 138));
}

TEST(JpegColor, TablesAndVectorConversionAgreeOnEveryIndex) {
    const ColorTables& t = color_tables();
    EXPECT_EQ(test::list(t.cr_r[0], t.cr_r[255], t.cr_r[127], t.cr_r[128]), test::list(-178, 178, 0, 0));
    // Every Cb, Cr pair with three luma values, through each depth, fast against reference.
    std::vector<uint8_t> y, cb, cr;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            for (int l : {0, 128, 255}) y.push_back(uint8_t(l)), cb.push_back(uint8_t(a)), cr.push_back(uint8_t(b));
    const int n = int(y.size()) - 7;  // a tail after the last full vector
    for (const Kernels* k : fast_kernels())
        for (int d = 0; d < 3; ++d) {
            const size_t bytes = size_t(n) * size_t(d + 2);
            std::vector<uint8_t> want(bytes, 0xC3), got(bytes, 0xC3);
            reference_kernels().color[d](y.data(), cb.data(), cr.data(), want.data(), n);
            k->color[d](y.data(), cb.data(), cr.data(), got.data(), n);
            EXPECT_EQ(got, want) << "colour, " << (d + 2) << " bytes";
            reference_kernels().gray[d](cb.data(), nullptr, nullptr, want.data(), n);
            k->gray[d](cb.data(), nullptr, nullptr, got.data(), n);
            EXPECT_EQ(got, want) << "gray, " << (d + 2) << " bytes";
        }
    // Replication across by every factor, rows of every length up to a few vectors.
    for (const Kernels* k : fast_kernels())
        for (int hr = 1; hr <= 4; ++hr)
            for (int n = 0; n <= 100; ++n) {
                std::vector<uint8_t> want(size_t(n) + 1, 0xC3), got = want;
                reference_kernels().widen(cr.data() + 5, hr, want.data(), n);
                k->widen(cr.data() + 5, hr, got.data(), n);
                ASSERT_EQ(got, want) << "widen " << hr << " " << n;
            }
}

// Through the exports, at each depth: placement at the cursor, clipping at the right and
// bottom edges, the fourth byte of 32-bit pixels kept, 8-bit buffers left alone.
class JpegShow : public test::EachDepth {};

TEST_P(JpegShow, DrawsThePictureAtTheCursorClippedToTheBuffer) {
    const std::vector<uint8_t> file = load("s420_q50.jpg");  // 67 × 45
    const Picture ref = decode_with(file, reference_kernels(), 67, 45);
    const int vb = start(80, 60);
    uint8_t* pixels = static_cast<uint8_t*>(rs_vbaddr(vb));
    std::memset(pixels, 0x77, size_t(80 * 60 * bpp()));
    rs_move(30, 20);
    EXPECT_EQ(rs_jpegbuf(file.data(), int(file.size())), 0);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint8_t* p = core::pixel_address(core::active(), x, y);
            const bool inside = depth() > 8 && x >= 30 && y >= 20;
            uint32_t want = depth() == 8 ? 0x77 : 0x77777777u & mask();
            if (inside) {
                const uint8_t* s = &ref.bgr[size_t(((y - 20) * 67 + (x - 30)) * 3)];
                const uint32_t bgr = uint32_t(s[0] | s[1] << 8 | s[2] << 16);
                want = depth() == 16 ? uint32_t((s[2] & 0xF8) << 8 | (s[1] >> 2) << 5 | s[0] >> 3)
                       : depth() == 24 ? bgr : bgr | 0x77000000u;
            }
            uint32_t got = 0;
            std::memcpy(&got, p, size_t(bpp()));
            ASSERT_EQ(got, want) << x << ", " << y;
        }
    // Wholly beyond the right edge: nothing, result 0.
    rs_move(80, 0);
    std::vector<uint8_t> before(pixels, pixels + 80 * 60 * bpp());
    EXPECT_EQ(rs_jpegbuf(file.data(), int(file.size())), 0);
    EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 80 * 60 * bpp()), before);
}
RSW32_EACH_DEPTH(JpegShow);

class JpegLibrary : public test::Library {};

TEST_F(JpegLibrary, ImageBufferModeHeaderRecordAndMemory) {
    std::vector<uint8_t> file = load("s422_q75.jpg");
    rs_vbdepth(24), rs_vbopen(rs_vballoc(67, 45));
    files::ImageBuffer& b = files::image_buffer();
    b.data = file.data(), b.size = int(file.size());
    EXPECT_EQ(rs_showjpeg(nullptr, 4), 0);
    files::init_state();
    const Picture ref = decode_with(file, reference_kernels(), 68, 45);
    EXPECT_EQ(0, std::memcmp(core::row_address(core::active(), 44), ref.bgr.data() + 44 * 68 * 3, 67 * 3));

    // The same picture from the file, and the file's header record.
    const std::string path = std::string(RSW32_TEST_DATA_DIR) + "/jpeg/s422_q75.jpg";
    const std::vector<uint8_t> shown(core::active().pixels, core::active().pixels + 68 * 45 * 3);
    std::memset(core::active().pixels, 0, shown.size());
    EXPECT_EQ(rs_showjpeg(path.c_str(), 0), 0);
    EXPECT_EQ(std::vector<uint8_t>(core::active().pixels, core::active().pixels + shown.size()), shown);
    uint8_t record[10]{};
    EXPECT_EQ(rs_jpeghead(path.c_str(), record), 0);
    EXPECT_EQ(std::vector<uint8_t>(record, record + 10), (std::vector<uint8_t>{0xD8, 0xFF, 67, 0, 45, 0, 3, 0x21, 0x11, 0x11}));
    const std::string bmp = std::string(RSW32_TEST_DATA_DIR) + "/jpeg/s422_q75.bmp";
    EXPECT_EQ(test::list(rs_jpeghead("/nonexistent.jpg", record), rs_jpeghead(bmp.c_str(), record)), test::list(-1, -2));
    EXPECT_EQ(test::list(rs_showjpeg("/nonexistent.jpg", 0), rs_showjpeg(bmp.c_str(), 0)), test::list(1, 2));
    int w, h;
    EXPECT_EQ(rs_jpegsize(record, &w, &h), 0);
    EXPECT_EQ(test::list(w, h), test::list(67, 45));
    // 4:2:2: MCU 16 × 8, five MCUs across: luma 80 × 8, chroma 2 × 40 × 8, two widened rows.
    EXPECT_EQ(rs_jpegmem(record), 80 * 8 + 2 * 40 * 8 + 2 * 80);
    record[8] = 0x31;  // a chroma factor that does not divide the luma one
    EXPECT_EQ(rs_jpegmem(record), -1);
    record[0] = 0;
    EXPECT_EQ(rs_jpegsize(record, &w, &h), 0);
    EXPECT_EQ(test::list(w, h), test::list(-1, -1));
    EXPECT_EQ(rs_jpegbuf(nullptr, 10), 2);
}

}  // namespace
