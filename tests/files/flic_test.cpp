// FLI/FLC playing, on animations made by a small encoder of the tests' own: every frame is
// an image of colour indices, coded as a copy, byte runs, FLI or FLC deltas, and the buffer
// must show exactly those indices through the palette.
#include "files/flic.h"
#include "files/flic_chunks.h"
#include "files/state.h"
#include "flic_encoder.h"
#include "platform/file.h"
#include "support.h"

namespace {

using namespace flic_encoder;

// Playing from the image buffer, with the context filled from the header.
class Flic : public test::EachDepth {
protected:
    Bytes file;
    uint8_t ctx[16]{};
    void load(const Bytes& f) {
        file = f;
        files::image_buffer().data = file.data(), files::image_buffer().size = int(file.size());
        std::memset(ctx, 0, 16), std::memcpy(ctx + 6, file.data() + 6, 6), ctx[2] = 128;
        const int delay = files::flic_delay(file.data());
        ctx[12] = uint8_t(delay), ctx[13] = uint8_t(delay >> 8);
    }
    uint32_t pixel(uint8_t index) const { return depth() == 8 ? index : core::palette().pixels[index]; }
    void expect_shows(const Image& img, int w, int h, int x0, int y0, const char* what) {
        const test::View v;
        for (int y = 0; y < v.height; ++y)
            for (int x = 0; x < v.width; ++x) {
                const bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
                ASSERT_EQ(v.get(x, y), in ? pixel(img[size_t((y - y0) * w + x - x0)]) : 0u) << what << " at " << x << "," << y;
            }
    }
};

TEST_P(Flic, EveryChunkKindShowsItsIndicesThroughThePalette) {
    for (auto [w, h, x0, y0] : {std::tuple{13, 9, 0, 0}, {20, 12, 3, 2}, {24, 10, -5, 6}}) {
        std::mt19937 rng{unsigned(w)};
        Bytes rgb(768), f = header(0xAF12, w, h, 0);
        for (auto& c : rgb) c = uint8_t(rng());
        std::vector<Image> frames;
        Image was(size_t(w * h)), now = was;
        const int kinds[] = {16, 15, 12, 7, 13, 7, 12, -15};  // -15: byte runs packed as a writer packs them
        for (int kind : kinds) {
            for (int k = 0; k < 3; ++k) {  // a uniform patch and a noisy one
                const int px = int(rng() % unsigned(w)), py = int(rng() % unsigned(h)), c = int(rng() % 256);
                for (int y = py; y < std::min(h, py + 4); ++y)
                    for (int x = px; x < std::min(w, px + 5); ++x) now[size_t(y * w + x)] = uint8_t(k ? rng() : unsigned(c));
            }
            if (kind == 13) std::fill(now.begin(), now.end(), 0);
            const Bytes pixels = kind == 13    ? chunk(13, {})
                                 : kind == -15 ? packed_byte_runs(now, w, h)
                                               : encode(kind, was, now, w, h),
                        pal = palette_chunk(rgb);
            Bytes body = frames.empty() ? pal : Bytes{};
            body.insert(body.end(), pixels.begin(), pixels.end());
            const Bytes fr = chunk(0xF1FA, body, frames.empty() ? 2 : 1);
            f.insert(f.end(), fr.begin(), fr.end());
            frames.push_back(now), was = now;
        }
        load(f);
        start(48, 24);
        rs_move(x0, y0);
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(rs_flicplay(ctx, 1, 1 | 2 | 4 | 8), 1);
            expect_shows(frames[i], w, h, x0, y0, ("frame " + std::to_string(i)).c_str());
        }
        Bytes got(768);
        rs_getdacs(0, 256, got.data());
        EXPECT_TRUE(depth() == 8 ? std::equal(got.begin() + 30, got.begin() + 738, rgb.begin() + 30) : got == rgb);
        EXPECT_EQ(rs_flicplay(ctx, 5, 5), 0) << "past the last frame";
        EXPECT_EQ(test::list(rs_flicskip(ctx, -1), rs_flicskip(ctx, 9), rs_flicskip(ctx, -1)), test::list(0, 8, 0));
        EXPECT_EQ(rs_flicplay(ctx, 9, 5 | 2), 8);
        // The same from a file, through an image buffer of a few bytes.
        uint8_t fctx[16], head[128], small[13];
        host::memory_file_set("t.flc", f.data(), f.size());
        rs_imagebuf(small, sizeof small);
        EXPECT_EQ(test::list(rs_flichead("t.flc", head), rs_flicopen("t.flc", fctx)), test::list(0, 0));
        EXPECT_EQ(std::memcmp(fctx + 2, "\x80\0\0", 4) | std::memcmp(fctx + 6, ctx + 6, 8) | std::memcmp(head, f.data(), 128), 0);
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(rs_flicplay(fctx, 1, 1 | 2 | 8), 1);
            expect_shows(frames[i], w, h, x0, y0, ("file frame " + std::to_string(i)).c_str());
        }
        EXPECT_EQ(rs_flicplay(fctx, 1, 1), 0);
        rs_flicskip(fctx, -1);
        EXPECT_EQ(rs_flicskip(fctx, 9), 8);
        rs_flicdone(fctx), rs_imagebuf(nullptr, 0);
        rs_vbclose(), rs_vbfree(-1);
    }
}
TEST(FlicPalette, FittingMergesTheClosestPairsTheLaterOnTies) {
    uint8_t pal[256][3], map[256], packed[236][3];
    for (int i = 0; i < 256; ++i) pal[i][0] = pal[i][1] = pal[i][2] = uint8_t(i);  // all neighbours 3 apart
    files::flic::fit_palette(pal, map, packed);
    // The later pair wins each tie: 254 into 255, then 252 into 253, ... down to 216.
    for (int c = 0, number = 0; c < 256; ++c) {
        const bool merged = c >= 216 && c % 2 == 0;
        EXPECT_EQ(map[c], merged ? map[c + 1] : 10 + number) << c;
        if (!merged) { EXPECT_EQ(packed[number++][0], c); }
    }
}

TEST_P(Flic, DelaysFollowTheSpeedAndBadChunksEndPlayingUncounted) {
    EXPECT_EQ(files::flic_delay(header(0xAF11, 1, 1, 5).data()), 1);
    EXPECT_EQ(files::flic_delay(header(0xAF12, 1, 1, 70).data()), 1);
    EXPECT_EQ(files::flic_delay(header(0xAF12, 1, 1, ~0u).data()), 0xFFFF);
    Bytes f = header(0xAF11, 8, 4, 70), ok = chunk(0xF1FA, chunk(13, {}), 1), prefix = chunk(0xF100, {1, 2});
    for (const Bytes& c : {prefix, ok, ok}) f.insert(f.end(), c.begin(), c.end());
    Bytes bad = chunk(0xF1FA, chunk(13, {}), 2);  // claims a second sub-chunk it lacks
    f.insert(f.end(), bad.begin(), bad.end());
    load(f);
    rsp_clock_inject(1, 0);
    start(8, 4);
    EXPECT_EQ(rs_flicplay(ctx, 9, 4), 2);
    EXPECT_EQ(rsp_clock(), 3u * 18 * 55) << "a delay after the prefix chunk and each frame";
    rsp_clock_inject(0, 0);
    // Files: missing, of another kind, and shown in a window twice over.
    host::memory_file_set("x.fli", f.data(), f.size());
    host::memory_file_set("short.fli", f.data(), 127);
    uint8_t c[16];
    EXPECT_EQ(test::list(rs_flicopen("none.fli", c), rs_flicopen("short.fli", c), rs_flichead("none.fli", nullptr)), test::list(-1, -2, -1));
    RS_HDC window = rsp_surface_create(16, 8);
    rsp_focus(window, 16, 8);
    EXPECT_EQ(test::list(rs_showflic("x.fli", 2, 1 | 16), rs_showflic("short.fli", 0, 1)), test::list(0, -2));
    EXPECT_NE(rsp_surface_pixels(window, nullptr, nullptr)[0], 0xFFFFFFFFu);
    rsp_focus(nullptr, 0, 0), rsp_surface_destroy(window), host::memory_file_clear();
}
RSW32_EACH_DEPTH(Flic);

}  // namespace
