// Textured fills of the 2D shapes: a virtual buffer tiled over the screen from (0, 0)
// takes the place of the current colour in rectangle, box, ellipse and polygon fills.
#pragma once

#include <cstdint>

#include "core/pixel.h"
#include "draw/state.h"

namespace draw {

// rs_texture: the buffer whose pixels fill (-1: none), flags 1 skips its pixels of colour 0.
int texture(int handle, int flags);

// The texture's pixels for n pixels from p (consecutive pixels of the active buffer, which
// may run on into the rows above); the plain colour when the texture's buffer has gone or
// has another depth.
template <class D>
void texture_span(uint8_t* p, int n, uint32_t color_value);

// What the filled shapes call instead of core::fill_span.
template <class D>
inline void shape_span(uint8_t* p, int n, uint32_t color_value) {
    if (state().texture < 0)
        core::fill_span<D>(p, n, color_value);
    else
        texture_span<D>(p, n, color_value);
}

}  // namespace draw
