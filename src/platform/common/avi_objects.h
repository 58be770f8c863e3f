// The built-in AVI library's objects (files being written, streams, frame readers), the
// registry that names them by number, and the little-endian field helpers its reader and
// writer share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "platform/avi.h"

namespace host::avi {

// The system_ kinds are the objects of a host's own AVI library (platform/windows), named
// from the same table so that a number never means two objects.
enum class Kind { read_stream, frame_reader, file, write_stream,
                  system_read_stream, system_frame_reader, system_file, system_write_stream };

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

// The built-in library behind the calls of platform/avi.h, with the same meanings: a host
// forwards to it, or falls back on it where its system's library is missing or refuses a
// file.
namespace builtin {
void start();
void end();
int open_stream(const char* filename, uint32_t type);
int read_format(int stream, uint8_t* dst, size_t capacity);
bool stream_info(int stream, AviStreamInfo& info);
int frame_open(int stream, const uint8_t* format, size_t bytes);
const uint8_t* frame(int reader, int position, size_t* bytes);
void frame_close(int reader);
int file_create(const char* filename);
void file_release(int file);
int create_stream(int file, const AviStreamInfo& info);
bool save_options(AviCompressOptions& options);
int make_compressed(int stream, const AviCompressOptions& options);
bool set_format(int stream, const uint8_t* format, size_t bytes);
bool write(int stream, int position, const void* data, size_t bytes, bool key_frame);
void stream_release(int stream);
}  // namespace builtin

// One bottom-up frame of width × height pixels at 4 or 8 bits run-length coded into out,
// as the built-in writer codes the handler `MRLE`.
void rle_code(const uint8_t* frame, int width, int height, bool four, std::vector<uint8_t>& out);

// The decoder registered for a compression, or nullptr.
AviFrameDecoder decoder_for(uint32_t compression);

// ---- codecs beyond the built-in ones ------------------------------------------------
// platform/ffmpeg provides them when the library is built with FFmpeg; without it
// (platform/common/no_codecs.cpp) none open, and such streams are refused as before.

// Frames of one stream of a file, decoded by the codec its format names.
class CodecReader {
public:
    virtual ~CodecReader() = default;
    // Frame n (0 the stream's first) into a bottom-up bitmap of the size and bits given at
    // open, rows padded to 4 bytes. A frame the file lacks (dropped) leaves the pixels as
    // they were; false when there is no frame n or it cannot be decoded.
    virtual bool frame(int64_t n, uint8_t* pixels) = 0;
};
// A reader of the first video stream of `filename` whose format is `format`, delivering
// frames of width × height at bits 16 (5-5-5), 24 or 32; nullptr when no codec takes it.
std::unique_ptr<CodecReader> open_codec_reader(const char* filename, const uint8_t* format, size_t bytes, int width,
                                               int height, int bits);

// Takes one coded frame (a packet) for the file; false when it cannot be written.
using PacketSink = std::function<bool(const uint8_t* data, size_t bytes, bool key)>;

// Frames coded by the codec a handler names.
class CodecWriter {
public:
    virtual ~CodecWriter() = default;
    // The stream format the file keeps: a bitmap header naming the codec, and its extra data.
    virtual const std::vector<uint8_t>& format() const = 0;
    // Codes one bottom-up frame of the format given at open; the packets ready go to out.
    virtual bool encode(const uint8_t* pixels, const PacketSink& out) = 0;
    // The packets the codec still holds, at the end of the stream.
    virtual bool finish(const PacketSink& out) = 0;
};
// Whether some codec writes frames for `handler` (four characters, the first in the low byte).
bool codec_writes(uint32_t handler);
// A coder for `handler` of frames in `format` (a 40-byte bitmap header and its colour
// table) at `rate` frames a second and quality 0..10000 (-1 the default); nullptr when it
// cannot take them.
std::unique_ptr<CodecWriter> open_codec_writer(uint32_t handler, int quality, const uint8_t* format, size_t bytes,
                                               uint32_t rate, uint32_t scale);

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
