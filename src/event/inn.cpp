// The inn (event command 12).
#include "event/inn.h"

#include <algorithm>

#include "data/atlas_shop.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float QUESTION_X = 2.0f;
constexpr float QUESTION_Y = 120.0f;
constexpr float PRICE_BOX_X = 2.0f;
constexpr float PRICE_BOX_Y = 2.0f;
constexpr float LABEL_X = 6.0f;
constexpr float NUMBER_X = 86.0f;
constexpr float PRICE_LABEL_Y = 4.0f;
constexpr float MONEY_LABEL_Y = 27.0f;
constexpr float NUMBER_DROP = 2.0f;
constexpr float FAIL_MESSAGE_Y = 120.0f;

const AtlasRect yesNoLabels[2] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
const int yesNoIds[2] = {0, 1};

void Sprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

void DrawInnQuestion(const InnPayload* inn) {
    DrawMenuWindow(QUESTION_X, QUESTION_Y, inn->yesNoCursor, 2, COLOUR_WHITE,
                   RECT_SHOP_QUESTION_FRAME, RECT_INN_TITLE, yesNoLabels, yesNoIds);
    Sprite(PRICE_BOX_X, PRICE_BOX_Y, RECT_INN_PRICE_BOX);
    Sprite(LABEL_X, PRICE_LABEL_Y, RECT_INN_PRICE_LABEL);
    DrawNumber(NUMBER_X, PRICE_LABEL_Y + NUMBER_DROP, static_cast<int32_t>(inn->price));
    Sprite(LABEL_X, MONEY_LABEL_Y, RECT_INN_MONEY_LABEL);
    DrawNumber(NUMBER_X, MONEY_LABEL_Y + NUMBER_DROP, money);
}

}  // namespace

void RestoreWholeParty() {
    const int32_t count = std::clamp(partyCount, 0, static_cast<int32_t>(PARTY_MAX));
    for (int32_t i = 0; i < count; ++i) {
        CharacterRecord& record = partyRoster[i];
        record.hp = record.hpMax;
        record.mp = record.mpMax;
        record.statusBits = 0;
    }
}

void EventCmdInn(EventRunnerPayload* runner) {
    runner->state = WaitInnClosed;
    // An inn still open keeps its price; this one's is left unread.
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_INN);
    if (slot == nullptr) {
        return;
    }
    StartTask(slot, TASK_KIND_INN, 0, RunStateTask<InnPayload>, DrawInn);
    InnPayload* inn = TaskPayload<InnPayload>(slot);
    inn->alive = 1;
    inn->price = ReadCommandNumber(runner);
    inn->state = BeginInn;
}

void WaitInnClosed(EventRunnerPayload* runner) {
    if (!TaskKindExists(TASK_KIND_INN)) {
        runner->state = NextEventCommand;
    }
}

void BeginInn(InnPayload* inn) {
    inn->state = ConfirmInnStay;
}

void ConfirmInnStay(InnPayload* inn) {
    if (MoveMenuCursor(&inn->yesNoCursor, 2) == 0) {
        return;
    }
    if (inn->yesNoCursor == 0) {
        inn->alive = 0;
        return;
    }
    if (static_cast<int64_t>(money) < inn->price) {
        inn->state = WaitInnMessage;
        RequestSound(SOUND_FAILED, 0);
        return;
    }
    // The party is whole again before the screen goes dark.
    inn->restAlpha = 0;
    inn->state = FadeOutForRest;
    AddMoney(-static_cast<int32_t>(inn->price));
    RestoreWholeParty();
}

void FadeOutForRest(InnPayload* inn) {
    inn->restAlpha += REST_FADE_STEP;
    if (inn->restAlpha >= 256) {
        inn->restAlpha = 255;
        inn->holdFrames = REST_HOLD_FRAMES;
        inn->state = HoldRestFade;
    }
}

void HoldRestFade(InnPayload* inn) {
    inn->holdFrames -= 1;
    if (inn->holdFrames < 1) {
        inn->state = FadeInAfterRest;
    }
}

void FadeInAfterRest(InnPayload* inn) {
    inn->restAlpha -= REST_FADE_STEP;
    if (inn->restAlpha < 1) {
        inn->alive = 0;
    }
}

void WaitInnMessage(InnPayload* inn) {
    if (IsConfirmTriggered()) {
        inn->state = ConfirmInnStay;
    }
}

void DrawInn(TaskSlot* slot) {
    const InnPayload* inn = TaskPayload<InnPayload>(slot);
    const TaskStateFn<InnPayload> state = inn->state;
    if (state == ConfirmInnStay || state == WaitInnMessage) {
        DrawInnQuestion(inn);
    }
    if (state == WaitInnMessage) {
        DrawSpriteCentered(RECT_NOT_ENOUGH_MONEY_MESSAGE, FAIL_MESSAGE_Y, ATLAS_SIZE, ATLAS_SIZE,
                           COLOUR_WHITE, uiAtlas);
    }
    if (state == FadeOutForRest || state == HoldRestFade || state == FadeInAfterRest) {
        DrawTiledBackgroundAlpha(RECT_REST_TILE.left, RECT_REST_TILE.top, RECT_REST_TILE.right,
                                 RECT_REST_TILE.bottom, static_cast<uint32_t>(inn->restAlpha));
    }
}
