// SDL backend: the graphics device as an OpenGL 2.1 fixed-function context. The game draws
// into a 640 by 480 off-screen picture, which is then shown in the window, letterboxed.
//
// How the device rules map onto OpenGL:
// - screen vertices: the game's pixel coordinate p is GL window coordinate p + 0.5, since a
//   pixel's centre lies on the whole coordinate in the game's convention and on the half in
//   GL's; depth 0, written like any other depth;
// - matrices are row-vector ones, which GL reads unchanged as column-vector ones; the game's
//   depth range 0..1 becomes GL's -1..1 by one matrix applied to the projection, here only;
// - lit meshes show only their emissive colour (no light ever exists), computed here per draw.
#include <SDL2/SDL_opengl.h>

#include <algorithm>
#include <cstring>

#include "platform/graphics.h"
#include "platform/sdl/sdl_internal.h"

struct GfxTexture {
    GLuint name;
};

struct GfxMesh {
    std::vector<Vec3> positions;
    std::vector<Vec2> texCoords;
    std::vector<uint32_t> colours;
    std::vector<std::vector<uint32_t>> subsets;
};

namespace {

constexpr int PICTURE_WIDTH = 640;
constexpr int PICTURE_HEIGHT = 480;

// Framebuffer objects are not part of OpenGL 2.1 itself; they come from the
// ARB/EXT framebuffer extensions, which every current driver offers.
struct FramebufferApi {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
};

SDL_GLContext context = nullptr;
FramebufferApi fb{};
GLuint pictureFramebuffer = 0;
GLuint pictureColour = 0;
GLuint pictureDepth = 0;
bool frameOpen = false;
bool pictureDrawn = false;

bool lighting = false;
GfxMaterial material{};
Mat4 transforms[3] = {MatrixIdentity(), MatrixIdentity(), MatrixIdentity()};
std::vector<uint32_t> litColours;  // scratch for lit draws; keeps its capacity

template <typename F>
bool Load(F* target, const char* name, const char* extName) {
    void* proc = SDL_GL_GetProcAddress(name);
    if (proc == nullptr) {
        proc = SDL_GL_GetProcAddress(extName);
    }
    *target = reinterpret_cast<F>(proc);
    return proc != nullptr;
}

bool LoadFramebufferApi() {
    return Load(&fb.genFramebuffers, "glGenFramebuffers", "glGenFramebuffersEXT") &&
           Load(&fb.deleteFramebuffers, "glDeleteFramebuffers", "glDeleteFramebuffersEXT") &&
           Load(&fb.bindFramebuffer, "glBindFramebuffer", "glBindFramebufferEXT") &&
           Load(&fb.framebufferTexture2D, "glFramebufferTexture2D", "glFramebufferTexture2DEXT") &&
           Load(&fb.genRenderbuffers, "glGenRenderbuffers", "glGenRenderbuffersEXT") &&
           Load(&fb.deleteRenderbuffers, "glDeleteRenderbuffers", "glDeleteRenderbuffersEXT") &&
           Load(&fb.bindRenderbuffer, "glBindRenderbuffer", "glBindRenderbufferEXT") &&
           Load(&fb.renderbufferStorage, "glRenderbufferStorage", "glRenderbufferStorageEXT") &&
           Load(&fb.framebufferRenderbuffer, "glFramebufferRenderbuffer",
                "glFramebufferRenderbufferEXT") &&
           Load(&fb.checkFramebufferStatus, "glCheckFramebufferStatus",
                "glCheckFramebufferStatusEXT") &&
           Load(&fb.blitFramebuffer, "glBlitFramebuffer", "glBlitFramebufferEXT");
}

bool CreatePicture(bool depth24) {
    glGenTextures(1, &pictureColour);
    glBindTexture(GL_TEXTURE_2D, pictureColour);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, PICTURE_WIDTH, PICTURE_HEIGHT, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, nullptr);
    fb.genRenderbuffers(1, &pictureDepth);
    fb.bindRenderbuffer(GL_RENDERBUFFER, pictureDepth);
    fb.renderbufferStorage(GL_RENDERBUFFER, depth24 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16,
                           PICTURE_WIDTH, PICTURE_HEIGHT);
    fb.genFramebuffers(1, &pictureFramebuffer);
    fb.bindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer);
    fb.framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, pictureColour, 0);
    fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, pictureDepth);
    return fb.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void SetFixedStates() {
    glDisable(GL_LIGHTING);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

void LoadRowMatrix(const Mat4& m) {
    glLoadMatrixf(&m.m[0][0]);
}

// The game's pixels straight onto the picture.
void UseScreenSpace() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, PICTURE_WIDTH, PICTURE_HEIGHT, 0.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// World, view and projection as the game set them, the projection's depth moved from 0..1
// to GL's -1..1: z' = 2z - w.
void UseWorldSpace() {
    static const Mat4 depthRange = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 2, 0}, {0, 0, -1, 1}}};
    glMatrixMode(GL_PROJECTION);
    LoadRowMatrix(MatrixMultiply(transforms[2], depthRange));
    glMatrixMode(GL_MODELVIEW);
    LoadRowMatrix(MatrixMultiply(transforms[0], transforms[1]));
}

void DeletePicture() {
    if (pictureFramebuffer != 0) {
        fb.deleteFramebuffers(1, &pictureFramebuffer);
    }
    if (pictureDepth != 0) {
        fb.deleteRenderbuffers(1, &pictureDepth);
    }
    if (pictureColour != 0) {
        glDeleteTextures(1, &pictureColour);
    }
    pictureFramebuffer = 0;
    pictureDepth = 0;
    pictureColour = 0;
}

float ColourChannel(uint32_t argb, int shift) {
    return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
}

uint32_t ChannelByte(float value) {
    return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}

}  // namespace

bool GfxCreateDevice(const DeviceSettings& settings) {
    if (context != nullptr || sdlbackend::window == nullptr) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    context = SDL_GL_CreateContext(sdlbackend::window);
    if (context == nullptr) {
        sdlbackend::SetLastError("OpenGL 2.1 context");
        return false;
    }
    if (!LoadFramebufferApi() || !CreatePicture(settings.depth24)) {
        const GLubyte* renderer = glGetString(GL_RENDERER);
        SDL_SetError("no usable framebuffer objects (renderer %s)",
                     renderer != nullptr ? reinterpret_cast<const char*>(renderer) : "unknown");
        sdlbackend::SetLastError("OpenGL");
        DeletePicture();
        SDL_GL_DeleteContext(context);
        context = nullptr;
        return false;
    }
    SDL_GL_SetSwapInterval(settings.vsync ? 1 : 0);
    SetFixedStates();
    lighting = false;
    for (Mat4& m : transforms) {
        m = MatrixIdentity();
    }
    pictureDrawn = false;
    return true;
}

void GfxReleaseDevice() {
    if (context == nullptr) {
        return;
    }
    DeletePicture();
    SDL_GL_DeleteContext(context);
    context = nullptr;
    frameOpen = false;
    pictureDrawn = false;
}

bool GfxDeviceExists() {
    return context != nullptr;
}

void GfxBeginFrame(uint32_t clearColour, float clearDepth) {
    if (context == nullptr) {
        return;
    }
    fb.bindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClearColor(ColourChannel(clearColour, 16), ColourChannel(clearColour, 8),
                 ColourChannel(clearColour, 0), ColourChannel(clearColour, 24));
    glClearDepth(clearDepth);
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(depthWrites);
    frameOpen = true;
}

PresentResult GfxEndFrame() {
    if (context == nullptr || !frameOpen) {
        return PresentResult::Ok;
    }
    frameOpen = false;
    pictureDrawn = true;
    // Shown letterboxed at the largest size that keeps its shape.
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(sdlbackend::window, &width, &height);
    int shownWidth = std::min(width, height * PICTURE_WIDTH / PICTURE_HEIGHT);
    int shownHeight = shownWidth * PICTURE_HEIGHT / PICTURE_WIDTH;
    int left = (width - shownWidth) / 2;
    int bottom = (height - shownHeight) / 2;
    fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    fb.bindFramebuffer(GL_READ_FRAMEBUFFER, pictureFramebuffer);
    fb.blitFramebuffer(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, left, bottom, left + shownWidth,
                       bottom + shownHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    fb.bindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer);
    SDL_GL_SwapWindow(sdlbackend::window);
    // An OpenGL context is never lost the way the game's device model allows for.
    return PresentResult::Ok;
}

bool GfxReadPicture(std::vector<uint32_t>* pixels) {
    if (context == nullptr || !pictureDrawn) {
        return false;
    }
    std::vector<uint32_t> rows(PICTURE_WIDTH * PICTURE_HEIGHT);
    fb.bindFramebuffer(GL_FRAMEBUFFER, pictureFramebuffer);
    glReadPixels(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 rows.data());
    pixels->resize(rows.size());
    for (int y = 0; y < PICTURE_HEIGHT; ++y) {
        std::memcpy(pixels->data() + static_cast<size_t>(y) * PICTURE_WIDTH,
                    rows.data() + static_cast<size_t>(PICTURE_HEIGHT - 1 - y) * PICTURE_WIDTH,
                    PICTURE_WIDTH * sizeof(uint32_t));
    }
    return true;
}

GfxTexture* GfxCreateTexture(const RgbaImage& image) {
    if (context == nullptr || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        return nullptr;
    }
    GfxTexture* texture = new GfxTexture{0};
    glGenTextures(1, &texture->name);
    glBindTexture(GL_TEXTURE_2D, texture->name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Rows go up top row first, so texture coordinate v = 0 is the image's top.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, image.pixels.data());
    return texture;
}

void GfxDestroyTexture(GfxTexture* texture) {
    if (texture == nullptr) {
        return;
    }
    if (context != nullptr) {
        glDeleteTextures(1, &texture->name);
    }
    delete texture;
}

GfxMesh* GfxCreateMesh(const MeshData& data) {
    if (context == nullptr) {
        return nullptr;
    }
    const size_t count = data.positions.size();
    if ((!data.texCoords.empty() && data.texCoords.size() != count) ||
        (!data.colours.empty() && data.colours.size() != count)) {
        return nullptr;
    }
    for (const std::vector<uint32_t>& subset : data.subsets) {
        for (uint32_t index : subset) {
            if (index >= count) {
                return nullptr;
            }
        }
    }
    GfxMesh* mesh = new GfxMesh{data.positions, data.texCoords, data.colours, data.subsets};
    return mesh;
}

void GfxDestroyMesh(GfxMesh* mesh) {
    delete mesh;
}

void GfxSetTransform(GfxTransform which, const Mat4& matrix) {
    if (context != nullptr) {
        transforms[static_cast<int>(which)] = matrix;
    }
}

void GfxSetDepthTest(bool on) {
    if (context == nullptr) {
        return;
    }
    if (on) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void GfxSetLighting(bool on) {
    if (context != nullptr) {
        lighting = on;
    }
}

void GfxSetMaterial(const GfxMaterial& newMaterial) {
    if (context != nullptr) {
        material = newMaterial;
    }
}

void GfxSetTexture(const GfxTexture* texture) {
    if (context == nullptr) {
        return;
    }
    if (texture == nullptr) {
        glDisable(GL_TEXTURE_2D);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture->name);
}

void GfxDrawScreenFan(const ScreenVertex (&vertices)[4]) {
    if (context == nullptr) {
        return;
    }
    UseScreenSpace();
    glBegin(GL_TRIANGLE_FAN);
    for (const ScreenVertex& v : vertices) {
        glColor4ub(static_cast<GLubyte>(v.colour >> 16), static_cast<GLubyte>(v.colour >> 8),
                   static_cast<GLubyte>(v.colour), static_cast<GLubyte>(v.colour >> 24));
        glTexCoord2f(v.u, v.v);
        glVertex3f(v.x + 0.5f, v.y + 0.5f, -v.z);
    }
    glEnd();
}

void GfxDrawWorldFan(const WorldVertex (&vertices)[4]) {
    if (context == nullptr) {
        return;
    }
    UseWorldSpace();
    glBegin(GL_TRIANGLE_FAN);
    for (const WorldVertex& v : vertices) {
        glColor4ub(static_cast<GLubyte>(v.colour >> 16), static_cast<GLubyte>(v.colour >> 8),
                   static_cast<GLubyte>(v.colour), static_cast<GLubyte>(v.colour >> 24));
        glTexCoord2f(v.u, v.v);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

void GfxDrawMeshSubset(const GfxMesh* mesh, uint32_t subset) {
    if (context == nullptr || mesh == nullptr || subset >= mesh->subsets.size() ||
        mesh->subsets[subset].empty()) {
        return;
    }
    UseWorldSpace();
    const size_t count = mesh->positions.size();
    const uint32_t* colours = nullptr;
    if (lighting) {
        // No light shines: emissive colour, with the vertex colour's alpha where there is one.
        uint32_t rgb = (ChannelByte(material.emissive[0]) << 16) |
                       (ChannelByte(material.emissive[1]) << 8) | ChannelByte(material.emissive[2]);
        uint32_t alpha = ChannelByte(material.diffuse[3]) << 24;
        litColours.resize(count);
        for (size_t i = 0; i < count; ++i) {
            uint32_t a = mesh->colours.empty() ? alpha : (mesh->colours[i] & 0xFF000000u);
            litColours[i] = a | rgb;
        }
        colours = litColours.data();
    } else if (!mesh->colours.empty()) {
        colours = mesh->colours.data();
    }
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3), mesh->positions.data());
    if (colours != nullptr) {
        // ARGB words in memory are the bytes B, G, R, A.
        static_assert(sizeof(uint32_t) == 4);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, 0, colours);
    } else {
        glColor4ub(255, 255, 255, 255);
    }
    if (!mesh->texCoords.empty()) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vec2), mesh->texCoords.data());
    }
    const std::vector<uint32_t>& indices = mesh->subsets[subset];
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                   indices.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
