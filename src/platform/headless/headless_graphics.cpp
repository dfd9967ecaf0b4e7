// Headless backend: a graphics device that exists only as a record of what was asked of it.
#include <set>

#include "platform/graphics.h"
#include "platform/headless/headless_state.h"

using headless::Log;
using headless::state;

struct GfxTexture {
    headless::TextureInfo info;
};

struct GfxMesh {
    headless::MeshInfo info;
};

namespace {

std::set<const GfxTexture*> liveTextures;
std::set<const GfxMesh*> liveMeshes;

headless::DrawRecord StateRecord(headless::DrawRecord::Kind kind) {
    headless::DrawRecord record{};
    record.kind = kind;
    record.texture = state.texture;
    record.depthTest = state.depthTest;
    record.lighting = state.lighting;
    record.material = state.material;
    record.world = state.transforms[0];
    record.view = state.transforms[1];
    record.projection = state.transforms[2];
    return record;
}

}  // namespace

namespace headless {

const std::vector<DrawRecord>& DrawCalls() {
    return state.drawCalls;
}
void ClearDrawCalls() {
    state.drawCalls.clear();
}
bool DepthTest() {
    return state.depthTest;
}
bool Lighting() {
    return state.lighting;
}
const Mat4& Transform(GfxTransform which) {
    return state.transforms[static_cast<int>(which)];
}
const TextureInfo* TextureOf(const GfxTexture* texture) {
    return liveTextures.count(texture) != 0 ? &texture->info : nullptr;
}
const MeshInfo* MeshOf(const GfxMesh* mesh) {
    return liveMeshes.count(mesh) != 0 ? &mesh->info : nullptr;
}
size_t LiveTextures() {
    return liveTextures.size();
}
size_t LiveMeshes() {
    return liveMeshes.size();
}

}  // namespace headless

bool GfxCreateDevice(const DeviceSettings& settings) {
    state.deviceAttempts.push_back(settings);
    if (state.deviceCreationsToFail > 0) {
        state.deviceCreationsToFail -= 1;
        Log("device:create-failed");
        return false;
    }
    state.deviceExists = true;
    state.depthTest = true;
    state.lighting = false;
    state.texture = nullptr;
    Log("device:create");
    return true;
}

void GfxReleaseDevice() {
    if (!state.deviceExists) {
        return;
    }
    state.deviceExists = false;
    Log("device:release");
}

bool GfxDeviceExists() {
    return state.deviceExists;
}

void GfxBeginFrame(uint32_t, float) {
    state.frameOpen = state.deviceExists;
    state.drawCalls.clear();
}

PresentResult GfxEndFrame() {
    if (!state.frameOpen) {
        return PresentResult::Ok;
    }
    state.frameOpen = false;
    if (state.loseDeviceAtPresent) {
        state.loseDeviceAtPresent = false;
        Log("device:lost");
        return PresentResult::DeviceLost;
    }
    state.framesPresented += 1;
    return PresentResult::Ok;
}

bool GfxReadPicture(std::vector<uint32_t>*) {
    return false;
}

GfxTexture* GfxCreateTexture(const RgbaImage& image) {
    if (!state.deviceExists) {
        return nullptr;
    }
    GfxTexture* texture = new GfxTexture{{image.width, image.height}};
    liveTextures.insert(texture);
    return texture;
}

void GfxDestroyTexture(GfxTexture* texture) {
    if (liveTextures.erase(texture) != 0) {
        delete texture;
    }
}

GfxMesh* GfxCreateMesh(const MeshData& data) {
    if (!state.deviceExists) {
        return nullptr;
    }
    GfxMesh* mesh = new GfxMesh{};
    mesh->info.vertexCount = data.positions.size();
    mesh->info.normals = !data.normals.empty();
    mesh->info.texCoords = !data.texCoords.empty();
    mesh->info.colours = !data.colours.empty();
    for (const std::vector<uint32_t>& subset : data.subsets) {
        mesh->info.subsetTriangles.push_back(subset.size() / 3);
    }
    liveMeshes.insert(mesh);
    return mesh;
}

void GfxDestroyMesh(GfxMesh* mesh) {
    if (liveMeshes.erase(mesh) != 0) {
        delete mesh;
    }
}

void GfxSetTransform(GfxTransform which, const Mat4& matrix) {
    if (state.deviceExists) {
        state.transforms[static_cast<int>(which)] = matrix;
    }
}

void GfxSetDepthTest(bool on) {
    if (state.deviceExists) {
        state.depthTest = on;
    }
}

void GfxSetLighting(bool on) {
    if (state.deviceExists) {
        state.lighting = on;
    }
}

void GfxSetMaterial(const GfxMaterial& material) {
    if (state.deviceExists) {
        state.material = material;
    }
}

void GfxSetTexture(const GfxTexture* texture) {
    if (state.deviceExists) {
        state.texture = texture;
    }
}

void GfxDrawScreenFan(const ScreenVertex (&vertices)[4]) {
    if (!state.deviceExists) {
        return;
    }
    headless::DrawRecord record = StateRecord(headless::DrawRecord::Kind::ScreenFan);
    for (int i = 0; i < 4; ++i) {
        record.screen[i] = vertices[i];
    }
    state.drawCalls.push_back(record);
}

void GfxDrawWorldFan(const WorldVertex (&vertices)[4]) {
    if (!state.deviceExists) {
        return;
    }
    headless::DrawRecord record = StateRecord(headless::DrawRecord::Kind::WorldFan);
    for (int i = 0; i < 4; ++i) {
        record.vertices[i] = vertices[i];
    }
    state.drawCalls.push_back(record);
}

void GfxDrawMeshSubset(const GfxMesh* mesh, uint32_t subset) {
    if (!state.deviceExists || headless::MeshOf(mesh) == nullptr) {
        return;
    }
    headless::DrawRecord record = StateRecord(headless::DrawRecord::Kind::MeshSubset);
    record.mesh = mesh;
    record.subset = subset;
    state.drawCalls.push_back(record);
}
