// AVI files played into the active buffer and written frame by frame.
//
// The host's AVI library (platform/avi.h) finds the video stream and decodes its frames
// into bottom-up bitmaps at the depth asked for when the stream is opened: 32 bits for
// 32-bit video, 24 for 17..31, 16 (5-5-5) for 9..16, the video's own for 1..8. Here those
// frames are placed and converted into the buffer's pixels, the palette is set from the
// video's colour table, and frames are paced by the clock. The context records the caller
// owns hold the host's numbers for its stream and frame reader, and a number of this
// family's own for the format block it keeps; every number is looked up before use, so a
// stale or damaged record finds nothing.
#include "files/avi.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "core/palette.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "files/avi_rows.h"
#include "files/internal.h"
#include "platform/avi.h"
#include "platform/file.h"
#include "services/clock.h"
#include "services/input.h"

namespace files {
namespace {

enum PlayFlags : int { play_no_delay = 1, play_at_cursor = 2, play_keep_palette = 16 };

constexpr int main_header_size = 56;
constexpr int bitmap_header = 40;

uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) { return uint32_t(get16(p)) | uint32_t(get16(p + 2)) << 16; }
int32_t geti(const uint8_t* p) { return int32_t(get32(p)); }
void put32(uint8_t* p, uint32_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16), p[3] = uint8_t(v >> 24); }
void puti(uint8_t* p, int32_t v) { put32(p, uint32_t(v)); }

uint64_t row_bytes(int64_t width, int bits) { return uint64_t((width * bits + 31) / 32 * 4); }

// The format blocks of open play contexts, by number.
struct FormatBlocks {
    std::map<int, std::pair<uint8_t*, size_t>> blocks;
    int next = 1;
};
FormatBlocks& format_blocks() {
    static FormatBlocks f;
    return f;
}
const uint8_t* find_format(int id, size_t size) {
    const auto it = format_blocks().blocks.find(id);
    return it != format_blocks().blocks.end() && it->second.second == size ? it->second.first : nullptr;
}
void free_format(int id) {
    auto& blocks = format_blocks().blocks;
    const auto it = blocks.find(id);
    if (it == blocks.end()) return;
    host::block_free(it->second.first);
    blocks.erase(it);
}

// Every context opened and not yet done, by the numbers its record holds (play: reader,
// stream, format block; make: coding stream, stream, file). rs_avidone releases only what
// is listed here, so a record that was copied, forged or outlived rs_vbfin releases
// nothing, and rs_vbfin ends whatever is still listed.
struct OpenUse {
    bool make;
    int ids[3];
    bool operator==(const OpenUse&) const = default;
};
std::vector<OpenUse>& open_uses() {
    static std::vector<OpenUse> uses;
    return uses;
}

void release(const OpenUse& use) {
    if (use.make) {
        host::avi_stream_release(use.ids[0]);
        host::avi_stream_release(use.ids[1]);
        host::avi_file_release(use.ids[2]);
    } else {
        host::avi_frame_close(use.ids[0]);
        host::avi_stream_release(use.ids[1]);
        free_format(use.ids[2]);
    }
    host::avi_exit();
}

// The colours of a format block: the table after the bitmap header, of colours-used
// entries (0: all 2^bits), no more than the bits allow or the block holds.
int palette_colors(const uint8_t* format, size_t size, int bits) {
    if (bits < 1 || bits > 8 || size < bitmap_header) return 0;
    const uint32_t used = get32(format + 32);
    const uint64_t table = std::min<uint64_t>(get32(format), size);
    const uint64_t fit = (size - table) / 4;
    return int(std::min<uint64_t>({used ? used : 1u << bits, 1u << bits, fit}));
}
const uint8_t* color_table(const uint8_t* format, size_t size) { return format + std::min<uint64_t>(get32(format), size); }

// Quads (blue, green, red, reserved) as the red, green, blue triples the palette calls take.
void triples(const uint8_t* quads, int n, uint8_t* rgb) {
    for (int i = 0; i < n; ++i) rgb[3 * i] = quads[4 * i + 2], rgb[3 * i + 1] = quads[4 * i + 1], rgb[3 * i + 2] = quads[4 * i];
}

// ---- frame conversion --------------------------------------------------------------

// Index frames: 1, 2, 4 or 8 bits a pixel, the leftmost in the high bits of its byte.
template <int Bits>
uint32_t frame_index(const uint8_t* row, int x) {
    if constexpr (Bits == 8) {
        return row[x];
    } else {
        constexpr int per_byte = 8 / Bits;
        return uint32_t(row[x / per_byte] >> (8 - Bits * (x % per_byte + 1))) & ((1u << Bits) - 1);
    }
}

template <class D, int Bits>
void index_row(const uint8_t* row, int x0, uint8_t* dst, int n, const uint32_t* lut) {
    if constexpr (Bits == 8 && D::bytes == 4)
        avi_kernels().index_into_32(row + x0, lut, dst, size_t(n));
    else
        for (int i = 0; i < n; ++i, dst += D::bytes) D::store(dst, lut[frame_index<Bits>(row, x0 + i)]);
}

// Direct-colour frames of FrameBytes bytes a pixel (2: 5-5-5 words; 3 and 4: blue, green,
// red first) into a direct-colour buffer.
template <class D, int FrameBytes>
void direct_row(const uint8_t* src, uint8_t* dst, int n) {
    if constexpr (D::bytes == FrameBytes && FrameBytes != 2) {
        std::memcpy(dst, src, size_t(n) * D::bytes);  // 24 into 24, and 32 into 32 with the fourth byte
    } else if constexpr (FrameBytes == 2) {
        for (int i = 0; i < n; ++i, src += 2, dst += D::bytes) {
            const uint32_t v = uint32_t(src[0] | src[1] << 8);
            if constexpr (D::bytes == 2) {
                D::store(dst, (v & 0xFFE0) << 1 | (v & 0x1F));
            } else {
                dst[0] = uint8_t(((v & 31) * 255 + 15) / 31);
                dst[1] = uint8_t(((v >> 5 & 31) * 255 + 15) / 31);
                dst[2] = uint8_t(((v >> 10 & 31) * 255 + 15) / 31);
            }
        }
    } else if constexpr (D::bytes == 2) {
        for (int i = 0; i < n; ++i, src += FrameBytes, dst += 2)
            D::store(dst, (uint32_t(src[2]) * 31 + 127) / 255 << 11 | (uint32_t(src[1]) * 63 + 127) / 255 << 5 |
                              (uint32_t(src[0]) * 31 + 127) / 255);
    } else if constexpr (D::bytes == 4 && FrameBytes == 3) {
        avi_kernels().bgr_into_bgrx(src, dst, size_t(n));  // the fourth byte of each buffer pixel stays
    } else {
        for (int i = 0; i < n; ++i, src += FrameBytes, dst += D::bytes) dst[0] = src[0], dst[1] = src[1], dst[2] = src[2];
    }
}

// The visible rows of a frame, each through `row(frame row, buffer pixel, count)`.
template <class Row>
void each_row(const uint8_t* pixels, int width, int height, int bits, const Placement& pl, Row&& row) {
    const uint64_t stride = row_bytes(width, bits);
    for (int64_t r = pl.first_row; r < pl.first_row + pl.rows; ++r)
        row(pixels + uint64_t(height - 1 - r) * stride, placed_pixel(pl, pl.first_column, r));
}

template <class D>
void put_rows(const uint8_t* pixels, int width, int height, int bits, const Placement& pl, const uint32_t* lut) {
    const int x0 = int(pl.first_column), n = int(pl.columns);
    auto indices = [&](auto bits_tag) {
        constexpr int B = decltype(bits_tag)::value;
        each_row(pixels, width, height, bits, pl, [&](const uint8_t* src, uint8_t* dst) { index_row<D, B>(src, x0, dst, n, lut); });
    };
    auto direct = [&](auto bytes_tag) {
        constexpr int B = decltype(bytes_tag)::value;
        if constexpr (D::bytes > 1)
            each_row(pixels, width, height, bits, pl, [&](const uint8_t* src, uint8_t* dst) { direct_row<D, B>(src + x0 * B, dst, n); });
    };
    switch (bits) {
    case 1: indices(std::integral_constant<int, 1>{}); break;
    case 2: indices(std::integral_constant<int, 2>{}); break;
    case 4: indices(std::integral_constant<int, 4>{}); break;
    case 8: indices(std::integral_constant<int, 8>{}); break;
    case 16: direct(std::integral_constant<int, 2>{}); break;
    case 24: direct(std::integral_constant<int, 3>{}); break;
    case 32: direct(std::integral_constant<int, 4>{}); break;
    default: break;
    }
}

// The depth of the frames asked of the host for a video of `bits` bits a pixel.
int frame_bits(int bits) { return bits >= 32 ? 32 : bits > 16 ? 24 : bits > 8 ? 16 : bits; }

// The first 88 bytes of a file, when they start as an AVI file does: "RIFF", "AVI " at 8,
// "avih" at 24 with a main header of at least 56 bytes. 0, -1 cannot open, -2 otherwise.
int read_start(const char* filename, uint8_t* start, size_t want, size_t* got) {
    const int file = host::file_open(filename);
    if (!file) return -1;
    *got = host::file_read(file, start, want);
    host::file_close(file);
    const bool avi = *got >= 32 + main_header_size && !std::memcmp(start, "RIFF", 4) && !std::memcmp(start + 8, "AVI ", 4) &&
                     !std::memcmp(start + 24, "avih", 4) && get32(start + 28) >= main_header_size;
    return avi ? 0 : -2;
}

bool make_context(const uint8_t* ctx) { return get32(ctx + make_ctx::kind) == 0; }

}  // namespace

void put_frame(const uint8_t* pixels, int width, int height, int bits, int64_t x, int64_t y, const uint32_t* lut) {
    Placement pl;
    if (!pixels || !place_in_buffer(x, y, width, height, pl)) return;
    core::with_depth(core::active().depth, [&](auto d) { put_rows<decltype(d)>(pixels, width, height, bits, pl, lut); });
}

int avi_head(const char* filename, uint8_t* header) {
    uint8_t start[32 + main_header_size];
    size_t got = 0;
    const int r = read_start(filename, start, sizeof start, &got);
    if (r == 0 && header) std::memcpy(header, start + 32, main_header_size);
    return r;
}

int avi_size(const uint8_t* header, int* width, int* height) {
    if (width) *width = header ? geti(header + 32) : -1;
    if (height) *height = header ? geti(header + 36) : -1;
    return header ? 0 : -1;
}

// The stream header's size at 104 places the format chunk; all of it must lie in the
// first 4096 bytes.
int avi_pal(const char* filename, uint8_t* rgb) {
    uint8_t start[4096];
    size_t got = 0;
    const int r = read_start(filename, start, sizeof start, &got);
    if (r != 0) return r;
    if (got < 108) return -2;
    const uint64_t strf = 108 + uint64_t(get32(start + 104));
    if (strf + 8 + bitmap_header > got || std::memcmp(start + strf, "strf", 4)) return -2;
    const uint8_t* format = start + strf + 8;
    const size_t size = size_t(std::min<uint64_t>(get32(start + strf + 4), got - strf - 8));
    if (size < bitmap_header) return -2;
    const int n = palette_colors(format, size, get16(format + 14));
    if (rgb) triples(color_table(format, size), n, rgb);
    return n;
}

int avi_open(const char* filename, void* context) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx) return -1;
    host::avi_set_decoder(host::fourcc('M', 'J', 'P', 'G'), mjpeg_frame);
    host::avi_set_decoder(host::fourcc('m', 'j', 'p', 'g'), mjpeg_frame);
    // 1. The frame time, straight from the main header.
    uint8_t start[36];
    const int file = host::file_open(filename);
    if (!file) return -1;
    const size_t got = host::file_read(file, start, sizeof start);
    host::file_close(file);
    if (got < sizeof start) return -2;
    const uint32_t microseconds = get32(start + 32);

    // 2. Everything taken from here on is given back on failure.
    std::memset(ctx, 0, play_ctx::size);
    host::avi_init();
    int stream = 0, reader = 0, format_id = 0;
    auto fail = [&](int code) {
        host::avi_frame_close(reader);
        host::avi_stream_release(stream);
        free_format(format_id);
        host::avi_exit();
        std::memset(ctx, 0, play_ctx::size);
        return code;
    };
    stream = host::avi_open_stream(filename, host::avi_video);
    if (!stream) return fail(-2);

    // 3. The format, made into the format of the frames asked for.
    const int size = host::avi_read_format(stream, nullptr, 0);
    if (size < bitmap_header) return fail(-3);
    auto* format = static_cast<uint8_t*>(host::block_alloc(size_t(size)));
    if (!format) return fail(-4);
    FormatBlocks& blocks = format_blocks();
    while (blocks.blocks.count(blocks.next) || blocks.next <= 0) blocks.next = blocks.next >= INT_MAX - 1 ? 1 : blocks.next + 1;
    format_id = blocks.next++;
    blocks.blocks[format_id] = {format, size_t(size)};
    host::avi_read_format(stream, format, size_t(size));
    const int32_t width = geti(format + 4), height = geti(format + 8) == INT32_MIN ? 0 : std::abs(geti(format + 8));
    const int bits = frame_bits(get16(format + 14));
    const uint64_t image = row_bytes(width, bits) * uint64_t(height);
    if (width <= 0 || height <= 0 || bits < 1 || image > INT32_MAX) return fail(-3);
    const int colors = palette_colors(format, size_t(size), bits);
    uint8_t* table = format + (color_table(format, size_t(size)) - format);
    for (int i = 0; i < colors; ++i) table[4 * i + 3] = 0;
    puti(format + 8, height);  // frames come bottom-up
    format[14] = uint8_t(bits), format[15] = 0;
    put32(format + 16, 0);
    put32(format + 20, uint32_t(image));

    // 4. First frame and length.
    host::AviStreamInfo info;
    if (!host::avi_stream_info(stream, info)) return fail(-2);

    // 5. The frame reader.
    reader = host::avi_frame_open(stream, format, size_t(size));
    if (!reader) return fail(-5);

    puti(ctx + play_ctx::width, width);
    puti(ctx + play_ctx::height, height);
    puti(ctx + play_ctx::bits, bits);
    puti(ctx + play_ctx::current, -1);
    puti(ctx + play_ctx::first, info.start);
    // The frame after the last must have a number too: a stream reaching the largest one
    // ends a frame short of it.
    puti(ctx + play_ctx::last, int32_t(std::min<int64_t>(int64_t(info.start) + info.length - 1, INT32_MAX - 1)));
    puti(ctx + play_ctx::stream, stream);
    puti(ctx + play_ctx::reader, reader);
    puti(ctx + play_ctx::format_size, size);
    puti(ctx + play_ctx::format, format_id);
    puti(ctx + play_ctx::delay, int32_t(uint64_t(microseconds) * 91 / 5000000));
    open_uses().push_back({false, {reader, stream, format_id}});
    return 0;
}

int avi_play(void* context, int frames, int flags) {
    auto* ctx = static_cast<uint8_t*>(context);
    const core::ActiveBuffer& vb = core::active();
    if (!ctx || !core::has_active() || !vb.pixels || frames <= 0 || make_context(ctx)) return 0;
    const int width = geti(ctx + play_ctx::width), height = geti(ctx + play_ctx::height), bits = geti(ctx + play_ctx::bits);
    const size_t format_size = size_t(get32(ctx + play_ctx::format_size));
    const uint8_t* format = find_format(geti(ctx + play_ctx::format), format_size);
    if (!format || width <= 0 || height <= 0 || frame_bits(bits) != bits) return 0;
    if (bits > 8 && vb.depth == 8) return 0;
    const int64_t x = flags & play_at_cursor ? draw::state().cursor_x : 0;
    const int64_t y = flags & play_at_cursor ? draw::state().cursor_y : 0;
    Placement pl;
    if (!place_in_buffer(x, y, width, height, pl)) return 0;

    // The palette, with the first frame: at 8 bits into entries 10.. (index + 10), or when
    // the video has 237 colours or more, its colours 10..245 into those entries (index as
    // it is); at other depths all of them from entry 0.
    const int colors = palette_colors(format, format_size, bits);
    const bool offset = colors < 237;
    int64_t current = geti(ctx + play_ctx::current);  // a record's last may be the largest number
    if (current == -1) {
        current = geti(ctx + play_ctx::first);
        if (bits <= 8 && !(flags & play_keep_palette) && colors > 0) {
            uint8_t rgb[256 * 3];
            triples(color_table(format, format_size), colors, rgb);
            if (vb.depth != 8) core::set_dacs(0, colors, rgb);
            else if (offset) core::set_dacs(10, colors, rgb);
            else core::set_dacs(10, std::min(236, colors - 10), rgb + 30);
        }
    }
    uint32_t lut[256];
    for (int i = 0; i < 256; ++i) lut[i] = vb.depth == 8 ? uint32_t(offset ? i + 10 : i) & 0xFF : core::palette().pixels[i];

    const int last = geti(ctx + play_ctx::last), delay = geti(ctx + play_ctx::delay);
    const size_t need = format_size + size_t(row_bytes(width, bits) * uint64_t(height));
    int played = 0;
    while (played < frames && current <= last) {
        size_t bytes = 0;
        const uint8_t* frame = host::avi_frame(geti(ctx + play_ctx::reader), int(current), &bytes);
        if (!frame || bytes < need) break;
        put_frame(frame + format_size, width, height, bits, x, y, lut);
        if (!(flags & play_no_delay)) services::wait_for(delay);
        ++current, ++played;
    }
    puti(ctx + play_ctx::current, int32_t(std::min<int64_t>(current, INT32_MAX)));
    return played;
}

int avi_skip(void* context, int frames) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx || frames == 0 || make_context(ctx)) return 0;
    const int first = geti(ctx + play_ctx::first), last = geti(ctx + play_ctx::last);
    if (frames < 0) {
        puti(ctx + play_ctx::current, first);
        return 0;
    }
    int current = geti(ctx + play_ctx::current);
    if (current == -1) current = first;
    const int64_t target = std::min<int64_t>(int64_t(current) + frames, int64_t(last) + 1);
    const int skipped = int(std::max<int64_t>(target - current, 0));
    puti(ctx + play_ctx::current, int32_t(std::min<int64_t>(std::max<int64_t>(target, current), INT32_MAX)));
    return skipped;
}

// The numbers are cleared, so that a second call releases nothing and does not end a use
// of the library twice.
int avi_done(void* context) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx) return 0;
    auto take = [&](int offset) {
        const int id = geti(ctx + offset);
        puti(ctx + offset, 0);
        return id;
    };
    OpenUse use{make_context(ctx), {}};
    if (use.make)
        use.ids[0] = take(make_ctx::compressed), use.ids[1] = take(make_ctx::stream), use.ids[2] = take(make_ctx::file);
    else
        use.ids[0] = take(play_ctx::reader), use.ids[1] = take(play_ctx::stream), use.ids[2] = take(play_ctx::format);
    auto& uses = open_uses();
    const auto it = std::find(uses.begin(), uses.end(), use);
    if (it == uses.end()) return 0;
    uses.erase(it);
    release(use);
    return 0;
}

void avi_end() {
    auto& uses = open_uses();
    while (!uses.empty()) {
        const OpenUse use = uses.back();
        uses.pop_back();
        release(use);
    }
}

int avi_make(const char* filename, void* context, int codec, int width, int height, int bits, int quality, int rate) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx || !filename) return -1;
    host::avi_init();
    const int file = host::avi_file_create(filename);
    if (!file) return host::avi_exit(), -1;
    int stream = 0, compressed = 0;
    auto fail = [&](int code) {  // a file without a format is removed at its release
        host::avi_stream_release(compressed);
        host::avi_stream_release(stream);
        host::avi_file_release(file);
        host::avi_exit();
        return code;
    };
    const uint64_t frame_bytes = row_bytes(width, bits) * uint64_t(std::max(height, 0));
    const bool sizes = width > 0 && height > 0 && bits > 0 && bits <= 32 && rate > 0 && frame_bytes <= INT32_MAX;
    if (!sizes) return fail(-2);
    host::AviStreamInfo info;
    info.rate = uint32_t(rate);
    info.suggested_buffer = uint32_t(frame_bytes);
    info.width = width, info.height = height;
    stream = host::avi_create_stream(file, info);
    if (!stream) return fail(-2);

    host::AviCompressOptions options;
    if (codec == -1) {
        if (!host::avi_save_options(options)) return fail(-3);
    } else {
        const auto c = uint32_t(codec);
        options.handler = c ? host::fourcc(char(c >> 24), char(c >> 16), char(c >> 8), char(c)) : host::avi_uncompressed;
        options.quality = quality;
    }
    compressed = host::avi_make_compressed(stream, options);
    if (!compressed) return fail(-2);

    const int colors = bits <= 8 ? 1 << bits : 0;
    uint8_t format[bitmap_header + 256 * 4]{};
    puti(format, bitmap_header), puti(format + 4, width), puti(format + 8, height);
    format[12] = 1, format[14] = uint8_t(bits);
    put32(format + 20, uint32_t(frame_bytes));
    puti(format + 32, colors);
    std::memcpy(format + bitmap_header, core::palette().quads, size_t(colors) * 4);
    if (!host::avi_set_format(compressed, format, size_t(bitmap_header + colors * 4))) return fail(-2);

    std::memset(ctx, 0, make_ctx::size);
    puti(ctx + make_ctx::file, file);
    puti(ctx + make_ctx::stream, stream);
    puti(ctx + make_ctx::compressed, compressed);
    puti(ctx + make_ctx::frame_bytes, int32_t(frame_bytes));
    open_uses().push_back({true, {compressed, stream, file}});
    return 0;
}

int avi_frame(void* context, const void* pixels) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx || !pixels || !make_context(ctx)) return -1;
    const int frame = geti(ctx + make_ctx::frame);
    if (!host::avi_write(geti(ctx + make_ctx::compressed), frame, pixels, get32(ctx + make_ctx::frame_bytes), true)) return -1;
    puti(ctx + make_ctx::frame, frame + 1);
    return 0;
}

int show_avi(const char* filename, int loops, int flags) {
    uint8_t ctx[play_ctx::size]{};
    const int opened = avi_open(filename, ctx);
    if (opened != 0) return opened;
    play_in_window(loops, [&] { return avi_play(ctx, 1, flags) == 1; }, [&] { avi_skip(ctx, -1); });
    avi_done(ctx);
    return 0;
}

}  // namespace files
