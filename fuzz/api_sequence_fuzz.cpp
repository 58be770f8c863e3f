// The whole drawing interface on any call sequence. The input is read as calls: one byte
// picks an entry of the table below, the entry draws its arguments from the following
// bytes and makes the call. Integers lean towards 0, ±1, small values, the edges of the
// last opened buffer and the 32-bit limits; doubles towards 0, NaN, the infinities and
// huge and tiny values. Every caller array is allocated with exactly the size the header
// asks of the caller, computed from the other arguments, so the sanitizers report any
// access by the library beyond it; where that size would be huge the arguments are cut
// down instead. Each input starts from rs_vbinit with buffers of every depth open for
// drawing, a surface as the window DC, a printer writing into a scratch directory and
// the clock injected, so that waits and mode changes take no time.
//
// Left out, as they wait for a person or for real time:
//  - rs_showflic, rs_showavi: play until the Escape key is down or their loops are done
//    (0: forever).
//  - rs_measure: times 65535 passes of the delay loop on the real clock.
// Called only at the start of each input:
//  - rs_vbinit: forgets the buffers of an earlier start without releasing them, which
//    the leak checker would report as the library's leak.
// Cut down rather than left out: rs_waitfor (units up to 2000, on the injected clock),
// rs_stall (passes up to 2000), rs_flicplay and rs_aviplay (frames up to 64).
// AVI files are written into the scratch directory (d.avi) and read back from there.
// Printing goes to a file printer of the headless host (a PDF in the scratch directory),
// never to a real printer.
// Packed pictures and sprites the run made are kept and drawn again whole, cut short or
// with a byte changed, next to pictures read straight from the input.
// Buffers over caller memory (rs_vbdefine) get exactly the rows the header asks for.
// Adding an export is one line in its family's group of `calls`.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/host.h"
#include "rsw32.h"
#include "rsw32_platform.h"

namespace {

using Bytes = std::vector<unsigned char>;
constexpr int64_t kMaxArray = 1 << 18;  // bytes of one caller array before arguments are cut

// What one input has made and must keep alive or release: buffers, caller memory the
// library holds on to (image buffer, textures), z-buffers, palettes, cursors.
struct Run {
    std::vector<int> handles;
    std::vector<Bytes> kept;
    std::vector<void*> zbuffers, palettes, cursors;
    unsigned char flic[16] = {};
    unsigned char avi[48] = {}, avimake[24] = {};
    std::vector<Bytes> pictures;  // made by rs_pack, rs_makeppr and rs_makespr
    int pointer_size = 16;
    Bytes imagebuf;
};

struct Scratch {
    std::string dir;
    std::string names[7];
    RS_HDC surface = nullptr, dead = nullptr;
    RS_HFONT font = nullptr;
};

Scratch& scratch() {
    static Scratch s = [] {
        Scratch t;
        char templ[] = "/tmp/rsw32_apifuzz_XXXXXX";
        t.dir = mkdtemp(templ) ? templ : "/tmp";
        const char* leaf[] = {"/a.bmp", "/b.pcx", "/c.bmp", "/missing.pcx", "", "/print.pdf", "/d.avi"};
        for (int i = 0; i < 7; ++i) t.names[i] = t.dir + leaf[i];
        t.names[4] = "mem.dat";  // a memory file set from the input
        t.surface = rsp_surface_create(64, 48);
        t.dead = rsp_surface_create(4, 4);
        rsp_surface_destroy(t.dead);  // a handle to a device that is gone
        t.font = rsp_font_create(nullptr, 9, 400, 0, 1);
        rsp_printer_add("fuzz", t.names[5].c_str(), 72, 72, 30, 20, 1);
        rsp_printer_default("fuzz");
        return t;
    }();
    static const bool cleaned = (std::atexit([] {
        for (const std::string& name : scratch().names) unlink(name.c_str());
        rmdir(scratch().dir.c_str());
    }), true);
    (void)cleaned;
    return s;
}

struct In {
    const uint8_t* p;
    size_t n;
    Run& run;

    unsigned byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
    uint32_t u32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return v;
    }
    int i() {
        const unsigned s = byte();
        switch (s % 16) {
            case 0: return 0;
            case 1: return 1;
            case 2: return -1;
            case 3: return int(byte());
            case 4: return -int(byte());
            case 5: return rs_getmaxx() + int(byte() % 3);  // width - 1, width, width + 1
            case 6: return rs_getmaxy() + int(byte() % 3);
            case 7: return INT_MAX - int(byte() % 3);
            case 8: return INT_MIN + int(byte() % 3);
            case 9: return int(u32());
            case 10: return int(int16_t(byte() << 8 | byte()));
            case 11: return int((1u << (byte() % 31)) + (s >> 4) % 3 - 1);
            default: return int(byte() % 64);
        }
    }
    // A size: mostly small, sometimes a buffer edge, negative or a limit.
    int size() {
        switch (byte() % 8) {
            case 0: return 0;
            case 1: return 1;
            case 2: return 2 + int(byte() % 15);
            case 3: return rs_getmaxx() + int(byte() % 3);
            case 4: return i();
            default: return int(byte() % 48);
        }
    }
    // A count of items with at most cap of them (larger draws are wrapped down).
    int count(int cap) {
        const int c = size();
        return c > cap ? c % (cap + 1) : c;
    }
    double d() {
        switch (byte() % 14) {
            case 0: return 0.0;
            case 1: return -0.0;
            case 2: return std::numeric_limits<double>::quiet_NaN();
            case 3: return HUGE_VAL;
            case 4: return -HUGE_VAL;
            case 5: return byte() & 1 ? 1e300 : -1e300;
            case 6: return byte() & 1 ? 1e-300 : 5e-324;
            case 7: return double(i());
            case 8: {
                uint64_t bits = uint64_t(u32()) << 32 | u32();
                double v;
                std::memcpy(&v, &bits, sizeof v);
                return v;
            }
            default: return double(int8_t(byte())) / double(1 + byte() % 8);
        }
    }
    int depth() {
        static const int depths[] = {8, 16, 24, 32, 8, 16, 24, 32, 15, 0, 1, -8};
        const unsigned s = byte() % 13;
        return s < 12 ? depths[s] : i();
    }
    int handle() {
        const unsigned s = byte();
        if (s % 8 < 6 && !run.handles.empty()) return run.handles[s / 8 % run.handles.size()];
        return s % 8 == 6 ? int(s / 8) - 1 : i();
    }
    const char* name() { return scratch().names[byte() % 7].c_str(); }
    const char* name_or_null() { return byte() % 8 == 0 ? nullptr : name(); }
    RS_HDC dc() {
        switch (byte() % 5) {
            case 0: return nullptr;
            case 1: return scratch().dead;
            case 2: return rs_getdc();
            default: return scratch().surface;
        }
    }
    template <class T>
    T* pick(std::vector<T*>& v) {
        const unsigned s = byte();
        if (s % 4 == 0 || v.empty()) return s % 8 == 0 ? nullptr : reinterpret_cast<T*>(&run);
        return v[s / 4 % v.size()];
    }
    // `bytes` bytes of caller memory, filled from the input; kept to the end of the run.
    unsigned char* array(int64_t bytes) {
        Bytes b(size_t(std::max<int64_t>(bytes, 0)));
        for (auto& c : b) c = static_cast<unsigned char>(byte());
        run.kept.push_back(std::move(b));
        return run.kept.back().data();
    }
    int* ints(int64_t count) {
        auto* v = reinterpret_cast<int*>(array(count * int64_t(sizeof(int))));
        for (int64_t k = 0; k < count && n; ++k) v[k] = i();
        return v;
    }
    double* doubles(int64_t count) {
        auto* v = reinterpret_cast<double*>(array(count * int64_t(sizeof(double))));
        for (int64_t k = 0; k < count && n; ++k) v[k] = d();
        return v;
    }
    // A NUL-terminated string of up to 40 characters, or one without terminator.
    char* text(int& count) {
        const int len = int(byte() % 41);
        const bool terminated = byte() % 4 != 0;
        char* s = reinterpret_cast<char*>(array(len + (terminated ? 1 : 0)));
        if (terminated) s[len] = 0;
        count = terminated ? (byte() % 2 ? -1 : i()) : std::min(len, int(byte() % 48));
        if (!terminated && count > len) count = len;
        return s;
    }
};

// Width and height of a picture of `unit` bytes a pixel, cut down to kMaxArray bytes.
void fit(int& w, int& h, int64_t unit = 1) {
    if (w > 0 && h > 0 && double(w) * h * double(unit) > kMaxArray) {
        w = 1 + w % 97;
        h = 1 + h % 89;
    }
}
// Bytes of a w x h picture; saturated, as the sides of a rotation may be near INT_MAX.
int64_t area(int w, int h, int64_t unit = 1) {
    if (w < 1 || h < 1) return 0;
    return double(w) * h * double(unit) > 1e18 ? INT64_MAX : int64_t(w) * h * unit;
}
int64_t span(int lo, int hi) { return int64_t(hi) - lo + 1; }
// Bytes a pixel of the active buffer, and of a dcb at the active depth (0: none there).
int vb_bytes() { return std::max(1, (rs_getdepth() + 7) / 8); }
int dcb_bytes() {
    const int depth = rs_getdepth();
    return depth == 16 ? 2 : depth == 24 || depth == 32 ? 3 : 0;
}
int dcb_unit() { return std::max(1, dcb_bytes()); }

// A rectangle minx..maxx, miny..maxy of at most kMaxArray / unit pixels.
void fit_rect(int& minx, int& maxx, int& miny, int& maxy, int unit) {
    if (span(minx, maxx) > 0 && span(miny, maxy) > 0 && double(span(minx, maxx)) * double(span(miny, maxy)) * unit > kMaxArray) {
        maxx = int(std::min<int64_t>(int64_t(minx) + (span(minx, maxx) - 1) % 97, INT_MAX));
        maxy = int(std::min<int64_t>(int64_t(miny) + (span(miny, maxy) - 1) % 89, INT_MAX));
    }
}

// rs_cut and rs_paste: the large array holds rows 0 .. y + height - 1 of large_width
// pixels, the last one reaching x + width.
int64_t cut_large(int& x, int& y, int& lw, int& w, int& h, int unit) {
    fit(w, h, unit);
    if (h > 64) h = 1 + h % 64;
    if (x < 0 || y < 0 || lw < 0 || w < 1 || h < 1) return 0;
    x %= 64, y %= 64, lw %= 128;
    return ((int64_t(y) + h - 1) * lw + x + w) * unit;
}

// A picture to draw: one the run made (whole, cut short or with one byte changed), or
// bytes from the input. Stored in `bytes`; the array is sized to it.
const unsigned char* picture(In& in, int& bytes) {
    const unsigned s = in.byte();
    if (s % 4 == 0 || in.run.pictures.empty()) {
        bytes = in.count(4096);
        return in.array(bytes);
    }
    Bytes p = in.run.pictures[s / 4 % in.run.pictures.size()];
    if (s % 4 == 2 && !p.empty()) p.resize(size_t(in.byte()) % p.size());
    if (s % 4 == 3 && !p.empty()) p[size_t(in.byte() % 32) % p.size()] = static_cast<unsigned char>(in.byte());
    bytes = int(p.size());
    unsigned char* out = in.array(bytes);
    std::copy(p.begin(), p.end(), out);
    return out;
}

// Makes a picture with make(memory): asks for its size with NULL first, then writes it
// into exactly that many bytes and keeps it for later draws.
template <class Make>
void made(In& in, Make make) {
    const int bytes = make(nullptr);
    if (bytes < 1 || bytes > 4 * kMaxArray) return;
    unsigned char* out = in.array(bytes);
    if (make(out) == bytes) in.run.pictures.emplace_back(out, out + bytes);
}

// Pixel bytes of a buffer over caller memory: rows of the width rounded up to 4 pixels.
int64_t defined_bytes(int w, int h, int depth) {
    if (w < 1 || h < 1 || depth < 8) return 0;
    return ((int64_t(w) + 3) & ~int64_t(3)) * (depth / 8) * h;
}
int creation_depth() {
    const int header = rs_vbsize(4, 0);
    return (rs_vbsize(4, 1) - header) * 2;  // four pixels, 8 / 2 bytes a pixel
}

using Call = void (*)(In&);
#define C(...) [](In & in) { (void)in; __VA_ARGS__; }

const Call calls[] = {
    // Library state queries and version
    C(rs_getmaxx()), C(rs_getmaxy()), C(rs_getxpos()), C(rs_getypos()), C(rs_getxbox()), C(rs_getybox()),
    C(rs_getxjust()), C(rs_getyjust()), C(rs_getdepth()), C(rs_gethcbpp()),
    C(int a; int b; rs_version(in.byte() % 2 ? &a : nullptr, &b)),
    // Virtual buffers
    C(rs_vbfin()), C(rs_vbdepth(in.depth())),
    C(int w = in.size(); int h = in.size(); if (area(w, h) <= INT_MAX / 4) fit(w, h, 4);
      const int v = rs_vballoc(w, h); if (v >= 0) in.run.handles.push_back(v)),
    C(rs_vbopen(in.handle())), C(rs_vbclose()), C(rs_vbfree(in.handle())), C(rs_vbsize(in.i(), in.i())),
    C(rs_vbaddr(in.handle())), C(rs_vbhandle()), C(rs_vbcolors()),
    // A creation depth the library refuses may read as a huge one; such a call gets no memory.
    C(int w = in.size(); int h = in.size(); fit(w, h, 4); int64_t b = defined_bytes(w, h, creation_depth());
      if (b > 4 * kMaxArray) b = 0;
      const int v = rs_vbdefine(in.byte() % 8 ? in.array(b) : nullptr, w, h); if (v >= 0) in.run.handles.push_back(v)),
    C(rs_vbundef(in.handle())),
    // Colours and single pixels
    C(rs_setcolor(in.i())), C(rs_setcolorrgb(in.i(), in.i(), in.i())), C(rs_getcolor()),
    C(rs_maprgb(in.i(), in.i(), in.i())), C(int r; int g; int b; rs_unmaprgb(in.i(), &r, &g, &b)),
    C(rs_point(in.i(), in.i())), C(rs_pointw(in.d(), in.d())), C(rs_pointx(in.i(), in.i())),
    C(rs_pointxw(in.d(), in.d())), C(rs_getpixel(in.i(), in.i())), C(rs_putpixel(in.i(), in.i())),
    // Clipping, viewports, client mapping, world coordinates
    C(rs_setclip(in.i(), in.i(), in.i(), in.i())), C(rs_setclipw(in.d(), in.d(), in.d(), in.d())),
    C(int a; int b; int c; int d; rs_getclip(&a, &b, &c, &d)),
    C(rs_setview(in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i())),
    C(int v[8]; rs_getview(v, v + 1, v + 2, v + 3, v + 4, v + 5, v + 6, v + 7)),
    C(rs_xview(in.i())), C(rs_yview(in.i())), C(rs_xclient(in.i())), C(rs_yclient(in.i())),
    C(rs_xvb(in.i())), C(rs_yvb(in.i())), C(rs_initw()), C(rs_setworld(in.d(), in.d(), in.d(), in.d())),
    C(double v[4]; rs_getworld(v, v + 1, v + 2, v + 3)), C(rs_xscreen(in.d())), C(rs_yscreen(in.d())),
    C(rs_xworld(in.i())), C(rs_yworld(in.i())),
    C(rsp_focus(in.dc(), in.i(), in.i())),
    // Palettes
    C(const int s = in.i(); const int c = in.count(600); rs_setdacs(s, c, in.array(3 * int64_t(std::max(c, 0))))),
    C(const int s = in.i(); const int c = in.count(600); rs_getdacs(s, c, in.array(3 * int64_t(std::max(c, 0))))),
    C(rs_setrgb(in.i(), in.i(), in.i(), in.i())),
    C(int r; int g; int b; rs_getrgb(in.i(), &r, &g, &b)),
    C(in.run.palettes.push_back(rs_defpal())),
    C(const int s = in.i(); const int c = in.count(600);
      in.run.palettes.push_back(rs_logpal(s, c, in.array(3 * int64_t(std::max(c, 0)))))),
    C(rs_realize(in.pick(in.run.palettes))),
    C(const int c = in.count(300); unsigned char* a = in.array(3 * int64_t(std::max(c, 0)));
      rs_mapdacs(a, in.byte() % 2 ? a : in.array(3 * int64_t(std::max(c, 0))), c)),
    C(rs_colors()),
    // Presenting, printing, clipboard
    C(rs_setdc(in.dc())), C(rs_getdc()), C(rs_sethpage(in.handle())),
    C(rs_vbpaste(in.i(), in.i(), in.i(), in.i(), in.i(), in.i())),
    C(rs_vbscale(in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i())),
    C(rs_vbprint(in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i(), in.i())),
    C(static const int r[] = {10, 1, 2, 11, 0, -1, -2, -3, -4}; rs_printer(r[in.byte() % 9])),
    C(rs_printdc(in.dc())), C(rs_vb2clip(in.i(), in.i(), in.i(), in.i())),
    C(rs_clip2vb(in.i(), in.i(), in.i(), in.i(), in.i())),
    C(const int c = in.count(4096); rsp_clipboard_put_dib(in.array(c), c)),
    // Lines, cursor, dash patterns
    C(rs_move(in.i(), in.i())), C(rs_moverel(in.i(), in.i())), C(rs_movew(in.d(), in.d())),
    C(rs_moverw(in.d(), in.d())), C(rs_draw(in.i(), in.i())), C(rs_drawrel(in.i(), in.i())),
    C(rs_draww(in.d(), in.d())), C(rs_drawrw(in.d(), in.d())), C(rs_drawx(in.i(), in.i())),
    C(rs_drawrelx(in.i(), in.i())), C(rs_drawxw(in.d(), in.d())), C(rs_drawrxw(in.d(), in.d())),
    C(rs_dash(in.i(), in.i(), in.i())), C(rs_dashrel(in.i(), in.i(), in.i())),
    C(rs_dashw(in.d(), in.d(), in.i())), C(rs_dashrw(in.d(), in.d(), in.i())),
    C(const int n = in.count(64); rs_polyline(in.ints(2 * int64_t(std::max(n, 0))), n)),
    // Rectangles, boxes, page fills, scrolling
    C(rs_rect(in.i(), in.i(), in.i(), in.i())), C(rs_rectw(in.d(), in.d(), in.d(), in.d())),
    C(rs_rectx(in.i(), in.i(), in.i(), in.i())), C(rs_clprect(in.i(), in.i(), in.i(), in.i())),
    C(rs_clprectw(in.d(), in.d(), in.d(), in.d())), C(rs_clprectx(in.i(), in.i(), in.i(), in.i())),
    C(rs_box(in.i(), in.i(), in.i(), in.i())), C(rs_boxw(in.d(), in.d(), in.d(), in.d())),
    C(rs_boxx(in.i(), in.i(), in.i(), in.i())), C(rs_boxxw(in.d(), in.d(), in.d(), in.d())),
    C(rs_boxdepth(in.i(), in.i())),
    C(rs_drect(in.i(), in.i(), in.i(), in.i(), in.byte() % 8 ? in.array(8) : nullptr)),
    C(rs_drectw(in.d(), in.d(), in.d(), in.d(), in.array(8))), C(rs_erase()), C(rs_fillpage()),
    C(rs_scroll(in.i(), in.i(), in.i(), in.i(), in.i(), in.i())), C(rs_copypage(in.handle(), in.handle())),
    C(int w = in.size(); int h = in.size(); fit(w, h); rs_invert(in.array(area(w, h)), w, h)),
    C(rs_gethpage()),
    // Circles, ellipses, arcs
    C(rs_arc(in.i(), in.i(), in.i())), C(rs_arcw(in.d(), in.i(), in.i())), C(rs_circle(in.i())),
    C(rs_circlew(in.d())), C(rs_circlef(in.i())), C(rs_circlefw(in.d())), C(rs_ellipse(in.i(), in.i())),
    C(rs_ellipsew(in.d(), in.d())), C(rs_ellipsef(in.i(), in.i())), C(rs_ellipsfw(in.d(), in.d())),
    // Polygons
    C(const int n = in.count(64); const int64_t k = std::max(n, 0); rs_polygon(in.ints(k), in.ints(k), n)),
    C(const int n = in.count(64); const int64_t k = std::max(n, 0); rs_polygonw(in.doubles(k), in.doubles(k), n)),
    C(const int n = in.count(64); rs_polyfill(in.ints(2 * int64_t(std::max(n, 0))), in.ints(0), n)),
    C(rs_polyedge(in.i())), C(rs_polyoff(in.i(), in.i())), C(rs_texture(in.handle(), in.i())),
    C(const int n = in.count(64); const int* v = in.ints(2 * int64_t(std::max(n, 0))); rs_inside(v, n, in.i(), in.i())),
    // Flood fill
    C(rs_flood(in.i(), in.i())), C(rs_floodw(in.d(), in.d())), C(rs_paint(in.i(), in.i())),
    C(rs_paintw(in.d(), in.d())),
    // Mode-specific images
#define IMAGE(f) C(int w = in.size(); int h = in.size(); fit(w, h); f(in.array(area(w, h)), w, h))
    IMAGE(rs_drwimage), IMAGE(rs_putimage), IMAGE(rs_clpimage), IMAGE(rs_revimage), IMAGE(rs_flpimage),
    IMAGE(rs_getimage),
    C(auto* row = static_cast<unsigned char*>(rs_getline(in.i()));
      if (row) row[0] = row[int64_t(rs_getmaxx() + 1) * vb_bytes() - 1] = 0),
    // Block transfers between virtual buffers
#define BLOCK(...) C(const int a = in.i(), b = in.i(), c = in.i(), d = in.i(), e = in.i(), f = in.i(); __VA_ARGS__)
    BLOCK(rs_vbcopy(a, b, c, d, e, f, in.handle(), in.handle())),
    BLOCK(rs_vbtcopy(a, b, c, d, e, f, in.i(), in.handle(), in.handle())),
    BLOCK(rs_vbtccopy(a, b, c, d, e, f, in.handle(), in.handle())),
    BLOCK(rs_vbtzcopy(a, b, c, d, e, f, in.handle(), in.handle())),
    C(rs_tcdefine(in.i(), in.i())),
#define CUT(f, unit) C(int x = in.i(), y = in.i(), lw = in.size(), w = in.size(), h = in.size(); \
      const int u = (unit); const int64_t large = cut_large(x, y, lw, w, h, u); \
      f(in.array(large), in.array(area(w, h, u)), x, y, lw, w, h))
    CUT(rs_cut, 1), CUT(rs_paste, 1), CUT(rs_cutdcb, dcb_unit()), CUT(rs_pastedcb, dcb_unit()),
    // Monochrome bitmaps
    IMAGE(rs_drawmap), IMAGE(rs_clipmap), IMAGE(rs_getmap),
    // Direct-colour bitmaps
#define DCB(f) C(int w = in.size(); int h = in.size(); fit(w, h, dcb_unit()); f(in.array(area(w, h, dcb_unit())), w, h))
    DCB(rs_getdcb), DCB(rs_putdcb), DCB(rs_drawdcb), DCB(rs_clipdcb), DCB(rs_flipdcb), DCB(rs_revdcb),
    DCB(rs_invdcb),
    C(static const int f[] = {15, 16, 24, 0}; const int sf = f[in.byte() % 4], df = f[in.byte() % 4];
      const int n = in.count(4096); auto bytes = [](int fmt) { return fmt == 24 ? 3 : fmt ? 2 : 0; };
      const int64_t k = std::max(n, 0); unsigned char* s = in.array(k * bytes(sf));
      rs_transdcb(s, in.byte() % 2 && sf == df ? s : in.array(k * bytes(df)), sf, df, n)),
    // Image transforms
#define TRANSFORM(f, unit) C(int w = in.size(), h = in.size(), nw = in.size(), nh = in.size(); const int u = (unit); \
      fit(w, h, u); fit(nw, nh, u); f(in.array(area(w, h, u)), in.array(area(nw, nh, u)), w, h, nw, nh))
    TRANSFORM(rs_scale, 1), TRANSFORM(rs_scaledcb, dcb_unit()),
#define SHEAR(f, unit) C(int w = in.size(), h = in.size(); const int u = (unit); fit(w, h, u); \
      int s = in.size(); const int t = in.i(); if (s > 4096) s %= 4097; \
      const int64_t out = t & 2 ? area(w, std::max(s, h), u) : area(std::max(s, w), h, u); \
      if (out <= 4 * kMaxArray) f(in.array(area(w, h, u)), in.array(out), w, h, s, t))
    SHEAR(rs_shear, 1), SHEAR(rs_sheardcb, dcb_unit()),
#define ROTATE(f, unit) C(int w = in.size(), h = in.size(); const int u = (unit); fit(w, h, u); \
      const int angle = in.i(); int nw = 0, nh = 0; \
      if (rs_rotsize(w, h, angle, &nw, &nh) != 0) nw = nh = 0; \
      if (area(nw, nh, u) <= 4 * kMaxArray) f(in.array(area(w, h, u)), in.array(area(nw, nh, u)), w, h, angle))
    ROTATE(rs_rotate, 1), ROTATE(rs_rotdcb, dcb_unit()),
    C(int a; int b; rs_rotsize(in.i(), in.i(), in.i(), in.byte() % 8 ? &a : nullptr, &b)),
    // Blending and photo adjustments
    C(rs_opacity(in.i())), C(rs_blend(in.i(), in.i())), C(rs_blend50(in.i(), in.i())),
    C(const int n = in.count(4096); const int64_t b = int64_t(std::max(n, 0)) * dcb_unit();
      rs_blenddcb(in.array(b), in.array(b), in.array(b), n)),
    C(const int n = in.count(4096); const int64_t k = std::max(n, 0), b = k * dcb_unit();
      rs_blendvar(in.array(b), in.array(b), in.array(k), in.array(b), n)),
    C(int w = in.size(), h = in.size(); fit(w, h, dcb_unit()); const int64_t b = area(w, h, dcb_unit());
      rs_blendvb(in.array(b), in.byte() % 2 ? in.array(b) : nullptr, w, h)),
    C(int w = in.size(), h = in.size(); fit(w, h, dcb_unit()); const int64_t b = area(w, h, dcb_unit());
      rs_blendvbv(in.array(b), in.byte() % 2 ? in.array(b) : nullptr, in.array(area(w, h)), w, h)),
    C(const int n = in.count(4096); rs_contrgb(in.array(3 * int64_t(std::max(n, 0))), in.i(), in.i(), n)),
    C(const int n = in.count(4096); const int64_t b = int64_t(std::max(n, 0)) * dcb_unit(); unsigned char* s = in.array(b);
      rs_contdcb(s, in.byte() % 2 ? s : in.array(b), in.i(), in.i(), n)),
    C(rs_contvb(in.i(), in.i(), in.i(), in.i())),
    C(const int n = in.count(4096); rs_gammargb(in.array(3 * int64_t(std::max(n, 0))), in.d(), n)),
    C(const int n = in.count(4096); const int64_t b = int64_t(std::max(n, 0)) * dcb_unit(); unsigned char* s = in.array(b);
      rs_gammadcb(s, in.byte() % 2 ? s : in.array(b), in.d(), n)),
    C(rs_gammavb(in.d(), in.i(), in.i())),
    C(const int n = in.count(4096); rs_grayrgb(in.array(3 * int64_t(std::max(n, 0))), n)),
    C(const int n = in.count(4096); const int64_t b = int64_t(std::max(n, 0)) * dcb_unit(); unsigned char* s = in.array(b);
      rs_graydcb(s, in.byte() % 2 ? s : in.array(b), n)),
    C(rs_grayvb(in.i(), in.i())),
    C(const int n = in.count(4096); rs_photorgb(in.array(3 * int64_t(std::max(n, 0))), n)),
    C(const int n = in.count(4096); const int64_t b = int64_t(std::max(n, 0)) * dcb_unit(); unsigned char* s = in.array(b);
      rs_photodcb(s, in.byte() % 2 ? s : in.array(b), n)),
    C(rs_photovb(in.i(), in.i())),
    // Colour reduction
    C(rs_reduce(in.i(), in.i(), in.byte() % 8 ? in.array(768) : nullptr)),
    // Files: the image buffer (caller memory the library keeps until it is replaced)
    C(const int s = in.count(8192); in.run.imagebuf.assign(size_t(std::max(s, 0)), 0);
      for (auto& c : in.run.imagebuf) c = static_cast<unsigned char>(in.byte());
      if (in.byte() % 8 == 0 || s < 1) in.run.imagebuf.clear();
      rs_imagebuf(in.run.imagebuf.empty() ? nullptr : in.run.imagebuf.data(), s)),
    C(rs_imagebuf(nullptr, 0); in.run.imagebuf.clear()),
    C(rs_imagesiz(in.i(), in.i())),
    C(const int s = in.count(8192); const unsigned char* a = in.array(s);
      host::memory_file_set("mem.dat", a, size_t(std::max(s, 0)))),
    // BMP files
    C(rs_bmphead(in.name(), in.byte() % 8 ? in.array(54) : nullptr)),
    C(int w; int h; rs_bmpsize(in.array(54), &w, in.byte() % 8 ? &h : nullptr)),
    C(rs_bmppal(in.name(), in.byte() % 8 ? in.array(768) : nullptr)),
    C(rs_showbmp(in.name_or_null(), in.i())),
    C(const int a = in.i(), b = in.i(), c = in.i(), d = in.i(); static const int bits[] = {1, 4, 8, 24, 16, 32, 0};
      rs_makebmp(a, b, c, d, bits[in.byte() % 7], in.name())),
    // JPEG decoding
    C(rs_jpeghead(in.name(), in.byte() % 8 ? in.array(10) : nullptr)),
    C(int w; int h; rs_jpegsize(in.array(10), &w, &h)),
    C(rs_showjpeg(in.name_or_null(), in.i())),
    C(const int s = in.count(8192); rs_jpegbuf(in.array(s), s)),
    C(rs_jpegmem(in.array(10))),
    // PCX files
    C(rs_pcxhead(in.name(), in.byte() % 8 ? in.array(128) : nullptr)),
    C(int v[4]; rs_pcxrange(in.array(128), v, v + 1, v + 2, in.byte() % 8 ? v + 3 : nullptr)),
    C(int w; int h; rs_pcxsize(in.array(128), &w, &h)),
    C(rs_pcxpal(in.name(), in.byte() % 8 ? in.array(768) : nullptr)),
    C(rs_showpcx(in.name_or_null(), in.i())),
    C(const char* file = in.name_or_null(); unsigned char header[128] = {}; int w = -1, h = -1;
      if (!file && in.run.imagebuf.empty()) return;  // the built-in area's bytes are unknown here
      if (file) rs_pcxhead(file, header);
      else if (in.run.imagebuf.size() >= 128) std::memcpy(header, in.run.imagebuf.data(), 128);
      rs_pcxsize(header, &w, &h); const int64_t b = area(w, h);
      if (b <= 4 * kMaxArray) rs_loadpcx(file, b || in.byte() % 2 ? in.array(b) : nullptr)),
    C(rs_makepcx(in.i(), in.i(), in.i(), in.i(), in.name())),
    // FLI/FLC animation (the context is the run's own 16-byte record)
    C(rs_flichead(in.name(), in.byte() % 8 ? in.array(128) : nullptr)),
    C(rs_flicopen(in.name(), in.byte() % 8 ? in.run.flic : nullptr)),
    C(rs_flicdone(in.run.flic)),
    C(int w; int h; rs_flicsize(in.byte() % 8 ? in.array(128) : nullptr, &w, &h)),
    C(rs_flicskip(in.run.flic, in.count(64))),
    C(const int frames = in.count(64); rs_flicplay(in.run.flic, frames, in.i())),
    // 3D viewing state and projection
    C(rs_3Dpov(in.d(), in.d(), in.d(), in.i(), in.i(), in.i())),
    C(double v[6]; rs_3Dgetpov(v, v + 1, in.byte() % 8 ? v + 2 : nullptr, v + 3, v + 4, v + 5)),
    C(rs_3Dbehindviewer(in.d(), in.d(), in.d(), in.d())),
    C(rs_3Dgetmatrix(in.byte() % 8 ? reinterpret_cast<double*>(in.array(96)) : nullptr, in.i())),
    C(rs_3Dsetmatrix(in.byte() % 8 ? in.doubles(12) : nullptr, in.i(), in.i())),
    C(const int n = in.count(64); const int64_t k = std::max(n, 0);
      rs_3Dproject(in.doubles(3 * k), in.ints(2 * k), n)),
    C(rs_3Drenderstate(in.u32() & 15)), C(rs_3Dsetzclip(in.d(), in.d())),
    C(rs_3Dupvector(in.d(), in.d(), in.d())),
    C(rs_3Dviewport(in.i(), in.i(), in.i(), in.i(), in.d())),
    // 3D motion of viewer and object
    C(rs_3Daxisangle(in.d(), in.d(), in.d(), in.i())), C(rs_3Daxisangleobject(in.d(), in.d(), in.d(), in.i())),
    C(rs_3Dlookat(in.d(), in.d(), in.d(), in.d(), in.d(), in.d())), C(rs_3Dmove(in.d(), in.d(), in.d())),
    C(rs_3Dmoveforward(in.d())), C(rs_3Dmoveforwardobject(in.d())), C(rs_3Dmoveobject(in.d(), in.d(), in.d())),
    C(rs_3Dmoveright(in.d())), C(rs_3Dmoverightobject(in.d())), C(rs_3Dmoveup(in.d())),
    C(rs_3Dmoveupobject(in.d())), C(rs_3Droll(in.i())), C(rs_3Drollobject(in.i())),
    C(rs_3Drotate(in.d(), in.d(), in.d())), C(rs_3Drotateobject(in.d(), in.d(), in.d())),
    C(rs_3Drotateright(in.i())), C(rs_3Drotaterightobject(in.i())), C(rs_3Drotateup(in.i())),
    C(rs_3Drotateupobject(in.i())), C(rs_3Dsetobject(in.d(), in.d(), in.d(), in.i(), in.i(), in.i())),
    C(const int n = in.count(64); const int64_t k = 3 * int64_t(std::max(n, 0)); double* p = in.doubles(k);
      rs_3Dtransform(p, in.byte() % 2 ? p : in.doubles(k), n)),
    C(const int n = in.count(64); const int64_t k = 3 * int64_t(std::max(n, 0)); double* p = in.doubles(k);
      rs_3Dtransformobject(p, in.byte() % 2 ? p : in.doubles(k), n)),
    // 3D primitives
    C(rs_3Dline(in.d(), in.d(), in.d(), in.d(), in.d(), in.d())),
    C(const int n = in.count(32); rs_3Dpolygon(in.doubles(3 * int64_t(std::max(n, 0))), n)),
    C(const int n = in.count(32); rs_3Dpolygonobject(in.doubles(3 * int64_t(std::max(n, 0))), n)),
    C(const int n = in.count(32); const int64_t k = 3 * int64_t(std::max(n, 0)); rs_3Dshade(in.doubles(k), in.array(k), n)),
    C(const int n = in.count(32); const int64_t k = 3 * int64_t(std::max(n, 0));
      rs_3Dshadeobject(in.doubles(k), in.array(k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_3Dtexturemap(in.doubles(3 * k), in.ints(2 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_3Dtexturemapobject(in.doubles(3 * k), in.ints(2 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0); rs_3Dzclip(in.doubles(3 * k), in.doubles(6 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_3Dzcliprgb(in.doubles(3 * k), in.doubles(6 * k), in.array(3 * k), in.array(6 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_3Dzcliptm(in.doubles(3 * k), in.doubles(6 * k), in.ints(2 * k), in.ints(4 * k), n)),
    // Gouraud shading and z-buffer
    C(int w = in.size(), h = in.size(); fit(w, h, 4); in.run.zbuffers.push_back(rs_zballoc(w, h))),
    C(rs_zbfree(in.pick(in.run.zbuffers))), C(rs_zbopen(in.pick(in.run.zbuffers))), C(rs_zbframe()),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0); rs_polyfilz(in.ints(2 * k), in.doubles(3 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0); rs_gouraud(in.ints(2 * k), in.array(3 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_gouraudz(in.ints(2 * k), in.array(3 * k), in.doubles(3 * k), n)),
    C(rs_drawz(in.i(), in.i(), in.d(), in.d())),
    // Texture mapping (texels are sized for 3 bytes each, the widest, as the buffer drawn
    // into may change depth after the texture was defined)
    C(rs_tminit(in.count(4096))),
    C(int w = in.size(), h = in.size(); fit(w, h, 3); rs_tmdefine(in.byte() % 8 ? in.array(area(w, h, 3)) : nullptr, w, h)),
    C(rs_tmselect(in.i())), C(rs_tmfree(in.i())), C(rs_tmevict()), C(rs_tmspan(in.i())),
    C(rs_tmtransparency(in.i())), C(rs_tmunits(in.i())),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0); rs_texmap(in.ints(2 * k), in.ints(2 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_texmapp(in.ints(2 * k), in.ints(2 * k), in.doubles(3 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_texmapz(in.ints(2 * k), in.ints(2 * k), in.doubles(3 * k), n)),
    C(const int n = in.count(32); const int64_t k = std::max(n, 0);
      rs_texmappz(in.ints(2 * k), in.ints(2 * k), in.doubles(3 * k), n)),
    // System-font text
    C(rs_fontdc(in.dc())), C(rs_fontload(in.i())),
    C(rs_logfont(in.byte() % 2 ? scratch().font : reinterpret_cast<RS_HFONT>(&in.run))),
    C(rs_justify(in.i(), in.i())), C(int n; const char* s = in.text(n); rs_print(s, n)),
    // Stroke text
    C(rs_setangle(in.d())), C(rs_setratio(in.d())), C(rs_setsizew(in.d())), C(rs_setsize(in.i())),
    C(int n; const char* s = in.text(n); rs_swlength(s, n)),
    C(int n; const char* s = in.text(n); rs_swchar(s, n, in.i())),
    C(int n; char* s = in.text(n); rs_swtext(s, n, in.i())),
    // Trigonometric lookup
    C(double c; double s; rs_trig(in.i(), &c, in.byte() % 8 ? &s : nullptr)),
    // Pictures by their contents
    C(const int s = in.count(8192); rs_display(in.array(s), s, in.i())),
    C(rs_dispfile(in.name(), in.i(), in.i())), C(rs_displayp(in.name(), in.i(), in.i())),
    // Integer 3D models
    C(rs_view3d(in.i(), in.i(), in.i(), in.i(), in.i())),
    C(const int n = in.count(64); rs_move3d(in.ints(3 * int64_t(std::max(n, 0))), n, in.i(), in.i(), in.i())),
    C(const int n = in.count(64); rs_rotate3d(in.ints(3 * int64_t(std::max(n, 0))), n, in.i(), in.i(), in.i())),
    C(const int n = in.count(64); const int64_t k = std::max(n, 0); rs_project(in.ints(3 * k), in.ints(2 * k), n, in.i())),
    // Mouse, keyboard, timing
    C(if (rs_mouseini() == 1) in.run.pointer_size = 16), C(rs_mousevis(in.i())), C(rs_mousemov(in.i(), in.i())),
    C(int x; int y; rs_mousepos(&x, in.byte() % 8 ? &y : nullptr)),
    C(rs_mouselim(in.i(), in.i(), in.i(), in.i())),
    C(const int s = in.i(); rs_mousesiz(s); if (s == 16 || s == 32) in.run.pointer_size = s),
    C(const int s = in.run.pointer_size; in.run.cursors.push_back(rs_mouseptr(in.array(s * s / 4), in.i(), in.i()))),
    C(rs_mousecur(in.pick(in.run.cursors))), C(rs_kbtest(in.i())), C(rs_getclock()),
    C(const int u = in.i(); rs_waitfor(u > 2000 ? u % 2001 : u)),
    C(const int c = in.i(); rs_stall(c > 2000 ? c % 2001 : c)),
    C(rsp_key(in.i(), in.i())), C(rsp_pointer_move(in.i(), in.i())),
    // Display modes
    C(rs_modeset(in.i(), in.i(), in.i(), in.i())), C(rs_modetest(in.i(), in.i(), in.i())),
    // Index map and alpha byte
    C(rs_defcolor(in.i(), in.i())), C(rs_getindex(in.i())), C(rs_findrgb(in.i(), in.i(), in.i())),
    C(rs_setalpha(in.i())), C(rs_xalpha(in.i())), C(rs_yalpha(in.i())),
    // 16.16 fixed point
    C(rs_fixed(in.d())), C(rs_float(in.i())), C(rs_fixmul(in.i(), in.i())), C(rs_fixdiv(in.i(), in.i())),
    C(int c; int s; rs_fixtrig(in.i(), in.byte() % 8 ? &c : nullptr, &s)),
    // Screen distances in world units, memory
    C(rs_xconvert(in.i())), C(rs_yconvert(in.i())), C(rs_memavail()),
    // Pages
    C(rs_setpage(in.handle())), C(rs_getpage()), C(int w; int h; rs_pagesize(&w, in.byte() % 8 ? &h : nullptr)),
    // Text in character cells
    C(rs_locate(in.i(), in.i())), C(int r; int c; rs_where(&r, in.byte() % 8 ? &c : nullptr)),
    C(int n; const char* s = in.text(n); rs_text(s, n)), C(rs_getlines()),
    // Blocks and saved backgrounds
    C(int a = in.i(), b = in.i(), c = in.i(), d = in.i(); fit_rect(a, b, c, d, vb_bytes());
      const int64_t k = span(a, b) > 0 && span(c, d) > 0 ? span(a, b) * span(c, d) * vb_bytes() : 0;
      rs_getblock(a, b, c, d, in.byte() % 8 ? in.array(k) : nullptr)),
    C(int a = in.i(), b = in.i(), c = in.i(), d = in.i(); fit_rect(a, b, c, d, vb_bytes());
      const int64_t k = span(a, b) > 0 && span(c, d) > 0 ? span(a, b) * span(c, d) * vb_bytes() : 0;
      rs_putblock(a, b, c, d, in.byte() % 8 ? in.array(k) : nullptr)),
    C(int a = in.i(), b = in.i(), c = in.i(), d = in.i(); fit_rect(a, b, c, d, 4); rs_save(a, b, c, d)),
    C(rs_restore(in.i(), in.i(), in.i(), in.i())),
    C(rs_savew(in.d(), in.d(), in.d(), in.d())), C(rs_restorew(in.d(), in.d(), in.d(), in.d())),
    // Masks
    IMAGE(rs_drawmask), IMAGE(rs_revmask), IMAGE(rs_clipmask), IMAGE(rs_flipmask),
    // Transfers between depths
    BLOCK(rs_transfer(a, b, c, d, e, f, in.handle(), in.handle())),
    BLOCK(rs_tcxfer(a, b, c, d, e, f, in.handle(), in.handle())),
    C(rs_tcmask(in.i())),
    // Packed pictures and sprites
    C(int w = in.size(); int h = in.size(); fit(w, h); const unsigned char* a = in.byte() % 8 ? in.array(area(w, h)) : nullptr;
      made(in, [&](unsigned char* out) { return rs_pack(a, w, h, out); })),
    C(int a = in.i(), b = in.i(), c = in.i(), d = in.i(); fit_rect(a, b, c, d, 4);
      made(in, [&](unsigned char* out) { return rs_makeppr(a, b, c, d, out); })),
    C(int a = in.i(), b = in.i(), c = in.i(), d = in.i(); fit_rect(a, b, c, d, 4);
      made(in, [&](unsigned char* out) { return rs_makespr(a, b, c, d, out); })),
    C(int n; const unsigned char* p = picture(in, n); rs_showppr(p, n)),
    C(int n; const unsigned char* p = picture(in, n); rs_showspr(p, n)),
    C(int n; const unsigned char* p = picture(in, n); const int bytes = rs_unpack(p, n, nullptr);
      if (bytes > 0 && bytes <= 4 * kMaxArray) rs_unpack(p, n, in.array(bytes))),
    // AVI files (the contexts are the run's own records; the library's numbers in them
    // are checked when used, so they may be changed)
    C(rs_avihead(in.name(), in.byte() % 8 ? in.array(56) : nullptr)),
    C(int w; int h; rs_avisize(in.byte() % 8 ? in.array(56) : nullptr, &w, in.byte() % 8 ? &h : nullptr)),
    C(rs_avipal(in.name(), in.byte() % 8 ? in.array(768) : nullptr)),
    C(rs_aviopen(in.name(), in.byte() % 8 ? in.run.avi : nullptr)),
    C(const int frames = in.count(64); rs_aviplay(in.run.avi, frames, in.i())),
    C(rs_aviskip(in.run.avi, in.count(64))), C(rs_avidone(in.byte() % 2 ? in.run.avi : in.run.avimake)),
    C(const int at = 24 + 4 * int(in.byte() % 5); const int v = in.i(); std::memcpy(in.run.avi + at, &v, 4)),
    C(static const int codecs[] = {0, 0x44494220, 0x4D524C45, -1}; static const int bits[] = {1, 4, 8, 16, 24, 32};
      const unsigned s = in.byte(); const int codec = s % 8 < 4 ? codecs[s % 4] : in.i();
      int w = in.size(), h = in.size(); fit(w, h, 4); const int b = in.byte() % 8 ? bits[in.byte() % 6] : in.i();
      rs_avimake(in.name(), in.byte() % 8 ? in.run.avimake : nullptr, codec, w, h, b, in.i(), in.i())),
    C(int frame; std::memcpy(&frame, in.run.avimake + 20, 4);
      rs_aviframe(in.run.avimake, frame > 0 && frame <= 4 * kMaxArray && in.byte() % 8 ? in.array(frame) : nullptr)),
};
constexpr size_t kCalls = sizeof calls / sizeof calls[0];

// Buffers of every depth, one of them open, a surface to present to, colours to draw with.
void start(Run& run) {
    rs_vbinit();
    rsp_clock_inject(1, 0);
    static const int sizes[][3] = {{8, 37, 23}, {16, 33, 17}, {24, 19, 31}, {32, 40, 30}, {8, 5, 3}, {32, 1, 1}};
    for (const auto& s : sizes) {
        rs_vbdepth(s[0]);
        run.handles.push_back(rs_vballoc(s[1], s[2]));
    }
    rs_setdc(scratch().surface);
    rs_vbopen(run.handles[3]);
    rs_setcolorrgb(200, 100, 50);
}

void finish(Run& run) {
    rs_flicdone(run.flic);
    rs_avidone(run.avi);
    rs_avidone(run.avimake);
    rs_printer(2);
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    rs_imagebuf(nullptr, 0);
    for (void* z : run.zbuffers) rs_zbfree(z);
    for (void* p : run.palettes) host::delete_palette(host::palette_from_handle(p));
    host::memory_file_clear();
    rsp_input_reset();
}

}  // namespace

// Fontconfig keeps its caches for the process once fonts are looked up (released at exit).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    scratch();
    Run run;
    start(run);
    In in{data, size, run};
    for (int k = 0; k < 64 && in.n; ++k) calls[(in.byte() << 8 | in.byte()) % kCalls](in);
    finish(run);
    return 0;
}
