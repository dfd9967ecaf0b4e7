// Every graphics resource made from "data.dat": the interface atlas, the glyph sheet, 28
// textures, 39 meshes with their material textures, and four coloured primitive meshes built
// in code. They live as long as the device.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/common/math3d.h"
#include "platform/graphics.h"

constexpr float ATLAS_SIZE = 2048.0f;
constexpr float GLYPH_ATLAS_WIDTH = 2048.0f;
constexpr float GLYPH_ATLAS_HEIGHT = 1024.0f;
constexpr int TEXTURE_COUNT = 28;
constexpr int MESH_COUNT = 39;
constexpr int PRIMITIVE_COUNT = 4;

constexpr int PRIMITIVE_SMALL_SPHERE = 0;
constexpr int PRIMITIVE_RED_SPHERE = 1;
constexpr int PRIMITIVE_BLUE_SPHERE = 2;
constexpr int PRIMITIVE_TORUS = 3;

struct MeshRecord {
    GfxMesh* mesh;
    uint32_t materialCount;
    std::vector<GfxMaterial> materials;
    std::vector<GfxTexture*> meshTextures;  // null where a material has no texture
    Vec3 boxMin;
    Vec3 boxMax;
    float height;
    float width;
    float depth;
    float radius;
};

extern GfxTexture* uiAtlas;
extern GfxTexture* glyphAtlas;
extern GfxTexture* textures[TEXTURE_COUNT];
extern MeshRecord meshTable[MESH_COUNT];
extern MeshRecord primitiveMeshes[PRIMITIVE_COUNT];
extern uint32_t meshTextureCount;

bool LoadTextures();
bool LoadTextureFromArchive(GfxTexture** out, int entry);
bool LoadMeshes();
bool LoadMeshFromArchive(MeshRecord* record, int entry);
// Bounds of the positions the record was built from.
bool ComputeMeshBounds(MeshRecord* record, const std::vector<Vec3>& positions);
bool CreateColoredSphere(MeshRecord* record, int slicesAndStacks, float radius, uint32_t argb);
bool CreateColoredTorus(MeshRecord* record, float innerRadius, float outerRadius, int sides,
                        int rings, uint32_t argb);
// The geometry of the two primitive shapes, axis along z, centred on the origin.
MeshData SphereGeometry(int slicesAndStacks, float radius, uint32_t argb);
MeshData TorusGeometry(float innerRadius, float outerRadius, int sides, int rings, uint32_t argb);
// Releases the meshes (with their textures), the textures and the atlases.
void ReleaseMeshesAndTextures();
