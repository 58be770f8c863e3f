// Pictures drawn at the cursor, image arrays and dcbs alike: every drawing member against a
// per-pixel model (bottom row first, mirroring, 0 transparent, clip and buffer edges), and
// reading back through the palette pixel table.
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "support.h"

namespace {

constexpr int W = 24, H = 16, cminx = 5, cmaxx = 18, cminy = 3, cmaxy = 11;

class Pictures : public test::EachDepth {
protected:
    int vb = -1;
    unsigned char pal[256 * 3];
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(W, H);
        for (int i = 0; i < 768; ++i) pal[i] = uint8_t(i % 3 == 0 ? i / 3 : i % 3 == 1 ? i : 40);
        std::memcpy(pal + 27, pal + 21, 3);  // entry 9 repeats entry 7
        rs_setdacs(0, 256, pal);
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        for (int i = 0; i < W * H * depth() / 8; ++i) p[i] = uint8_t(i * 7 + 3);
        rs_setclip(cminx, cmaxx, cminy, cmaxy), rs_setcolor(ink());
    }
    uint32_t index_pixel(int v) const {
        return depth() == 8 ? uint32_t(v) : uint32_t(rs_maprgb(pal[3 * v], pal[3 * v + 1], pal[3 * v + 2]));
    }
};

struct Member {
    const char* name;
    int (*draw)(const unsigned char*, int, int);
    bool dcb, keyed, mirrored, clipped;
    int mask = 0;  // 1: the current colour where the byte is not 0; -1: where it is 0
};
const Member members[] = {
    {"drwimage", rs_drwimage, false, true, false, false}, {"putimage", rs_putimage, false, false, false, false},
    {"revimage", rs_revimage, false, true, true, false},  {"clpimage", rs_clpimage, false, true, false, true},
    {"flpimage", rs_flpimage, false, true, true, true},   {"drawdcb", rs_drawdcb, true, true, false, false},
    {"putdcb", rs_putdcb, true, false, false, false},     {"revdcb", rs_revdcb, true, true, true, false},
    {"clipdcb", rs_clipdcb, true, true, false, true},     {"flipdcb", rs_flipdcb, true, true, true, true},
    {"drawmask", rs_drawmask, false, true, false, false, 1}, {"revmask", rs_revmask, false, false, false, false, -1},
    {"clipmask", rs_clipmask, false, true, false, true, 1},  {"flipmask", rs_flipmask, false, true, true, true, 1},
};

// Lower-left corners: inside the clip; across its left+top, right+bottom, left+bottom and
// right+top edges; right of it; across the buffer's left+top and right+bottom; wholly
// outside; and where cursor + width overflows 32 bits.
const test::Point cursors[] = {{8, 8},   {2, 5},   {15, 13}, {3, 13},          {16, 4},          {19, 8},
                               {-3, 2},  {20, 17}, {-10, 8}, {8, 30},          {INT_MAX - 2, 8}, {8, INT_MIN + 1},
                               {INT_MIN, INT_MAX}};

// The picture is mirrored first where the member mirrors, then cut to the clip rectangle
// or the buffer. The 45-wide picture is long enough for the vector and 8-pixel paths.
TEST_P(Pictures, EveryMemberAtEveryPlacementMatchesTheModel) {
    for (const auto& [w, h] : {std::pair{7, 5}, {45, 4}})
        for (const Member& m : members) {
            // A third of the values 0, and runs of 8 zeros; a dcb pixel 0, 0, 1 (dark red) must show.
            std::vector<uint32_t> values(size_t(w * h));
            for (int k = 0; k < w * h; ++k)
                values[size_t(k)] = k % 3 == 0 || k / 8 % 3 == 1 ? 0
                                    : !m.dcb                     ? uint32_t(1 + k * 37 % 255)
                                    : depth() == 16              ? uint32_t(k * 1877) & 0xFFFF
                                                                 : uint32_t(k * 0x10203) & 0xFFFFFF;
            values[1] = m.dcb && depth() != 16 ? 0x010000 : values[1];
            const size_t bytes = !m.dcb ? 1 : depth() == 16 ? 2 : 3;
            std::vector<uint8_t> pic(values.size() * bytes);
            for (size_t k = 0; k < values.size(); ++k) std::memcpy(&pic[k * bytes], &values[k], bytes);
            for (const test::Point& c : cursors) {
                SCOPED_TRACE(std::string(m.name) + " " + std::to_string(w) + " wide at " + std::to_string(c.first) +
                             "," + std::to_string(c.second));
                rs_move(c.first, c.second);
                const test::Snapshot before;
                m.draw(pic.data(), w, h);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        const int64_t i = int64_t(x) - c.first, r = int64_t(c.second) - y;
                        const bool shown = i >= 0 && i < w && r >= 0 && r < h &&
                                           (!m.clipped || (x >= cminx && x <= cmaxx && y >= cminy && y <= cmaxy));
                        const uint32_t v = shown ? values[size_t(r * w + (m.mirrored ? w - 1 - i : i))] : 0;
                        const bool drawn = shown && !(m.keyed && v == 0) && !(m.dcb && depth() == 8) && !(m.mask < 0 && v != 0);
                        ASSERT_EQ(test::raw_pixel(x, y), !drawn ? before.value(x, y) : m.mask ? ink_pixel() : m.dcb ? v : index_pixel(int(v)))
                            << x << "," << y;
                    }
            }
        }
}

// getimage gives the lowest index of each pixel's colour, and 0 for a colour in no entry, a
// 32-bit pixel with a fourth byte, or a pixel outside the buffer; putimage puts the rest back.
TEST_P(Pictures, GetimageReadsLowestIndicesAndPutimageRestoresThem) {
    std::vector<uint8_t> img(35), want(35);
    for (size_t k = 0; k < 35; ++k) img[k] = uint8_t(k * 53 + 1);
    img[3] = 9;
    rs_move(4, 12);
    rs_putimage(img.data(), 7, 5);
    for (size_t k = 0; k < 35; ++k)  // the lowest index of the same pixel: RGB565 makes neighbours equal
        for (int j = img[k]; j >= 0; --j) want[k] = index_pixel(j) == index_pixel(img[k]) ? uint8_t(j) : want[k];
    EXPECT_EQ(want[3], depth() == 8 ? 9 : 7);
    rs_setcolor(rs_maprgb(1, 2, 250));  // no entry has this blue
    if (depth() != 8) { rs_putpixel(5, 11); want[8] = 0; }
    if (depth() == 32) { test::pixel_at(vb, 6, 11, W, H, 32)[3] = 1; want[9] = 0; }
    test::Guarded got(35, 0xEE);
    rs_getimage(got.data(), 7, 5);
    EXPECT_EQ(got.contents(), want);
    rs_putimage(got.data(), 7, 5);
    for (size_t k = 0; k < 35; ++k) {
        if (want[k]) { ASSERT_EQ(test::raw_pixel(4 + int(k % 7), 12 - int(k / 7)), index_pixel(img[k])) << k; }
    }
    rs_move(-2, 1);
    rs_getimage(got.data(), 7, 5);
    EXPECT_TRUE(got.guards_intact());
    for (size_t k = 0; k < 35; ++k) {
        if (k % 7 < 2 || k / 7 > 1) { ASSERT_EQ(got[k], 0) << k; }
    }
}

TEST_P(Pictures, GetlineGivesRowAddressesInsideTheBufferOnly) {
    auto* base = static_cast<uint8_t*>(rs_vbaddr(vb));
    EXPECT_EQ(rs_getline(H - 1), base);
    EXPECT_EQ(rs_getline(0), base + (H - 1) * W * depth() / 8);
    EXPECT_EQ(rs_getline(H), nullptr);
    EXPECT_EQ(rs_getline(-1), nullptr);
}

RSW32_EACH_DEPTH(Pictures);

}  // namespace
