// JPEG decoding of photograph-sized pictures (1920 × 1080 and 4000 × 3000, 4:2:0 and 4:4:4,
// quality 75 and 95) into 24- and 32-bit buffers, against libjpeg (integer IDCT, no fancy
// upsampling, rows copied into an equal buffer) and stb_image (decoded, then copied). The
// inputs are encoded once with libjpeg from a synthetic picture with gradients, edges and
// noise; without libjpeg there is nothing to decode and these benchmarks are not built.
#include "fixture.h"

#if RSW32_HAVE_LIBJPEG
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include <jpeglib.h>
#if RSW32_HAVE_STB
#include <stb/stb_image.h>
#endif

namespace {

const int sizes[2][2] = {{1920, 1080}, {4000, 3000}};

const std::vector<uint8_t>& picture(int size, int quality, int sampling) {
    static std::map<std::tuple<int, int, int>, std::vector<uint8_t>> made;
    std::vector<uint8_t>& out = made[{size, quality, sampling}];
    if (!out.empty()) return out;
    const int w = sizes[size][0], h = sizes[size][1];
    std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
    std::mt19937 rng(3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
            const int n = int(rng() % 24);
            p[0] = uint8_t((x * 255 / w + n) & 255), p[1] = uint8_t((y * 255 / h + n) & 255);
            p[2] = uint8_t(((x / 37 + y / 23) % 2 ? 220 : 40) + n);
        }
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long mem_size = 0;
    jpeg_mem_dest(&c, &mem, &mem_size);
    c.image_width = JDIMENSION(w), c.image_height = JDIMENSION(h), c.input_components = 3, c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    c.comp_info[0].h_samp_factor = c.comp_info[0].v_samp_factor = sampling == 420 ? 2 : 1;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = &rgb[size_t(c.next_scanline) * size_t(w) * 3];
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    out.assign(mem, mem + mem_size);
    jpeg_destroy_compress(&c);
    std::free(mem);
    return out;
}

struct Case {
    int size, quality, sampling, bits;
    explicit Case(const benchmark::State& s)
        : size(int(s.range(0))), quality(int(s.range(1))), sampling(int(s.range(2))), bits(int(s.range(3))) {}
    int w() const { return sizes[size][0]; }
    int h() const { return sizes[size][1]; }
};

void args(benchmark::internal::Benchmark* b) {
    b->ArgNames({"size", "q", "sampling", "bits"});
    for (int size : {0, 1})
        for (int q : {75, 95})
            for (int s : {420, 444})
                for (int bits : {24, 32}) b->Args({size, q, s, bits});
    b->Unit(benchmark::kMillisecond);
}

void finish(benchmark::State& state, const Case& c, bool drawn) {
    state.SetItemsProcessed(int64_t(state.iterations()) * c.w() * c.h());
    bench::verify(state, drawn, "the picture decoded into the buffer");
}

void JpegDecode(benchmark::State& state) {
    const Case c(state);
    const std::vector<uint8_t>& file = picture(c.size, c.quality, c.sampling);
    const int vb = bench::open(c.bits, c.w(), c.h());
    rs_move(0, 0);
    int r = 0;
    for (auto _ : state) r |= rs_jpegbuf(file.data(), int(file.size()));
    finish(state, c, r == 0 && bench::count(vb, 0) < int64_t(c.w()) * c.h() / 2);
}
BENCHMARK(JpegDecode)->Apply(args);

// libjpeg into rows of the buffer's layout (blue, green, red, and a fourth byte at 32 bits).
void LibjpegDecode(benchmark::State& state) {
    const Case c(state);
    const std::vector<uint8_t>& file = picture(c.size, c.quality, c.sampling);
    const int vb = bench::open(c.bits, c.w(), c.h());
    uint8_t* pixels = static_cast<uint8_t*>(rs_vbaddr(vb));
    const size_t pitch = size_t((c.w() + 3) & ~3) * size_t(c.bits / 8);
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    for (auto _ : state) {
        jpeg_mem_src(&d, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&d, TRUE);
        d.dct_method = JDCT_ISLOW, d.do_fancy_upsampling = FALSE;
        d.out_color_space = c.bits == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
        jpeg_start_decompress(&d);
        while (d.output_scanline < d.output_height) {
            JSAMPROW row = pixels + size_t(c.h() - 1 - int(d.output_scanline)) * pitch;
            jpeg_read_scanlines(&d, &row, 1);
        }
        jpeg_finish_decompress(&d);
    }
    jpeg_destroy_decompress(&d);
    finish(state, c, bench::count(vb, 0) < int64_t(c.w()) * c.h() / 2);
}
BENCHMARK(LibjpegDecode)->Apply(args);

#if RSW32_HAVE_STB
void StbDecode(benchmark::State& state) {
    const Case c(state);
    const std::vector<uint8_t>& file = picture(c.size, c.quality, c.sampling);
    const int vb = bench::open(c.bits, c.w(), c.h());
    uint8_t* pixels = static_cast<uint8_t*>(rs_vbaddr(vb));
    const size_t pitch = size_t((c.w() + 3) & ~3) * size_t(c.bits / 8);
    for (auto _ : state) {
        int w, h, n;
        stbi_uc* rgb = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 3);
        for (int y = 0; y < h; ++y) {
            uint8_t* dst = pixels + size_t(h - 1 - y) * pitch;
            const stbi_uc* src = rgb + size_t(y) * size_t(w) * 3;
            for (int x = 0; x < w; ++x, src += 3, dst += c.bits / 8) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
        }
        stbi_image_free(rgb);
    }
    finish(state, c, bench::count(vb, 0) < int64_t(c.w()) * c.h() / 2);
}
BENCHMARK(StbDecode)->Apply(args);
#endif

}  // namespace

#endif
