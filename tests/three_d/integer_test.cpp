// Integer models against the double pipeline they round: the same pose, rotation, view and
// projection, each value rounded once; saturation, the near plane and bad arrays.
#include "support.h"

using namespace test;

namespace {

class IntegerModels : public Library {};

TEST_F(IntegerModels, EachCallIsTheDoublePipelineRoundedOnceAndHeldToTheIntRange) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-5000, 5000), angle(-7200, 7200);
    rs_3Dviewport(0, 639, 0, 479, 1.2);
    for (int i = 0; i < 200; ++i) {
        const int x = coord(rng), y = coord(rng), z = coord(rng), a = angle(rng), b = angle(rng), c = angle(rng);
        std::vector<int> pts(30), model(30), want(20), got(20);
        std::generate(pts.begin(), pts.end(), [&] { return coord(rng); });
        std::vector<double> in(pts.begin(), pts.end()), turned(30), view(30);
        rs_3Dpov(0, 0, 0, 0, 0, 0), rs_3Dsetobject(0, 0, 0, a, b, c), rs_3Dtransformobject(in.data(), turned.data(), 10);
        model = pts;
        ASSERT_EQ(rs_rotate3d(model.data(), 10, a, b, c), 0);
        ASSERT_EQ(rs_move3d(model.data(), 10, x, y, z), 0);
        for (size_t k = 0; k < 30; ++k) ASSERT_EQ(model[k], int(std::rint(turned[k])) + (k % 3 == 0 ? x : k % 3 == 1 ? y : z));
        rs_3Dpov(x, y, z, a, b, 0);
        const auto pov = bits(matrix3d(5));
        rs_view3d(x, y, z, a, b);
        ASSERT_EQ(bits(matrix3d(5)), pov);
        (i % 2 ? rs_3Dtransformobject : rs_3Dtransform)(in.data(), view.data(), 10);
        rs_3Dproject(view.data(), want.data(), 10);
        for (size_t k = 0; k < 10; ++k)
            if (!(view[3 * k + 2] > 1.0)) want[2 * k] = want[2 * k + 1] = INT_MIN;  // not beyond the near plane
        ASSERT_EQ(rs_project(pts.data(), got.data(), 10, i % 2), std::count(want.begin(), want.end(), INT_MIN) ? -1 : 0);
        ASSERT_EQ(got, want);
    }
    int p[6] = {INT_MAX, INT_MIN, 7, 2000000000, -2000000000, 0};
    EXPECT_EQ(rs_move3d(p, 2, 1, -1, 0), -1);
    EXPECT_EQ(rs_rotate3d(p + 3, 1, 0, 0, 450), -1);  // x and y sum past INT_MAX
    EXPECT_EQ(std::vector<int>(p, p + 6), (std::vector<int>{INT_MAX, INT_MIN, 7, INT_MAX, 0, 0}));
    EXPECT_EQ(rs_move3d(nullptr, 3, 1, 1, 1) | rs_rotate3d(p, 0, 1, 1, 1) | rs_project(p, nullptr, 2, 0) | rs_project(nullptr, p, 1, 0), 0);
}

}  // namespace
