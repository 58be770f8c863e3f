// Every family that allocates, walked through failing allocations: the n-th allocation of a
// call fails for n = 1, 2, ... until the call gets all it asks for. Each failure must give
// the family's result for short memory, hold on to no block or host object, and leave the
// library able to make the same call again at once.
#include <cstdio>
#include <fstream>

#include "files/pictures.h"
#include "platform/common/objects.h"
#include "support.h"

namespace {

struct Case {
    const char* family;
    int depth;               // of the buffer open during the call
    std::function<int()> call;  // undoes what it made when it succeeds
    int refused;             // the result when an allocation fails
    int done;                // the result when nothing fails
};

// 16 x 12 at each pixel: enough for the packers, the writers and the clipboard to copy rows.
constexpr int width = 16, height = 12;

std::string flic_file() {
    // A 4 x 4 FLC of one frame that clears the picture (a chunk of type 13).
    std::vector<uint8_t> f(128 + 16 + 6, 0);
    auto put = [&](size_t at, uint32_t v, int n) { for (int i = 0; i < n; ++i) f[at + size_t(i)] = uint8_t(v >> (8 * i)); };
    put(0, uint32_t(f.size()), 4), put(4, 0xAF12, 2), put(6, 1, 2), put(8, 4, 2), put(10, 4, 2), put(12, 8, 2);
    put(80, 128, 4);
    put(128, 22, 4), put(132, 0xF1FA, 2), put(134, 1, 2), put(144, 6, 4), put(148, 13, 2);
    const std::string path = test::temp_path(".flc");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
    return path;
}

std::vector<Case> cases() {
    static std::vector<uint8_t> picture(width * height * 4, 7), scaled(4 * width * height * 4), packed(4096),
        defined(size_t(rs_vbsize(width, height)));
    static uint8_t flic_ctx[16], avi_ctx[48];
    static const std::string bmp = test::data_file("pal8_13x7.bmp"), pcx = test::data_file("pal8_13x7.pcx"),
                             jpeg = std::string(RSW32_TEST_DATA_DIR) + "/jpeg/im_17x9.jpg",
                             avi = std::string(RSW32_TEST_DATA_DIR) + "/avi/raw_pal8.avi", flic = flic_file(),
                             out_bmp = test::temp_path(".bmp"), out_pcx = test::temp_path(".pcx"),
                             pdf = test::temp_path(".pdf");
    rsp_printer_add("walk", pdf.c_str(), 200, 100, 254, 127, 1);
    const auto handle = [](int h) { return h >= 0 ? (rs_vbfree(h), 0) : h; };
    const auto bytes = [](int n) { return n > 0 ? 0 : n; };
    return {
        {"buffer", 8, [=] { return rs_vbdepth(8), handle(rs_vballoc(width, height)); }, -2, 0},
        {"buffer", 32, [=] { return rs_vbdepth(32), handle(rs_vballoc(width, height)); }, -2, 0},
        {"defined buffer", 16, [=] { return rs_vbdepth(16), handle(rs_vbdefine(defined.data(), width, height)); }, -2, 0},
        {"z-buffer", 16, [] { void* z = rs_zballoc(width, height); return z ? (rs_zbfree(z), 0) : -1; }, -1, 0},
        {"texture table", 16, [] { return rs_tminit(64); }, -1, 0},
        {"image scaling", 24, [] { return rs_scale(picture.data(), scaled.data(), width, height, 2 * width, 2 * height); }, -2, 0},
        {"save", 24, [] { const int r = rs_save(1, 9, 2, 8); return r ? r : rs_restore(1, 9, 2, 8); }, -2, 0},
        {"packed picture", 16, [=] { return bytes(rs_makeppr(0, 9, 0, 9, packed.data())); }, -2, 0},
        {"sprite", 32, [=] { return bytes(rs_makespr(0, 9, 0, 9, packed.data())); }, -2, 0},
        {"BMP reader", 24, [] { return rs_showbmp(bmp.c_str(), 0); }, 5, 0},
        // Without a block of rows the writer goes a row at a time.
        {"BMP writer", 8, [] { return rs_makebmp(0, width - 1, 0, height - 1, 8, out_bmp.c_str()); }, 0, 0},
        {"PCX reader", 16, [] { return rs_showpcx(pcx.c_str(), 0); }, 4, 0},
        {"PCX writer", 24, [] { return rs_makepcx(0, width - 1, 0, height - 1, out_pcx.c_str()); }, 2, 0},
        {"JPEG reader", 32, [] { return rs_showjpeg(jpeg.c_str(), 0); }, 4, 0},
        {"FLIC player", 8, [] { return rs_flicopen(flic.c_str(), flic_ctx) ? -9 : (rs_flicplay(flic_ctx, 1, 1) + rs_flicdone(flic_ctx)); }, 0, 1},
        {"AVI reader", 24, [] { const int r = rs_aviopen(avi.c_str(), avi_ctx); return r ? r : rs_avidone(avi_ctx); }, -4, 0},
        {"font", 24, [] { RS_HFONT f = rsp_font_create(nullptr, 14, 400, 0, 0); return f ? rsp_font_destroy(f) : -1; }, -1, 0},
        {"clipboard", 8, [] { return rs_vb2clip(0, 9, 0, 9); }, -2, 0},
        {"clipboard", 16, [] { return rs_vb2clip(0, 9, 0, 9); }, -2, 0},
        // The printer DC stays set after a refused start, until rs_printer(2).
        {"printer", 24, [] { rsp_printer_default("walk"); const int r = rs_printer(10); return rs_printer(2), r; }, -2, 0},
    };
}

using FailingAllocations = test::Library;

TEST_F(FailingAllocations, EveryFamilyRefusesCleanlyAndStaysUsable) {
    RS_HDC surface = rsp_surface_create(8, 8);
    rsp_focus(surface, 0, 0);
    for (const Case& c : cases()) {
        rs_vbdepth(c.depth);
        const int vb = rs_vballoc(width, height);
        ASSERT_EQ(rs_vbopen(vb), 0) << c.family;
        rs_setcolor(1), rs_rect(2, 5, 2, 5);
        int failures = 0;
        for (int n = 1;; ++n) {
            ASSERT_LT(n, 100) << c.family << " at " << c.depth << " bits never gets all its memory";
            const size_t blocks = host::live_blocks(), objects = host::live_objects();
            rsp_fail_allocation(n);
            const int r = c.call();
            const bool reached = rsp_fail_allocation(0) == 0;
            if (!reached) {  // the call made fewer than n allocations: it had them all
                EXPECT_EQ(r, c.done) << c.family << " at " << c.depth << " bits";
                break;
            }
            ++failures;
            EXPECT_EQ(r, c.refused) << c.family << " at " << c.depth << " bits, allocation " << n;
            EXPECT_EQ(host::live_blocks(), blocks) << c.family << " kept a block, allocation " << n;
            EXPECT_EQ(host::live_objects(), objects) << c.family << " kept an object, allocation " << n;
            EXPECT_EQ(c.call(), c.done) << c.family << " unusable after failing allocation " << n;
        }
        EXPECT_GT(failures, 0) << c.family << " allocates nothing that can fail";
        rs_vbclose(), rs_vbfree(vb);
    }
    rsp_focus(nullptr, 0, 0), rsp_surface_destroy(surface);
}

}  // namespace
