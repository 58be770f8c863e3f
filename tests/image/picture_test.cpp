// Pictures in caller memory drawn at the cursor: image arrays and dcbs. Layout (bottom row
// first, mirrored columns), transparency, every drawing member against a per-pixel model
// at placements crossing the clip and buffer edges, and reading back.
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "support.h"

namespace {

constexpr int W = 24, H = 16;                       // buffer
constexpr int cminx = 5, cmaxx = 18, cminy = 3, cmaxy = 11;  // clip rectangle
constexpr int pw = 7, ph = 5;                       // picture

class Pictures : public test::EachDepth {
protected:
    int vb = -1;
    unsigned char pal[256 * 3];
    void SetUp() override {
        EachDepth::SetUp();
        vb = open(W, H);
        for (int i = 0; i < 256; ++i) {
            pal[3 * i] = uint8_t(i);
            pal[3 * i + 1] = uint8_t(i * 3);
            pal[3 * i + 2] = 40;
        }
        pal[3 * 9] = pal[3 * 7];  // entry 9 repeats entry 7
        pal[3 * 9 + 1] = pal[3 * 7 + 1];
        rs_setdacs(0, 256, pal);
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        for (int i = 0; i < W * H * depth() / 8; ++i) p[i] = uint8_t(i * 7 + 3);
        rs_setclip(cminx, cmaxx, cminy, cmaxy);
    }
    // The buffer pixel of palette index v.
    uint32_t index_pixel(int v) const {
        return depth() == 8 ? uint32_t(v) : uint32_t(rs_maprgb(pal[3 * v], pal[3 * v + 1], pal[3 * v + 2]));
    }
    int dcb_bytes() const { return depth() == 16 ? 2 : 3; }
};

struct Member {
    const char* name;
    int (*draw)(const unsigned char*, int, int);
    bool dcb, keyed, mirrored, clipped;
};
const Member members[] = {
    {"drwimage", rs_drwimage, false, true, false, false}, {"putimage", rs_putimage, false, false, false, false},
    {"revimage", rs_revimage, false, true, true, false},  {"clpimage", rs_clpimage, false, true, false, true},
    {"flpimage", rs_flpimage, false, true, true, true},   {"drawdcb", rs_drawdcb, true, true, false, false},
    {"putdcb", rs_putdcb, true, false, false, false},     {"revdcb", rs_revdcb, true, true, true, false},
    {"clipdcb", rs_clipdcb, true, true, false, true},     {"flipdcb", rs_flipdcb, true, true, true, true},
};

// Cursors (lower-left corners) placing the 7 × 5 picture across clip and buffer edges.
const test::Point cursors[] = {
    {8, 8},      // inside the clip rectangle
    {2, 5},      // across the clip's left and top edges
    {15, 13},    // across its right and bottom edges
    {3, 13},     // left and bottom
    {16, 4},     // right and top
    {19, 8},     // right of the clip, inside the buffer
    {-3, 2},     // across the buffer's left and top edges
    {20, 17},    // across its right and bottom edges
    {-10, 8},    // wholly left of the buffer
    {8, 30},     // wholly below it
    {INT_MAX - 2, 8}, {8, INT_MIN + 1}, {INT_MIN, INT_MAX},
};

TEST_P(Pictures, ImageRowsRunUpFromTheCursorAndRevimageMirrorsThem) {
    const unsigned char img[] = {1, 2, 3, 4};
    rs_move(10, 10);
    rs_drwimage(img, 2, 2);
    EXPECT_EQ(test::raw_pixel(10, 10), index_pixel(1));
    EXPECT_EQ(test::raw_pixel(11, 10), index_pixel(2));
    EXPECT_EQ(test::raw_pixel(10, 9), index_pixel(3));
    EXPECT_EQ(test::raw_pixel(11, 9), index_pixel(4));
    rs_revimage(img, 2, 2);
    EXPECT_EQ(test::raw_pixel(10, 10), index_pixel(2));
    EXPECT_EQ(test::raw_pixel(11, 9), index_pixel(3));
    EXPECT_EQ(rs_getxpos(), 10);
}

TEST_P(Pictures, ZeroBytesAreTransparentButPutimageWritesThem) {
    const std::vector<uint8_t> zeros(pw * ph, 0);
    rs_move(8, 8);
    const test::Snapshot before;
    for (auto draw : {rs_drwimage, rs_revimage, rs_clpimage, rs_flpimage}) draw(zeros.data(), pw, ph);
    EXPECT_TRUE(before.changed().empty());
    rs_putimage(zeros.data(), pw, ph);
    for (int y = 8 - ph + 1; y <= 8; ++y)
        for (int x = 8; x < 8 + pw; ++x) ASSERT_EQ(test::raw_pixel(x, y), index_pixel(0));
}

// Each member, at each placement, changes exactly the pixels the model says: the picture
// mirrored first where it mirrors, then cut to the clip rectangle or the buffer. The wide
// picture is cut to every row of the buffer, long enough for the vector and 8-pixel paths.
TEST_P(Pictures, EveryMemberAtEveryPlacementMatchesTheModel) {
    for (const auto& [w, h] : {std::pair{pw, ph}, {45, 4}})
        for (const Member& m : members) {
            // A third of the values 0, and runs of 8 zeros; a dcb pixel 0, 0, 1 (dark red) must show.
            std::vector<uint32_t> values(size_t(w * h));
            for (int k = 0; k < w * h; ++k)
                values[size_t(k)] = k % 3 == 0 || k / 8 % 3 == 1 ? 0
                                    : !m.dcb                     ? uint32_t(1 + k * 37 % 255)
                                    : depth() == 16              ? uint32_t(k * 1877) & 0xFFFF
                                                                 : uint32_t(k * 0x10203) & 0xFFFFFF;
            values[1] = m.dcb && depth() != 16 ? 0x010000 : values[1];
            const int bytes = m.dcb ? dcb_bytes() : 1;
            std::vector<uint8_t> pic(values.size() * size_t(bytes));
            for (size_t k = 0; k < values.size(); ++k) std::memcpy(&pic[k * size_t(bytes)], &values[k], size_t(bytes));
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
                        uint32_t want = before.value(x, y);
                        if (shown && !(m.keyed && v == 0) && !(m.dcb && depth() == 8))
                            want = m.dcb ? v : index_pixel(int(v));
                        ASSERT_EQ(test::raw_pixel(x, y), want) << x << "," << y;
                    }
            }
        }
}

TEST_P(Pictures, GetimageReadsLowestIndicesAndPutimageRestoresThem) {
    std::vector<uint8_t> img(pw * ph);
    for (size_t k = 0; k < img.size(); ++k) img[k] = uint8_t(k * 53 + 1);
    img[3] = 9;  // same colour as 7
    rs_move(4, 12);
    rs_putimage(img.data(), pw, ph);
    test::Guarded got(img.size());
    rs_getimage(got.data(), pw, ph);
    EXPECT_TRUE(got.guards_intact());
    std::vector<uint8_t> want = img;  // the lowest index of the same pixel: 7 for 9, and
    for (uint8_t& v : want)           // at 16 bits neighbours that RGB565 makes equal
        for (int j = 0; j < v && depth() != 8; ++j)
            if (index_pixel(j) == index_pixel(v)) v = uint8_t(j);
    EXPECT_EQ(want[3], depth() == 8 ? 9 : 7);
    EXPECT_EQ(got.contents(), want);
    const test::Snapshot painted;
    rs_setcolor(0);
    rs_rect(0, W - 1, 0, H - 1);
    rs_putimage(got.data(), pw, ph);
    for (int y = 12 - ph + 1; y <= 12; ++y)
        for (int x = 4; x < 4 + pw; ++x) ASSERT_EQ(test::raw_pixel(x, y), painted.value(x, y));
}

TEST_P(Pictures, PixelsOfNoPaletteColourOrOutsideTheBufferReadAsZero) {
    if (depth() != 8) {
        rs_setcolor(rs_maprgb(1, 2, 250));  // no entry has this blue
        rs_putpixel(0, 0);
    }
    if (depth() == 32) {  // pixel (1, 0): a palette colour with a fourth byte
        const uint32_t v = index_pixel(5) | 0x01000000u;
        std::memcpy(test::pixel_at(vb, 1, 0, W, H, 32), &v, 4);
    }
    rs_move(-2, 1);
    test::Guarded got(size_t(pw * ph), 0xEE);
    rs_getimage(got.data(), pw, ph);
    EXPECT_TRUE(got.guards_intact());
    for (int r = 0; r < ph; ++r)
        for (int i = 0; i < pw; ++i) {
            const int x = i - 2, y = 1 - r;
            if (x < 0 || y < 0) {
                EXPECT_EQ(got[size_t(r * pw + i)], 0) << i << "," << r;
            }
        }
    if (depth() != 8) {
        EXPECT_EQ(got[size_t(pw + 2)], 0);  // pixel (0, 0): colour in no entry
    }
    if (depth() == 32) {
        EXPECT_EQ(got[size_t(pw + 3)], 0);  // pixel (1, 0): fourth byte set
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
