// The library's lifecycle for the whole benchmark binary, and the buffers it hands out.
#define RSW32_BENCH_FIXTURE_OWNER
#include "fixture.h"

#include <cstring>
#include <vector>

#include "core/pixel.h"

namespace bench {
namespace {

struct Made {
    int depth, width, height, copy, handle;
};

std::vector<Made>& made() {
    static std::vector<Made> buffers;
    return buffers;
}

const Made* find(int handle) {
    for (const Made& m : made())
        if (m.handle == handle) return &m;
    return nullptr;
}

int64_t bytes_of(const Made& m) { return int64_t(m.width) * m.height * (m.depth / 8); }

void start() {
    rsp_set_display_depth(32);
    rs_vbinit();
}

// Buffers are released with the library: rs_vbfin alone keeps them.
void finish() {
    rs_setdc(nullptr);
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    made().clear();
}

}  // namespace

int buffer(int depth, int w, int h, int copy) {
    w = (w + 3) & ~3;
    for (const Made& m : made())
        if (m.depth == depth && m.width == w && m.height == h && m.copy == copy) return m.handle;
    rs_vbdepth(depth);
    const int handle = rs_vballoc(w, h);
    if (handle >= 0) made().push_back({depth, w, h, copy, handle});
    return handle;
}

int open(int depth, int w, int h, int copy) {
    const int handle = buffer(depth, w, h, copy);
    const Made* m = find(handle);
    if (!m) return handle;
    std::memset(rs_vbaddr(handle), 0, size_t(bytes_of(*m)));
    rs_vbopen(handle);
    rs_setclip(0, m->width - 1, 0, m->height - 1);
    return handle;
}

int64_t count(const uint8_t* p, int64_t n, int depth, uint32_t value) {
    int64_t k = 0;
    core::with_depth(depth, [&](auto d) {
        using D = decltype(d);
        const uint32_t v = value & D::mask;
        for (int64_t i = 0; i < n; ++i, p += D::bytes) k += D::load(p) == v;
    });
    return k;
}

int64_t count(int handle, uint32_t value) {
    const Made* m = find(handle);
    if (!m) return 0;
    return count(static_cast<const uint8_t*>(rs_vbaddr(handle)), int64_t(m->width) * m->height, m->depth, value);
}

void pattern(int handle) {
    const Made* m = find(handle);
    if (!m) return;
    auto* p = static_cast<uint8_t*>(rs_vbaddr(handle));
    for (int64_t i = 0; i < bytes_of(*m); ++i) p[i] = uint8_t(i * 131 + i / 4093);
}

Surface::Surface(int w, int h) : dc(rsp_surface_create(w, h)) { rs_setdc(dc); }

Surface::~Surface() {
    rs_setdc(nullptr);
    rsp_surface_destroy(dc);
}

}  // namespace bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::start();
    benchmark::RunSpecifiedBenchmarks();
    bench::finish();
    benchmark::Shutdown();
    return 0;
}
