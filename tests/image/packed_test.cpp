// Packed pictures and sprites: round trips, drawing against the clipped image-array model,
// keyed sprites, and damaged or short streams refused before anything is touched.
#include "support.h"

using namespace test;

namespace {

class Packed : public EachDepth {
protected:
    // An image array of runs (some longer than a run byte holds), about half transparent.
    static std::vector<uint8_t> runs(int w, int h, unsigned seed) {
        std::vector<uint8_t> a(size_t(w) * size_t(h));
        std::mt19937 rng(seed);
        for (size_t i = 0; i < a.size();) {
            const size_t run = 1 + rng() % (rng() % 4 ? 9 : 600);
            const bool clear = rng() % 2;
            for (size_t k = 0; k < run && i < a.size(); ++k, ++i) a[i] = clear ? 0 : uint8_t(1 + rng() % 255);
        }
        return a;
    }
    static std::vector<uint8_t> packed(const std::vector<uint8_t>& a, int w, int h) {
        Guarded out(size_t(rs_pack(a.data(), w, h, nullptr)));
        EXPECT_EQ(rs_pack(a.data(), w, h, out.data()), int(out.size()));
        EXPECT_TRUE(out.guards_intact());
        return out.contents();
    }
};

TEST_P(Packed, PackedPicturesRoundTripAndDrawAsClippedImages) {
    start(64, 48);
    std::vector<uint8_t> rgb(768);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 + i / 3);
    rs_setdacs(0, 256, rgb.data());
    for (auto [w, h] : {std::pair{1, 1}, {40, 30}, {700, 3}, {3, 90}}) {
        const std::vector<uint8_t> a = runs(w, h, unsigned(w * h)), p = packed(a, w, h);
        Guarded back(size_t(w) * size_t(h), 0xEE);
        ASSERT_EQ(rs_unpack(p.data(), int(p.size()), nullptr), w * h);
        ASSERT_EQ(rs_unpack(p.data(), int(p.size()), back.data()), w * h);
        EXPECT_EQ(back.contents(), a);
        EXPECT_TRUE(back.guards_intact());
        for (auto [x, y, clip] : {std::tuple{0, 47, 0}, {-20, 10, 1}, {50, 60, 1}, {30, 40, 0}}) {
            View().scramble(unsigned(x + y));
            rs_setclip(clip ? 5 : 0, clip ? 58 : 63, clip ? 3 : 0, clip ? 40 : 47), rs_move(x, y);
            const Snapshot before;
            rs_clpimage(a.data(), w, h);
            const std::vector<uint8_t> want = View().bytes();
            std::copy(before.saved.begin(), before.saved.end(), View().base());
            EXPECT_EQ(rs_showppr(p.data(), int(p.size())), 0);
            ASSERT_EQ(View().bytes(), want) << w << "x" << h << " at " << x << "," << y;
        }
    }
    // A rectangle of the buffer packs as the image array rs_getimage reads there.
    rs_setclip(0, 63, 0, 47), rs_move(10, 30);
    const std::vector<uint8_t> a = runs(20, 25, 5);
    rs_putimage(a.data(), 20, 25);
    std::vector<uint8_t> read(20 * 25);
    rs_getimage(read.data(), 20, 25);
    Guarded made(size_t(rs_makeppr(10, 29, 6, 30, nullptr)));
    EXPECT_EQ(rs_makeppr(10, 29, 6, 30, made.data()), int(made.size()));
    EXPECT_EQ(made.contents(), packed(read, 20, 25));
    EXPECT_TRUE(made.guards_intact());
}

TEST_P(Packed, SpritesSkipTheKeyAndRefuseOtherDepths) {
    const int vb = start(40, 30);
    const View v;
    v.scramble(3);
    const uint32_t key = v.get(7, 5) & (depth() == 32 ? 0xFFFFFFu : mask());
    for (int x = 4; x < 12; ++x) v.put(x, 5, v.get(7, 5));  // a transparent run
    rs_tcmask(int(key));
    Guarded spr(size_t(rs_makespr(-3, 12, 2, 9, nullptr)));  // partly outside the buffer
    ASSERT_EQ(rs_makespr(-3, 12, 2, 9, spr.data()), int(spr.size()));
    const Snapshot source;
    v.scramble(9);
    rs_setclip(0, 39, 0, 27), rs_move(20, 29);
    const Snapshot before;
    EXPECT_EQ(rs_showspr(spr.data(), int(spr.size())), 0);
    for (auto [x, y] : area(0, 39, 0, 29)) {
        const int sx = x - 23, sy = y - 20;
        const bool shows = y <= 27 && sx >= 0 && sx <= 12 && sy >= 2 && (source.value(sx, sy) & (depth() == 32 ? 0xFFFFFFu : mask())) != key;
        ASSERT_EQ(v.get(x, y), shows ? source.value(sx, sy) : before.value(x, y)) << x << "," << y;
    }
    rs_vbdepth(depth() == 8 ? 32 : 8), rs_vbopen(rs_vballoc(40, 30));
    EXPECT_EQ(rs_showspr(spr.data(), int(spr.size())), -1);
    rs_vbopen(vb);
    EXPECT_EQ(rs_showppr(spr.data(), int(spr.size())), -1);  // a sprite is no packed picture
}

TEST_P(Packed, DamagedStreamsAndBadArgumentsAreRefusedUntouched) {
    start(32, 32);
    const std::vector<uint8_t> a = runs(30, 20, 1), p = packed(a, 30, 20);
    EXPECT_EQ(list(rs_pack(nullptr, 3, 3, nullptr), rs_pack(a.data(), 0, 3, nullptr), rs_pack(a.data(), 3, -1, nullptr)), list(-1, -1, -1));
    EXPECT_EQ(list(rs_makeppr(5, 4, 0, 0, nullptr), rs_makespr(0, 0, 1, 0, nullptr), rs_makespr(INT_MIN, INT_MAX, 0, 0, nullptr)), list(-1, -1, -1));
    std::mt19937 rng(11);
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> bad = p;
        int bytes = int(bad.size());
        if (i < 100) bytes = int(rng() % bad.size());  // short
        else for (int k = 0; k < 1 + i % 3; ++k) bad[rng() % std::min<size_t>(bad.size(), i % 2 ? 16 : bad.size())] = uint8_t(rng());
        Guarded out(30 * 20);
        const Snapshot before;
        const int drawn = rs_showppr(bad.data(), bytes), unpacked = rs_unpack(bad.data(), bytes, rs_unpack(bad.data(), bytes, nullptr) == 600 ? out.data() : nullptr);
        ASSERT_TRUE(drawn != -1 || unpacked == -1) << i;  // unpacking also refuses sizes past INT_MAX
        ASSERT_TRUE(i >= 100 || drawn == -1);
        ASSERT_TRUE(drawn == 0 || before.changed().empty()) << i;
        ASSERT_TRUE(out.guards_intact());
    }
    rs_vbclose();
    EXPECT_EQ(list(rs_makeppr(0, 1, 0, 1, nullptr), rs_showppr(p.data(), int(p.size()))), list(-1, 0));
}

RSW32_EACH_DEPTH(Packed);

}  // namespace
