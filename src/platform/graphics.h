// The graphics device: one context that draws the 640 by 480 picture with fixed-function
// rules (every draw alpha-blended, texture times vertex colour, point sampling, depth test
// less-or-equal), created from the display options and created anew after a loss. Every call
// does nothing while no device exists.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/common/image.h"
#include "platform/common/math3d.h"

struct DeviceSettings {
    bool windowed;                  // false: the picture covers the whole screen
    bool vsync;                     // wait for the vertical retrace when presenting
    bool depth24;                   // 24-bit depth buffer, else 16-bit
    int refreshRate;                // full screen only: 60, or 0 for the display's own rate
    bool softwareVertexProcessing;  // the fallback when hardware processing is refused
};

bool GfxCreateDevice(const DeviceSettings& settings);
// Releases the device. Textures and meshes must have been destroyed first.
void GfxReleaseDevice();
bool GfxDeviceExists();

// Starts a frame's picture: clears colour (ARGB) and depth.
void GfxBeginFrame(uint32_t clearColour, float clearDepth);

enum class PresentResult { Ok, DeviceLost };
// Ends the frame's picture and shows it. DeviceLost means every graphics object is gone and
// must be created again.
PresentResult GfxEndFrame();

// The last picture drawn, 640 x 480 ARGB pixels from the top row. False without a picture.
bool GfxReadPicture(std::vector<uint32_t>* pixels);

// Textures, made from images already prepared (PrepareTextureImage).
struct GfxTexture;
GfxTexture* GfxCreateTexture(const RgbaImage& image);
void GfxDestroyTexture(GfxTexture* texture);

// Meshes keep their own vertex layout: positions, and normals, texture coordinates and colours
// where present. Each subset is a list of triangles drawn on its own.
struct MeshData {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;                   // empty, or one per position
    std::vector<Vec2> texCoords;                 // empty, or one per position
    std::vector<uint32_t> colours;               // empty, or one ARGB per position
    std::vector<std::vector<uint32_t>> subsets;  // three indices per triangle
};
struct GfxMesh;
GfxMesh* GfxCreateMesh(const MeshData& data);
void GfxDestroyMesh(GfxMesh* mesh);

// A vertex already in screen pixels: x right, y down, z 0 the nearest depth, rhw 1.
struct ScreenVertex {
    float x;
    float y;
    float z;
    float rhw;
    uint32_t colour;  // ARGB
    float u;
    float v;
};

// A vertex in world space, transformed by the world, view and projection matrices.
struct WorldVertex {
    float x;
    float y;
    float z;
    uint32_t colour;  // ARGB
    float u;
    float v;
};

struct GfxMaterial {
    float diffuse[4];  // r, g, b, a
    float ambient[4];
    float specular[4];
    float emissive[4];
    float power;
};

enum class GfxTransform { World, View, Projection };
// Row-vector matrices (a point multiplied on the left) with the depth range 0..1.
void GfxSetTransform(GfxTransform which, const Mat4& matrix);
void GfxSetDepthTest(bool on);
// Lit drawing: no light ever shines, so a lit triangle shows its material's emissive colour,
// with the vertex colour's alpha where the mesh has colours, else the material's diffuse alpha.
void GfxSetLighting(bool on);
void GfxSetMaterial(const GfxMaterial& material);
// The texture of the following draws; null draws plain vertex colours.
void GfxSetTexture(const GfxTexture* texture);

// Four vertices drawn as the triangles 0-1-2 and 0-2-3.
void GfxDrawScreenFan(const ScreenVertex (&vertices)[4]);
void GfxDrawWorldFan(const WorldVertex (&vertices)[4]);
void GfxDrawMeshSubset(const GfxMesh* mesh, uint32_t subset);
