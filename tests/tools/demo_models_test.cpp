// The demo's models and textures: all 39 models come back through the game's .x parser standing
// on y = 0 at sensible heights with visible materials, the textured materials match the model
// texture entries one for one, the 28 textures are distinct power-of-two images, the builders
// shade, wind and tile what they make, and mistakes in the recipes are reported with their line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "datapack/model_builder.h"
#include "datapack/texture_builder.h"
#include "engine/data_archive.h"
#include "platform/common/image.h"
#include "platform/common/xfile.h"
#include "support/fixtures.h"

namespace {

constexpr int MODEL_COUNT = 39;
constexpr int TEXTURE_COUNT = 28;
constexpr int EMBLEM = 36;

XMesh ParsedModel(int m) {
    const Bytes& bytes = DemoArchiveEntries()[ARCHIVE_MESH_FIRST + m];
    XMesh mesh;
    EXPECT_TRUE(ParseXFile(bytes.data(), bytes.size(), &mesh)) << "model " << m;
    return mesh;
}

const std::vector<XMesh>& ParsedModels() {
    static const std::vector<XMesh> models = [] {
        std::vector<XMesh> all;
        for (int m = 0; m < MODEL_COUNT; ++m) {
            all.push_back(ParsedModel(m));
        }
        return all;
    }();
    return models;
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

RgbaImage Decoded(const Bytes& bytes) {
    RgbaImage image;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), &image));
    return image;
}

bool PowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// The message a recipe text fails with, or "accepted".
template <typename F>
std::string Failure(F build) {
    try {
        build();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "accepted";
}

std::string TextureFailure(const std::string& text) {
    return Failure([&] {
        for (const TextureRecipe& recipe : ParseTextureRecipes(text)) {
            RenderTexture(recipe);
        }
    });
}

std::string ModelFailure(const std::string& text) {
    return Failure([&] { ParseModelRecipes(text); });
}

BuiltModel BuildOne(const std::string& text) {
    std::vector<ModelRecipe> recipes = ParseModelRecipes(text);
    EXPECT_EQ(recipes.size(), 1u);
    return BuildModel(recipes.at(0));
}

Vec3 Sub(Vec3 a, Vec3 b) {
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

TEST(DemoModelsTest, EveryModelParsesBackWithGeometryAndEveryFileFormIsUsed) {
    std::map<std::string, int> forms;
    for (int m = 0; m < MODEL_COUNT; ++m) {
        const Bytes& bytes = DemoArchiveEntries()[ARCHIVE_MESH_FIRST + m];
        ASSERT_GT(bytes.size(), 16u) << m;
        forms[std::string(bytes.begin() + 8, bytes.begin() + 12)] += 1;
        const XMesh& mesh = ParsedModels()[m];
        EXPECT_GE(mesh.indices.size(), 36u) << m;
        EXPECT_EQ(mesh.indices.size(), mesh.triangleMaterials.size() * 3) << m;
        EXPECT_EQ(mesh.normals.size(), mesh.positions.size()) << m;
        for (uint32_t index : mesh.indices) {
            ASSERT_LT(index, mesh.positions.size()) << m;
        }
    }
    // Mostly binary, which the game parses fastest; every form appears.
    EXPECT_GE(forms["txt "], 3);
    EXPECT_GE(forms["bin "], 20);
    EXPECT_GE(forms["tzip"], 2);
    EXPECT_GE(forms["bzip"], 2);
    EXPECT_EQ(forms["txt "] + forms["bin "] + forms["tzip"] + forms["bzip"], MODEL_COUNT);
}

TEST(DemoModelsTest, ModelsStandOnTheGroundAtSensibleHeights) {
    for (int m = 0; m < MODEL_COUNT; ++m) {
        Bounds b = BoundsOf(ParsedModels()[m]);
        float height = b.max.y - b.min.y;
        EXPECT_NEAR(b.min.y, 0.0f, 1e-4f) << "model " << m << " has its feet off y = 0";
        if (m == EMBLEM) {
            EXPECT_NEAR(height, 0.6f, 0.1f);
            EXPECT_LT(b.max.x - b.min.x, 0.6f);
        } else if (m >= 24 && m <= 34) {
            EXPECT_GE(height, 0.5f) << "prop " << m;
            EXPECT_LE(height, 3.0f) << "prop " << m;
        } else {
            EXPECT_GE(height, 1.5f) << "character " << m;
            EXPECT_LE(height, 3.0f) << "character " << m;
        }
        // Nothing reaches a whole cell out sideways: models stand on a grid of 2.0-unit cells.
        EXPECT_LT(std::max(-b.min.x, b.max.x), 2.0f) << m;
    }
    for (int boss : {20, 21, 22, 23, 35}) {
        float bossHeight = BoundsOf(ParsedModels()[boss]).max.y;
        for (int member = 0; member < 4; ++member) {
            EXPECT_GT(bossHeight, BoundsOf(ParsedModels()[member]).max.y + 0.4f)
                << "boss " << boss << " against party member " << member;
        }
    }
}

TEST(DemoModelsTest, EveryMaterialGlowsWithAColourAndModelsDiffer) {
    std::set<std::vector<float>> palettes;
    for (int m = 0; m < MODEL_COUNT; ++m) {
        const XMesh& mesh = ParsedModels()[m];
        ASSERT_FALSE(mesh.materials.empty()) << m;
        std::vector<float> palette;
        for (const XMaterial& material : mesh.materials) {
            float brightest =
                std::max({material.emissive[0], material.emissive[1], material.emissive[2]});
            EXPECT_GT(brightest, 0.05f) << "model " << m << " has a black material";
            EXPECT_GT(material.diffuse[3], 0.3f) << m;
            EXPECT_LE(material.diffuse[3], 1.0f) << m;
            palette.insert(palette.end(), material.emissive, material.emissive + 3);
        }
        palettes.insert(palette);
        // Every triangle names a material the mesh has.
        for (uint32_t material : mesh.triangleMaterials) {
            ASSERT_LT(material, mesh.materials.size()) << m;
        }
    }
    EXPECT_EQ(palettes.size(), static_cast<size_t>(MODEL_COUNT)) << "two models look alike";
    // The spirit is see-through.
    bool translucent = false;
    for (const XMaterial& material : ParsedModels()[38].materials) {
        translucent = translucent || material.diffuse[3] < 0.9f;
    }
    EXPECT_TRUE(translucent);
}

TEST(DemoModelsTest, TexturedMaterialsMatchTheModelTextureEntriesOneForOne) {
    const std::vector<Bytes>& entries = DemoArchiveEntries();
    size_t textured = 0;
    int texturedModels = 0;
    for (const XMesh& mesh : ParsedModels()) {
        size_t before = textured;
        for (const XMaterial& material : mesh.materials) {
            textured += material.textureFile.empty() ? 0 : 1;
        }
        if (textured > before) {
            texturedModels += 1;
            EXPECT_EQ(mesh.texCoords.size(), mesh.positions.size());
        }
    }
    EXPECT_GE(texturedModels, 6);
    ASSERT_LE(textured, static_cast<size_t>(ARCHIVE_MESH_TEXTURE_END - ARCHIVE_MESH_TEXTURE_FIRST));
    for (int entry = ARCHIVE_MESH_TEXTURE_FIRST; entry < ARCHIVE_MESH_TEXTURE_END; ++entry) {
        size_t k = static_cast<size_t>(entry - ARCHIVE_MESH_TEXTURE_FIRST);
        if (k < textured) {
            RgbaImage image = Decoded(entries[entry]);
            EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height)) << entry;
        } else {
            EXPECT_TRUE(entries[entry].empty()) << "entry " << entry << " past the last one";
        }
    }
}

TEST(DemoModelsTest, TheTwentyEightTexturesAreDistinctPowerOfTwoImages) {
    std::vector<RgbaImage> images;
    bool keyedGreen = false;
    bool translucent = false;
    for (int i = 0; i < TEXTURE_COUNT; ++i) {
        RgbaImage image = Decoded(DemoArchiveEntries()[ARCHIVE_TEXTURE_FIRST + i]);
        EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height)) << i;
        EXPECT_GE(image.width, 32) << i;
        EXPECT_LE(image.width, 128) << i;
        std::set<uint32_t> colours(image.pixels.begin(), image.pixels.end());
        EXPECT_GE(colours.size(), 2u) << "texture " << i << " is one flat colour";
        for (uint32_t pixel : image.pixels) {
            keyedGreen = keyedGreen || pixel == 0xFF00FF00u;
            translucent = translucent || (pixel >> 24) < 0xC0;
        }
        images.push_back(image);
    }
    EXPECT_TRUE(keyedGreen) << "a marker with the see-through green";
    EXPECT_TRUE(translucent) << "the shadow and markers have alpha";
    for (size_t a = 0; a < images.size(); ++a) {
        for (size_t b = a + 1; b < images.size(); ++b) {
            EXPECT_FALSE(images[a].width == images[b].width && images[a].pixels == images[b].pixels)
                << "textures " << a << " and " << b;
        }
    }
}

TEST(DemoModelsTest, ABoxTakesFourShadesAndOutwardClockwiseFaces) {
    BuiltModel built = BuildOne(
        "model 0 probe binary\n"
        "  material paint #c08040\n"
        "  box paint 1 0 2 2 1 4\n"
        "end\n");
    EXPECT_EQ(built.form, XFileForm::Binary);
    const XMesh& mesh = built.mesh;
    ASSERT_EQ(mesh.materials.size(), 4u);
    const float shades[] = {1.0f, 0.86f, 0.72f, 0.58f};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(mesh.materials[i].emissive[0], 0xC0 / 255.0f * shades[i], 1e-5f);
        EXPECT_NEAR(mesh.materials[i].emissive[2], 0x40 / 255.0f * shades[i], 1e-5f);
        EXPECT_FLOAT_EQ(mesh.materials[i].diffuse[3], 1.0f);
    }
    EXPECT_EQ(mesh.indices.size(), 36u);
    EXPECT_TRUE(mesh.texCoords.empty());
    Bounds b = BoundsOf(mesh);
    EXPECT_FLOAT_EQ(b.min.x, 0.0f);
    EXPECT_FLOAT_EQ(b.max.x, 2.0f);
    EXPECT_FLOAT_EQ(b.min.y, 0.0f);
    EXPECT_FLOAT_EQ(b.max.y, 1.0f);
    EXPECT_FLOAT_EQ(b.min.z, 0.0f);
    EXPECT_FLOAT_EQ(b.max.z, 4.0f);
    const Vec3 centre{1, 0.5f, 2};
    std::map<uint32_t, Vec3> shadeNormal;
    for (size_t t = 0; t < mesh.triangleMaterials.size(); ++t) {
        Vec3 p0 = mesh.positions[mesh.indices[t * 3]];
        Vec3 p1 = mesh.positions[mesh.indices[t * 3 + 1]];
        Vec3 p2 = mesh.positions[mesh.indices[t * 3 + 2]];
        // Clockwise seen from outside in the left-handed frame: the edge cross product points
        // away from the box, along the stored normal.
        Vec3 winding = Vec3Normalize(Vec3Cross(Sub(p1, p0), Sub(p2, p0)));
        Vec3 outward =
            Sub(Vec3{(p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3, (p0.z + p1.z + p2.z) / 3},
                centre);
        EXPECT_GT(Vec3Dot(winding, outward), 0.0f) << "triangle " << t;
        EXPECT_NEAR(Vec3Dot(winding, mesh.normals[mesh.indices[t * 3]]), 1.0f, 1e-5f);
        shadeNormal[mesh.triangleMaterials[t]] = winding;
    }
    EXPECT_FLOAT_EQ(shadeNormal[0].y, 1.0f) << "the top is brightest";
    EXPECT_FLOAT_EQ(shadeNormal[1].z, -1.0f) << "then the front";
    EXPECT_FLOAT_EQ(shadeNormal[2].x, 1.0f) << "then the right";
}

TEST(DemoModelsTest, PartsTurnMirrorAndCarryTextureCoordinates) {
    BuiltModel built = BuildOne(
        "model 3 probe text-zip double\n"
        "  material wood #ffffff texture=planks repeat=2\n"
        "  material glow #20ff20 flat alpha=0.5\n"
        "  cylinder wood 0.5 0 0 0.2 1.5 0.2 roll=90 mirror\n"
        "  sphere glow 0 1 0 0.4 0.4 0.4 sides=6\n"
        "end\n");
    EXPECT_EQ(built.form, XFileForm::CompressedText);
    EXPECT_EQ(built.floatBits, 64);
    const XMesh& mesh = built.mesh;
    // Two shades of the textured material (lit and unlit), one of the flat one.
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(built.materialTextures, (std::vector<std::string>{"planks", "planks"}));
    EXPECT_EQ(mesh.materials[0].textureFile, "planks.png");
    EXPECT_TRUE(mesh.materials[2].textureFile.empty());
    EXPECT_FLOAT_EQ(mesh.materials[2].diffuse[3], 0.5f);
    EXPECT_FLOAT_EQ(mesh.materials[2].emissive[1], 1.0f);
    ASSERT_EQ(mesh.texCoords.size(), mesh.positions.size());
    float maxU = 0;
    for (const Vec2& uv : mesh.texCoords) {
        EXPECT_GE(uv.x, 0.0f);
        EXPECT_GE(uv.y, 0.0f);
        EXPECT_LE(uv.y, 2.0f);
        maxU = std::max(maxU, uv.x);
    }
    EXPECT_FLOAT_EQ(maxU, 2.0f) << "repeat=2 wraps the texture twice";
    // Rolled 90 degrees the cylinders lie along x, from 0.5 out to 2.0 and mirrored.
    Bounds b = BoundsOf(mesh);
    EXPECT_NEAR(b.max.x, 2.0f, 1e-5f);
    EXPECT_NEAR(b.min.x, -2.0f, 1e-5f);
    EXPECT_NEAR(b.max.y, 1.4f, 1e-5f);
    EXPECT_NEAR(b.min.y, -0.1f, 1e-2f);
}

TEST(DemoModelsTest, TexturesAreDeterministicSeededByNameAndTile) {
    auto render = [](const std::string& name) {
        return RenderTexture(ParseTextureRecipes("skin " + name +
                                                 " 64x32\n  fill #808080\n  noise 0.4 16 2\n"
                                                 "  speckle #ff0000 0.05\nend\n")
                                 .at(0));
    };
    RgbaImage a = render("moss");
    EXPECT_EQ(a.width, 64);
    EXPECT_EQ(a.height, 32);
    EXPECT_EQ(a.pixels, render("moss").pixels);
    EXPECT_NE(a.pixels, render("lichen").pixels);
    // Seamless: the last column follows on from the first as closely as neighbours do, while
    // the middle of the tile differs far more.
    auto grey = [&](int x, int y) { return a.pixels[static_cast<size_t>(y * a.width + x)] & 0xFF; };
    auto speckled = [&](int x, int y) {
        uint32_t p = a.pixels[static_cast<size_t>(y * a.width + x)];
        return ((p >> 16) & 0xFF) != (p & 0xFF);
    };
    long across = 0;
    long middle = 0;
    int rows = 0;
    for (int y = 0; y < a.height; ++y) {
        if (speckled(0, y) || speckled(63, y) || speckled(32, y)) {
            continue;
        }
        rows += 1;
        across += std::abs(static_cast<int>(grey(0, y)) - static_cast<int>(grey(63, y)));
        middle += std::abs(static_cast<int>(grey(0, y)) - static_cast<int>(grey(32, y)));
    }
    EXPECT_GE(rows, 16);
    EXPECT_GT(middle, rows * 4L) << "the noise shows";
    EXPECT_LT(across * 3, middle);

    // Painting: an opaque colour replaces the pixel exactly, a translucent one blends.
    RgbaImage marker = RenderTexture(ParseTextureRecipes("tile 0 m 32x32\n fill #00ff00\n"
                                                         " circle #ff000080 16 16 4\n"
                                                         " rect #0000ff 0 0 4 4\nend\n")
                                         .at(0));
    EXPECT_EQ(marker.pixels[31 * 32 + 31], 0xFF00FF00u);
    EXPECT_EQ(marker.pixels[0], 0xFF0000FFu);
    EXPECT_EQ(marker.pixels[16 * 32 + 16], 0xFF807F00u);
}

TEST(DemoModelsTest, TextureRecipeMistakesNameTheirLine) {
    EXPECT_NE(TextureFailure("tile 0 a 64x64\n  smear #ffffff\nend\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(TextureFailure("tile 0 a 64x64\n  smear #ffffff\nend\n").find("unknown step"),
              std::string::npos);
    EXPECT_NE(TextureFailure("\ntile 0 a 64x64\n  fill #fff\nend\n")
                  .find("line 3: expected a "
                        "colour"),
              std::string::npos);
    EXPECT_NE(TextureFailure("tile 0 a 48x64\n  fill #ffffff\nend\n").find("line 1: size"),
              std::string::npos);
    EXPECT_NE(TextureFailure("skin a 64x64\n  stripes #ffffff x 8 2\nend\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(TextureFailure("skin a 64x64\n  ring #ffffff 1 2 3\nend\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(TextureFailure("skin a 64x64\n  checker #ffffff 0\nend\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(TextureFailure("skin a 64x64\n  fill #ffffff\n").find("no end"), std::string::npos);
    EXPECT_NE(TextureFailure("  fill #ffffff\n").find("line 1"), std::string::npos);
    EXPECT_EQ(TextureFailure("# note\nskin a 8x8\n  fill #ffffff80\n  arrow #000000 left 0.5\n"
                             "  gradient #ff0000 r 0 1\nend\n"),
              "accepted");
    EXPECT_NE(Failure([] {
                  BuildTextureLibrary("tile 1 a 8x8\n fill #ffffff\nend\n", 2);
              }).find("no tile for slot 0"),
              std::string::npos);
    EXPECT_NE(Failure([] {
                  BuildTextureLibrary(
                      "tile 0 a 8x8\n fill #ffffff\nend\n"
                      "skin a 8x8\n fill #ffffff\nend\n",
                      1);
              }).find("given twice"),
              std::string::npos);
}

TEST(DemoModelsTest, ModelRecipeMistakesNameTheirLine) {
    const std::string head = "model 0 m text\n  material a #ff0000\n";
    EXPECT_NE(ModelFailure(head + "  box b 0 0 0 1 1 1\nend\n").find("line 3: no material 'b'"),
              std::string::npos);
    EXPECT_NE(ModelFailure(head + "  cube a 0 0 0 1 1 1\nend\n").find("line 3: unknown shape"),
              std::string::npos);
    EXPECT_NE(ModelFailure(head + "  box a 0 0 0 1 0 1\nend\n").find("line 3: height"),
              std::string::npos);
    EXPECT_NE(ModelFailure(head + "  box a 0 0 0 1 1 1 spin=3\nend\n").find("line 3"),
              std::string::npos);
    EXPECT_NE(ModelFailure(head + "  box a 0 0 0 1 1 1 top=0.5\nend\n").find("line 3"),
              std::string::npos);
    EXPECT_NE(ModelFailure(head + "  sphere a 0 0 0 1 1 one\nend\n").find("line 3: not a number"),
              std::string::npos);
    EXPECT_NE(ModelFailure("model 0 m text\n  material a #000000\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(ModelFailure("model 0 m text\n  material a #ff0000 alpha=2\n").find("line 2"),
              std::string::npos);
    EXPECT_NE(ModelFailure("model 0 m zipped\nend\n").find("line 1"), std::string::npos);
    EXPECT_NE(ModelFailure(head + "\nend\n").find("line 4: 'm' has no parts"), std::string::npos);
    EXPECT_NE(ModelFailure(head + "  box a 0 0 0 1 1 1\n").find("has no end"), std::string::npos);
    std::map<std::string, RgbaImage> none;
    EXPECT_NE(Failure([&] {
                  BuildModelSet(
                      "model 0 m text\n\n  material a #ff0000 texture=oak\n"
                      "  box a 0 0 0 1 1 1\nend\n",
                      1, none, 100);
              }).find("line 3: no texture 'oak'"),
              std::string::npos);
    EXPECT_NE(Failure([&] {
                  BuildModelSet(
                      head + "  box a 0 0 0 1 1 1\nend\n" + head + "  box a 0 0 0 1 1 1\nend\n", 2,
                      none, 100);
              }).find("line 5: row 0"),
              std::string::npos);
    std::map<std::string, RgbaImage> oak{{"oak", RgbaImage{8, 8, std::vector<uint32_t>(64)}}};
    EXPECT_NE(Failure([&] {
                  BuildModelSet(
                      "model 0 m text\n  material a #ff0000 texture=oak\n"
                      "  box a 0 0 0 1 1 1\nend\n",
                      1, oak, 1);
              }).find("2 textured materials"),
              std::string::npos);
}

}  // namespace
