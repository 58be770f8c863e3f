// Transforming and projecting points: rs_3Dtransform then rs_3Dproject over 100,000 world
// points, against one plain loop that does the same double arithmetic inline and writes
// the same view-space and screen points. Items per second = points per second.
// Ratio: TransformProject over TransformProjectInline.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fixture.h"

namespace {

constexpr int points = 100000;

// World points in a box in front of the viewer (below), from a linear congruential walk.
const std::vector<double>& world() {
    static const std::vector<double> xyz = [] {
        std::vector<double> v;
        uint32_t s = 2463534242u;
        for (int i = 0; i < 3 * points; ++i) {
            s = s * 1664525u + 1013904223u;
            v.push_back(double(s >> 8) / double(1 << 24) * 200.0 - 100.0);
        }
        return v;
    }();
    return xyz;
}

// A turned viewer 400 units from the box, and a full-HD viewport.
void set_view() {
    rs_3Dpov(30, -20, -400, 37, 55, 12);
    rs_3Dviewport(0, 1919, 0, 1079, 0.5);
}

struct Output {
    std::vector<double> view = std::vector<double>(3 * points);
    std::vector<int> screen = std::vector<int>(2 * points);
};

// The same arithmetic as the library, in the same order: the view matrix applied to each
// point, then x·(1/z)·scale rounded half to even plus the centre.
void inline_loop(const double* m, double scale, int cx, int cy, const double* in, Output& out) {
    double* v = out.view.data();
    int* s = out.screen.data();
    for (int i = 0; i < points; ++i, in += 3, v += 3, s += 2) {
        const double x = m[0] * in[0] + m[1] * in[1] + m[2] * in[2] + m[3];
        const double y = m[4] * in[0] + m[5] * in[1] + m[6] * in[2] + m[7];
        const double z = m[8] * in[0] + m[9] * in[1] + m[10] * in[2] + m[11];
        v[0] = x, v[1] = y, v[2] = z;
        const double r = 1.0 / z;
        s[0] = int(std::rint(x * r * scale)) + cx;
        s[1] = int(std::rint(y * r * -scale)) + cy;
    }
}

// The inline loop's results, to check that the library's calls did the same work.
const Output& expected() {
    static const Output out = [] {
        set_view();
        double m[12];
        rs_3Dgetmatrix(m, 5);
        Output o;
        inline_loop(m, 960.0, 960, 540, world().data(), o);
        return o;
    }();
    return out;
}

bool same(benchmark::State& state, const Output& out) {
    const Output& e = expected();
    return bench::verify(state,
                         std::memcmp(out.view.data(), e.view.data(), out.view.size() * sizeof(double)) == 0 &&
                             out.screen == e.screen,
                         "the points differ from the inline arithmetic");
}

void TransformProject(benchmark::State& state) {
    set_view();
    Output out;
    int result = 0;
    for (auto _ : state) {
        result |= rs_3Dtransform(world().data(), out.view.data(), points);
        result |= rs_3Dproject(out.view.data(), out.screen.data(), points);
        benchmark::ClobberMemory();
    }
    if (bench::verify(state, result == 0, "a point did not fit the screen")) same(state, out);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

void TransformProjectInline(benchmark::State& state) {
    set_view();
    double m[12];
    rs_3Dgetmatrix(m, 5);
    Output out;
    for (auto _ : state) {
        inline_loop(m, 960.0, 960, 540, world().data(), out);
        benchmark::ClobberMemory();
    }
    same(state, out);
    state.SetItemsProcessed(int64_t(state.iterations()) * points);
}

BENCHMARK(TransformProject);
BENCHMARK(TransformProjectInline);

}  // namespace
