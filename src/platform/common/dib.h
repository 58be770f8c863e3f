// Reading bitmap-information headers: the 40-byte form (optionally followed by three
// bit-field masks) and the 108-byte version-4 form, both little-endian.
#pragma once

#include <cstdint>
#include <cstring>

namespace host {

inline uint32_t read_u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
inline uint16_t read_u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline void write_u32(uint8_t* p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24); }
inline void write_u16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }

struct DibInfo {
    uint32_t header_size = 0;  // 40 or 108
    int32_t width = 0;
    int32_t height = 0;        // positive: rows stored bottom-up
    int bits = 0;
    uint32_t compression = 0;  // 0 none, 3 bit fields
    int64_t pitch = 0;         // bytes per row, a multiple of 4
};

// Fills `info` from a header the host accepts for pixel memory: sizes 40 or 108, one
// plane, 8/16/24/32 bits, width and height at least 1, and a pixel block that fits 31
// bits. Returns false for anything else.
inline bool parse_dib_header(const uint8_t* header, DibInfo& info) {
    if (!header) return false;
    info.header_size = read_u32(header);
    info.width = int32_t(read_u32(header + 4));
    info.height = int32_t(read_u32(header + 8));
    info.bits = read_u16(header + 14);
    info.compression = read_u32(header + 16);
    if (info.header_size != 40 && info.header_size != 108) return false;
    if (read_u16(header + 12) != 1) return false;
    if (info.bits != 8 && info.bits != 16 && info.bits != 24 && info.bits != 32) return false;
    if (info.width < 1 || info.height < 1) return false;
    info.pitch = ((int64_t(info.width) * info.bits + 31) / 32) * 4;
    return info.pitch * info.height <= INT32_MAX;
}

}  // namespace host
