// The amount entry (event command 51).
#include "event/amount_entry.h"

#include "data/atlas_shop.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float PANEL_X = 175.0f;
constexpr float PANEL_Y = 100.0f;
constexpr float CAPTION_Y = 108.0f;
constexpr float KEY_HINT_Y = 243.0f;
constexpr float BOX_X = 282.0f;
constexpr float BOX_Y = 150.0f;
constexpr float DIGIT_X = 286.0f;
constexpr float DIGIT_Y = 154.0f;
constexpr float DIGIT_PITCH = 16.0f;
constexpr float CURSOR_X = 281.0f;
constexpr float CURSOR_Y = 140.0f;

// Goes on at the label in the running event, if one still runs.
void JumpRunnerTo(const char* label) {
    if (EventRunnerPayload* runner = CurrentEventRunner()) {
        JumpToLabel(runner, GetEventText(runner), label);
    }
}

void ConfirmAmountPayment(AmountEntryPayload* entry) {
    int32_t amount = 0;
    for (uint8_t digit : entry->digits) {
        amount = amount * 10 + digit;
    }
    entry->amount = amount;
    if (static_cast<uint32_t>(amount) >= entry->minimum && amount <= money) {
        AddMoney(-amount);
        JumpRunnerTo(entry->successLabel);
    } else {
        JumpRunnerTo(entry->failureLabel);
    }
}

void Sprite(float x, float y, const AtlasRect& rect) {
    DrawSprite(x, y, rect, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

void EventCmdAmountEntry(EventRunnerPayload* runner) {
    runner->state = WaitAmountEntryClosed;
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_AMOUNT_ENTRY);
    if (slot == nullptr) {
        return;
    }
    StartTask(slot, TASK_KIND_AMOUNT_ENTRY, 0, RunStateTask<AmountEntryPayload>,
              DrawAmountEntryWindow);
    AmountEntryPayload* entry = TaskPayload<AmountEntryPayload>(slot);
    entry->alive = 1;
    entry->cursor = AMOUNT_DIGITS - 1;
    entry->minimum = ReadCommandNumber(runner);
    ReadCommandLabel(runner, entry->successLabel);
    ReadCommandLabel(runner, entry->failureLabel);
    entry->state = BeginAmountEntryInput;
}

void WaitAmountEntryClosed(EventRunnerPayload* runner) {
    if (!IsTaskSlotInUse(TASK_SLOT_AMOUNT_ENTRY)) {
        runner->state = NextEventCommand;
    }
}

void BeginAmountEntryInput(AmountEntryPayload* entry) {
    entry->state = HandleAmountEntryInput;
}

void HandleAmountEntryInput(AmountEntryPayload* entry) {
    uint8_t& digit = entry->digits[entry->cursor];
    if (IsKeyTriggered(KEY_RIGHT)) {
        entry->cursor = entry->cursor < AMOUNT_DIGITS - 1 ? entry->cursor + 1 : entry->cursor;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_LEFT)) {
        entry->cursor = entry->cursor > 0 ? entry->cursor - 1 : 0;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_DOWN)) {
        digit = digit < 9 ? digit + 1 : 0;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_UP)) {
        digit = digit > 0 ? digit - 1 : 9;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        ConfirmAmountPayment(entry);
        entry->alive = 0;
    } else if (IsKeyTriggered(KEY_ESCAPE)) {
        entry->alive = 0;
        RequestSound(SOUND_CURSOR, 0);
        JumpRunnerTo(entry->failureLabel);
    }
}

void DrawAmountEntryWindow(TaskSlot* slot) {
    const AmountEntryPayload* entry = TaskPayload<AmountEntryPayload>(slot);
    DrawPanel(PANEL_X, PANEL_Y, RECT_AMOUNT_PANEL, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
    DrawSpriteCentered(RECT_AMOUNT_CAPTION, CAPTION_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    DrawSpriteCentered(RECT_AMOUNT_KEY_HINT, KEY_HINT_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE,
                       uiAtlas);
    Sprite(BOX_X, BOX_Y, RECT_AMOUNT_DIGIT_BOX);
    for (int i = 0; i < AMOUNT_DIGITS; ++i) {
        DrawNumber(DIGIT_X + DIGIT_PITCH * static_cast<float>(i), DIGIT_Y, entry->digits[i]);
    }
    Sprite(CURSOR_X + DIGIT_PITCH * static_cast<float>(entry->cursor), CURSOR_Y, RECT_DIGIT_CURSOR);
}
