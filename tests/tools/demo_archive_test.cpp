// The demo archive's textures, models and sounds as the game reads them: every model a .x file
// of each form the parser takes, standing on the ground in colours that show; the model texture
// entries one for one with the textured materials; every texture and sound readable and
// distinct, the music at the music ids; and each shape standing where its recipe puts it, its
// faces wound the way the game does not cull.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "datapack/model_builder.h"
#include "engine/data_archive.h"
#include "engine/sound.h"
#include "engine/wave_file.h"
#include "platform/common/image.h"
#include "platform/common/xfile.h"
#include "support/fixtures.h"

namespace {

constexpr int MODEL_COUNT = ARCHIVE_SOUND_FIRST - ARCHIVE_MESH_FIRST;

RgbaImage Decoded(int entry) {
    const Bytes& bytes = DemoArchiveEntries()[entry];
    RgbaImage image;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), &image)) << "entry " << entry;
    return image;
}

bool PowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

struct Bounds {
    Vec3 min;
    Vec3 max;
};

Bounds BoundsOf(const XMesh& mesh) {
    Bounds b{};
    ComputeBoundingBox(mesh.positions.data(), mesh.positions.size(), sizeof(Vec3), &b.min, &b.max);
    return b;
}

Vec3 Sub(Vec3 a, Vec3 b) {
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

TEST(DemoArchiveTest, EveryModelParsesBackInEveryFileForm) {
    std::set<std::string> forms;
    std::set<std::string> floatBits;
    size_t textured = 0;
    for (int m = 0; m < MODEL_COUNT; ++m) {
        const Bytes& bytes = DemoArchiveEntries()[ARCHIVE_MESH_FIRST + m];
        XMesh mesh;
        ASSERT_TRUE(ParseXFile(bytes.data(), bytes.size(), &mesh)) << "model " << m;
        forms.insert(std::string(bytes.begin() + 8, bytes.begin() + 12));
        floatBits.insert(std::string(bytes.begin() + 12, bytes.begin() + 16));
        ASSERT_FALSE(mesh.indices.empty()) << m;
        EXPECT_EQ(mesh.indices.size(), mesh.triangleMaterials.size() * 3) << m;
        EXPECT_EQ(mesh.normals.size(), mesh.positions.size()) << m;
        EXPECT_LT(*std::max_element(mesh.indices.begin(), mesh.indices.end()),
                  mesh.positions.size())
            << m;
        EXPECT_LT(*std::max_element(mesh.triangleMaterials.begin(), mesh.triangleMaterials.end()),
                  mesh.materials.size())
            << m;
        EXPECT_NEAR(BoundsOf(mesh).min.y, 0.0f, 1e-4f) << "model " << m << " is off the ground";
        const size_t before = textured;
        for (const XMaterial& material : mesh.materials) {
            // The game lights nothing: a face shows its material's emissive colour alone.
            EXPECT_GT(std::max({material.emissive[0], material.emissive[1], material.emissive[2]}),
                      0.05f)
                << "model " << m << " has a black material";
            textured += material.textureFile.empty() ? 0 : 1;
        }
        if (textured > before) {
            EXPECT_EQ(mesh.texCoords.size(), mesh.positions.size()) << m;
        }
    }
    EXPECT_EQ(forms, (std::set<std::string>{"txt ", "bin ", "tzip", "bzip"}));
    EXPECT_EQ(floatBits, (std::set<std::string>{"0032", "0064"}));

    // The game hands the model texture entries out in model then material order: one entry for
    // each textured material, the rest empty.
    ASSERT_GT(textured, 0u);
    for (int entry = ARCHIVE_MESH_TEXTURE_FIRST; entry < ARCHIVE_MESH_TEXTURE_END; ++entry) {
        if (static_cast<size_t>(entry - ARCHIVE_MESH_TEXTURE_FIRST) < textured) {
            const RgbaImage image = Decoded(entry);
            EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height)) << entry;
        } else {
            EXPECT_TRUE(DemoArchiveEntries()[entry].empty()) << "entry " << entry;
        }
    }
}

TEST(DemoArchiveTest, TexturesAndSoundsAreDistinctFilesTheGameReads) {
    std::vector<RgbaImage> textures;
    for (int entry = ARCHIVE_TEXTURE_FIRST; entry < ARCHIVE_MESH_TEXTURE_FIRST; ++entry) {
        textures.push_back(Decoded(entry));
        EXPECT_TRUE(PowerOfTwo(textures.back().width) && PowerOfTwo(textures.back().height))
            << "entry " << entry;
        for (size_t other = 0; other + 1 < textures.size(); ++other) {
            EXPECT_FALSE(textures[other].pixels == textures.back().pixels)
                << "entry " << entry << " repeats an earlier one";
        }
    }
    std::set<Bytes> sounds;
    for (int entry = ARCHIVE_SOUND_FIRST; entry < ARCHIVE_ENTRY_COUNT; ++entry) {
        const Bytes& wave = DemoArchiveEntries()[entry];
        WaveSound sound{};
        ASSERT_TRUE(ParseWave(wave.data(), static_cast<uint32_t>(wave.size()), &sound)) << entry;
        // The sounds in id order: the music from the title's id on, the effects before it.
        const double seconds =
            sound.dataBytes * 8.0 / (sound.channels * sound.bitsPerSample * sound.sampleRate);
        EXPECT_EQ(seconds >= 3.0, entry - ARCHIVE_SOUND_FIRST >= MUSIC_TITLE) << entry;
        EXPECT_GT(seconds, 0.01) << entry;
        EXPECT_TRUE(sounds.insert(wave).second) << "entry " << entry << " repeats an earlier one";
    }
}

TEST(DemoArchiveTest, PartsStandWhereWrittenWithFacesWoundClockwiseFromOutside) {
    // The game culls faces wound the other way: seen from outside, a triangle's edges turn
    // clockwise, so in the left-handed frame their cross product points out, along its normal.
    const struct {
        const char* part;
        Vec3 min;
        Vec3 max;
    } rows[] = {
        {"box a 1 0 2 2 1 4", {0, 0, 0}, {2, 1, 4}},
        {"box a 0.25 0 0 1 1 1 mirror", {-0.75f, 0, -0.5f}, {0.75f, 1, 0.5f}},
        {"wedge a 0 0 0 2 1 2", {-1, 0, -1}, {1, 1, 1}},
        {"prism a 0 0 0 2 1 4 yaw=90", {-2, 0, -1}, {2, 1, 1}},
        {"cylinder a 0.5 0 0 0.2 1.5 0.2 roll=90", {0.5f, -0.1f, -0.1f}, {2, 0.1f, 0.1f}},
        {"cylinder a 0 0 0 1 1 1 sides=4 top=2", {-1, 0, -1}, {1, 1, 1}},
        {"cone a 0 0 0 1 2 1 sides=4", {-0.5f, 0, -0.5f}, {0.5f, 2, 0.5f}},
        {"sphere a 0 1 0 0.4 0.4 0.4 pitch=90", {-0.2f, 0.8f, -0.4f}, {0.2f, 1.2f, 0}},
    };
    for (const auto& row : rows) {
        const XMesh mesh =
            BuildModel(ParseModelRecipes(std::string("model 0 p text\n") +
                                         "  material a #c08040\n  " + row.part + "\nend\n")
                           .at(0))
                .mesh;
        const Bounds b = BoundsOf(mesh);
        for (auto [got, want] : {std::pair{b.min, row.min}, {b.max, row.max}}) {
            EXPECT_NEAR(got.x, want.x, 1e-5f) << row.part;
            EXPECT_NEAR(got.y, want.y, 1e-5f) << row.part;
            EXPECT_NEAR(got.z, want.z, 1e-5f) << row.part;
        }
        Vec3 centre{0, 0, 0};
        for (const Vec3& p : mesh.positions) {
            centre = Vec3{centre.x + p.x, centre.y + p.y, centre.z + p.z};
        }
        const float n = static_cast<float>(mesh.positions.size());
        centre = Vec3{centre.x / n, centre.y / n, centre.z / n};
        for (size_t t = 0; t < mesh.triangleMaterials.size(); ++t) {
            const Vec3 p0 = mesh.positions[mesh.indices[t * 3]];
            const Vec3 p1 = mesh.positions[mesh.indices[t * 3 + 1]];
            const Vec3 p2 = mesh.positions[mesh.indices[t * 3 + 2]];
            const Vec3 winding = Vec3Normalize(Vec3Cross(Sub(p1, p0), Sub(p2, p0)));
            const Vec3 middle{(p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3,
                              (p0.z + p1.z + p2.z) / 3};
            EXPECT_GT(Vec3Dot(winding, Sub(middle, centre)), 0.0f) << row.part << " " << t;
            EXPECT_NEAR(Vec3Dot(winding, mesh.normals[mesh.indices[t * 3]]), 1.0f, 1e-4f)
                << row.part << " " << t;
        }
    }
}

}  // namespace
