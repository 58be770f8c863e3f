// Text. System-font text in glyphs per second ("items" are glyphs): rs_print of an
// 80-character line with DejaVu Sans Mono at 16 pixels, monochrome, at each depth, against
// SDL_ttf rendering the same line with the same face and size solid (monochrome) into a
// surface and blitting it into a 32-bit surface, where SDL_ttf is installed. Stroke text
// in strokes per second: rs_swchar of a line of capitals 32 pixels tall, against rs_draw
// of the same segments (the glyph strokes at the same places, taken from the same glyph
// data), so the ratio is what the world-coordinate walk costs on top of the lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "fixture.h"
#include "services/stroke_glyphs.h"

#ifdef RSW32_HAVE_SDL_TTF
#include <SDL.h>
#include <SDL_ttf.h>
#endif

namespace {

constexpr const char* line80 =
    "The quick brown fox jumps over the lazy dog; PACK MY BOX WITH FIVE DOZEN JUGS! 0";
constexpr int glyphs = 80;
static_assert(sizeof("The quick brown fox jumps over the lazy dog; PACK MY BOX WITH FIVE DOZEN JUGS! 0") == 81);

constexpr const char* mono_face = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

void Print(benchmark::State& state) {
    const int depth = int(state.range(0));
    const int vb = bench::open(depth);
    if (depth == 8) rs_setrgb(int(bench::color_for(8)), 0xC3, 0x5A, 0x12);
    rs_setcolor(int(bench::color_for(depth)));
    RS_HFONT font = rsp_font_create("DejaVu Sans Mono", 16, 400, 0, 0);
    rs_logfont(font);
    rs_justify(-1, -1);
    for (auto _ : state) {
        rs_move(8, 100);
        rs_print(line80, glyphs);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * glyphs);
    // At 8 bits the text takes the palette index nearest its colour, so count what is
    // not the zeroed background instead.
    const int64_t inked = int64_t(bench::width) * bench::height - bench::count(vb, 0);
    bench::verify(state, inked > 500, "rs_print drew no line of text");
    rs_fontload(10);
    rsp_font_destroy(font);
}
BENCHMARK(Print)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

#ifdef RSW32_HAVE_SDL_TTF
void TtfSolidBlit(benchmark::State& state) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return void(state.SkipWithError("TTF_Init failed"));
    TTF_Font* font = TTF_OpenFont(mono_face, 16);
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, bench::width, bench::height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!font || !target) return void(state.SkipWithError("no font file or surface for SDL_ttf"));
    const SDL_Color colour = {0xC3, 0x5A, 0x12, 0xFF};
    for (auto _ : state) {
        SDL_Surface* text = TTF_RenderUTF8_Solid(font, line80, colour);
        SDL_Rect at = {8, 100 - 16, 0, 0};
        SDL_BlitSurface(text, nullptr, target, &at);
        SDL_FreeSurface(text);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * glyphs);
    const int64_t inked = int64_t(bench::width) * bench::height -
                          bench::count(static_cast<const uint8_t*>(target->pixels), int64_t(bench::width) * bench::height, 32, 0);
    bench::verify(state, inked > 500, "SDL_ttf drew no line of text");
    SDL_FreeSurface(target);
    TTF_CloseFont(font);
}
BENCHMARK(TtfSolidBlit);
#endif

// ---- stroke text ------------------------------------------------------------------------

constexpr const char* stroke_line = "STROKE TEXT AT ANY SIZE, ANGLE AND RATIO 0123456789";
constexpr int stroke_size = 32;  // pixels from baseline to the top of a capital

struct Segment {
    int x0, y0, x1, y1;
};

// The strokes rs_swchar draws for stroke_line from (x, y) in a world window of one unit
// to the pixel, rounded as the library's world conversion rounds them.
std::vector<Segment> stroke_segments(int x, int y) {
    const double u = stroke_size / 21.0;
    std::vector<Segment> out;
    double base = x;
    for (const char* s = stroke_line; *s; ++s) {
        const int8_t* g = services::stroke_font1_data + services::stroke_font1_index[uint8_t(*s)];
        const int left = g[0], right = g[1], n = uint8_t(g[2]);
        bool down = false;
        int px = 0, py = 0;
        for (int k = 0; k < n; ++k) {
            const int gx = g[3 + 2 * k], gy = g[4 + 2 * k];
            if (gx == services::stroke_pen_up) {
                down = false;
                continue;
            }
            const int qx = int(std::trunc(base + (gx - left) * u + 0.5)), qy = int(std::trunc(y - (9 - gy) * u + 0.5));
            if (down) out.push_back({px, py, qx, qy});
            px = qx, py = qy, down = true;
        }
        base += (right - left) * u;
    }
    return out;
}

void stroke_setup(int depth) {
    bench::open(depth);
    rs_setcolor(int(bench::color_for(depth)));
    rs_initw();
    rs_setworld(0, bench::width - 1, 0, bench::height - 1);
    rs_setsize(stroke_size);
}

void SwChar(benchmark::State& state) {
    const int depth = int(state.range(0));
    stroke_setup(depth);
    const int n = int(std::strlen(stroke_line));
    for (auto _ : state) {
        rs_move(20, 200);
        rs_swchar(stroke_line, n, -1);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(stroke_segments(20, 200).size()));
    bench::verify(state, bench::count(bench::buffer(depth), bench::stored(depth, bench::color_for(depth))) > 1000,
                  "rs_swchar drew no strokes");
    rs_initw();
}
BENCHMARK(SwChar)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

void SwSegments(benchmark::State& state) {
    const int depth = int(state.range(0));
    stroke_setup(depth);
    const std::vector<Segment> segments = stroke_segments(20, 200);
    for (auto _ : state) {
        for (const Segment& s : segments) {
            rs_move(s.x0, s.y0);
            rs_draw(s.x1, s.y1);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(segments.size()));
    bench::verify(state, bench::count(bench::buffer(depth), bench::stored(depth, bench::color_for(depth))) > 1000,
                  "rs_draw drew no strokes");
    rs_initw();
}
BENCHMARK(SwSegments)->ArgName("bits")->Arg(8)->Arg(16)->Arg(24)->Arg(32);

}  // namespace
