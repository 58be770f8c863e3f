// World window, viewport and stroke-text settings, and the conversions between world and
// screen coordinates.
#include "core/world.h"

#include <climits>
#include <cmath>

#include "core/vbuf.h"

namespace core {
namespace {

using extended = long double;

int truncate(extended v) {
    if (!(v > extended(INT_MIN) - 1 && v < extended(INT_MAX) + 1)) return INT_MIN;
    return int(v);  // conversion truncates toward zero
}

extended maxx() { return extended(get_maxx()); }
extended maxy() { return extended(get_maxy()); }

// Quotient of two 64-bit values truncated toward zero, kept to 32 bits; a zero extent
// (which the caller is to avoid) gives 0 instead of a fault.
int scaled(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    return int(uint32_t(uint64_t(a * b / c)));
}

}  // namespace

int extended_scale_truncated(int m, double a, double b, double c, double d) {
    return truncate(extended(m) * ((extended(a) - b) / (extended(c) - d)) + 0.5L);
}

ScreenMap screen_map() {
    const WorldState& w = world();
    const int mx = get_maxx(), my = get_maxy();
    return {mx, my, double(mx) / (w.maxx - w.minx), double(my) / (w.maxy - w.miny), w.minx, w.maxx, w.miny, w.maxy};
}

int x_screen(double x) {
    const WorldState& w = world();
    const int m = get_maxx();
    return scale_truncated(m, double(m) / (w.maxx - w.minx), x, w.minx, w.maxx, w.minx);
}

int y_screen(double y) {
    const WorldState& w = world();
    const int m = get_maxy();
    return scale_truncated(m, double(m) / (w.maxy - w.miny), w.maxy, y, w.maxy, w.miny);
}

double x_world(int x) {
    const WorldState& w = world();
    return double((extended(w.maxx) - w.minx) / maxx() * x + w.minx);
}

double y_world(int y) {
    const WorldState& w = world();
    return double(extended(w.maxy) - (extended(w.maxy) - w.miny) / maxy() * y);
}

int x_length(double length) {
    const WorldState& w = world();
    return truncate((maxx() + 1) / (extended(w.maxx) - w.minx) * length + 0.5L);
}

int y_length(double length) {
    const WorldState& w = world();
    return truncate((maxy() + 1) / (extended(w.maxy) - w.miny) * length + 0.5L);
}

double x_convert(int pixels) {
    const WorldState& w = world();
    return double((extended(w.maxx) - w.minx) / (maxx() + 1) * pixels);
}

double y_convert(int pixels) {
    const WorldState& w = world();
    return double((extended(w.maxy) - w.miny) / (maxy() + 1) * pixels);
}

int init_world() {
    WorldState& w = world();
    w.minx = w.maxx = w.miny = w.maxy = 0.0;
    w.cursor_x = w.cursor_y = 0.0;
    w.text_ratio = 1.0;
    w.text_size = 1.0;
    w.text_angle = 0.0;
    return 0;
}

int set_world(double minx, double maxx, double miny, double maxy) {
    WorldState& w = world();
    w.minx = minx;
    w.maxx = maxx;
    w.miny = miny;
    w.maxy = maxy;
    return 0;
}

int get_world(double* minx, double* maxx, double* miny, double* maxy) {
    const WorldState& w = world();
    if (minx) *minx = w.minx;
    if (maxx) *maxx = w.maxx;
    if (miny) *miny = w.miny;
    if (maxy) *maxy = w.maxy;
    return 0;
}

int set_view(int view_minx, int view_maxx, int view_miny, int view_maxy, int port_minx, int port_maxx,
             int port_miny, int port_maxy) {
    Viewport& v = viewport();
    v = {view_minx, view_maxx, view_miny, view_maxy, port_minx, port_maxx, port_miny, port_maxy, 0, 0, 0, 0};
    // Extents in 32 bits with wrap-around, as stored values.
    v.view_width = int(uint32_t(view_maxx) - uint32_t(view_minx) + 1u);
    v.view_height = int(uint32_t(view_maxy) - uint32_t(view_miny) + 1u);
    v.port_width = int(uint32_t(port_maxx) - uint32_t(port_minx) + 1u);
    v.port_height = int(uint32_t(port_maxy) - uint32_t(port_miny) + 1u);
    return 0;
}

int get_view(int* view_minx, int* view_maxx, int* view_miny, int* view_maxy, int* port_minx, int* port_maxx,
             int* port_miny, int* port_maxy) {
    const Viewport& v = viewport();
    const int values[8] = {v.view_minx, v.view_maxx, v.view_miny, v.view_maxy,
                           v.port_minx, v.port_maxx, v.port_miny, v.port_maxy};
    int* out[8] = {view_minx, view_maxx, view_miny, view_maxy, port_minx, port_maxx, port_miny, port_maxy};
    for (int i = 0; i < 8; ++i)
        if (out[i]) *out[i] = values[i];
    return 0;
}

// The offset into the view is a 32-bit value like the extents; only the product with the
// port extent is widened to 64 bits.
int x_view(int x) {
    const Viewport& v = viewport();
    const int offset = int(uint32_t(x) - uint32_t(v.view_minx));
    return int(uint32_t(scaled(offset, v.port_width, v.view_width)) + uint32_t(v.port_minx));
}

int y_view(int y) {
    const Viewport& v = viewport();
    const int offset = int(uint32_t(y) - uint32_t(v.view_miny));
    return int(uint32_t(scaled(offset, v.port_height, v.view_height)) + uint32_t(v.port_miny));
}

// Stroke-text settings. Values that are not finite are ignored like the other refused
// ones, so the settings always give finite glyph steps.
int set_angle(double degrees) {
    if (std::isfinite(degrees)) world().text_angle = degrees * 0.017453277777777776;  // 3.14159 / 180
    return 0;
}

int set_ratio(double ratio) {
    if (ratio > 0 && std::isfinite(ratio)) world().text_ratio = ratio;
    return 0;
}

int set_size_world(double size) {
    if (size > 0 && std::isfinite(size)) world().text_size = size;
    return 0;
}

// The world height of that many rows; kept only when it is a usable size (a world window
// or buffer without height gives none).
int set_size(int pixels) {
    if (pixels > 0) {
        const WorldState& w = world();
        const double size = double(pixels * (extended(w.maxy) - w.miny) / maxy());
        if (size > 0 && std::isfinite(size)) world().text_size = size;
    }
    return 0;
}

}  // namespace core
