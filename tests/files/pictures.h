// Helpers of the picture file tests: scratch paths, whole files, and the colour a pixel of
// the active buffer shows.
#pragma once

#include <fstream>
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

}  // namespace test
