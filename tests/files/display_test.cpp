// Pictures by their contents: each kind under a name that says nothing, from a file and
// from memory, drawn exactly as its own reader draws it; unknown, missing and damaged data.
#include "files/state.h"
#include "pictures.h"
#include "platform/file.h"

using namespace test;

namespace {

class Display : public EachDepth {};

// A one-frame FLC of w x h indices (a palette chunk and a copy chunk).
std::vector<uint8_t> one_frame_flc(int w, int h) {
    std::vector<uint8_t> f(128), body;
    auto put = [](std::vector<uint8_t>& b, size_t at, uint32_t v, int n) { for (int i = 0; i < n; ++i) b[at + size_t(i)] = uint8_t(v >> 8 * i); };
    put(f, 4, 0xAF12, 2), put(f, 6, 1, 2), put(f, 8, uint32_t(w), 2), put(f, 10, uint32_t(h), 2), put(f, 12, 8, 2);
    body.resize(16 + 6 + 4 + 768 + 6 + size_t(w * h));
    put(body, 0, uint32_t(body.size()), 4), put(body, 4, 0xF1FA, 2), put(body, 6, 2, 2);
    put(body, 16, 6 + 4 + 768, 4), put(body, 20, 4, 2), put(body, 22, 1, 2);  // 256 colours
    for (size_t i = 0; i < 768; ++i) body[26 + i] = uint8_t(i * 5);
    put(body, 794, uint32_t(6 + w * h), 4), put(body, 798, 16, 2);
    for (size_t i = 0; i < size_t(w * h); ++i) body[800 + i] = uint8_t(i * 3 + 1);
    return f.insert(f.end(), body.begin(), body.end()), f;
}

TEST_P(Display, EachKindDrawsAsItsOwnReaderWhateverItsName) {
    start(40, 30);
    struct Case { std::vector<uint8_t> bytes; std::function<int(const char*, int)> reader; };
    std::vector<Case> cases = {
        {slurp(data_file("pal8_13x7.bmp")), rs_showbmp}, {slurp(data_file("rgb24_13x7.bmp")), rs_showbmp},
        {slurp(data_file("pal4_11x5.pcx")), rs_showpcx}, {slurp(data_file("rgb24_13x7.pcx")), rs_showpcx},
        {slurp(std::string(RSW32_TEST_DATA_DIR) + "/jpeg/im_17x9.jpg"), rs_showjpeg},
        {one_frame_flc(9, 6), [](const char* name, int flags) {
             uint8_t ctx[16];
             return rs_flicopen(name, ctx) ? 9 : (rs_flicplay(ctx, 1, 1 | (flags & 2) | (flags & 1 ? 16 : 0)), rs_flicdone(ctx));
         }}};
    std::vector<uint8_t> rgb(768), after_rgb(768);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        host::memory_file_set("picture.dat", c.bytes.data(), c.bytes.size());
        for (int way = 0; way < 3; ++way) {  // rs_dispfile, rs_displayp, rs_display
            for (size_t k = 0; k < rgb.size(); ++k) rgb[k] = uint8_t(k + i);
            rs_setdacs(0, 256, rgb.data()), View().scramble(unsigned(i)), rs_move(3, 2);
            const int want = c.reader("picture.dat", 2 | (way == 1 ? 1 : 0));
            const std::vector<uint8_t> want_pixels = View().bytes();
            rs_setdacs(0, 256, rgb.data()), View().scramble(unsigned(i));
            const uint8_t* const image_buffer = files::image_buffer().data;
            rs_move(way == 2 ? 3 : 7, way == 2 ? 2 : 9);
            const int got = way == 0 ? rs_dispfile("picture.dat", 3, 2) : way == 1 ? rs_displayp("picture.dat", 3, 2)
                                                                         : rs_display(c.bytes.data(), int(c.bytes.size()), 2);
            EXPECT_EQ(got, want == 9 ? 0 : want) << i << " way " << way;
            EXPECT_EQ(View().bytes(), want_pixels) << i << " way " << way;
            EXPECT_EQ(list(rs_getxpos(), rs_getypos(), int(files::image_buffer().data == image_buffer)),
                      list(way == 2 ? 3 : 7, way == 2 ? 2 : 9, 1));
            rs_getdacs(0, 256, after_rgb.data());
            EXPECT_TRUE(way != 1 || after_rgb == rgb) << i;
        }
    }
    host::memory_file_clear();
}

TEST_P(Display, UnknownMissingAndDamagedPicturesAreRefusedSafely) {
    start(24, 16);
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', 0, 1, 2, 3, 4, 5, 6};
    host::memory_file_set("notes.bmp", text.data(), text.size());
    const Snapshot before;
    EXPECT_EQ(list(rs_dispfile("notes.bmp", 0, 0), rs_displayp("missing.bmp", 0, 0), rs_dispfile(nullptr, 0, 0),
                   rs_display(text.data(), int(text.size()), 0), rs_display(nullptr, 10, 0), rs_display(text.data(), 0, 0)),
              list(2, 1, 1, 2, 2, 2));
    EXPECT_EQ(before.changed(), PointSet{});
    for (const std::vector<uint8_t>& file : {slurp(data_file("pal8_13x7.pcx")), slurp(data_file("rgb24_13x7.bmp")), one_frame_flc(5, 4)})
        for_each_damaged(file, {2, 3, 4, 5, 8, 10, 18, 22}, [](const uint8_t* bytes, size_t n) {
            const int r = rs_display(bytes, int(n), 0);
            EXPECT_TRUE(r >= 0 && r <= 5) << r;
        });
    host::memory_file_clear();
}

RSW32_EACH_DEPTH(Display);

}  // namespace
