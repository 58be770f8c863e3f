// Writing AVI files: one video stream, uncompressed or run-length coded frames or frames of
// another codec (avi_objects.h), and the 'idx1' index.
//
// The file is laid out as RIFF 'AVI ' { LIST 'hdrl' { 'avih', LIST 'strl' { 'strh',
// 'strf' } }, LIST 'movi' { frame chunks }, 'idx1' }. The headers are written with the
// first frame and again, with the final counts and sizes, when the file is finished (at
// the release of the last of the file and its streams). A file stays below 2 GB, where
// 32-bit index offsets and sizes are safe for every reader; a frame that would pass it is
// refused. Everything goes into a replacement file that takes the name only when the file
// is finished whole: a file whose writes failed, or that never got a format, leaves no
// trace, and an existing file of that name stays as it was.
#include <algorithm>
#include <vector>

#include "platform/common/avi_objects.h"
#include "platform/file.h"

namespace host {
namespace avi {
namespace {

constexpr uint64_t file_limit_bytes = 0x7FFFFFFF;

struct Writer : Object {
    int file = 0;
    bool failed = false, has_stream = false, started = false;
    AviStreamInfo info;
    std::vector<uint8_t> format;  // as the file stores it
    uint32_t chunk_id = fourcc('0', '0', 'd', 'b');
    uint64_t end = 0;  // of what was written
    struct Entry { uint32_t offset, size; bool key; };
    std::vector<Entry> index;
    uint32_t largest = 0;

    ~Writer() override {
        if (!failed && !format.empty()) finish();
        if (failed || format.empty()) file_close(file);
        else file_commit(file);
    }

    uint64_t headers_size() const { return 12 + 12 + 64 + 12 + 64 + 8 + (format.size() + 1) / 2 * 2 + 12; }

    bool put(uint64_t at, const uint8_t* data, size_t bytes) {
        if (failed || file_seek(file, int64_t(at), from_start) != int64_t(at) || file_write(file, data, bytes) != bytes)
            failed = true;
        return !failed;
    }

    // Everything before the first frame: the RIFF header, the header list, the 'movi'
    // list's header, with the counts and sizes known now.
    bool write_headers() {
        const uint32_t frames = uint32_t(index.size());
        const uint64_t movi_end = started ? end : headers_size();
        std::vector<uint8_t> h(static_cast<size_t>(headers_size()));
        uint8_t* p = h.data();
        auto id = [&](const char* s) { std::memcpy(p, s, 4), p += 4; };
        auto u32 = [&](uint32_t v) { put32(p, v), p += 4; };
        const uint32_t fmt = uint32_t(format.size()), fmt_padded = (fmt + 1) / 2 * 2;
        const uint32_t rate = std::max<uint32_t>(info.rate, 1), scale = std::max<uint32_t>(info.scale, 1);
        const uint32_t buffer = std::max(largest, info.suggested_buffer);
        id("RIFF"), u32(uint32_t(movi_end + 16 * index.size())), id("AVI ");  // up to the end of idx1
        id("LIST"), u32(4 + 64 + 12 + 64 + 8 + fmt_padded), id("hdrl");
        id("avih"), u32(56);
        u32(uint32_t(uint64_t(1000000) * scale / rate));  // microseconds a frame
        u32(uint32_t(std::min<uint64_t>(uint64_t(buffer) * rate / scale, 0xFFFFFFFF)));
        u32(0), u32(0x10), u32(frames), u32(0), u32(1), u32(buffer);  // flags: has an index
        u32(uint32_t(info.width)), u32(uint32_t(info.height)), u32(0), u32(0), u32(0), u32(0);
        id("LIST"), u32(4 + 64 + 8 + fmt_padded), id("strl");
        id("strh"), u32(56), id("vids"), u32(info.handler), u32(0), u32(0), u32(0);
        u32(scale), u32(rate), u32(0), u32(frames), u32(buffer), u32(uint32_t(info.quality)), u32(0);
        put16(p, 0), put16(p + 2, 0), put16(p + 4, uint32_t(info.width)), put16(p + 6, uint32_t(info.height)), p += 8;
        id("strf"), u32(fmt);
        std::memcpy(p, format.data(), fmt), p += fmt_padded;
        id("LIST"), u32(uint32_t(movi_end - (headers_size() - 12) - 8)), id("movi");
        return put(0, h.data(), h.size());
    }

    bool write_frame(const uint8_t* data, size_t bytes, bool key) {
        if (failed) return false;
        if (!started) {
            if (!write_headers()) return false;
            started = true, end = headers_size();
        }
        // The chunk and its index entry must keep the file inside the limit.
        const uint64_t after = end + 8 + bytes + (bytes & 1), with_index = after + 8 + 16 * (index.size() + 1);
        if (with_index > file_limit_bytes) return false;
        uint8_t h[8];
        put32(h, chunk_id), put32(h + 4, uint32_t(bytes));
        const uint8_t pad = 0;
        if (!put(end, h, 8) || (bytes && !put(end + 8, data, bytes)) || ((bytes & 1) && !put(end + 8 + bytes, &pad, 1)))
            return false;
        index.push_back({uint32_t(end - (headers_size() - 4)), uint32_t(bytes), key});
        largest = std::max(largest, uint32_t(bytes));
        end = after;
        return true;
    }

    void finish() {
        if (!started) {
            if (!write_headers()) return;
            started = true, end = headers_size();
        }
        std::vector<uint8_t> idx(8 + 16 * index.size());
        std::memcpy(idx.data(), "idx1", 4), put32(idx.data() + 4, uint32_t(16 * index.size()));
        for (size_t i = 0; i < index.size(); ++i) {
            uint8_t* e = &idx[8 + 16 * i];
            put32(e, chunk_id), put32(e + 4, index[i].key ? 0x10 : 0), put32(e + 8, index[i].offset), put32(e + 12, index[i].size);
        }
        if (put(end, idx.data(), idx.size())) write_headers();
    }
};

enum class Codec { none, rle, other };

// A stream of the file, or a stream that codes frames before they reach it. The frames a
// codec still holds go to the file when the stream is released, before the file ends.
struct WriteStream : Object {
    std::shared_ptr<Writer> file;
    Codec codec = Codec::none;
    bool coded = false;  // made by avi_make_compressed
    uint32_t handler = 0;
    int quality = -1;
    int width = 0, height = 0, bits = 0;
    int64_t frames = 0;  // taken by avi_write
    uint64_t stride = 0;
    std::vector<uint8_t> coded_frame;
    std::unique_ptr<CodecWriter> coder;

    PacketSink sink() const {
        return [w = file](const uint8_t* data, size_t bytes, bool key) { return w->write_frame(data, bytes, key); };
    }
    ~WriteStream() override {
        if (coder && !coder->finish(sink())) file->failed = true;
    }
};

// Run-length codes one row of pixel values (bytes at 8 bits, nibbles at 4): runs of two or
// more equal pixels as (count, value), anything else as literal groups of three or more
// (shorter ones as runs of one), each group at most 255 pixels.
void rle_row(const uint8_t* px, int width, bool four, std::vector<uint8_t>& out) {
    auto value = [&](int x) { return four ? (x & 1 ? px[x / 2] & 15 : px[x / 2] >> 4) : px[x]; };
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < 255 && value(x + run) == value(x)) ++run;
        if (run >= 2 || x + 1 == width) {
            out.push_back(uint8_t(run)), out.push_back(uint8_t(four ? value(x) << 4 | value(x) : value(x)));
            x += run;
            continue;
        }
        int n = 1;  // literals until two equal pixels start a run
        while (x + n < width && n < 255 && !(x + n + 1 < width && value(x + n) == value(x + n + 1))) ++n;
        if (n < 3) {
            for (int i = 0; i < n; ++i) out.push_back(1), out.push_back(uint8_t(four ? value(x + i) << 4 : value(x + i)));
        } else {
            out.push_back(0), out.push_back(uint8_t(n));
            const size_t start = out.size();
            for (int i = 0; i < n; ++i) {
                if (!four) out.push_back(uint8_t(value(x + i)));
                else if (i % 2 == 0) out.push_back(uint8_t(value(x + i) << 4));
                else out.back() = uint8_t(out.back() | value(x + i));
            }
            if ((out.size() - start) & 1) out.push_back(0);
        }
        x += n;
    }
}

const std::vector<uint8_t>& rle_frame(WriteStream& s, const uint8_t* data) {
    rle_code(data, s.width, s.height, s.bits == 4, s.coded_frame);
    return s.coded_frame;
}

}  // namespace

// Row by row from the bottom. Every coded frame is a whole picture: a key frame, as the
// index marks them all.
void rle_code(const uint8_t* frame, int width, int height, bool four, std::vector<uint8_t>& out) {
    out.clear();
    const uint64_t stride = row_bytes(width, four ? 4 : 8);
    for (int y = 0; y < height; ++y) {
        rle_row(frame + uint64_t(y) * stride, width, four, out);
        out.push_back(0), out.push_back(y + 1 == height ? 1 : 0);
    }
}
namespace builtin {

int file_create(const char* filename) {
        if (!filename) return 0;
    auto w = std::make_shared<Writer>();
    w->file = file_create_replacement(filename);
    if (!w->file) return 0;
    const int id = enter(Kind::file, w);
    if (!id) w->failed = true;
    return id;
}

void file_release(int file) { remove(file, Kind::file); }

int create_stream(int file, const AviStreamInfo& info) {
        const auto w = find_as<Writer>(file, Kind::file);
    if (!w || w->has_stream || info.type != avi_video || info.rate == 0 || info.scale == 0) return 0;
    auto s = std::make_shared<WriteStream>();
    s->file = w;
    const int id = enter(Kind::write_stream, s);
    if (id) w->has_stream = true, w->info = info;
    return id;
}

bool save_options(AviCompressOptions& options) {
    options = AviCompressOptions{};
    return true;
}

int make_compressed(int stream, const AviCompressOptions& options) {
        const auto base = find_as<WriteStream>(stream, Kind::write_stream);
    if (!base || base->coded || options.type != avi_video) return 0;
    auto s = std::make_shared<WriteStream>();
    s->file = base->file, s->coded = true;
    const uint32_t h = options.handler;
    if (h == avi_rle || h == fourcc('m', 'r', 'l', 'e') || h == fourcc('R', 'L', 'E', ' '))
        s->codec = Codec::rle;
    else if (h == avi_uncompressed || h == 0 || h == fourcc('R', 'G', 'B', ' ') || h == fourcc('R', 'A', 'W', ' '))
        s->codec = Codec::none;
    else if (codec_writes(h))
        s->codec = Codec::other, s->handler = h, s->quality = options.quality;
    else
        return 0;
    return enter(Kind::write_stream, s);
}

bool set_format(int stream, const uint8_t* format, size_t bytes) {
        const auto s = find_as<WriteStream>(stream, Kind::write_stream);
    if (!s || !format || bytes < bitmap_header || bytes > 0x10000 || !s->file->format.empty()) return false;
    const int32_t width = int32_t(get32(format + 4)), height = int32_t(get32(format + 8));
    const int bits = get16(format + 14);
    if (get32(format) != bitmap_header || width <= 0 || height <= 0 || get32(format + 16) != bi_rgb) return false;
    const bool rle = s->codec == Codec::rle;
    if (rle ? bits != 4 && bits != 8 : bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    s->width = width, s->height = height, s->bits = bits;
    s->stride = row_bytes(width, bits);
    if (s->stride * uint64_t(height) > frame_limit()) return false;
    Writer& w = *s->file;
    if (s->codec == Codec::other) {
        s->coder = open_codec_writer(s->handler, s->quality, format, bytes, w.info.rate, w.info.scale);
        if (!s->coder) return false;
        w.format = s->coder->format();
        w.chunk_id = fourcc('0', '0', 'd', 'c');
        w.info.handler = s->handler;
        return true;
    }
    w.format.assign(format, format + bytes);
    put32(w.format.data() + 20, uint32_t(s->stride * uint64_t(height)));
    if (rle) {
        put32(w.format.data() + 16, bits == 8 ? bi_rle8 : bi_rle4);
        w.chunk_id = fourcc('0', '0', 'd', 'c');
        w.info.handler = avi_rle;
    } else {
        w.info.handler = avi_uncompressed;
    }
    return true;
}

bool write(int stream, int position, const void* data, size_t bytes, bool) {
        const auto s = find_as<WriteStream>(stream, Kind::write_stream);
    if (!s || !data || s->file->format.empty()) return false;
    Writer& w = *s->file;
    if (position != s->frames || bytes != s->stride * uint64_t(s->height) || w.failed) return false;
    bool ok;
    if (s->codec == Codec::none) {
        ok = w.write_frame(static_cast<const uint8_t*>(data), bytes, true);
    } else if (s->codec == Codec::other) {
        ok = s->coder->encode(static_cast<const uint8_t*>(data), s->sink());
        if (!ok) w.failed = true;  // the codec's state is lost with the frame
    } else {
        const std::vector<uint8_t>& out = rle_frame(*s, static_cast<const uint8_t*>(data));
        ok = w.write_frame(out.data(), out.size(), true);
    }
    if (ok) ++s->frames;
    return ok;
}

void stream_release(int stream) {
    remove(stream, Kind::write_stream);
    remove(stream, Kind::read_stream);
}

}  // namespace builtin
}  // namespace avi
}  // namespace host
