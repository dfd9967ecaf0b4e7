// The .x mesh parser: round trips through the writer in every form, hand-written text and
// binary files for frames, materials, normal splitting, fans and skipped objects, and broken
// input of every kind refused without a read outside the buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "datapack/xfile_writer.h"
#include "engine/byte_io.h"
#include "platform/common/xfile.h"

namespace {

const std::string TEXT_HEADER = "xof 0303txt 0032\n";

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

XMaterial Material(float r, float g, float b, float power, const std::string& texture) {
    XMaterial m{{r, g, b, 0.5f}, power, {0.25f, 0.5f, 0.75f}, {0.125f, 0.0f, 1.0f}, texture};
    return m;
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
    m.materials = {Material(1.0f, 0.2f, 0.3f, 8.0f, "stone.png"),
                   Material(0.0f, 0.6f, 0.9f, 0.0f, "")};
    return m;
}

void ExpectSameMaterial(const XMaterial& a, const XMaterial& b) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.diffuse[i], b.diffuse[i]);
    }
    EXPECT_EQ(a.power, b.power);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.specular[i], b.specular[i]);
        EXPECT_EQ(a.emissive[i], b.emissive[i]);
    }
    EXPECT_EQ(a.textureFile, b.textureFile);
}

void ExpectSameMesh(const XMesh& a, const XMesh& b) {
    ASSERT_EQ(a.positions.size(), b.positions.size());
    ASSERT_EQ(a.normals.size(), b.normals.size());
    ASSERT_EQ(a.texCoords.size(), b.texCoords.size());
    for (size_t i = 0; i < a.positions.size(); ++i) {
        EXPECT_EQ(a.positions[i].x, b.positions[i].x) << i;
        EXPECT_EQ(a.positions[i].y, b.positions[i].y) << i;
        EXPECT_EQ(a.positions[i].z, b.positions[i].z) << i;
    }
    for (size_t i = 0; i < a.normals.size(); ++i) {
        EXPECT_EQ(a.normals[i].x, b.normals[i].x) << i;
        EXPECT_EQ(a.normals[i].y, b.normals[i].y) << i;
        EXPECT_EQ(a.normals[i].z, b.normals[i].z) << i;
    }
    for (size_t i = 0; i < a.texCoords.size(); ++i) {
        EXPECT_EQ(a.texCoords[i].x, b.texCoords[i].x) << i;
        EXPECT_EQ(a.texCoords[i].y, b.texCoords[i].y) << i;
    }
    EXPECT_EQ(a.colours, b.colours);
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_EQ(a.triangleMaterials, b.triangleMaterials);
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (size_t i = 0; i < a.materials.size(); ++i) {
        ExpectSameMaterial(a.materials[i], b.materials[i]);
    }
}

// What every accepted mesh must be, whatever the file held.
void ExpectWellFormed(const XMesh& m) {
    const size_t vertices = m.positions.size();
    EXPECT_TRUE(m.normals.empty() || m.normals.size() == vertices);
    EXPECT_TRUE(m.texCoords.empty() || m.texCoords.size() == vertices);
    EXPECT_TRUE(m.colours.empty() || m.colours.size() == vertices);
    EXPECT_EQ(m.indices.size(), m.triangleMaterials.size() * 3);
    for (uint32_t i : m.indices) {
        EXPECT_LT(i, vertices);
    }
    for (uint32_t t : m.triangleMaterials) {
        EXPECT_LT(t, m.materials.size());
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
        bytes.push_back(static_cast<uint8_t>(token));
        bytes.push_back(static_cast<uint8_t>(token >> 8));
        return *this;
    }
    BinaryFile& Dword(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        }
        return *this;
    }
    BinaryFile& Text(uint16_t token, const std::string& text) {
        Token(token).Dword(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    BinaryFile& Name(const std::string& name) { return Text(1, name); }
    BinaryFile& Ints(const std::vector<uint32_t>& values) {
        Token(6).Dword(static_cast<uint32_t>(values.size()));
        for (uint32_t v : values) {
            Dword(v);
        }
        return *this;
    }
    BinaryFile& Floats(const std::vector<float>& values) {
        Token(7).Dword(static_cast<uint32_t>(values.size()));
        for (float v : values) {
            uint8_t b[4];
            WriteLEFloat(b, v);
            bytes.insert(bytes.end(), b, b + 4);
        }
        return *this;
    }
    BinaryFile& Guid() {
        Token(5);
        bytes.insert(bytes.end(), 16, 0xAB);
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
            Bytes file = WriteXFile(mesh, form, bits);
            static const char* forms[] = {"txt ", "bin ", "tzip", "bzip"};
            EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12),
                      forms[static_cast<int>(form)]);
            EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16),
                      bits == 64 ? "0064" : "0032");
            XMesh back;
            ASSERT_TRUE(ParseBytes(file, &back)) << static_cast<int>(form) << " " << bits;
            ExpectSameMesh(mesh, back);
        }
    }
}

TEST(XFileRoundTrip, MeshWithoutOptionalArraysOrMaterialsGetsTheDefaultMaterial) {
    XMesh mesh;
    mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.indices = {0, 1, 2};
    for (XFileForm form : ALL_FORMS) {
        XMesh back;
        ASSERT_TRUE(ParseBytes(WriteXFile(mesh, form), &back));
        EXPECT_TRUE(back.normals.empty());
        EXPECT_TRUE(back.texCoords.empty());
        EXPECT_TRUE(back.colours.empty());
        EXPECT_EQ(back.indices, mesh.indices);
        ASSERT_EQ(back.materials.size(), 1u);
        ExpectSameMaterial(back.materials[0], XMaterial{{1, 1, 1, 1}, 0, {0, 0, 0}, {0, 0, 0}, ""});
        EXPECT_EQ(back.triangleMaterials, std::vector<uint32_t>{0});
    }
}

TEST(XFileRoundTrip, ManySmallCompressedBlocksReferToEarlierBlocks) {
    XMesh mesh;
    for (uint32_t i = 0; i < 300; ++i) {
        mesh.positions.push_back({static_cast<float>(i % 7), 1.5f, static_cast<float>(i) * 0.25f});
        mesh.texCoords.push_back({0.5f, static_cast<float>(i % 3)});
    }
    for (uint32_t i = 0; i + 2 < 300; ++i) {
        mesh.indices.insert(mesh.indices.end(), {i, i + 1, i + 2});
        mesh.triangleMaterials.push_back(i % 2);
    }
    mesh.materials = {Material(1, 1, 1, 2, "a.png"), Material(0, 0, 0, 0, "")};
    for (XFileForm plain : {XFileForm::Text, XFileForm::Binary}) {
        Bytes file = CompressXFile(WriteXFile(mesh, plain), 200);
        EXPECT_GT(file.size(), 16u);
        XMesh back;
        ASSERT_TRUE(ParseBytes(file, &back));
        ExpectSameMesh(mesh, back);
    }
}

// The compressed container built by hand, with stored (uncompressed) deflate blocks.
TEST(XFileRoundTrip, HandBuiltCompressedContainerWithStoredBlocks) {
    const std::string body = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
    Bytes file = ToBytes("xof 0303tzip0032");
    Bytes total(4);
    WriteLE32(total.data(), static_cast<uint32_t>(16 + body.size()));
    file.insert(file.end(), total.begin(), total.end());
    for (size_t start = 0; start < body.size(); start += 20) {
        const size_t n = std::min<size_t>(20, body.size() - start);
        uint8_t block[9];
        WriteLE16(block, static_cast<uint16_t>(n));
        WriteLE16(block + 2, static_cast<uint16_t>(2 + 5 + n));
        block[4] = 'C';
        block[5] = 'K';
        block[6] = 0x01;  // final stored block
        file.insert(file.end(), block, block + 7);
        uint8_t lengths[4];
        WriteLE16(lengths, static_cast<uint16_t>(n));
        WriteLE16(lengths + 2, static_cast<uint16_t>(~n));
        file.insert(file.end(), lengths, lengths + 4);
        file.insert(file.end(), body.begin() + static_cast<ptrdiff_t>(start),
                    body.begin() + static_cast<ptrdiff_t>(start + n));
    }
    XMesh mesh;
    ASSERT_TRUE(ParseBytes(file, &mesh));
    ASSERT_EQ(mesh.positions.size(), 3u);
    ExpectVec(mesh.positions[1], 1, 0, 0);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2}));

    // The total counts the header: without it the file is refused.
    WriteLE32(file.data() + 16, static_cast<uint32_t>(body.size()));
    EXPECT_FALSE(ParseBytes(file, &mesh));
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
    ExpectVec(m.normals[0], 0, 1, 0);  // turned, and of unit length again
    ExpectVec(m.normals[1], 0, 1, 0);
    ExpectVec(m.normals[2], 0, 0, 1);
    ExpectVec(m.normals[3], 0, 0, 0);  // meshes without normals are padded
    ExpectVec(m.normals[4], 0, 0, 0);
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(m.materials.size(), 3u);  // one default material per mesh
}

TEST(XFileText, ChainOfSixtyThreeFramesAddsEveryTranslation) {
    std::string text = TEXT_HEADER;
    for (int i = 0; i < 63; ++i) {
        text += "Frame { FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,1,0.5,0,1;; }\n";
    }
    text += "Mesh { 1; 0;0;0;; 0;; }";
    text += std::string(63, '}');
    XMesh m = MustParse(text);
    ASSERT_EQ(m.positions.size(), 1u);
    ExpectVec(m.positions[0], 63, 31.5f, 0);
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
    EXPECT_EQ(m.materials[0].diffuse[0], 1.0f);
    EXPECT_EQ(m.materials[0].power, 5.0f);
    EXPECT_EQ(m.materials[0].specular[2], 0.5f);
    EXPECT_EQ(m.materials[1].textureFile, "");
    EXPECT_EQ(m.materials[1].diffuse[3], 0.5f);
    EXPECT_EQ(m.materials[1].emissive[1], 0.25f);
    EXPECT_EQ(m.materials[2].textureFile, "after.png");
    EXPECT_EQ(m.materials[2].power, 9.0f);
    EXPECT_EQ(m.materials[3].diffuse[1], 1.0f);  // the inline material, referenced by name
    EXPECT_EQ(m.triangleMaterials, (std::vector<uint32_t>{2, 0, 3}));
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6}));
}

TEST(XFileText, MissingReferencedMaterialFails) {
    EXPECT_TRUE(Fails(TEXT_HEADER + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                                    "MeshMaterialList { 1; 1; 0;; { Nowhere } } }"));
}

TEST(XFileText, CubeWithPerFaceNormalsSplitsEightPositionsIntoTwentyFour) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh Cube {
  8; -1;-1;-1;, 1;-1;-1;, 1;1;-1;, -1;1;-1;, -1;-1;1;, 1;-1;1;, 1;1;1;, -1;1;1;;
  6; 4;0,3,2,1;, 4;4,5,6,7;, 4;0,1,5,4;, 4;2,3,7,6;, 4;0,4,7,3;, 4;1,2,6,5;;
  MeshNormals {
    6; 0;0;-1;, 0;0;1;, 0;-1;0;, 0;1;0;, -1;0;0;, 1;0;0;;
    6; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;;
  }
}
)");
    ASSERT_EQ(m.positions.size(), 24u);
    ASSERT_EQ(m.normals.size(), 24u);
    ASSERT_EQ(m.indices.size(), 36u);
    Vec3 lo, hi;
    ComputeBoundingBox(m.positions.data(), m.positions.size(), sizeof(Vec3), &lo, &hi);
    ExpectVec(lo, -1, -1, -1);
    ExpectVec(hi, 1, 1, 1);
    // The file's eight vertices keep their places.
    ExpectVec(m.positions[0], -1, -1, -1);
    ExpectVec(m.positions[6], 1, 1, 1);
    // Every triangle's corners share its face's normal, and each corner's position lies on
    // that face's plane.
    const float faceNormals[6][3] = {{0, 0, -1}, {0, 0, 1},  {0, -1, 0},
                                     {0, 1, 0},  {-1, 0, 0}, {1, 0, 0}};
    for (size_t t = 0; t < 12; ++t) {
        const float* n = faceNormals[t / 2];
        for (int k = 0; k < 3; ++k) {
            uint32_t v = m.indices[t * 3 + k];
            ExpectVec(m.normals[v], n[0], n[1], n[2]);
            const Vec3& p = m.positions[v];
            EXPECT_FLOAT_EQ(p.x * n[0] + p.y * n[1] + p.z * n[2], 1.0f) << t;
        }
    }
    // Each vertex is used by exactly one face now.
    std::vector<int> uses(24, 0);
    for (uint32_t v : m.indices) {
        ++uses[v];
    }
    for (int u : uses) {
        EXPECT_TRUE(u == 1 || u == 2) << u;  // a quad's first and third corners serve twice
    }
}

TEST(XFileText, SplitCopiesComeInOrderOfFirstUseAndAreReused) {
    // Normal 1 equals normal 0 (0 and -0 alike), so it splits nothing.
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  3; 3;0,1,2;, 3;0,2,3;, 3;2,3,1;;
  MeshNormals { 3; 0;0;1;, -0;0;1;, 1;0;0;; 3; 3;0,1,0;, 3;2,2,2;, 3;2,2,2;; }
  MeshTextureCoords { 4; 0;0;, 0.5;0;, 1;1;, 0;0.5;; }
  MeshVertexColors { 2; 2;1;0;0;1;;, 1;0;0;1;0;;; }
}
)");
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2, 4, 5, 3, 5, 3, 6}));
    ASSERT_EQ(m.positions.size(), 7u);
    const int source[7] = {0, 1, 2, 3, 0, 2, 1};
    const float xs[4] = {0, 1, 1, 0};
    const float us[4] = {0, 0.5f, 1, 0};
    const uint32_t colours[4] = {0xFFFFFFFF, 0x000000FF, 0xFFFF0000, 0xFFFFFFFF};
    for (int v = 0; v < 7; ++v) {
        EXPECT_EQ(m.positions[v].x, xs[source[v]]) << v;
        EXPECT_EQ(m.texCoords[v].x, us[source[v]]) << v;
        EXPECT_EQ(m.colours[v], colours[source[v]]) << v;
        ExpectVec(m.normals[v], v < 3 ? 0.0f : 1.0f, 0, v < 3 ? 1.0f : 0.0f);
    }
}

TEST(XFileText, ShortFaceIndexListRepeatsTheLastIndex) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;;
  4; 3;0,1,2;, 3;0,1,2;, 3;0,1,2;, 3;0,1,2;;
  MeshMaterialList { 3; 2; 0, 2;;
    Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
    Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
    Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }
)");
    EXPECT_EQ(m.triangleMaterials, (std::vector<uint32_t>{0, 2, 2, 2}));
    XMesh none =
        MustParse(TEXT_HEADER +
                  "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;2,1,0;; "
                  "MeshMaterialList { 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }");
    EXPECT_EQ(none.triangleMaterials, (std::vector<uint32_t>{0, 0}));
}

TEST(XFileText, QuadsAndPentagonsBecomeFans) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh { 6; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;, 5;5;5;;
  2; 5;0,1,2,3,4;, 4;5,4,3,2;;
  MeshMaterialList { 2; 2; 1, 0;;
    Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
    Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }
)");
    EXPECT_EQ(m.indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4, 5, 4, 3, 5, 3, 2}));
    EXPECT_EQ(m.triangleMaterials, (std::vector<uint32_t>{1, 1, 1, 0, 0}));
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
    XSkinMeshHeader { 1; 2; 1; }
    SkinWeights { "Bone"; 3; 0, 1, 2; 1.0, 1.0, 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }
    DeclData { 1; 0;0;0;0;; 3; 1, 2, 3; }
    FVFData { 258; 2; 1, 2; }
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

TEST(XFileText, VertexColoursRoundAndClamp) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;
  MeshVertexColors { 2; 0; 0.5;1.5;-1;0.2;;, 2; 0.999;0.001;0.3;1;;; } }
)");
    // 0.5 * 255 = 127.5 rounds up; 0.2 * 255 = 51; 0.3 * 255 = 76.5 rounds up.
    EXPECT_EQ(m.colours, (std::vector<uint32_t>{0x3380FF00u, 0xFFFFFFFFu, 0xFFFF004Du}));
}

TEST(XFileText, MeshesWithAndWithoutOptionalArraysArePadded) {
    XMesh m = MustParse(TEXT_HEADER + R"(
Mesh { 1; 1;1;1;; 0;; }
Mesh { 2; 2;2;2;, 3;3;3;; 0;;
  MeshTextureCoords { 2; 0.5;0.5;, 0.25;0.75;; }
  MeshVertexColors { 1; 1; 0;0;0;0;;; } }
Mesh { 1; 4;4;4;; 0;; }
)");
    ASSERT_EQ(m.texCoords.size(), 4u);
    EXPECT_EQ(m.texCoords[0].x, 0.0f);
    EXPECT_EQ(m.texCoords[2].y, 0.75f);
    EXPECT_EQ(m.texCoords[3].x, 0.0f);
    EXPECT_EQ(m.colours, (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF, 0, 0xFFFFFFFF}));
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
    XMesh small;
    small.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    small.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    small.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    small.colours = {0xFF102030, 0xFF405060, 0xFF708090};
    small.indices = {0, 1, 2};
    small.triangleMaterials = {0};
    small.materials = {Material(1, 1, 1, 1, "t.png")};
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
    const std::string material = "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }";
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
        "Mesh { " + tri + " MeshMaterialList { 1; 1; 1;; " + material + " } }",
        "Mesh { " + tri + " MeshMaterialList { 2; 1; 0;; " + material + " } }",
        "Mesh { " + tri + " MeshMaterialList { 1; 2; 0, 0;; " + material + " } }",
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
    EXPECT_TRUE(Fails(TEXT_HEADER + "Unknown " + std::string(65, '{')));
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
    Bytes noSignature = good;
    noSignature[24] = 'X';
    EXPECT_FALSE(ParseBytes(noSignature, &m));
    Bytes trailing = good;
    trailing.push_back(0);
    EXPECT_FALSE(ParseBytes(trailing, &m));
    Bytes zeroBlock = good;
    WriteLE16(zeroBlock.data() + 20, 0);
    EXPECT_FALSE(ParseBytes(withTotal(zeroBlock, -256), &m));
    // Any single damaged byte is refused or read as some well-formed mesh.
    int refused = 0;
    for (size_t i = 16; i < good.size(); ++i) {
        Bytes b = good;
        b[i] ^= 0x5A;
        if (ParseBytes(b, &m)) {
            ExpectWellFormed(m);
        } else {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
