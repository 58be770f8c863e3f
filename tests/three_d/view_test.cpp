// The 3D viewing state: its starting values, the matrix selectors, placing the viewer,
// transformation, projection onto the screen and the depth test.
#include <climits>
#include <cmath>
#include <limits>

#include "support.h"
#include "three_d/state.h"

namespace {

using test::bits;
using test::identity3d;
using test::matrix3d;
using test::M12;
using View3D = test::Library;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

void restart() {
    rs_vbfin();
    rs_vbinit();
}

TEST_F(View3D, RsVbinitRestoresTheStartingState) {
    rs_3Dpov(1, 2, 3, 100, 200, 300);
    rs_3Dsetobject(4, 5, 6, 400, 500, 600);
    rs_3Dviewport(0, 99, 0, 99, 2.0);
    rs_3Dsetzclip(5, 6);
    rs_3Dupvector(1, 0, 0);
    rs_3Drenderstate(RS_ZCLIP | 0x100u);
    restart();
    for (int which : {0, 2, 3, 5, 6}) EXPECT_EQ(matrix3d(which), identity3d) << which;
    const three_d::State& s = three_d::state();
    EXPECT_EQ(s.up.y, 1.0);
    EXPECT_EQ(s.znear, 1.0);
    EXPECT_EQ(s.zfar, 1000.0);
    EXPECT_EQ(s.render, 0u);
    const double p[3] = {1e6, -1e6, 3};  // scale 0: every point projects to (0, 0)
    int xy[2] = {7, 7};
    EXPECT_EQ(rs_3Dproject(p, xy, 1), 0);
    EXPECT_EQ(xy[0], 0);
    EXPECT_EQ(xy[1], 0);
}

TEST_F(View3D, MatrixSelectorsRoundTrip) {
    const M12 m = {0.5, -1, 2, 3, 4, 5.25, -6, 7, 8, 9, 10.5, -11};
    struct Case {
        int which;
        M12 read;  // what rs_3Dgetmatrix(which) gives after rs_3Dsetmatrix(m, which, 0)
    } cases[] = {{0, {0.5, -1, 2, 0, 4, 5.25, -6, 0, 8, 9, 10.5, 0}}, {1, {1, 0, 0, 3, 0, 1, 0, 7, 0, 0, 1, -11}},
                 {2, m}, {3, {0.5, -1, 2, 0, 4, 5.25, -6, 0, 8, 9, 10.5, 0}},
                 {4, {1, 0, 0, 3, 0, 1, 0, 7, 0, 0, 1, -11}}, {5, m}, {6, m}};
    for (const auto& c : cases) {
        restart();
        EXPECT_EQ(rs_3Dsetmatrix(m.data(), c.which, 0), 0);
        EXPECT_EQ(bits(matrix3d(c.which)), bits(c.read)) << c.which;
        if (c.which != 6) {
            EXPECT_EQ(matrix3d(6), identity3d) << "combined follows only with update";
        }
    }
    M12 untouched = m;
    rs_3Dgetmatrix(untouched.data(), 7);
    rs_3Dsetmatrix(identity3d.data(), -1, 1);
    EXPECT_EQ(untouched, m);
    EXPECT_EQ(matrix3d(6), m);
}

TEST_F(View3D, UpdateRepairsTheTranslationAndTheCombinedMatrix) {
    const M12 at = {1, 0, 0, 2, 0, 1, 0, 3, 0, 0, 1, 4};
    rs_3Dsetmatrix(at.data(), 1, 0);  // the position alone
    EXPECT_EQ(matrix3d(2), identity3d);
    rs_3Dsetmatrix(at.data(), 1, 1);
    EXPECT_EQ(matrix3d(2), at);
    EXPECT_EQ(matrix3d(6), at);
    rs_3Dpov(0, 0, 0, 900, 0, 0);       // viewer rows (1,0,0), (0,0,-1), (0,1,0)
    rs_3Dsetmatrix(at.data(), 4, 1);    // offset (2, 3, 4): V translation = R·o
    EXPECT_EQ(matrix3d(5), (M12{1, 0, 0, 2, 0, 0, -1, -4, 0, 1, 0, 3}));
    EXPECT_EQ(matrix3d(6), (M12{1, 0, 0, 4, 0, 0, -1, -8, 0, 1, 0, 6}));
}

TEST_F(View3D, PovBuildsTheRotationFromThreeAngles) {
    rs_3Dpov(0, 0, 0, 900, 0, 0);
    EXPECT_EQ(matrix3d(5), (M12{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0}));
    rs_3Dpov(1, 2, 3, 0, 0, 900);  // Rz: rows (0,-1,0), (1,0,0), (0,0,1)
    EXPECT_EQ(matrix3d(5), (M12{0, -1, 0, 2, 1, 0, 0, -1, 0, 0, 1, -3}));
    double p[6];
    rs_3Dgetpov(&p[0], &p[1], &p[2], &p[3], &p[4], &p[5]);
    EXPECT_EQ(std::vector<double>(p, p + 6), (std::vector<double>{1, 2, 3, 0, 0, 1}));
    rs_3Dpov(0, 0, 0, 3600, -7200, 36000);
    EXPECT_EQ(matrix3d(5), identity3d);
    EXPECT_EQ(matrix3d(6), identity3d) << "the viewer leaves the combined matrix alone";
}

// view x = ((1 + 2^-30)(1 + 2^-30) + (-1)(1)) + 0: the rounded product loses 2^-60, which a
// fused multiply-add would keep.
TEST_F(View3D, ProductsAreRoundedBeforeTheyAreAdded) {
    const double a = 1 + 0x1p-30;
    const M12 m = {a, -1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    rs_3Dsetmatrix(m.data(), 5, 0);
    const double in[3] = {a, 1, 0};
    double out[3];
    rs_3Dtransform(in, out, 1);
    EXPECT_EQ(out[0], 0x1p-29);
    const M12 o = {a, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0};
    rs_3Dsetmatrix(o.data(), 2, 1);  // combined element 0 = a·a + (-1)·1 + 0·0, the same sum
    EXPECT_EQ(matrix3d(6)[0], 0x1p-29);
}

TEST_F(View3D, TransformUsesTheViewOrTheStaleCombinedMatrix) {
    rs_3Dsetobject(0, 0, 5, 0, 0, 0);
    rs_3Dmove(0, 0, -10);
    const double in[6] = {1, 2, 3, -4, 0.5, 0};
    double view[6], object[6];
    rs_3Dtransform(in, view, 2);
    rs_3Dtransformobject(in, object, 2);
    EXPECT_EQ(std::vector<double>(view, view + 6), (std::vector<double>{1, 2, 13, -4, 0.5, 10}));
    EXPECT_EQ(std::vector<double>(object, object + 6), (std::vector<double>{1, 2, 8, -4, 0.5, 5}));
    double inplace[6] = {1, 2, 3, -4, 0.5, 0};
    rs_3Dtransform(inplace, inplace, 2);
    EXPECT_EQ(std::vector<double>(inplace, inplace + 6), std::vector<double>(view, view + 6));
    EXPECT_EQ(rs_3Dtransform(nullptr, view, 2), 0);
    EXPECT_EQ(rs_3Dtransform(in, view, -1), 0);
}

TEST_F(View3D, ProjectionRoundsHalvesToEvenAroundTheCentre) {
    EXPECT_EQ(rs_3Dviewport(0, 639, 0, 479, 0.5), 0);  // scale 320, centre (320, 240)
    struct Case {
        double x, y, z;
        int sx, sy;
    } cases[] = {
        {1, 1, 2, 480, 80}, {0, 0, 7, 320, 240},
        {1.0 / 128, 1.0 / 128, 1, 322, 238},          // on the near plane: 2.5 -> 2, -2.5 -> -2
        {3.0 / 128, 3.0 / 128, 1, 328, 232},          // 7.5 -> 8, -7.5 -> -8
        {-51182.8125, 0, 1000, -16059, 240},          // on the far plane: x·(1/z) first, then the scale
        {-1, -1, -2, 480, 80},                        // behind the viewer: mirrored
    };
    for (const Case& c : cases) {
        const double p[3] = {c.x, c.y, c.z};
        int xy[2];
        EXPECT_EQ(rs_3Dproject(p, xy, 1), 0);
        EXPECT_EQ(xy[0], c.sx) << c.x << ", " << c.y << ", " << c.z;
        EXPECT_EQ(xy[1], c.sy) << c.x << ", " << c.y << ", " << c.z;
    }
}

TEST_F(View3D, CoordinatesThatDoNotFitAnIntAreReported) {
    rs_3Dviewport(-1, 0, -1, 0, 0.5);  // scale 1, centre (0, 0)
    struct Case {
        double x, z;
        int sx, result;
    } cases[] = {{2147483647, 1, INT_MAX, 0},       {-2147483648.0, 1, INT_MIN, 0},
                 {2147483647.5, 1, INT_MIN, -1},    {-2147483648.5, 1, INT_MIN, 0},  // ties to even
                 {-2147483649.0, 1, INT_MIN, -1},   {1, 0, INT_MIN, -1},
                 {0, 0, INT_MIN, -1},               {nan, 1, INT_MIN, -1},
                 {1e300, 1e-300, INT_MIN, -1}};
    for (const Case& c : cases) {
        const double p[6] = {c.x, 0, c.z, 3, 0, 1};
        int xy[4];
        EXPECT_EQ(rs_3Dproject(p, xy, 2), c.result) << c.x << " / " << c.z;
        EXPECT_EQ(xy[0], c.sx) << c.x << " / " << c.z;
        EXPECT_EQ(xy[2], 3) << "the points after a bad one are still projected";
    }
    rs_3Dviewport(2147483000, INT_MAX, 0, 0, 1.0);  // centre near INT_MAX: the sum overflows
    const double p[3] = {1e6, 0, 1};
    int xy[2];
    EXPECT_EQ(rs_3Dproject(p, xy, 1), -1);
    EXPECT_EQ(xy[0], INT_MIN);
}

TEST_F(View3D, ViewportCentreScaleAndBadRectangles) {
    const three_d::State& s = three_d::state();
    struct Case {
        int minx, maxx, miny, maxy, result, cx, cy;
        double scale;
    } cases[] = {{INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0, 0, 0x1p31},
                 {0, 9, 0, 9, 0, 5, 5, 5.0},         {-5, 4, 10, 12, 0, 0, 11, 5.0},
                 {10, 9, 0, 0, -1, 0, 0, 5.0},       {0, 0, 5, 4, -1, 0, 0, 5.0}};  // inverted: kept
    for (const Case& c : cases) {
        EXPECT_EQ(rs_3Dviewport(c.minx, c.maxx, c.miny, c.maxy, 0.5), c.result) << c.minx << ".." << c.maxx;
        if (c.result == 0) {
            EXPECT_EQ(s.center_x, c.cx);
            EXPECT_EQ(s.center_y, c.cy);
        }
        EXPECT_EQ(s.scale_x, c.scale);
        EXPECT_EQ(s.scale_y, -c.scale);
    }
}

TEST_F(View3D, BehindViewerComparesTheDepthAlongTheForwardAxis) {
    rs_3Dpov(0, 0, -10, 0, 0, 0);  // the origin lies at depth 10
    struct Case {
        double z, distance;
        int behind;
    } cases[] = {{0, 10, 0}, {0, 10.5, 1}, {0, 9, 0}, {-20, 0, 1}, {nan, 0, 1}, {0, nan, 1}};
    for (const Case& c : cases) EXPECT_EQ(rs_3Dbehindviewer(0, 0, c.z, c.distance), c.behind) << c.z << ", " << c.distance;
}

}  // namespace
