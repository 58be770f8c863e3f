// Routines shared by the drawing families: the clipped line that outlines, boxes and 3D
// lines are made of, and the filled rectangle behind clipped rectangles, boxes and
// scrolling. None of them reads or moves the graphics cursor.
#pragma once

#include <cstdint>

#include "core/vbuf.h"

namespace draw {

// Cuts the segment to the (non-empty) rectangle as the solid line does: false when nothing
// of it is inside. Either end may come back as the cut of the other end's side: callers
// that care which is which tell them by their distance from the original ends.
bool clip_line(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1, const core::ClipRect& c);

// Solid (xor_mode false) or XOR line from (x0, y0) to (x1, y1) in the current colour,
// clipped to the clip rectangle cut to the active buffer. Nothing without a buffer.
void clipped_line(int x0, int y0, int x1, int y1, bool xor_mode);

// The lines of clipped_line one after another, with what every line needs worked out
// once: the clip rectangle cut to the buffer, the buffer's layout, the pixel value and the
// row routine of its depth. For many short lines (stroke text) drawn while the colour, the
// clip rectangle and the active buffer stay as they are.
class LinePen {
public:
    explicit LinePen(bool xor_mode = false);
    void line(int x0, int y0, int x1, int y1) const {
        if (draw_) draw_(*this, x0, y0, x1, y1);
    }

private:
    template <class D, class Op>
    static void draw(const LinePen& pen, int x0, int y0, int x1, int y1);

    void (*draw_)(const LinePen&, int, int, int, int) = nullptr;  // nullptr: nothing to draw into
    core::ClipRect clip_{};
    uint8_t* pixels_ = nullptr;
    int pitch_ = 0, height_ = 0;
    uint32_t value_ = 0;
};

// Fills (or XORs) the rectangle after cutting it to the active buffer; nothing for an
// inverted rectangle or without a buffer. The clip rectangle plays no part.
void buffer_rect(int minx, int maxx, int miny, int maxy, bool xor_mode);

}  // namespace draw
