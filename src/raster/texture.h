// The texture manager: a table of caller-owned textures, the current texture the mappers
// read, and the settings of the mappers (perspective run length, transparency of texel 0,
// units of texture coordinates).
#pragma once

#include <cstdint>
#include <vector>

namespace raster {

struct TextureRecord {
    const uint8_t* texels = nullptr;  // nullptr: the record is free
    int width = 0, height = 0;
};

struct TextureState {
    std::vector<TextureRecord> table;  // empty until rs_tminit
    TextureRecord current;             // what the mappers read; texels nullptr: none
    int run = 32;                      // pixels between perspective divides, at least 1
    int transparency = 0;              // non-zero: texels of value 0 are not drawn
    int units = 0;                     // 0: integer texel coordinates, else 32-bit floats
};

inline TextureState& textures() {
    static TextureState s;
    return s;
}

// rs_vbinit and rs_vbfin: no table, no texture, the settings as above.
void init_textures();

// Most records a table may have: more are refused rather than committing memory that a
// count from a garbled argument would ask for.
constexpr int max_textures = 1 << 20;

// Largest texture side: a coordinate of 16.16 fixed point must reach every texel.
constexpr int max_texture_side = 32768;

int tm_init(int count);
int tm_define(void* texels, int width, int height);
int tm_select(int index);
int tm_free(int index);
int tm_evict();
int tm_span(int n);
int tm_transparency(int flag);
int tm_units(int flag);

}  // namespace raster
