// Meshes in the DirectX .x file format, as the game's models are stored: the text, binary and
// MSZIP-compressed forms of versions 0302 and 0303 with 32- or 64-bit floats. Every mesh of a
// file is merged into one, with the transforms of the frames around it applied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/math3d.h"

struct XMaterial {
    float diffuse[4];  // r, g, b, a (the material's face colour)
    float power;
    float specular[3];        // r, g, b
    float emissive[3];        // r, g, b
    std::string textureFile;  // empty when the material names no texture
};

struct XMesh {
    // One entry per vertex, in file order. A position that the normals pair with different
    // normals is split into copies, appended after the file's own vertices.
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;      // empty, or one per vertex
    std::vector<Vec2> texCoords;    // empty, or one per vertex (u, v; v = 0 at the image's top)
    std::vector<uint32_t> colours;  // empty, or one ARGB per vertex
    std::vector<uint32_t> indices;  // three per triangle; faces are split into fans
    std::vector<uint32_t> triangleMaterials;  // one per triangle, indexing materials
    std::vector<XMaterial> materials;
};

// False for anything malformed; never reads outside the size bytes.
bool ParseXFile(const uint8_t* data, size_t size, XMesh* out);
