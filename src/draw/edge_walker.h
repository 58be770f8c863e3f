// The two-chain edge walker behind every polygon scan converter.
//
// A convex polygon is filled one span per row between two boundary chains that both start
// at the top vertex (the first vertex with the smallest y) and end at the bottom vertex
// (the first with the largest y): chain A walks the vertex list backward, chain B
// forward. Each chain steps along its current edge with an integer x and an error term
// (the edge record below), so that on the row k rows below the edge's upper vertex x is
// exactly x_upper + ceil(k × dx / dy); horizontal edges are skipped. The bottom vertex's
// row is never reached: a chain that steps onto it has finished, and so has the walk.
//
// Rasterizers that interpolate more than x along the edges (colour, depth, texture
// coordinates) pass an attribute type: the walker calls begin() when a chain takes a new
// edge, step() for each row it moves down, and skip(k) when it jumps k rows at once
// (rows above the clip rectangle are jumped, not walked). The attributes ride on the
// same walk; they never decide where a span starts or ends.
//
// Polygons that are not monotone in y are not filled correctly, but safely: a chain that
// meets an edge going up has finished there, so the walk ends within the rows between
// the top and bottom vertices and each chain visits each vertex at most once. All
// arithmetic is 64-bit (128-bit for jumps), so no vertex values can make it wrap.
#pragma once

#include <cstdint>

#include "core/int128.h"

namespace draw {

// A vertex list as the fill routines take it: n pairs x, y of 32-bit integers, before
// any offsets are added.
struct VertexList {
    const int* v = nullptr;
    int n = 0;
    int64_t x(int i) const { return v[2 * int64_t(i)]; }
    int64_t y(int i) const { return v[2 * int64_t(i) + 1]; }
};

struct NoEdgeAttributes {
    void begin(int /*upper*/, int /*lower*/, int64_t /*dy*/) {}
    void step() {}
    void skip(int64_t /*rows*/) {}
};

template <class Attr = NoEdgeAttributes>
struct EdgeChain {
    using int128 = core::int128;

    int direction = 0;       // -1: walks the vertex list backward, +1: forward
    int64_t rows_left = 0;   // rows until the current edge's lower vertex (its dy at first)
    int lower = 0;           // index of the current edge's lower vertex
    int64_t step = 0;        // dx / dy truncated toward zero
    int correction = 0;      // +1 if dx >= 0, else -1
    int64_t error = 0;       // starts at 0 if dx >= 0, else at 1 - dy; stays in (-dy, 0]
    int64_t increment = 0;   // |dx| mod dy
    int64_t decrement = 0;   // dy
    int64_t x = 0;           // x on the current row
    Attr attr{};

    // Takes the first edge from vertex i that goes down, skipping horizontal ones. False
    // (record unchanged) when the chain has finished: i is the bottom vertex, or the next
    // edge goes up.
    bool setup(const VertexList& p, int i, int bottom) {
        for (int guard = 0; guard < p.n && i != bottom; ++guard) {
            int j = i + direction;
            if (j == p.n) j = 0;
            if (j < 0) j = p.n - 1;
            const int64_t dy = p.y(j) - p.y(i);
            if (dy < 0) return false;
            if (dy == 0) {
                i = j;
                continue;
            }
            const int64_t dx = p.x(j) - p.x(i);
            rows_left = dy;
            lower = j;
            step = dx / dy;
            correction = dx >= 0 ? 1 : -1;
            error = dx >= 0 ? 0 : 1 - dy;
            increment = (dx >= 0 ? dx : -dx) % dy;
            decrement = dy;
            x = p.x(i);
            attr.begin(i, j, dy);
            return true;
        }
        return false;
    }

    // One row down. False when the chain finished on this step; x then keeps the value
    // it had on the row above.
    [[gnu::always_inline]] bool next_row(const VertexList& p, int bottom) {
        if (--rows_left == 0) {
            if (!setup(p, lower, bottom)) {
                rows_left = 1;
                return false;
            }
            return true;
        }
        x += step;
        error += increment;
        if (error > 0) {
            x += correction;
            error -= decrement;
        }
        attr.step();
        return true;
    }

    // k rows down at once (k >= 0), with the same result as k calls of next_row.
    bool skip_rows(const VertexList& p, int bottom, int64_t k) {
        while (k >= rows_left) {
            const int64_t rows = rows_left;
            if (!setup(p, lower, bottom)) {
                advance(rows - 1);
                rows_left = 1;
                return false;
            }
            k -= rows;
        }
        advance(k);
        return true;
    }

private:
    // k steps along the current edge (k < rows_left): each adds increment to the error
    // and corrects x once whenever the error turns positive, so the corrections taken are
    // ceil((error + k × increment) / dy), none while that sum stays at or below 0.
    void advance(int64_t k) {
        if (k <= 0) return;
        const int128 sum = int128(error) + int128(k) * increment;
        const int128 corrections = sum > 0 ? (sum + decrement - 1) / decrement : 0;
        x = int64_t(x + int128(k) * step + corrections * correction);
        error = int64_t(sum - corrections * decrement);
        rows_left -= k;
        attr.skip(k);
    }
};

// First vertex with the smallest y and first with the largest y.
inline void top_and_bottom(const VertexList& p, int& top, int& bottom) {
    top = bottom = 0;
    for (int i = 1; i < p.n; ++i) {
        if (p.y(i) < p.y(top)) top = i;
        if (p.y(i) > p.y(bottom)) bottom = i;
    }
}

// Walks the rows of the polygon: top_row is the screen row of the top vertex; rows before
// first_row are jumped; span(y, a, b) is called for each row from max(top_row, first_row)
// until the walk finishes (the row above the bottom vertex) or row last_row is done.
template <class Attr, class Span>
void walk_rows(const VertexList& p, int top, int bottom, int64_t top_row, int64_t first_row, int64_t last_row,
               EdgeChain<Attr>& a, EdgeChain<Attr>& b, Span&& span) {
    a.direction = -1;
    b.direction = +1;
    if (!a.setup(p, top, bottom) || !b.setup(p, top, bottom)) return;
    int64_t y = top_row;
    if (first_row > y) {
        if (!a.skip_rows(p, bottom, first_row - y) || !b.skip_rows(p, bottom, first_row - y)) return;
        y = first_row;
    }
    for (; y <= last_row; ++y) {
        span(y, a, b);
        if (!a.next_row(p, bottom) || !b.next_row(p, bottom)) return;
    }
}

}  // namespace draw
