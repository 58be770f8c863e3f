// Reading AVI files: the first video stream of a RIFF file, its format and header, the
// index of its frames, and frames decoded into bottom-up bitmaps.
//
// The file is a RIFF form 'AVI ' of chunks (a four-character id, a 32-bit size, the data
// padded to an even size), lists among them: 'hdrl' with one 'strl' list per stream (its
// header 'strh', its format 'strf', and with OpenDML an index of indexes 'indx'), 'movi'
// with the frames ('00db', '00dc', ... by stream number), then the old index 'idx1'. Files
// past 1 GB continue in further RIFF forms 'AVIX', each with a 'movi' list, indexed only
// by 'indx'. Frames are found through 'indx', else 'idx1', else by walking the 'movi'
// lists. Nothing read from the file is trusted: every chunk is cut to the file's end, and
// a frame is read only once its place is known to lie inside the file.
#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "platform/common/avi_objects.h"
#include "platform/file.h"

namespace host {
namespace avi {
namespace {

constexpr uint32_t id_riff = fourcc('R', 'I', 'F', 'F'), id_list = fourcc('L', 'I', 'S', 'T');
constexpr uint32_t key_frame_flag = 0x10;  // idx1 flags
constexpr uint32_t format_limit = 1 << 16; // a bitmap header and any colour table fit

struct IndexEntry {
    uint64_t offset;  // of the data, past the chunk header
    uint32_t size;
    bool key;
};

struct ReadStream : Object {
    int file = 0;
    std::string name;
    uint64_t file_size = 0;
    AviStreamInfo info;
    std::vector<uint8_t> format;
    std::vector<IndexEntry> index;
    ~ReadStream() override { file_close(file); }

    bool read_at(uint64_t position, void* dst, uint64_t bytes) const {
        if (position > file_size || bytes > file_size - position) return false;
        return file_seek(file, int64_t(position), from_start) == int64_t(position) &&
               file_read(file, dst, size_t(bytes)) == bytes;
    }
};

// The walk over a file's chunks that builds a ReadStream.
class Parser {
public:
    explicit Parser(ReadStream& s) : s_(s) {}

    bool parse() {
        uint8_t h[12];
        if (!s_.read_at(0, h, 12) || get32(h) != id_riff || get32(h + 8) != fourcc('A', 'V', 'I', ' ')) return false;
        // The RIFF form, then any further forms ('AVIX') that follow it; anything else after
        // a form ends the file.
        for (uint64_t pos = 0; pos + 12 <= s_.file_size && s_.read_at(pos, h, 12) && get32(h) == id_riff;) {
            const uint64_t end = pos + 8 + get32(h + 4);
            walk(pos + 12, end, 0);
            pos = end + (end & 1);
        }
        if (!chosen_) return false;
        if (!(indx_size_ && read_indx(indx_pos_, indx_size_, 0)) && !(idx1_size_ && read_idx1()))
            for (const auto& [begin, end] : movi_) walk_movi(begin, end, 0);
        return true;
    }

private:
    // Chunks from begin to end (cut to the file). depth: 0 a RIFF form's own chunks; 1 inside
    // 'hdrl'; 2 inside a stream's 'strl'.
    void walk(uint64_t pos, uint64_t end, int depth) {
        end = std::min(end, s_.file_size);
        uint8_t h[12];
        while (pos + 8 <= end && s_.read_at(pos, h, std::min<uint64_t>(12, end - pos))) {
            const uint32_t id = get32(h), size = get32(h + 4);
            const uint64_t data = pos + 8, stop = std::min(end, data + size);
            const uint32_t form = pos + 12 <= end ? get32(h + 8) : 0;
            if (id == id_list && form == fourcc('h', 'd', 'r', 'l') && depth == 0) walk(data + 4, stop, 1);
            if (id == id_list && form == fourcc('m', 'o', 'v', 'i') && depth == 0) movi_.push_back({data, stop});
            if (id == fourcc('i', 'd', 'x', '1') && depth == 0 && !idx1_size_) idx1_pos_ = data, idx1_size_ = stop - data;
            if (id == id_list && form == fourcc('s', 't', 'r', 'l') && depth == 1) {
                stream_header_ = false;
                walk(data + 4, stop, 2);
                ++streams_;
            }
            if (depth == 2 && !chosen_) stream_chunk(id, data, stop);
            if (depth == 2 && chosen_ && number_ == streams_ && id == fourcc('i', 'n', 'd', 'x'))
                indx_pos_ = data, indx_size_ = stop - data;
            pos = data + uint64_t(size) + (size & 1);
        }
    }

    void stream_chunk(uint32_t id, uint64_t data, uint64_t stop) {
        uint8_t h[56]{};
        if (id == fourcc('s', 't', 'r', 'h') && stop - data >= 48 && s_.read_at(data, h, std::min<uint64_t>(56, stop - data))) {
            stream_header_ = get32(h) == avi_video;
            if (!stream_header_) return;
            AviStreamInfo& i = s_.info;
            i.type = avi_video, i.handler = get32(h + 4);
            i.scale = get32(h + 20), i.rate = get32(h + 24);
            i.start = int32_t(std::min<uint32_t>(get32(h + 28), 0x7FFFFFFF));
            i.length = int32_t(std::min<uint32_t>(get32(h + 32), 0x7FFFFFFF));
            i.suggested_buffer = get32(h + 36), i.quality = int32_t(get32(h + 40));
            i.width = int16_t(get16(h + 52)) - int16_t(get16(h + 48));
            i.height = int16_t(get16(h + 54)) - int16_t(get16(h + 50));
        }
        // The format belongs to the stream whose header came before it in the list.
        if (id == fourcc('s', 't', 'r', 'f') && stream_header_) {
            const uint64_t n = std::min<uint64_t>(stop - data, format_limit);
            s_.format.resize(size_t(n));
            if (!s_.read_at(data, s_.format.data(), n)) s_.format.clear();
            chosen_ = true, number_ = streams_;
        }
    }

    // Whether a chunk id names a frame of the chosen stream: two digits, then 'db' or 'dc'.
    bool frame_id(uint32_t id) const {
        const int tens = int(id & 0xFF) - '0', ones = int(id >> 8 & 0xFF) - '0';
        const uint32_t kind = id >> 16;
        return tens == number_ / 10 && ones == number_ % 10 && (kind == 0x6264 || kind == 0x6364);  // "db", "dc"
    }

    // An entry past the file's end is kept: reading that frame fails, and playing stops
    // there, as at a damaged frame. Every frame has a chunk header of 8 bytes in the file,
    // so an index of more entries than that allows repeats itself and is cut.
    void add(uint64_t offset, uint32_t size, bool key) {
        if (s_.index.size() < s_.file_size / 8) s_.index.push_back({offset, size, key});
    }

    // An OpenDML index: of indexes (type 0), pointing at 'ix' chunks, or of chunks (type 1).
    bool read_indx(uint64_t pos, uint64_t size, int depth) {
        uint8_t h[24];
        if (size < 24 || !s_.read_at(pos, h, 24)) return false;
        const int longs = get16(h), type = h[3];
        const uint64_t room = (size - 24) / (4 * std::max(longs, 1));
        const uint64_t count = std::min<uint64_t>(get32(h + 4), room);
        if (type == 0 && longs == 4 && depth == 0) {
            for (uint64_t i = 0; i < count; ++i) {
                if (!s_.read_at(pos + 24 + 16 * i, h, 16)) break;
                const uint64_t at = get64(h);  // the 'ix' chunk, header included
                uint8_t c[8];
                if (at > s_.file_size || !s_.read_at(at, c, 8)) continue;
                read_indx(at + 8, std::min<uint64_t>(get32(c + 4), s_.file_size - at - 8), 1);
            }
            return !s_.index.empty();
        }
        // Of chunks: base offset at 12, entries (offset from the base, size) from 24.
        if (type != 1 || longs != 2) return false;
        const uint64_t base = get64(h + 12);
        const uint64_t entries = std::min<uint64_t>(get32(h + 4), (size - 24) / 8);
        std::vector<uint8_t> table(size_t(entries * 8));
        if (!s_.read_at(pos + 24, table.data(), table.size())) return false;
        for (uint64_t i = 0; i < entries; ++i) {
            const uint32_t size_word = get32(&table[size_t(8 * i + 4)]);
            add(base + get32(&table[size_t(8 * i)]), size_word & 0x7FFFFFFF, !(size_word & 0x80000000u));
        }
        return true;
    }

    // idx1 offsets count from the 'movi' list's type field, or in some files from the file's
    // start: the first frame entry decides, by which reading finds its chunk there.
    bool read_idx1() {
        std::vector<uint8_t> table(size_t(idx1_size_ / 16 * 16));
        if (movi_.empty() || !s_.read_at(idx1_pos_, table.data(), table.size())) return false;
        uint64_t base = movi_[0].first;
        bool decided = false;
        for (size_t i = 0; i < table.size(); i += 16) {
            const uint8_t* e = &table[i];
            if (!frame_id(get32(e))) continue;
            if (!decided) {
                uint8_t c[4];
                decided = true;
                if (!(s_.read_at(base + get32(e + 8), c, 4) && get32(c) == get32(e)) && s_.read_at(get32(e + 8), c, 4) &&
                    get32(c) == get32(e))
                    base = 0;
            }
            add(base + get32(e + 8) + 8, get32(e + 12), (get32(e + 4) & key_frame_flag) != 0);
        }
        return !s_.index.empty();
    }

    // Without an index: the frame chunks in the order the 'movi' lists hold them, also
    // inside 'rec ' lists; every frame counts as a key frame.
    void walk_movi(uint64_t pos, uint64_t end, int depth) {
        uint8_t h[12];
        pos += 4;  // the list type
        while (pos + 8 <= end && s_.read_at(pos, h, std::min<uint64_t>(12, end - pos))) {
            const uint32_t id = get32(h), size = get32(h + 4);
            if (id == id_list && depth == 0 && pos + 12 <= end)
                walk_movi(pos + 8, std::min(end, pos + 8 + size), 1);
            else if (frame_id(id))
                add(pos + 8, size, true);
            pos += 8 + uint64_t(size) + (size & 1);
        }
    }

    ReadStream& s_;
    std::vector<std::pair<uint64_t, uint64_t>> movi_;  // data (type field) and end of each
    uint64_t idx1_pos_ = 0, idx1_size_ = 0, indx_pos_ = 0, indx_size_ = 0;
    int streams_ = 0, number_ = 0;
    bool stream_header_ = false, chosen_ = false;
};

// ---- frames ---------------------------------------------------------------------------

enum class Coding { raw, raw565, rle8, rle4, foreign, codec };

struct FrameReader : Object {
    std::shared_ptr<ReadStream> stream;
    Coding coding = Coding::raw;
    AviFrameDecoder decoder = nullptr;
    std::unique_ptr<CodecReader> codec;  // Coding::codec
    int width = 0, height = 0, bits = 0;
    bool top_down = false;
    uint64_t stride = 0, image = 0;
    size_t header = 0;
    std::unique_ptr<uint8_t[]> block;  // the format, then the pixels
    std::vector<uint8_t> data;         // a compressed frame's bytes
    int64_t last = -1;                 // the frame the pixels hold

    uint8_t* pixels() const { return block.get() + header; }
    uint8_t* row(int y) const { return pixels() + uint64_t(y) * stride; }  // y counts from the bottom

    bool read_entry(const IndexEntry& e) {
        if (e.offset > stream->file_size || e.size > stream->file_size - e.offset) return false;
        data.resize(e.size);
        return stream->read_at(e.offset, data.data(), e.size);
    }
    bool decode(int64_t n);
    bool raw(const IndexEntry& e);
    void rle(bool four);
};

// Uncompressed frames: rows padded to 32 bits as bitmaps have them, or packed without
// padding (as some writers store them) when the chunk has exactly that size. Top-down
// frames are turned over.
bool FrameReader::raw(const IndexEntry& e) {
    const uint64_t packed = uint64_t(width) * uint64_t(bits) % 8 ? 0 : uint64_t(width) * uint64_t(bits) / 8;
    const uint64_t row_in = e.size >= image ? stride : e.size == packed * uint64_t(height) ? packed : 0;
    if (!row_in || !read_entry(e)) return false;
    for (int r = 0; r < height; ++r) {
        uint8_t* dst = row(top_down ? height - 1 - r : r);
        std::memcpy(dst, data.data() + uint64_t(r) * row_in, size_t(row_in));
        if (coding == Coding::raw565)  // 5-6-5 words into 5-5-5: green loses its low bit
            for (int x = 0; x < width; ++x) {
                const uint32_t v = get16(dst + 2 * x);
                put16(dst + 2 * x, (v >> 1 & 0x7FE0) | (v & 0x1F));
            }
    }
    return true;
}

// Run-length coded 8- or 4-bit frames over the picture they change: pairs (count, value)
// repeat a value (at 4 bits its two pixels alternately); (0, 0) ends a row, (0, 1) the
// picture, (0, 2, dx, dy) moves right and up; (0, n) with n ≥ 3 is n literal pixels,
// padded to 16 bits. Rows count from the bottom. Pixels past the frame's edges are dropped
// and the data's end ends the frame.
void FrameReader::rle(bool four) {
    const uint8_t *p = data.data(), *end = p + data.size();
    int x = 0, y = 0;
    auto put = [&](uint32_t v) {
        if (x < width && y < height) {
            uint8_t* d = row(y) + (four ? x / 2 : x);
            if (!four) *d = uint8_t(v);
            else *d = uint8_t(x & 1 ? (*d & 0xF0) | (v & 15) : (*d & 0x0F) | (v & 15) << 4);
        }
        ++x;
    };
    while (end - p >= 2 && y < height) {
        const int n = p[0], v = p[1];
        p += 2;
        if (n > 0) {
            for (int i = 0; i < n && x < width; ++i) put(four ? (i & 1 ? v & 15 : v >> 4) : uint32_t(v));
        } else if (v == 0) {
            x = 0, ++y;
        } else if (v == 1) {
            break;
        } else if (v == 2) {
            if (end - p < 2) break;
            x += p[0], y += p[1], p += 2;
        } else {
            const int bytes = four ? (v + 1) / 2 : v;
            if (end - p < bytes) break;
            for (int i = 0; i < v; ++i) put(four ? (i & 1 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
            p += bytes + (bytes & 1);
        }
    }
}

// Frame n of the index into the pixels. Run-length frames change the picture before them:
// they are decoded on from the frame held when n follows it, else from the key frame at or
// before n over a black picture. A frame of no bytes repeats the one before.
bool FrameReader::decode(int64_t n) {
    const std::vector<IndexEntry>& index = stream->index;
    if (n == last) return true;
    if (coding == Coding::codec) {
        last = -1;
        if (!codec->frame(n, pixels())) return false;
        last = n;
        return true;
    }
    if (coding == Coding::rle8 || coding == Coding::rle4) {
        const bool held = last >= 0 && last < n;
        int64_t from = n;
        while (from > 0 && !index[size_t(from)].key && !(held && from - 1 == last)) --from;
        if (!(held && from - 1 == last)) std::memset(pixels(), 0, size_t(image));
        for (; from <= n; ++from) {
            last = -1;
            if (!read_entry(index[size_t(from)])) return false;
            rle(coding == Coding::rle4);
        }
        last = n;
        return true;
    }
    const IndexEntry& e = index[size_t(n)];
    last = -1;
    if (e.size == 0) return last = n, true;
    if (coding == Coding::foreign) {
        if (!read_entry(e)) return false;
        std::memset(pixels(), 0, size_t(image));
        if (!decoder(data.data(), data.size(), pixels(), width, height, bits)) return false;
    } else if (!raw(e)) {
        return false;
    }
    last = n;
    return true;
}

}  // namespace
namespace builtin {

int open_stream(const char* filename, uint32_t type) {
        if (type != avi_video) return 0;
    auto s = std::make_shared<ReadStream>();
    s->file = file_open(filename);
    s->name = filename ? filename : "";
    const int64_t size = s->file ? file_size(s->file) : -1;
    if (size < 12) return 0;
    s->file_size = uint64_t(size);
    if (!Parser(*s).parse()) return 0;
    return enter(Kind::read_stream, s);
}

int read_format(int stream, uint8_t* dst, size_t capacity) {
    const auto s = find_as<ReadStream>(stream, Kind::read_stream);
    if (!s || s->format.empty()) return -1;
    if (dst) std::memcpy(dst, s->format.data(), std::min(capacity, s->format.size()));
    return int(s->format.size());
}

bool stream_info(int stream, AviStreamInfo& info) {
    const auto s = find_as<ReadStream>(stream, Kind::read_stream);
    if (!s) return false;
    info = s->info;
    return true;
}

int frame_open(int stream, const uint8_t* format, size_t bytes) {
        const auto s = find_as<ReadStream>(stream, Kind::read_stream);
    if (!s || !format || bytes < bitmap_header || s->format.size() < bitmap_header) return 0;
    const uint8_t* f = s->format.data();
    const int32_t width = int32_t(get32(f + 4)), height = int32_t(get32(f + 8));
    const int bits = get16(f + 14);
    const uint32_t compression = get32(f + 16);
    auto r = std::make_shared<FrameReader>();
    r->stream = s;
    r->width = int32_t(get32(format + 4)), r->height = int32_t(get32(format + 8)), r->bits = get16(format + 14);
    if (get32(format) < bitmap_header || get32(format + 16) != bi_rgb || r->width != width || r->width <= 0 ||
        r->height <= 0 || height == INT32_MIN || r->height != (height < 0 ? -height : height))
        return 0;
    r->top_down = height < 0;
    const bool same_bits = r->bits == bits;
    if ((compression == bi_rgb || compression == bi_bitfields) && same_bits &&
        (bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        // Bit fields: 5-6-5 words are turned into 5-5-5; other fields are taken as they are.
        const bool g6 = compression == bi_bitfields && bits == 16 && s->format.size() >= 52 && get32(f + 44) == 0x7E0;
        r->coding = g6 ? Coding::raw565 : Coding::raw;
    } else if (compression == bi_rle8 && bits == 8 && same_bits) {
        r->coding = Coding::rle8;
    } else if (compression == bi_rle4 && bits == 4 && same_bits) {
        r->coding = Coding::rle4;
    } else if ((r->decoder = decoder_for(compression)) && (r->bits == 24 || r->bits == 32)) {
        r->coding = Coding::foreign;
    } else if (compression > bi_bitfields && height > 0 &&
               (r->codec = open_codec_reader(s->name.c_str(), f, s->format.size(), r->width, r->height, r->bits))) {
        r->coding = Coding::codec;
    } else {
        return 0;
    }
    if (r->top_down && r->coding != Coding::raw && r->coding != Coding::raw565) return 0;
    r->stride = row_bytes(r->width, r->bits);
    r->image = r->stride * uint64_t(r->height);
    if (r->image > frame_limit()) return 0;
    r->header = bytes;
    r->block.reset(new (std::nothrow) uint8_t[bytes + r->image]());
    if (!r->block) return 0;
    std::memcpy(r->block.get(), format, bytes);
    return enter(Kind::frame_reader, r);
}

const uint8_t* frame(int reader, int position, size_t* bytes) {
        const auto r = find_as<FrameReader>(reader, Kind::frame_reader);
    if (!r) return nullptr;
    const int64_t n = int64_t(position) - r->stream->info.start;
    if (n < 0 || n >= int64_t(r->stream->index.size()) || !r->decode(n)) return nullptr;
    if (bytes) *bytes = r->header + size_t(r->image);
    return r->block.get();
}

void frame_close(int reader) { remove(reader, Kind::frame_reader); }

}  // namespace builtin
}  // namespace avi
}  // namespace host
