// Colour reduction of the active 8-bit buffer.
#pragma once

#include <cstdint>

namespace image {

// rs_reduce: at most count colours, renumbered to start .. start + count − 1, palette
// (256 red, green, blue triples) rewritten to match.
int reduce(int start, int count, uint8_t* palette);

}  // namespace image
