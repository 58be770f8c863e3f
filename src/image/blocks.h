// Blocks of the active buffer in its own pixel bytes: read into and written from caller
// memory (rs_getblock, rs_putblock), and saved in the library's memory to be put back
// later, as a sprite's background is (rs_save, rs_restore and their world forms).
#pragma once

#include <cstdint>

namespace image {

// Rows in screen order (top row first), each maxx − minx + 1 pixels of the buffer's bytes.
int get_block(int minx, int maxx, int miny, int maxy, uint8_t* block);
int put_block(int minx, int maxx, int miny, int maxy, const uint8_t* block);

int save(int minx, int maxx, int miny, int maxy);
int restore(int minx, int maxx, int miny, int maxy);
int save_world(double minx, double maxx, double miny, double maxy);
int restore_world(double minx, double maxx, double miny, double maxy);
// Drops every save (the library's start and end).
void forget_saved();

}  // namespace image
