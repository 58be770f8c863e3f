// Baseline JPEG decoding: the stages of the decoder and the state they share.
//
// The decoder is a single-scan baseline Huffman decoder: markers and segments
// (jpeg_markers.cpp), entropy decoding (jpeg_entropy.cpp), the integer inverse DCT
// (jpeg_idct.cpp), replication upsampling and YCbCr conversion into the buffer's pixels
// (jpeg_color.cpp), and the family's entry points (jpeg.cpp). The stages never know where
// the bytes come from: a ByteSource hides whether they are in memory or refilled from a file.
//
// Every stage has a plain reference routine that follows the decoding procedure step by
// step (bit-at-a-time Huffman decoding, the two-pass IDCT, the four colour tables), and a
// fast one (lookup tables over a 64-bit bit buffer, SSE2 or AVX2 kernels chosen once from
// the processor). The tests decode every file both ways and ask for identical bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace files::jpeg {

// Result codes of rs_showjpeg.
enum Result : int { ok = 0, cannot_open = 1, not_jpeg = 2, unsupported = 3, no_memory = 4 };

// ---- bytes ---------------------------------------------------------------------------

// Bytes from memory, refilled on demand (from a file, by the caller's refill function).
// Past the end every byte reads as 0xFF and `ended` is set; nothing past `end` is touched.
struct ByteSource {
    const uint8_t* cur = nullptr;
    const uint8_t* end = nullptr;
    // Called when cur == end: points cur/end at fresh bytes and returns true, or returns
    // false when there are none. nullptr for data wholly in memory.
    bool (*refill)(ByteSource& src) = nullptr;
    void* context = nullptr;
    bool ended = false;

    uint8_t next() {
        if (cur == end && !more()) return 0xFF;
        return *cur++;
    }
    void skip(size_t n) {
        while (n > 0) {
            if (cur == end && !more()) return;
            const size_t step = size_t(end - cur) < n ? size_t(end - cur) : n;
            cur += step, n -= step;
        }
    }
    bool more() {
        if (!ended && refill && refill(*this) && cur != end) return true;
        ended = true;
        return false;
    }
};

// ---- tables --------------------------------------------------------------------------

constexpr int lookup_bits = 10;

// One Huffman table slot: the symbol list in file order and the per-length code bounds of
// the canonical code (index 1..16; maxcode[17] ends every search), plus a lookup over the
// first 10 bits built by running the same search on every 10-bit prefix.
struct HuffmanTable {
    uint8_t symbols[256]{};
    int32_t mincode[18]{}, maxcode[18]{}, valptr[18]{};
    // What the next 10 bits decode to. When the code and its magnitude bits fit in them:
    // value << 16 | run << 8 | bits taken, where the value is the extended magnitude (the DC
    // difference in DC tables, the coefficient in AC tables) and the run is the zeros before
    // it (64 for an end of block). Otherwise step_partial | symbol << 8 | code length, with a
    // length of 0 when the code is longer than 10 bits.
    int32_t step[1 << lookup_bits]{};
    bool defined = false;
};
constexpr int32_t step_partial = 0x80;

struct Component {
    int h = 0, v = 0;       // sampling factors
    int quant = 0;          // quantization table 0..3
    int dc = 0, ac = 2;     // Huffman slots
    int32_t predictor = 0;  // DC predictor
};

// The decoder's tables, kept from one call to the next: a file without DHT or DQT segments
// decodes with those of the last file that had them.
struct Tables {
    uint8_t quant[4][64]{};  // natural order
    bool quant_defined[4]{};
    HuffmanTable huffman[4];  // 0, 1: DC tables; 2, 3: AC tables
    Component component[3];   // by component id - 1
};
Tables& tables();
void reset_tables();

// The standard zigzag order: natural position of each zigzag index.
extern const uint8_t zigzag[64];

// Builds slot `slot` from 16 counts and their symbols. Returns false for a table whose codes
// overflow their lengths (more codes of some length than it has values).
bool build_huffman(HuffmanTable& t, const uint8_t counts[16], const uint8_t* symbols, int n, bool ac);

// ---- frame and output ----------------------------------------------------------------

// The frame as the scan decoder needs it.
struct Frame {
    int width = 0, height = 0;
    int components = 0;  // 1 (grayscale) or 3 (colour)
    int slot[3]{};       // component slots in frame order (grayscale: slot[0] only)
    int mcu_w = 8, mcu_h = 8;
    int mcus_x = 0, mcus_y = 0;
    int restart_interval = 0;
};

// Where decoded pixels go: pixel (first_col, first_row) of the picture lands at `origin`,
// rows step by `row_step` bytes (negative for a bottom-up buffer).
struct Output {
    uint8_t* origin = nullptr;
    ptrdiff_t row_step = 0;
    int depth = 24;            // 16, 24 or 32
    int first_col = 0, cols = 0;  // visible columns of the picture
    int first_row = 0, rows = 0;  // visible rows of the picture
};

// ---- kernels -------------------------------------------------------------------------

// Inverse DCT of 64 dequantized coefficients in natural order into 8 rows of 8 samples.
using IdctFn = void (*)(const int16_t* coef, uint8_t* out, ptrdiff_t stride);
// The same for two blocks, each to its own place.
using Idct2Fn = void (*)(const int16_t* a, uint8_t* out_a, ptrdiff_t stride_a, const int16_t* b, uint8_t* out_b,
                         ptrdiff_t stride_b);
// n pixels from full-resolution Y, Cb, Cr rows (Cb, Cr null for grayscale) into out.
using ColorFn = void (*)(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int n);
// The first n samples of a row replicated hr times across: row[i] = src[i / hr].
using WidenFn = void (*)(const uint8_t* src, int hr, uint8_t* row, int n);

struct Kernels {
    IdctFn idct;
    Idct2Fn idct2;
    ColorFn color[3];  // 16, 24, 32 bits
    ColorFn gray[3];
    WidenFn widen;
    bool fast_entropy;  // lookup-table Huffman decoding over the 64-bit bit buffer
};
const Kernels& reference_kernels();
const Kernels& sse2_kernels();
const Kernels* avx2_kernels();  // nullptr when the processor or the build has none
const Kernels& best_kernels();

void idct_reference(const int16_t* coef, uint8_t* out, ptrdiff_t stride);
// The vector kernels need coef 16-byte aligned.
void idct_sse2(const int16_t* coef, uint8_t* out, ptrdiff_t stride);
void idct_avx2(const int16_t* coef, uint8_t* out, ptrdiff_t stride);
void idct2_avx2(const int16_t* a, uint8_t* out_a, ptrdiff_t stride_a, const int16_t* b, uint8_t* out_b,
                ptrdiff_t stride_b);
// The colour tables: entry[i] = trunc(c × (i − 128) + 0.5).
struct ColorTables {
    int32_t cr_r[256], cb_g[256], cr_g[256], cb_b[256];
};
const ColorTables& color_tables();

// ---- decoding ------------------------------------------------------------------------

// Decodes the scan that starts at src into out, through `k`. Returns ok or no_memory.
int decode_scan(ByteSource& src, const Frame& frame, const Output& out, const Kernels& k);

// Working memory decode_scan allocates for a picture of that geometry.
size_t scan_memory(int width, int mcu_w, int mcu_h, const int h[3], const int v[3], int components);

// The whole procedure from SOI: parses segments, then decodes the first scan into the
// picture placed with its top-left pixel at (x, y) of a buffer of buf_w × buf_h pixels whose
// row 0 is at `top` and rows are `row_step` bytes apart.
struct Target {
    uint8_t* top = nullptr;
    ptrdiff_t row_step = 0;
    int width = 0, height = 0, depth = 0;
    int x = 0, y = 0;
};
int decode(ByteSource& src, const Target& target, const Kernels& k);

// Reads a frame header for rs_jpeghead into the 10-byte record. Returns 0, or -2.
int read_header(ByteSource& src, uint8_t* record);

}  // namespace files::jpeg
