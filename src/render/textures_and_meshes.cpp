// Textures and meshes.
#include "render/textures_and_meshes.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/data_archive.h"
#include "platform/common/image.h"
#include "platform/common/xfile.h"
#include "platform/system.h"

GfxTexture* uiAtlas = nullptr;
GfxTexture* glyphAtlas = nullptr;
GfxTexture* textures[TEXTURE_COUNT];
MeshRecord meshTable[MESH_COUNT];
MeshRecord primitiveMeshes[PRIMITIVE_COUNT];
uint32_t meshTextureCount = 0;

namespace {

constexpr double PI = 3.14159265358979323846;

void ReleaseRecord(MeshRecord& record) {
    GfxDestroyMesh(record.mesh);
    for (GfxTexture* texture : record.meshTextures) {
        GfxDestroyTexture(texture);
    }
    record = MeshRecord{};
}

GfxMaterial MaterialFrom(const XMaterial& x) {
    GfxMaterial m{};
    for (int i = 0; i < 4; ++i) {
        m.diffuse[i] = x.diffuse[i];
    }
    for (int i = 0; i < 3; ++i) {
        m.specular[i] = x.specular[i];
        m.emissive[i] = x.emissive[i];
    }
    m.power = x.power;
    return m;
}

// One subset per material, each holding that material's triangles in file order.
MeshData MeshDataFrom(const XMesh& x) {
    MeshData data;
    data.positions = x.positions;
    data.normals = x.normals;
    data.texCoords = x.texCoords;
    data.colours = x.colours;
    data.subsets.resize(x.materials.size());
    for (size_t t = 0; t < x.triangleMaterials.size(); ++t) {
        uint32_t material = x.triangleMaterials[t];
        if (material < data.subsets.size()) {
            std::vector<uint32_t>& subset = data.subsets[material];
            subset.insert(subset.end(), x.indices.begin() + static_cast<ptrdiff_t>(t * 3),
                          x.indices.begin() + static_cast<ptrdiff_t>(t * 3 + 3));
        }
    }
    return data;
}

bool CreatePrimitive(MeshRecord* record, const MeshData& data) {
    *record = MeshRecord{};
    record->mesh = GfxCreateMesh(data);
    if (record->mesh == nullptr) {
        return false;
    }
    return ComputeMeshBounds(record, data.positions);
}

std::string Hex(const uint8_t* bytes, uint32_t size) {
    std::string text;
    char byte[4];
    for (uint32_t i = 0; i < size && i < 4; ++i) {
        std::snprintf(byte, sizeof byte, " %02X", bytes[i]);
        text += byte;
    }
    return text;
}

// The parser says only yes or no; the header tells the commonest faults apart.
std::string WhyNotAMesh(const uint8_t* bytes, uint32_t size) {
    if (size < 16 || std::memcmp(bytes, "xof ", 4) != 0) {
        return "not a valid .x mesh: no \"xof \" header";
    }
    return "not a valid .x mesh: malformed \"" +
           std::string(reinterpret_cast<const char*>(bytes) + 8, 4) + "\" contents (" +
           std::to_string(size) + " bytes)";
}

}  // namespace

bool LoadTextureFromArchive(GfxTexture** out, int entry) {
    *out = nullptr;
    uint32_t size = 0;
    const uint8_t* bytes = GetArchiveEntry(entry, &size);
    if (bytes == nullptr) {
        ReportBadArchiveEntry(entry, "lies outside the file");
        return false;
    }
    RgbaImage image;
    if (!DecodeImage(bytes, size, &image)) {
        ReportBadArchiveEntry(entry, "not a decodable image (" + std::to_string(size) +
                                         " bytes, starting" + Hex(bytes, size) + ")");
        return false;
    }
    *out = GfxCreateTexture(PrepareTextureImage(image));
    if (*out == nullptr) {
        ReportBadArchiveEntry(
            entry, "the graphics device refused its " + std::to_string(image.width) + " x " +
                       std::to_string(image.height) + " texture: " + PlatformLastError());
        return false;
    }
    return true;
}

bool LoadTextures() {
    if (!LoadTextureFromArchive(&uiAtlas, ARCHIVE_UI_ATLAS)) {
        return false;
    }
    if (!LoadTextureFromArchive(&glyphAtlas, ARCHIVE_GLYPH_ATLAS)) {
        return false;
    }
    for (int i = 0; i < TEXTURE_COUNT; ++i) {
        if (!LoadTextureFromArchive(&textures[i], ARCHIVE_TEXTURE_FIRST + i)) {
            return false;
        }
    }
    return true;
}

bool ComputeMeshBounds(MeshRecord* record, const std::vector<Vec3>& positions) {
    Vec3 centre;
    ComputeBoundingBox(positions.data(), positions.size(), sizeof(Vec3), &record->boxMin,
                       &record->boxMax);
    ComputeBoundingSphere(positions.data(), positions.size(), sizeof(Vec3), &centre,
                          &record->radius);
    record->height = record->boxMax.y - record->boxMin.y;
    record->width = record->boxMax.x - record->boxMin.x;
    record->depth = record->boxMax.z - record->boxMin.z;
    return true;
}

bool LoadMeshFromArchive(MeshRecord* record, int entry) {
    *record = MeshRecord{};
    uint32_t size = 0;
    const uint8_t* bytes = GetArchiveEntry(entry, &size);
    if (bytes == nullptr) {
        ReportBadArchiveEntry(entry, "lies outside the file");
        return false;
    }
    XMesh x;
    if (!ParseXFile(bytes, size, &x)) {
        ReportBadArchiveEntry(entry, WhyNotAMesh(bytes, size));
        return false;
    }
    record->mesh = GfxCreateMesh(MeshDataFrom(x));
    if (record->mesh == nullptr) {
        ReportBadArchiveEntry(
            entry, std::string("the graphics device refused the mesh: ") + PlatformLastError());
        return false;
    }
    record->materialCount = static_cast<uint32_t>(x.materials.size());
    record->materials.resize(x.materials.size());
    record->meshTextures.assign(x.materials.size(), nullptr);
    for (size_t i = 0; i < x.materials.size(); ++i) {
        record->materials[i] = MaterialFrom(x.materials[i]);
        if (!x.materials[i].textureFile.empty()) {
            // The file name is not used: textured materials take the next mesh-texture
            // entries in order. Past the last such entry a material simply has no texture.
            int textureEntry = ARCHIVE_MESH_TEXTURE_FIRST + static_cast<int>(meshTextureCount);
            if (textureEntry < ARCHIVE_MESH_TEXTURE_END) {
                LoadTextureFromArchive(&record->meshTextures[i], textureEntry);
            }
            meshTextureCount += 1;
        }
    }
    return ComputeMeshBounds(record, x.positions);
}

MeshData SphereGeometry(int n, float radius, uint32_t argb) {
    MeshData data;
    data.positions.push_back(Vec3{0.0f, 0.0f, radius});
    for (int stack = 1; stack < n; ++stack) {
        double theta = PI * stack / n;
        float ring = static_cast<float>(radius * std::sin(theta));
        float z = static_cast<float>(radius * std::cos(theta));
        for (int slice = 0; slice < n; ++slice) {
            double phi = 2.0 * PI * slice / n;
            data.positions.push_back(Vec3{static_cast<float>(ring * std::cos(phi)),
                                          static_cast<float>(ring * std::sin(phi)), z});
        }
    }
    data.positions.push_back(Vec3{0.0f, 0.0f, -radius});
    const uint32_t bottom = static_cast<uint32_t>(data.positions.size() - 1);
    std::vector<uint32_t> triangles;
    auto ringVertex = [n](int stack, int slice) {
        return static_cast<uint32_t>(1 + (stack - 1) * n + (slice % n));
    };
    for (int slice = 0; slice < n; ++slice) {
        triangles.insert(triangles.end(), {0u, ringVertex(1, slice + 1), ringVertex(1, slice)});
    }
    for (int stack = 1; stack < n - 1; ++stack) {
        for (int slice = 0; slice < n; ++slice) {
            uint32_t a = ringVertex(stack, slice);
            uint32_t b = ringVertex(stack, slice + 1);
            uint32_t c = ringVertex(stack + 1, slice);
            uint32_t d = ringVertex(stack + 1, slice + 1);
            triangles.insert(triangles.end(), {a, b, c, b, d, c});
        }
    }
    for (int slice = 0; slice < n; ++slice) {
        triangles.insert(triangles.end(),
                         {bottom, ringVertex(n - 1, slice), ringVertex(n - 1, slice + 1)});
    }
    data.colours.assign(data.positions.size(), argb);
    data.subsets.push_back(std::move(triangles));
    return data;
}

MeshData TorusGeometry(float innerRadius, float outerRadius, int sides, int rings, uint32_t argb) {
    MeshData data;
    for (int ring = 0; ring < rings; ++ring) {
        double t = 2.0 * PI * ring / rings;
        for (int side = 0; side < sides; ++side) {
            double p = 2.0 * PI * side / sides;
            double distance = innerRadius * std::cos(p) + outerRadius;
            data.positions.push_back(Vec3{static_cast<float>(distance * std::cos(t)),
                                          static_cast<float>(distance * std::sin(t)),
                                          static_cast<float>(innerRadius * std::sin(p))});
        }
    }
    std::vector<uint32_t> triangles;
    auto at = [sides, rings](int ring, int side) {
        return static_cast<uint32_t>((ring % rings) * sides + (side % sides));
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int side = 0; side < sides; ++side) {
            uint32_t a = at(ring, side);
            uint32_t b = at(ring, side + 1);
            uint32_t c = at(ring + 1, side);
            uint32_t d = at(ring + 1, side + 1);
            triangles.insert(triangles.end(), {a, c, b, b, c, d});
        }
    }
    data.colours.assign(data.positions.size(), argb);
    data.subsets.push_back(std::move(triangles));
    return data;
}

bool CreateColoredSphere(MeshRecord* record, int slicesAndStacks, float radius, uint32_t argb) {
    return CreatePrimitive(record, SphereGeometry(slicesAndStacks, radius, argb));
}

bool CreateColoredTorus(MeshRecord* record, float innerRadius, float outerRadius, int sides,
                        int rings, uint32_t argb) {
    return CreatePrimitive(record, TorusGeometry(innerRadius, outerRadius, sides, rings, argb));
}

bool LoadMeshes() {
    meshTextureCount = 0;
    for (MeshRecord& record : meshTable) {
        record = MeshRecord{};
    }
    for (MeshRecord& record : primitiveMeshes) {
        record = MeshRecord{};
    }
    for (int row = 0; row < MESH_COUNT; ++row) {
        if (!LoadMeshFromArchive(&meshTable[row], ARCHIVE_MESH_FIRST + row)) {
            return false;
        }
    }
    if (!CreateColoredSphere(&primitiveMeshes[PRIMITIVE_SMALL_SPHERE], 8, 0.4f, 0xFFFFFF00u) ||
        !CreateColoredSphere(&primitiveMeshes[PRIMITIVE_RED_SPHERE], 16, 3.4f, 0xFFFF0000u) ||
        !CreateColoredSphere(&primitiveMeshes[PRIMITIVE_BLUE_SPHERE], 16, 3.4f, 0xFF0000FFu) ||
        !CreateColoredTorus(&primitiveMeshes[PRIMITIVE_TORUS], 0.2f, 1.4f, 32, 32, 0xFFFFFF00u)) {
        std::fprintf(stderr, "graphics: cannot build the primitive meshes: %s\n",
                     PlatformLastError());
        return false;
    }
    return true;
}

void ReleaseMeshesAndTextures() {
    for (MeshRecord& record : primitiveMeshes) {
        ReleaseRecord(record);
    }
    for (MeshRecord& record : meshTable) {
        ReleaseRecord(record);
    }
    for (GfxTexture*& texture : textures) {
        GfxDestroyTexture(texture);
        texture = nullptr;
    }
    GfxDestroyTexture(glyphAtlas);
    glyphAtlas = nullptr;
    GfxDestroyTexture(uiAtlas);
    uiAtlas = nullptr;
}
