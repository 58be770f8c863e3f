// Buffers over caller memory: drawn like allocated ones, presented from the caller's bytes,
// ended without the memory being touched or freed.
#include "support.h"

using namespace test;

namespace {

class Defined : public EachDepth {};

TEST_P(Defined, DrawLikeAllocatedBuffersAndLeaveTheMemoryTheCallers) {
    const int w = 10, h = 7, pitch = 12 * bpp();  // width rounded up to 12
    Guarded mem(size_t(pitch * h), 0x11);
    rs_vbdepth(depth());
    const int own = rs_vballoc(w, h), vb = rs_vbdefine(mem.data(), w, h);
    ASSERT_GE(vb, 0);
    EXPECT_EQ(rs_vbaddr(vb), mem.data());
    std::memset(rs_vbaddr(own), 0x11, size_t(pitch * h));
    for (int handle : {own, vb}) {
        rs_vbopen(handle), rs_setcolor(ink());
        rs_rect(0, 11, 6, 6), rs_move(5, 3), rs_circlef(2), rs_setclip(2, 8, 1, 5), rs_clprect(0, 11, 0, 6);
    }
    EXPECT_EQ(list(rs_getmaxx(), rs_getmaxy()), list(11, 6));
    EXPECT_EQ(mem.contents(), std::vector<uint8_t>(static_cast<uint8_t*>(rs_vbaddr(own)), static_cast<uint8_t*>(rs_vbaddr(own)) + pitch * h));
    EXPECT_EQ(View(vb, 12, h, depth()).get(0, 6), ink_pixel()) << "top row last in memory";
    // Presenting shows the caller's bytes as it shows the allocated twin's.
    RS_HDC surface = rsp_surface_create(12, 7);
    rs_setdc(surface);
    std::vector<unsigned> shown[2];
    for (int k : {0, 1}) {
        rs_vbopen(k ? vb : own), rs_vbpaste(0, 11, 0, 6, 0, 6);
        const unsigned* px = rsp_surface_pixels(surface, nullptr, nullptr);
        shown[k].assign(px, px + 12 * 7);
    }
    EXPECT_EQ(shown[0], shown[1]);
    rs_setdc(nullptr), rsp_surface_destroy(surface);
    EXPECT_EQ(list(rs_vbundef(vb), rs_vbundef(own), rs_vbundef(-1), rs_vbundef(256)), list(-1, -1, -1, -1));  // active, allocated, none
    rs_vbclose();
    const std::vector<uint8_t> kept = mem.contents();
    EXPECT_EQ(rs_vbundef(vb), 0);
    EXPECT_EQ(rs_vbundef(vb), -1);
    EXPECT_EQ(rs_vbaddr(vb), nullptr);
    EXPECT_EQ(rs_vbdefine(mem.data(), w, h), vb) << "the slot is free again";
    rs_vbfree(-1);  // frees the library's buffers, never the caller's memory
    EXPECT_EQ(mem.contents(), kept);
    EXPECT_TRUE(mem.guards_intact());
    EXPECT_EQ(list(rs_vbdefine(nullptr, 4, 4), rs_vbdefine(mem.data(), 0, 4), rs_vbdefine(mem.data(), 4, -2), rs_vbdefine(mem.data(), INT_MAX, 2)),
              list(-2, -2, -2, -2));
}

RSW32_EACH_DEPTH(Defined);

}  // namespace
