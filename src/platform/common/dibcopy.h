// The two bitmap copies every device uses: reading a bottom-up bitmap (8 bits through a
// colour table or the device's palette, 16 and 32 bits through bit-field masks, 24 bits
// blue-green-red) and mapping its pixels onto device pixels, one to one or scaled by
// dropping and repeating rows and columns.
//
// A copy is planned first: for each destination column and row that is visible (inside the
// device's clip rectangle) and has a source pixel inside the bitmap, the plan holds the
// source column and the address of the source row. The visible part is always a
// rectangle, because along each axis the source coordinate moves monotonically with the
// destination coordinate. Running the plan writes 0x00RRGGBB words into any target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/common/objects.h"

namespace host {

// A source bitmap ready to be read.
struct DibSource {
    enum class Form { lut8, lut16, bgr24, bgrx32, masked32 };
    const uint8_t* bits = nullptr;  // address of row bits_row, counted from the bottom
    int64_t bits_row = 0;
    int64_t pitch = 0;
    int width = 0, height = 0;
    int64_t first_row = 0, end_row = 0;  // rows held, counted from the bottom: [first_row, end_row)
    Form form = Form::bgrx32;
    uint32_t lut8[256]{};             // lut8: colour of each index
    const uint32_t* lut16 = nullptr;  // lut16: colour of each 16-bit value
    struct Channel {
        uint32_t mask = 0;
        int shift = 0;      // moves the channel's top 8 bits (or all of it) to bit 0
        uint8_t scale[256]{};  // those bits to 0..255
    } red, green, blue;               // masked32
};

// Reads the header and prepares `src`; false when the header describes nothing this host
// draws (see parse_dib_header, plus: 8 bits uncompressed, 16 and 32 bits uncompressed or
// with bit fields, 24 bits uncompressed). `dc` supplies the palette for dib_pal_colors.
bool open_dib(DibSource& src, const uint8_t* header, const void* bits, int usage, const Device* dc,
              int start_scan, int lines);

// One axis of a copy. Destination pixel k from the origin (k = 0 .. |dest_extent| − 1)
// is origin + k for a positive extent and origin − 1 − k for a negative one; it takes
// source pixel m = k × |src_extent| / |dest_extent| (truncated) from the source origin,
// counted the same way. Source coordinates here count from the bitmap's top row.
struct Mapping {
    int64_t dest_origin = 0, dest_extent = 0;
    int64_t src_origin = 0, src_extent = 0;
};

struct CopyPlan {
    int x0 = 0, y0 = 0;              // top-left destination pixel drawn
    int width = 0, height = 0;       // 0 when nothing is drawn
    bool contiguous = false;         // columns map one to one, left to right
    int first_col = 0;               // source column of x0 when contiguous
    std::vector<int> cols;           // source column of each destination column otherwise
    std::vector<const uint8_t*> rows;  // source row of each destination row
};

// Plans the copy of `src` through the two mappings into the destination pixels
// [clip_x0, clip_x1) × [clip_y0, clip_y1).
void plan_copy(const DibSource& src, const Mapping& mx, const Mapping& my, int clip_x0, int clip_y0,
               int clip_x1, int clip_y1, CopyPlan& plan);
// Writes the planned rows row_begin .. row_end − 1 (counted from y0); `target` is the
// address of the first of them at x0, and `stride` the words from one target row to the
// next.
void run_copy(const DibSource& src, const CopyPlan& plan, uint32_t* target, ptrdiff_t stride,
              int row_begin, int row_end);

// The two copies of host.h (set_dib_bits_to_device, stretch_dib_bits) onto a live device,
// drawn by the library itself.
int copy_dib_bits(Device* device, int x_dest, int y_dest, int width, int height, int x_src, int y_src,
                  int start_scan, int lines, const void* bits, const uint8_t* header, int usage);
int stretch_dib(Device* device, int x_dest, int y_dest, int dest_width, int dest_height, int x_src, int y_src,
                int src_width, int src_height, const void* bits, const uint8_t* header, int usage, uint32_t rop);

}  // namespace host
