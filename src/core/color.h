// The current colour: what every drawing routine writes.
#pragma once

#include <cstdint>

namespace core {

struct ColorState {
    uint8_t color_index = 0;   // value given to rs_setcolor in an 8-bit buffer
    uint8_t mapped_index = 0;  // color_index through the index map: what 8-bit pixels get
    uint32_t color_value = 0;  // the pixel, replicated to 32 bits at 8 and 16 bits
    uint8_t alpha = 0;         // top byte of 24/32-bit values made from red, green, blue
    uint8_t index_map[256]{};  // identity after rs_vbinit; nothing else changes it
};

inline ColorState& color() {
    static ColorState c;
    return c;
}

void color_init();

}  // namespace core
