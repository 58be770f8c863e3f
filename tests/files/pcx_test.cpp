// PCX files: files made by independent tools against those tools' decodes, the encoder's
// byte rules, the writer read back, runs across rows, and hostile bytes.
#include "files/pictures.h"

namespace {

using test::data_file;
using test::list;
using test::slurp;

struct RealFile {
    const char* name;
    int width, height;
};
const RealFile real_pcxs[] = {{"rgb24_13x7", 13, 7}, {"pal8_13x7", 13, 7}, {"pal4_11x5", 11, 5}, {"mono_17x5", 17, 5}};

class PcxFiles : public test::EachDepth {};
RSW32_EACH_DEPTH(PcxFiles);

// The tools' files show the tools' colours (2-colour files: the colour numbers, as the
// header's colours are not what the tools show), from the file and from the image buffer.
TEST_P(PcxFiles, RealFilesShowTheToolsColours) {
    for (const RealFile& f : real_pcxs) {
        SCOPED_TRACE(f.name);
        const std::string path = data_file(std::string(f.name) + ".pcx");
        const bool colour24 = std::string(f.name).find("24") != std::string::npos;
        uint8_t header[128];
        int w = 0, h = 0;
        ASSERT_EQ(rs_pcxhead(path.c_str(), header), 0);
        rs_pcxsize(header, &w, &h);
        EXPECT_EQ(list(w, h), list(f.width, f.height));
        open(20, 10);
        std::vector<uint8_t> numbers(size_t(w * h));
        ASSERT_EQ(rs_loadpcx(path.c_str(), numbers.data()), colour24 ? 3 : 0);
        if (std::string(f.name).find("mono") == std::string::npos) {
            test::expect_tool_colours(path, w, h, depth() == 8 && colour24 ? 3 : 0, rs_showpcx);
        } else {
            const std::vector<uint8_t> want = slurp(path + ".rgb");
            for (int i = 0; i < w * h; ++i)  // bottom row first in the array, top first in want
                EXPECT_EQ(numbers[size_t((h - 1 - i / w) * w + i % w)] * 255, want[size_t(i) * 3]);
        }
        rs_vbclose(), rs_vbfree(-1);
    }
}

TEST_P(PcxFiles, WrittenFilesReadBackAtTheirWindow) {
    const std::string name = test::temp_path(".pcx");
    open(24, 12);
    test::View(rs_vbhandle(), 24, 12, depth()).scramble(3);
    std::vector<uint32_t> before;
    for (int y = 4; y <= 9; ++y)
        for (int x = 5; x <= 17; ++x) before.push_back(test::shown_rgb(x, y));
    ASSERT_EQ(rs_makepcx(5, 17, 4, 9, name.c_str()), 0);
    const int vb = rs_vbhandle();
    open(24, 12);
    ASSERT_EQ(rs_showpcx(name.c_str(), 1), 0);
    for (int y = 4; y <= 9; ++y)
        for (int x = 5; x <= 17; ++x) EXPECT_EQ(test::shown_rgb(x, y), before[size_t((y - 4) * 13 + x - 5)]) << x << "," << y;
    EXPECT_EQ(test::raw_pixel(4, 4) | test::raw_pixel(18, 9) | test::raw_pixel(5, 3), 0u);
    rs_vbfree(vb);
}

class PcxCases : public test::Library {};

// The encoder's byte rules, seen in the file: runs cut at 63, count bytes for runs and for
// single bytes of 0xC0 and above, odd widths padded to even, the palette at the end.
TEST_F(PcxCases, EncoderWritesTheStatedBytes) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(72, 4));
    rs_setcolor(5), rs_move(0, 0), rs_draw(69, 0);
    rs_setcolor(0xC5), rs_point(70, 0);
    rs_setcolor(0x3F), rs_point(71, 0);
    const std::string name = test::temp_path(".pcx");
    ASSERT_EQ(rs_makepcx(0, 71, 0, 0, name.c_str()), 0);
    std::vector<uint8_t> file = slurp(name);
    ASSERT_EQ(file.size(), 128u + 7 + 769);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 128, file.begin() + 136), (std::vector<uint8_t>{0xFF, 5, 0xC7, 5, 0xC1, 0xC5, 0x3F, 12}));
    ASSERT_EQ(rs_makepcx(69, 71, 0, 0, name.c_str()), 0);
    file = slurp(name);
    EXPECT_EQ(list<int>(file[66], file[128], file[129], file[130], file[131], file[132]), list(4, 5, 0xC1, 0xC5, 0x3F, 0));
}

// A run that passes the end of a row starts the next; a count of 0 writes nothing; a
// window at (100, 50) is drawn there unless the cursor is asked for.
TEST_F(PcxCases, RunsCrossRowsAndTheWindowPlacesThePicture) {
    std::vector<uint8_t> file(128 + 3 + 769);
    file[0] = 10, file[1] = 5, file[3] = 8, file[65] = 1, file[66] = 2;
    file[4] = 100, file[6] = 50, file[8] = 101, file[10] = 51;  // window (100, 50)-(101, 51)
    const uint8_t pixels[] = {0xC3, 7, 0xC0, 9, 8};             // 7 7 | 7 8
    std::copy(pixels, pixels + 5, file.begin() + 128);
    file.resize(128 + 5);
    uint8_t array[4]{};
    rs_imagebuf(file.data(), int(file.size()));
    EXPECT_EQ(rs_loadpcx(nullptr, array), 0);
    EXPECT_EQ(list(array[0], array[1], array[2], array[3]), list<uint8_t>(7, 8, 7, 7));
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(200, 100));
    EXPECT_EQ(test::drawn([] { rs_showpcx(nullptr, 4 | 1); }), test::area(100, 101, 50, 51));
    rs_move(3, 4);
    EXPECT_EQ(test::drawn([] { rs_showpcx(nullptr, 4 | 2 | 1); }), test::area(3, 4, 4, 5));
    rs_imagebuf(nullptr, 0);
}

// Every prefix of every real file, also with its manufacturer, window, planes or bytes
// per line made hostile, reads nothing outside its bytes, drawing or into an array.
TEST_F(PcxCases, DamagedFilesReadNothingOutsideTheirBytes) {
    rs_vbdepth(32);
    rs_vbopen(rs_vballoc(16, 16));
    for (const RealFile& f : real_pcxs)
        test::for_each_damaged(slurp(data_file(std::string(f.name) + ".pcx")), {0, 9, 65, 67}, [](const uint8_t* bytes, size_t) {
            EXPECT_LE(unsigned(rs_showpcx(nullptr, 4)), 4u);
            int w = 0, h = 0;
            rs_pcxsize(bytes, &w, &h);
            test::Guarded array(w > 0 && h > 0 && int64_t(w) * h < 100000 ? size_t(w * h) : 0);
            EXPECT_LE(unsigned(array.size() ? rs_loadpcx(nullptr, array.data()) : 0), 4u);
            EXPECT_TRUE(array.guards_intact());
        });
}

}  // namespace
