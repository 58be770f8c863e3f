// Shared test fixtures: a started library, buffers at each depth, and snapshots that tell
// which pixels a call changed.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "rsw32.h"
#include "rsw32_platform.h"

namespace test {

using Point = std::pair<int, int>;  // (x, y)
using PointSet = std::set<Point>;

// Starts the library on a 32-bit display with the short header form, ends it afterwards
// with every buffer released.
class Library : public ::testing::Test {
protected:
    void SetUp() override {
        rsp_set_display_depth(32);
        rsp_set_nt_family(1);
        rs_vbinit();
    }
    void TearDown() override {
        rs_vbclose();
        rs_vbfree(-1);
        rs_vbfin();
    }
};

// The same test body at 8, 16, 24 and 32 bits.
class EachDepth : public Library, public ::testing::WithParamInterface<int> {
protected:
    int depth() const { return GetParam(); }
    // Allocates and opens a buffer of the test's depth.
    int open(int width, int height) {
        rs_vbdepth(depth());
        const int vb = rs_vballoc(width, height);
        EXPECT_GE(vb, 0);
        EXPECT_EQ(rs_vbopen(vb), 0);
        return vb;
    }
};

inline std::string depth_name(const ::testing::TestParamInfo<int>& info) {
    return "bits" + std::to_string(info.param);
}

#define RSW32_EACH_DEPTH(suite) \
    INSTANTIATE_TEST_SUITE_P(Depths, suite, ::testing::Values(8, 16, 24, 32), test::depth_name)

// Address of pixel (x, y) of a buffer, from the public interface alone: rows bottom-up.
inline uint8_t* pixel_at(int handle, int x, int y, int width, int height, int depth) {
    auto* base = static_cast<uint8_t*>(rs_vbaddr(handle));
    return base + size_t(height - 1 - y) * size_t(width) * size_t(depth / 8) + size_t(x) * size_t(depth / 8);
}

// A copy of the active buffer's pixel bytes.
struct Snapshot {
    int handle = -1, width = 0, height = 0, depth = 0;
    std::vector<uint8_t> bytes;

    Snapshot() {
        handle = rs_vbhandle();
        width = rs_getmaxx() + 1;
        height = rs_getmaxy() + 1;
        depth = rs_getdepth();
        const auto* base = static_cast<const uint8_t*>(rs_vbaddr(handle));
        bytes.assign(base, base + size_t(width) * size_t(height) * size_t(depth / 8));
    }

    // The raw value of pixel (x, y) as it was.
    uint32_t value(int x, int y) const {
        const size_t bpp = size_t(depth / 8);
        const uint8_t* p = bytes.data() + (size_t(height - 1 - y) * size_t(width) + size_t(x)) * bpp;
        uint32_t v = 0;
        for (size_t i = 0; i < bpp; ++i) v |= uint32_t(p[i]) << (8 * i);
        return v;
    }

    // Pixels whose bytes differ now from the snapshot.
    PointSet changed() const {
        Snapshot now;
        PointSet out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (now.value(x, y) != value(x, y)) out.insert({x, y});
        return out;
    }
};

// Reads pixel (x, y) of the active buffer as raw little-endian bytes.
inline uint32_t raw_pixel(int x, int y) {
    const int width = rs_getmaxx() + 1, height = rs_getmaxy() + 1, depth = rs_getdepth();
    const uint8_t* p = pixel_at(rs_vbhandle(), x, y, width, height, depth);
    uint32_t v = 0;
    for (int i = 0; i < depth / 8; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}

// A 3D matrix read with rs_3Dgetmatrix(which), and its bit patterns, so that comparisons
// count signed zeros and the last bit.
using M12 = std::array<double, 12>;
inline M12 matrix3d(int which) {
    M12 m{};
    rs_3Dgetmatrix(m.data(), which);
    return m;
}
inline std::array<uint64_t, 12> bits(const M12& m) {
    std::array<uint64_t, 12> b{};
    for (size_t i = 0; i < 12; ++i) b[i] = std::bit_cast<uint64_t>(m[i]);
    return b;
}
constexpr M12 identity3d = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};

}  // namespace test
