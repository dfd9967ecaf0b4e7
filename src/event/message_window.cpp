// The message window: glyph lines, frame, portrait and choice bar, the message and choice
// commands with their runner states, and the runner's draw function.
#include "event/message_window.h"

#include <algorithm>
#include <cstring>

#include "data/atlas_images.h"
#include "data/atlas_messages.h"
#include "data/glyph_table.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "render/graphics_device.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float CHOICE_BAR_INSET = 2;
constexpr float CHOICE_FIRST_LINE = 1;

}  // namespace

void DrawMessageText(const GlyphLine* lines, int lineCount, float frameX, float frameY) {
    // The runner holds three lines; a larger count must not read past them.
    lineCount = std::clamp(lineCount, 0, MESSAGE_LINES);
    for (int line = 0; line < lineCount; ++line) {
        float x = frameX + MESSAGE_TEXT_INDENT;
        float lineTop = frameY + MESSAGE_LINE_STEP * static_cast<float>(line);
        for (uint32_t code : lines[line]) {
            if (code == GLYPH_END || code >= GLYPH_COUNT) {
                continue;
            }
            AtlasRect rect = GlyphRect(glyphTable[code]);
            float width = RectWidth(rect);
            float height = RectHeight(rect);
            float y = lineTop + MESSAGE_GLYPH_DROP + RoundToPixel((MESSAGE_GLYPH_BOX - height) / 2);
            DrawSprite(x, y, rect, GLYPH_ATLAS_WIDTH, GLYPH_ATLAS_HEIGHT, COLOUR_WHITE, glyphAtlas);
            x += width + MESSAGE_GLYPH_SPACING;
        }
    }
}

void DrawMessageWindow(float x, float y) {
    DrawPanel(x, y, RECT_MESSAGE_WINDOW, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
}

void DrawFace(float x, uint32_t face) {
    if (face >= static_cast<uint32_t>(FACE_COUNT)) {
        return;
    }
    const AtlasRect& rect = faceRects[face];
    DrawSprite(x, SCREEN_PIXEL_HEIGHT - RectHeight(rect), rect, ATLAS_SIZE, ATLAS_SIZE,
               COLOUR_WHITE, uiAtlas);
}

void DrawChoiceCursor(float frameX, float frameY, uint32_t choice) {
    float line = CHOICE_FIRST_LINE + (choice != 0 ? 1.0f : 0.0f);
    DrawSprite(frameX + CHOICE_BAR_INSET, frameY + MESSAGE_GLYPH_DROP + MESSAGE_LINE_STEP * line,
               RECT_MESSAGE_CHOICE_BAR, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WINDOW, uiAtlas);
}

void DrawBattleMessageBox(const GlyphLine* lines) {
    float x = DrawPanelCentered(MESSAGE_WINDOW_Y, RECT_MESSAGE_WINDOW, ATLAS_SIZE, ATLAS_SIZE,
                                COLOUR_WINDOW, uiAtlas);
    DrawMessageText(lines, MESSAGE_LINES, x, MESSAGE_WINDOW_Y);
}

void DrawEventRunner(TaskSlot* slot) {
    const EventRunnerPayload* runner = TaskPayload<EventRunnerPayload>(slot);
    DrawFace(FACE_X, runner->face);
    if (runner->windowOn == 1) {
        DrawMessageWindow(MESSAGE_WINDOW_X, MESSAGE_WINDOW_Y);
    }
    int lineCount = static_cast<int>(std::min<uint32_t>(runner->lineCount, MESSAGE_LINES));
    if (runner->state == UpdateMessage) {
        DrawMessageText(runner->shownGlyphs, lineCount, MESSAGE_WINDOW_X, MESSAGE_WINDOW_Y);
    }
    if (runner->state == UpdateChoice) {
        DrawChoiceCursor(MESSAGE_WINDOW_X, MESSAGE_WINDOW_Y, runner->choice);
        DrawMessageText(runner->shownGlyphs, lineCount, MESSAGE_WINDOW_X, MESSAGE_WINDOW_Y);
    }
    if (runner->tintOn == 1) {
        DrawTiledBackground(RECT_FADE_TILE.left, RECT_FADE_TILE.top, RECT_FADE_TILE.right,
                            RECT_FADE_TILE.bottom);
    }
    if (runner->state == UpdateFadeToEnding && runner->fadeAlpha > 0) {
        DrawFadeOverlay(runner->fadeAlpha);
    }
}

void ClearMessage(EventRunnerPayload* runner) {
    std::memset(runner->sourceGlyphs, 0, sizeof(runner->sourceGlyphs));
    std::memset(runner->shownGlyphs, 0, sizeof(runner->shownGlyphs));
    runner->revealPos = 0;
    runner->revealLine = 0;
}

void EventCmdShowWindow(EventRunnerPayload* runner) {
    runner->windowOn = ReadCommandNumber(runner) != 0 ? 1 : 0;
}

void EventCmdMessage(EventRunnerPayload* runner) {
    ClearMessage(runner);
    uint32_t count = ReadCommandNumber(runner);
    runner->lineCount = std::min<uint32_t>(count, MESSAGE_LINES);
    for (uint32_t line = 0; line < count; ++line) {
        if (line < MESSAGE_LINES) {
            ReadCommandNumberList(runner, runner->sourceGlyphs[line]);
        } else {
            // The window holds three lines: further lines are read past and dropped.
            GlyphLine dropped;
            ReadCommandNumberList(runner, dropped);
        }
        if (runner->cursor >= EVENT_BLOCK_LAST) {
            break;  // a huge count at the block's end would only read zeros
        }
    }
    runner->state = UpdateMessage;
}

void EventCmdChoice(EventRunnerPayload* runner) {
    ClearMessage(runner);
    runner->choice = 0;
    runner->lineCount = MESSAGE_LINES;
    for (GlyphLine& line : runner->shownGlyphs) {
        ReadCommandNumberList(runner, line);
    }
    for (char* label : runner->labels) {
        ReadCommandLabel(runner, label);
    }
    runner->state = UpdateChoice;
}

void EventCmdSetFace(EventRunnerPayload* runner) {
    runner->face = ReadCommandNumber(runner);
}

void UpdateMessage(EventRunnerPayload* runner) {
    if (runner->revealLine < MESSAGE_LINES) {
        RevealMessageGlyph(runner);
    } else {
        WaitEventMessageKey(runner);
    }
}

void RevealMessageGlyph(EventRunnerPayload* runner) {
    if (IsConfirmTriggered()) {
        std::memcpy(runner->shownGlyphs, runner->sourceGlyphs, sizeof(runner->shownGlyphs));
        runner->revealLine = MESSAGE_LINES;
        RequestSound(SOUND_CURSOR, 0);
        return;
    }
    uint32_t line = runner->revealLine;
    uint32_t pos = runner->revealPos;
    if (line >= MESSAGE_LINES) {
        return;  // all shown: the key wait's business
    }
    if (pos < EVENT_LIST_CODES && runner->sourceGlyphs[line][pos] != GLYPH_END) {
        runner->shownGlyphs[line][pos] = runner->sourceGlyphs[line][pos];
        runner->revealPos = pos + 1;
    } else {
        runner->revealLine = line + 1;
        runner->revealPos = 0;
    }
}

void WaitEventMessageKey(EventRunnerPayload* runner) {
    if (IsConfirmTriggered()) {
        runner->state = NextEventCommand;
        RequestSound(SOUND_CURSOR, 0);
    }
}

void UpdateChoice(EventRunnerPayload* runner) {
    if (IsConfirmTriggered()) {
        runner->state = NextEventCommand;
        RequestSound(SOUND_CURSOR, 0);
        JumpToLabel(runner, GetEventText(runner), runner->labels[runner->choice != 0 ? 1 : 0]);
        return;
    }
    if (IsKeyTriggered(KEY_RIGHT) != 0 || IsKeyTriggered(KEY_DOWN) != 0) {
        runner->choice = std::min<uint32_t>(runner->choice + 1, 1);
        RequestSound(SOUND_CURSOR, 0);
        return;
    }
    if (IsKeyTriggered(KEY_LEFT) != 0 || IsKeyTriggered(KEY_UP) != 0) {
        runner->choice = runner->choice > 0 ? runner->choice - 1 : 0;
        RequestSound(SOUND_CURSOR, 0);
    }
}
