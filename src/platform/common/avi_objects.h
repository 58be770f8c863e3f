// The built-in AVI library's objects (files being written, streams, frame readers), the
// registry that names them by number, and the little-endian field helpers its reader and
// writer share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/avi.h"

namespace host::avi {

enum class Kind { read_stream, frame_reader, file, write_stream };

struct Object {
    virtual ~Object() = default;
};

// Enters an object under a new number (0 when the table is full); the registry keeps a
// reference until remove().
int enter(Kind kind, std::shared_ptr<Object> object);
// The object of that kind behind a number, or an empty pointer.
std::shared_ptr<Object> find(int id, Kind kind);
template <class T>
std::shared_ptr<T> find_as(int id, Kind kind) { return std::static_pointer_cast<T>(find(id, kind)); }
void remove(int id, Kind kind);

// The decoder registered for a compression, or nullptr.
AviFrameDecoder decoder_for(uint32_t compression);

inline uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t get32(const uint8_t* p) { return uint32_t(get16(p)) | uint32_t(get16(p + 2)) << 16; }
inline uint64_t get64(const uint8_t* p) { return uint64_t(get32(p)) | uint64_t(get32(p + 4)) << 32; }
inline void put16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); }
inline void put32(uint8_t* p, uint32_t v) { put16(p, v), put16(p + 2, v >> 16); }

// Bitmap compressions.
constexpr uint32_t bi_rgb = 0, bi_rle8 = 1, bi_rle4 = 2, bi_bitfields = 3;
constexpr int bitmap_header = 40;

// Bytes of one bottom-up bitmap row: padded to 32 bits.
inline uint64_t row_bytes(int64_t width, int bits) { return uint64_t((width * bits + 31) / 32 * 4); }

// The largest frame either side takes into memory (avi_frame_limit).
uint64_t frame_limit();

}  // namespace host::avi
