// Colour reduction: renumbering alone, which pair merges first (equal colours, the tie
// rule), chains of merges, the region, and arguments that must do nothing.
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>
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
    // An 8-bit buffer using each index for the given number of pixels, in memory order;
    // palette entries not named are (i, i, i).
    void make(const std::vector<Used>& used) {
        rs_vbdepth(8);
        rs_vbopen(vb = rs_vballoc(W, H));
        for (size_t i = 0; i < 768; ++i) palette[i] = uint8_t(i / 3);
        auto* p = static_cast<uint8_t*>(rs_vbaddr(vb));
        for (const Used& u : used) {
            std::memset(p, u.index, size_t(u.pixels));
            p += u.pixels;
            const uint8_t rgb[] = {uint8_t(u.red), uint8_t(u.green), uint8_t(u.blue)};
            std::memcpy(&palette[size_t(3 * u.index)], rgb, 3);
        }
    }
    std::map<int, int> histogram() const {
        std::map<int, int> h;
        for (int i = 0; i < W * H; ++i) ++h[static_cast<const uint8_t*>(rs_vbaddr(vb))[i]];
        return h;
    }
    std::vector<uint8_t> entry(int i) const { return {palette.begin() + 3 * i, palette.begin() + 3 * i + 3}; }
};

TEST_F(Reduce, EnoughRoomOnlyRenumbersFromStartAndMovesTheColours) {
    make({{3, 40, 1, 2, 3}, {200, 50, 4, 5, 6}, {7, 38, 7, 8, 9}});
    const std::vector<uint8_t> e3 = entry(3), e4 = entry(4);
    rs_reduce(10, 5, palette.data());
    EXPECT_EQ(histogram(), (std::map<int, int>{{10, 40}, {11, 38}, {12, 50}}));
    EXPECT_EQ(std::vector<uint8_t>(palette.begin() + 30, palette.begin() + 39), (std::vector<uint8_t>{1, 2, 3, 7, 8, 9, 4, 5, 6}));
    EXPECT_EQ(entry(13), e3);  // entries past the survivors kept what they held, then moved
    EXPECT_EQ(entry(14), e4);
    for (int i : {0, 9, 15, 255}) EXPECT_EQ(entry(i), std::vector<uint8_t>(3, 0)) << i;
}

// Equal colours merge first, the one with fewer pixels into the other; on equal distances a
// later pair wins only when its second index has fewer pixels than the smaller count of the
// pair found first; an index absorbs several, and absorbed indices follow their absorber.
TEST_F(Reduce, ClosestPairsMergeByTheTieRuleAndChainsFollow) {
    const struct { const char* name; std::vector<Used> used; int count; std::map<int, int> want; } cases[] = {
        {"equal colours", {{1, 30, 10, 10, 10}, {2, 20, 90, 90, 90}, {4, 50, 90, 90, 90}, {6, 28, 200, 0, 0}}, 3,
         {{5, 30}, {6, 70}, {7, 28}}},
        {"tie kept", {{1, 50, 50, 50, 50}, {2, 25, 52, 50, 50}, {3, 5, 200, 200, 200}, {4, 48, 202, 200, 200}}, 3,
         {{5, 75}, {6, 5}, {7, 48}}},
        {"tie taken", {{1, 50, 50, 50, 50}, {2, 25, 52, 50, 50}, {3, 5, 200, 200, 200}, {4, 20, 202, 200, 200}, {5, 28, 0, 0, 255}},
         4, {{5, 50}, {6, 25}, {7, 25}, {8, 28}}},
        // 11..14 into 10; 40 into 41, then 20 (equal count, lower index) into 41.
        {"chain", {{10, 50, 100, 100, 100}, {11, 1, 101, 100, 100}, {12, 2, 100, 102, 100}, {13, 3, 100, 100, 103},
                   {14, 4, 104, 100, 100}, {20, 10, 0, 0, 0}, {30, 48, 255, 255, 255}, {40, 1, 0, 0, 3}, {41, 9, 0, 0, 4}},
         3, {{5, 60}, {6, 48}, {7, 20}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        make(c.used);
        rs_reduce(5, c.count, palette.data());
        EXPECT_EQ(histogram(), c.want);
        rs_vbclose();
        rs_vbfree(vb);
    }
}

TEST_F(Reduce, OnlyTheClipRectangleCountsAndBadArgumentsDoNothing) {
    make({{9, 64, 9, 9, 9}, {8, 64, 8, 8, 8}});  // rows 0-3 hold 8, rows 4-7 hold 9
    const std::vector<uint8_t> before = palette;
    for (const auto& [start, count] : {std::pair{0, 0}, {0, -1}, {200, 57}, {-1, 10}, {1, 256}}) rs_reduce(start, count, palette.data());
    rs_reduce(0, 1, nullptr);
    EXPECT_EQ(palette, before);
    rs_setclip(-5, 3, 2, 100);  // cut to the buffer: columns 0..3, rows 2..7
    rs_reduce(100, 1, palette.data());
    const auto* p = static_cast<const uint8_t*>(rs_vbaddr(vb));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) ASSERT_EQ(p[(H - 1 - y) * W + x], x <= 3 && y >= 2 ? 100 : y < 4 ? 8 : 9) << x << "," << y;
    EXPECT_EQ(entry(100), (std::vector<uint8_t>{9, 9, 9}));  // 9 has more pixels inside
    const std::vector<uint8_t> reduced = palette;
    rs_vbdepth(16);
    rs_vbopen(rs_vballoc(W, H));
    rs_reduce(0, 1, palette.data());
    EXPECT_EQ(palette, reduced);
}

}  // namespace
