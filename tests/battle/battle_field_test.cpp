// The battle field: cells and world points both ways, the walkable square with off-grid cells
// blocked, the spawn cells taken at random in order, and the field view's textures and draws.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "battle/battle_field.h"
#include "engine/random.h"
#include "render/graphics_device.h"
#include "render/textures_and_meshes.h"
#include "support/render_fixture.h"

namespace {

using Cell = std::pair<int32_t, int32_t>;

TEST(BattleFieldTest, CellsWorldPointsAndOffGridCells) {
    for (int32_t i = 0; i < 324; ++i) {
        float x = static_cast<float>(i % 18), z = static_cast<float>(i / 18);
        FieldCellToWorld(&x, &z);
        EXPECT_EQ(std::pair(x, z), std::pair(2.0f * (i % 18) - 17, 17 - 2.0f * (i / 18)));
        EXPECT_EQ(WorldToFieldCell(x, z), i);
    }
    // On a line between cells: the larger column or row. The square's edges are off the field.
    const std::tuple<float, float, int, int, bool> points[] = {
        {14, -13.9f, 16, 15, false}, {-13.9f, 14, 2, 2, false},     {-14, 0, 2, 9, false},
        {0, -14, 9, 16, false},      {13.9f, -13.9f, 15, 15, true}, {-13.9f, 13.9f, 2, 2, true}};
    for (auto [x, z, column, row, inside] : points) {
        Cell got;
        WorldToFieldColumnRow(x, z, &got.first, &got.second);
        EXPECT_EQ(std::tuple(got, IsInsideBattlefield(x, z)), std::tuple(Cell(column, row), inside))
            << x << ", " << z;
    }
    InitBattleGrid();
    // Column 20 of row 5 and column -3 of row 6 have flat indexes on walkable cells.
    for (int32_t i = 0; i < 24 * 24; ++i) {
        const int32_t c = i % 24 - 3, r = i / 24 - 3;
        EXPECT_EQ(IsBattleCellWalkable(c, r), c >= 2 && c <= 15 && r >= 2 && r <= 15) << i;
        EXPECT_NE(IsBattleCellBlocked(c, r), IsBattleCellWalkable(c, r)) << i;
    }
}

TEST(BattleFieldTest, SpawnListTakeAndRefuseLast) {
    SpawnCellList list;
    BuildSpawnCellList(&list);
    SeedRandom(1);  // as a battle draws: first side, enemy count, then each enemy's cell and kind
    RandomInt(4);
    RandomInt(6);
    Cell got;
    for (Cell want : {Cell{13, 5}, Cell{9, 7}, Cell{8, 7}, Cell{4, 3}, Cell{6, 7}, Cell{8, 4}}) {
        ASSERT_TRUE(TakeRandomSpawnCell(&list, &got.first, &got.second));
        EXPECT_EQ(got, want);
        RandomInt(3);
    }
    list.spawnCount = 2;
    ASSERT_TRUE(TakeRandomSpawnCell(&list, &got.first, &got.second));
    SeedRandom(5);
    const int32_t next = NextRandom();
    SeedRandom(5);
    EXPECT_FALSE(TakeRandomSpawnCell(&list, &got.first, &got.second)) << "the last is kept";
    EXPECT_EQ(NextRandom(), next) << "refused without a draw";
}

using BattleFieldViewTest = RenderTest;

// No map means low ground: the background without depth, then each walkable cell's top and faces
// at x0 + 2, x0, z0, z0 - 2, untransformed. Corner bits: 1 at x0 + 2, 2 at 4 down, 4 at z0 - 2.
TEST_F(BattleFieldViewTest, TexturesAndDrawCalls) {
    for (auto [tile, top, side] : {std::tuple{5, 5, 24}, {6, 18, 24}, {7, 18, 17}}) {
        EXPECT_EQ(Cell(GetFieldTopTexture(tile), GetFieldSideTexture(tile)), Cell(top, side));
    }
    textures[5] = GfxCreateTexture(RgbaImage{1, 1, {0xFF808080}});
    textures[24] = GfxCreateTexture(RgbaImage{1, 1, {0xFF808080}});
    const int bits[5][4] = {{0, 1, 5, 4}, {1, 5, 7, 3}, {0, 4, 6, 2}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    InitBattleGrid();
    ASSERT_TRUE(CreateBattleFieldView(0.5f, -0.5f));
    SetWorldTransform(MatrixTranslation(5, 5, 5));
    DrawTasks();
    const std::vector<headless::DrawRecord> draws = Draws();
    ASSERT_EQ(draws.size(), 300u + 196u * 5u);
    EXPECT_FALSE(draws[299].depthTest);
    EXPECT_EQ(draws[299].screen[0].u * 2048, 1409) << "the low ground's background";
    for (int i = 0; i < 196 * 5; ++i) {
        const headless::DrawRecord& d = draws[300 + i];
        const int block = i / 5, face = i % 5;
        EXPECT_TRUE(d.depthTest && d.world.m[3][0] == 0.0f) << i;
        EXPECT_EQ(d.texture, textures[face == 0 ? 5 : 24]) << i;
        for (int c = 0; c < 4; ++c) {
            const WorldVertex& v = d.vertices[c];
            const int b = bits[face][c];
            ASSERT_EQ((std::vector<float>{v.x, v.y, v.z, v.u, v.v}),
                      (std::vector<float>{2.0f * (block % 14 + (b & 1)) - 14, -2.0f * (b & 2),
                                          14 - 2.0f * (block / 14 + b / 4),
                                          c == 1 || c == 2 ? 1.0f : 0, c >= 2 ? 1.0f : 0}))
                << i << ", " << c;
        }
    }
    TaskPayload<BattleFieldViewPayload>(TaskAt(TASK_SLOT_BATTLE_FIELD))->alive = 0;
    UpdateTasks();
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_BATTLE_FIELD));
}

}  // namespace
