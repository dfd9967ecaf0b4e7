// The 3D maths against hand-computed values.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/common/math3d.h"

namespace {

void ExpectMatrix(const Mat4& m, const float (&expected)[4][4], float tolerance = 1e-5f) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(m.m[r][c], expected[r][c], tolerance) << "row " << r << " column " << c;
        }
    }
}

TEST(Math3dTest, TranslationAndRotationsFollowTheRowVectorConvention) {
    Vec3 p = TransformCoord(Vec3{1, 2, 3}, MatrixTranslation(10, 20, 30));
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.z, 33);
    const float quarter = 3.14159265f / 2;
    Vec3 y = TransformCoord(Vec3{1, 0, 0}, MatrixRotationY(quarter));
    EXPECT_NEAR(y.z, -1.0f, 1e-6f);
    Vec3 x = TransformCoord(Vec3{0, 1, 0}, MatrixRotationX(quarter));
    EXPECT_NEAR(x.z, 1.0f, 1e-6f);
    Vec3 z = TransformCoord(Vec3{1, 0, 0}, MatrixRotationZ(quarter));
    EXPECT_NEAR(z.y, 1.0f, 1e-6f);
}

TEST(Math3dTest, ProductAppliesTheLeftMatrixFirst) {
    Mat4 m = MatrixMultiply(MatrixRotationY(3.14159265f / 2), MatrixTranslation(5, 0, 0));
    const float expected[4][4] = {{0, 0, -1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {5, 0, 0, 1}};
    ExpectMatrix(m, expected);
}

TEST(Math3dTest, LookAtLeftHanded) {
    Mat4 view = MatrixLookAtLH(Vec3{0, 0, -5}, Vec3{0, 0, 0}, Vec3{0, 1, 0});
    const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 5, 1}};
    ExpectMatrix(view, expected);
    Mat4 side = MatrixLookAtLH(Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0});
    Vec3 ahead = TransformCoord(Vec3{3, 0, 0}, side);
    EXPECT_NEAR(ahead.z, 3.0f, 1e-6f);
    Mat4 degenerate = MatrixLookAtLH(Vec3{1, 1, 1}, Vec3{1, 1, 1}, Vec3{0, 1, 0});
    for (auto& row : degenerate.m) {
        for (float v : row) {
            EXPECT_FALSE(std::isnan(v));
        }
    }
}

TEST(Math3dTest, PerspectiveMapsNearToZeroAndFarToOne) {
    // The sides' scale is checked through the viewport projection below.
    Mat4 p = MatrixPerspectiveFovLH(0.5235988f, 1.0f, 0.1f, 100.0f);
    EXPECT_NEAR(TransformCoord(Vec3{0, 0, 0.1f}, p).z, 0.0f, 1e-5f);
    EXPECT_NEAR(TransformCoord(Vec3{0, 0, 100.0f}, p).z, 1.0f, 1e-5f);
    EXPECT_NEAR(TransformCoord(Vec3{0, 0, 10.0f}, p).z, 100.0f / 99.9f * 0.99f, 1e-5f);
}

TEST(Math3dTest, PlanesNormaliseAndMeasureSignedDistance) {
    Plane p = PlaneNormalize(Plane{0, 3, 4, 10});
    EXPECT_FLOAT_EQ(p.b, 0.6f);
    EXPECT_FLOAT_EQ(p.c, 0.8f);
    EXPECT_FLOAT_EQ(p.d, 2.0f);
    EXPECT_FLOAT_EQ(PlaneDotCoord(p, Vec3{0, 0, 0}), 2.0f);
    EXPECT_FLOAT_EQ(PlaneDotCoord(p, Vec3{0, -6, -8}), -8.0f);
    Plane zero = PlaneNormalize(Plane{0, 0, 0, 5});
    EXPECT_EQ(zero.d, 0.0f);
}

TEST(Math3dTest, ProjectionToTheViewport) {
    const Viewport vp{0, 0, 640, 480, 0, 1};
    Mat4 view = MatrixLookAtLH(Vec3{0, 0, -10}, Vec3{0, 0, 0}, Vec3{0, 1, 0});
    Mat4 proj = MatrixPerspectiveFovLH(0.5235988f, 640.0f / 480.0f, 0.1f, 100.0f);
    Vec3 centre = ProjectToViewport(Vec3{0, 0, 0}, vp, proj, view, MatrixIdentity());
    EXPECT_NEAR(centre.x, 320.0f, 1e-4f);
    EXPECT_NEAR(centre.y, 240.0f, 1e-4f);
    // Points at the top and right edges of the 30-degree view: y = 10 tan 15, x = 4/3 of it.
    Vec3 top =
        ProjectToViewport(Vec3{0, 10 * std::tan(0.2617994f), 0}, vp, proj, view, MatrixIdentity());
    EXPECT_NEAR(top.y, 0.0f, 1e-2f);
    Vec3 right = ProjectToViewport(Vec3{10 * std::tan(0.2617994f) * 4 / 3, 0, 0}, vp, proj, view,
                                   MatrixIdentity());
    EXPECT_NEAR(right.x, 640.0f, 1e-2f);
}

TEST(Math3dTest, BoundingBoxAndSphereAroundTheMean) {
    const Vec3 points[] = {{0, 0, 0}, {2, 0, 0}, {0, 4, 0}, {0, 0, -2}};
    Vec3 min;
    Vec3 max;
    ComputeBoundingBox(points, 4, sizeof(Vec3), &min, &max);
    EXPECT_EQ(min.z, -2.0f);
    EXPECT_EQ(max.x, 2.0f);
    EXPECT_EQ(max.y, 4.0f);
    Vec3 centre;
    float radius;
    ComputeBoundingSphere(points, 4, sizeof(Vec3), &centre, &radius);
    EXPECT_FLOAT_EQ(centre.x, 0.5f);
    EXPECT_FLOAT_EQ(centre.y, 1.0f);
    EXPECT_FLOAT_EQ(centre.z, -0.5f);
    EXPECT_NEAR(radius, std::sqrt(0.25f + 9.0f + 0.25f), 1e-5f);
    ComputeBoundingSphere(points, 0, sizeof(Vec3), &centre, &radius);
    EXPECT_EQ(radius, 0.0f);
}

}  // namespace
