// Packed pictures and sprites: round trips, drawing against the clipped image-array model,
// keyed sprites, and damaged or short streams refused before anything is touched.
#include "support.h"

using namespace test;

namespace {

class Packed : public EachDepth {};

// An image array of runs (some longer than a run byte holds), about half transparent.
std::vector<uint8_t> runs(int w, int h, unsigned seed) {
    std::vector<uint8_t> a(size_t(w) * size_t(h));
    std::mt19937 rng(seed);
    for (size_t i = 0, run = 0, clear = 0; i < a.size(); ++i, --run) {
        if (run == 0) run = 1 + rng() % (rng() % 4 ? 9 : 600), clear = rng() % 2;
        a[i] = clear ? 0 : uint8_t(1 + rng() % 255);
    }
    return a;
}
template <class Make>
std::vector<uint8_t> made(Make make) {  // make(memory) with NULL first for the size
    Guarded out(size_t(make(nullptr)));
    EXPECT_EQ(make(out.data()), int(out.size()));
    EXPECT_TRUE(out.guards_intact());
    return out.contents();
}

TEST_P(Packed, PackedPicturesRoundTripAndDrawAsClippedImages) {
    start(64, 48);
    std::vector<uint8_t> rgb = runs(16, 48, 9);
    rs_setdacs(0, 256, rgb.data());
    for (auto [w, h] : {std::pair{1, 1}, {40, 30}, {700, 3}, {3, 90}}) {
        const std::vector<uint8_t> a = runs(w, h, unsigned(w * h)), p = made([&](uint8_t* m) { return rs_pack(a.data(), w, h, m); });
        EXPECT_EQ(made([&](uint8_t* m) { return rs_unpack(p.data(), int(p.size()), m); }), a);
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
    std::vector<uint8_t> a = runs(20, 25, 5);
    rs_setclip(0, 63, 0, 47), rs_move(10, 30), rs_putimage(a.data(), 20, 25), rs_getimage(a.data(), 20, 25);
    EXPECT_EQ(made([](uint8_t* m) { return rs_makeppr(10, 29, 6, 30, m); }), made([&](uint8_t* m) { return rs_pack(a.data(), 20, 25, m); }));
}

TEST_P(Packed, SpritesSkipTheKeyAndRefuseOtherDepths) {
    start(40, 30);
    const View v;
    v.scramble(3);
    const uint32_t colour = depth() == 32 ? 0xFFFFFFu : mask(), key = v.get(7, 5) & colour;
    for (int x = 4; x < 12; ++x) v.put(x, 5, v.get(7, 5));  // a transparent run
    rs_tcmask(int(key));
    const std::vector<uint8_t> spr = made([](uint8_t* m) { return rs_makespr(-3, 12, 2, 9, m); });  // partly outside
    const Snapshot source;
    v.scramble(9), rs_setclip(0, 39, 0, 27), rs_move(20, 29);
    const Snapshot before;
    EXPECT_EQ(rs_showspr(spr.data(), int(spr.size())), 0);
    for (auto [x, y] : area(0, 39, 0, 29)) {
        const int sx = x - 23, sy = y - 20;
        const bool shows = y <= 27 && sx >= 0 && sx <= 12 && sy >= 2 && (source.value(sx, sy) & colour) != key;
        ASSERT_EQ(v.get(x, y), shows ? source.value(sx, sy) : before.value(x, y)) << x << "," << y;
    }
    EXPECT_EQ(rs_showppr(spr.data(), int(spr.size())), -1);  // a sprite is no packed picture
    rs_vbdepth(depth() == 8 ? 32 : 8), rs_vbopen(rs_vballoc(40, 30));
    EXPECT_EQ(rs_showspr(spr.data(), int(spr.size())), -1);
}

TEST_P(Packed, DamagedStreamsAndBadArgumentsAreRefusedUntouched) {
    start(32, 32);
    const std::vector<uint8_t> a = runs(30, 20, 1), p = made([&](uint8_t* m) { return rs_pack(a.data(), 30, 20, m); });
    EXPECT_EQ(list(rs_pack(nullptr, 3, 3, nullptr), rs_pack(a.data(), 0, 3, nullptr), rs_pack(a.data(), 3, -1, nullptr), rs_makeppr(5, 4, 0, 0, nullptr),
                   rs_makespr(0, 0, 1, 0, nullptr), rs_makespr(INT_MIN, INT_MAX, 0, 0, nullptr)), list(-1, -1, -1, -1, -1, -1));
    // Short streams and changed bytes (more often in the header); unpacking also refuses
    // sizes past INT_MAX and writes only where asked for the size it was given.
    std::mt19937 rng(11);
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> bad = p;
        for (int k = 0; i >= 100 && k < 1 + i % 3; ++k) bad[rng() % (i % 2 ? 16 : bad.size())] = uint8_t(rng());
        const int bytes = i < 100 ? int(rng() % bad.size()) : int(bad.size()), asks = rs_unpack(bad.data(), bytes, nullptr);
        Guarded out(30 * 20);
        const Snapshot before;
        const int drawn = rs_showppr(bad.data(), bytes);
        ASSERT_EQ(rs_unpack(bad.data(), bytes, asks == 600 ? out.data() : nullptr), asks);
        ASSERT_TRUE((drawn != -1 || asks == -1) && (i >= 100 || drawn == -1) && (drawn == 0 || before.changed().empty()) && out.guards_intact()) << i;
    }
    rs_vbclose();
    EXPECT_EQ(list(rs_makeppr(0, 1, 0, 1, nullptr), rs_showppr(p.data(), int(p.size()))), list(-1, 0));
}

RSW32_EACH_DEPTH(Packed);

}  // namespace
