// Buffers over caller memory: drawn like allocated ones, ended without the
// memory being touched or freed.
#include "support.h"

using namespace test;

namespace {

class Defined : public EachDepth {};

TEST_P(Defined, DrawLikeAllocatedBuffersAndLeaveTheMemoryTheCallers) {
    const int pitch = 12 * bpp();  // width 10 rounded up to 12
    Guarded mem(size_t(pitch * 7), 0x11);
    rs_vbdepth(depth());
    const int own = rs_vballoc(10, 7), vb = rs_vbdefine(mem.data(), 10, 7);
    ASSERT_EQ(rs_vbaddr(vb), mem.data());
    std::memset(rs_vbaddr(own), 0x11, size_t(pitch * 7));
    for (int k : {0, 1}) {
        rs_vbopen(k ? vb : own), rs_setcolor(ink());
        rs_rect(0, 11, 6, 6), rs_move(5, 3), rs_circlef(2), rs_setclip(2, 8, 1, 5), rs_clprect(0, 11, 0, 6);
    }
    EXPECT_EQ(mem.contents(), std::vector<uint8_t>(static_cast<uint8_t*>(rs_vbaddr(own)), static_cast<uint8_t*>(rs_vbaddr(own)) + pitch * 7));
    EXPECT_EQ(View(vb, 12, 7, depth()).get(0, 6), ink_pixel()) << "the top row comes last in memory";
    EXPECT_EQ(list(rs_vbundef(vb), rs_vbundef(own), rs_vbundef(-1), rs_vbundef(256)), list(-1, -1, -1, -1));  // active, allocated, none
    rs_vbclose();
    const std::vector<uint8_t> kept = mem.contents();
    EXPECT_EQ(rs_vbundef(vb), 0);
    EXPECT_EQ(rs_vbundef(vb), -1);
    EXPECT_EQ(rs_vbdefine(mem.data(), 10, 7), vb);
    rs_vbfree(-1);  // releases the library's buffers, never the caller's memory
    EXPECT_TRUE(mem.contents() == kept && mem.guards_intact());
    EXPECT_EQ(list(rs_vbdefine(nullptr, 4, 4), rs_vbdefine(mem.data(), 0, 4), rs_vbdefine(mem.data(), 4, -2), rs_vbdefine(mem.data(), INT_MAX, 2)),
              list(-2, -2, -2, -2));
}

RSW32_EACH_DEPTH(Defined);

}  // namespace
