// Value types of the 3D pipeline: a point or direction, and a 3 × 4 affine matrix.
//
// Results of the pipeline are fixed to the last bit, so each operation here spells out
// the order of its roundings: sums run left to right (x, then y, then z, then the
// translation), and every product is rounded before it is added. The files that use
// these are compiled without contraction into fused multiply-adds.
#pragma once

namespace three_d {

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

constexpr Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
constexpr Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
constexpr Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
constexpr Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
constexpr Vec3 operator/(Vec3 a, double s) { return {a.x / s, a.y / s, a.z / s}; }
constexpr double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Three rows of four, row-major as the 12 doubles that callers pass: columns 0..2 are the
// rotation, column 3 the translation. A point p maps to m·(p, 1); the implicit fourth row
// is (0, 0, 0, 1).
struct Mat34 {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    constexpr Vec3 row(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
    constexpr void set_row(int i, Vec3 v) {
        m[i][0] = v.x;
        m[i][1] = v.y;
        m[i][2] = v.z;
    }
    constexpr Vec3 translation() const { return {m[0][3], m[1][3], m[2][3]}; }
    constexpr void set_translation(Vec3 t) {
        m[0][3] = t.x;
        m[1][3] = t.y;
        m[2][3] = t.z;
    }
    constexpr Vec3 apply(Vec3 p) const {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
    }
};

// a·b as 4 × 4 affine matrices: the rotation's sums over k = 0..2, then a's translation
// added last.
constexpr Mat34 compose(const Mat34& a, const Mat34& b) {
    Mat34 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        r.m[i][3] = r.m[i][3] + a.m[i][3];
    }
    return r;
}

}  // namespace three_d
