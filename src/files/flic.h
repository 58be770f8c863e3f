// FLI and FLC animations: the 128-byte header, the 16-byte context record the caller owns,
// playing and skipping frames from a file or from the image buffer, and the window loop.
#pragma once

#include <cstdint>

namespace files {

// Tables kept from one call to the next: the animation palette as the file's palette
// chunks built it, and the map from file colours to the indices of an 8-bit buffer.
struct FlicState {
    uint8_t palette[256][3]{};
    uint8_t color_map[256]{};
};

FlicState& flic_state();
void flic_init();  // the palette black, the colour map the identity

// Fields of the context record (little-endian, at these byte offsets).
namespace flic_ctx {
constexpr int file = 0;       // 16 bits
constexpr int position = 2;   // 32 bits: next frame; kept in memory mode
constexpr int frames = 6;     // 16 bits
constexpr int width = 8;      // 16 bits
constexpr int height = 10;    // 16 bits
constexpr int delay = 12;     // 16 bits, clock units of 55 ms
constexpr int memory = 14;    // 16 bits: the last play read the image buffer
constexpr int size = 16;
}  // namespace flic_ctx

constexpr int flic_header_size = 128;
constexpr uint16_t flic_type_fli = 0xAF11;
constexpr uint16_t flic_type_flc = 0xAF12;

// The frame delay of a header, in clock units.
int flic_delay(const uint8_t* header);

int flic_head(const char* filename, uint8_t* header);
int flic_size(const uint8_t* header, int* width, int* height);
int flic_open(const char* filename, void* ctx);
int flic_done(void* ctx);
int flic_skip(void* ctx, int frames);
int flic_play(void* ctx, int frames, int flags);
int show_flic(const char* filename, int loops, int flags);

}  // namespace files
