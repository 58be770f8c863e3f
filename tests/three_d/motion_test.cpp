// Motions of the viewer and the object: the worked poses, each motion undone by its
// inverse, aiming against looking at, viewer and object twins on mirrored inputs, and
// refused directions.
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "support.h"

namespace {

using test::bits;
using test::identity3d;
using test::M12;
using test::matrix3d;
using Motion3D = test::Library;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Viewer position (rs_3Dgetpov) in m[3], m[7], m[11], as selector 1 gives the object's.
M12 viewer_position() {
    M12 m = identity3d;
    rs_3Dgetpov(&m[3], &m[7], &m[11], nullptr, nullptr, nullptr);
    return m;
}

struct Snapshot3D {
    M12 object = matrix3d(2), view = matrix3d(5), combined = matrix3d(6), at = viewer_position();
    bool operator==(const Snapshot3D&) const = default;  // values: a zero may change its sign
    bool same_bits(const Snapshot3D& o) const {
        return bits(object) == bits(o.object) && bits(view) == bits(o.view) &&
               bits(combined) == bits(o.combined) && bits(at) == bits(o.at);
    }
};

bool near(const M12& a, const M12& b) {
    for (size_t i = 0; i < 12; ++i)
        if (!(std::fabs(a[i] - b[i]) <= 4e-15 * (1 + std::fabs(b[i])))) return false;
    return true;
}

TEST_F(Motion3D, WorkedPoses) {
    struct Case {
        std::string name;
        std::function<void()> run;
        int which;
        M12 expected;
    } cases[] = {
        {"moveforward 10", [] { rs_3Dmoveforward(10); }, 5, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -10}},
        {"moveforwardobject 10", [] { rs_3Dmoveforwardobject(10); }, 2, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -10}},
        {"rotateright 900", [] { rs_3Drotateright(900); }, 5, {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0}},
        {"roll 900", [] { rs_3Droll(900); }, 5, {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0}},
        {"rotateup 900", [] { rs_3Drotateup(900); }, 5, {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0}},
        {"axisangle y 900 keeps the position",
         [] { rs_3Dpov(1, 2, 3, 100, 200, 300), rs_3Daxisangle(0, 1, 0, 900); }, 5,
         {0, 0, -1, 3, 0, 1, 0, -2, 1, 0, 0, -1}},
        {"rotate along the up vector falls back twice", [] { rs_3Drotate(0, 1, 0); }, 5,
         {-1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0}},
        {"lookat", [] { rs_3Dlookat(0, 0, -5, 0, 0, 1); }, 5, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 5}},
    };
    for (const Case& c : cases) {
        rs_3Dpov(0, 0, 0, 0, 0, 0);
        rs_3Dsetobject(0, 0, 0, 0, 0, 0);
        c.run();
        EXPECT_EQ(matrix3d(c.which), c.expected) << c.name;
    }
    rs_3Dpov(0, 0, 0, 0, 0, 0);
    rs_3Dmoveforward(10);
    double p[6];
    rs_3Dgetpov(&p[0], &p[1], &p[2], &p[3], &p[4], &p[5]);
    EXPECT_EQ(std::vector<double>(p, p + 6), (std::vector<double>{0, 0, 10, 0, 0, 1}));
}

// Quarter turns and moves of an axis-aligned pose by binary fractions round nothing, so
// they undo exactly (a zero may come back with the other sign); other angles and poses
// come back to within a few ulps.
TEST_F(Motion3D, EachMotionUndoneByItsInverse) {
    using Step = std::function<void(double)>;
    const std::pair<const char*, Step> motions[] = {
        {"moveforward", [](double v) { rs_3Dmoveforward(v * 2.5); }},
        {"moveright", [](double v) { rs_3Dmoveright(v * 2.5); }},
        {"moveup", [](double v) { rs_3Dmoveup(v * 2.5); }},
        {"moveforwardobject", [](double v) { rs_3Dmoveforwardobject(v * 2.5); }},
        {"moverightobject", [](double v) { rs_3Dmoverightobject(v * 2.5); }},
        {"moveupobject", [](double v) { rs_3Dmoveupobject(v * 2.5); }},
        {"roll", [](double v) { rs_3Droll(int(v) * 900); }},
        {"rotateright", [](double v) { rs_3Drotateright(int(v) * 900); }},
        {"rotateup", [](double v) { rs_3Drotateup(int(v) * 900); }},
        {"rollobject", [](double v) { rs_3Drollobject(int(v) * 900); }},
        {"rotaterightobject", [](double v) { rs_3Drotaterightobject(int(v) * 900); }},
        {"rotateupobject", [](double v) { rs_3Drotateupobject(int(v) * 900); }},
        {"roll 123", [](double v) { rs_3Droll(int(v) * 123); }},
        {"rotateupobject 4567", [](double v) { rs_3Drotateupobject(int(v) * 4567); }},
    };
    for (const bool aligned : {true, false}) {
        for (const auto& [name, step] : motions) {
            const int a = aligned ? 900 : 123;
            rs_3Dpov(1.5, -2.25, 3, a, 2 * a, 3 * a);
            rs_3Dsetobject(-0.5, 4, 0.75, 3 * a, a, 2 * a);
            const Snapshot3D before;
            step(1);
            step(-1);
            const Snapshot3D after;
            const bool exact = aligned && std::string(name).find(' ') == std::string::npos;
            if (exact) {
                EXPECT_TRUE(after == before) << name;
            }
            EXPECT_TRUE(near(after.view, before.view) && near(after.object, before.object) &&
                        near(after.combined, before.combined) && near(after.at, before.at))
                << name << (aligned ? " aligned" : " general");
        }
    }
}

TEST_F(Motion3D, AxisAngleOfTheOppositeAngleIsTheTranspose) {
    rs_3Daxisangle(1, -2, 0.5, 1234);
    const M12 r = matrix3d(3);
    rs_3Daxisangle(1, -2, 0.5, -1234);
    const M12 t = matrix3d(3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(bits({r[4 * i + j]}), bits({t[4 * j + i]})) << i << ", " << j;
}

TEST_F(Motion3D, LookatAndRotateGiveTheSameViewForTheSameDirection) {
    const double eye[3] = {0.5, -1.25, 2};
    const double directions[][3] = {{1, 2, 3}, {0, 1, 0}, {0, -5, 0}, {0, 0, -1}, {1e-3, 0, 0}, {-3, 0.25, 7}};
    for (const auto& d : directions) {
        rs_3Dupvector(0.25, 1, 0);
        ASSERT_EQ(rs_3Dlookat(eye[0], eye[1], eye[2], eye[0] + d[0], eye[1] + d[1], eye[2] + d[2]), 0);
        const M12 looked = matrix3d(5);
        rs_3Dpov(9, 9, 9, 100, 200, 300);
        rs_3Dmove(eye[0], eye[1], eye[2]);
        ASSERT_EQ(rs_3Drotate(d[0], d[1], d[2]), 0);
        EXPECT_EQ(bits(matrix3d(5)), bits(looked)) << d[0] << ", " << d[1] << ", " << d[2];
    }
}

// With the viewer and the object in the same pose, each viewer motion and its object twin
// (given the mirrored distance where the two move opposite ways) leave the same rotation
// and position; only the object twin recomputes the combined matrix, as rewriting the
// object matrix with update does.
TEST_F(Motion3D, ViewerAndObjectTwinsAgreeOnMirroredInputs) {
    struct Twin {
        const char* name;
        std::function<int()> viewer, object;
    } twins[] = {
        {"move", [] { return rs_3Dmove(1, -2, 3.5); }, [] { return rs_3Dmoveobject(1, -2, 3.5); }},
        {"moveforward", [] { return rs_3Dmoveforward(1.7); }, [] { return rs_3Dmoveforwardobject(-1.7); }},
        {"moveright", [] { return rs_3Dmoveright(-0.3); }, [] { return rs_3Dmoverightobject(0.3); }},
        {"moveup", [] { return rs_3Dmoveup(2.2); }, [] { return rs_3Dmoveupobject(-2.2); }},
        {"roll", [] { return rs_3Droll(-77); }, [] { return rs_3Drollobject(-77); }},
        {"rotateright", [] { return rs_3Drotateright(1234); }, [] { return rs_3Drotaterightobject(1234); }},
        {"rotateup", [] { return rs_3Drotateup(3599); }, [] { return rs_3Drotateupobject(3599); }},
        {"rotate", [] { return rs_3Drotate(-1, 2, 0.5); }, [] { return rs_3Drotateobject(-1, 2, 0.5); }},
        {"axisangle", [] { return rs_3Daxisangle(0.3, 0.4, -1, 450); }, [] { return rs_3Daxisangleobject(0.3, 0.4, -1, 450); }},
    };
    for (const Twin& t : twins) {
        rs_3Dpov(0.1, 0.2, 0.3, 11, 222, 3333);
        rs_3Dsetobject(0.1, 0.2, 0.3, 11, 222, 3333);
        const M12 combined = matrix3d(6);
        EXPECT_EQ(t.viewer(), 0) << t.name;
        EXPECT_EQ(bits(matrix3d(6)), bits(combined)) << t.name << ": the viewer leaves the combined matrix";
        EXPECT_EQ(t.object(), 0) << t.name;
        EXPECT_EQ(bits(matrix3d(3)), bits(matrix3d(0))) << t.name;
        EXPECT_EQ(bits(viewer_position()), bits(matrix3d(1))) << t.name;
        const M12 after = matrix3d(6), object = matrix3d(2);
        rs_3Dsetmatrix(object.data(), 2, 1);
        EXPECT_EQ(bits(after), bits(matrix3d(6))) << t.name;
    }
}

TEST_F(Motion3D, RefusedDirectionsChangeNothing) {
    const std::pair<const char*, std::function<int()>> refused[] = {
        {"lookat own position", [] { return rs_3Dlookat(1, 2, 3, 1, 2, 3); }},
        {"lookat 1e-4 away", [] { return rs_3Dlookat(1, 2, 3, 1, 2, 3.0001); }},
        {"lookat NaN", [] { return rs_3Dlookat(nan, 0, 0, 1, 2, 3); }},
        {"lookat overflowing", [] { return rs_3Dlookat(-1e200, 0, 0, 1e200, 0, 0); }},
        {"rotate zero", [] { return rs_3Drotate(0, 0, 0); }},
        {"rotate infinite", [] { return rs_3Drotate(inf, 0, 0); }},
        {"rotateobject NaN", [] { return rs_3Drotateobject(0, nan, 1); }},
        {"axisangle zero axis", [] { return rs_3Daxisangle(0, 0, 0, 900); }},
        {"axisangleobject NaN axis", [] { return rs_3Daxisangleobject(nan, 1, 0, 900); }},
    };
    rs_3Dpov(1, -2, 3, 40, 50, 60);
    rs_3Dsetobject(4, 5, -6, 70, 80, 90);
    const Snapshot3D before;
    for (const auto& [name, call] : refused) {
        EXPECT_EQ(call(), -1) << name;
        EXPECT_TRUE(Snapshot3D().same_bits(before)) << name;
    }
}

TEST_F(Motion3D, DegenerateUpVectorsFallBackToTheWorldAxes) {
    const double ups[][3] = {{0, 0, 0}, {nan, 0, 0}, {0, 1e200, 0}, {0, 0, 5}};
    for (const auto& u : ups) {
        rs_3Dupvector(u[0], u[1], u[2]);
        EXPECT_EQ(rs_3Drotate(0, 0, 2), 0);
        EXPECT_EQ(matrix3d(5), identity3d) << u[0] << ", " << u[1] << ", " << u[2];
    }
}

TEST_F(Motion3D, AnglesFarOutsideOneTurnWrapExactly) {
    const std::pair<int, int> same[] = {{INT_MAX, INT_MAX % 3600}, {INT_MIN, INT_MIN % 3600 + 3600}, {-3600 * 7 + 450, 450}};
    for (const auto& [far, near_angle] : same) {
        rs_3Dpov(1, 2, 3, far, far, far);
        rs_3Droll(far);
        const M12 a = matrix3d(5);
        rs_3Dpov(1, 2, 3, near_angle, near_angle, near_angle);
        rs_3Droll(near_angle);
        EXPECT_EQ(bits(matrix3d(5)), bits(a)) << far;
    }
}

TEST_F(Motion3D, NonNumbersInThePoseNeverReachScreenCoordinatesAsNumbers) {
    rs_3Dviewport(0, 639, 0, 479, 0.5);
    rs_3Dmove(nan, 0, inf);
    const double in[3] = {1, 1, 1};
    double view[3];
    int xy[2];
    rs_3Dtransform(in, view, 1);
    EXPECT_EQ(rs_3Dproject(view, xy, 1), -1);
    EXPECT_EQ(xy[0], INT_MIN);
    EXPECT_EQ(xy[1], INT_MIN);
}

}  // namespace
