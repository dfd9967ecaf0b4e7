// World drawing.
#include "render/world_draw.h"

#include "render/graphics_device.h"

namespace {

float NormaliseYaw(float yaw) {
    if (yaw < 0.0f) {
        yaw += 360.0f;
    }
    if (yaw > 360.0f) {
        yaw -= 360.0f;
    }
    return yaw;
}

void DrawPrimitiveWithWorld(const MeshRecord* record, const Mat4& world) {
    SetWorldTransform(world);
    if (record == nullptr || record->mesh == nullptr) {
        return;
    }
    GfxSetTexture(nullptr);
    GfxDrawMeshSubset(record->mesh, 0);
}

}  // namespace

void SetWorldVertex(WorldVertex* vertex, float x, float y, float z, float u, float v) {
    *vertex = WorldVertex{x, y, z, 0xFFFFFFFF, u, v};
}

void DrawWorldQuad(const WorldVertex (&vertices)[4], uint32_t argb, const GfxTexture* texture) {
    WorldVertex coloured[4];
    for (int i = 0; i < 4; ++i) {
        coloured[i] = vertices[i];
        coloured[i].colour = argb;
    }
    if (!GfxDeviceExists()) {
        return;
    }
    GfxSetTexture(texture);
    GfxDrawWorldFan(coloured);
}

void BuildWorldMatrix(Mat4* out, const Vec3& position, float* yaw) {
    *yaw = NormaliseYaw(*yaw);
    // Models face -z in their own space; this turns that front towards the yaw direction.
    Mat4 rotation = MatrixRotationY((-90.0f - *yaw) * DEGREES_TO_RADIANS);
    *out = MatrixMultiply(rotation, MatrixTranslation(position.x, position.y, position.z));
}

void BuildWorldMatrixTilted(Mat4* out, const Vec3& position, float* yaw, float tiltX, float tiltZ) {
    *yaw = NormaliseYaw(*yaw);
    Mat4 m = MatrixRotationY((-90.0f - *yaw) * DEGREES_TO_RADIANS);
    m = MatrixMultiply(m, MatrixRotationZ(tiltZ * DEGREES_TO_RADIANS));
    m = MatrixMultiply(m, MatrixRotationX(tiltX * DEGREES_TO_RADIANS));
    *out = MatrixMultiply(m, MatrixTranslation(position.x, position.y, position.z));
}

void DrawMesh(const MeshRecord* record, const Mat4& world) {
    SetWorldTransform(world);
    if (record == nullptr) {
        return;
    }
    // Lit with no light: each material shows its emissive colour.
    GfxSetLighting(true);
    for (uint32_t i = 0; i < record->materialCount; ++i) {
        GfxSetMaterial(record->materials[i]);
        GfxSetTexture(record->meshTextures[i]);
        GfxDrawMeshSubset(record->mesh, i);
    }
    GfxSetLighting(false);
}

void DrawPrimitiveMeshAt(const MeshRecord* record, const Vec3& position) {
    DrawPrimitiveWithWorld(record, MatrixTranslation(position.x, position.y, position.z));
}

void DrawPrimitiveMeshAtAngle(const MeshRecord* record, const Vec3& position, float angle) {
    DrawPrimitiveWithWorld(record,
                           MatrixMultiply(MatrixRotationY(angle * DEGREES_TO_RADIANS),
                                          MatrixTranslation(position.x, position.y, position.z)));
}
