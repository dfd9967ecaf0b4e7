// The message window of events: glyph lines drawn from the glyph sheet, the window frame, the
// portrait, the typewriter reveal and its key wait, the two-way choice, and the battle's
// message box. The commands and states of the message window are declared with the other
// event commands (event/event_commands.h).
#pragma once

#include <cstdint>

#include "event/event_runner.h"

constexpr float MESSAGE_WINDOW_X = 124;
constexpr float MESSAGE_WINDOW_Y = 384;
constexpr float MESSAGE_TEXT_INDENT = 16;
constexpr float MESSAGE_LINE_STEP = 28;
// A glyph is centred in a box of this height, this far below its line's top.
constexpr float MESSAGE_GLYPH_BOX = 20;
constexpr float MESSAGE_GLYPH_DROP = 8;
constexpr float MESSAGE_GLYPH_SPACING = 4;
constexpr float FACE_X = -4;

// One line of glyph codes, as the runner and the battle hold them.
using GlyphLine = uint32_t[EVENT_LIST_CODES];

// Draws lines 0 to lineCount - 1 (at most 3) inside the window frame at (frameX, frameY).
// Codes 1 to 703 are drawn; 0 and codes of 704 or more are passed over without a gap.
void DrawMessageText(const GlyphLine* lines, int lineCount, float frameX, float frameY);
void DrawMessageWindow(float x, float y);
// Portrait 0 to 25 with its bottom on the screen's bottom edge; any other number draws nothing.
void DrawFace(float x, uint32_t face);
// The bar over option 0 or 1 (lines 1 and 2) of the window frame at (frameX, frameY).
void DrawChoiceCursor(float frameX, float frameY, uint32_t choice);
// The battle's box: the window frame centred at y 384 and the three shown lines.
void DrawBattleMessageBox(const GlyphLine* lines);

// Zeroes both glyph buffers and the typewriter position.
void ClearMessage(EventRunnerPayload* runner);
// One step of the typewriter, or all of it when Return or Z is pressed.
void RevealMessageGlyph(EventRunnerPayload* runner);
// Back to command fetching when Return or Z is pressed.
void WaitEventMessageKey(EventRunnerPayload* runner);
