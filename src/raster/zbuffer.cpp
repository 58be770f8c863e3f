#include "raster/zbuffer.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "core/vbuf.h"
#include "platform/host.h"

namespace raster {
namespace {

size_t entry_count(const core::ActiveBuffer& vb) { return size_t(vb.width) * size_t(vb.height); }

// Clears width × height entries of the active buffer, when the block holds that many.
void clear_bound() {
    if (uint32_t* e = bound_entries()) std::memset(e, 0, entry_count(core::active()) * 4);
}

}  // namespace

void init_zbuffer() { zstate() = ZState{}; }

uint32_t depth_value(double z) {
    const double r = std::fabs(1.0 / z);
    if (!(r == r)) return 0;
    if (r >= 256.0) return 0xFFFFFFFFu;
    const uint32_t i = uint32_t(r);
    const uint32_t f = uint32_t((r - double(i)) * 16777216.0);
    return i << 24 | f;
}

uint32_t* bound_entries() {
    const ZState& s = zstate();
    if (!core::has_active() || !s.block) return nullptr;
    // The host knows the size of every live block, and none of a released one.
    if (host::block_size(s.block) / 4 < entry_count(core::active())) return nullptr;
    return static_cast<uint32_t*>(s.block);
}

uint32_t* entry_address(uint32_t* entries, int x, int y) {
    const core::ActiveBuffer& vb = core::active();
    return entries + (ptrdiff_t(vb.height) - 1 - y) * vb.width + x;
}

void* zb_alloc(int width, int height) {
    if (width < 1 || height < 1) return nullptr;
    const size_t w4 = (size_t(width) + 3) & ~size_t(3);
    return host::block_alloc(w4 * size_t(height) * 4);
}

int zb_free(void* zb) {
    if (zb && host::block_size(zb)) host::block_free(zb);
    return 0;
}

int zb_open(void* zb) {
    zstate().block = zb;
    zstate().base = 0;
    clear_bound();
    return 0;
}

int zb_frame() {
    ZState& s = zstate();
    s.base += 1u << 24;
    if (s.base == 0) clear_bound();
    return 0;
}

}  // namespace raster
