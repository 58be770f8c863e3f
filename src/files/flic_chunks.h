// The stages of a FLIC frame, each over a chunk's bytes in memory: the palette chunks, the
// pixel chunks (black, copy, byte run, the two delta forms) and the fitting of a 256-colour
// palette into the 236 free entries of an 8-bit buffer.
//
// The pixel stages write colour indices into the animation's area of a bottom-up buffer,
// each index turned into a pixel through a 256-entry table; what falls outside the
// animation's area or outside the buffer is dropped, so no chunk can write anywhere else
// whatever its counts say. Every stage reads through Bytes, which yields 0 past the chunk's
// end, and stops when its bytes are used up, so its work is bounded by the bytes of the
// chunk plus the pixels of the visible area.
#pragma once

#include <cstddef>
#include <cstdint>

namespace files::flic {

// Sub-chunk types of a frame.
enum ChunkType : int {
    chunk_color256 = 4,  // palette, 8-bit components
    chunk_delta_flc = 7,
    chunk_color64 = 11,  // palette, 6-bit components
    chunk_delta_fli = 12,
    chunk_black = 13,
    chunk_byte_run = 15,
    chunk_copy = 16,
};

// Little-endian reads over [p, end); past the end every read gives 0.
struct Bytes {
    const uint8_t* p = nullptr;
    const uint8_t* end = nullptr;

    bool done() const { return p >= end; }
    size_t left() const { return p < end ? size_t(end - p) : 0; }
    uint8_t u8() { return p < end ? *p++ : 0; }
    uint16_t u16() {
        const uint32_t lo = u8();
        return uint16_t(lo | uint32_t(u8()) << 8);
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | uint32_t(u16()) << 16;
    }
    void skip(size_t n) { p += n < left() ? n : left(); }
};

// Where a frame's pixels go: the buffer (bottom-up rows), the animation's top-left corner
// in it and the animation's size, and the table that turns a colour index into a pixel.
struct Target {
    uint8_t* pixels = nullptr;  // bottom row of the buffer
    int pitch = 0, buffer_width = 0, buffer_height = 0, depth = 0;
    int x0 = 0, y0 = 0;          // animation corner, buffer coordinates (may lie outside)
    int width = 0, height = 0;   // animation size
    const uint32_t* lut = nullptr;
};

// Decodes one pixel chunk (black, copy, byte run, FLI or FLC delta) into the target;
// other types do nothing. Returns false for a type that is not a pixel chunk.
bool decode_pixels(int type, Bytes data, const Target& target);

// Decodes a palette chunk (type 4 or 11) into palette (256 red, green, blue triples,
// 8 bits each) and calls changed(first, count) for each packet with the entries it set,
// count ≥ 1 and first + count ≤ 256; entries past 255 are read and dropped.
template <class Changed>
void decode_palette(int type, Bytes data, uint8_t (*palette)[3], Changed&& changed) {
    int index = 0;
    for (int packets = data.u16(); packets > 0 && !data.done(); --packets) {
        index += data.u8();
        const int stated = data.u8();
        const int count = stated == 0 ? 256 : stated;
        int first = -1, n = 0;
        for (int k = 0; k < count; ++k, ++index) {
            uint8_t rgb[3] = {data.u8(), data.u8(), data.u8()};
            if (type == chunk_color64)
                for (uint8_t& v : rgb) v = uint8_t((v & 63) * 255 / 63);
            if (index > 255) continue;
            palette[index][0] = rgb[0], palette[index][1] = rgb[1], palette[index][2] = rgb[2];
            if (first < 0) first = index;
            ++n;
        }
        if (n > 0) changed(first, n);
    }
}

// Fits 256 colours into 236 entries: repeatedly merges the closest pair of colours in use
// (squared RGB distance; on a tie the pair found later in the order i < j wins), i into
// j, until 236 remain, and packs those in index order. map[c] becomes 10 + the packed
// entry colour c ends up in; packed receives the 236 colours.
void fit_palette(const uint8_t (*palette)[3], uint8_t map[256], uint8_t (*packed)[3]);

}  // namespace files::flic
