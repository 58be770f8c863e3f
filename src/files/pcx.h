// PCX files: headers, palettes, drawing a file into the active buffer or decoding it into
// an image array, writing a region.
#pragma once

#include <cstdint>

namespace files {

// Flags of rs_showpcx.
enum PcxFlags : int {
    pcx_ignore_palette = 1,
    pcx_at_cursor = 2,    // top-left corner at the graphics cursor instead of (xmin, ymin)
    pcx_in_memory = 4,    // the image buffer is exactly the file
    pcx_keep_colors = 8,  // 256 colours into an 8-bit buffer: colours 10..245 as they are
};

// rs_pcxhead: 0; -1 cannot open; -2 short or not PCX.
int pcx_head(const char* filename, uint8_t* header);
// rs_pcxrange, rs_pcxsize: from a header read by pcx_head; -1s when it is not PCX.
int pcx_range(const uint8_t* header, int* minx, int* maxx, int* miny, int* maxy);
int pcx_size(const uint8_t* header, int* width, int* height);
// rs_pcxpal: 256, 16 or 0 colours, copied to rgb as triples; -1 cannot open, -2 not PCX.
int pcx_pal(const char* filename, uint8_t* rgb);
// rs_showpcx: 0; 1 cannot open; 2 not PCX; 3 a format the buffer cannot show; 4 memory.
int show_pcx(const char* filename, int flags);
// rs_loadpcx: the file's colour numbers into a width × height image array.
int load_pcx(const char* filename, uint8_t* array);
// rs_makepcx: 0; 1 no buffer, a bad region, or the file cannot be written; 2 memory.
int make_pcx(int minx, int maxx, int miny, int maxy, const char* filename);

}  // namespace files
