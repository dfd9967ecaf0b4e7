// The camp's order screen: the player picks the members one after another in the wanted order,
// Escape takes back the last pick, and once all are picked a question puts the new order in
// the roster. The map draws each place with the roster entry of that place, so the leader and
// the followers walk in the new order at once.
#include <cstring>

#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/camp_menu.h"
#include "menu/camp_screens.h"
#include "menu/camp_widgets.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float CURRENT_LIST_Y = 26.0f;
constexpr float NEW_CAPTION_Y = 240.0f;
constexpr float NEW_LIST_Y = 265.0f;
constexpr float HELP_Y = 458.0f;

void UpdatePartyOrderMenu(TaskSlot* slot) {
    RunStateTask<OrderMenuPayload, ReturnToCampMenu<OrderMenuPayload>>(slot);
}

CharacterRecord Unpicked() {
    CharacterRecord record{};
    record.characterId = -1;
    return record;
}

void ClearNewOrder(OrderMenuPayload* menu) {
    for (CharacterRecord& record : menu->newOrder) {
        record = Unpicked();
    }
}

}  // namespace

int OpenPartyOrderMenu() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_ORDER_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_ORDER_MENU, 0, UpdatePartyOrderMenu, DrawPartyOrderMenu);
    OrderMenuPayload* menu = TaskPayload<OrderMenuPayload>(slot);
    menu->alive = 1;
    menu->state = EnterPartyOrderPick;
    return 1;
}

int IsMemberPicked(const OrderMenuPayload* menu) {
    const CharacterRecord* member = CampMember(menu->cursor);
    if (member == nullptr) {
        return 0;
    }
    for (int32_t i = 0; i < CampPartySize(); ++i) {
        if (menu->newOrder[i].characterId == member->characterId) {
            return 1;
        }
    }
    return 0;
}

void AppendMemberToOrder(OrderMenuPayload* menu) {
    const CharacterRecord* member = CampMember(menu->cursor);
    if (member != nullptr && menu->pickedCount >= 0 && menu->pickedCount < PARTY_MAX) {
        menu->newOrder[menu->pickedCount++] = *member;
    }
}

void EnterPartyOrderPick(OrderMenuPayload* menu) {
    menu->cursor = 0;
    menu->pickedCount = 0;
    menu->choice = 0;
    ClearNewOrder(menu);
    menu->state = PickPartyOrder;
}

void PickPartyOrder(OrderMenuPayload* menu) {
    const int32_t n = CampPartySize();
    if (IsKeyTriggered(KEY_ESCAPE)) {
        RequestSound(SOUND_CURSOR, 0);
        if (menu->pickedCount - 1 >= 0 && menu->pickedCount - 1 < PARTY_MAX) {
            menu->newOrder[--menu->pickedCount] = Unpicked();
        } else {
            menu->pickedCount = 0;
            menu->alive = 0;  // nothing picked: the party stays as it was
        }
    } else if (IsKeyTriggered(KEY_DOWN)) {
        RequestSound(SOUND_CURSOR, 0);
        menu->cursor = WrapIndex(menu->cursor + 1, n);
    } else if (IsKeyTriggered(KEY_UP)) {
        RequestSound(SOUND_CURSOR, 0);
        menu->cursor = WrapIndex(menu->cursor - 1, n);
    } else if (IsConfirmTriggered()) {
        // Every member picked: one more confirm asks, so Escape can still take the last back.
        if (menu->pickedCount > n - 1) {
            RequestSound(SOUND_CURSOR, 0);
            menu->choice = 0;
            menu->state = ConfirmPartyOrder;
        } else if (IsMemberPicked(menu) == 0) {
            RequestSound(SOUND_CURSOR, 0);
            AppendMemberToOrder(menu);
        } else {
            RequestSound(SOUND_BUZZER, 0);
        }
    }
}

void ConfirmPartyOrder(OrderMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) == 0) {
        return;
    }
    if (menu->choice != 1) {
        menu->state = PickPartyOrder;
        return;
    }
    for (int32_t i = 0; i < CampPartySize(); ++i) {
        partyRoster[i] = menu->newOrder[i];
    }
    std::memset(menu->newOrder, 0, sizeof(menu->newOrder));
    menu->alive = 0;
}

void DrawPartyOrderMenu(TaskSlot* slot) {
    const OrderMenuPayload* menu = TaskPayload<OrderMenuPayload>(slot);
    DrawCampBackdrop();
    DrawCampImage(0.0f, 0.0f, RECT_ORDER_CURRENT_CAPTION);
    DrawPartyList(0.0f, CURRENT_LIST_Y, partyRoster, partyCount, menu->cursor);
    if (CampMember(menu->cursor) != nullptr) {
        DrawListCursor(8.0f, CURRENT_LIST_Y + PARTY_LIST_FIRST_ROW, PARTY_LIST_ROW_PITCH,
                       menu->cursor);
    }
    DrawCampImage(0.0f, NEW_CAPTION_Y, RECT_ORDER_NEW_CAPTION);
    DrawPartyList(0.0f, NEW_LIST_Y, menu->newOrder, menu->pickedCount, menu->cursor);
    if (menu->state == ConfirmPartyOrder) {
        DrawCampQuestion(menu->choice, RECT_SMALL_QUESTION_FRAME, RECT_ORDER_TITLE);
    }
    DrawSpriteCentered(RECT_ORDER_HELP, HELP_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}
