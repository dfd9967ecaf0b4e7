// Camera and culling.
#include "render/camera.h"

#include <cmath>

#include "field/field_actor.h"
#include "render/graphics_device.h"

Plane frustumPlanes[6];

void OffsetByAngle(float* outX, float* outZ, float x, float z, float angle, float distance) {
    // The game's angles take pi as 3.14; everything that moves along an angle inherits the
    // small drift that gives.
    const float pi = 3.14f;
    float a = static_cast<float>(static_cast<double>(angle) * static_cast<double>(pi) / 180.0);
    *outX = static_cast<float>(x + std::cos(static_cast<double>(a)) * distance);
    *outZ = static_cast<float>(z + std::sin(static_cast<double>(a)) * distance);
}

void SetViewAndProjection(const Vec3& target, const Vec3& eye) {
    SetViewTransform(MatrixLookAtLH(eye, target, Vec3{0.0f, 1.0f, 0.0f}));
    SetProjectionTransform(
        MatrixPerspectiveFovLH(CAMERA_FOV_Y, CAMERA_ASPECT, CAMERA_NEAR, CAMERA_FAR));
}

void ComputeFrustumPlanes() {
    const Mat4 m = MatrixMultiply(viewTransform, projectionTransform);
    // Column k (0-based) combined with the w column, added or subtracted.
    auto plane = [&m](int k, float sign) {
        return PlaneNormalize(Plane{m.m[0][3] + sign * m.m[0][k], m.m[1][3] + sign * m.m[1][k],
                                    m.m[2][3] + sign * m.m[2][k], m.m[3][3] + sign * m.m[3][k]});
    };
    frustumPlanes[0] = plane(1, -1.0f);  // top
    frustumPlanes[1] = plane(1, 1.0f);   // bottom
    frustumPlanes[2] = plane(0, -1.0f);  // right
    frustumPlanes[3] = plane(0, 1.0f);   // left
    frustumPlanes[4] = plane(2, 1.0f);   // near
    frustumPlanes[5] = plane(2, -1.0f);  // far
}

void SetCamera(float targetX, float targetY, float targetZ, float eyeX, float eyeY, float eyeZ) {
    SetViewAndProjection(Vec3{targetX, targetY, targetZ}, Vec3{eyeX, eyeY, eyeZ});
    ComputeFrustumPlanes();
}

int IsSphereVisible(float x, float y, float z, float radius) {
    for (const Plane& p : frustumPlanes) {
        if (PlaneDotCoord(p, Vec3{x, y, z}) < -radius) {
            return 0;
        }
    }
    return 1;
}

FieldActorHead* FindActorByTag(uint32_t tag) {
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot == nullptr) {
            return nullptr;
        }
        if (slot->inUse != 0 && slot->tag == tag &&
            (slot->kind == TASK_KIND_PARTY_MEMBER || slot->kind == TASK_KIND_NPC)) {
            return ActorHead(slot);
        }
    }
    return nullptr;
}

void CameraModeFollow(CameraPayload* payload) {
    // Without the followed actor the camera stays where it is; it does not drift away.
    const FieldActorHead* head = FindActorByTag(payload->followTag);
    if (head == nullptr) {
        return;
    }
    payload->targetX = head->position.x;
    payload->targetY = head->position.y;
    payload->targetZ = head->position.z;
}

void CameraModeFixed(CameraPayload*) {}

int CreateFieldCamera(float targetX, float targetY, float targetZ, float angle, float height,
                      uint32_t followTag, CameraModeFn mode) {
    if (TaskKindExists(TASK_KIND_CAMERA)) {
        return 0;
    }
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_CAMERA);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_CAMERA, 0, UpdateFieldCamera, DrawFieldCamera);
    CameraPayload* camera = TaskPayload<CameraPayload>(slot);
    camera->alive = 1;
    camera->targetX = targetX;
    camera->targetY = targetY;
    camera->targetZ = targetZ;
    camera->angle = angle;
    OffsetByAngle(&camera->eyeX, &camera->eyeZ, targetX, targetZ, angle, CAMERA_DISTANCE);
    camera->eyeY = height;
    camera->followTag = followTag;
    camera->mode = mode;
    return 1;
}

void UpdateFieldCamera(TaskSlot* slot) {
    CameraPayload* camera = TaskPayload<CameraPayload>(slot);
    if (camera->mode != nullptr) {
        camera->mode(camera);
    }
    OffsetByAngle(&camera->eyeX, &camera->eyeZ, camera->targetX, camera->targetZ, 270.0f,
                  CAMERA_DISTANCE);
    SetViewAndProjection(Vec3{camera->targetX, camera->targetY, camera->targetZ},
                         Vec3{camera->eyeX, camera->eyeY, camera->eyeZ});
    ComputeFrustumPlanes();
}

void DrawFieldCamera(TaskSlot*) {}
