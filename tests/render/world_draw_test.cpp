// World drawing: yaw normalisation, the orientation and order of the world matrices, the
// draw sequence of a mesh, world quads and primitives.
#include <gtest/gtest.h>

#include "render/graphics_device.h"
#include "render/world_draw.h"
#include "support/render_fixture.h"

namespace {

using Kind = headless::DrawRecord::Kind;

class WorldDrawTest : public RenderTest {};

void ExpectNear(const Vec3& a, const Vec3& b, float tolerance = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST_F(WorldDrawTest, YawIsBroughtIntoRangeOnceAndWrittenBack) {
    const struct {
        float in;
        float out;
    } cases[] = {{-30, 330}, {370, 10}, {360, 360}, {725, 365}, {-400, -40}, {0, 0}, {90, 90}};
    for (auto c : cases) {
        float yaw = c.in;
        Mat4 m;
        BuildWorldMatrix(&m, Vec3{0, 0, 0}, &yaw);
        EXPECT_EQ(yaw, c.out) << c.in;
        yaw = c.in;
        BuildWorldMatrixTilted(&m, Vec3{0, 0, 0}, &yaw, 0, 0);
        EXPECT_EQ(yaw, c.out) << "tilted, " << c.in;
    }
}

TEST_F(WorldDrawTest, ModelFrontTowardsMinusZFacesTheYawDirection) {
    const struct {
        float yaw;
        Vec3 front;
    } cases[] = {{90, {4, 0, 7}}, {0, {5, 0, 6}}, {270, {4, 0, 5}}};
    for (auto c : cases) {
        float yaw = c.yaw;
        Mat4 m;
        BuildWorldMatrix(&m, Vec3{4, 0, 6}, &yaw);
        ExpectNear(TransformCoord(Vec3{0, 0, -1}, m), c.front);
    }
}

TEST_F(WorldDrawTest, TiltsApplyAfterTheYawTurnAboutZThenX) {
    float yaw = 0;
    Mat4 m;
    BuildWorldMatrixTilted(&m, Vec3{10, 0, 0}, &yaw, 90, 0);
    // Model -z turns to +x; a tilt of 90 about x then leaves +x alone.
    ExpectNear(TransformCoord(Vec3{0, 0, -1}, m), Vec3{11, 0, 0});
    // Model up (+y) stays up after the yaw, then turns to +z about x.
    ExpectNear(TransformCoord(Vec3{0, 1, 0}, m), Vec3{10, 0, 1});
    BuildWorldMatrixTilted(&m, Vec3{0, 0, 0}, &yaw, 90, 90);
    // Up turns to -x about z first, then stays -x about x; the reversed order would give +z.
    ExpectNear(TransformCoord(Vec3{0, 1, 0}, m), Vec3{-1, 0, 0});
}

TEST_F(WorldDrawTest, MeshIsDrawnLitMaterialByMaterialThenLightingGoesOff) {
    MeshData data;
    data.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    data.subsets = {{0, 1, 2}, {0, 2, 1}};
    MeshRecord record{};
    record.mesh = GfxCreateMesh(data);
    record.materialCount = 2;
    record.materials.resize(2);
    record.materials[0].emissive[0] = 0.5f;
    record.materials[1].emissive[1] = 0.25f;
    record.meshTextures = {uiAtlas, nullptr};
    const Mat4 world = MatrixTranslation(1, 2, 3);
    DrawMesh(&record, world);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    for (uint32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(draws[i].subset, i);
        EXPECT_TRUE(draws[i].lighting);
        EXPECT_EQ(draws[i].world.m[3][2], 3.0f);
    }
    EXPECT_EQ(draws[0].texture, uiAtlas);
    EXPECT_EQ(draws[1].texture, nullptr);
    EXPECT_EQ(draws[0].material.emissive[0], 0.5f);
    EXPECT_EQ(draws[1].material.emissive[1], 0.25f);
    EXPECT_FALSE(headless::Lighting());
    GfxDestroyMesh(record.mesh);
}

TEST_F(WorldDrawTest, WorldQuadIsAFanInTheGivenColourUnderTheCurrentWorld) {
    WorldVertex quad[4];
    SetWorldVertex(&quad[0], 0, 0, 0, 0, 0);
    SetWorldVertex(&quad[1], 2, 0, 0, 1, 0);
    SetWorldVertex(&quad[2], 2, 0, 2, 1, 1);
    SetWorldVertex(&quad[3], 0, 0, 2, 0, 1);
    SetWorldTransform(MatrixTranslation(5, 0, 0));
    DrawWorldQuad(quad, 0x80FFFFFF, uiAtlas);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].kind, Kind::WorldFan);
    EXPECT_EQ(draws[0].vertices[3].colour, 0x80FFFFFFu);
    EXPECT_EQ(draws[0].vertices[1].x, 2.0f);
    EXPECT_EQ(draws[0].vertices[2].v, 1.0f);
    EXPECT_EQ(draws[0].world.m[3][0], 5.0f);
    EXPECT_EQ(quad[0].colour, 0xFFFFFFFFu) << "the caller's vertices keep their colour";
    GfxReleaseDevice();
    DrawWorldQuad(quad, 0xFFFFFFFF, nullptr);
    EXPECT_EQ(headless::DrawCalls().size(), 1u);
}

TEST_F(WorldDrawTest, PrimitivesAreUnlitUntexturedAndTurnedWithoutOffset) {
    MeshRecord sphere{};
    sphere.mesh = GfxCreateMesh(SphereGeometry(8, 0.4f, 0xFFFFFF00));
    GfxSetTexture(uiAtlas);
    DrawPrimitiveMeshAt(&sphere, Vec3{1, 2, 3});
    DrawPrimitiveMeshAtAngle(&sphere, Vec3{0, 0, 0}, 450);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_FALSE(draws[0].lighting);
    EXPECT_EQ(draws[0].texture, nullptr);
    EXPECT_EQ(draws[0].world.m[3][2], 3.0f);
    // 450 degrees as given: a quarter turn, +x to -z in the left-handed frame.
    ExpectNear(TransformCoord(Vec3{1, 0, 0}, draws[1].world), Vec3{0, 0, -1});
    GfxDestroyMesh(sphere.mesh);
}

}  // namespace
