// Colour reduction: renumbering alone, which pair merges first (equal colours, the tie
// rule), chains of merges, the region, and arguments that must do nothing.
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "support.h"

namespace {

constexpr int W = 16, H = 8;

struct Used {
    int index, pixels, red, green, blue;
};

class Reduce : public test::Library {
protected:
    int vb = -1;
    std::vector<uint8_t> palette = std::vector<uint8_t>(768);
    // An 8-bit buffer whose pixels use the given indices, the given number of times each
    // (in order, from the lowest address); palette entries not named are (i, i, i).
    void make(const std::vector<Used>& used) {
        rs_vbdepth(8);
        vb = rs_vballoc(W, H);
        rs_vbopen(vb);
        for (int i = 0; i < 256; ++i) palette[size_t(3 * i)] = palette[size_t(3 * i + 1)] = palette[size_t(3 * i + 2)] = uint8_t(i);
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        size_t at = 0;
        for (const Used& u : used) {
            std::memset(p + at, u.index, size_t(u.pixels));
            at += size_t(u.pixels);
            palette[size_t(3 * u.index)] = uint8_t(u.red);
            palette[size_t(3 * u.index + 1)] = uint8_t(u.green);
            palette[size_t(3 * u.index + 2)] = uint8_t(u.blue);
        }
        ASSERT_EQ(at, size_t(W * H));
    }
    // Pixel values in memory order, each with its count.
    std::map<int, int> histogram() const {
        std::map<int, int> h;
        const auto* p = static_cast<const uint8_t*>(rs_vbaddr(vb));
        for (int i = 0; i < W * H; ++i) ++h[p[i]];
        return h;
    }
    std::vector<uint8_t> entry(int i) const { return {palette.begin() + 3 * i, palette.begin() + 3 * i + 3}; }
};

TEST_F(Reduce, EnoughRoomOnlyRenumbersFromStart) {
    make({{3, 40, 1, 2, 3}, {200, 50, 4, 5, 6}, {7, 38, 7, 8, 9}});
    const std::vector<uint8_t> e3 = entry(3), e4 = entry(4);
    rs_reduce(10, 5, palette.data());
    EXPECT_EQ(histogram(), (std::map<int, int>{{10, 40}, {11, 38}, {12, 50}}));
    EXPECT_EQ(entry(10), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(entry(11), (std::vector<uint8_t>{7, 8, 9}));
    EXPECT_EQ(entry(12), (std::vector<uint8_t>{4, 5, 6}));
    EXPECT_EQ(entry(13), e3);  // entries past the survivors kept what they held, then moved
    EXPECT_EQ(entry(14), e4);
    for (int i : {0, 9, 15, 255}) EXPECT_EQ(entry(i), std::vector<uint8_t>(3, 0)) << i;
}

// Which index goes where, for a table of palettes: equal colours first and the one with
// fewer pixels into the other; on equal distances a later pair wins only when its second
// index has fewer pixels than the smaller count of the pair found first; chains of merges
// carry every absorbed index along.
TEST_F(Reduce, ClosestPairsMergeByTheTieRuleAndChainsFollow) {
    struct Case {
        const char* name;
        std::vector<Used> used;
        int count;
        std::map<int, int> want;  // final pixel value → count (start 5)
    } cases[] = {
        {"equal colours", {{1, 30, 10, 10, 10}, {2, 20, 90, 90, 90}, {4, 50, 90, 90, 90}, {6, 28, 200, 0, 0}}, 3,
         {{5, 30}, {6, 70}, {7, 28}}},
        {"tie kept", {{1, 50, 50, 50, 50}, {2, 25, 52, 50, 50}, {3, 5, 200, 200, 200}, {4, 48, 202, 200, 200}}, 3,
         {{5, 75}, {6, 5}, {7, 48}}},
        {"tie taken", {{1, 50, 50, 50, 50}, {2, 25, 52, 50, 50}, {3, 5, 200, 200, 200}, {4, 20, 202, 200, 200}, {5, 28, 0, 0, 255}}, 4,
         {{5, 50}, {6, 25}, {7, 25}, {8, 28}}},
        {"chain", {{10, 50, 100, 100, 100}, {11, 1, 101, 100, 100}, {12, 2, 100, 102, 100}, {13, 3, 100, 100, 103},
                   {14, 4, 104, 100, 100}, {20, 10, 0, 0, 0}, {30, 48, 255, 255, 255}, {40, 1, 0, 0, 3}, {41, 9, 0, 0, 4}}, 3,
         {{5, 60}, {6, 48}, {7, 20}}},  // 11..14 into 10; 40 into 41, then 20 (equal count, lower) into 41
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        make(c.used);
        rs_reduce(5, c.count, palette.data());
        EXPECT_EQ(histogram(), c.want);
        rs_vbclose();
        rs_vbfree(vb);
    }
}

TEST_F(Reduce, OnlyTheClipRectangleIsCountedAndRenumbered) {
    make({{9, 64, 9, 9, 9}, {8, 64, 8, 8, 8}});  // top half 8, bottom half 9
    rs_setclip(-5, 3, 2, 100);                   // cut to the buffer: columns 0..3, rows 2..7
    rs_reduce(100, 1, palette.data());
    const auto* p = static_cast<const uint8_t*>(rs_vbaddr(vb));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            ASSERT_EQ(p[(H - 1 - y) * W + x], x <= 3 && y >= 2 ? 100 : y < 4 ? 8 : 9) << x << "," << y;
    EXPECT_EQ(entry(100), (std::vector<uint8_t>{9, 9, 9}));  // 9 has more pixels inside
}

TEST_F(Reduce, BadArgumentsAndOtherDepthsDoNothing) {
    make({{1, 64, 1, 1, 1}, {2, 64, 2, 2, 2}});
    const std::vector<uint8_t> before = palette;
    for (auto [start, count] : {std::pair{0, 0}, {0, -1}, {200, 57}, {-1, 10}, {1, 256}}) {
        rs_reduce(start, count, palette.data());
        EXPECT_EQ(palette, before);
        EXPECT_EQ(histogram(), (std::map<int, int>{{1, 64}, {2, 64}}));
    }
    rs_reduce(0, 1, nullptr);
    EXPECT_EQ(histogram(), (std::map<int, int>{{1, 64}, {2, 64}}));
    rs_vbdepth(16);
    rs_vbopen(rs_vballoc(W, H));
    rs_reduce(0, 1, palette.data());
    EXPECT_EQ(palette, before);
}

}  // namespace
