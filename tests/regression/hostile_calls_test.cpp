// Call sequences with hostile arguments that once misbehaved. Each is kept as it was found;
// the sanitizer build turns a relapse into a report.
#include <chrono>
#include <climits>
#include <cstdlib>
#include <string>

#include "support.h"

namespace {

using HostileCalls = test::Library;

// An 8-bit buffer made on a palette display carries a 512-byte index table. Presenting it
// after rs_vbdepth (or a display change) recomputed the process-wide table kind read a
// 1024-byte quad table past the end of its header.
TEST_F(HostileCalls, PresentingReadsTheOpenBuffersOwnColourTable) {
    for (int change : {0, 1}) {  // 0: rs_vbdepth(16) after opening; 1: the display turns 24-bit
        rs_vbfin();
        rsp_set_display_depth(0);
        rs_vbinit();
        rs_vbdepth(8);
        const int vb = rs_vballoc(1, 1);
        ASSERT_GE(vb, 0);
        ASSERT_EQ(rs_vbopen(vb), 0);
        RS_HDC surface = rsp_surface_create(8, 8);
        rs_setdc(surface);
        if (change == 0) rs_vbdepth(16); else rsp_set_display_depth(24);
        EXPECT_EQ(rs_vbpaste(0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(rs_vbscale(0, 0, 0, 0, 0, 7, 0, 7), 0);
        rs_setdc(nullptr);
        rsp_surface_destroy(surface);
        rs_vbclose();
        rs_vbfree(vb);
    }
}

// pitch × height of a 2^31 − 1 square overflows 64 bits at 24 and 32 bits; the size check
// must come before the product.
TEST_F(HostileCalls, HugeBuffersAreRefusedWithoutOverflow) {
    for (int depth : {8, 16, 24, 32}) {
        rs_vbdepth(depth);
        EXPECT_EQ(rs_vballoc(INT_MAX, INT_MAX), -2) << depth;
        EXPECT_EQ(rs_vballoc(INT_MAX, 1), -2) << depth;
    }
}

// A zero-width block once walked all 2^30 rows, moving the array pointers far past the
// caller's arrays and taking seconds.
TEST_F(HostileCalls, EmptyCutAndPasteReturnAtOnce) {
    unsigned char a[4] = {1, 2, 3, 4}, b[4] = {};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rs_cut(a, b, 0, 0, 0, 0, 1073741824), 0);
    EXPECT_EQ(rs_paste(b, a, 0, 0, 0, 0, INT_MAX), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(b[0], 0);
}

// A block of sides near 2^32 (and 2^31) overflowed 64 bits in its byte count before
// the size check could refuse it.
TEST_F(HostileCalls, HugeBlocksAreRefusedWithoutOverflow) {
    rs_vbdepth(32);
    const int vb = rs_vballoc(4, 4);
    ASSERT_EQ(rs_vbopen(vb), 0);
    unsigned char block[4] = {};
    for (int lo : {INT_MIN, -1}) {
        EXPECT_EQ(rs_getblock(lo, INT_MAX - 1, lo, INT_MAX - 1, block), -1) << lo;
        EXPECT_EQ(rs_putblock(lo, INT_MAX - 1, lo, INT_MAX - 1, block), -1) << lo;
    }
    rs_vbclose();
    rs_vbfree(vb);
}

// A save once copied (and cleared) the whole rectangle it was given, up to 2 GB for one
// nearly all outside a small buffer. It keeps the part inside, so any size is accepted.
TEST_F(HostileCalls, SavesKeepOnlyWhatTheBufferHolds) {
    rs_vbdepth(32);
    const int vb = rs_vballoc(16, 8);
    ASSERT_EQ(rs_vbopen(vb), 0);
    rs_setcolorrgb(10, 20, 30);
    rs_fillpage();
    const int background = rs_getpixel(0, 0);
    ASSERT_EQ(rs_save(INT_MIN, INT_MAX, INT_MIN, INT_MAX), 0);  // 2^64 pixels named
    ASSERT_EQ(rs_save(100, 200, 100, 200), 0);                  // outside altogether
    EXPECT_EQ(rs_save(5, 4, 0, 0), -1);
    rs_setcolorrgb(200, 0, 0);
    rs_fillpage();
    const int red = rs_getpixel(0, 0);
    EXPECT_EQ(rs_restore(100, 200, 100, 200), 0);
    EXPECT_EQ(rs_getpixel(0, 0), red) << "nothing of the buffer was kept";
    EXPECT_EQ(rs_restore(INT_MIN, INT_MAX, INT_MIN, INT_MAX), 0);
    EXPECT_EQ(test::list(rs_getpixel(0, 0), rs_getpixel(15, 7)), test::list(background, background));
    rs_vbclose();
    rs_vbfree(vb);
}

// A document still open when the process ends is finished by the printer as the static
// objects go; the file table it writes and renames through was by then destroyed.
TEST_F(HostileCalls, ADocumentOpenAtExitIsFinishedSafely) {
    const std::string pdf = std::string(RSW32_TEST_OUTPUT_DIR) + "/open_at_exit.pdf";
    EXPECT_EXIT(
        {
            rsp_printer_add("exit printer", pdf.c_str(), 400, 200, 254, 127, 1);
            rsp_printer_default("exit printer");
            rs_printer(10);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
