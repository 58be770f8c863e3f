// 3D primitives: near-plane clipping with its attributes, lines, facing in every render
// mode, and a cube around the viewer whose faces cover the screen exactly once.
#include <map>

#include "support.h"

using namespace test;

namespace {

using Clip3D = Library;

TEST_F(Clip3D, NearPlaneCutsCarryColoursAndCoordinates) {
    const double front[9] = {0, 0, 2, 1, 0, 3, 0, 1, 4};
    double out[18];
    EXPECT_EQ(rs_3Dzclip(front, out, 3), 3);
    EXPECT_EQ(std::vector<double>(out, out + 9), std::vector<double>(front, front + 9));
    // Vertex 1 behind (z = 0): cuts at t = 1/2 from vertex 0 and from vertex 2.
    const double behind[9] = {0, 0, 2, 4, 0, 0, 0, 4, 2};
    const unsigned char rgb[9] = {0, 100, 255, 200, 0, 255, 50, 50, 50};
    unsigned char rgb_out[18];
    EXPECT_EQ(rs_3Dzcliprgb(behind, out, rgb, rgb_out, 3), 4);
    EXPECT_EQ(std::vector<double>(out, out + 12), (std::vector<double>{0, 0, 2, 2, 0, 1, 2, 2, 1, 0, 4, 2}));
    EXPECT_EQ(std::vector<int>(rgb_out, rgb_out + 12), (std::vector<int>{0, 100, 255, 100, 50, 255, 125, 25, 153, 50, 50, 50}));
    const int uv[6] = {0, 0, 7, 9, 2, 4};
    int uv_out[12];
    EXPECT_EQ(rs_3Dzcliptm(behind, out, uv, uv_out, 3), 4);
    EXPECT_EQ(std::vector<int>(uv_out, uv_out + 8), (std::vector<int>{0, 0, 4, 4, 4, 6, 2, 4}));  // 3.5 and 4.5 to even
    rs_tmunits(1);
    const float fuv[6] = {0, 0, 7, 9, 2, 4};
    float fuv_out[12];
    rs_3Dzcliptm(behind, out, fuv, fuv_out, 3);
    EXPECT_EQ(std::vector<float>(fuv_out, fuv_out + 4), (std::vector<float>{0, 0, 3.5f, 4.5f}));
    // On the plane (z = near = 1): outside, so it appears as both cuts.
    const double touching[9] = {0, 0, 2, 0, 5, 1, 5, 0, 3};
    EXPECT_EQ(rs_3Dzclip(touching, out, 3), 4);
    EXPECT_TRUE(out[3] == 0 && out[4] == 5 && out[5] == 1 && out[6] == 0 && out[7] == 5);
    const double far[9] = {0, 0, 2000, 1, 0, 999, 0, 1, 3000}, all_far[9] = {0, 0, 2000, 1, 0, 1001, 0, 1, 3000};
    EXPECT_EQ(list(rs_3Dzclip(far, out, 3), rs_3Dzclip(all_far, out, 3), rs_3Dzclip(front, out, 1)), list(3, 0, 0));
}

class Primitives : public EachDepth {
protected:
    void* zb = nullptr;
    void SetUp() override {
        EachDepth::SetUp(), start(64, 48);
        rs_3Dviewport(0, 63, 0, 47, 0.5);
        zb = rs_zballoc(64, 48);
    }
    void TearDown() override { rs_zbfree(zb), EachDepth::TearDown(); }
    PointSet fresh(const std::function<void()>& fn) {
        rs_erase(), rs_zbopen(zb);
        return drawn(fn);
    }
};

TEST_P(Primitives, LinesClipAtTheNearPlane) {
    rs_3Drenderstate(RS_ZCLIP), rs_move(3, 4);
    EXPECT_TRUE(fresh([] { rs_3Dline(-1, 0, 0.5, 1, 0, -2); }).empty());
    EXPECT_EQ(list(rs_getxpos(), rs_getypos()), list(3, 4));
    for (unsigned z : {0u, RS_ZBUFFER}) {  // from behind the viewer to (1, 0, 2): cut at z = 1
        rs_3Drenderstate(RS_ZCLIP | z);
        EXPECT_EQ(fresh([] { rs_3Dline(1, 0, -1, 1, 0, 2); }), area(48, 64 - 1, 24, 24)) << z;
        EXPECT_EQ(list(rs_getxpos(), rs_getypos()), list(48, 24));
    }
}

// Clockwise as the viewer sees it: (-1, 1), (1, 1), (1, -1), (-1, -1) at z = 2.
TEST_P(Primitives, FacingInEveryRenderMode) {
    const double cw[12] = {-1, 1, 2, 1, 1, 2, 1, -1, 2, -1, -1, 2}, ccw[12] = {-1, -1, 2, 1, -1, 2, 1, 1, 2, -1, 1, 2};
    const unsigned char rgb[12] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    std::vector<uint8_t> tex(4 * 64 * 64, 5);
    const int uv[8] = {0, 0, 63, 0, 63, 63, 0, 63};
    rs_tminit(1), rs_tmselect(rs_tmdefine(tex.data(), 64, 64));
    for (unsigned mode : {0u, RS_ZBUFFER, RS_WIREFRAME, RS_WIREFRAME | RS_ZBUFFER, RS_ZCLIP, RS_ZCLIP | RS_ZBUFFER}) {
        rs_3Drenderstate(mode);
        const bool both = mode & (RS_ZBUFFER | RS_WIREFRAME);
        EXPECT_TRUE(fresh([&] { rs_3Dpolygon(cw, 4); }).count({32, 8})) << mode;
        EXPECT_EQ(fresh([&] { rs_3Dpolygon(ccw, 4); }).count({16, 16}), size_t(both)) << mode;
        if (mode & RS_WIREFRAME) continue;
        for (unsigned p : {0u, RS_PERSPECTIVE_TEXTURE}) {
            rs_3Drenderstate(mode | p);
            EXPECT_EQ(fresh([&] { rs_3Dtexturemap(ccw, uv, 4); }).size(), both ? 32u * 32 : 0u) << mode;
            EXPECT_EQ(fresh([&] { rs_3Dtexturemap(cw, uv, 4); }), area(16, 47, 8, 39)) << mode;
        }
        if (depth() > 8) {
            EXPECT_EQ(fresh([&] { rs_3Dshade(ccw, rgb, 4); }).size(), both ? 32u * 32 : 0u) << mode;
        }
    }
    rs_3Drenderstate(RS_WIREFRAME), rs_polyoff(2, 3), rs_3Dpolygon(cw, 4);
    EXPECT_EQ(list(rs_getxpos(), rs_getypos()), list(16 + 2, 8 + 3));
    rs_3Drenderstate(RS_WIREFRAME | RS_ZBUFFER), rs_3Dpolygon(ccw, 4);
    EXPECT_EQ(list(rs_getxpos(), rs_getypos()), list(16 + 2, 40 + 3));
}

// The viewer inside a cube: the near face and the four side faces, clipped at the near
// plane, tile the screen; the face behind is rejected.
TEST_P(Primitives, CubeAroundTheViewerCoversTheScreenOnce) {
    rs_3Dsetzclip(0.01, 100), rs_3Drenderstate(RS_ZCLIP | RS_ZBUFFER);
    rs_3Dsetobject(0, 0, 0, 0, 150, 0);  // turned a little, so the faces are not symmetric
    std::map<Point, int> hits;
    for (int axis = 0; axis < 3; ++axis)
        for (int sign : {-1, 1}) {
            double face[12];
            const int b = (axis + 1) % 3, d = (axis + 2) % 3;
            const int corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
            for (int k = 0; k < 4; ++k) {
                face[3 * k + axis] = sign, face[3 * k + b] = corners[k][0], face[3 * k + d] = corners[k][1];
            }
            for (const Point& pt : fresh([&] { rs_3Dpolygonobject(face, 4); })) ++hits[pt];
        }
    EXPECT_EQ(hits.size(), size_t(64 * 48));
    for (const auto& [pt, count] : hits) EXPECT_EQ(count, 1) << pt.first << "," << pt.second;
}

RSW32_EACH_DEPTH(Primitives);

}  // namespace
