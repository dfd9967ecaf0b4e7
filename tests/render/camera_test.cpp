// Camera and culling: the ground offset with pi as 3.14, the frustum planes and sphere test,
// the field camera task following an actor, and the actor search.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/task_pool.h"
#include "field/field_actor.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "support/render_fixture.h"

namespace {

class CameraTest : public RenderTest {};

TaskSlot* SpawnActor(int slot, uint32_t kind, uint32_t tag, Vec3 position) {
    TaskSlot* task = AllocTaskAt(slot);
    StartTask(task, kind, tag, nullptr, nullptr);
    FieldActorHead* head = ActorHead(task);
    head->alive = 1;
    head->position = position;
    return task;
}

TEST_F(CameraTest, OffsetByAngleTakesPiAs314) {
    const struct {
        float x, z, angle, distance, outX, outZ;
    } cases[] = {{0, 0, 90, 2, 0.0016f, 2}, {3, 7, 270, 20, 2.952f, -13}, {1, 1, 0, 2, 3, 1}};
    for (auto c : cases) {
        float x = 0;
        float z = 0;
        OffsetByAngle(&x, &z, c.x, c.z, c.angle, c.distance);
        EXPECT_NEAR(x, c.outX, 5e-4f) << c.angle;
        EXPECT_NEAR(z, c.outZ, 5e-4f) << c.angle;
    }
}

TEST_F(CameraTest, FrustumPlanesAreUnitLengthInTheirOrder) {
    // Looking from the origin along +z.
    SetCamera(0, 0, 10, 0, 0, 0);
    for (const Plane& p : frustumPlanes) {
        EXPECT_NEAR(std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c), 1.0f, 1e-5f);
    }
    EXPECT_LT(frustumPlanes[0].b, 0.0f) << "top faces down into the view";
    EXPECT_GT(frustumPlanes[1].b, 0.0f) << "bottom faces up";
    EXPECT_LT(frustumPlanes[2].a, 0.0f) << "right faces left";
    EXPECT_GT(frustumPlanes[3].a, 0.0f) << "left faces right";
    EXPECT_GT(frustumPlanes[4].c, 0.0f) << "near faces forwards";
    EXPECT_LT(frustumPlanes[5].c, 0.0f) << "far faces back";
}

TEST_F(CameraTest, SphereTouchingTheViewCountsAsVisible) {
    SetCamera(0, 0, 10, 0, 0, 0);
    const Plane& left = frustumPlanes[3];
    // A point on the left plane at depth 20, then moved outwards along its normal.
    Vec3 onPlane{-20.0f * std::tan(0.5235988f / 2.0f), 0, 20};
    EXPECT_NEAR(PlaneDotCoord(left, onPlane), 0.0f, 1e-3f);
    auto behind = [&](float distance) {
        return Vec3{onPlane.x - left.a * distance, onPlane.y - left.b * distance,
                    onPlane.z - left.c * distance};
    };
    Vec3 half = behind(0.5f);
    Vec3 far = behind(1.5f);
    EXPECT_EQ(IsSphereVisible(half.x, half.y, half.z, 1.0f), 1);
    EXPECT_EQ(IsSphereVisible(far.x, far.y, far.z, 1.0f), 0);
    EXPECT_EQ(IsSphereVisible(0, 0, 50, 0.0f), 1);
    EXPECT_EQ(IsSphereVisible(0, 0, -5, 1.0f), 0) << "behind the eye";
    EXPECT_EQ(IsSphereVisible(0, 0, 150, 1.0f), 0) << "beyond the far plane";
}

TEST_F(CameraTest, FieldCameraFollowsItsActorFromItsFirstUpdate) {
    SpawnActor(0, TASK_KIND_PARTY_MEMBER, 1000, Vec3{3, 0, 7});
    const Mat4 startUpView = viewTransform;
    ASSERT_EQ(CreateFieldCamera(0, 0, 0, 270, 60, 1000, CameraModeFollow), 1);
    EXPECT_EQ(std::memcmp(&startUpView, &viewTransform, sizeof startUpView), 0)
        << "the view is not set at creation";
    CameraPayload* camera = TaskPayload<CameraPayload>(TaskAt(TASK_SLOT_CAMERA));
    EXPECT_NEAR(camera->eyeZ, -20.0f, 1e-3f);
    UpdateTasks();
    EXPECT_EQ(camera->targetX, 3.0f);
    EXPECT_EQ(camera->targetZ, 7.0f);
    EXPECT_NEAR(camera->eyeZ, -13.0f, 1e-3f);
    // The target is on the screen's centre.
    Vec3 centre = TransformCoord(Vec3{3, 0, 7}, MatrixMultiply(viewTransform, projectionTransform));
    EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
    EXPECT_NEAR(centre.y, 0.0f, 1e-4f);
}

TEST_F(CameraTest, SecondCameraIsRefusedAndNeitherLostActorNorFixedModeMovesTheTarget) {
    ASSERT_EQ(CreateFieldCamera(4, 0, 4, 270, 60, 55, CameraModeFollow), 1);
    EXPECT_EQ(CreateFieldCamera(5, 0, 5, 90, 10, 7, CameraModeFixed), 0);
    UpdateTasks();
    CameraPayload* camera = TaskPayload<CameraPayload>(TaskAt(TASK_SLOT_CAMERA));
    EXPECT_EQ(camera->followTag, 55u) << "the first camera is kept";
    EXPECT_EQ(camera->targetX, 4.0f) << "no actor with tag 55";
    EXPECT_NEAR(camera->eyeZ, -16.0f, 1e-3f);

    KillAllTasks();
    SpawnActor(0, TASK_KIND_PARTY_MEMBER, 1000, Vec3{3, 0, 7});
    ASSERT_EQ(CreateFieldCamera(9, 0, 9, 270, 60, 1000, CameraModeFixed), 1);
    UpdateTasks();
    EXPECT_EQ(camera->targetX, 9.0f);
}

TEST_F(CameraTest, ActorSearchTakesTheLowestLiveActorOfTheTwoKinds) {
    SpawnActor(40, TASK_KIND_NPC, 5, Vec3{1, 0, 0});
    SpawnActor(30, TASK_KIND_NPC, 5, Vec3{2, 0, 0});
    SpawnActor(20, TASK_KIND_STEP_TRIGGER, 5, Vec3{3, 0, 0});
    TaskSlot* killed = SpawnActor(10, TASK_KIND_NPC, 5, Vec3{4, 0, 0});
    killed->inUse = 0;
    EXPECT_EQ(FindActorByTag(5), ActorHead(TaskAt(30)));
    SpawnActor(2, TASK_KIND_PARTY_MEMBER, 5, Vec3{0, 0, 0});
    EXPECT_EQ(FindActorByTag(5), ActorHead(TaskAt(2)));
    EXPECT_EQ(FindActorByTag(6), nullptr);
}

}  // namespace
