// AVI files through the system's AVI library (under Wine, Wine's own): files it writes read
// back frame by frame through the host's calls and the built-in reader, files the built-in
// writer makes read through the host's calls, unfinished files, and the built-in library
// taking over when the system's is missing. The host reads uncompressed and run-length
// coded streams itself; the system's frame reader is tried on a Video-1 file, a codec only
// the system decodes.
#include <cstdio>
#include <filesystem>

#include "files/pictures.h"
#include "platform/common/avi_objects.h"
#include "platform/windows/avi_system.h"

namespace {

using Bytes = std::vector<uint8_t>;
using host::avi::Kind;
namespace builtin = host::avi::builtin;

// One side's calls: the host's (the system library) or the built-in library's.
struct Side {
    const char* name;
    int (*file_create)(const char*);
    int (*create_stream)(int, const host::AviStreamInfo&);
    int (*make_compressed)(int, const host::AviCompressOptions&);
    bool (*set_format)(int, const uint8_t*, size_t);
    bool (*write)(int, int, const void*, size_t, bool);
    void (*file_release)(int);
    int (*open_stream)(const char*, uint32_t);
    int (*read_format)(int, uint8_t*, size_t);
    int (*frame_open)(int, const uint8_t*, size_t);
    const uint8_t* (*frame)(int, int, size_t*);
    void (*frame_close)(int);
    void (*stream_release)(int);
};
const Side system_side{"system", host::avi_file_create, host::avi_create_stream, host::avi_make_compressed,
                       host::avi_set_format, host::avi_write, host::avi_file_release, host::avi_open_stream,
                       host::avi_read_format, host::avi_frame_open, host::avi_frame, host::avi_frame_close,
                       host::avi_stream_release};
const Side builtin_side{"built-in", builtin::file_create, builtin::create_stream, builtin::make_compressed,
                        builtin::set_format, builtin::write, builtin::file_release, builtin::open_stream,
                        builtin::read_format, builtin::frame_open, builtin::frame, builtin::frame_close,
                        builtin::stream_release};

// A bottom-up bitmap header of w × h at bits, with a colour table of its 2^bits colours.
Bytes bitmap_format(int w, int h, int bits, std::mt19937& rng) {
    const int colors = bits <= 8 ? 1 << bits : 0;
    Bytes f(size_t(40 + 4 * colors));
    host::avi::put32(&f[0], 40), host::avi::put32(&f[4], uint32_t(w)), host::avi::put32(&f[8], uint32_t(h));
    host::avi::put16(&f[12], 1), host::avi::put16(&f[14], uint32_t(bits));
    host::avi::put32(&f[32], uint32_t(colors));
    for (int i = 0; i < colors; ++i) f[size_t(40 + 4 * i)] = uint8_t(rng()), f[size_t(41 + 4 * i)] = uint8_t(rng()), f[size_t(42 + 4 * i)] = uint8_t(rng());
    return f;
}

// Frames of runs (so that run-length coding has something to do) with the padding of each
// row clear, and for 16 bits only 5-5-5 words.
std::vector<Bytes> some_frames(int w, int h, int bits, int n, std::mt19937& rng) {
    const size_t stride = size_t((w * bits + 31) / 32 * 4), used = size_t((w * bits + 7) / 8);
    std::vector<Bytes> frames;
    for (int f = 0; f < n; ++f) {
        Bytes frame(stride * size_t(h));
        for (int y = 0; y < h; ++y)
            for (size_t x = 0; x < used;) {
                const uint8_t v = uint8_t(rng()), run = uint8_t(1 + rng() % 9);
                for (int k = 0; k < run && x < used; ++k, ++x) frame[size_t(y) * stride + x] = v;
            }
        if (w * bits % 8)  // bits past the last pixel of a row stay clear
            for (int y = 0; y < h; ++y) frame[size_t(y) * stride + used - 1] &= uint8_t(0xFF << (8 - w * bits % 8));
        if (bits == 16)
            for (size_t i = 1; i < frame.size(); i += 2) frame[i] &= 0x7F;
        frames.push_back(frame);
    }
    return frames;
}

struct Written {
    Bytes format;
    std::vector<Bytes> frames;
};

// Writes frames through one side, as the AVI family does; false when a call refused.
bool write_file(const Side& side, const std::string& path, uint32_t handler, const Written& w, Kind expected) {
    const int width = int(host::avi::get32(&w.format[4])), height = int(host::avi::get32(&w.format[8]));
    const int file = side.file_create(path.c_str());
    if (!file || !host::avi::find(file, expected)) return false;
    host::AviStreamInfo info;
    info.rate = 25, info.width = width, info.height = height, info.suggested_buffer = uint32_t(w.frames[0].size());
    const int stream = side.create_stream(file, info);
    host::AviCompressOptions options;
    options.handler = handler;
    const int coded = stream ? side.make_compressed(stream, options) : 0;
    bool ok = coded && side.set_format(coded, w.format.data(), w.format.size());
    for (size_t f = 0; ok && f < w.frames.size(); ++f) ok = side.write(coded, int(f), w.frames[f].data(), w.frames[f].size(), true);
    side.stream_release(coded), side.stream_release(stream), side.file_release(file);
    return ok;
}

// Reads every frame through one side, decoded to the written format; the frames in `got`.
bool read_file(const Side& side, const std::string& path, const Bytes& format, size_t frames, std::vector<Bytes>& got, Kind expected) {
    const int stream = side.open_stream(path.c_str(), host::avi_video);
    if (!stream || !host::avi::find(stream, expected)) return side.stream_release(stream), false;
    Bytes wanted = format;
    const int reader = side.frame_open(stream, wanted.data(), wanted.size());
    for (size_t f = 0; reader && f <= frames; ++f) {
        size_t bytes = 0;
        const uint8_t* p = side.frame(reader, int(f), &bytes);
        if (f == frames) {
            EXPECT_EQ(p, nullptr) << "a frame past the end";
            break;
        }
        if (!p || bytes < format.size()) break;
        EXPECT_EQ(Bytes(p, p + format.size()), format) << "the format heads every frame";
        got.emplace_back(p + format.size(), p + bytes);
    }
    side.frame_close(reader), side.stream_release(stream);
    return reader != 0;
}

class SystemAvi : public test::Library {
protected:
    void SetUp() override {
        Library::SetUp();
        ASSERT_TRUE(host::avi_system_usable()) << "rs_vbinit loads the system's AVI library";
        host::avi_init();
    }
    void TearDown() override {
        host::avi_exit();
        Library::TearDown();
    }
};

// Each writer's file read frame by frame by each reader gives the frames written, pixel for
// pixel: uncompressed at every depth the library writes, and run-length coded 4- and 8-bit
// frames.
TEST_F(SystemAvi, EachLibraryReadsWhatEitherWrites) {
    const struct { int bits; uint32_t handler; } kinds[] = {
        {1, host::avi_uncompressed}, {4, host::avi_uncompressed}, {8, host::avi_uncompressed},
        {16, host::avi_uncompressed}, {24, host::avi_uncompressed}, {32, host::avi_uncompressed},
        {8, host::avi_rle}, {4, host::avi_rle},
    };
    std::mt19937 rng{7};
    const std::string path = test::temp_path(".avi");
    for (const auto& k : kinds)
        for (const Side* writer : {&system_side, &builtin_side})
            for (const Side* reader : {&system_side, &builtin_side}) {
                const std::string what = std::string(writer->name) + " writes, " + reader->name + " reads, " +
                                         std::to_string(k.bits) + " bits, handler " + std::to_string(k.handler);
                Written w{bitmap_format(37, 9, k.bits, rng), some_frames(37, 9, k.bits, 3, rng)};
                const Kind made = writer == &system_side ? Kind::system_file : Kind::file;
                ASSERT_TRUE(write_file(*writer, path, k.handler, w, made)) << what;
                std::vector<Bytes> got;
                // The library reads these codings itself on every host.
                EXPECT_TRUE(read_file(*reader, path, w.format, w.frames.size(), got, Kind::read_stream)) << what;
                EXPECT_EQ(got, w.frames) << what;
            }
    std::remove(path.c_str());
}

// A file of the system's that is not finished whole (no format, or a frame short of the
// count the stream says) leaves an existing file of its name as it was and nothing beside
// it; numbers of the system's objects are refused by calls for another kind.
TEST_F(SystemAvi, UnfinishedFilesLeaveNoTraceAndNumbersKeepTheirKind) {
    const std::string path = test::temp_path(".avi");
    const Bytes old = {'o', 'l', 'd'};
    std::mt19937 rng{3};
    const Bytes format = bitmap_format(8, 4, 24, rng);
    const Bytes frame(96, 7);
    for (int formatted = 0; formatted < 2; ++formatted) {
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(out && std::fwrite(old.data(), 1, old.size(), out) == old.size());
        std::fclose(out);
        const int file = host::avi_file_create(path.c_str());
        ASSERT_TRUE(host::avi::find(file, Kind::system_file));
        host::AviStreamInfo info;
        info.rate = 10;
        const int stream = host::avi_create_stream(file, info);
        ASSERT_TRUE(host::avi::find(stream, Kind::system_write_stream));
        EXPECT_EQ(host::avi_create_stream(file, info), 0) << "one stream a file";
        const int coded = host::avi_make_compressed(stream, host::AviCompressOptions{});
        const int other_kinds[] = {file, stream};
        for (int n : other_kinds) {
            EXPECT_EQ(host::avi_read_format(n, nullptr, 0), -1);
            EXPECT_EQ(host::avi_frame_open(n, format.data(), format.size()), 0);
            EXPECT_EQ(host::avi_frame(n, 0, nullptr), nullptr);
        }
        EXPECT_FALSE(host::avi_write(file, 0, frame.data(), frame.size(), true));
        EXPECT_FALSE(host::avi_write(coded, 0, frame.data(), frame.size(), true)) << "before the format";
        if (formatted) {
            ASSERT_TRUE(host::avi_set_format(coded, format.data(), format.size()));
            EXPECT_FALSE(host::avi_set_format(coded, format.data(), format.size())) << "set once";
            EXPECT_FALSE(host::avi_write(coded, 0, frame.data(), frame.size() - 1, true)) << "a short frame";
            EXPECT_FALSE(host::avi_write(coded, 1, frame.data(), frame.size(), true)) << "not the next frame";
        }
        host::avi_file_release(file), host::avi_stream_release(stream);
        host::avi_stream_release(coded);
        if (formatted) {
            EXPECT_NE(test::slurp(path), old) << "a file with a format and no frames is whole";
        } else {
            EXPECT_EQ(test::slurp(path), old) << "a file that never got a format";
        }
        const std::filesystem::path p(path);
        for (const auto& entry : std::filesystem::directory_iterator(p.parent_path()))
            EXPECT_NE(entry.path().filename().string().rfind(p.filename().string() + ".", 0), 0u) << entry.path() << " stayed behind";
    }
    // Reading streams and readers are not written to. The library reads uncompressed frames
    // itself, with or without frames.
    int stream = host::avi_open_stream(path.c_str(), host::avi_video);
    EXPECT_TRUE(host::avi::find(stream, Kind::read_stream));
    host::avi_stream_release(stream);
    ASSERT_TRUE(write_file(system_side, path, host::avi_uncompressed, Written{format, {frame, frame}}, Kind::system_file));
    stream = host::avi_open_stream(path.c_str(), host::avi_video);
    ASSERT_TRUE(host::avi::find(stream, Kind::read_stream));
    const int reader = host::avi_frame_open(stream, format.data(), format.size());
    EXPECT_NE(host::avi_frame(reader, 1, nullptr), nullptr);
    EXPECT_EQ(host::avi_frame(reader, 2, nullptr), nullptr) << "past the end";
    for (int n : {stream, reader}) {
        EXPECT_FALSE(host::avi_set_format(n, format.data(), format.size()));
        EXPECT_FALSE(host::avi_write(n, 0, frame.data(), frame.size(), true));
    }
    EXPECT_EQ(host::avi_read_format(reader, nullptr, 0), -1);
    host::avi_frame_close(reader), host::avi_stream_release(stream);
    std::remove(path.c_str());
}

// A codec the built-in reader lacks (Video-1, 16-bit 5-5-5 blocks) plays through the
// system's frame reader as ffmpeg decodes it: 5-bit channels widened by each side's rule,
// at most one step apart.
TEST_F(SystemAvi, TheSystemsCodecsPlayAsFfmpegDecodesThem) {
    const std::string path = std::string(RSW32_TEST_DATA_DIR) + "/avi/msvideo1.avi";
    const Bytes want = test::slurp(path + ".rgb");
    ASSERT_EQ(want.size(), size_t(4 * 32 * 16 * 3));
    rs_vbdepth(24), rs_vbopen(rs_vballoc(32, 16));
    uint8_t ctx[48];
    ASSERT_EQ(rs_aviopen(path.c_str(), ctx), 0);
    int32_t stream, reader;
    std::memcpy(&stream, ctx + 24, 4), std::memcpy(&reader, ctx + 28, 4);
    EXPECT_TRUE(host::avi::find(stream, Kind::system_read_stream));
    EXPECT_TRUE(host::avi::find(reader, Kind::system_frame_reader));
    for (size_t f = 0; f < 4; ++f) {
        ASSERT_EQ(rs_aviplay(ctx, 1, 1), 1) << f;
        const Bytes got = test::shown_rgb_bytes(32, 16);
        int worst = 0;
        for (size_t i = 0; i < got.size(); ++i) worst = std::max(worst, std::abs(int(got[i]) - int(want[f * got.size() + i])));
        EXPECT_LE(worst, 1) << "frame " << f;
    }
    EXPECT_EQ(rs_aviplay(ctx, 1, 1), 0) << "past the last frame";
    rs_avidone(ctx);
}

// Without the system's library, or with one that lacks an entry point, the built-in library
// reads and writes in its place through the same calls.
TEST_F(SystemAvi, TheBuiltInLibraryServesWhenTheSystemsIsMissing) {
    std::mt19937 rng{5};
    const std::string path = test::temp_path(".avi");
    for (const char* dll : {"KERNEL32.DLL", "NO_SUCH_LIBRARY.DLL"}) {
        EXPECT_FALSE(host::avi_system_load(dll)) << dll;
        Written w{bitmap_format(5, 3, 8, rng), some_frames(5, 3, 8, 2, rng)};
        EXPECT_TRUE(write_file(system_side, path, host::avi_uncompressed, w, Kind::file)) << dll;
        std::vector<Bytes> got;
        EXPECT_TRUE(read_file(system_side, path, w.format, w.frames.size(), got, Kind::read_stream)) << dll;
        EXPECT_EQ(got, w.frames) << dll;
    }
    EXPECT_TRUE(host::avi_system_load("AVIFIL32.DLL"));
    std::remove(path.c_str());
}

}  // namespace
