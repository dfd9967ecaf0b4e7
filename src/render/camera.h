// The perspective camera: view and projection, the six frustum planes for culling, the field
// camera task that follows an actor, and moving a point along an angle on the ground.
#pragma once

#include <cstdint>

#include "engine/task_pool.h"
#include "platform/common/math3d.h"

struct FieldActorHead;

constexpr float CAMERA_FOV_Y = 0.5235988f;
constexpr float CAMERA_ASPECT = 1.0f;
constexpr float CAMERA_NEAR = 0.1f;
constexpr float CAMERA_FAR = 100.0f;
constexpr float CAMERA_DISTANCE = 20.0f;

// Planes in the order top, bottom, right, left, near, far; (a, b, c) of unit length.
extern Plane frustumPlanes[6];

struct CameraPayload;
using CameraModeFn = void (*)(CameraPayload* payload);

struct CameraPayload {
    uint32_t alive;
    float eyeX;
    float eyeY;  // the camera height
    float eyeZ;
    float targetX;
    float targetY;
    float targetZ;
    float angle;  // places the first eye only
    uint32_t followTag;
    CameraModeFn mode;
};
static_assert(sizeof(CameraPayload) <= TASK_PAYLOAD_BYTES);

// Moves (x, z) by distance along the angle in degrees, with pi taken as 3.14.
void OffsetByAngle(float* outX, float* outZ, float x, float z, float angle, float distance);
void SetCamera(float targetX, float targetY, float targetZ, float eyeX, float eyeY, float eyeZ);
void SetViewAndProjection(const Vec3& target, const Vec3& eye);
void ComputeFrustumPlanes();
int IsSphereVisible(float x, float y, float z, float radius);

int CreateFieldCamera(float targetX, float targetY, float targetZ, float angle, float height,
                      uint32_t followTag, CameraModeFn mode);
void UpdateFieldCamera(TaskSlot* slot);
void DrawFieldCamera(TaskSlot* slot);
void CameraModeFollow(CameraPayload* payload);
void CameraModeFixed(CameraPayload* payload);
// The head of the lowest live party member or NPC with the tag, or null.
FieldActorHead* FindActorByTag(uint32_t tag);
