// Treasure chests (event command 26).
#include "event/treasure.h"

#include "battle/inventory.h"
#include "data/atlas_images.h"
#include "data/atlas_shop.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float GOLD_BAR_Y = 120.0f;
constexpr float GOLD_NUMBER_Y = 123.0f;
constexpr float GOLD_WORDS_Y = 122.0f;
constexpr float GOLD_WORDS_GAP = 8.0f;
constexpr float ITEM_BAR_Y = 160.0f;
constexpr float ITEM_LINE_Y = 163.0f;
constexpr float ITEM_WORDS_GAP = 4.0f;
// The item line is laid out as if its words were this much wider than the name alone.
constexpr float ITEM_LINE_EXTRA = 123.0f;
constexpr float NO_ROOM_Y = 120.0f;

void Sprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void GiveTreasureGold(TreasurePayload* treasure) {
    AddMoney(static_cast<int32_t>(treasure->gold));
    RequestSound(SOUND_GET_ITEM, 0);
    treasure->state = WaitTreasureGoldKey;
}

void GiveTreasureItem(TreasurePayload* treasure) {
    const int32_t id = static_cast<int32_t>(treasure->itemId);
    // A script's number that is no item gives nothing; the chest stays for a mended script.
    if (!IsItemId(id)) {
        treasure->alive = 0;
        return;
    }
    if (!HasRoomForItem(id, 1)) {
        treasure->state = WaitNoRoomKey;
        RequestSound(SOUND_BUZZER, 0);
        return;
    }
    AddTreasureItem(id);
    treasure->state = WaitTreasureItemKey;
    RequestSound(SOUND_GET_ITEM, 0);
}

void FinishTreasure(TreasurePayload* treasure) {
    if (treasure->cellX < static_cast<uint32_t>(mapWidth) &&
        treasure->cellZ < static_cast<uint32_t>(mapHeight)) {
        float x = 0.0f;
        float z = 0.0f;
        CellToWorld(static_cast<int32_t>(treasure->cellX), static_cast<int32_t>(treasure->cellZ),
                    &x, &z);
        SetCollisionCell(x, z, COLLISION_FREE);
    }
    // Tag 0 is the runner's, the camera's and the map view's: freeing those would leave the
    // world standing still for good.
    if (treasure->chestTag != 0) {
        KillTasksWithTag(treasure->chestTag);
    }
    SetEventFlag(treasure->flag);
    treasure->alive = 0;
}

void DrawGoldGetWindow(const TreasurePayload* treasure) {
    const float x = DrawPanelCentered(GOLD_BAR_Y, RECT_TREASURE_BAR, ATLAS_SIZE, ATLAS_SIZE,
                                      COLOUR_WHITE, uiAtlas);
    const int32_t gold = static_cast<int32_t>(treasure->gold);
    const float w = MeasureNumberWidth(gold);
    const float offset =
        RoundToPixel((RectWidth(RECT_TREASURE_BAR) - (w + RectWidth(RECT_GOLD_GET_WORDS))) / 2.0f);
    DrawNumber(x + offset, GOLD_NUMBER_Y, gold);
    Sprite(x + offset + w + GOLD_WORDS_GAP, GOLD_WORDS_Y, RECT_GOLD_GET_WORDS);
}

void DrawItemGetWindow(const TreasurePayload* treasure) {
    DrawPanelCentered(ITEM_BAR_Y, RECT_TREASURE_BAR, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
    const AtlasRect& name = itemTable[treasure->itemId].nameRect;
    const float n = RectWidth(name);
    const float x = RoundToPixel(CenteredX(n + ITEM_LINE_EXTRA));
    Sprite(x, ITEM_LINE_Y, name);
    Sprite(x + n + ITEM_WORDS_GAP, ITEM_LINE_Y, RECT_ITEM_GET_WORDS);
}

}  // namespace

bool HasRoomForItem(int32_t itemId, int32_t n) {
    int64_t held = 0;
    int64_t stacks = 0;
    bool emptySlot = false;
    for (int slot = 0; slot < INVENTORY_SLOT_COUNT; ++slot) {
        if (inventory[slot].itemId == itemId) {
            held += inventory[slot].count;
            stacks += 1;
        } else if (!IsInventorySlotFilled(slot)) {
            emptySlot = true;
        }
    }
    return held + n <= STACK_MAX * stacks || emptySlot;
}

void AddTreasureItem(int32_t itemId) {
    const int slot = FindInventorySlot(itemId);
    if (slot >= 0) {
        AddItemToInventorySlot(slot, itemId);
    }
}

float MeasureNumberWidth(int32_t n) {
    int digits[DIGITS_MAX];
    const int count = SplitDigits(n, digits);
    float width = 0.0f;
    for (int i = 0; i < count; ++i) {
        width += RectWidth(mediumDigitRects[digits[i]]);
    }
    return width;
}

void EventCmdTreasure(EventRunnerPayload* runner) {
    // With a popup still open nothing is read; the runner waits for it all the same.
    runner->state = WaitTreasurePopup;
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_TREASURE);
    if (slot == nullptr) {
        return;
    }
    StartTask(slot, TASK_KIND_TREASURE, 0, RunStateTask<TreasurePayload>, DrawTreasurePopup);
    TreasurePayload* treasure = TaskPayload<TreasurePayload>(slot);
    treasure->alive = 1;
    treasure->kind = ReadCommandNumber(runner);
    // Any kind but gold reads an item id, so an unknown kind gives a gold popup of 0.
    if (treasure->kind == TREASURE_KIND_GOLD) {
        treasure->gold = ReadCommandNumber(runner);
    } else {
        treasure->itemId = ReadCommandNumber(runner);
    }
    treasure->cellX = ReadCommandNumber(runner);
    treasure->cellZ = ReadCommandNumber(runner);
    treasure->chestTag = ReadCommandNumber(runner);
    treasure->flag = ReadCommandNumber(runner);
    treasure->state = StartTreasurePopup;
}

void WaitTreasurePopup(EventRunnerPayload* runner) {
    if (!IsTaskSlotInUse(TASK_SLOT_TREASURE)) {
        runner->state = NextEventCommand;
    }
}

void StartTreasurePopup(TreasurePayload* treasure) {
    if (treasure->kind == TREASURE_KIND_ITEM) {
        GiveTreasureItem(treasure);
    } else {
        GiveTreasureGold(treasure);
    }
}

void WaitTreasureGoldKey(TreasurePayload* treasure) {
    if (IsConfirmTriggered()) {
        FinishTreasure(treasure);
    }
}

void WaitTreasureItemKey(TreasurePayload* treasure) {
    if (IsConfirmTriggered()) {
        FinishTreasure(treasure);
    }
}

void WaitNoRoomKey(TreasurePayload* treasure) {
    if (IsConfirmTriggered()) {
        treasure->alive = 0;
    }
}

void DrawTreasurePopup(TaskSlot* slot) {
    const TreasurePayload* treasure = TaskPayload<TreasurePayload>(slot);
    if (treasure->state == WaitTreasureGoldKey) {
        DrawGoldGetWindow(treasure);
    } else if (treasure->state == WaitTreasureItemKey) {
        DrawItemGetWindow(treasure);
    } else if (treasure->state == WaitNoRoomKey) {
        DrawSpriteCentered(RECT_NO_ROOM_MESSAGE, NO_ROOM_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                           uiAtlas);
    }
}
