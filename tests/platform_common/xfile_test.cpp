// The .x mesh parser: round trips through the writer in every form, hand-written text and
// binary files for frames, materials, normal splitting, fans and skipped objects, and broken
// input of every kind refused without a read outside the buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "datapack/image_samples.h"
#include "datapack/xfile_writer.h"
#include "engine/byte_io.h"
#include "platform/common/xfile.h"

namespace {

const std::string TEXT_HEADER = "xof 0303txt 0032\n";
const std::string WHITE = "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }";

Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Parses from a buffer of exactly the given size, so that the sanitizers see any read past it.
bool ParseExact(const Bytes& file, size_t size, XMesh* out) {
    std::vector<uint8_t> copy(file.begin(), file.begin() + static_cast<ptrdiff_t>(size));
    return ParseXFile(copy.empty() ? nullptr : copy.data(), copy.size(), out);
}

bool ParseBytes(const Bytes& file, XMesh* out) {
    return ParseExact(file, file.size(), out);
}

XMesh MustParse(const std::string& text) {
    XMesh mesh;
    EXPECT_TRUE(ParseBytes(ToBytes(text), &mesh)) << text;
    return mesh;
}

bool Fails(const std::string& text) {
    XMesh mesh;
    return !ParseBytes(ToBytes(text), &mesh);
}

// Five vertices, three triangles, every optional array, two materials.
XMesh SampleMesh() {
    XMesh m;
    m.positions = {{0.1f, -2.5f, 3.0f},
                   {1e-7f, 4.25f, -0.3f},
                   {123456.78f, 0.0f, -1.0f},
                   {-0.0f, 1.0f / 3.0f, 2.0f},
                   {5.5f, 6.5f, -7.5f}};
    m.normals = {Vec3Normalize({1, 2, 3}), Vec3Normalize({0, 0, 1}), Vec3Normalize({-1, 0.3f, 0}),
                 Vec3Normalize({0.2f, -0.9f, 0.1f}), Vec3Normalize({1, 1, 1})};
    m.texCoords = {{0.0f, 1.0f}, {0.5f, 0.25f}, {1.0f, 0.0f}, {0.3f, 0.7f}, {2.0f, -1.0f}};
    m.colours = {0xFFFFFFFFu, 0x80FF0000u, 0x0000FF00u, 0x12345678u, 0xFF0000FFu};
    m.indices = {0, 1, 2, 2, 3, 4, 4, 1, 0};
    m.triangleMaterials = {0, 1, 1};
    m.materials = {
        {{1.0f, 0.2f, 0.3f, 0.5f}, 8.0f, {0.25f, 0.5f, 0.75f}, {0.125f, 0, 1}, "stone.png"},
        {{0.0f, 0.6f, 0.9f, 1.0f}, 0.0f, {0.5f, 0, 0}, {0, 0.75f, 0}, ""}};
    return m;
}

void ExpectSameMaterial(const XMaterial& a, const XMaterial& b) {
    EXPECT_TRUE(std::equal(a.diffuse, a.diffuse + 4, b.diffuse));
    EXPECT_TRUE(std::equal(a.specular, a.specular + 3, b.specular));
    EXPECT_TRUE(std::equal(a.emissive, a.emissive + 3, b.emissive));
    EXPECT_EQ(a.power, b.power);
    EXPECT_EQ(a.textureFile, b.textureFile);
}

// Exact equality, bit for bit: the forms must carry every float unchanged.
template <typename T>
void ExpectSameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

void ExpectSameMesh(const XMesh& a, const XMesh& b) {
    ExpectSameBytes(a.positions, b.positions);
    ExpectSameBytes(a.normals, b.normals);
    ExpectSameBytes(a.texCoords, b.texCoords);
    EXPECT_EQ(a.colours, b.colours);
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_EQ(a.triangleMaterials, b.triangleMaterials);
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (size_t i = 0; i < a.materials.size(); ++i) {
        ExpectSameMaterial(a.materials[i], b.materials[i]);
    }
}

void ExpectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

const XFileForm ALL_FORMS[] = {XFileForm::Text, XFileForm::Binary, XFileForm::CompressedText,
                               XFileForm::CompressedBinary};

// The binary form's tokens, for files the writer never makes.
struct BinaryFile {
    Bytes bytes = ToBytes("xof 0302bin 0032");
    BinaryFile& Token(uint16_t token) {
        AppendLE16(bytes, token);
        return *this;
    }
    BinaryFile& Dword(uint32_t value) {
        AppendLE32(bytes, value);
        return *this;
    }
    BinaryFile& Text(uint16_t token, const std::string& text) {
        Token(token).Dword(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    BinaryFile& Name(const std::string& name) { return Text(1, name); }
    BinaryFile& List(uint16_t token, const std::vector<uint32_t>& values) {
        Token(token).Dword(static_cast<uint32_t>(values.size()));
        for (uint32_t v : values) {
            Dword(v);
        }
        return *this;
    }
    BinaryFile& Ints(const std::vector<uint32_t>& values) { return List(6, values); }
    BinaryFile& Floats(const std::vector<float>& values) {
        std::vector<uint32_t> bits;
        for (float v : values) {
            bits.push_back(std::bit_cast<uint32_t>(v));
        }
        return List(7, bits);
    }
    BinaryFile& Guid() {
        Token(5).bytes.insert(bytes.end(), 16, 0xAB);
        return *this;
    }
    BinaryFile& Open() { return Token(10); }
    BinaryFile& Close() { return Token(11); }
};

// A binary mesh of count vertices at the origin and faces triangles on its first vertices.
Bytes BinaryMesh(uint32_t vertices, uint32_t faces) {
    BinaryFile f;
    f.Name("Mesh").Open().Ints({vertices}).Floats(std::vector<float>(vertices * 3, 0.0f));
    std::vector<uint32_t> faceList = {faces};
    for (uint32_t i = 0; i < faces; ++i) {
        faceList.insert(faceList.end(), {3, 0, 1, 2});
    }
    return f.Ints(faceList).Close().bytes;
}

// ---- Round trips ----

TEST(XFileRoundTrip, EveryFormAndFloatSizeReadsBackExactly) {
    const XMesh mesh = SampleMesh();
    for (int bits : {32, 64}) {
        for (XFileForm form : ALL_FORMS) {
            XMesh back;
            ASSERT_TRUE(ParseBytes(WriteXFile(mesh, form, bits), &back))
                << static_cast<int>(form) << " " << bits;
            ExpectSameMesh(mesh, back);
        }
    }
    // Many small compressed blocks, each referring to the one before.
    for (XFileForm plain : {XFileForm::Text, XFileForm::Binary}) {
        XMesh back;
        ASSERT_TRUE(ParseBytes(CompressXFile(WriteXFile(mesh, plain), 64), &back));
        ExpectSameMesh(mesh, back);
    }
}

// ---- Hand-written text files ----

TEST(XFileText, NestedFrameTransformsApplyChildFirst) {
    // The outer frame moves by (10, 0, 0); the inner one turns a quarter about z and doubles,
    // and states its matrix after its mesh. The top-level mesh stays where it is.
    XMesh m = MustParse(TEXT_HEADER + R"(
Frame Outer {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
  Frame Inner {
    Mesh Turned {
      3; 1;0;0;, 0;1;0;, 0;0;1;;
      1; 3;0,1,2;;
      MeshNormals { 2; 1;0;0;, 0;0;3;; 1; 3;0,0,1;; }
    }
    FrameTransformMatrix { 0,2,0,0, -2,0,0,0, 0,0,2,0, 0,0,0,1;; }
  }
  Mesh Moved { 1; 1;2;3;; 0;; }
}
Mesh Still { 1; 1;2;3;; 0;; }
)");
    ASSERT_EQ(m.positions.size(), 5u);
    ExpectVec(m.positions[0], 10, 2, 0);  // (1,0,0) -> (0,2,0) -> (10,2,0)
    ExpectVec(m.positions[1], 8, 0, 0);   // (0,1,0) -> (-2,0,0) -> (8,0,0)
    ExpectVec(m.positions[2], 10, 0, 2);  // (0,0,1) -> (0,0,2) -> (10,0,2)
    ExpectVec(m.positions[3], 11, 2, 3);  // only the outer frame
    ExpectVec(m.positions[4], 1, 2, 3);   // no frame
    ASSERT_EQ(m.normals.size(), 5u);
    ExpectVec(m.normals[1], 0, 1, 0);  // turned
    ExpectVec(m.normals[2], 0, 0, 1);  // and of unit length again
    ExpectVec(m.normals[3], 0, 0, 0);  // meshes without normals are padded
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2}));
    ASSERT_EQ(m.materials.size(), 3u);  // one default material per mesh
    ExpectSameMaterial(m.materials[2], XMaterial{{1, 1, 1, 1}, 0, {0, 0, 0}, {0, 0, 0}, ""});
}

TEST(XFileText, ReferencedAndInlineMaterials) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Material Before { 1;0;0;1;; 5; 0.5;0.5;0.5;; 0;0;0;; TextureFilename { "before.bmp"; } }
Mesh {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  2; 3;0,1,2;, 3;0,2,3;;
  MeshMaterialList {
    3; 2; 2, 0;;
    { Before }
    Material Inline { 0;1;0;0.5;; 2; 0;0;0;; 0.25;0.25;0.25;; }
    {After}
  }
}
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; { Inline } } }
Material After { 0;0;1;1;; 9; 0;0;0;; 0;0;0;; TextureFilename { "after.png"; } }
)");
    ASSERT_EQ(m.materials.size(), 4u);
    EXPECT_EQ(m.materials[0].textureFile, "before.bmp");
    EXPECT_EQ(m.materials[0].specular[2], 0.5f);
    EXPECT_EQ(m.materials[1].diffuse[3], 0.5f);
    EXPECT_EQ(m.materials[1].emissive[1], 0.25f);
    EXPECT_EQ(m.materials[2].textureFile, "after.png");
    EXPECT_EQ(m.materials[3].diffuse[1], 1.0f);  // the inline material, referenced by name
    EXPECT_EQ(m.triangleMaterials, (std::vector<uint32_t>{2, 0, 3}));
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6}));
}

TEST(XFileText, SplitCopiesComeInOrderOfFirstUseAndAreReused) {
    // Normal 1 equals normal 0 (0 and -0 alike), so it splits nothing.
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  3; 3;0,1,2;, 3;0,2,3;, 3;2,3,1;;
  MeshNormals { 3; 0;0;1;, -0;0;1;, 1;0;0;; 3; 3;0,1,0;, 3;1,2,2;, 3;2,2,2;; }
  MeshTextureCoords { 4; 0;0;, 0.5;0;, 1;1;, 0;0.5;; }
  MeshVertexColors { 2; 2;1;0;0;1;;, 1;0;0;1;0;;; }
}
)");
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2, 0, 4, 3, 4, 3, 5}));
    ASSERT_EQ(m.positions.size(), 6u);
    const int source[6] = {0, 1, 2, 3, 2, 1};
    const float xs[4] = {0, 1, 1, 0};
    const float us[4] = {0, 0.5f, 1, 0};
    const uint32_t colours[4] = {0xFFFFFFFF, 0x000000FF, 0xFFFF0000, 0xFFFFFFFF};
    for (int v = 0; v < 6; ++v) {
        EXPECT_EQ(m.positions[v].x, xs[source[v]]) << v;
        EXPECT_EQ(m.texCoords[v].x, us[source[v]]) << v;
        EXPECT_EQ(m.colours[v], colours[source[v]]) << v;
        ExpectVec(m.normals[v], v < 3 ? 0.0f : 1.0f, 0, v < 3 ? 1.0f : 0.0f);
    }
}

TEST(XFileText, PolygonsBecomeFansAndAShortMaterialListRepeatsItsLastIndex) {
    XMesh m = MustParse(TEXT_HEADER + "Mesh { 6; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;, 5;5;5;; " +
                        "3; 5;0,1,2,3,4;, 4;5,4,3,2;, 3;0,1,2;; MeshMaterialList { 3; 2; 1, 2;; " +
                        WHITE + WHITE + WHITE + " } }");
    EXPECT_EQ(m.indices,
              (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4, 5, 4, 3, 5, 3, 2, 0, 1, 2}));
    EXPECT_EQ(m.triangleMaterials, (std::vector<uint32_t>{1, 1, 1, 2, 2, 2}));
    XMesh none =
        MustParse(TEXT_HEADER + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;2,1,0;; " +
                  "MeshMaterialList { 1; 0;; " + WHITE + " } }");
    EXPECT_EQ(none.triangleMaterials, (std::vector<uint32_t>{0, 0}));
}

TEST(XFileText, TemplatesCommentsAndUnknownObjectsAreSkipped) {
    XMesh m = MustParse(TEXT_HEADER + R"(
// a comment { with a brace
# another } comment
template Mesh {
 <0A1B2C3D-1111-2222-3333-444455556666>
 DWORD nVertices;
 array Vector vertices[nVertices];
 [...]
}
template Restricted { <0A1B2C3D-0000-0000-0000-000000000001> [Material <0A1B2C3D-0000-0000-0000-000000000002>] }
Header { 1; 0; 1; }
AnimationSet Walk { Animation { { Body } AnimationKey { 0; 1; 0; 4; 1.0, 0.0, 0.0, 0.0;;; } } }
Frame Body {
  SomethingElse { "a string with } and { inside"; Nested { Deeper { 1; } } }
  Mesh Body { <0A1B2C3D-1111-2222-3333-444455556666>
    3; 0;0;0;, 1;0;0;, 0;1;0;;
    1; 3;0,1,2;;
    SkinWeights { "Bone"; 3; 0, 1, 2; 1.0, 1.0, 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }
    VertexDuplicationIndices { 3; 3; 0, 1, 2; }
    MeshTextureCoords uv { 3; 0;0;, 1;0;, 0;1;; }  // named, with a comment after
  }
}
)");
    ASSERT_EQ(m.positions.size(), 3u);
    ASSERT_EQ(m.texCoords.size(), 3u);
    EXPECT_EQ(m.texCoords[2].y, 1.0f);
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2}));
}

TEST(XFileText, SixtyFourBitFloatsAndOutOfRangeValues) {
    XMesh m = MustParse(
        "xof 0302txt 0064\n"
        "Mesh { 2; 0.1000000000000000055511151231257827;-2.5e3;1e-3;, "
        "1e300;-1e300;+4;; 0;; }");
    ASSERT_EQ(m.positions.size(), 2u);
    EXPECT_EQ(m.positions[0].x, 0.1f);
    EXPECT_EQ(m.positions[0].y, -2500.0f);
    EXPECT_EQ(m.positions[0].z, 0.001f);
    EXPECT_TRUE(std::isinf(m.positions[1].x) && m.positions[1].x > 0);
    EXPECT_TRUE(std::isinf(m.positions[1].y) && m.positions[1].y < 0);
    EXPECT_EQ(m.positions[1].z, 4.0f);
}

TEST(XFileText, VertexColoursRoundAndClampAndMissingArraysArePadded) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh { 1; 1;1;1;; 0;; }
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;
  MeshTextureCoords { 3; 0.5;0.5;, 0.25;0.75;, 1;1;; }
  MeshVertexColors { 2; 0; 0.5;1.5;-1;0.2;;, 2; 0.999;0.001;0.3;1;;; } }
Mesh { 1; 4;4;4;; 0;; }
)");
    // 0.5 * 255 = 127.5 rounds up; 0.2 * 255 = 51; 0.3 * 255 = 76.5 rounds up. Vertices
    // without a colour are white, without coordinates at the origin.
    EXPECT_EQ(m.colours,
              (std::vector<uint32_t>{0xFFFFFFFF, 0x3380FF00, 0xFFFFFFFF, 0xFFFF004D, 0xFFFFFFFF}));
    ASSERT_EQ(m.texCoords.size(), 5u);
    EXPECT_EQ(m.texCoords[0].x, 0.0f);
    EXPECT_EQ(m.texCoords[2].y, 0.75f);
    EXPECT_EQ(m.texCoords[4].y, 0.0f);
    EXPECT_TRUE(m.normals.empty());
}

// ---- Hand-written binary files ----

TEST(XFileBinary, TemplatesReferencesTypeWordsAndStrings) {
    BinaryFile f;
    // template Vector { <guid> FLOAT x; array DWORD list[3]; [...] }
    f.Token(31).Name("Vector").Open().Guid().Token(42).Name("x").Token(20);
    f.Token(52).Token(41).Name("list").Token(14).Ints({3}).Token(15).Token(20);
    f.Token(14).Token(18).Token(18).Token(18).Token(15).Close();
    f.Name("Material").Name("Red").Open().Floats({1, 0, 0, 1, 5, 0, 0, 0, 0.5f, 0, 0});
    f.Name("TextureFilename").Open().Text(2, "red.png").Token(20).Close().Close();
    f.Name("Mesh").Open().Guid().Token(3).Dword(3).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
    f.Token(3).Dword(1).Ints({}).Ints({3, 0, 1, 2});
    f.Name("Unknown").Open().Ints({7, 8}).Text(2, "x").Token(19).Text(2, "y").Token(20).Close();
    f.Name("MeshMaterialList").Open().Ints({1, 1, 0}).Open().Name("Red").Guid().Close().Close();
    f.Close();
    XMesh m;
    ASSERT_TRUE(ParseBytes(f.bytes, &m));
    ASSERT_EQ(m.positions.size(), 3u);
    ExpectVec(m.positions[2], 0, 1, 0);
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2}));
    ASSERT_EQ(m.materials.size(), 1u);
    EXPECT_EQ(m.materials[0].textureFile, "red.png");
    EXPECT_EQ(m.materials[0].emissive[0], 0.5f);
    EXPECT_EQ(m.materials[0].power, 5.0f);
}

TEST(XFileBinary, VerticesAndFacesAreLimitedInTotal) {
    const uint32_t half = 1u << 19;
    auto twoMeshes = [](uint32_t a, uint32_t b, uint32_t faces) {
        Bytes file = ToBytes("xof 0303bin 0032");
        for (uint32_t vertices : {a, b}) {
            Bytes mesh = BinaryMesh(vertices, faces);
            file.insert(file.end(), mesh.begin() + 16, mesh.end());
        }
        return file;
    };
    XMesh m;
    ASSERT_TRUE(ParseBytes(twoMeshes(half, half, 0), &m));
    EXPECT_EQ(m.positions.size(), 2 * size_t{half});
    EXPECT_FALSE(ParseBytes(twoMeshes(half, half + 1, 0), &m));
    ASSERT_TRUE(ParseBytes(twoMeshes(3, 3, half), &m));
    EXPECT_EQ(m.indices.size(), 6 * size_t{half});
    Bytes tooMany = twoMeshes(3, 3, half);
    Bytes extra = BinaryMesh(3, 1);
    tooMany.insert(tooMany.end(), extra.begin() + 16, extra.end());
    EXPECT_FALSE(ParseBytes(tooMany, &m));
}

// ---- Broken input ----

TEST(XFileBroken, EveryTruncationFailsOrReadsTheWholeMesh) {
    const XMesh small = SampleMesh();
    for (XFileForm form : ALL_FORMS) {
        Bytes file = WriteXFile(small, form);
        int whole = 0;
        for (size_t size = 0; size < file.size(); ++size) {
            XMesh m;
            if (!ParseExact(file, size, &m)) {
                continue;
            }
            if (m.positions.empty()) {
                // A header with nothing after it but white space is an empty file.
                ASSERT_GE(size, 16u);
                EXPECT_TRUE(std::all_of(file.begin() + 16, file.begin() + size, [](uint8_t c) {
                    return c == '\n';
                })) << size;
                EXPECT_TRUE(m.materials.empty());
            } else {
                ++whole;
                ExpectSameMesh(small, m);
            }
        }
        // Only the text form's final line break can go.
        EXPECT_EQ(whole, form == XFileForm::Text ? 1 : 0) << static_cast<int>(form);
    }
}

TEST(XFileBroken, BadHeaders) {
    const std::string body = "Mesh { 1; 0;0;0;; 0;; }";
    EXPECT_FALSE(Fails("xof 0303txt 0032" + body));
    EXPECT_FALSE(Fails("xof 0302txt 0064" + body));
    for (const char* header : {"xof 0301txt 0032", "xof 0303txt 0016", "xof 0303zip 0032",
                               "xog 0303txt 0032", "xof 0303TXT 0032", "xof 0303txt 003"}) {
        EXPECT_TRUE(Fails(header + body)) << header;
    }
    XMesh m;
    EXPECT_FALSE(ParseXFile(nullptr, 0, &m));
    EXPECT_FALSE(ParseBytes(ToBytes("xof 0303txt 0032"), nullptr));
}

TEST(XFileBroken, BadCountsAndIndices) {
    const std::string tri = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
    EXPECT_FALSE(Fails(TEXT_HEADER + "Mesh { " + tri + " }"));
    const std::string broken[] = {
        "Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }",  // more vertices than given
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;; }",  // more faces than given
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }",    // a face of two corners
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 0;; }",        // a face of none
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",  // index past the vertices
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,1.5;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,-1;; }",
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,4294967296;; }",
        "Mesh { 2; 0;0;0;, 1;0;0;, 0;1;0;; 0;; }",  // a vertex too many
        "Mesh { 1; 0;0;x;; 0;; }",
        "Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }",    // normal index
        "Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;; } }",    // face count
        "Mesh { " + tri + " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }",  // face shape
        "Mesh { " + tri + " MeshTextureCoords { 2; 0;0;, 1;1;; } }",
        "Mesh { " + tri + " MeshTextureCoords { 4; 0;0;, 1;1;, 0;0;, 1;1;; } }",
        "Mesh { " + tri + " MeshVertexColors { 1; 3; 1;1;1;1;;; } }",
        "Mesh { " + tri + " MeshMaterialList { 1; 1; 1;; " + WHITE + " } }",
        "Mesh { " + tri + " MeshMaterialList { 2; 1; 0;; " + WHITE + " } }",
        "Mesh { " + tri + " MeshMaterialList { 1; 2; 0, 0;; " + WHITE + " } }",
        "Mesh { " + tri + " MeshMaterialList { 0; 0;; } }",
        "Mesh { " + tri + " MeshMaterialList { 1; 1; 0;; Material { 1;1;1;; } } }",
        "Mesh { " + tri + " }}",
        "Mesh { " + tri,
        "Mesh { " + tri + " Material { \"unterminated } }",
        "Mesh { " + tri + " Unknown { <0000 } }",
        "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0;; } }",
        "template Broken { DWORD x;",
        "{ Reference }",
        "Mesh Name Extra { " + tri + " }",
        "42",
        "Mesh { " + tri + " MeshMaterialList { 1; 1; 0;; { Nowhere } } }",
    };
    for (const std::string& body : broken) {
        EXPECT_TRUE(Fails(TEXT_HEADER + body)) << body;
    }
    // Binary records that claim more than the file holds.
    BinaryFile names;
    names.Name("Mesh").Open().Token(1).Dword(1000);
    BinaryFile list;
    list.Name("Mesh").Open().Token(6).Dword(0x40000001).Dword(1);
    BinaryFile floats;
    floats.Name("Mesh").Open().Ints({1}).Token(7).Dword(0xFFFFFFFF).Dword(0);
    BinaryFile unknown;
    unknown.Token(99);
    BinaryFile halfToken;
    halfToken.Name("Mesh").Open().bytes.push_back(11);
    for (const BinaryFile& f : {names, list, floats, unknown, halfToken}) {
        XMesh m;
        EXPECT_FALSE(ParseBytes(f.bytes, &m));
    }
}

TEST(XFileBroken, NestingIsLimitedToSixtyFourLevels) {
    auto frames = [](int depth, const std::string& type) {
        std::string text = TEXT_HEADER;
        for (int i = 0; i < depth; ++i) {
            text += type + " {\n";
        }
        return text + std::string(static_cast<size_t>(depth), '}');
    };
    EXPECT_FALSE(Fails(frames(64, "Frame")));
    EXPECT_TRUE(Fails(frames(65, "Frame")));
    EXPECT_FALSE(Fails(frames(64, "Unknown")));
    EXPECT_TRUE(Fails(frames(65, "Unknown")));
    EXPECT_FALSE(Fails(TEXT_HEADER + "Unknown " + std::string(64, '{') + std::string(64, '}')));
    EXPECT_TRUE(Fails(TEXT_HEADER + "Unknown " + std::string(65, '{') + std::string(65, '}')));
    // Far deeper than any stack would take, if the depth were not counted.
    EXPECT_TRUE(Fails(frames(200000, "Frame")));
    EXPECT_TRUE(Fails(frames(200000, "Unknown")));
}

TEST(XFileBroken, CorruptedCompressedBlocks) {
    const Bytes good = CompressXFile(WriteXFile(SampleMesh(), XFileForm::Text), 256);
    XMesh m;
    ASSERT_TRUE(ParseBytes(good, &m));
    auto edited = [&good](size_t offset, int delta) {
        Bytes b = good;
        WriteLE16(b.data() + offset, static_cast<uint16_t>(ReadLE16(b.data() + offset) + delta));
        return b;
    };
    auto withTotal = [](Bytes b, int delta) {
        WriteLE32(b.data() + 16,
                  static_cast<uint32_t>(static_cast<int>(ReadLE32(b.data() + 16)) + delta));
        return b;
    };
    // The first block states a size one more or one less than it inflates to (with the total
    // kept consistent, so only the block is at fault).
    EXPECT_FALSE(ParseBytes(withTotal(edited(20, 1), 1), &m));
    EXPECT_FALSE(ParseBytes(withTotal(edited(20, -1), -1), &m));
    EXPECT_FALSE(ParseBytes(withTotal(good, 1), &m));
    EXPECT_FALSE(ParseBytes(withTotal(good, -1), &m));
    EXPECT_FALSE(ParseBytes(edited(22, 1), &m));   // packed size past the block
    EXPECT_FALSE(ParseBytes(edited(22, -1), &m));  // packed size short of the stream
    for (size_t signature : {24, 25}) {
        Bytes b = good;
        b[signature] = 'X';
        EXPECT_FALSE(ParseBytes(b, &m)) << signature;
    }
    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(ParseBytes(trailing, &m));
    Bytes zeroBlock = good;
    WriteLE16(zeroBlock.data() + 20, 0);
    EXPECT_FALSE(ParseBytes(withTotal(zeroBlock, -256), &m));
}

}  // namespace
