// AVI files: the main header and first stream's palette read straight from the file, and
// the video stream played into the active buffer and written frame by frame through the
// host's AVI library (platform/avi.h). The caller owns the context records: 48 bytes to
// play, 24 to make, holding the library's own numbers where a handle would be.
#pragma once

#include <cstddef>
#include <cstdint>

namespace files {

// Fields of the play context (32 bits each, little-endian, at these byte offsets).
namespace play_ctx {
constexpr int width = 0, height = 4;
constexpr int bits = 8;        // bits per pixel of the frames asked of the host
constexpr int current = 12;    // -1 after opening
constexpr int first = 16, last = 20;
constexpr int stream = 24, reader = 28;
constexpr int format_size = 32, format = 36;  // the format block: its size and number
constexpr int delay = 40;      // clock units of 55 ms
constexpr int size = 48;
}  // namespace play_ctx

// Fields of the make context.
namespace make_ctx {
constexpr int kind = 0;  // always 0
constexpr int frame = 4, file = 8, stream = 12, compressed = 16, frame_bytes = 20;
constexpr int size = 24;
}  // namespace make_ctx

int avi_head(const char* filename, uint8_t* header);
int avi_size(const uint8_t* header, int* width, int* height);
int avi_pal(const char* filename, uint8_t* rgb);
int avi_open(const char* filename, void* ctx);
int avi_play(void* ctx, int frames, int flags);
int avi_skip(void* ctx, int frames);
int avi_done(void* ctx);
// rs_vbfin: every context still open is ended as rs_avidone ends it (a file being made is
// completed with the frames written so far); their records then name nothing.
void avi_end();
int avi_make(const char* filename, void* ctx, int codec, int width, int height, int bits, int quality, int rate);
int avi_frame(void* ctx, const void* pixels);
int show_avi(const char* filename, int loops, int flags);

// A decoded frame (a bottom-up bitmap of width × height at bits 1, 2, 4, 8, 16 (5-5-5), 24
// or 32 per pixel, rows padded to 32 bits) into the active buffer with its top-left corner
// at (x, y), cut to the buffer. Indices become lut[index] (256 pixel values of the active
// depth); 8-bit buffers take index frames only. The caller has checked the frame's size.
void put_frame(const uint8_t* pixels, int width, int height, int bits, int64_t x, int64_t y, const uint32_t* lut);

// A Motion-JPEG frame into a bottom-up bitmap of width × height at 24 or 32 bits (the
// host's decoder for such frames). Frames may leave out their Huffman tables: the standard
// ones stand in. The JPEG family's tables are left as they were.
bool mjpeg_frame(const uint8_t* data, size_t bytes, uint8_t* pixels, int width, int height, int bits);

}  // namespace files
