// The .x mesh parser: the data objects a mesh loader needs (frames and their transforms, meshes,
// normals, texture coordinates, vertex colours, material lists and materials), every other
// object and template skipped, and all meshes merged into one. The reading is in two passes:
// the first collects each mesh as the file states it, the second (once every frame's matrix
// and every named material is known) splits vertices by normal, transforms and merges.
#include "platform/common/xfile.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string_view>

#include "platform/common/xfile_tokens.h"

namespace {

constexpr int MAX_DEPTH = 64;
constexpr uint64_t MAX_ELEMENTS = uint64_t{1} << 20;  // vertices, and faces, in all meshes

struct RawMaterial {
    bool isReference = false;
    std::string name;  // the referenced material's
    XMaterial material{};
};

// A mesh as the file states it, before splitting and transforming.
struct RawMesh {
    int frame = -1;  // the innermost frame around it, or -1
    std::vector<Vec3> positions;
    std::vector<uint32_t> faceSizes;
    std::vector<uint32_t> corners;  // the faces' vertex indices, face after face
    bool hasNormals = false;
    std::vector<Vec3> normals;
    std::vector<uint32_t> cornerNormals;  // one index into normals per corner
    std::vector<Vec2> texCoords;          // empty or one per vertex
    std::vector<uint32_t> colours;        // empty or one per vertex
    bool hasMaterialList = false;
    std::vector<uint32_t> faceMaterials;  // one per face when hasMaterialList
    std::vector<RawMaterial> materials;
};

struct RawFrame {
    int parent = -1;
    Mat4 local = MatrixIdentity();
};

struct Parser {
    XTokenReader tokens;
    std::vector<RawFrame> frames;
    std::vector<RawMesh> meshes;
    std::map<std::string, XMaterial, std::less<>> namedMaterials;
    uint64_t totalVertices = 0;
    uint64_t totalFaces = 0;
};

XMaterial DefaultMaterial() {
    XMaterial m{};
    for (float& c : m.diffuse) {
        c = 1.0f;
    }
    return m;
}

// Doubles beyond the float range become infinities rather than undefined conversions.
float ToFloat(double value) {
    if (value > std::numeric_limits<float>::max()) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -std::numeric_limits<float>::max()) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

uint32_t ColourChannel(float value) {
    double scaled = static_cast<double>(value) * 255.0;
    if (!(scaled > 0.0)) {
        return 0;  // NaN too
    }
    if (scaled >= 255.0) {
        return 255;
    }
    return static_cast<uint32_t>(std::lround(scaled));
}

// Separators carry no meaning for what this parser reads, so it takes them where they come.
void SkipSeparators(Parser& p) {
    for (;;) {
        XTokenKind kind = p.tokens.Peek().kind;
        if (kind != XTokenKind::Comma && kind != XTokenKind::Semicolon) {
            return;
        }
        p.tokens.Next();
    }
}

bool ReadUInt(Parser& p, uint32_t* value) {
    SkipSeparators(p);
    XToken t = p.tokens.Next();
    if (t.kind != XTokenKind::Integer) {
        return false;
    }
    *value = t.integer;
    return true;
}

bool ReadFloat(Parser& p, float* value) {
    SkipSeparators(p);
    XToken t = p.tokens.Next();
    if (t.kind != XTokenKind::Integer && t.kind != XTokenKind::Float) {
        return false;
    }
    *value = ToFloat(t.number);
    return true;
}

bool ReadFloats(Parser& p, float* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!ReadFloat(p, &values[i])) {
            return false;
        }
    }
    return true;
}

bool ReadVec3(Parser& p, Vec3* v) {
    return ReadFloat(p, &v->x) && ReadFloat(p, &v->y) && ReadFloat(p, &v->z);
}

bool ReadString(Parser& p, std::string* value) {
    SkipSeparators(p);
    XToken t = p.tokens.Next();
    if (t.kind != XTokenKind::String) {
        return false;
    }
    value->assign(t.text);
    return true;
}

// After an object's identifier: its optional name, the opening brace and the optional class
// id.
bool OpenObject(Parser& p, std::string* name) {
    XToken t = p.tokens.Next();
    if (t.kind == XTokenKind::Name) {
        name->assign(t.text);
        t = p.tokens.Next();
    }
    if (t.kind != XTokenKind::OpenBrace) {
        return false;
    }
    if (p.tokens.Peek().kind == XTokenKind::Guid) {
        p.tokens.Next();
    }
    return true;
}

// The rest of a body at the given depth, whatever it holds, through its closing brace.
bool SkipBody(Parser& p, int depth) {
    int open = 1;
    for (;;) {
        XToken t = p.tokens.Next();
        switch (t.kind) {
            case XTokenKind::OpenBrace:
                ++open;
                if (depth + open - 1 > MAX_DEPTH) {
                    return false;
                }
                break;
            case XTokenKind::CloseBrace:
                if (--open == 0) {
                    return true;
                }
                break;
            case XTokenKind::End:
            case XTokenKind::Error:
                return false;
            default:
                break;
        }
    }
}

// A reference, "{ Name }" with an optional class id, after its opening brace.
bool ReadReference(Parser& p, std::string* name) {
    XToken t = p.tokens.Next();
    bool any = false;
    if (t.kind == XTokenKind::Name) {
        name->assign(t.text);
        any = true;
        t = p.tokens.Next();
    }
    if (t.kind == XTokenKind::Guid) {
        any = true;
        t = p.tokens.Next();
    }
    return any && t.kind == XTokenKind::CloseBrace;
}

// The child objects and references of a body at depth, through its closing brace. Each child
// object has been opened when onObject(type, name, childDepth) is called, and onObject reads
// it through its own closing brace.
template <typename OnObject, typename OnReference>
bool ParseChildren(Parser& p, int depth, OnObject onObject, OnReference onReference) {
    for (;;) {
        XToken t = p.tokens.Next();
        switch (t.kind) {
            case XTokenKind::Comma:
            case XTokenKind::Semicolon:
                break;
            case XTokenKind::CloseBrace:
                return true;
            case XTokenKind::OpenBrace: {
                std::string name;
                if (depth + 1 > MAX_DEPTH || !ReadReference(p, &name) || !onReference(name)) {
                    return false;
                }
                break;
            }
            case XTokenKind::Name: {
                std::string type(t.text);
                std::string name;
                if (depth + 1 > MAX_DEPTH || !OpenObject(p, &name) ||
                    !onObject(type, name, depth + 1)) {
                    return false;
                }
                break;
            }
            default:
                return false;
        }
    }
}

bool IgnoreReference(const std::string&) {
    return true;
}

// Children of objects that hold no children the parser needs.
bool SkipChildren(Parser& p, int depth) {
    return ParseChildren(
        p, depth,
        [&p](const std::string&, const std::string&, int childDepth) {
            return SkipBody(p, childDepth);
        },
        IgnoreReference);
}

bool ParseMaterial(Parser& p, int depth, XMaterial* m) {
    *m = XMaterial{};
    if (!ReadFloats(p, m->diffuse, 4) || !ReadFloat(p, &m->power) ||
        !ReadFloats(p, m->specular, 3) || !ReadFloats(p, m->emissive, 3)) {
        return false;
    }
    return ParseChildren(
        p, depth,
        [&p, m](const std::string& type, const std::string&, int childDepth) {
            if (type == "TextureFilename") {
                return ReadString(p, &m->textureFile) && SkipChildren(p, childDepth);
            }
            return SkipBody(p, childDepth);
        },
        IgnoreReference);
}

void NameMaterial(Parser& p, const std::string& name, const XMaterial& m) {
    if (!name.empty()) {
        p.namedMaterials.emplace(name, m);  // the first of a name stands
    }
}

bool ParseNormals(Parser& p, int depth, RawMesh* mesh) {
    uint32_t count = 0;
    if (!ReadUInt(p, &count) || count > MAX_ELEMENTS) {
        return false;
    }
    mesh->normals.clear();
    for (uint32_t i = 0; i < count; ++i) {
        Vec3 n;
        if (!ReadVec3(p, &n)) {
            return false;
        }
        mesh->normals.push_back(n);
    }
    uint32_t faces = 0;
    if (!ReadUInt(p, &faces) || faces != mesh->faceSizes.size()) {
        return false;
    }
    mesh->cornerNormals.clear();
    for (uint32_t f = 0; f < faces; ++f) {
        uint32_t n = 0;
        if (!ReadUInt(p, &n) || n != mesh->faceSizes[f]) {
            return false;
        }
        for (uint32_t k = 0; k < n; ++k) {
            uint32_t index = 0;
            if (!ReadUInt(p, &index) || index >= count) {
                return false;
            }
            mesh->cornerNormals.push_back(index);
        }
    }
    mesh->hasNormals = true;
    return SkipChildren(p, depth);
}

bool ParseTextureCoords(Parser& p, int depth, RawMesh* mesh) {
    uint32_t count = 0;
    if (!ReadUInt(p, &count) || count != mesh->positions.size()) {
        return false;
    }
    mesh->texCoords.clear();
    for (uint32_t i = 0; i < count; ++i) {
        Vec2 uv;
        if (!ReadFloat(p, &uv.x) || !ReadFloat(p, &uv.y)) {
            return false;
        }
        mesh->texCoords.push_back(uv);
    }
    return SkipChildren(p, depth);
}

bool ParseVertexColours(Parser& p, int depth, RawMesh* mesh) {
    uint32_t count = 0;
    if (!ReadUInt(p, &count)) {
        return false;
    }
    mesh->colours.assign(mesh->positions.size(), 0xFFFFFFFFu);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t index = 0;
        float rgba[4];
        if (!ReadUInt(p, &index) || index >= mesh->positions.size() || !ReadFloats(p, rgba, 4)) {
            return false;
        }
        mesh->colours[index] = ColourChannel(rgba[3]) << 24 | ColourChannel(rgba[0]) << 16 |
                               ColourChannel(rgba[1]) << 8 | ColourChannel(rgba[2]);
    }
    return SkipChildren(p, depth);
}

bool ParseMaterialList(Parser& p, int depth, RawMesh* mesh) {
    uint32_t materialCount = 0;
    uint32_t indexCount = 0;
    uint32_t faces = static_cast<uint32_t>(mesh->faceSizes.size());
    if (!ReadUInt(p, &materialCount) || !ReadUInt(p, &indexCount) || indexCount > faces) {
        return false;
    }
    mesh->faceMaterials.clear();
    for (uint32_t i = 0; i < indexCount; ++i) {
        uint32_t index = 0;
        if (!ReadUInt(p, &index) || index >= materialCount) {
            return false;
        }
        mesh->faceMaterials.push_back(index);
    }
    // A short list repeats its last index over the remaining faces.
    if (faces > 0 && indexCount == 0) {
        if (materialCount == 0) {
            return false;
        }
        mesh->faceMaterials.push_back(0);
    }
    mesh->faceMaterials.resize(faces, mesh->faceMaterials.empty() ? 0 : mesh->faceMaterials.back());
    mesh->materials.clear();
    bool ok = ParseChildren(
        p, depth,
        [&p, mesh](const std::string& type, const std::string& name, int childDepth) {
            if (type != "Material") {
                return SkipBody(p, childDepth);
            }
            RawMaterial m;
            if (!ParseMaterial(p, childDepth, &m.material)) {
                return false;
            }
            NameMaterial(p, name, m.material);
            mesh->materials.push_back(std::move(m));
            return true;
        },
        [mesh](const std::string& name) {
            RawMaterial m;
            m.isReference = true;
            m.name = name;
            mesh->materials.push_back(std::move(m));
            return true;
        });
    mesh->hasMaterialList = true;
    return ok && mesh->materials.size() == materialCount;
}

bool ParseMesh(Parser& p, int depth, int frame) {
    RawMesh mesh;
    mesh.frame = frame;
    uint32_t vertices = 0;
    if (!ReadUInt(p, &vertices)) {
        return false;
    }
    p.totalVertices += vertices;
    if (p.totalVertices > MAX_ELEMENTS) {
        return false;
    }
    for (uint32_t i = 0; i < vertices; ++i) {
        Vec3 v;
        if (!ReadVec3(p, &v)) {
            return false;
        }
        mesh.positions.push_back(v);
    }
    uint32_t faces = 0;
    if (!ReadUInt(p, &faces)) {
        return false;
    }
    p.totalFaces += faces;
    if (p.totalFaces > MAX_ELEMENTS) {
        return false;
    }
    for (uint32_t f = 0; f < faces; ++f) {
        uint32_t n = 0;
        if (!ReadUInt(p, &n) || n < 3) {
            return false;
        }
        for (uint32_t k = 0; k < n; ++k) {
            uint32_t index = 0;
            if (!ReadUInt(p, &index) || index >= vertices) {
                return false;
            }
            mesh.corners.push_back(index);
        }
        mesh.faceSizes.push_back(n);
    }
    bool ok = ParseChildren(
        p, depth,
        [&p, &mesh](const std::string& type, const std::string&, int childDepth) {
            if (type == "MeshNormals") {
                return ParseNormals(p, childDepth, &mesh);
            }
            if (type == "MeshTextureCoords") {
                return ParseTextureCoords(p, childDepth, &mesh);
            }
            if (type == "MeshVertexColors") {
                return ParseVertexColours(p, childDepth, &mesh);
            }
            if (type == "MeshMaterialList") {
                return ParseMaterialList(p, childDepth, &mesh);
            }
            return SkipBody(p, childDepth);
        },
        IgnoreReference);
    if (!ok) {
        return false;
    }
    p.meshes.push_back(std::move(mesh));
    return true;
}

bool ParseFrameTransform(Parser& p, int depth, int frame) {
    Mat4 m;
    for (auto& row : m.m) {
        if (!ReadFloats(p, row, 4)) {
            return false;
        }
    }
    if (frame >= 0) {
        p.frames[static_cast<size_t>(frame)].local = m;
    }
    return SkipChildren(p, depth);
}

// An opened object of any type at depth, inside frame (or -1), through its closing brace.
// Recursion follows the nesting of frames and stops at the depth limit.
bool ParseObject(Parser& p, const std::string& type, const std::string& name, int depth,
                 int frame) {
    if (type == "Mesh") {
        return ParseMesh(p, depth, frame);
    }
    if (type == "Material") {
        XMaterial m;
        if (!ParseMaterial(p, depth, &m)) {
            return false;
        }
        NameMaterial(p, name, m);
        return true;
    }
    if (type == "FrameTransformMatrix") {
        return ParseFrameTransform(p, depth, frame);
    }
    if (type != "Frame") {
        return SkipBody(p, depth);
    }
    int self = static_cast<int>(p.frames.size());
    p.frames.push_back(RawFrame{frame, MatrixIdentity()});
    return ParseChildren(
        p, depth,
        [&p, self](const std::string& childType, const std::string& childName, int childDepth) {
            return ParseObject(p, childType, childName, childDepth, self);
        },
        IgnoreReference);  // a frame's references to meshes elsewhere add nothing
}

bool ParseTopLevel(Parser& p) {
    for (;;) {
        XToken t = p.tokens.Next();
        switch (t.kind) {
            case XTokenKind::End:
                return true;
            case XTokenKind::Comma:
            case XTokenKind::Semicolon:
                break;
            case XTokenKind::Template:
                if (p.tokens.Next().kind != XTokenKind::Name ||
                    p.tokens.Next().kind != XTokenKind::OpenBrace || !SkipBody(p, 1)) {
                    return false;
                }
                break;
            case XTokenKind::Name: {
                std::string type(t.text);
                std::string name;
                if (!OpenObject(p, &name) || !ParseObject(p, type, name, 1, -1)) {
                    return false;
                }
                break;
            }
            default:
                return false;
        }
    }
}

// Equal values are the same normal (0 and -0 alike); NaNs are the same only bit for bit.
bool SameNormal(const Vec3& a, const Vec3& b) {
    return (a.x == b.x && a.y == b.y && a.z == b.z) || std::memcmp(&a, &b, sizeof a) == 0;
}

std::array<uint32_t, 4> NormalKey(uint32_t vertex, const Vec3& n) {
    std::array<uint32_t, 4> key{vertex, 0, 0, 0};
    const float values[3] = {n.x == 0.0f ? 0.0f : n.x, n.y == 0.0f ? 0.0f : n.y,
                             n.z == 0.0f ? 0.0f : n.z};
    std::memcpy(&key[1], values, sizeof values);
    return key;
}

// Gives each vertex the normal of its first corner and each further distinct normal of it a
// copy of the vertex, rewriting those corners. Returns the per-vertex normals, copies
// included; copyOf lists the vertex each copy was made from.
std::vector<Vec3> SplitByNormal(RawMesh& mesh, std::vector<uint32_t>* copyOf) {
    const uint32_t vertices = static_cast<uint32_t>(mesh.positions.size());
    std::vector<Vec3> normals(vertices, Vec3{0.0f, 0.0f, 0.0f});
    std::vector<uint8_t> assigned(vertices, 0);
    std::map<std::array<uint32_t, 4>, uint32_t> copies;
    for (size_t i = 0; i < mesh.corners.size(); ++i) {
        uint32_t v = mesh.corners[i];
        const Vec3& n = mesh.normals[mesh.cornerNormals[i]];
        if (!assigned[v]) {
            assigned[v] = 1;
            normals[v] = n;
            continue;
        }
        if (SameNormal(normals[v], n)) {
            continue;
        }
        auto [it, added] = copies.try_emplace(NormalKey(v, n), 0u);
        if (added) {
            it->second = vertices + static_cast<uint32_t>(copyOf->size());
            copyOf->push_back(v);
            normals.push_back(n);
        }
        mesh.corners[i] = it->second;
    }
    return normals;
}

bool IsIdentity(const Mat4& m) {
    const Mat4 identity = MatrixIdentity();
    return std::memcmp(&m, &identity, sizeof m) == 0;
}

Vec3 TransformPoint(const Vec3& v, const Mat4& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2]};
}

Vec3 TransformNormal(const Vec3& n, const Mat4& m, bool identity) {
    Vec3 t = n;
    if (!identity) {
        t = {n.x * m.m[0][0] + n.y * m.m[1][0] + n.z * m.m[2][0],
             n.x * m.m[0][1] + n.y * m.m[1][1] + n.z * m.m[2][1],
             n.x * m.m[0][2] + n.y * m.m[1][2] + n.z * m.m[2][2]};
    }
    // A normal already of unit length is kept bit for bit, so that stored normals survive a
    // round trip through the writer unchanged.
    double lengthSquared = static_cast<double>(t.x) * t.x + static_cast<double>(t.y) * t.y +
                           static_cast<double>(t.z) * t.z;
    if (std::fabs(lengthSquared - 1.0) <= 1e-6) {
        return t;
    }
    return Vec3Normalize(t);
}

// Pads an optional per-vertex array that an earlier mesh had over a mesh that lacks it.
template <typename T>
void PadTo(std::vector<T>& values, size_t count, const T& fill) {
    if (!values.empty()) {
        values.resize(count, fill);
    }
}

bool Merge(Parser& p, XMesh* out) {
    for (RawMesh& mesh : p.meshes) {
        Mat4 world = MatrixIdentity();
        for (int f = mesh.frame; f >= 0; f = p.frames[static_cast<size_t>(f)].parent) {
            world = MatrixMultiply(world, p.frames[static_cast<size_t>(f)].local);
        }
        const bool identity = IsIdentity(world);

        std::vector<uint32_t> copyOf;
        std::vector<Vec3> normals;
        if (mesh.hasNormals) {
            normals = SplitByNormal(mesh, &copyOf);
        }
        const size_t base = out->positions.size();
        const size_t fileVertices = mesh.positions.size();
        const size_t count = fileVertices + copyOf.size();
        auto source = [&](size_t v) { return v < fileVertices ? v : copyOf[v - fileVertices]; };

        for (size_t v = 0; v < count; ++v) {
            const Vec3& position = mesh.positions[source(v)];
            out->positions.push_back(identity ? position : TransformPoint(position, world));
        }
        const Vec3 noNormal{0.0f, 0.0f, 0.0f};
        if (mesh.hasNormals) {
            out->normals.resize(base, noNormal);
            for (const Vec3& n : normals) {
                out->normals.push_back(TransformNormal(n, world, identity));
            }
        } else {
            PadTo(out->normals, base + count, noNormal);
        }
        const Vec2 noUv{0.0f, 0.0f};
        if (!mesh.texCoords.empty()) {
            out->texCoords.resize(base, noUv);
            for (size_t v = 0; v < count; ++v) {
                out->texCoords.push_back(mesh.texCoords[source(v)]);
            }
        } else {
            PadTo(out->texCoords, base + count, noUv);
        }
        if (!mesh.colours.empty()) {
            out->colours.resize(base, 0xFFFFFFFFu);
            for (size_t v = 0; v < count; ++v) {
                out->colours.push_back(mesh.colours[source(v)]);
            }
        } else {
            PadTo(out->colours, base + count, 0xFFFFFFFFu);
        }

        const uint32_t materialBase = static_cast<uint32_t>(out->materials.size());
        if (mesh.hasMaterialList) {
            for (const RawMaterial& m : mesh.materials) {
                if (!m.isReference) {
                    out->materials.push_back(m.material);
                    continue;
                }
                auto found = p.namedMaterials.find(m.name);
                if (found == p.namedMaterials.end()) {
                    return false;
                }
                out->materials.push_back(found->second);
            }
        } else {
            out->materials.push_back(DefaultMaterial());
        }

        size_t corner = 0;
        for (size_t f = 0; f < mesh.faceSizes.size(); ++f) {
            const uint32_t n = mesh.faceSizes[f];
            const uint32_t material =
                materialBase + (mesh.hasMaterialList ? mesh.faceMaterials[f] : 0);
            for (uint32_t k = 1; k + 1 < n; ++k) {
                out->indices.push_back(static_cast<uint32_t>(base + mesh.corners[corner]));
                out->indices.push_back(static_cast<uint32_t>(base + mesh.corners[corner + k]));
                out->indices.push_back(static_cast<uint32_t>(base + mesh.corners[corner + k + 1]));
                out->triangleMaterials.push_back(material);
            }
            corner += n;
        }
    }
    return true;
}

bool Parse(const uint8_t* data, size_t size, XMesh* out) {
    XFileHeader header;
    if (!ReadXFileHeader(data, size, &header)) {
        return false;
    }
    const uint8_t* body = data + X_FILE_HEADER_BYTES;
    size_t bodySize = size - X_FILE_HEADER_BYTES;
    std::vector<uint8_t> inflated;
    if (header.compressed) {
        if (!InflateXFileBody(body, bodySize, &inflated)) {
            return false;
        }
        body = inflated.data();
        bodySize = inflated.size();
    }
    Parser p;
    InitXTokenReader(&p.tokens, body, bodySize, header.binary, header.floatBits);
    XMesh mesh;
    if (!ParseTopLevel(p) || !Merge(p, &mesh)) {
        return false;
    }
    *out = std::move(mesh);
    return true;
}

}  // namespace

bool ParseXFile(const uint8_t* data, size_t size, XMesh* out) {
    if (out == nullptr) {
        return false;
    }
    try {
        return Parse(data, size, out);
    } catch (...) {
        return false;  // out of memory: the mesh is too big to load
    }
}
