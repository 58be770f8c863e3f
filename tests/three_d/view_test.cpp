// The 3D viewing state: its starting values, the matrix selectors, placing the viewer,
// transformation, projection onto the screen and the depth test.
#include <climits>
#include <limits>

#include "support.h"
#include "three_d/state.h"

namespace {

using test::bits;
using test::identity3d;
using test::M12;
using test::matrix3d;
using View3D = test::Library;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST_F(View3D, RsVbinitRestoresTheStartingState) {
    rs_3Dpov(1, 2, 3, 100, 200, 300);
    rs_3Dsetobject(4, 5, 6, 400, 500, 600);
    rs_3Dviewport(0, 99, 0, 99, 2.0);
    rs_3Dsetzclip(5, 6), rs_3Dupvector(1, 0, 0), rs_3Drenderstate(RS_ZCLIP | 0x100u);
    rs_vbfin();
    rs_vbinit();
    for (int which : {0, 2, 3, 5, 6}) EXPECT_EQ(matrix3d(which), identity3d) << which;
    const three_d::State& s = three_d::state();
    EXPECT_TRUE(s.up.y == 1 && s.znear == 1 && s.zfar == 1000 && s.render == 0 && s.scale_x == 0);
}

TEST_F(View3D, MatrixSelectorsRoundTripAndUpdateRepairs) {
    const M12 m = {0.5, -1, 2, 3, 4, 5.25, -6, 7, 8, 9, 10.5, -11};
    const M12 rotation = {0.5, -1, 2, 0, 4, 5.25, -6, 0, 8, 9, 10.5, 0}, at = {1, 0, 0, 3, 0, 1, 0, 7, 0, 0, 1, -11};
    const M12 reads[7] = {rotation, at, m, rotation, at, m, m};
    for (int which = 0; which < 7; ++which) {
        rs_3Dsetmatrix(identity3d.data(), 2, 1), rs_3Dsetmatrix(identity3d.data(), 5, 1);
        EXPECT_EQ(rs_3Dsetmatrix(m.data(), which, 0), 0);
        EXPECT_EQ(bits(matrix3d(which)), bits(reads[which])) << which;
        EXPECT_EQ(matrix3d(6), which == 6 ? m : identity3d) << which << ": combined follows only with update";
    }
    M12 untouched = m;
    rs_3Dgetmatrix(untouched.data(), 7);
    rs_3Dsetmatrix(identity3d.data(), -1, 1);
    EXPECT_TRUE(untouched == m && matrix3d(6) == m);
    rs_3Dsetmatrix(at.data(), 1, 1);  // the position into column 3 of O, then V·O
    EXPECT_TRUE(matrix3d(2) == at && matrix3d(6) == at);
    rs_3Dpov(0, 0, 0, 900, 0, 0);     // rows (1,0,0), (0,0,-1), (0,1,0)
    EXPECT_EQ(matrix3d(5), (M12{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0}));
    rs_3Dsetmatrix(at.data(), 4, 1);  // offset (3, 7, -11): V translation = rotation·offset
    EXPECT_EQ(matrix3d(5), (M12{1, 0, 0, 3, 0, 0, -1, 11, 0, 1, 0, 7}));
    EXPECT_EQ(matrix3d(6), (M12{1, 0, 0, 6, 0, 0, -1, 22, 0, 1, 0, 14}));
}

// view x = (1 + 2^-30)(1 + 2^-30) + (-1)(1): the rounded product loses 2^-60, which a fused
// multiply-add would keep. The combined matrix sums the same products.
TEST_F(View3D, ProductsAreRoundedBeforeTheyAreAdded) {
    const double a = 1 + 0x1p-30, in[3] = {a, 1, 0};
    const M12 v = {a, -1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}, o = {a, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0};
    rs_3Dsetmatrix(v.data(), 5, 0);
    double out[3];
    rs_3Dtransform(in, out, 1);
    EXPECT_EQ(out[0], 0x1p-29);
    rs_3Dsetmatrix(o.data(), 2, 1);
    EXPECT_EQ(matrix3d(6)[0], 0x1p-29);
}

TEST_F(View3D, TransformUsesTheViewOrTheCombinedMatrixKeptFromBeforeTheViewerMoved) {
    rs_3Dsetobject(0, 0, 5, 0, 0, 0);
    rs_3Dmove(0, 0, -10);
    double p[6] = {1, 2, 3, -4, 0.5, 0}, object[6];
    rs_3Dtransformobject(p, object, 2);
    rs_3Dtransform(p, p, 2);  // in place
    EXPECT_EQ(std::vector<double>(p, p + 6), (std::vector<double>{1, 2, 13, -4, 0.5, 10}));
    EXPECT_EQ(std::vector<double>(object, object + 6), (std::vector<double>{1, 2, 8, -4, 0.5, 5}));
}

TEST_F(View3D, ProjectionRoundsHalvesToEvenAroundTheCentre) {
    rs_3Dviewport(0, 639, 0, 479, 0.5);  // scale 320, centre (320, 240)
    const double p[][3] = {{1, 1, 2}, {0, 0, 7}, {-1, -1, -2},     // the last one behind the viewer
                           {1.0 / 128, 1.0 / 128, 1}, {3.0 / 128, 3.0 / 128, 1},  // near plane: ±2.5, ±7.5
                           {-51182.8125, 0, 1000}};                // far plane: x·(1/z), then the scale
    const int expected[][2] = {{480, 80}, {320, 240}, {480, 80}, {322, 238}, {328, 232}, {-16059, 240}};
    int xy[6][2];
    EXPECT_EQ(rs_3Dproject(&p[0][0], &xy[0][0], 6), 0);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(xy[i][0] == expected[i][0] && xy[i][1] == expected[i][1]) << i;
}

TEST_F(View3D, CoordinatesThatDoNotFitAnIntAreReported) {
    rs_3Dviewport(-1, 0, -1, 0, 0.5);  // scale 1, centre (0, 0)
    struct Case {
        double x, z;
        int sx, result;
    } cases[] = {{2147483647, 1, INT_MAX, 0},     {-2147483648.5, 1, INT_MIN, 0},  // ties to even
                 {2147483647.5, 1, INT_MIN, -1},  {-2147483649.0, 1, INT_MIN, -1}, {1, 0, INT_MIN, -1},
                 {0, 0, INT_MIN, -1},             {nan, 1, INT_MIN, -1},           {1e300, 1e-300, INT_MIN, -1}};
    for (const Case& c : cases) {
        const double p[6] = {c.x, 0, c.z, 3, 0, 1};
        int xy[4];
        EXPECT_EQ(rs_3Dproject(p, xy, 2), c.result) << c.x << " / " << c.z;
        EXPECT_TRUE(xy[0] == c.sx && xy[2] == 3) << c.x << " / " << c.z;
    }
    rs_3Dviewport(2147483000, INT_MAX, 0, 0, 1.0);  // centre near INT_MAX: the sum overflows
    const double p[3] = {1e6, 0, 1};
    int xy[2];
    EXPECT_EQ(rs_3Dproject(p, xy, 1), -1);
    EXPECT_EQ(xy[0], INT_MIN);
}

TEST_F(View3D, ViewportCentreScaleAndInvertedRectangles) {
    const three_d::State& s = three_d::state();
    struct Case {
        int minx, maxx, miny, maxy, result, cx, cy;
        double scale;
    } cases[] = {{INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0, 0, 0x1p31}, {0, 9, 0, 9, 0, 5, 5, 5.0},
                 {-5, 4, 10, 12, 0, 0, 11, 5.0}, {10, 9, 0, 0, -1, 0, 11, 5.0}, {0, 0, 5, 4, -1, 0, 11, 5.0}};
    for (const Case& c : cases) {
        EXPECT_EQ(rs_3Dviewport(c.minx, c.maxx, c.miny, c.maxy, 0.5), c.result) << c.minx << ".." << c.maxx;
        EXPECT_TRUE(s.center_x == c.cx && s.center_y == c.cy && s.scale_x == c.scale && s.scale_y == -c.scale);
    }
}

TEST_F(View3D, BehindViewerComparesTheDepthAlongTheForwardAxis) {
    rs_3Dpov(0, 0, -10, 0, 0, 0);  // the origin lies at depth 10
    const double cases[][3] = {{0, 10, 0}, {0, 10.5, 1}, {0, 9, 0}, {-20, 0, 1}, {nan, 0, 1}, {0, nan, 1}};
    for (const auto& c : cases) EXPECT_EQ(rs_3Dbehindviewer(0, 0, c[0], c[1]), int(c[2])) << c[0] << ", " << c[1];
}

}  // namespace
