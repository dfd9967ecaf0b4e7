// The map view: which quads a tile layer gives (floors at their heights, wall faces between
// differing linear neighbours, liquid in its own pass), the waves, the culling, and the task's
// drawing of the map, the area name and the money bar on the recording backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/atlas_field.h"
#include "data/atlas_images.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "support/render_fixture.h"

namespace {

using Kind = headless::DrawRecord::Kind;

int AlwaysVisible(float, float, float, float) {
    return 1;
}

std::vector<MapQuad> Quads(const std::vector<int8_t>& tiles, int32_t width, int32_t height,
                           float liquidHeight = -1.5f) {
    std::vector<MapQuad> quads;
    CollectMapQuads(tiles.data(), width, height, liquidHeight, AlwaysVisible, &quads);
    return quads;
}

std::vector<MapQuad> OfKind(const std::vector<MapQuad>& quads, MapQuadKind kind) {
    std::vector<MapQuad> out;
    std::copy_if(quads.begin(), quads.end(), std::back_inserter(out),
                 [kind](const MapQuad& q) { return q.kind == kind; });
    return out;
}

void ExpectCorners(const MapQuad& quad, const std::vector<Vec3>& corners) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.corners[i].x, corners[i].x) << "corner " << i;
        EXPECT_FLOAT_EQ(quad.corners[i].y, corners[i].y) << "corner " << i;
        EXPECT_FLOAT_EQ(quad.corners[i].z, corners[i].z) << "corner " << i;
    }
}

TEST(MapViewQuadsTest, FloorStyleAndWallTextureOfEveryTile) {
    const struct {
        int8_t tile;
        int32_t texture;
        float height;
        int32_t wall;
    } rows[] = {{4, 9, 0, 7},    {5, 10, 0, 7},   {8, 18, 0, 7},   {9, 22, 0, 7},   {10, 19, 0, 7},
                {11, 20, 0, 7},  {12, 21, 0, 7},  {13, 23, 0, 7},  {15, 6, 4, 7},   {16, 16, 4, 17},
                {17, 16, 4, 26}, {19, 16, 4, 27}, {30, 11, 6, 12}, {31, 11, 6, 13}, {32, 11, 6, 14},
                {33, 11, 6, 15}, {44, 8, 0, 7},   {45, 8, -2, 7},  {0, 5, 0, 7},    {14, 5, 0, 7},
                {18, 5, 0, 7},   {20, 5, 0, 7},   {34, 5, 0, 7},   {-1, 5, 0, 7},   {127, 5, 0, 7}};
    for (auto r : rows) {
        const TileFloorStyle style = GetTileFloorStyle(r.tile);
        EXPECT_EQ(style.texture, r.texture) << "tile " << int{r.tile};
        EXPECT_EQ(style.height, r.height) << "tile " << int{r.tile};
        EXPECT_EQ(GetTileWallTexture(r.tile), r.wall) << "tile " << int{r.tile};
    }
}

TEST(MapViewQuadsTest, RaisedBlockAndFloorEachShowAFaceFromTheirOwnHeight) {
    // One row: an edge wall, a floor, a raised block, an edge wall. Every pair differs, so
    // each cell faces its neighbours (the first and last cells are nobody's neighbour).
    const std::vector<MapQuad> walls = OfKind(Quads({15, 0, 16, 15}, 4, 1), MapQuadKind::Wall);
    ASSERT_EQ(walls.size(), 4u);
    // The floor (cell 1) and the block (cell 2) both face the plane x = 0 between them.
    ExpectCorners(walls[1], {{0, 0, 1}, {0, 0, -1}, {0, -6, -1}, {0, -6, 1}});
    EXPECT_EQ(walls[1].texture, 7) << "the floor's own wall texture";
    ExpectCorners(walls[2], {{0, 4, 1}, {0, 4, -1}, {0, -2, -1}, {0, -2, 1}});
    EXPECT_EQ(walls[2].texture, 17);
    ExpectCorners(walls[0], {{-2, 4, 1}, {-2, 4, -1}, {-2, -2, -1}, {-2, -2, 1}});

    for (const MapQuad& w : OfKind(Quads({15, 0, 0, 15}, 4, 1), MapQuadKind::Wall)) {
        EXPECT_NE(w.corners[0].x, 0.0f) << "two equal floors show nothing between them";
    }
}

TEST(MapViewQuadsTest, NeighboursAreLinearSoARowEndMeetsTheNextRowsStart) {
    // Cell 2 ends row 0; its right neighbour by index is cell 3, the start of row 1.
    const std::vector<MapQuad> quads = Quads({15, 15, 0, 16, 0, 15}, 3, 2);
    const std::vector<MapQuad> walls = OfKind(quads, MapQuadKind::Wall);
    bool rowEndFace = false;
    for (const MapQuad& w : walls) {
        if (w.corners[0].x == 3.0f && w.corners[0].y == 0.0f && w.corners[0].z == 2.0f) {
            rowEndFace = true;
        }
    }
    EXPECT_TRUE(rowEndFace) << "cell 2 draws a face at x = 3 toward cell 3";
}

TEST(MapViewQuadsTest, LiquidIsDrawnFirstAtTheWaveHeightOnly) {
    const std::vector<int8_t> tiles = {15, 15, 15, 15, 45, 0, 15, 15, 15};
    const std::vector<MapQuad> quads = Quads(tiles, 3, 3, -1.3f);
    ASSERT_FALSE(quads.empty());
    EXPECT_EQ(quads[0].kind, MapQuadKind::Liquid);
    EXPECT_EQ(quads[0].texture, 8);
    ExpectCorners(quads[0], {{-1, -1.3f, 1}, {1, -1.3f, 1}, {1, -1.3f, -1}, {-1, -1.3f, -1}});
    EXPECT_EQ(OfKind(quads, MapQuadKind::Liquid).size(), 1u);
    // No floor of its own in the second pass: eight floors around it.
    EXPECT_EQ(OfKind(quads, MapQuadKind::Floor).size(), 8u);
    // Its neighbour to the east (cell 5, floor at 0) faces it, at x = 1.
    bool faced = false;
    for (const MapQuad& w : OfKind(quads, MapQuadKind::Wall)) {
        faced = faced || (w.corners[0].x == 1.0f && w.corners[0].y == 0.0f &&
                          w.corners[1].x == 1.0f && w.corners[1].z == -1.0f);
    }
    EXPECT_TRUE(faced);
}

TEST(MapViewQuadsTest, NegativeAndBlockedTilesHaveNoFloorButAreFaced) {
    for (int8_t hole : {int8_t{-1}, int8_t{-128}, int8_t{46}, int8_t{127}}) {
        const std::vector<int8_t> tiles = {15, 15, 15, 0, hole, 0, 15, 15, 15};
        const std::vector<MapQuad> quads = Quads(tiles, 3, 3);
        EXPECT_EQ(OfKind(quads, MapQuadKind::Floor).size(), 8u) << int{hole};
        EXPECT_TRUE(OfKind(quads, MapQuadKind::Liquid).empty());
        const std::vector<MapQuad> walls = OfKind(quads, MapQuadKind::Wall);
        EXPECT_EQ(walls.size(), 14u) << int{hole};
        // The hole spans x -1..1 and z -1..1: each of its four neighbours faces one side.
        int sides = 0;
        for (const MapQuad& w : walls) {
            const Vec3& a = w.corners[0];
            const Vec3& b = w.corners[1];
            const bool alongZ =
                a.x == b.x && (a.x == -1.0f || a.x == 1.0f) && a.z == 1.0f && b.z == -1.0f;
            const bool alongX =
                a.z == b.z && (a.z == -1.0f || a.z == 1.0f) && a.x == -1.0f && b.x == 1.0f;
            sides += (alongZ || alongX) ? 1 : 0;
        }
        EXPECT_EQ(sides, 4) << int{hole};
    }
}

TEST(MapViewQuadsTest, MovingObjectTraceIsAFlatFloorFacingTheLiquid) {
    const std::vector<int8_t> tiles = {15, 15, 15, 15, 15, 44, 45, 15, 15, 15, 15, 15};
    const std::vector<MapQuad> quads = Quads(tiles, 4, 3);
    const MapQuad* trace = nullptr;
    for (const MapQuad& q : quads) {
        if (q.kind == MapQuadKind::Floor && q.texture == 8) {
            trace = &q;
        }
    }
    ASSERT_NE(trace, nullptr);
    EXPECT_FLOAT_EQ(trace->corners[0].y, 0.0f);
    EXPECT_FLOAT_EQ(trace->corners[0].x, -2.0f);
    bool facesLiquid = false;
    for (const MapQuad& w : OfKind(quads, MapQuadKind::Wall)) {
        facesLiquid =
            facesLiquid || (w.corners[0].x == 0.0f && w.corners[0].y == 0.0f && w.texture == 7);
    }
    EXPECT_TRUE(facesLiquid);
}

TEST(MapViewQuadsTest, CellsOutsideTheViewAreLeftOut) {
    // A long corridor seen from above its west end: the far east is culled.
    std::vector<int8_t> tiles(60 * 3, 15);
    for (int c = 1; c < 59; ++c) {
        tiles[60 + c] = 0;
    }
    SetCamera(-55.0f, 0.0f, 0.0f, -55.0f, 40.0f, -10.0f);
    std::vector<MapQuad> quads;
    CollectMapQuads(tiles.data(), 60, 3, -2.0f, IsSphereVisible, &quads);
    const std::vector<MapQuad> floors = OfKind(quads, MapQuadKind::Floor);
    ASSERT_FALSE(floors.empty());
    EXPECT_LT(floors.size(), 60u * 3u / 2);
    for (const MapQuad& f : floors) {
        EXPECT_LT(f.corners[0].x, -20.0f) << "a floor far from the camera";
    }
    std::vector<MapQuad> all;
    CollectMapQuads(tiles.data(), 60, 3, -2.0f, AlwaysVisible, &all);
    EXPECT_EQ(OfKind(all, MapQuadKind::Floor).size(), 180u);
}

TEST(MapViewQuadsTest, WaveTableRisesAndFallsOverEightyEightFrames) {
    EXPECT_FLOAT_EQ(waveTable[0], -2.0f);
    EXPECT_FLOAT_EQ(waveTable[3], -2.0f);
    EXPECT_FLOAT_EQ(waveTable[4], -1.9f);
    EXPECT_FLOAT_EQ(waveTable[43], -1.0f);
    EXPECT_FLOAT_EQ(waveTable[44], -1.0f);
    EXPECT_FLOAT_EQ(waveTable[48], -1.1f);
    EXPECT_FLOAT_EQ(waveTable[87], -2.0f);
    for (int i = 0; i < 44; ++i) {
        EXPECT_FLOAT_EQ(waveTable[i], -2.0f + 0.1f * static_cast<float>(i / 4)) << i;
        EXPECT_FLOAT_EQ(waveTable[44 + i], -1.0f - 0.1f * static_cast<float>(i / 4)) << i;
    }
    MapViewPayload view{1, 0.0f, 86};
    EXPECT_FLOAT_EQ(NextWaveHeight(&view), waveTable[87]);
    EXPECT_EQ(view.wavePhase, 87);
    EXPECT_FLOAT_EQ(NextWaveHeight(&view), waveTable[0]);
    EXPECT_EQ(view.wavePhase, 0);
}

class MapViewTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        ASSERT_TRUE(AllocMapBuffers());
        // A stand-in for each map texture, so draws tell their texture apart.
        RgbaImage tile;
        tile.width = 2;
        tile.height = 2;
        tile.pixels.assign(4, 0xFF808080);
        for (GfxTexture*& t : textures) {
            t = GfxCreateTexture(tile);
        }
        savedMap = currentMap;
        savedMoney = money;
        // From high above the origin, looking down on a small map whole.
        SetCamera(0.0f, 0.0f, 0.0f, 0.0f, 80.0f, -1.0f);
        headless::ClearDrawCalls();
    }
    void TearDown() override {
        FreeMapBuffers();
        mapWidth = 0;
        mapHeight = 0;
        currentMap = savedMap;
        money = savedMoney;
        RenderTest::TearDown();
    }
    static void UseRoom() {
        mapWidth = 3;
        mapHeight = 3;
        const int8_t room[9] = {15, 15, 15, 15, 0, 15, 15, 15, 45};
        std::copy(room, room + 9, tileLayer);
    }
    static int TextureIndex(const GfxTexture* texture) {
        for (int i = 0; i < TEXTURE_COUNT; ++i) {
            if (textures[i] == texture) {
                return i;
            }
        }
        return -1;
    }
    static std::vector<headless::DrawRecord> OfDrawKind(Kind kind) {
        std::vector<headless::DrawRecord> out;
        for (const headless::DrawRecord& d : Draws()) {
            if (d.kind == kind) {
                out.push_back(d);
            }
        }
        return out;
    }
    // The atlas rectangle a screen draw took its texels from.
    static AtlasRect SourceOf(const headless::DrawRecord& d) {
        return {d.screen[0].u * ATLAS_SIZE, d.screen[0].v * ATLAS_SIZE, d.screen[2].u * ATLAS_SIZE,
                d.screen[2].v * ATLAS_SIZE};
    }
    static bool SameRect(const AtlasRect& a, const AtlasRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }

    int32_t savedMap = 0;
    int32_t savedMoney = 0;
};

TEST_F(MapViewTest, CreateMapViewClaimsItsSlotAndStartsTheWave) {
    ASSERT_TRUE(CreateMapView());
    TaskSlot* slot = TaskAt(TASK_SLOT_MAP_VIEW);
    EXPECT_EQ(slot->inUse, 1u);
    EXPECT_EQ(slot->kind, TASK_KIND_MAP_VIEW);
    EXPECT_EQ(slot->updateOn, 1u);
    EXPECT_EQ(slot->drawOn, 1u);
    const MapViewPayload* view = TaskPayload<MapViewPayload>(slot);
    EXPECT_EQ(view->alive, 1u);
    EXPECT_EQ(view->wavePhase, 1);
    EXPECT_FLOAT_EQ(view->liquidHeight, waveTable[1]);
    EXPECT_FALSE(CreateMapView()) << "one map view";

    for (int frame = 0; frame < 87; ++frame) {
        UpdateTasks();
    }
    EXPECT_EQ(view->wavePhase, 0) << "88 frames make one cycle";
    UpdateTasks();
    UpdateTasks();
    EXPECT_EQ(view->wavePhase, 2);
    EXPECT_FLOAT_EQ(view->liquidHeight, waveTable[2]);
}

TEST_F(MapViewTest, DrawsTheMapThenTheAreaNameThenTheMoneyBar) {
    UseRoom();
    currentMap = 0;
    money = 1234;
    ASSERT_TRUE(CreateMapView());
    SetWorldTransform(MatrixTranslation(5, 5, 5));
    headless::ClearDrawCalls();
    DrawTasks();

    // The liquid corner first, at the new view's wave height -2; then row by row each cell's
    // floor (the walls at 4, the centre at 0) and the faces it shows toward differing
    // neighbours, 6 deep from its floor. Cell (c, r) spans x 2c - 3..2c - 1, z 3 - 2r..1 - 2r.
    const std::vector<headless::DrawRecord> world = OfDrawKind(Kind::WorldFan);
    const std::vector<int> textures = {8, 6, 6, 7, 6, 6, 7, 5, 7, 7, 7, 7, 6, 7, 6, 6, 7};
    ASSERT_EQ(world.size(), textures.size()) << "one liquid, eight floors, eight faces";
    const struct {
        size_t draw;
        std::vector<Vec3> corners;
    } rows[] = {
        {0, {{1, -2, -1}, {3, -2, -1}, {3, -2, -3}, {1, -2, -3}}},   // the liquid
        {1, {{-3, 4, 3}, {-1, 4, 3}, {-1, 4, 1}, {-3, 4, 1}}},       // cell 0's floor
        {3, {{-1, 4, 1}, {1, 4, 1}, {1, -2, 1}, {-1, -2, 1}}},       // cell 1 faces the centre
        {7, {{-1, 0, 1}, {1, 0, 1}, {1, 0, -1}, {-1, 0, -1}}},       // the centre's floor
        {8, {{1, 0, 1}, {1, 0, -1}, {1, -6, -1}, {1, -6, 1}}},       // its east,
        {9, {{-1, 0, 1}, {-1, 0, -1}, {-1, -6, -1}, {-1, -6, 1}}},   // west,
        {10, {{-1, 0, 1}, {1, 0, 1}, {1, -6, 1}, {-1, -6, 1}}},      // north
        {11, {{-1, 0, -1}, {1, 0, -1}, {1, -6, -1}, {-1, -6, -1}}},  // and south faces
        {16, {{-1, 4, -1}, {1, 4, -1}, {1, -2, -1}, {-1, -2, -1}}},  // cell 7 faces it
    };
    for (const auto& row : rows) {
        for (int i = 0; i < 4; ++i) {
            const WorldVertex& v = world[row.draw].vertices[i];
            EXPECT_EQ((std::vector<float>{v.x, v.y, v.z}),
                      (std::vector<float>{row.corners[i].x, row.corners[i].y, row.corners[i].z}))
                << "draw " << row.draw << " corner " << i;
        }
    }
    for (size_t i = 0; i < world.size(); ++i) {
        EXPECT_EQ(TextureIndex(world[i].texture), textures[i]) << i;
        EXPECT_EQ(world[i].world.m[3][0], 0.0f) << "identity world transform";
        EXPECT_EQ(world[i].vertices[0].colour, COLOUR_WHITE);
        EXPECT_EQ(world[i].vertices[1].u, 1.0f);
        EXPECT_EQ(world[i].vertices[1].v, 0.0f);
        EXPECT_EQ(world[i].vertices[3].u, 0.0f);
        EXPECT_EQ(world[i].vertices[3].v, 1.0f);
    }

    const std::vector<headless::DrawRecord> screen = OfDrawKind(Kind::ScreenFan);
    ASSERT_EQ(screen.size(), 1u + 3u + 4u) << "name, bar, hint, label, four digits";
    EXPECT_TRUE(SameRect(SourceOf(screen[0]), areaNameRects[0]));
    EXPECT_FLOAT_EQ(screen[0].screen[0].x, 4.0f - 0.5f);
    EXPECT_FLOAT_EQ(screen[0].screen[0].y, 2.0f - 0.5f);
    EXPECT_TRUE(SameRect(SourceOf(screen[1]), RECT_MONEY_BAR));
    EXPECT_FLOAT_EQ(screen[1].screen[0].y, 464.0f - 0.5f);
    EXPECT_FLOAT_EQ(screen[1].screen[2].x, 640.0f - 0.5f) << "the bar spans the screen";
    EXPECT_TRUE(SameRect(SourceOf(screen[2]), RECT_MONEY_BAR_HINT));
    EXPECT_FLOAT_EQ(screen[2].screen[0].x, 0.0f - 0.5f);
    EXPECT_TRUE(SameRect(SourceOf(screen[3]), RECT_MONEY_LABEL));
    EXPECT_FLOAT_EQ(screen[3].screen[0].x, 530.0f - 0.5f);
    EXPECT_FLOAT_EQ(screen[4].screen[0].x, 560.0f - 0.5f) << "the money's first digit";
    EXPECT_FLOAT_EQ(screen[4].screen[0].y, 465.0f - 0.5f);
    EXPECT_FLOAT_EQ(screen[4].screen[0].u, mediumDigitRects[1].left / ATLAS_SIZE);
    EXPECT_FLOAT_EQ(screen[7].screen[0].u, mediumDigitRects[4].left / ATLAS_SIZE);
    for (const headless::DrawRecord& d : screen) {
        EXPECT_EQ(d.texture, uiAtlas);
        EXPECT_EQ(d.screen[0].colour, COLOUR_WHITE);
    }
}

TEST_F(MapViewTest, MoneyBarIsHiddenWhileAnEventRuns) {
    UseRoom();
    money = 5;
    StartTask(AllocTaskAt(TASK_SLOT_EVENT_RUNNER), TASK_KIND_EVENT_RUNNER, 0, nullptr, nullptr);
    DrawFieldMoneyBar();
    EXPECT_TRUE(Draws().empty());
    TaskAt(TASK_SLOT_EVENT_RUNNER)->inUse = 0;
    DrawFieldMoneyBar();
    EXPECT_EQ(Draws().size(), 4u);
}

TEST_F(MapViewTest, AreaNamesExistOnlyForMapNumbersZeroToTwentyThree) {
    for (int32_t area : {24, -1, 1000}) {
        DrawAreaName(4, 2, area);
    }
    EXPECT_TRUE(Draws().empty());
    DrawAreaName(10, 20, 23);
    DrawAreaName(0, 0, 11);
    ASSERT_EQ(Draws().size(), 2u);
    EXPECT_TRUE(SameRect(SourceOf(Draws()[0]), areaNameRects[23]));
    EXPECT_FLOAT_EQ(Draws()[0].screen[2].x - Draws()[0].screen[0].x, 60.0f) << "its own size";
    EXPECT_TRUE(SameRect(SourceOf(Draws()[1]), AtlasRect{947, 0, 948, 1}));
}

TEST_F(MapViewTest, NothingIsDrawnWithoutAMap) {
    mapWidth = 0;
    mapHeight = 0;
    DrawMapCells(-1.0f);
    EXPECT_TRUE(Draws().empty());
}

TEST(MapViewAtlasTest, EveryNamedRectangleIsRegisteredAndOverlapsNoOtherImage) {
    const std::vector<AtlasImage>& all = AtlasImages();
    auto registered = [&](const AtlasRect& r) {
        return std::any_of(all.begin(), all.end(), [&](const AtlasImage& i) {
            return i.sheet == AtlasSheet::Interface && i.rect.left == r.left &&
                   i.rect.top == r.top && i.rect.right == r.right && i.rect.bottom == r.bottom;
        });
    };
    for (int32_t map = 0; map < AREA_NAME_COUNT; ++map) {
        const AtlasRect& r = areaNameRects[map];
        const bool onePixel = RectWidth(r) == 1.0f && RectHeight(r) == 1.0f;
        EXPECT_EQ(registered(r), !onePixel) << "map " << map;
        EXPECT_EQ(onePixel, map == 11 || map == 19 || map == 20) << "map " << map;
    }
    EXPECT_TRUE(registered(RECT_MONEY_BAR));
    EXPECT_TRUE(registered(RECT_MONEY_BAR_HINT));
    EXPECT_TRUE(registered(RECT_MONEY_LABEL));

    auto overlap = [](const AtlasRect& a, const AtlasRect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    for (size_t f = 0; f < fieldAtlasImages.count; ++f) {
        const AtlasImage& mine = fieldAtlasImages.images[f];
        for (const AtlasImage& other : all) {
            if (other.sheet != mine.sheet || &other == &mine) {
                continue;
            }
            const bool same = other.rect.left == mine.rect.left &&
                              other.rect.top == mine.rect.top && other.text == mine.text;
            if (!same && overlap(mine.rect, other.rect)) {
                ADD_FAILURE() << std::string(mine.text) << " overlaps " << std::string(other.text);
            }
        }
    }
}

}  // namespace
