// Block transfers between virtual buffers and between image arrays.
#pragma once

#include <cstdint>

namespace image {

int vb_copy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
int vb_copy_keyed(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest);
int vb_copy_table(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
int vb_copy_nonzero(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
int tc_define(int index, int attribute);
// Block copies between buffers of any depths, each pixel converted through its colour;
// keyed copies skip source pixels equal to the key of rs_tcmask. Overlapping blocks in one
// buffer are exact only as for vb_copy.
int transfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest, bool keyed);
int tc_mask(int key);
// Copies between a large picture and a packed small one, pixel_bytes a pixel; the dcb
// forms use them with the dcb pixel size.
int cut_pixels(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height,
               int pixel_bytes);
int paste_pixels(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height,
                 int pixel_bytes);
int cut(const uint8_t* large, uint8_t* small, int x, int y, int large_width, int width, int height);
int paste(uint8_t* large, const uint8_t* small, int x, int y, int large_width, int width, int height);

}  // namespace image
