// BMP files: files made by independent tools against those tools' decodes, the writer
// read back, the reader's refusals, and hostile bytes.
#include "files/pictures.h"
#include "platform/file.h"

namespace {

using test::data_file;
using test::list;
using test::slurp;

struct RealFile {
    const char* name;  // what the file covers is in its name (see tests/data/files)
    int width, height;
};
const RealFile real_bmps[] = {
    {"rgb24_13x7", 13, 7}, {"rgb24_1x1", 1, 1}, {"pal8_13x7", 13, 7}, {"pal8_40colours_9x4", 9, 4},
    {"topdown8_13x7", 13, 7}, {"pal4_11x6", 11, 6}, {"mono_5x3", 5, 3}, {"core24_7x3", 7, 3}, {"core4_7x3", 7, 3},
};

class BmpFiles : public test::EachDepth {};
RSW32_EACH_DEPTH(BmpFiles);

// Every file the tools made shows the tools' colours at every buffer depth that can show
// it (16 bits: the colours' top bits), from the file and from the image buffer alike.
TEST_P(BmpFiles, RealFilesShowTheToolsColours) {
    for (const RealFile& f : real_bmps) {
        SCOPED_TRACE(f.name);
        const std::string path = data_file(std::string(f.name) + ".bmp");
        uint8_t header[54];
        int w = 0, h = 0;
        ASSERT_EQ(rs_bmphead(path.c_str(), header), 0);
        rs_bmpsize(header, &w, &h);
        EXPECT_EQ(list(w, std::abs(h)), list(f.width, f.height));
        open(20, 10);
        const bool colour24 = std::string(f.name).find("24") != std::string::npos;
        test::expect_tool_colours(path, f.width, f.height, depth() == 8 && colour24 ? 3 : 0, rs_showbmp);
        rs_vbclose(), rs_vbfree(-1);
    }
}

// What the writer stores is read back pixel for pixel, at each depth and each file depth
// it allows, from a region and from whole rows (more of them than the writer converts at
// a time), and the sizes are the padded ones.
TEST_P(BmpFiles, WrittenFilesReadBackTheSamePixels) {
    const std::string name = test::temp_path(".bmp");
    const int vb = open(2000, 60);
    test::View(vb, 2000, 60, depth()).scramble(7);
    const std::vector<int> bits = depth() == 8 ? std::vector<int>{8, 4, 1} : std::vector<int>{24};
    for (int b : bits)
        for (auto region : {list(2, 14, 1, 7), list(0, 1999, 0, 59)}) {
            SCOPED_TRACE(b);
            const int x0 = region[0], y0 = region[2], w = region[1] - x0 + 1, h = region[3] - y0 + 1;
            rs_vbopen(vb);
            if (b < 8)
                for (int y = 0; y < 60; ++y)
                    for (int x = 0; x < 2000; ++x) rs_setcolor(10 + (x * 3 + y) % (b == 4 ? 16 : 2)), rs_point(x, y);
            std::vector<uint32_t> before;
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x) before.push_back(test::shown_rgb(x, y));
            ASSERT_EQ(rs_makebmp(x0, region[1], y0, region[3], b, name.c_str()), 0);
            const size_t row = (size_t(w * b) + 31) / 32 * 4;
            EXPECT_EQ(slurp(name).size(), 54 + (b == 24 ? 0 : 4u << b) + row * size_t(h));
            const int other = (rs_vbdepth(depth()), rs_vballoc(w, h));
            rs_vbopen(other);
            ASSERT_EQ(rs_showbmp(name.c_str(), 1), 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) EXPECT_EQ(test::shown_rgb(x, y), before[size_t(y * w + x)]) << x << "," << y;
            rs_vbfree(other);
        }
}

TEST_P(BmpFiles, RefusedFilesAndRegionsDrawAndLeaveNothing) {
    open(8, 8);
    const std::string name = test::temp_path(".bmp");
    const int good = depth() == 8 ? 8 : 24;
    ASSERT_EQ(rs_makebmp(0, 3, 0, 3, good, name.c_str()), 0);
    const std::vector<uint8_t> kept = test::slurp(name);
    const test::Snapshot before;
    EXPECT_EQ(rs_showbmp(data_file("rle8_9x4.bmp").c_str(), 0), 4);
    EXPECT_EQ(rs_showbmp(data_file("argb32_9x4.bmp").c_str(), 0), 4) << "bit fields";
    EXPECT_EQ(rs_showbmp(data_file("pal8_13x7.pcx").c_str(), 0), 2);
    EXPECT_EQ(rs_showbmp((name + "-none").c_str(), 0), 1);
    EXPECT_TRUE(before.changed().empty());
    for (auto region : {list(0, 8, 0, 3), list(-1, 3, 0, 3), list(3, 2, 0, 0), list(0, 3, 0, 8)})
        EXPECT_EQ(rs_makebmp(region[0], region[1], region[2], region[3], good, name.c_str()), 1);
    EXPECT_EQ(rs_makebmp(0, 3, 0, 3, 16, name.c_str()), 1);
    EXPECT_EQ(rs_makebmp(0, 3, 0, 3, depth() == 8 ? 24 : 8, name.c_str()), 1);
    host::file_fail_writes_after(60);
    EXPECT_EQ(rs_makebmp(0, 3, 0, 3, good, name.c_str()), 1);
    host::file_fail_writes_after(-1);
    EXPECT_EQ(test::slurp(name), kept) << "a refused or failed write leaves the file as it was";
}

class BmpCases : public test::Library {};

TEST_F(BmpCases, PlacementClipsAtTheBufferEdgesAndPalettesLandAtTen) {
    rs_vbdepth(8);
    const int vb = rs_vballoc(640, 480);
    rs_vbopen(vb);
    rs_move(600, 0);
    const test::PointSet drawn = test::drawn([] { rs_showbmp(data_file("pal4_11x6.bmp").c_str(), 2); });
    EXPECT_EQ(drawn.size(), 66u);
    rs_move(635, 477);
    const test::PointSet corner = test::drawn([] { rs_showbmp(data_file("pal4_11x6.bmp").c_str(), 2); });
    EXPECT_EQ(corner, test::area(635, 639, 477, 479));
    rs_vbopen(vb);
    rs_setclip(0, 639, 0, 479);
    rs_move(-5, -3);
    EXPECT_EQ(rs_showbmp(data_file("mono_5x3.bmp").c_str(), 2), 0);
    ASSERT_EQ(rs_showbmp(data_file("pal4_11x6.bmp").c_str(), 0), 0);
    uint8_t file_colours[48], set[48];
    EXPECT_EQ(rs_bmppal(data_file("pal4_11x6.bmp").c_str(), file_colours), 16);
    rs_getdacs(10, 16, set);
    EXPECT_EQ(std::vector<uint8_t>(set, set + 48), std::vector<uint8_t>(file_colours, file_colours + 48));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 11; ++x) EXPECT_LT(test::raw_pixel(x, y) - 10, 16u);
    EXPECT_EQ(list(rs_bmppal(data_file("rgb24_13x7.bmp").c_str(), nullptr), rs_bmppal(data_file("pal8_13x7.pcx").c_str(), nullptr)),
              list(0, -2));
    rs_vbfree(vb);
}

TEST_F(BmpCases, EightBitRegionOfThreePixelsMakesAFileOf1082Bytes) {
    rs_vbdepth(8);
    rs_vbopen(rs_vballoc(4, 4));
    const std::string name = test::temp_path(".bmp");
    ASSERT_EQ(rs_makebmp(0, 2, 0, 0, 8, name.c_str()), 0);
    const std::vector<uint8_t> file = slurp(name);
    ASSERT_EQ(file.size(), 1082u);
    EXPECT_EQ(list<int>(file[10] | file[11] << 8, file[28]), list(1078, 8));
}

// Every prefix of every real file, also with its header size, width, height or depth
// made hostile, reads nothing outside its bytes and gives one of the reader's codes, into
// buffers that convert rows and buffers that take them as they are.
TEST_F(BmpCases, DamagedFilesReadNothingOutsideTheirBytes) {
    for (int depth : {8, 24, 32}) {
        rs_vbdepth(depth);
        rs_vbopen(rs_vballoc(16, 16));
        for (const RealFile& f : real_bmps)
            test::for_each_damaged(slurp(data_file(std::string(f.name) + ".bmp")), {17, 21, 25, 28}, [&](const uint8_t*, size_t n) {
                EXPECT_LE(unsigned(rs_showbmp(nullptr, 4)), 5u) << f.name << " " << n << " at " << depth;
            });
    }
}

}  // namespace
