// The camp's status screen: one member at a time in detail under the party list. It changes
// nothing.
#include <cstdint>

#include "battle/inventory.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "engine/keyboard.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "menu/camp_menu.h"
#include "menu/camp_screens.h"
#include "menu/camp_widgets.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"

namespace {

constexpr float LABEL_X = 320.0f;
constexpr float VALUE_X = 500.0f;
constexpr float LEVEL_Y = 130.0f;
constexpr float CLASS_Y = 160.0f;
constexpr float WEAPON_Y = 190.0f;
constexpr float ARMOUR_Y = 220.0f;
constexpr float STATUS_Y = 250.0f;
constexpr float EXP_Y = 280.0f;
// Numbers stand two pixels lower than the labels beside them.
constexpr float NUMBER_DROP = 2.0f;
constexpr float PORTRAIT_X = 4.0f;
constexpr float PORTRAIT_Y = 120.0f;
constexpr float STATS_Y = 310.0f;
// The stats' values stand a pixel lower than their labels.
constexpr float STAT_DROP = 1.0f;
// A member levels up when experience reaches this.
constexpr int32_t EXP_PER_LEVEL = 1000;

struct StatRow {
    float labelX;
    float labelY;
    float valueX;
};

constexpr StatRow statRows[9] = {
    {20, 330, 170},  {20, 355, 170},  {20, 380, 170},  {20, 405, 170},  {20, 430, 170},
    {400, 330, 550}, {400, 355, 550}, {400, 380, 550}, {400, 405, 550},
};

void UpdateStatusMenu(TaskSlot* slot) {
    RunStateTask<StatusMenuPayload, ReturnToCampMenu<StatusMenuPayload>>(slot);
}

// Truncated toward zero and held within the 32-bit range; NaN shows 0.
int32_t Whole(float value) {
    return SaturatingTrunc(static_cast<double>(value));
}

// The piece's name when it is an item of the place's type.
void DrawPiece(float y, int32_t id, int32_t type) {
    if (IsItemId(id) && itemTable[id].type == type) {
        DrawCampImage(VALUE_X, y, itemTable[id].nameRect);
    }
}

}  // namespace

int OpenStatusMenu() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_STATUS_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_STATUS_MENU, 0, UpdateStatusMenu, DrawStatusMenu);
    StatusMenuPayload* menu = TaskPayload<StatusMenuPayload>(slot);
    menu->alive = 1;
    menu->member = 0;
    menu->state = EnterStatusSelect;
    return 1;
}

void EnterStatusSelect(StatusMenuPayload* menu) {
    menu->state = SelectStatusMember;
}

void SelectStatusMember(StatusMenuPayload* menu) {
    if (IsKeyTriggered(KEY_ESCAPE) || IsConfirmTriggered()) {
        menu->alive = 0;
    } else if (IsKeyTriggered(KEY_DOWN) || IsKeyTriggered(KEY_RIGHT)) {
        menu->member = WrapIndex(menu->member + 1, CampPartySize());
    } else if (IsKeyTriggered(KEY_UP) || IsKeyTriggered(KEY_LEFT)) {
        menu->member = WrapIndex(menu->member - 1, CampPartySize());
    } else {
        return;
    }
    RequestSound(SOUND_CURSOR, 0);
}

void DrawStatusMenu(TaskSlot* slot) {
    const StatusMenuPayload* menu = TaskPayload<StatusMenuPayload>(slot);
    DrawCampBackdrop();
    DrawPartyList(0.0f, 0.0f, partyRoster, partyCount, menu->member);
    const CharacterRecord* record = CampMember(menu->member);
    if (record == nullptr) {
        return;  // no party: no member to show
    }
    DrawListCursor(8.0f, PARTY_LIST_FIRST_ROW, PARTY_LIST_ROW_PITCH, menu->member);
    DrawMemberStatusPanel(*record);
    DrawMemberStats(*record);
}

void DrawMemberStatusPanel(const CharacterRecord& record) {
    DrawCampImage(LABEL_X, LEVEL_Y, RECT_STATUS_LEVEL_LABEL);
    DrawNumber(VALUE_X, LEVEL_Y + NUMBER_DROP, record.level);
    if (record.characterClass >= CLASS_FIGHTER && record.characterClass <= CLASS_HYBRID) {
        DrawCampImage(LABEL_X, CLASS_Y, RECT_STATUS_CLASS_IMAGES[record.characterClass - 1]);
    }
    DrawCampImage(LABEL_X, WEAPON_Y, RECT_STATUS_WEAPON_LABEL);
    DrawPiece(WEAPON_Y, record.weaponItemId, ITEM_TYPE_WEAPON);
    DrawCampImage(LABEL_X, ARMOUR_Y, RECT_STATUS_ARMOUR_LABEL);
    DrawPiece(ARMOUR_Y, record.armorItemId, ITEM_TYPE_ARMOR);
    DrawCampImage(LABEL_X, STATUS_Y, RECT_STATUS_STATUS_LABEL);
    DrawStatus(VALUE_X, STATUS_Y, record.statusBits);
    DrawCampImage(LABEL_X, EXP_Y, RECT_STATUS_EXP_LABEL);
    DrawNumber(VALUE_X, EXP_Y + NUMBER_DROP, ClampToInt32(int64_t{EXP_PER_LEVEL} - record.exp));
    DrawCampImage(PORTRAIT_X, PORTRAIT_Y, record.portraitRect);
}

void DrawMemberStats(const CharacterRecord& record) {
    DrawCampImage(0.0f, STATS_Y, RECT_STATS_BACKDROP);
    const int32_t values[9] = {
        ClampToInt32(int64_t{Whole(record.attack)} +
                     EquipValue(record.weaponItemId, ITEM_TYPE_WEAPON)),
        ClampToInt32(int64_t{Whole(record.defence)} +
                     EquipValue(record.armorItemId, ITEM_TYPE_ARMOR)),
        Whole(record.magicAttack),
        Whole(record.magicDefence),
        Whole(record.move),
        Whole(record.stat6),
        Whole(record.accuracy),
        Whole(record.magicSkill),
        Whole(record.stat9),
    };
    for (int i = 0; i < 9; ++i) {
        const StatRow& row = statRows[i];
        DrawCampImage(row.labelX, row.labelY, RECT_STATS_LABELS[i]);
        DrawNumber(row.valueX, row.labelY + STAT_DROP, values[i]);
    }
}
