// Packed pictures and sprites: pictures with their transparent runs left out, so drawing
// them copies only the pixels that show.
//
// One stream format serves both (little-endian):
//   0  'R' 'S'
//   2  kind: 'P' a packed picture (palette indices, 0 transparent) or 'S' a sprite (pixels
//      of one depth, the key of rs_tcmask transparent)
//   3  bytes a pixel (1 for packed pictures; 1, 2, 3 or 4 for sprites)
//   4  width, 8 height (32 bits each, at least 1), 12 the stream's bytes, header included
//   16 the rows, bottom row first; each a list of runs (skip, count: one byte each) with
//      count pixels after each, ended by (0, 0). Longer runs are split: (255, 0) skips 255
//      pixels and goes on; (0, n) continues the pixels of the run before it.
#pragma once

#include <cstdint>

namespace image {

int pack(const uint8_t* array, int width, int height, uint8_t* packed);
int unpack(const uint8_t* packed, int bytes, uint8_t* array);
int make_packed(int minx, int maxx, int miny, int maxy, uint8_t* packed);
int show_packed(const uint8_t* packed, int bytes);
int make_sprite(int minx, int maxx, int miny, int maxy, uint8_t* sprite);
int show_sprite(const uint8_t* sprite, int bytes);

}  // namespace image
