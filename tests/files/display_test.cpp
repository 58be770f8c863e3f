// Pictures by their contents: each kind under a name that says nothing, from a file and
// from memory, drawn exactly as its own reader draws it; unknown, missing and damaged data.
#include "files/state.h"
#include "pictures.h"
#include "platform/file.h"

using namespace test;

namespace {

class Display : public EachDepth {};

// A one-frame FLC of w x h indices: a 256-colour palette chunk and a copy chunk.
std::vector<uint8_t> one_frame_flc(int w, int h) {
    std::vector<uint8_t> f(128 + 800 + size_t(w * h));
    auto put = [&](size_t at, uint32_t v, int n) { for (int i = 0; i < n; ++i) f[at + size_t(i)] = uint8_t(v >> 8 * i); };
    put(4, 0xAF12, 2), put(6, 1, 2), put(8, uint32_t(w), 2), put(10, uint32_t(h), 2), put(12, 8, 2);
    put(128, uint32_t(f.size() - 128), 4), put(132, 0xF1FA, 2), put(134, 2, 2), put(144, 778, 4), put(148, 4, 2), put(150, 1, 2);
    for (size_t i = 154; i < f.size(); ++i) f[i] = uint8_t(i * 5 + i / 7);  // colours, then pixels
    return put(922, uint32_t(6 + w * h), 4), put(926, 16, 2), f;
}

TEST_P(Display, EachKindDrawsAsItsOwnReaderWhateverItsName) {
    start(40, 30);
    const auto flic = [](const char* name, int flags) {
        uint8_t ctx[16];
        return rs_flicopen(name, ctx) ? 9 : (rs_flicplay(ctx, 1, 1 | (flags & 2) | (flags & 1 ? 16 : 0)), rs_flicdone(ctx));
    };
    const std::vector<std::pair<std::vector<uint8_t>, std::function<int(const char*, int)>>> cases = {
        {slurp(data_file("pal8_13x7.bmp")), rs_showbmp}, {slurp(data_file("rgb24_13x7.bmp")), rs_showbmp},
        {slurp(data_file("pal4_11x5.pcx")), rs_showpcx}, {slurp(data_file("rgb24_13x7.pcx")), rs_showpcx},
        {slurp(std::string(RSW32_TEST_DATA_DIR) + "/jpeg/im_17x9.jpg"), rs_showjpeg}, {one_frame_flc(9, 6), flic}};
    std::vector<uint8_t> rgb = Guarded(768).contents(), after(768);
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [bytes, reader] = cases[i];
        host::memory_file_set("picture.dat", bytes.data(), bytes.size());
        for (int way = 0; way < 3; ++way) {  // rs_dispfile, rs_displayp, rs_display
            rs_setdacs(0, 256, rgb.data()), View().scramble(unsigned(i)), rs_move(3, 2);
            const int want = reader("picture.dat", 2 | (way == 1));
            const std::vector<uint8_t> want_pixels = View().bytes();
            rs_setdacs(0, 256, rgb.data()), View().scramble(unsigned(i)), rs_move(7, 9);
            const uint8_t* const image_buffer = files::image_buffer().data;
            EXPECT_EQ(way == 0 ? rs_dispfile("picture.dat", 3, 2) : way == 1 ? rs_displayp("picture.dat", 3, 2)
                                                                  : (rs_move(3, 2), rs_display(bytes.data(), int(bytes.size()), 2)),
                      want % 9) << i << " way " << way;
            EXPECT_EQ(View().bytes(), want_pixels) << i << " way " << way;
            EXPECT_EQ(list(rs_getxpos(), int(files::image_buffer().data == image_buffer)), list(way == 2 ? 3 : 7, 1));
            rs_getdacs(0, 256, after.data());
            EXPECT_TRUE(way != 1 || after == rgb) << i;
        }
    }
    host::memory_file_clear();
}

TEST_P(Display, UnknownMissingAndDamagedPicturesAreRefusedSafely) {
    start(24, 16);
    const std::vector<uint8_t> text(12, 'a');
    host::memory_file_set("notes.bmp", text.data(), text.size());
    const Snapshot before;
    EXPECT_EQ(list(rs_dispfile("notes.bmp", 0, 0), rs_displayp("missing.bmp", 0, 0), rs_dispfile(nullptr, 0, 0),
                   rs_display(text.data(), int(text.size()), 0), rs_display(nullptr, 10, 0), rs_display(text.data(), 0, 0)),
              list(2, 1, 1, 2, 2, 2));
    EXPECT_EQ(before.changed(), PointSet{});
    for (const std::vector<uint8_t>& file : {slurp(data_file("pal8_13x7.pcx")), slurp(data_file("rgb24_13x7.bmp")), one_frame_flc(5, 4)})
        for_each_damaged(file, {2, 3, 4, 5, 8, 10, 18, 22}, [](const uint8_t* bytes, size_t n) { EXPECT_LE(unsigned(rs_display(bytes, int(n), 0)), 5u); });
    host::memory_file_clear();
}

RSW32_EACH_DEPTH(Display);

}  // namespace
