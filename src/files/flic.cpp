// FLI/FLC animations played into the active buffer.
//
// The file is a 128-byte header and a sequence of chunks, each a 32-bit size (header
// included) and a 16-bit type: frames (0xF1FA), prefix chunks (0xF100) that are passed
// over, and anything else, which ends the animation. A frame holds a count of sub-chunks
// (palettes and pixels, see flic_chunks.h).
//
// Each frame is taken whole into memory before it is decoded, so the chunk stages work on
// a span whose end they know; a frame's declared size is checked against the data that is
// there before any memory is taken for it.
#include "files/flic.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "core/palette.h"
#include "core/present.h"
#include "core/vbuf.h"
#include "draw/state.h"
#include "files/flic_chunks.h"
#include "files/internal.h"
#include "files/source.h"
#include "files/state.h"
#include "platform/file.h"
#include "services/clock.h"
#include "services/input.h"

namespace files {
namespace {

constexpr uint16_t chunk_frame = 0xF1FA;
constexpr uint16_t chunk_prefix = 0xF100;
constexpr uint32_t frame_header_size = 16;  // size, type, sub-chunk count, 8 reserved
constexpr uint32_t chunk_header_size = 6;

enum PlayFlags : int {
    play_no_delay = 1,
    play_at_cursor = 2,
    play_from_memory = 4,
    play_keep_palette = 8,   // 8-bit buffers: file colours 10..245 as they are
    play_no_palette = 16,
};

uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t get32(const uint8_t* p) { return uint32_t(get16(p)) | uint32_t(get16(p + 2)) << 16; }
void put16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); }
void put32(uint8_t* p, uint32_t v) { put16(p, v), put16(p + 2, v >> 16); }

// The walk over the chunks of an animation: in memory mode over the image buffer from the
// position the context keeps, which it brings up to date; in file mode over the open file
// from where it stands, which it leaves standing at the next chunk not used.
class Walk {
public:
    explicit Walk(uint8_t* ctx) : ctx_(ctx), memory_(get16(ctx + flic_ctx::memory) != 0) {
        if (memory_) {
            const ImageBuffer& b = image_buffer();
            data_ = b.data;
            size_ = uint64_t(std::max(b.size, 0));
            pos_ = get32(ctx + flic_ctx::position);
        } else {
            source_.emplace(int(get16(ctx + flic_ctx::file)));
            pos_ = source_->position();
            const int64_t size = source_->size();
            size_ = size < 0 ? 0 : uint64_t(size);
        }
    }
    ~Walk() {
        if (memory_)
            put32(ctx_ + flic_ctx::position, uint32_t(pos_));
        else
            source_->give_back();
    }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // The size and type of the chunk at the current position; false when fewer than six
    // bytes are left.
    bool peek(uint32_t& size, uint16_t& type) {
        uint8_t h[chunk_header_size];
        if (pos_ > size_ || size_ - pos_ < chunk_header_size) return false;
        if (memory_)
            std::memcpy(h, data_ + pos_, chunk_header_size);
        else if (source_->read_at(pos_, h, chunk_header_size) != chunk_header_size)
            return false;
        size = get32(h);
        type = get16(h + 4);
        return true;
    }
    // The whole chunk of `size` bytes at the current position, which moves past it; false
    // when the chunk runs past the data or no memory can be had for it.
    bool fetch(uint32_t size, flic::Bytes& chunk) {
        if (!fits(size)) return false;
        if (memory_) {
            chunk = {data_ + pos_, data_ + pos_ + size};
        } else {
            if (size > capacity_) {
                frame_.reset(host::allocation_refused() ? nullptr : new (std::nothrow) uint8_t[size]);
                capacity_ = frame_ ? size : 0;
                if (!frame_) return false;
            }
            if (source_->read(frame_.get(), size) != size) return false;
            chunk = {frame_.get(), frame_.get() + size};
        }
        pos_ += size;
        return true;
    }
    // Moves past the chunk; false when it runs past the data.
    bool pass(uint32_t size) {
        if (!fits(size)) return false;
        if (!memory_) source_->skip(size);
        pos_ += size;
        return true;
    }

private:
    bool fits(uint32_t size) const { return size >= chunk_header_size && pos_ <= size_ && size <= size_ - pos_; }

    uint8_t* ctx_;
    bool memory_;
    std::optional<Source> source_;
    const uint8_t* data_ = nullptr;
    uint64_t size_ = 0, pos_ = 0;
    std::unique_ptr<uint8_t[]> frame_;
    uint32_t capacity_ = 0;
};

// Everything a frame needs, settled once per call.
struct Player {
    flic::Target target;
    uint32_t map_pixels[256];  // 8-bit buffers: the colour map as pixel values
    int flags = 0;

    void refresh_map() {
        const uint8_t* map = flic_state().color_map;
        for (int i = 0; i < 256; ++i) map_pixels[i] = map[i];
    }
};

void identity_map() {
    uint8_t* map = flic_state().color_map;
    for (int i = 0; i < 256; ++i) map[i] = uint8_t(i);
}

// A palette chunk: at 16/24/32 bits every packet goes into the library palette at once;
// at 8 bits the whole palette is fitted (or, with flag 8, its entries 10..245 taken) after
// the chunk.
void apply_palette(int type, flic::Bytes data, Player& pl) {
    FlicState& st = flic_state();
    if (pl.flags & play_no_palette) {
        identity_map();
        pl.refresh_map();
        return;
    }
    const bool direct = pl.target.depth != 8;
    flic::decode_palette(type, data, st.palette, [&](int first, int count) {
        if (direct) core::set_dacs(first, count, &st.palette[0][0] + 3 * first);
    });
    if (direct) return;
    if (pl.flags & play_keep_palette) {
        identity_map();
        core::set_dacs(10, 236, &st.palette[0][0] + 3 * 10);
    } else {
        uint8_t packed[236][3];
        flic::fit_palette(st.palette, st.color_map, packed);
        core::set_dacs(10, 236, &packed[0][0]);
    }
    pl.refresh_map();
}

// Decodes the sub-chunks of one frame (the whole frame chunk in `frame`); false when a
// sub-chunk's size does not fit the frame.
bool play_frame(flic::Bytes frame, Player& pl) {
    frame.skip(chunk_header_size);
    int count = frame.u16();
    frame.skip(8);
    for (; count > 0; --count) {
        if (frame.left() < chunk_header_size) return false;
        const uint32_t size = frame.u32();
        const int type = frame.u16();
        if (size < chunk_header_size || size - chunk_header_size > frame.left()) return false;
        const flic::Bytes sub{frame.p, frame.p + (size - chunk_header_size)};
        frame.skip(size - chunk_header_size);
        if (type == flic::chunk_color256 || type == flic::chunk_color64)
            apply_palette(type, sub, pl);
        else
            flic::decode_pixels(type, sub, pl.target);
    }
    return true;
}

}  // namespace

FlicState& flic_state() {
    static FlicState s;
    return s;
}

// The colour map starts as the identity, so that an animation whose first frame has no
// palette still shows its own indices in an 8-bit buffer rather than index 0 everywhere.
void flic_init() {
    FlicState& st = flic_state();
    std::memset(st.palette, 0, sizeof st.palette);
    identity_map();
}

int flic_delay(const uint8_t* header) {
    const uint16_t type = get16(header + 4);
    if (type == flic_type_fli) return get16(header + 16) * 1429 / 5500;
    // Milliseconds; a delay past what the record's 16 bits hold is kept at their largest.
    return int(std::min<uint32_t>(get32(header + 16) / 55, 0xFFFF));
}

int flic_size(const uint8_t* header, int* width, int* height) {
    const bool known = header && (get16(header + 4) == flic_type_fli || get16(header + 4) == flic_type_flc);
    if (width) *width = known ? get16(header + 8) : -1;
    if (height) *height = known ? get16(header + 10) : -1;
    return known ? 0 : -1;
}

int flic_head(const char* filename, uint8_t* header) {
    const int file = host::file_open(filename);
    if (!file) return -1;
    uint8_t h[flic_header_size];
    const size_t got = host::file_read(file, h, sizeof h);
    host::file_close(file);
    if (header) std::memcpy(header, h, got);
    return got == sizeof h && flic_size(h, nullptr, nullptr) == 0 ? 0 : -2;
}

int flic_open(const char* filename, void* context) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx) return -1;
    const int file = host::file_open(filename);
    if (!file) return -1;
    uint8_t h[flic_header_size];
    if (host::file_read(file, h, sizeof h) != sizeof h || flic_size(h, nullptr, nullptr) != 0) {
        host::file_close(file);
        return -2;
    }
    put16(ctx + flic_ctx::file, uint32_t(file));
    put32(ctx + flic_ctx::position, flic_header_size);
    std::memcpy(ctx + flic_ctx::frames, h + 6, 6);  // frames, width, height
    put16(ctx + flic_ctx::delay, uint32_t(flic_delay(h)));
    put16(ctx + flic_ctx::memory, 0);
    return 0;
}

// The file field is cleared, so that closing twice cannot close a file opened since.
int flic_done(void* context) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx) return 0;
    host::file_close(get16(ctx + flic_ctx::file));
    put16(ctx + flic_ctx::file, 0);
    return 0;
}

int flic_skip(void* context, int frames) {
    auto* ctx = static_cast<uint8_t*>(context);
    if (!ctx || frames == 0) return 0;
    if (frames < 0) {
        put32(ctx + flic_ctx::position, flic_header_size);
        if (!get16(ctx + flic_ctx::memory)) host::file_seek(get16(ctx + flic_ctx::file), flic_header_size, host::from_start);
        return 0;
    }
    Walk walk(ctx);
    int skipped = 0;
    uint32_t size = 0;
    uint16_t type = 0;
    while (skipped < frames && walk.peek(size, type)) {
        if (type != chunk_frame && type != chunk_prefix) break;
        if (!walk.pass(size)) break;
        if (type == chunk_frame) ++skipped;
    }
    return skipped;
}

int flic_play(void* context, int frames, int flags) {
    auto* ctx = static_cast<uint8_t*>(context);
    const core::ActiveBuffer& vb = core::active();
    if (!ctx || !core::has_active() || frames <= 0) return 0;
    put16(ctx + flic_ctx::memory, (flags & play_from_memory) ? 1 : 0);

    Player pl;
    pl.flags = flags;
    pl.refresh_map();
    flic::Target& t = pl.target;
    t.pixels = vb.pixels;
    t.pitch = vb.pitch;
    t.buffer_width = vb.width;
    t.buffer_height = vb.height;
    t.depth = vb.depth;
    if (flags & play_at_cursor) t.x0 = draw::state().cursor_x, t.y0 = draw::state().cursor_y;
    t.width = get16(ctx + flic_ctx::width);
    t.height = get16(ctx + flic_ctx::height);
    // The palette pixel table follows every palette change, so it is read where it lives.
    t.lut = vb.depth == 8 ? pl.map_pixels : core::palette().pixels;
    const int delay = get16(ctx + flic_ctx::delay);

    Walk walk(ctx);
    int played = 0;
    uint32_t size = 0;
    uint16_t type = 0;
    while (played < frames && walk.peek(size, type)) {
        if (type == chunk_prefix) {
            if (!walk.pass(size)) break;
        } else {
            flic::Bytes frame;
            if (type != chunk_frame || size < frame_header_size || !walk.fetch(size, frame)) break;
            if (!play_frame(frame, pl)) break;
            ++played;
        }
        if (!(flags & play_no_delay)) services::wait_for(delay);
    }
    return played;
}

// Each new pass starts at the second frame, which the ring frame at the end leads back to.
int show_flic(const char* filename, int loops, int flags) {
    uint8_t ctx[flic_ctx::size]{};
    const int opened = flic_open(filename, ctx);
    if (opened != 0) return opened;
    play_in_window(loops, [&] { return flic_play(ctx, 1, flags) == 1; }, [&] { flic_skip(ctx, -1), flic_skip(ctx, 1); });
    flic_done(ctx);
    return 0;
}

}  // namespace files
