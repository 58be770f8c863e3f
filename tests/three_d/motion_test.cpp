// Motions of the viewer and the object: the worked poses, each motion undone by its
// inverse, aiming against looking at, viewer and object twins on mirrored inputs, and
// refused directions.
#include <cmath>
#include <functional>
#include <limits>

#include "support.h"

namespace {

using test::bits;
using test::identity3d;
using test::M12;
using test::matrix3d;
using Motion3D = test::Library;
constexpr double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();

// The viewer position (rs_3Dgetpov) in m[3], m[7], m[11], where selector 1 puts the object's.
M12 viewer_position() {
    M12 m = identity3d;
    rs_3Dgetpov(&m[3], &m[7], &m[11], nullptr, nullptr, nullptr);
    return m;
}
std::array<M12, 4> pose() { return {matrix3d(2), matrix3d(5), matrix3d(6), viewer_position()}; }

int (*const moves[])(double) = {rs_3Dmoveforward, rs_3Dmoveright, rs_3Dmoveup};
int (*const moves_object[])(double) = {rs_3Dmoveforwardobject, rs_3Dmoverightobject, rs_3Dmoveupobject};
int (*const turns[])(int) = {rs_3Droll, rs_3Drotateright, rs_3Drotateup};
int (*const turns_object[])(int) = {rs_3Drollobject, rs_3Drotaterightobject, rs_3Drotateupobject};

TEST_F(Motion3D, WorkedPoses) {
    const std::pair<std::function<void()>, M12> cases[] = {
        {[] { rs_3Dmoveforward(10); }, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -10}},
        {[] { rs_3Drotateright(900); }, {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0}},
        {[] { rs_3Droll(900); }, {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0}},
        {[] { rs_3Drotateup(900); }, {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0}},
        {[] { rs_3Dpov(1, 2, 3, 100, 200, 300), rs_3Daxisangle(0, 1, 0, 900); }, {0, 0, -1, 3, 0, 1, 0, -2, 1, 0, 0, -1}},
        {[] { rs_3Drotate(0, 1, 0); }, {-1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0}},  // both fallbacks
        {[] { rs_3Dlookat(0, 0, -5, 0, 0, 1); }, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 5}},
    };
    for (const auto& [run, expected] : cases) {
        rs_3Dpov(0, 0, 0, 0, 0, 0);
        run();
        EXPECT_EQ(matrix3d(5), expected) << &run - &cases[0].first;
    }
    rs_3Dsetobject(0, 0, 0, 0, 0, 0);
    rs_3Dmoveforwardobject(10);  // the object moves the other way
    EXPECT_EQ(matrix3d(1)[11], -10);
}

// Quarter turns and moves of an axis-aligned pose by binary fractions round nothing, so
// they undo exactly (a zero may come back with the other sign); other angles and poses
// come back to within a few ulps.
TEST_F(Motion3D, EachMotionUndoneByItsInverse) {
    for (const int a : {900, 123}) {
        for (int i = 0; i < 12; ++i) {
            rs_3Dpov(1.5, -2.25, 3, a, 2 * a, 3 * a);
            rs_3Dsetobject(-0.5, 4, 0.75, 3 * a, a, 2 * a);
            const auto before = pose();
            for (const int sign : {1, -1}) {
                if (i < 6) (i < 3 ? moves[i] : moves_object[i - 3])(sign * 2.5);
                else (i < 9 ? turns[i - 6] : turns_object[i - 9])(sign * a);
            }
            const auto after = pose();
            for (size_t m = 0; m < 4; ++m)
                for (size_t k = 0; k < 12; ++k) {
                    const double tolerance = a == 900 ? 0 : 4e-15 * (1 + std::fabs(before[m][k]));
                    EXPECT_NEAR(after[m][k], before[m][k], tolerance) << "motion " << i << ", matrix " << m;
                }
        }
    }
}

TEST_F(Motion3D, AxisAngleOfTheOppositeAngleIsTheTranspose) {
    rs_3Daxisangle(1, -2, 0.5, 1234);
    const M12 r = matrix3d(3);
    rs_3Daxisangle(1, -2, 0.5, -1234);
    const M12 t = matrix3d(3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(std::bit_cast<uint64_t>(r[4 * i + j]), std::bit_cast<uint64_t>(t[4 * j + i]));
}

TEST_F(Motion3D, LookatAndRotateGiveTheSameViewForTheSameDirection) {
    const double e[3] = {0.5, -1.25, 2}, directions[][3] = {{1, 2, 3}, {0, 1, 0}, {0, -5, 0}, {0, 0, -1}, {1e-3, 0, 0}};
    rs_3Dupvector(0.25, 1, 0);
    for (const auto& d : directions) {
        ASSERT_EQ(rs_3Dlookat(e[0], e[1], e[2], e[0] + d[0], e[1] + d[1], e[2] + d[2]), 0);
        const M12 looked = matrix3d(5);
        rs_3Dpov(9, 9, 9, 100, 200, 300);
        rs_3Dmove(e[0], e[1], e[2]);
        ASSERT_EQ(rs_3Drotate(d[0], d[1], d[2]), 0);
        EXPECT_EQ(bits(matrix3d(5)), bits(looked)) << d[0] << ", " << d[1] << ", " << d[2];
    }
}

// With the viewer and the object in the same pose, a viewer motion and its object twin
// (given the mirrored distance, as the two move opposite ways) leave the same rotation and
// position; the viewer keeps the combined matrix, the object recomputes it.
TEST_F(Motion3D, ViewerAndObjectTwinsAgreeOnMirroredInputs) {
    for (int i = 0; i < 9; ++i) {
        rs_3Dpov(0.1, 0.2, 0.3, 11, 222, 3333);
        rs_3Dsetobject(0.1, 0.2, 0.3, 11, 222, 3333);
        const M12 combined = matrix3d(6);
        for (const bool object : {false, true}) {
            const int result = i < 3   ? (object ? moves_object : moves)[i](object ? -1.7 : 1.7)
                               : i < 6 ? (object ? turns_object : turns)[i - 3](1234 - 1000 * i)
                               : i == 6 ? (object ? rs_3Dmoveobject : rs_3Dmove)(1, -2, 3.5)
                               : i == 7 ? (object ? rs_3Drotateobject : rs_3Drotate)(-1, 2, 0.5)
                                        : (object ? rs_3Daxisangleobject : rs_3Daxisangle)(0.3, 0.4, -1, 450);
            EXPECT_EQ(result, 0) << i;
            if (!object) {
                EXPECT_EQ(bits(matrix3d(6)), bits(combined)) << i;
            }
        }
        EXPECT_TRUE(bits(matrix3d(3)) == bits(matrix3d(0)) && bits(viewer_position()) == bits(matrix3d(1))) << i;
        const M12 after = matrix3d(6), o = matrix3d(2);
        rs_3Dsetmatrix(o.data(), 2, 1);  // recomputes V·O
        EXPECT_EQ(bits(after), bits(matrix3d(6))) << i;
    }
}

TEST_F(Motion3D, RefusedDirectionsChangeNothing) {
    const std::function<int()> refused[] = {
        [] { return rs_3Dlookat(1, 2, 3, 1, 2, 3); },          [] { return rs_3Dlookat(1, 2, 3, 1, 2, 3.0001); },
        [] { return rs_3Dlookat(nan, 0, 0, 1, 2, 3); },        [] { return rs_3Dlookat(-1e200, 0, 0, 1e200, 0, 0); },
        [] { return rs_3Drotate(0, 0, 0); },                   [] { return rs_3Drotate(inf, 0, 0); },
        [] { return rs_3Drotateobject(0, nan, 1); },           [] { return rs_3Daxisangle(0, 0, 0, 900); },
        [] { return rs_3Daxisangleobject(nan, 1, 0, 900); },
    };
    rs_3Dpov(1, -2, 3, 40, 50, 60);
    rs_3Dsetobject(4, 5, -6, 70, 80, 90);
    const auto before = pose();
    for (const auto& call : refused) {
        EXPECT_EQ(call(), -1) << &call - refused;
        for (size_t m = 0; m < 4; ++m) EXPECT_EQ(bits(pose()[m]), bits(before[m])) << &call - refused;
    }
}

TEST_F(Motion3D, DegenerateUpVectorsFallBackToTheWorldAxes) {
    const double ups[][3] = {{0, 0, 0}, {nan, 0, 0}, {0, 1e200, 0}, {0, 0, 5}};
    for (const auto& u : ups) {
        rs_3Dupvector(u[0], u[1], u[2]);
        EXPECT_TRUE(rs_3Drotate(0, 0, 2) == 0 && matrix3d(5) == identity3d) << u[0] << ", " << u[1] << ", " << u[2];
    }
}

}  // namespace
