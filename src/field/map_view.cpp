// The map view task, the quads of the map and the field's 2D overlays.
#include "field/map_view.h"

#include "data/atlas_field.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "render/camera.h"
#include "render/graphics_device.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

const float waveTable[WAVE_TABLE_SIZE] = {
    -2.0f, -2.0f, -2.0f, -2.0f, -1.9f, -1.9f, -1.9f, -1.9f,  //
    -1.8f, -1.8f, -1.8f, -1.8f, -1.7f, -1.7f, -1.7f, -1.7f,  //
    -1.6f, -1.6f, -1.6f, -1.6f, -1.5f, -1.5f, -1.5f, -1.5f,  //
    -1.4f, -1.4f, -1.4f, -1.4f, -1.3f, -1.3f, -1.3f, -1.3f,  //
    -1.2f, -1.2f, -1.2f, -1.2f, -1.1f, -1.1f, -1.1f, -1.1f,  //
    -1.0f, -1.0f, -1.0f, -1.0f, -1.0f, -1.0f, -1.0f, -1.0f,  //
    -1.1f, -1.1f, -1.1f, -1.1f, -1.2f, -1.2f, -1.2f, -1.2f,  //
    -1.3f, -1.3f, -1.3f, -1.3f, -1.4f, -1.4f, -1.4f, -1.4f,  //
    -1.5f, -1.5f, -1.5f, -1.5f, -1.6f, -1.6f, -1.6f, -1.6f,  //
    -1.7f, -1.7f, -1.7f, -1.7f, -1.8f, -1.8f, -1.8f, -1.8f,  //
    -1.9f, -1.9f, -1.9f, -1.9f, -2.0f, -2.0f, -2.0f, -2.0f,  //
};

namespace {

constexpr float AREA_NAME_X = 4.0f;
constexpr float AREA_NAME_Y = 2.0f;
constexpr float MONEY_BAR_Y = 464.0f;
constexpr float MONEY_LABEL_X = 530.0f;
constexpr float MONEY_NUMBER_X = 560.0f;
constexpr float MONEY_NUMBER_Y = 465.0f;

void AddQuad(std::vector<MapQuad>* out, MapQuadKind kind, int32_t texture, const Vec3& a,
             const Vec3& b, const Vec3& c, const Vec3& d) {
    out->push_back(MapQuad{kind, texture, {a, b, c, d}});
}

void AddFloorQuad(std::vector<MapQuad>* out, MapQuadKind kind, float x, float y, float z,
                  int32_t texture) {
    AddQuad(out, kind, texture, {x, y, z}, {x + MAP_CELL_SIZE, y, z},
            {x + MAP_CELL_SIZE, y, z - MAP_CELL_SIZE}, {x, y, z - MAP_CELL_SIZE});
}

// A face in the plane of constant x, spanning one cell along z.
void AddWallAlongZ(std::vector<MapQuad>* out, float x, float y, float z, int32_t texture) {
    const float bottom = y - MAP_WALL_DEPTH;
    AddQuad(out, MapQuadKind::Wall, texture, {x, y, z}, {x, y, z - MAP_CELL_SIZE},
            {x, bottom, z - MAP_CELL_SIZE}, {x, bottom, z});
}

// A face in the plane of constant z, spanning one cell along x.
void AddWallAlongX(std::vector<MapQuad>* out, float x, float y, float z, int32_t texture) {
    const float bottom = y - MAP_WALL_DEPTH;
    AddQuad(out, MapQuadKind::Wall, texture, {x, y, z}, {x + MAP_CELL_SIZE, y, z},
            {x + MAP_CELL_SIZE, bottom, z}, {x, bottom, z});
}

// Neighbours are the linear ones of the tile layer, so a row's last cell is compared with the
// next row's first. The bounds never reach cell 0 or the last cell; they only keep every
// index inside the layer.
void AddCellWalls(std::vector<MapQuad>* out, const int8_t* tiles, int32_t cells, int32_t width,
                  float x, float y, float z, int32_t index) {
    const int8_t tile = tiles[index];
    const int32_t texture = GetTileWallTexture(tile);
    if (index + 1 < cells - 1 && tiles[index + 1] != tile) {
        AddWallAlongZ(out, x + MAP_CELL_SIZE, y, z, texture);
    }
    if (index - 1 > 0 && tiles[index - 1] != tile) {
        AddWallAlongZ(out, x, y, z, texture);
    }
    if (index - width > 0 && tiles[index - width] != tile) {
        AddWallAlongX(out, x, y, z, texture);
    }
    if (index + width < cells - 1 && tiles[index + width] != tile) {
        AddWallAlongX(out, x, y, z - MAP_CELL_SIZE, texture);
    }
}

void DrawQuad(const MapQuad& quad) {
    static constexpr float us[4] = {0.0f, 1.0f, 1.0f, 0.0f};
    static constexpr float vs[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    WorldVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        SetWorldVertex(&vertices[i], quad.corners[i].x, quad.corners[i].y, quad.corners[i].z, us[i],
                       vs[i]);
    }
    DrawWorldQuad(vertices, COLOUR_WHITE, textures[quad.texture]);
}

}  // namespace

TileFloorStyle GetTileFloorStyle(int8_t tile) {
    switch (tile) {
        case 4:
            return {9, 0.0f};
        case 5:
            return {10, 0.0f};
        case 8:
            return {18, 0.0f};
        case 9:
            return {22, 0.0f};
        case 10:
            return {19, 0.0f};
        case 11:
            return {20, 0.0f};
        case 12:
            return {21, 0.0f};
        case 13:
            return {23, 0.0f};
        case 15:
            return {6, 4.0f};
        case 16:
        case 17:
        case 19:
            return {16, 4.0f};
        case 30:
        case 31:
        case 32:
        case 33:
            return {11, 6.0f};
        case 44:
            return {MAP_TEXTURE_LIQUID, 0.0f};
        case TILE_LIQUID:
            return {MAP_TEXTURE_LIQUID, -2.0f};
        default:
            return {MAP_TEXTURE_DEFAULT_FLOOR, 0.0f};
    }
}

int32_t GetTileWallTexture(int8_t tile) {
    switch (tile) {
        case 16:
            return 17;
        case 17:
            return 26;
        case 19:
            return 27;
        case 30:
            return 12;
        case 31:
            return 13;
        case 32:
            return 14;
        case 33:
            return 15;
        default:
            return MAP_TEXTURE_DEFAULT_WALL;
    }
}

void CollectMapQuads(const int8_t* tiles, int32_t width, int32_t height, float liquidHeight,
                     SphereVisibleFn visible, std::vector<MapQuad>* out) {
    out->clear();
    if (tiles == nullptr || width < 1 || height < 1 ||
        static_cast<int64_t>(width) * height > static_cast<int64_t>(MAP_LAYER_BYTES)) {
        return;
    }
    const int32_t cells = width * height;
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; ++column) {
            if (tiles[row * width + column] != TILE_LIQUID) {
                continue;
            }
            const float x = static_cast<float>(2 * column - width);
            const float z = static_cast<float>(height - 2 * row);
            if (visible(x + 1.0f, liquidHeight - 2.0f, z - 1.0f, MAP_CULL_RADIUS) != 0) {
                AddFloorQuad(out, MapQuadKind::Liquid, x, liquidHeight, z, MAP_TEXTURE_LIQUID);
            }
        }
    }
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; ++column) {
            const int32_t index = row * width + column;
            const int8_t tile = tiles[index];
            if (tile < 0 || tile > TILE_LAST_WITH_FLOOR) {
                continue;
            }
            const TileFloorStyle style = GetTileFloorStyle(tile);
            const float x = static_cast<float>(2 * column - width);
            const float z = static_cast<float>(height - 2 * row);
            if (visible(x + 1.0f, style.height - 2.0f, z - 1.0f, MAP_CULL_RADIUS) == 0) {
                continue;
            }
            AddFloorQuad(out, MapQuadKind::Floor, x, style.height, z, style.texture);
            AddCellWalls(out, tiles, cells, width, x, style.height, z, index);
        }
    }
}

bool CreateMapView() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_MAP_VIEW);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_MAP_VIEW, 0, UpdateMapView, DrawMapView);
    MapViewPayload* view = TaskPayload<MapViewPayload>(slot);
    view->alive = 1;
    view->wavePhase = 0;
    view->liquidHeight = NextWaveHeight(view);
    return true;
}

float NextWaveHeight(MapViewPayload* view) {
    view->wavePhase += 1;
    if (view->wavePhase > WAVE_TABLE_SIZE - 1 || view->wavePhase < 0) {
        view->wavePhase = 0;
    }
    return waveTable[view->wavePhase];
}

void UpdateMapView(TaskSlot* slot) {
    MapViewPayload* view = TaskPayload<MapViewPayload>(slot);
    view->liquidHeight = NextWaveHeight(view);
}

void DrawMapView(TaskSlot* slot) {
    const MapViewPayload* view = TaskPayload<MapViewPayload>(slot);
    SetWorldTransform(MatrixIdentity());
    DrawMapCells(view->liquidHeight);
    DrawAreaName(AREA_NAME_X, AREA_NAME_Y, currentMap);
    DrawFieldMoneyBar();
}

void DrawMapCells(float h) {
    // Kept between frames so that drawing a map allocates nothing once it has been seen.
    static std::vector<MapQuad> quads;
    CollectMapQuads(tileLayer, mapWidth, mapHeight, h, IsSphereVisible, &quads);
    for (const MapQuad& quad : quads) {
        DrawQuad(quad);
    }
}

void DrawAreaName(float x, float y, int32_t area) {
    if (area < 0 || area >= AREA_NAME_COUNT) {
        return;
    }
    DrawSprite(x, y, areaNameRects[area], ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawFieldMoneyBar() {
    if (IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER)) {
        return;
    }
    DrawSprite(0.0f, MONEY_BAR_Y, RECT_MONEY_BAR, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    DrawSprite(0.0f, MONEY_BAR_Y, RECT_MONEY_BAR_HINT, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
               uiAtlas);
    DrawSprite(MONEY_LABEL_X, MONEY_BAR_Y, RECT_MONEY_LABEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
               uiAtlas);
    DrawNumber(MONEY_NUMBER_X, MONEY_NUMBER_Y, money);
}
