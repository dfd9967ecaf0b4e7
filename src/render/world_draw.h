// 3D drawing: world matrices from a position and angles, meshes with their materials and
// textures, coloured primitives, and textured quads given by four world-space vertices.
#pragma once

#include <cstdint>

#include "platform/common/math3d.h"
#include "platform/graphics.h"
#include "render/textures_and_meshes.h"

// Degrees to radians, pi / 180 rounded to single precision.
constexpr float DEGREES_TO_RADIANS = 0.01745329238474369f;

void SetWorldVertex(WorldVertex* vertex, float x, float y, float z, float u, float v);
// Four vertices as a fan with every vertex in the colour, under the current world matrix.
void DrawWorldQuad(const WorldVertex (&vertices)[4], uint32_t argb, const GfxTexture* texture);
// An upright model's world matrix; yaw is brought into range once (below 0 plus 360, then
// above 360 minus 360) and written back.
void BuildWorldMatrix(Mat4* out, const Vec3& position, float* yaw);
void BuildWorldMatrixTilted(Mat4* out, const Vec3& position, float* yaw, float tiltX, float tiltZ);
void DrawMesh(const MeshRecord* record, const Mat4& world);
void DrawPrimitiveMeshAt(const MeshRecord* record, const Vec3& position);
void DrawPrimitiveMeshAtAngle(const MeshRecord* record, const Vec3& position, float angle);
