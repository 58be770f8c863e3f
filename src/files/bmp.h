// BMP files: headers, palettes, drawing a file into the active buffer, writing a region.
#pragma once

#include <cstdint>

namespace files {

// Flags of rs_showbmp.
enum BmpFlags : int {
    bmp_ignore_palette = 1,  // the library palette is left alone
    bmp_at_cursor = 2,       // top-left corner at the graphics cursor instead of (0, 0)
    bmp_in_memory = 4,       // the whole file is in the image buffer
    bmp_keep_colors = 8,     // 8-bit file into an 8-bit buffer: colours 10..245 as they are
};

// rs_bmphead: the first 54 bytes into header. 0; -1 the file cannot be opened; -2 it is
// shorter or has no "BM".
int bmp_head(const char* filename, uint8_t* header);
// rs_bmpsize: width and height from a header read by bmp_head; -1, -1 without "BM".
int bmp_size(const uint8_t* header, int* width, int* height);
// rs_bmppal: the palette's colour count (at most 256), the colours into rgb as triples.
int bmp_pal(const char* filename, uint8_t* rgb);
// rs_showbmp: 0 or the reader's error code (1 open, 2 not BMP, 3 depth, 4 compressed,
// 5 memory).
int show_bmp(const char* filename, int flags);
// rs_makebmp: 0; 1 no buffer, refused bits or region, or the file cannot be written;
// 2 no memory.
int make_bmp(int minx, int maxx, int miny, int maxy, int bits, const char* filename);

}  // namespace files
