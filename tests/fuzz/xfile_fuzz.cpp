// Fuzzes the .x mesh parser: every accepted mesh is whole (each optional array one entry per
// vertex, three indices per triangle, every index and material number in range).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/common/xfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XMesh mesh;
    if (!ParseXFile(data, size, &mesh)) {
        return 0;
    }
    const size_t vertices = mesh.positions.size();
    if ((!mesh.normals.empty() && mesh.normals.size() != vertices) ||
        (!mesh.texCoords.empty() && mesh.texCoords.size() != vertices) ||
        (!mesh.colours.empty() && mesh.colours.size() != vertices) ||
        mesh.indices.size() != mesh.triangleMaterials.size() * 3) {
        std::abort();
    }
    for (uint32_t index : mesh.indices) {
        if (index >= vertices) {
            std::abort();
        }
    }
    for (uint32_t material : mesh.triangleMaterials) {
        if (material >= mesh.materials.size()) {
            std::abort();
        }
    }
    return 0;
}
