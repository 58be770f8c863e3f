// Virtual buffers: geometry, the slot table, the open/close/free rules, headers.
#include "core/vbuf.h"

#include <climits>
#include <cstring>

#include "core/palette.h"
#include "platform/common/dib.h"
#include "support.h"

namespace {

using test::EachDepth;
using test::Library;

uint32_t u32(const uint8_t* p) { return host::read_u32(p); }

class Geometry : public EachDepth {};

TEST_P(Geometry, WidthRoundsUpToFourPixelsAndPitchHasNoPadding) {
    rs_vbdepth(depth());
    for (int w = 1; w <= 9; ++w) {
        const int vb = rs_vballoc(w, 3);
        ASSERT_GE(vb, 0);
        const core::VbSlot& s = core::vb_table().slots[size_t(vb)];
        const int rounded = (w + 3) / 4 * 4;
        EXPECT_EQ(s.width, rounded) << "width " << w;
        EXPECT_EQ(s.pitch, rounded * depth() / 8) << "width " << w;
        EXPECT_EQ(s.pitch % 4, 0);
        ASSERT_EQ(rs_vbopen(vb), 0);
        EXPECT_EQ(rs_getmaxx(), rounded - 1);
        EXPECT_EQ(rs_getmaxy(), 2);
        EXPECT_EQ(rs_getdepth(), depth());
        int minx, maxx, miny, maxy;
        const core::ClipRect& c = s.clip;
        minx = c.minx, maxx = c.maxx, miny = c.miny, maxy = c.maxy;
        EXPECT_EQ(minx, 0);
        EXPECT_EQ(maxx, rounded - 1);
        EXPECT_EQ(miny, 0);
        EXPECT_EQ(maxy, 2);
        rs_vbclose();
        rs_vbfree(vb);
    }
}

TEST_P(Geometry, AddressIsTheBottomRowAndRowsGoUpInMemory) {
    const int vb = open(6, 5);
    const core::ActiveBuffer& a = core::active();
    EXPECT_EQ(rs_vbaddr(vb), static_cast<void*>(core::row_address(a, 4)));
    EXPECT_EQ(core::row_address(a, 0), a.pixels + 4 * a.pitch);
    EXPECT_EQ(core::pixel_address(a, 3, 4), a.pixels + 3 * (depth() / 8));
    EXPECT_EQ(a.size, a.pitch * 5);
}

TEST_P(Geometry, NewPixelsAreZero) {
    const int vb = open(13, 7);
    const auto* p = static_cast<const uint8_t*>(rs_vbaddr(vb));
    const core::ActiveBuffer& a = core::active();
    for (int i = 0; i < a.size; ++i) ASSERT_EQ(p[i], 0) << i;
}

RSW32_EACH_DEPTH(Geometry);

TEST_F(Library, TwentyFourBitWidthFiveGivesWidthEightPitchTwentyFour) {
    rs_vbdepth(24);
    const int vb = rs_vballoc(5, 2);
    EXPECT_EQ(core::vb_table().slots[size_t(vb)].pitch, 24);
    rs_vbdepth(8);
    ASSERT_EQ(rs_vbopen(rs_vballoc(1, 1)), 0);
    EXPECT_EQ(rs_getmaxx(), 3);
    EXPECT_EQ(rs_getmaxy(), 0);
}

TEST_F(Library, SlotsRunOutAtTwoHundredFiftySixAndTheLowestFreeIsReused) {
    for (int i = 0; i < 256; ++i) ASSERT_EQ(rs_vballoc(4, 1), i);
    EXPECT_EQ(rs_vballoc(4, 1), -1);
    rs_vbfree(7);
    rs_vbfree(200);
    EXPECT_EQ(rs_vbaddr(7), nullptr);
    EXPECT_EQ(rs_vballoc(4, 1), 7);
    EXPECT_EQ(rs_vballoc(4, 1), 200);
    EXPECT_EQ(rs_vballoc(4, 1), -1);
}

TEST_F(Library, OpenRejectsHandlesOutsideTheTableAndFreeSlots) {
    const int a = rs_vballoc(8, 8);
    const int b = rs_vballoc(8, 8);
    ASSERT_EQ(rs_vbopen(a), 0);
    const int ints[] = {-1, 256, INT_MIN, INT_MAX, 1000};
    for (int h : ints) EXPECT_EQ(rs_vbopen(h), -1) << h;
    rs_vbfree(b);
    EXPECT_EQ(rs_vbopen(b), -2);
    EXPECT_EQ(rs_vbopen(100), -2);
    EXPECT_EQ(rs_vbhandle(), a) << "a failed open keeps the active buffer";
}

TEST_F(Library, TheActiveBufferCannotBeFreed) {
    const int a = rs_vballoc(8, 8);
    const int b = rs_vballoc(8, 8);
    ASSERT_EQ(rs_vbopen(a), 0);
    rs_vbfree(a);
    EXPECT_NE(rs_vbaddr(a), nullptr);
    rs_vbfree(-1);
    EXPECT_NE(rs_vbaddr(a), nullptr) << "freeing all does nothing while a buffer is active";
    EXPECT_NE(rs_vbaddr(b), nullptr);
    rs_vbclose();
    EXPECT_EQ(rs_vbhandle(), -1);
    rs_vbfree(a);
    EXPECT_EQ(rs_vbaddr(a), nullptr);
    rs_vbfree(-5);
    EXPECT_EQ(rs_vbaddr(b), nullptr);
}

TEST_F(Library, FreeAndAddressIgnoreHandlesOutsideTheTable) {
    const int a = rs_vballoc(8, 8);
    const int ints[] = {256, 1000, INT_MAX};
    for (int h : ints) {
        EXPECT_EQ(rs_vbfree(h), 0);
        EXPECT_EQ(rs_vbaddr(h), nullptr);
    }
    EXPECT_EQ(rs_vbaddr(-1), nullptr);
    EXPECT_EQ(rs_vbaddr(INT_MIN), nullptr);
    EXPECT_EQ(rs_vbfree(a + 1), 0) << "a free slot";
    EXPECT_NE(rs_vbaddr(a), nullptr);
}

TEST_F(Library, OpeningAnotherBufferReplacesTheActiveOneWithoutClosing) {
    rs_vbdepth(16);
    const int a = rs_vballoc(10, 20);
    rs_vbdepth(32);
    const int b = rs_vballoc(30, 40);
    ASSERT_EQ(rs_vbopen(a), 0);
    ASSERT_EQ(rs_vbopen(b), 0);
    EXPECT_EQ(rs_vbhandle(), b);
    EXPECT_EQ(rs_getmaxx(), 31);
    EXPECT_EQ(rs_getmaxy(), 39);
    EXPECT_EQ(rs_getdepth(), 32);
}

TEST_F(Library, BadSizesAllocateNothing) {
    const int sizes[][2] = {{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {INT_MIN, 1}, {INT_MAX, 1},
                            {INT_MAX - 2, 1}, {65536, 65536}, {1, INT_MAX}};
    rs_vbdepth(32);
    for (auto& s : sizes) EXPECT_EQ(rs_vballoc(s[0], s[1]), -2) << s[0] << " x " << s[1];
    EXPECT_EQ(rs_vballoc(4, 1), 0) << "no slot was taken";
    rs_vbdepth(12);
    EXPECT_EQ(rs_vballoc(4, 1), -2) << "a depth no bitmap has";
}

#if defined(__SANITIZE_ADDRESS__)
#define RSW32_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RSW32_ASAN 1
#endif
#endif

TEST_F(Library, LargestBufferUnderThirtyOneBitsIsAccepted) {
#ifdef RSW32_ASAN
    GTEST_SKIP() << "a 2 GiB buffer takes minutes under AddressSanitizer";
#endif
    rs_vbdepth(8);
    // 1064 header bytes + 32768 × 65503 pixel bytes stays just below 2^31.
    const int vb = rs_vballoc(32768, 65503);
    ASSERT_GE(vb, 0);
    rs_vbfree(vb);
    EXPECT_EQ(rs_vballoc(32768, 65536), -2);
}

TEST(Lifecycle, QueriesBeforeAnyOpenAndAfterClose) {
    // A fresh process state is not available here, so start from a library that has
    // never opened a buffer since its state was reset by hand.
    core::active() = core::ActiveBuffer{};
    EXPECT_EQ(rs_getmaxx(), -1);
    EXPECT_EQ(rs_getdepth(), 0);
    EXPECT_EQ(rs_vbhandle(), -1);
    rs_vbinit();
    EXPECT_EQ(rs_getxjust(), -1);
    EXPECT_EQ(rs_getyjust(), -1);
    EXPECT_EQ(rs_getxbox(), 1);
    EXPECT_EQ(rs_getybox(), 1);
    EXPECT_EQ(rs_getxpos(), 0);
    EXPECT_EQ(rs_gethcbpp(), 16);
    int major = 0, minor = 0;
    EXPECT_EQ(rs_version(&major, &minor), 0);
    EXPECT_EQ(major, 6);
    EXPECT_EQ(minor, 3);

    rs_vbdepth(24);
    const int vb = rs_vballoc(100, 50);
    ASSERT_EQ(rs_vbopen(vb), 0);
    rs_vbclose();
    EXPECT_EQ(rs_vbhandle(), -1);
    EXPECT_EQ(rs_getmaxx(), 99);
    EXPECT_EQ(rs_getmaxy(), 49);
    EXPECT_EQ(rs_getdepth(), 24);
    rs_vbfree(-1);
    rs_vbfin();
}

// ---- sizes ---------------------------------------------------------------------------

TEST(Sizes, RoundTheRowInBytesAndAddTheHeaderOfTheDisplayKind) {
    rsp_set_display_depth(32);
    rs_vbinit();
    EXPECT_EQ(rs_vbsize(5, 2), 8 * 2 + 1064) << "default depth 8, RGB quad table";
    rs_vbdepth(24);
    EXPECT_EQ(rs_vbsize(5, 2), 16 * 2 + 40) << "15 bytes rounded to 16, not 8 pixels";
    rs_vbdepth(16);
    EXPECT_EQ(rs_vbsize(3, 3), 8 * 3 + 108);
    rs_vbdepth(32);
    EXPECT_EQ(rs_vbsize(3, 3), 12 * 3 + 108);
    rs_vbfin();

    rsp_set_display_depth(8);
    rs_vbinit();
    EXPECT_EQ(rs_vbsize(5, 2), 8 * 2 + 552) << "palette-index table on an 8-bit display";
    rs_vbdepth(8);
    EXPECT_EQ(rs_vbsize(640, 480), 640 * 480 + 552);
    rs_vbfin();
    rsp_set_display_depth(15);
    EXPECT_EQ(rs_colors(), 16);
    rsp_set_display_depth(32);
}

// ---- headers -------------------------------------------------------------------------

struct HeaderCase {
    int depth;
    int display;
    int nt;
};

class Headers : public ::testing::TestWithParam<HeaderCase> {
protected:
    void SetUp() override {
        rsp_set_display_depth(GetParam().display);
        rsp_set_nt_family(GetParam().nt);
        rs_vbinit();
    }
    void TearDown() override {
        rs_vbfree(-1);
        rs_vbfin();
        rsp_set_display_depth(32);
        rsp_set_nt_family(1);
    }
};

TEST_P(Headers, DescribeTheBufferForItsDepthKindAndForm) {
    const HeaderCase c = GetParam();
    core::palette().quads[3] = {30, 20, 10, 0};
    rs_vbdepth(c.depth);
    const int vb = rs_vballoc(5, 7);
    ASSERT_GE(vb, 0);
    const uint8_t* h = core::vb_table().slots[size_t(vb)].header;
    const bool masks = c.depth == 16 || c.depth == 32;
    EXPECT_EQ(u32(h), masks && !c.nt ? 108u : 40u);
    EXPECT_EQ(u32(h + 4), 8u);
    EXPECT_EQ(u32(h + 8), 7u);
    EXPECT_EQ(host::read_u16(h + 12), 1);
    EXPECT_EQ(host::read_u16(h + 14), c.depth);
    EXPECT_EQ(u32(h + 16), masks ? 3u : 0u);
    for (int off = 20; off < 40; off += 4) EXPECT_EQ(u32(h + off), 0u) << off;
    if (c.depth == 16) {
        EXPECT_EQ(u32(h + 40), 0xF800u);
        EXPECT_EQ(u32(h + 44), 0x07E0u);
        EXPECT_EQ(u32(h + 48), 0x001Fu);
        EXPECT_EQ(u32(h + 52), 0u);
    }
    if (c.depth == 32) {
        EXPECT_EQ(u32(h + 40), 0x00FF0000u);
        EXPECT_EQ(u32(h + 44), 0x0000FF00u);
        EXPECT_EQ(u32(h + 48), 0x000000FFu);
        EXPECT_EQ(u32(h + 52), c.nt ? 0u : 0xFF000000u);
    }
    if (c.depth == 8 && c.display > 8) {
        EXPECT_EQ(u32(h + 40 + 4 * 3), 0x000A141Eu) << "quad 3 copied from the RGB quad table";
        EXPECT_EQ(rs_vbsize(5, 7), 8 * 7 + 1064);
    }
    if (c.depth == 8 && c.display <= 8) {
        for (int i = 0; i < 256; ++i) ASSERT_EQ(host::read_u16(h + 40 + 2 * i), i);
        EXPECT_EQ(rs_vbsize(5, 7), 8 * 7 + 552);
    }
}

INSTANTIATE_TEST_SUITE_P(All, Headers,
                         ::testing::Values(HeaderCase{8, 32, 1}, HeaderCase{8, 8, 1}, HeaderCase{8, 4, 0},
                                           HeaderCase{16, 32, 1}, HeaderCase{16, 32, 0},
                                           HeaderCase{24, 32, 1}, HeaderCase{24, 8, 0},
                                           HeaderCase{32, 32, 1}, HeaderCase{32, 32, 0}),
                         [](const auto& info) {
                             const HeaderCase& c = info.param;
                             return "bits" + std::to_string(c.depth) + "_display" + std::to_string(c.display) +
                                    (c.nt ? "_short" : "_v4");
                         });

TEST_F(Library, ColourTableFollowsThePaletteAtOpenAndOnRequest) {
    core::palette() = core::PaletteState{};  // the palette survives rs_vbinit
    rs_vbdepth(8);
    const int vb = rs_vballoc(4, 4);
    const uint8_t* table = core::vb_table().slots[size_t(vb)].header + 40;
    core::palette().quads[9] = {1, 2, 3, 0};
    EXPECT_EQ(u32(table + 36), 0u) << "a closed buffer keeps its table";
    ASSERT_EQ(rs_vbopen(vb), 0);
    EXPECT_EQ(u32(table + 36), 0x00030201u);
    core::palette().quads[9] = {4, 5, 6, 0};
    rs_vbcolors();
    EXPECT_EQ(u32(table + 36), 0x00060504u);
    rs_vbclose();
    core::palette().quads[9] = {7, 8, 9, 0};
    rs_vbcolors();
    EXPECT_EQ(u32(table + 36), 0x00060504u) << "nothing without an active buffer";
}

TEST_F(Library, OpeningADirectColourBufferBuildsThePalettePixelTable) {
    core::palette().entries[5] = {10, 20, 30, 1};
    rs_vbdepth(16);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 4)), 0);
    EXPECT_EQ(core::palette().pixels[5], 0x08A3u);
    rs_vbdepth(32);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 4)), 0);
    EXPECT_EQ(core::palette().pixels[5], 0x000A141Eu);
}

TEST_F(Library, RestartingForgetsBuffersAndStartsFresh) {
    const int vb = rs_vballoc(8, 8);
    ASSERT_EQ(rs_vbopen(vb), 0);
    rs_vbinit();
    EXPECT_EQ(rs_vbhandle(), -1);
    EXPECT_EQ(rs_vbaddr(vb), nullptr);
    EXPECT_EQ(rs_vballoc(8, 8), 0);
}

}  // namespace
