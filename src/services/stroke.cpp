// Stroke text. Glyph points are in a grid of 21 units to a capital letter, x from the
// glyph's left edge, y up from the baseline; each call turns grid steps into world steps
// with the unit (text_size / 21), the horizontal scale (which keeps glyph shapes in
// pixels whatever the world window's aspect, times text_ratio) and the baseline
// rotation, and walks them with relative world moves and draws.
//
// The first font reads escapes: a backslash followed by v or ^ draws the next character
// at half size half a size below or above the line; followed by anything else it
// switches the rest of the string between the standard and the alternate set and then
// reads that character in the new set. Underscores start and end an underline 0.3 of
// the size below the baseline and take no room. Codes below 32 and above 127 are skipped.
#include "services/stroke.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/vbuf.h"
#include "core/world.h"
#include "draw/internal.h"
#include "draw/line.h"
#include "draw/state.h"
#include "services/stroke_glyphs.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace services {
namespace {

struct Vec {
    double x, y;
};

// What every call derives from the settings before it starts.
struct Frame {
    double size, unit, xscale, cos, sin;
    Vec rotate(double dx, double dy) const { return {dx * cos - dy * sin, dy * cos + dx * sin}; }
};

// False when the world window or the buffer gives no usable mapping (an extent of zero,
// not a number or infinite, or no buffer opened): then nothing is drawn or measured.
bool derive(Frame& f) {
    const core::WorldState& w = core::world();
    const double maxx = core::get_maxx(), maxy = core::get_maxy();
    const double xext = w.maxx - w.minx, yext = w.maxy - w.miny;
    if (!(maxx > 0 && maxy > 0 && std::isfinite(xext) && std::isfinite(yext) && xext != 0 && yext != 0)) return false;
    f.size = w.text_size;
    f.unit = w.text_size / 21;
    f.xscale = (xext / maxx) / (yext / maxy) * w.text_ratio;
    f.cos = std::cos(w.text_angle);
    f.sin = std::sin(w.text_angle);
    return true;
}

// The characters a call reads: up to count or the terminating zero.
size_t readable(const char* string, int count) { return string && count > 0 ? strnlen(string, size_t(count)) : 0; }

// One character as the first font reads it, escapes resolved.
struct Item {
    int code = -1;  // -1: the string ended inside an escape
    int halve = 0;  // 1 for a sub- or superscript
    int shift = 0;  // -1 subscript, +1 superscript
};

// Reads the item at s[i] (i < n), toggling set for a set escape; returns the index after it.
size_t next_item(const uint8_t* s, size_t i, size_t n, int& set, Item& item) {
    item = Item{};
    int c = s[i++];
    if (c == '\\') {
        if (i >= n) return n;
        c = s[i++];
        if (c == 'v' || c == '^') {
            if (i >= n) return n;
            item.halve = 1;
            item.shift = c == 'v' ? -1 : 1;
            c = s[i++];
        } else {
            set = set ? 0 : stroke_set_size;
        }
    }
    item.code = c;
    return i;
}

bool has_glyph(int code) { return code >= 32 && code <= 127 && code != '_'; }

// The moves and draws of a walk, as the world line routines make them: each moves the
// world cursor and draws or moves to its screen point, with the window's scales and the
// line pen worked out once for the whole text. The world cursor and the graphics cursor
// are kept here and stored when the walk ends, as nothing reads them in between. A move
// only adds to the world cursor; its screen point is worked out when a draw starts from
// it (or the walk ends there), so a run of moves costs one conversion.
struct Walk {
    core::ScreenMap map = core::screen_map();
    draw::LinePen pen;
    Vec at{};             // the world cursor
    int sx = 0, sy = 0;   // the graphics cursor, unless moved
    bool moved = true;    // `at` was moved to since (sx, sy) was worked out

    void move_to(const Vec& p) {
        at = p;
        moved = true;
    }
    void move_by(const Vec& d) { move_to({at.x + d.x, at.y + d.y}); }
    void draw_to(const Vec& p) {
        if (moved) sx = map.x(at.x), sy = map.y(at.y), moved = false;
        at = p;
        const int x = map.x(p.x), y = map.y(p.y);
        pen.line(sx, sy, x, y);
        sx = x, sy = y;
    }
    void finish() {
        if (moved) sx = map.x(at.x), sy = map.y(at.y);
        core::world().cursor_x = at.x;
        core::world().cursor_y = at.y;
        draw::move(sx, sy);
    }
};

// A font's glyphs as draw_glyph walks them, worked out once from the glyph data: each
// glyph's points without the pen-up marks, as grid steps from the point before (the first
// from the glyph's left edge on the baseline, y up), and the points that end a stroke
// segment, one drawn from the point before.
struct FontWalk {
    struct Glyph {
        uint32_t first_step = 0, first_end = 0;
        uint8_t steps = 0, ends = 0;
    };
    std::vector<std::array<double, 2>> steps;
    std::vector<uint8_t> ends;
    std::array<Glyph, 224> glyphs{};

    FontWalk(const int8_t* data, const uint32_t* index, int codes) {
        for (int code = 32; code < codes; ++code) {
            const int8_t* glyph = data + index[code];
            const int left = glyph[0], points = uint8_t(glyph[2]);
            Glyph& g = glyphs[size_t(code)];
            g.first_step = uint32_t(steps.size()), g.first_end = uint32_t(ends.size());
            int px = 0, py = 0, real = 0;
            bool pen_down = false;
            for (const int8_t* p = glyph + 3; p < glyph + 3 + 2 * points; p += 2) {
                if (p[0] == stroke_pen_up) {
                    pen_down = false;
                    continue;
                }
                const int qx = p[0] - left, qy = 9 - p[1];
                steps.push_back({double(qx - px), double(qy - py)});
                if (pen_down) ends.push_back(uint8_t(real));
                px = qx, py = qy, pen_down = true, ++real;
            }
            g.steps = uint8_t(steps.size() - g.first_step), g.ends = uint8_t(ends.size() - g.first_end);
        }
    }
};

const FontWalk& font1_walk() {
    static const FontWalk walk(stroke_font1_data, stroke_font1_index, 224);
    return walk;
}
const FontWalk& font2_walk() {
    static const FontWalk walk(stroke_font2_data, stroke_font2_index, 127);
    return walk;
}

// Draws one glyph from the world cursor, which stands on the baseline at the glyph's left
// edge (raised or lowered by the caller), with grid unit u: the world cursor steps from
// point to point and each point's screen position is worked out, then the segments are
// drawn between them.
void draw_glyph(Walk& walk, const Frame& f, const FontWalk& font, int code, double u) {
    const FontWalk::Glyph& g = font.glyphs[size_t(code)];
    if (g.steps == 0) return;
    int xs[256], ys[256];
    const std::array<double, 2>* step = font.steps.data() + g.first_step;
#if defined(__SSE2__)
    // The steps in two lanes (x, y) with the operations of f.rotate, x·cos − y·sin taken
    // as x·cos + y·(−sin), which is the same number.
    const __m128d scale = _mm_set1_pd(u), stretch = _mm_set_pd(1.0, f.xscale);
    const __m128d cos = _mm_set1_pd(f.cos), sin = _mm_set_pd(f.sin, -f.sin);
    __m128d at = _mm_set_pd(walk.at.y, walk.at.x);
    for (int k = 0; k < g.steps; ++k) {
        const __m128d v = _mm_mul_pd(_mm_mul_pd(_mm_loadu_pd(step[k].data()), scale), stretch);
        const __m128d d = _mm_add_pd(_mm_mul_pd(v, cos), _mm_mul_pd(_mm_shuffle_pd(v, v, 1), sin));
        at = _mm_add_pd(at, d);
        walk.map.point(at, xs[k], ys[k]);
    }
    walk.at = {_mm_cvtsd_f64(at), _mm_cvtsd_f64(_mm_unpackhi_pd(at, at))};
#else
    Vec at = walk.at;
    for (int k = 0; k < g.steps; ++k) {
        const Vec d = f.rotate(step[k][0] * u * f.xscale, step[k][1] * u);
        at = {at.x + d.x, at.y + d.y};
        walk.map.point(at.x, at.y, xs[k], ys[k]);
    }
    walk.at = at;
#endif
    const uint8_t* end = font.ends.data() + g.first_end;
    for (int k = 0; k < g.ends; ++k) walk.pen.line(xs[end[k] - 1], ys[end[k] - 1], xs[end[k]], ys[end[k]]);
    walk.sx = xs[g.steps - 1], walk.sy = ys[g.steps - 1], walk.moved = false;
}

// The start of the walk: the graphics cursor in world space, moved back by the text's
// length for centred (justify 0) or right-aligned (justify > 0) text.
Vec start(Walk& walk, const Frame& f, const char* string, int count, int justify) {
    Vec base{core::x_world(draw::get_xpos()), core::y_world(draw::get_ypos())};
    if (justify >= 0) {
        double length = sw_length(string, count);
        if (justify == 0) length /= 2;
        base.x -= length * f.cos;
        base.y -= length * f.sin;
    }
    walk.move_to(base);
    return base;
}

// An underscore: opens an underline, or closes the open one by drawing it.
struct Underline {
    bool open = false;
    Vec from{};
    void toggle(Walk& walk, const Frame& f, const Vec& base) {
        const Vec drop = f.rotate(0, -0.3 * f.size);
        const Vec here{base.x + drop.x, base.y + drop.y};
        if (!open) {
            from = here;
            open = true;
            return;
        }
        open = false;
        walk.move_to(from);
        walk.draw_to(here);
        walk.move_to(base);
    }
};

// Moves the base point on by a glyph's advance and puts the world cursor there.
void advance(Walk& walk, const Frame& f, Vec& base, int left, int right, double u) {
    const Vec step = f.rotate((right - left) * u * f.xscale, 0);
    base.x += step.x;
    base.y += step.y;
    walk.move_to(base);
}

}  // namespace

double sw_length(const char* string, int count) {
    Frame f;
    const size_t n = readable(string, count);
    if (!derive(f)) return 0.0;
    const auto* s = reinterpret_cast<const uint8_t*>(string);
    double length = 0;
    int set = 0;
    for (size_t i = 0; i < n;) {
        Item item;
        i = next_item(s, i, n, set, item);
        if (!has_glyph(item.code)) continue;
        const int8_t* w = stroke_font1_widths + 2 * (item.code + set - 32);
        length += (w[1] - w[0]) * (item.halve ? f.unit / 2 : f.unit) * f.xscale;
    }
    return length;
}

int sw_char(const char* string, int count, int justify) {
    Frame f;
    if (!string || count < 0 || !derive(f)) return 0;
    const size_t n = readable(string, count);
    const auto* s = reinterpret_cast<const uint8_t*>(string);
    Walk walk;
    Vec base = start(walk, f, string, count, justify);
    Underline underline;
    int set = 0;
    for (size_t i = 0; i < n;) {
        Item item;
        i = next_item(s, i, n, set, item);
        if (item.code == '_') {
            underline.toggle(walk, f, base);
            continue;
        }
        if (!has_glyph(item.code)) continue;
        const double u = item.halve ? f.unit / 2 : f.unit;
        const double h = item.halve ? f.size / 2 : f.size;
        if (item.shift != 0) walk.move_by(f.rotate(0, item.shift * h));
        const int8_t* glyph = stroke_font1_data + stroke_font1_index[item.code + set];
        draw_glyph(walk, f, font1_walk(), item.code + set, u);
        advance(walk, f, base, glyph[0], glyph[1], u);
    }
    walk.finish();
    return 0;
}

int sw_text(char* string, int count, int justify) {
    Frame f;
    if (!string || count < 0 || !derive(f)) return 0;
    const size_t n = readable(string, count);
    for (size_t i = 0; i < n; ++i)
        if (string[i] == '\\') string[i] = ' ';
    const auto* s = reinterpret_cast<const uint8_t*>(string);
    Walk walk;
    Vec base = start(walk, f, string, count, justify);
    Underline underline;
    for (size_t i = 0; i < n; ++i) {
        if (s[i] == '_') {
            underline.toggle(walk, f, base);
            continue;
        }
        // The second font has codes 32..126 only.
        if (s[i] < 32 || s[i] > 126) continue;
        const int8_t* glyph = stroke_font2_data + stroke_font2_index[s[i]];
        draw_glyph(walk, f, font2_walk(), s[i], f.unit);
        advance(walk, f, base, glyph[0], glyph[1], f.unit);
    }
    walk.finish();
    return 0;
}

}  // namespace services
