// Routines shared by the drawing families: the clipped line that outlines, boxes and 3D
// lines are made of, and the filled rectangle behind clipped rectangles, boxes and
// scrolling. None of them reads or moves the graphics cursor.
#pragma once

namespace draw {

// Solid (xor_mode false) or XOR line from (x0, y0) to (x1, y1) in the current colour,
// clipped to the clip rectangle cut to the active buffer. Nothing without a buffer.
void clipped_line(int x0, int y0, int x1, int y1, bool xor_mode);

// Fills (or XORs) the rectangle after cutting it to the active buffer; nothing for an
// inverted rectangle or without a buffer. The clip rectangle plays no part.
void buffer_rect(int minx, int maxx, int miny, int maxy, bool xor_mode);

}  // namespace draw
