// AVI files: files written by ffmpeg played at every depth against ffmpeg's own decode,
// files this library writes read back by ffmpeg and by the library, and damaged files.
#include <cstdio>
#include <filesystem>

#include "files/avi.h"
#include "files/avi_rows.h"
#include "files/pictures.h"
#include "platform/file.h"

namespace {

using Bytes = std::vector<uint8_t>;

#ifdef RSW32_FFMPEG
constexpr bool codecs = true;  // the library reads and writes FFmpeg's codecs
#else
constexpr bool codecs = false;
#endif

std::string avi_data(const std::string& name) { return std::string(RSW32_TEST_DATA_DIR) + "/avi/" + name; }
int32_t field(const uint8_t* ctx, int offset) { int32_t v; return std::memcpy(&v, ctx + offset, 4), v; }

// ffmpeg's decode of a file as (red, green, blue) bytes, top row first; empty without ffmpeg.
Bytes ffmpeg_rgb(const std::string& path) {
    Bytes out;
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0) return out;
    FILE* p = popen(("ffmpeg -v error -i '" + path + "' -f rawvideo -pix_fmt rgb24 - 2>/dev/null").c_str(), "r");
    for (int c; p && (c = std::fgetc(p)) != EOF;) out.push_back(uint8_t(c));
    if (p) pclose(p);
    return out;
}

class Avi : public test::EachDepth {
protected:
    // The largest channel difference between what the buffer shows and frame f of w × h
    // (red, green, blue) pixels, and the mean difference; 8-bit buffers count only entries
    // 10..245, which the video's palette sets.
    std::pair<int, double> differences(const Bytes& want, int f, int w, int h) {
        int worst = 0, sum = 0, n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (depth() == 8 && (test::raw_pixel(x, y) < 10 || test::raw_pixel(x, y) > 245)) continue;
                const uint32_t c = test::shown_rgb(x, y);
                const uint8_t* o = &want[size_t(((f * h + y) * w + x) * 3)];
                for (int k = 0; k < 3; ++k, ++n) {
                    const int d = std::abs(int(c >> (16 - 8 * k) & 255) - o[k]);
                    worst = std::max(worst, d), sum += d;
                }
            }
        return {worst, n ? double(sum) / n : 0.0};
    }
};

TEST_P(Avi, FfmpegFilesPlayAsFfmpegDecodesThem) {
    // ffmpeg interpolates 4:2:0 chroma where the decoder repeats it: far apart at colour
    // edges, close on average.
    // FFV1 and MPEG-4 (with inter frames) need the FFmpeg codecs; without them they are
    // refused as frames the reader cannot decode.
    const struct { const char* name; int bits, worst; double mean; bool codec; } cases[] = {
        {"raw_bgr24", 24, 0, 0, false}, {"raw_pal8", 8, 0, 0, false}, {"raw_rgb555", 16, 1, 1, false}, {"raw_bgra", 32, 0, 0, false},
        {"mjpeg_444", 24, 8, 2, false}, {"mjpeg_420", 24, 96, 5, false}, {"ffv1_bgr0", 24, 0, 0, true}, {"mpeg4", 24, 2, 0.5, true}};
    for (const auto& c : cases) {
        const std::string path = avi_data(std::string(c.name) + ".avi");
        const Bytes want = test::slurp(path + ".rgb");
        uint8_t head[56], ctx[48];
        int w = 0, h = 0;
        ASSERT_EQ(rs_avihead(path.c_str(), head), 0) << c.name;
        rs_avisize(head, &w, &h);
        EXPECT_EQ(test::list(w, h), test::list(33, 17));
        start(40, 20);
        if (c.codec && !codecs) {
            EXPECT_EQ(rs_aviopen(path.c_str(), ctx), -5) << c.name;
            rs_vbclose(), rs_vbfree(-1);
            continue;
        }
        ASSERT_EQ(rs_aviopen(path.c_str(), ctx), 0) << c.name;
        EXPECT_EQ(test::list(field(ctx, 8), field(ctx, 12), field(ctx, 16), field(ctx, 20), field(ctx, 40)), test::list(c.bits, -1, 0, 3, 1));
        if (depth() == 8 && c.bits > 8) {
            EXPECT_EQ(rs_aviplay(ctx, 1, 1), 0) << "direct colour into an 8-bit buffer";
        } else {
            for (int f = 0; f < 4; ++f) {
                ASSERT_EQ(rs_aviplay(ctx, 1, 1), 1);
                const auto [worst, mean] = differences(want, f, 33, 17);
                EXPECT_LE(worst, std::min(255, c.worst + (depth() == 16 ? 8 : 0))) << c.name << " frame " << f;
                EXPECT_LE(mean, c.mean + (depth() == 16 ? 4 : 0)) << c.name << " frame " << f;
            }
            EXPECT_EQ(rs_aviplay(ctx, 1, 1), 0) << "past the last frame";
        }
        rs_avidone(ctx), rs_avidone(ctx);
        rs_vbclose(), rs_vbfree(-1);
    }
}

// Frames of runs 1..300 pixels long (runs and literals of the run-length coder, and runs
// longer than one code holds).
void draw_runs(uint8_t* p, size_t n, std::mt19937& rng, int values) {
    for (size_t i = 0; i < n;) {
        const size_t run = 1 + rng() % (rng() % 2 ? 3 : 300);
        const auto v = uint8_t(rng() % unsigned(values));
        for (size_t k = 0; k < run && i < n; ++k) p[i++] = rng() % 8 ? v : uint8_t(rng() % unsigned(values));
    }
}

TEST_P(Avi, WrittenFilesReadBackThroughFfmpegAndTheLibrary) {
    const int mrle = 'M' << 24 | 'R' << 16 | 'L' << 8 | 'E';
    std::vector<std::pair<int, int>> kinds = {{0, depth()}};  // codec, bits
    if (depth() == 8) kinds.insert(kinds.end(), {{mrle, 8}, {mrle, 4}, {-1, 4}});
    std::mt19937 rng{unsigned(depth())};
    Bytes pal(768);
    for (auto& c : pal) c = uint8_t(rng());
    for (auto [codec, bits] : kinds) {
        const std::string path = test::temp_path((std::to_string(codec) + "_" + std::to_string(bits) + ".avi").c_str());
        const int w = 301, h = 7, stride = (w * bits + 31) / 32 * 4;
        start(w, h);
        rs_setdacs(0, 256, pal.data());
        uint8_t ctx[24], play[48];
        ASSERT_EQ(rs_avimake(path.c_str(), ctx, codec, w, h, bits, 5000, 25), 0);
        std::vector<Bytes> frames;
        for (int f = 0; f < 3; ++f) {
            Bytes frame(size_t(stride * h));
            draw_runs(frame.data(), frame.size(), rng, 256);
            ASSERT_EQ(rs_aviframe(ctx, frame.data()), 0);
            frames.push_back(frame);
        }
        EXPECT_EQ(test::list(field(ctx, 0), field(ctx, 4), field(ctx, 20)), test::list(0, 3, stride * h));
        rs_avidone(ctx);
        EXPECT_EQ(rs_aviframe(ctx, frames[0].data()), -1) << "after rs_avidone";
        // The library's own reading gives the frames back.
        ASSERT_EQ(rs_aviopen(path.c_str(), play), 0);
        for (const Bytes& frame : frames) {
            ASSERT_EQ(rs_aviplay(play, 1, 1), 1);
            const test::View v;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* s = &frame[size_t((h - 1 - y) * stride + x * bits / 8)];
                    uint32_t want = bits == 4 ? (s[0] >> (x % 2 ? 0 : 4) & 15) + 10 : test::View(0, 1, 1, bits).load(s);
                    if (bits == 16) want = ((want & 0xFFE0) << 1 | (want & 0x1F)) & 0xFFFF;  // 5-5-5 frames
                    ASSERT_EQ(v.get(x, y), want) << x << "," << y;
                }
        }
        rs_avidone(play);
        // ffmpeg sees the same colours: through the palette, or 5-5-5 words.
        const Bytes seen = ffmpeg_rgb(path);
        if (seen.empty()) continue;
        ASSERT_EQ(seen.size(), size_t(3 * w * h * 3)) << path;
        for (size_t f = 0; f < 3; ++f)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const uint8_t* s = &frames[f][size_t((h - 1 - y) * stride + x * bits / 8)];
                    const uint32_t v = test::View(0, 1, 1, std::max(bits, 8)).load(s);
                    const uint8_t* got = &seen[((f * h + size_t(y)) * w + size_t(x)) * 3];
                    uint8_t want[3] = {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
                    if (bits <= 8) {
                        const uint32_t i = bits == 4 ? (v >> (x % 2 ? 0 : 4) & 15) : v & 255;
                        std::memcpy(want, &pal[3 * i], 3);
                    }
                    if (bits == 16) want[0] = uint8_t((v >> 10 & 31) << 3), want[1] = uint8_t((v >> 5 & 31) << 3), want[2] = uint8_t((v & 31) << 3);
                    for (int k = 0; k < 3; ++k) ASSERT_NEAR(got[k], want[k], bits == 16 ? 7 : 0) << path << " frame " << f << " at " << x << "," << y;
                }
    }
}

// The largest and the mean channel difference of two (red, green, blue) pictures.
std::pair<int, double> compare(const Bytes& got, const Bytes& want) {
    int worst = 0;
    double sum = 0;
    for (size_t i = 0; i < want.size(); ++i) {
        const int d = std::abs(int(got[i]) - int(want[i]));
        worst = std::max(worst, d), sum += d;
    }
    return {worst, want.empty() ? 0.0 : sum / double(want.size())};
}

// Frames given at the buffer's depth and coded by FFmpeg's coders: ffprobe names the codec,
// and ffmpeg's decode and the library's own reading give the frames back, exactly for FFV1
// (16-bit frames: 5-bit channels widened), close for the lossy codecs. 24-bit coded video
// does not play into 8-bit buffers.
TEST_P(Avi, CodecFilesReadBackThroughFfmpegAndTheLibrary) {
    auto four = [](const char* s) { return s[0] << 24 | s[1] << 16 | s[2] << 8 | s[3]; };
    const int w = 48, h = 32, bits = depth(), stride = (w * bits + 31) / 32 * 4;
    start(w, h);
    Bytes grey(768);
    for (size_t i = 0; i < grey.size(); ++i) grey[i] = uint8_t(i / 3);
    rs_setdacs(0, 256, grey.data());
    const std::string path = test::temp_path(".avi");
    uint8_t ctx[24], play[48];
    if (!codecs) {
        EXPECT_EQ(rs_avimake(path.c_str(), ctx, four("FFV1"), w, h, bits, 0, 25), -2);
        GTEST_SKIP() << "the library was built without the FFmpeg codecs";
    }
    std::vector<Bytes> rgb(3), frames(3, Bytes(size_t(stride * h)));
    for (size_t f = 0; f < 3; ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t c[3] = {uint8_t(x * 5 + f * 4), uint8_t(y * 6 + 20), uint8_t(128 + x * 2 - y * 3)};
                if (bits == 8) c[1] = c[2] = c[0];
                if (bits == 16) c[0] &= 0xF8, c[1] &= 0xF8, c[2] &= 0xF8;
                rgb[f].insert(rgb[f].end(), c, c + 3);
                uint8_t* p = &frames[f][size_t((h - 1 - y) * stride + x * bits / 8)];
                const uint32_t v = bits == 8 ? c[0] : bits == 16 ? uint32_t(c[0] << 7 | c[1] << 2 | c[2] >> 3)
                                                                 : uint32_t(c[0] << 16 | c[1] << 8 | c[2]);
                std::memcpy(p, &v, size_t(std::min(bits / 8, 3)));
            }
    const struct { const char* codec; const char* name; int worst; double mean; } cases[] = {
        {"FFV1", "ffv1", 0, 0}, {"XVID", "mpeg4", 40, 3}, {"MJPG", "mjpeg", 40, 2}};
    const int slack = bits == 16 ? 8 : 0;
    for (const auto& c : cases) {
        ASSERT_EQ(rs_avimake(path.c_str(), ctx, four(c.codec), w, h, bits, 9000, 25), 0) << c.codec;
        for (const Bytes& frame : frames) ASSERT_EQ(rs_aviframe(ctx, const_cast<uint8_t*>(frame.data())), 0) << c.codec;
        rs_avidone(ctx);
        const Bytes seen = ffmpeg_rgb(path);
        if (!seen.empty()) {
            FILE* p = popen(("ffprobe -v error -show_entries stream=codec_name -of csv=p=0 '" + path + "'").c_str(), "r");
            char name[32]{};
            EXPECT_TRUE(p && std::fgets(name, sizeof name, p)) << c.codec;
            if (p) pclose(p);
            EXPECT_EQ(std::string(name), std::string(c.name) + "\n");
            ASSERT_EQ(seen.size(), size_t(3 * w * h * 3)) << c.codec;
            for (size_t f = 0; f < 3; ++f) {
                const auto [worst, mean] = compare(Bytes(seen.begin() + ptrdiff_t(f * rgb[f].size()), seen.begin() + ptrdiff_t((f + 1) * rgb[f].size())), rgb[f]);
                EXPECT_LE(worst, c.worst + slack) << c.codec << " frame " << f << " by ffmpeg";
                EXPECT_LE(mean, c.mean + slack) << c.codec << " frame " << f << " by ffmpeg";
            }
        }
        ASSERT_EQ(rs_aviopen(path.c_str(), play), 0) << c.codec;
        for (size_t f = 0; f < 3; ++f) {
            if (bits == 8) {
                EXPECT_EQ(rs_aviplay(play, 1, 1), 0) << c.codec;
                break;
            }
            ASSERT_EQ(rs_aviplay(play, 1, 1), 1) << c.codec;
            const auto [worst, mean] = compare(test::shown_rgb_bytes(w, h), rgb[f]);
            EXPECT_LE(worst, c.worst + slack) << c.codec << " frame " << f;
            EXPECT_LE(mean, c.mean + slack) << c.codec << " frame " << f;
        }
        EXPECT_EQ(rs_aviskip(play, -1), 0);
        EXPECT_EQ(rs_aviplay(play, 3, 1), bits == 8 ? 0 : 3) << c.codec << " after rewinding";
        rs_avidone(play);
    }
}

// A 4-bit run-length video of 16 colours, 4 × 3, placed at the cursor partly outside.
TEST_P(Avi, PaletteDelayPlacementAndSkipping) {
    const std::string path = test::temp_path(".avi");
    start(6, 5);
    Bytes pal(48);
    for (size_t i = 0; i < pal.size(); ++i) pal[i] = uint8_t(7 * i + 1);
    rs_setdacs(0, 16, pal.data());
    uint8_t make[24], ctx[48];
    ASSERT_EQ(rs_avimake(path.c_str(), make, 'M' << 24 | 'R' << 16 | 'L' << 8 | 'E', 4, 3, 4, 0, 15), 0);
    const uint8_t frames[2][12] = {{0x01, 0x23, 0, 0, 0x45, 0x67, 0, 0, 0x89, 0xAB, 0, 0}, {0xCD, 0xEF, 0, 0, 0xFE, 0xDC, 0, 0, 0x10, 0x32, 0, 0}};
    ASSERT_EQ(rs_aviframe(make, const_cast<uint8_t*>(frames[0])) | rs_aviframe(make, const_cast<uint8_t*>(frames[1])), 0);
    rs_avidone(make);
    rs_vbclose(), rs_vbfree(-1);
    EXPECT_EQ(rs_avipal(path.c_str(), nullptr), 16);
    start(6, 5);
    rs_setdacs(0, 256, Bytes(768, 0x55).data());
    ASSERT_EQ(rs_aviopen(path.c_str(), ctx), 0);
    EXPECT_EQ(field(ctx, 40), 66666 * 91 / 5000000) << "1/15 s a frame";
    rsp_clock_inject(1, 0);
    rs_move(5, -1);  // the corner at the cursor: one column and one row cut off (width 8)
    const test::Snapshot before;
    ASSERT_EQ(rs_aviplay(ctx, 1, 2), 1);
    EXPECT_EQ(rsp_clock(), uint32_t(field(ctx, 40) * 55)) << "one frame's delay";
    rsp_clock_inject(0, 0);
    Bytes got(768), grey(3, 0x55);
    rs_getdacs(0, 256, got.data());
    for (int i = 0; i < 256; ++i) {
        const bool set = depth() == 8 ? i >= 10 && i < 26 : i < 16;
        const uint8_t* want = set ? &pal[size_t(3 * (i - (depth() == 8 ? 10 : 0)))] : grey.data();
        EXPECT_EQ(std::memcmp(&got[size_t(3 * i)], want, 3), 0) << "palette entry " << i;
    }
    test::PointSet changed = before.changed(), want;
    for (int y = 0; y < 2; ++y)
        for (int x = 5; x < 8; ++x) {
            const uint8_t b = frames[0][(1 - y) * 4 + (x - 5) / 2];  // frame row 1 - y from the bottom
            const uint32_t index = (x - 5) % 2 ? b & 15u : b >> 4u;
            ASSERT_EQ(test::raw_pixel(x, y), depth() == 8 ? index + 10 : core::palette().pixels[index]) << x << "," << y;
            if (test::raw_pixel(x, y) != before.value(x, y)) want.insert({x, y});
        }
    EXPECT_EQ(changed, want) << "nothing outside the visible part";
    EXPECT_EQ(rs_aviskip(ctx, 5), 1) << "what remained";
    EXPECT_EQ(field(ctx, 12), 2);
    EXPECT_EQ(rs_aviplay(ctx, 1, 1), 0);
    EXPECT_EQ(rs_aviskip(ctx, -1), 0);
    EXPECT_EQ(field(ctx, 12), 0);
    EXPECT_EQ(rs_aviplay(ctx, 5, 1), 2);
    rs_avidone(ctx);
    RS_HDC window = rsp_surface_create(12, 10);
    rsp_focus(window, 12, 10), rs_setdc(window);
    EXPECT_EQ(test::list(rs_showavi(path.c_str(), 3, 1), rs_showavi("none.avi", 0, 1)), test::list(0, -1));
    EXPECT_EQ(test::raw_pixel(0, 0), depth() == 8 ? 11 : core::palette().pixels[1]) << "the last frame shown";
    EXPECT_EQ(rsp_surface_pixels(window, nullptr, nullptr)[0] >> 3 & 0x1F1F1F, test::shown_rgb(0, 0) >> 3 & 0x1F1F1F) << "and presented";
    rs_setdc(nullptr), rsp_focus(nullptr, 0, 0), rsp_surface_destroy(window);
}
RSW32_EACH_DEPTH(Avi);

// The vector kernels of full-frame conversion give the plain loops' bytes on rows of every
// length up to a few vectors, from every alignment, reading no byte past the row (the
// sanitizer builds check) and keeping each buffer pixel's fourth byte.
TEST(AviRows, VectorKernelsGiveThePlainLoopsBytes) {
    std::vector<const files::AviRowKernels*> sets;
    for (const files::AviRowKernels* k : {files::ssse3_avi_kernels(), files::avx2_avi_kernels()})
        if (k) sets.push_back(k);
    if (sets.empty()) GTEST_SKIP() << "no vector kernels on this processor";
    const files::AviRowKernels& plain = files::plain_avi_kernels();
    std::mt19937 rng(18);
    uint32_t lut[256];
    for (uint32_t& v : lut) v = uint32_t(rng());
    for (size_t n = 0; n <= 75; ++n)
        for (size_t offset = 0; offset < 4; ++offset) {
            Bytes src(offset + 3 * n), dst(4 * n);
            for (auto& b : src) b = uint8_t(rng());
            for (auto& b : dst) b = uint8_t(rng());
            const uint8_t* row = src.data() + offset;  // ends where the allocation ends
            Bytes want_bgrx = dst, want_lut = dst;
            plain.bgr_into_bgrx(row, want_bgrx.data(), n);
            plain.index_into_32(row, lut, want_lut.data(), n);
            for (size_t i = 0; i < n; ++i) {
                ASSERT_EQ(want_bgrx[4 * i + 3], dst[4 * i + 3]) << "fourth byte of pixel " << i;
                ASSERT_EQ(std::memcmp(&want_bgrx[4 * i], row + 3 * i, 3), 0) << "pixel " << i;
                ASSERT_EQ(std::memcmp(&want_lut[4 * i], &lut[row[i]], 4), 0) << "index " << i;
            }
            for (const files::AviRowKernels* k : sets) {
                Bytes bgrx = dst, by_lut = dst;
                k->bgr_into_bgrx(row, bgrx.data(), n);
                k->index_into_32(row, lut, by_lut.data(), n);
                ASSERT_EQ(bgrx, want_bgrx) << n << " pixels from offset " << offset;
                ASSERT_EQ(by_lut, want_lut) << n << " pixels from offset " << offset;
            }
        }
}

// Damaged files give a result code, and playing them stays inside the file, the context and
// the buffer (the sanitizer builds check the last two).
class AviDamage : public test::Library {};
TEST_F(AviDamage, FilesGiveResultCodes) {
    const Bytes pal8 = test::slurp(avi_data("raw_pal8.avi")), mjpeg = test::slurp(avi_data("mjpeg_420.avi"));
    const Bytes mpeg4 = test::slurp(avi_data("mpeg4.avi"));
    auto at = [](const Bytes& f, const char* id) { return size_t(std::search(f.begin(), f.end(), id, id + 4) - f.begin()); };
    auto put = [](Bytes f, size_t offset, uint32_t v) { return f.size() >= offset + 4 ? (std::memcpy(&f[offset], &v, 4), f) : f; };
    const size_t strh = at(pal8, "strh"), strf = at(pal8, "strf"), movi = at(pal8, "movi"), idx1 = at(pal8, "idx1");
    const struct { const char* what; Bytes file; int open, played; } cases[] = {
        {"intact", pal8, 0, 4},
        {"short", Bytes(pal8.begin(), pal8.begin() + 30), -2, 0},
        {"not RIFF", put(pal8, 0, 0), -2, 0},
        {"stream without a format", put(pal8, strf, 0x78787878), -2, 0},
        {"format of 12 bytes", put(pal8, strf + 4, 12), -3, 0},
        {"format size past the end", put(pal8, strf + 4, 0x7FFFFFF0), 0, 4},
        {"width disagreeing with the frames", put(pal8, strf + 12, 40), 0, 0},
        {"bits the reader lacks", put(pal8, strf + 20, 0x00070001), -5, 0},
        {"huge height", put(pal8, strf + 16, 0x7FFFFFF), -3, 0},
        {"first frame numbered 2^31 - 1", put(pal8, strh + 36, 0x7FFFFFFF), 0, 0},
        {"frames numbered up to 2^31", put(pal8, strh + 36, 0x7FFFFFFD), 0, 2},
        {"movi list past the end", put(pal8, movi - 4, 0xFFFFFFF0), 0, 4},
        {"index outside the file", put(pal8, idx1 + 16, 0x7FFFFFF0), 0, 0},
        {"index sizes past the end", put(pal8, idx1 + 20, 0xFFFFFFF0), 0, 0},
        {"cut inside the second frame", Bytes(pal8.begin(), pal8.begin() + ptrdiff_t(movi + 1000)), 0, 1},
        {"motion JPEG cut in the last frame", Bytes(mjpeg.begin(), mjpeg.begin() + ptrdiff_t(at(mjpeg, "idx1") - 100)), 0, 3},
        {"MPEG-4 cut in the last frame", Bytes(mpeg4.begin(), mpeg4.begin() + ptrdiff_t(at(mpeg4, "idx1") - 100)), codecs ? 0 : -5, codecs ? 3 : 0},
    };
    rs_vbdepth(32), rs_vbopen(rs_vballoc(20, 9));
    for (const auto& c : cases) {
        host::memory_file_set("d.avi", c.file.data(), c.file.size());
        test::Guarded ctx(48);
        EXPECT_EQ(rs_aviopen("d.avi", ctx.data()), c.open) << c.what;
        EXPECT_EQ(rs_aviplay(ctx.data(), 9, 1), c.played) << c.what;
        rs_avidone(ctx.data());
        EXPECT_TRUE(ctx.guards_intact()) << c.what;
        for (size_t n = 0; n < c.file.size(); n += 97) {  // every cut of the file
            host::memory_file_set("d.avi", c.file.data(), n);
            if (rs_aviopen("d.avi", ctx.data()) == 0) rs_aviplay(ctx.data(), 9, 1 | 2), rs_aviskip(ctx.data(), -1), rs_aviplay(ctx.data(), 9, 1);
            rs_avidone(ctx.data());
            rs_avipal("d.avi", Bytes(768).data());
        }
    }
    host::memory_file_clear();
}

// A file being written replaces one of its name only when it is complete: a write failing
// half-way, a codec the library lacks, and sizes it refuses leave the old file as it was.
TEST_F(AviDamage, FailedWritingLeavesAnExistingFileAlone) {
    const std::string path = test::temp_path(".avi");
    const Bytes old = test::slurp(avi_data("raw_pal8.avi"));
    Bytes frame(64 * 64, 3);
    const int unknown = 'Q' << 24 | 'Q' << 16 | 'Q' << 8 | 'Q';
    const struct { const char* what; int codec, width, make; int64_t fail_after; int written; } cases[] = {
        {"write failing in the second frame", 0, 64, 0, 6000, 1},
        {"write failing in the headers", 0, 64, 0, 100, 0},
        {"write failing in the index", 0, 64, 0, 1248 + 3 * 4104 + 20, 3},  // headers, 3 frames
        {"unknown codec", unknown, 64, -2, -1, 0},
        {"no width", 0, 0, -2, -1, 0},
    };
    rs_vbdepth(8), rs_vbopen(rs_vballoc(64, 64));
    for (const auto& c : cases) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(f && std::fwrite(old.data(), 1, old.size(), f) == old.size());
        std::fclose(f);
        host::file_fail_writes_after(c.fail_after);
        uint8_t ctx[24];
        int written = 0;
        const int made = rs_avimake(path.c_str(), ctx, c.codec, c.width, 64, 8, 0, 10);
        EXPECT_EQ(made, c.make) << c.what;
        if (made == 0) {
            while (written < 3 && rs_aviframe(ctx, frame.data()) == 0) ++written;
            rs_avidone(ctx);
        }
        host::file_fail_writes_after(-1);
        EXPECT_EQ(written, c.written) << c.what;
        EXPECT_EQ(test::slurp(path), old) << c.what;
    }
    const std::filesystem::path p(path);
    for (const auto& entry : std::filesystem::directory_iterator(p.parent_path()))
        EXPECT_NE(entry.path().filename().string().rfind(p.filename().string() + ".", 0), 0u) << entry.path() << " stayed behind";
    uint8_t ctx[24];
    ASSERT_EQ(rs_avimake(path.c_str(), ctx, 0, 64, 64, 8, 0, 10), 0);
    EXPECT_EQ(rs_aviframe(ctx, frame.data()), 0);
    rs_avidone(ctx);
    EXPECT_NE(test::slurp(path), old) << "a complete file takes the name";
    std::filesystem::remove(path);
}

// rs_vbfin lets the AVI library go: contexts still open are ended (a file being made is
// completed with its frames), and their records, or copies of them, release nothing later,
// not even the objects of contexts opened after a restart.
TEST_F(AviDamage, TheLibrarysEndEndsContextsLeftOpen) {
    const std::string path = test::temp_path(".avi");
    const Bytes pal8 = test::slurp(avi_data("raw_pal8.avi"));
    host::memory_file_set("p.avi", pal8.data(), pal8.size());
    rs_vbdepth(8);
    const int vb = rs_vballoc(64, 64);
    rs_vbopen(vb);
    Bytes frame(64 * 64, 7);
    const size_t blocks = host::live_blocks();
    uint8_t play[48], copy[48], make[24];
    ASSERT_EQ(rs_aviopen("p.avi", play), 0);
    std::memcpy(copy, play, sizeof play);
    ASSERT_EQ(rs_avimake(path.c_str(), make, 0, 64, 64, 8, 0, 10), 0);
    ASSERT_EQ(rs_aviframe(make, frame.data()), 0);
    ASSERT_EQ(rs_aviframe(make, frame.data()), 0);
    EXPECT_GT(host::live_blocks(), blocks);
    rs_vbfin();
    EXPECT_EQ(host::live_blocks(), blocks) << "an open context kept its format block";
    EXPECT_EQ(rs_aviplay(play, 1, 1), 0);
    EXPECT_EQ(rs_aviframe(make, frame.data()), -1);

    rs_vbopen(vb);
    uint8_t again[48];
    ASSERT_EQ(rs_aviopen(path.c_str(), again), 0) << "the file made was completed";
    EXPECT_EQ(field(again, files::play_ctx::last) - field(again, files::play_ctx::first), 1);
    EXPECT_EQ(rs_avidone(play), 0);
    EXPECT_EQ(rs_avidone(copy), 0);
    EXPECT_EQ(rs_avidone(make), 0);
    EXPECT_EQ(rs_aviplay(again, 2, 1), 2) << "a stale record released a live context";
    EXPECT_EQ(test::raw_pixel(5, 5), 7);
    EXPECT_EQ(rs_avidone(again), 0);
    EXPECT_EQ(rs_avidone(again), 0);
    EXPECT_EQ(host::live_blocks(), blocks) << "a context done by hand kept its format block";
    host::memory_file_clear();
    std::filesystem::remove(path);
}

}  // namespace

// ffmpeg's 8-bit file turned into an OpenDML file past 4 GB (sparse on disk): its frames
// cleared where they were, written again 5 GB in, and found only through an 'indx' index
// of one 'ix00' index whose base offset is there; 'idx1' is renamed away.
TEST_F(AviDamage, OpenDmlIndexReachesFramesPast4GB) {
    Bytes f = test::slurp(avi_data("raw_pal8.avi")), far;
    const Bytes want = test::slurp(avi_data("raw_pal8.avi.rgb"));
    auto at = [&](const char* id) { return size_t(std::search(f.begin(), f.end(), id, id + 4) - f.begin()); };
    auto put = [](uint8_t* p, uint64_t v, int n) { for (int i = 0; i < n; ++i) p[i] = uint8_t(v >> 8 * i); };
    const uint64_t base = uint64_t(5) << 30;
    Bytes ix(32 + 4 * 8);
    std::memcpy(ix.data(), "ix00", 4), put(&ix[4], ix.size() - 8, 4), put(&ix[8], 2, 2), ix[11] = 1, put(&ix[12], 4, 4);
    std::memcpy(&ix[16], "00dc", 4), put(&ix[20], base, 8);
    for (size_t p = at("movi") + 4, n = 0; n < 4; ++n) {
        const uint32_t size = uint32_t(f[p + 4] | f[p + 5] << 8 | f[p + 6] << 16);
        put(&ix[32 + 8 * n], far.size(), 4), put(&ix[36 + 8 * n], size, 4);
        far.insert(far.end(), f.begin() + ptrdiff_t(p + 8), f.begin() + ptrdiff_t(p + 8 + size));
        std::fill(f.begin() + ptrdiff_t(p + 8), f.begin() + ptrdiff_t(p + 8 + size), 0);
        p += 8 + size + (size & 1);
    }
    const size_t junk = at("JUNK");  // ffmpeg's room for an index of indexes
    std::memcpy(&f[junk], "indx", 4), put(&f[junk + 12], 1, 4), put(&f[junk + 16], 0x63643030, 4);  // "00dc"
    put(&f[junk + 32], base + far.size(), 8), put(&f[junk + 40], ix.size(), 4), put(&f[junk + 44], 4, 4);
    std::memcpy(&f[at("idx1")], "JUNK", 4);
    const std::string path = test::temp_path(".avi");
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    const bool written = std::fwrite(f.data(), 1, f.size(), out) == f.size() && fseeko(out, off_t(base), SEEK_SET) == 0 &&
                         std::fwrite(far.data(), 1, far.size(), out) == far.size() && std::fwrite(ix.data(), 1, ix.size(), out) == ix.size();
    std::fclose(out);
    ASSERT_TRUE(written) << "no room for a sparse file past 4 GB";
    rs_vbdepth(24), rs_vbopen(rs_vballoc(36, 17));
    uint8_t ctx[48];
    ASSERT_EQ(rs_aviopen(path.c_str(), ctx), 0);
    for (size_t n = 0; n < 4; ++n) {
        ASSERT_EQ(rs_aviplay(ctx, 1, 1), 1);
        EXPECT_EQ(test::shown_rgb_bytes(33, 17), Bytes(want.begin() + ptrdiff_t(n * 33 * 17 * 3), want.begin() + ptrdiff_t((n + 1) * 33 * 17 * 3))) << n;
    }
    rs_avidone(ctx);
    std::remove(path.c_str());
}
