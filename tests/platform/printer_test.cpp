// Printing into PDF documents: each page is rendered back with pdftoppm (poppler-utils),
// and the printed regions must sit on the device pixels the page rectangle names, on a
// white page. Pages are rendered at four times the printer's resolution and read at the
// centre of each device pixel: below four times the renderer smooths images, and it may
// widen an image by one rendered pixel, which the centres never see.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support.h"

namespace {

bool have_poppler() { return std::system("pdftoppm -v >/dev/null 2>&1 && pdfinfo -v >/dev/null 2>&1") == 0; }

std::string output_dir() { return RSW32_TEST_OUTPUT_DIR; }

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr int oversampling = 4;

struct Page {
    int width = 0, height = 0;  // device pixels
    int rendered_width = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const {
        const int c = oversampling / 2;
        return rgb[size_t((y * oversampling + c) * rendered_width + x * oversampling + c)];
    }
};

// Renders one page of a printer of dpi pixels to the inch, without anti-aliasing; the
// renderer must not complain.
Page render(const std::string& pdf, int page, int dpi) {
    const std::string prefix = pdf + ".page" + std::to_string(page), errors = prefix + ".err";
    const std::string command = "pdftoppm -r " + std::to_string(dpi * oversampling) + " -aa no -aaVector no -f " +
                                std::to_string(page) + " -l " + std::to_string(page) + " -singlefile " + pdf + " " +
                                prefix + " 2>" + errors;
    Page out;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(slurp(errors), "") << command;
    const std::string ppm = slurp(prefix + ".ppm");
    int maxval = 0, consumed = 0;
    int height = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &out.rendered_width, &height, &maxval, &consumed) != 3) {
        ADD_FAILURE() << "no picture from " << command;
        return out;
    }
    const auto* p = reinterpret_cast<const uint8_t*>(ppm.data()) + consumed + 1;
    if (ppm.size() < size_t(consumed + 1) + size_t(out.rendered_width * height * 3)) {
        ADD_FAILURE() << "short picture from " << command;
        return out;
    }
    for (int i = 0; i < out.rendered_width * height; ++i, p += 3)
        out.rgb.push_back(uint32_t(p[0]) << 16 | p[1] << 8 | p[2]);
    out.width = out.rendered_width / oversampling;
    out.height = height / oversampling;
    return out;
}

int page_count(const std::string& pdf) {
    FILE* f = popen(("pdfinfo " + pdf + " 2>/dev/null").c_str(), "r");
    if (!f) return -1;
    char line[256];
    int pages = -1;
    while (std::fgets(line, sizeof line, f)) std::sscanf(line, "Pages: %d", &pages);
    pclose(f);
    return pages;
}

constexpr uint32_t white = 0xFFFFFF;
const uint32_t quadrant[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

// An 8 × 8 buffer of the depth, its four 4 × 4 quadrants red, green, blue and yellow.
int quadrant_buffer(int depth) {
    rs_vbdepth(depth);
    const int vb = rs_vballoc(8, 8);
    EXPECT_EQ(rs_vbopen(vb), 0);
    if (depth == 8) {
        const unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
        rs_setdacs(0, 4, rgb);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t c = quadrant[(y / 4) * 2 + x / 4];
            rs_setcolorrgb(int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF));
            rs_point(x, y);
        }
    return vb;
}

// The page shows the 8 × 8 quadrant buffer stretched onto x0..x1, y0..y1 and white around it.
void expect_quadrants(const Page& page, int x0, int x1, int y0, int y1, const char* what) {
    // The first device pixel that takes source pixel 4 of n: k × 8 / n ≥ 4.
    const int mx = x0 + (x1 - x0 + 2) / 2, my = y0 + (y1 - y0 + 2) / 2;
    EXPECT_EQ(page.at(x0, y0), quadrant[0]) << what;
    EXPECT_EQ(page.at(x1, y0), quadrant[1]) << what;
    EXPECT_EQ(page.at(x0, y1), quadrant[2]) << what;
    EXPECT_EQ(page.at(x1, y1), quadrant[3]) << what;
    EXPECT_EQ(page.at(mx - 1, my - 1), quadrant[0]) << what;
    EXPECT_EQ(page.at(mx, my), quadrant[3]) << what;
    EXPECT_EQ(page.at(x0 - 1, y0), white) << what;
    EXPECT_EQ(page.at(x1 + 1, y1), white) << what;
    EXPECT_EQ(page.at(x0, y0 - 1), white) << what;
    EXPECT_EQ(page.at(x1, y1 + 1), white) << what;
}

class Printing : public test::Library {
protected:
    void SetUp() override {
        if (!have_poppler()) GTEST_SKIP() << "pdftoppm and pdfinfo (Debian package poppler-utils) are not "
                                             "installed, so printed PDF pages cannot be checked";
        test::Library::SetUp();
        // 400 × 200 pixels on 254 × 127 mm: 40 pixels per inch both ways.
        // One file per test: ctest runs tests side by side.
        pdf = output_dir() + "/print_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf";
        std::remove(pdf.c_str());
        ASSERT_EQ(rsp_printer_add("test printer", pdf.c_str(), 400, 200, 254, 127, 1), 0);
        ASSERT_EQ(rsp_printer_default("test printer"), 0);
    }
    std::string pdf;
};

TEST_F(Printing, RegionsLandWhereThePageRectangleSaysOnePdfPagePerPage) {
    quadrant_buffer(32);
    ASSERT_EQ(rs_printer(10), 0);
    rs_vbprint(0, 7, 0, 7, 100, 179, 40, 119, 0);  // device pixels, 10 times enlarged
    rs_vbprint(0, 7, 0, 7, 390, 409, -5, 4, 0);    // over the page's corner: cut to the page
    EXPECT_EQ(rs_printer(1), 0);
    ASSERT_EQ(rs_printer(10), 0);                  // the next page of the same document
    rs_vbprint(0, 7, 0, 7, 10, 30, 5, 25, 4);      // millimetres: 15..47, 7..39
    rs_vbprint(4, 7, 4, 7, 50, 25, 10, 20, 1);     // percent, mirrored in x: 101..199 (from 200 back), 20..40
    EXPECT_EQ(rs_printer(1), 0);
    EXPECT_EQ(rs_printer(2), 0);
    ASSERT_EQ(page_count(pdf), 2);

    const Page one = render(pdf, 1, 40);
    ASSERT_EQ(one.width, 400);
    ASSERT_EQ(one.height, 200);
    expect_quadrants(one, 100, 179, 40, 119, "page 1");
    EXPECT_EQ(one.at(0, 0), white);
    EXPECT_EQ(one.at(399, 199), white);
    // Rows 0..4 of the page are steps 5..9 of 10 down the region: its lower half, and
    // columns 390..399 the first 10 of 20 across: its left half.
    EXPECT_EQ(one.at(390, 0), quadrant[2]);
    EXPECT_EQ(one.at(399, 4), quadrant[2]);
    EXPECT_EQ(one.at(389, 0), white);
    EXPECT_EQ(one.at(390, 5), white);

    const Page two = render(pdf, 2, 40);
    ASSERT_EQ(two.width, 400);
    expect_quadrants(two, 15, 47, 7, 39, "page 2");
    // Only the yellow quadrant, mirrored: all yellow over 101..199 × 20..40.
    EXPECT_EQ(two.at(101, 20), quadrant[3]);
    EXPECT_EQ(two.at(199, 40), quadrant[3]);
    EXPECT_EQ(two.at(100, 30), white);
    EXPECT_EQ(two.at(200, 30), white);
    EXPECT_EQ(two.at(150, 41), white);
}

// Every depth prints through the same copy: 8-bit buffers with their RGB quads.
TEST_F(Printing, EveryDepthPrints) {
    ASSERT_EQ(rs_printer(10), 0);
    const int depths[] = {8, 16, 24, 32};
    for (int i = 0; i < 4; ++i) {
        quadrant_buffer(depths[i]);
        rs_vbprint(0, 7, 0, 7, 20 + 90 * i, 35 + 90 * i, 50, 65, 0);
    }
    EXPECT_EQ(rs_printer(2), 0);  // also ends the open page
    ASSERT_EQ(page_count(pdf), 1);
    const Page page = render(pdf, 1, 40);
    ASSERT_EQ(page.width, 400);
    for (int i = 0; i < 4; ++i)
        expect_quadrants(page, 20 + 90 * i, 35 + 90 * i, 50, 65, ("depth " + std::to_string(depths[i])).c_str());
}

TEST_F(Printing, NothingPrintsOutsideAPageOrWithoutABuffer) {
    quadrant_buffer(24);
    rsp_printer_add("test printer", pdf.c_str(), 400, 200, 254, 127, 1);
    ASSERT_EQ(rs_printer(10), 0);
    EXPECT_EQ(rs_printer(1), 0);
    rs_vbprint(0, 7, 0, 7, 0, 399, 0, 199, 0);  // between pages
    ASSERT_EQ(rs_printer(10), 0);
    rs_vbclose();
    rs_vbprint(0, 7, 0, 7, 0, 399, 0, 199, 0);  // no active buffer
    EXPECT_EQ(rs_printer(2), 0);
    ASSERT_EQ(page_count(pdf), 2);
    for (int n = 1; n <= 2; ++n) {
        const Page page = render(pdf, n, 10);
        ASSERT_EQ(page.width, 100);
        for (uint32_t c : page.rgb) ASSERT_EQ(c, white) << "page " << n;
    }
}

}  // namespace
