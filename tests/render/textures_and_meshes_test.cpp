// Textures and meshes from the archive: the numbering of mesh material textures, failures that
// stop start-up and those that do not, bounds, and the primitive shapes built in code.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "datapack/png_writer.h"
#include "datapack/xfile_writer.h"
#include "engine/data_archive.h"
#include "render/textures_and_meshes.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

namespace {

Bytes SquareImage(int side, uint32_t colour) {
    RgbaImage image;
    image.width = side;
    image.height = side;
    image.pixels.assign(static_cast<size_t>(side) * side, colour);
    return EncodePng(image);
}

// A triangle mesh with one material per entry of `textured` (true: names a texture file).
Bytes TriangleModel(const std::vector<bool>& textured) {
    XMesh mesh;
    mesh.positions = {{0, 0, 0}, {1, 2, 0}, {0, 0, -3}};
    for (size_t i = 0; i < textured.size(); ++i) {
        mesh.indices.insert(mesh.indices.end(), {0, 1, 2});
        mesh.triangleMaterials.push_back(static_cast<uint32_t>(i));
        XMaterial m{};
        m.diffuse[3] = 1.0f;
        m.emissive[0] = 0.5f;
        m.textureFile = textured[i] ? "skin.png" : "";
        mesh.materials.push_back(m);
    }
    return WriteXFile(mesh, XFileForm::Text);
}

class TexturesAndMeshesTest : public ::testing::Test {
  protected:
    // The demo archive with models 0 and 1 replaced, and mesh textures 30.. of distinct sizes
    // (entry 30 + k is (k + 1) pixels square) so each material shows which entry it took.
    std::vector<Bytes> NumberedArchive() {
        std::vector<Bytes> entries = DemoArchiveEntries();
        for (int m = 0; m < MESH_COUNT; ++m) {
            entries[ARCHIVE_MESH_FIRST + m] = TriangleModel({false});
        }
        entries[ARCHIVE_MESH_FIRST + 0] = TriangleModel({true, false, true});
        entries[ARCHIVE_MESH_FIRST + 1] = TriangleModel({true});
        for (int k = 0; k < 5; ++k) {
            entries[ARCHIVE_MESH_TEXTURE_FIRST + k] = SquareImage(k + 1, 0xFF808080);
        }
        return entries;
    }

    static int SideOf(const GfxTexture* texture) {
        const headless::TextureInfo* info = headless::TextureOf(texture);
        return info == nullptr ? -1 : info->width;
    }

    TempDir dir;
};

TEST_F(TexturesAndMeshesTest, TexturedMaterialsTakeTheNextEntriesEvenWhenOneIsUnreadable) {
    std::vector<Bytes> entries = NumberedArchive();
    entries[ARCHIVE_MESH_TEXTURE_FIRST] = {'n', 'o', 't', ' ', 'a', 'n',
                                           ' ', 'i', 'm', 'a', 'g', 'e'};
    WriteTestArchive(dir.Path(), entries);
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start()) << "a material texture is not needed to start";
    ASSERT_EQ(meshTable[0].materialCount, 3u);
    EXPECT_EQ(meshTable[0].meshTextures[0], nullptr) << "entry 30, unreadable";
    EXPECT_EQ(meshTable[0].meshTextures[1], nullptr) << "untextured";
    EXPECT_EQ(SideOf(meshTable[0].meshTextures[2]), 2) << "entry 31";
    EXPECT_EQ(SideOf(meshTable[1].meshTextures[0]), 4) << "entry 32, padded from 3";
    EXPECT_EQ(meshTextureCount, 3u);

    // A rebuild numbers from 30 again.
    headless::LoseDeviceAtNextPresent();
    game.Frame();
    ASSERT_TRUE(game.Running());
    EXPECT_EQ(meshTextureCount, 3u);
    EXPECT_EQ(SideOf(meshTable[1].meshTextures[0]), 4);
}

TEST_F(TexturesAndMeshesTest, MaterialsPastTheLastTextureEntryGoUntextured) {
    std::vector<Bytes> entries = NumberedArchive();
    entries[ARCHIVE_MESH_FIRST + 1] = TriangleModel(std::vector<bool>(110, true));
    for (int k = 0; k < 100; ++k) {
        entries[ARCHIVE_MESH_TEXTURE_FIRST + k] = SquareImage(1, 0xFF808080);
    }
    WriteTestArchive(dir.Path(), entries);
    GameHarness game(dir.Path());
    ASSERT_TRUE(game.Start());
    // Model 0 took 2 entries; model 1's first 98 textured materials take 32..129.
    EXPECT_NE(meshTable[1].meshTextures[97], nullptr);
    EXPECT_EQ(meshTable[1].meshTextures[98], nullptr);
    EXPECT_EQ(meshTable[1].meshTextures[109], nullptr);
    EXPECT_EQ(meshTextureCount, 112u);
}

TEST_F(TexturesAndMeshesTest, BrokenAtlasTextureOrMeshStopsStartUp) {
    for (int entry : {ARCHIVE_UI_ATLAS, ARCHIVE_GLYPH_ATLAS, ARCHIVE_TEXTURE_FIRST + 27,
                      ARCHIVE_MESH_FIRST + 5, ARCHIVE_MESH_FIRST + 38}) {
        std::vector<Bytes> entries = DemoArchiveEntries();
        entries[entry].resize(entries[entry].size() / 2);
        WriteTestArchive(dir.Path(), entries);
        GameHarness game(dir.Path());
        EXPECT_FALSE(game.Start()) << "entry " << entry;
        ASSERT_EQ(game.MessageBoxes().size(), 1u);
        EXPECT_EQ(game.MessageBoxes()[0].text, "direct graphice init error");
        EXPECT_EQ(headless::LiveTextures(), 0u) << "everything made so far is released";
        EXPECT_EQ(headless::LiveMeshes(), 0u);
    }
}

TEST_F(TexturesAndMeshesTest, AllResourcesLoadFromTheDemoSetAndGoAtShutDown) {
    WriteTestDataSet(dir.Path());
    {
        GameHarness game(dir.Path());
        ASSERT_TRUE(game.Start());
        EXPECT_NE(glyphAtlas, nullptr);
        EXPECT_NE(textures[TEXTURE_COUNT - 1], nullptr);
        EXPECT_NE(meshTable[MESH_COUNT - 1].mesh, nullptr);
        EXPECT_GT(meshTable[MESH_COUNT - 1].radius, 0.0f);
    }
    EXPECT_EQ(headless::LiveTextures(), 0u);
    EXPECT_EQ(headless::LiveMeshes(), 0u);
    EXPECT_EQ(uiAtlas, nullptr);
}

TEST(MeshBoundsTest, BoxSidesAndRadiusAroundTheMean) {
    MeshRecord record{};
    std::vector<Vec3> positions = {{-1, 0, -2}, {1, 3, 2}, {0, 0, 0}, {0, 1, 0}};
    ASSERT_TRUE(ComputeMeshBounds(&record, positions));
    EXPECT_EQ(record.width, 2.0f);
    EXPECT_EQ(record.height, 3.0f);
    EXPECT_EQ(record.depth, 4.0f);
    // Mean (0, 1, 0); farthest are the first two corners at sqrt(1 + 1 + 4) and sqrt(1 + 4 + 4).
    EXPECT_NEAR(record.radius, 3.0f, 1e-6f);
}

TEST(PrimitiveShapesTest, SpheresAndTorusHaveTheirCountsSizesAndColours) {
    for (int n : {8, 16}) {
        MeshData sphere = SphereGeometry(n, 3.4f, 0xFFFF0000);
        ASSERT_EQ(sphere.subsets.size(), 1u);
        EXPECT_EQ(sphere.subsets[0].size(), static_cast<size_t>(3 * 2 * n * (n - 1)));
        EXPECT_EQ(std::set<uint32_t>(sphere.colours.begin(), sphere.colours.end()),
                  std::set<uint32_t>{0xFFFF0000});
        std::set<uint32_t> used(sphere.subsets[0].begin(), sphere.subsets[0].end());
        EXPECT_EQ(used.size(), sphere.positions.size()) << "every vertex is used";
        MeshRecord record{};
        ComputeMeshBounds(&record, sphere.positions);
        EXPECT_NEAR(record.radius, 3.4f, 1e-4f);
        EXPECT_NEAR(record.boxMax.z, 3.4f, 1e-5f) << "axis along z";
    }
    MeshData torus = TorusGeometry(0.2f, 1.4f, 32, 32, 0xFFFFFF00);
    EXPECT_EQ(torus.subsets[0].size(), 3u * 2048u) << "two triangles per grid cell";
    MeshRecord record{};
    ComputeMeshBounds(&record, torus.positions);
    EXPECT_NEAR(record.radius, 1.6f, 1e-4f);
    EXPECT_NEAR(record.depth, 0.4f, 1e-4f) << "lying in the x-y plane";
    EXPECT_NEAR(record.width, 3.2f, 1e-4f);
}

}  // namespace
