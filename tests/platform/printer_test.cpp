// Printing into PDF documents, rendered back with pdftoppm (poppler-utils): regions sit on
// the device pixels the page rectangle names, on a white page; read at the centres of pixels rendered
// four times over, below which the renderer smooths and widens images.
#include <fstream>
#include <iterator>

#include "support.h"

using namespace test;

namespace {

constexpr uint32_t white = 0xFFFFFF, red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, yellow = 0xFFFF00;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page n at the centre of each device pixel of the 40 dpi printer; the renderer must not complain.
std::function<uint32_t(int, int)> render(const std::string& pdf, int n, int& width) {
    const std::string out = pdf + ".page" + std::to_string(n), page = std::to_string(n);
    const std::string command = "pdftoppm -r 160 -aa no -aaVector no -f " + page + " -l " + page + " -singlefile " + pdf + " " + out + " 2>" + out + ".err";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(slurp(out + ".err"), "") << command;
    const std::string ppm = slurp(out + ".ppm");
    int w = 0, h = 0, maxval = 0, at = 0;
    const bool ok = std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &w, &h, &maxval, &at) == 3 && ppm.size() >= size_t(at + 1 + w * h * 3);
    EXPECT_TRUE(ok) << "no picture from " << command;
    width = ok ? w / 4 : 0;
    return [ppm, w, at](int x, int y) {
        const auto* p = reinterpret_cast<const uint8_t*>(ppm.data()) + at + 1 + size_t((y * 4 + 2) * w + x * 4 + 2) * 3;
        return uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
    };
}

// An 8 × 8 buffer of the depth, its four 4 × 4 quadrants red, green, blue and yellow.
void quadrant_buffer(int depth) {
    rs_vbdepth(depth);
    EXPECT_EQ(rs_vbopen(rs_vballoc(8, 8)), 0);
    const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    rs_setdacs(0, 4, rgb);
    for (auto [x, y] : area(0, 7, 0, 7)) {
        const uint32_t c = list(red, green, blue, yellow)[size_t((y / 4) * 2 + x / 4)];
        rs_setcolorrgb(int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF)), rs_point(x, y);
    }
}

// The page shows the quadrant buffer stretched onto x0..x1, y0..y1 and white around it.
void expect_quadrants(const std::function<uint32_t(int, int)>& at, int x0, int x1, int y0, int y1, const std::string& what) {
    const int mx = x0 + (x1 - x0 + 2) / 2, my = y0 + (y1 - y0 + 2) / 2;  // the first pixels of source pixel 4
    EXPECT_EQ(list(at(x0, y0), at(x1, y0), at(x0, y1), at(x1, y1), at(mx - 1, my - 1), at(mx, my), at(x0 - 1, y0), at(x1 + 1, y1),
                   at(x0, y0 - 1), at(x1, y1 + 1)),
              list(red, green, blue, yellow, red, yellow, white, white, white, white)) << what;
}

// Nothing prints between pages or without a buffer. One file per test: ctest runs tests side by side.
TEST_F(Library, PrintedRegionsLandWhereThePageRectangleSaysOnePdfPagePerPage) {
    if (std::system("pdftoppm -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftoppm (Debian package poppler-utils) cannot be run (not installed, or the tests run under Wine), "
                        "so printed PDF pages cannot be checked";
    const std::string pdf = std::string(RSW32_TEST_OUTPUT_DIR) + "/print.pdf";
    std::remove(pdf.c_str());
    for (int k = 0; k < 2; ++k)  // named again: replaced
        ASSERT_EQ(rsp_printer_add("test printer", pdf.c_str(), 400, 200, 254, 127, 1), 0);  // 40 pixels per inch
    ASSERT_EQ(rsp_printer_default("test printer"), 0);
    quadrant_buffer(32);
    ASSERT_EQ(rs_printer(10), 0);
    rs_vbprint(0, 7, 0, 7, 100, 179, 40, 119, 0), rs_vbprint(0, 7, 0, 7, 390, 409, -5, 4, 0);
    EXPECT_EQ((rs_printer(1), rs_vbprint(0, 7, 0, 7, 0, 399, 0, 199, 0)), 0);  // between pages
    ASSERT_EQ(rs_printer(10), 0);
    rs_vbprint(0, 7, 0, 7, 10, 30, 5, 25, 4);   // 15..47, 7..39
    rs_vbprint(4, 7, 4, 7, 50, 25, 10, 20, 1);  // 101..199 (from 200 back), 20..40
    for (int i = 0; i < 4; ++i) quadrant_buffer(8 * i + 8), rs_vbprint(0, 7, 0, 7, 20 + 90 * i, 35 + 90 * i, 150, 165, 0);
    rs_vbclose(), rs_vbprint(0, 7, 0, 7, 0, 399, 0, 199, 0);
    EXPECT_EQ(rs_printer(2), 0);  // also ends the open page
    const std::string file = slurp(pdf);
    int width[2] = {}, pages = 0;
    for (size_t at = file.find("/Type /Page "); at != std::string::npos; at = file.find("/Type /Page ", at + 1)) ++pages;
    ASSERT_EQ(pages, 2);
    const auto one = render(pdf, 1, width[0]), two = render(pdf, 2, width[1]);
    ASSERT_EQ(list(width[0], width[1]), list(400, 400));
    expect_quadrants(one, 100, 179, 40, 119, "page 1");
    // Rows 0..4 are steps 5..9 of 10 down the region, columns 390..399 the first 10 of 20.
    EXPECT_EQ(list(one(0, 0), one(399, 199), one(390, 0), one(399, 4), one(389, 0), one(390, 5)), list(white, white, blue, blue, white, white));
    expect_quadrants(two, 15, 47, 7, 39, "page 2");
    EXPECT_EQ(list(two(101, 20), two(199, 40), two(100, 30), two(200, 30), two(150, 41), two(399, 199)), list(yellow, yellow, white, white, white, white));
    for (int i = 0; i < 4; ++i) expect_quadrants(two, 20 + 90 * i, 35 + 90 * i, 150, 165, "depth " + std::to_string(8 * i + 8));
}

}  // namespace
