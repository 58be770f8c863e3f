// Helpers of the picture file tests: scratch paths, whole files, and the colour a pixel of
// the active buffer shows.
#pragma once

#include <climits>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "support.h"

namespace test {

// A path in the test output folder named after the running test, so parallel tests never
// share a file.
inline std::string temp_path(const char* suffix) {
    const auto* t = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(t->test_suite_name()) + "." + t->name() + suffix;
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised names have slashes
    return std::string(RSW32_TEST_OUTPUT_DIR) + "/" + name;
}

inline std::vector<uint8_t> slurp(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

inline std::string data_file(const std::string& name) { return std::string(RSW32_TEST_DATA_DIR) + "/files/" + name; }

// The colour of pixel (x, y) of the active buffer as 0xRRGGBB: through the palette at 8
// bits, widened by truncation at 16.
inline uint32_t shown_rgb(int x, int y) {
    const uint32_t v = raw_pixel(x, y);
    switch (rs_getdepth()) {
    case 8: {
        int r, g, b;
        rs_getrgb(int(v), &r, &g, &b);
        return uint32_t(r << 16 | g << 8 | b);
    }
    case 16: return (v >> 11) * 255 / 31 << 16 | (v >> 5 & 63) * 255 / 63 << 8 | (v & 31) * 255 / 31;
    default: return v & 0xFFFFFF;
    }
}

// The active buffer's w × h top-left pixels as (red, green, blue) bytes, top row first.
inline std::vector<uint8_t> shown_rgb_bytes(int w, int h) {
    std::vector<uint8_t> out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = shown_rgb(x, y);
            out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        }
    return out;
}

// Shows the file with show(path, flags) from the file and from the image buffer, and
// compares the first w × h pixels with the tools' decode in path + ".rgb" (16 bits: the
// top five bits of each channel). `refused` is the result expected instead of 0.
template <class Show>
void expect_tool_colours(const std::string& path, int w, int h, int refused, Show show) {
    const std::vector<uint8_t> want = slurp(path + ".rgb");
    std::vector<uint8_t> file = slurp(path);
    for (int flags : {0, 4}) {
        rs_imagebuf(flags ? file.data() : nullptr, flags ? int(file.size()) : 0);
        ASSERT_EQ(show(path.c_str(), flags), refused);
        if (refused) continue;
        const std::vector<uint8_t> got = shown_rgb_bytes(w, h);
        for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i] >> 3, want[i] >> 3) << i;
        EXPECT_TRUE(rs_getdepth() == 16 || got == want);
    }
    rs_imagebuf(nullptr, 0);
}

// Every prefix of the file (a few lengths apart), plain and with each byte at `fields`
// set hostile, is handed to read(bytes, n) as the image buffer, with guards around it.
template <class Read>
void for_each_damaged(const std::vector<uint8_t>& file, std::initializer_list<size_t> fields, Read read) {
    for (size_t n = 1; n <= file.size(); n += 1 + n / 16) {
        std::vector<size_t> at{SIZE_MAX};
        at.insert(at.end(), fields);
        for (size_t f : at) {
            Guarded bytes(std::vector<uint8_t>(file.begin(), file.begin() + ptrdiff_t(n)));
            if (f < n) bytes[f] = f & 1 ? 0x7F : 0xFF;
            rs_imagebuf(bytes.data(), int(n));
            read(bytes.data(), n);
            EXPECT_TRUE(bytes.guards_intact()) << n;
        }
    }
    rs_imagebuf(nullptr, 0);
}

}  // namespace test
