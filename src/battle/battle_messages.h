// The battle's message lines: the queue the controller fills, the three lines on screen, the
// assembly of lines from fixed texts, names and numbers, and the enemy appearance lines. The
// controller's states page through the queue with these; the box itself is drawn by
// DrawBattleMessageBox (event/message_window.h) from the shown lines.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "data/glyph_table.h"
#include "event/message_window.h"
#include "field/character_tables.h"

constexpr int BATTLE_LINE_CODES = 23;
constexpr int BATTLE_SHOWN_LINES = 3;
constexpr int BATTLE_QUEUED_LINES = 10;

// A line is empty when its first code is 0; a shorter line ends with a 0 code, a line of 23
// codes has none. The same layout as an event message line, so the message box draws it.
using BattleMessageLine = GlyphLine;
static_assert(sizeof(BattleMessageLine) == BATTLE_LINE_CODES * sizeof(uint32_t));

// The controller's two sets of lines: the page on screen and the lines waiting for it.
using BattleShownLines = BattleMessageLine[BATTLE_SHOWN_LINES];
using BattleQueuedLines = BattleMessageLine[BATTLE_QUEUED_LINES];

// A code past the glyph table: it draws nothing, yet it keeps its line from being empty. Two
// lines of it after a line give that line a page of its own.
constexpr uint32_t BATTLE_FILLER_CODE = GLYPH_COUNT;

// The fixed texts the battle writes, as indexes of battleTexts.
constexpr int BATTLE_TEXT_PARTY_FIRST = 0;
constexpr int BATTLE_TEXT_ENEMY_FIRST = 1;
constexpr int BATTLE_TEXT_VICTORY = 2;
constexpr int BATTLE_TEXT_VICTORY_AFTER = 3;
constexpr int BATTLE_TEXT_DEFEAT = 4;
constexpr int BATTLE_TEXT_DEFEAT_AFTER = 5;
constexpr int BATTLE_TEXT_ESCAPED = 6;
constexpr int BATTLE_TEXT_MONEY_WORD = 7;  // follows the money gained in the reward line
constexpr int BATTLE_TEXT_EXP_WORD = 8;    // follows the experience gained
constexpr int BATTLE_TEXT_LEVEL_UP = 9;    // between a unit's name and its new level
constexpr int BATTLE_TEXT_LEVEL_UP_END = 10;
constexpr int BATTLE_TEXT_APPEAR_SEPARATOR = 11;  // one code, after the enemy's name
constexpr int BATTLE_TEXT_APPEAR_COUNTER = 12;    // one code, after the number of that kind
constexpr int BATTLE_TEXT_APPEAR_CLOSING = 13;    // three codes, ends the appearance line
constexpr int BATTLE_TEXT_COUNT = 14;

// Each text's characters; every one of them has a row in the glyph table.
extern const std::u32string_view battleTexts[BATTLE_TEXT_COUNT];

// How many of each enemy kind a battle placed: entry i counts kind i.
struct EnemyTallyEntry {
    int32_t kind;
    int32_t count;
};
using EnemyTally = EnemyTallyEntry[ENEMY_KIND_COUNT];

void ClearMessageWindow(BattleShownLines& shown, BattleQueuedLines& queued);
void ClearShownLines(BattleShownLines& shown);
void ClearQueuedLines(BattleQueuedLines& queued);

// Appends the codes up to the list's first 0 or its end, whichever comes first; what would pass
// the line's 23 codes is cut, so a full line takes nothing.
void AppendGlyphs(BattleMessageLine& line, std::span<const uint32_t> codes);
// Appends the glyphs of a fixed text.
void AppendBattleText(BattleMessageLine& line, int text);
// Appends n in decimal, one digit glyph per digit; a minus sign is left out.
void AppendNumberGlyphs(BattleMessageLine& line, int32_t n);
// '0'..'9' give their digit glyphs; anything else gives 0.
uint32_t DigitToGlyph(char character);

// Copies at most 23 codes, up to the first 0, into the lowest empty queued line: 1 when
// queued; 0 when all ten hold a line, or when the codes make an empty line (never queued).
int QueueMessageLine(BattleQueuedLines& queued, std::span<const uint32_t> codes);
int HasQueuedLines(const BattleQueuedLines& queued);
// Copies the line into the lowest empty shown line; 0 when all three are taken.
int ShowLine(BattleShownLines& shown, const BattleMessageLine& line);
// Moves queued lines in index order onto the screen while there is room; the rest stay queued.
void PromoteQueuedLines(BattleShownLines& shown, BattleQueuedLines& queued);

// One fixed text as a line of its own, and the same followed by two fillers, so that it is the
// only line of its page.
int QueueBattleText(BattleQueuedLines& queued, int text);
void QueueBattleTextPage(BattleQueuedLines& queued, int text);
void QueueFillerLine(BattleQueuedLines& queued);
// The money and the experience the party gained.
int QueueRewardLine(BattleQueuedLines& queued, int32_t gold, int32_t exp);
// The record's name and its (new) level.
int QueueLevelUpLine(BattleQueuedLines& queued, const CharacterRecord& record);

void InitEnemyTally(EnemyTally& tally);
// Counts the kinds; numbers outside 0..16 (places without an enemy hold -1) are passed over.
void CountEnemyKinds(EnemyTally& tally, std::span<const int32_t> kinds);
// One line for each kind present, in kind order: the name, and the number only when the kind
// came more than once.
void QueueEnemyAppearLines(BattleQueuedLines& queued, const EnemyTally& tally);

// The page steps the controller's message states take. The first shows the next page when a
// line is queued (1) or answers 0 when the queue is empty; the second clears the page and
// answers 1 when Return or Z is newly pressed.
int ShowNextMessagePage(BattleShownLines& shown, BattleQueuedLines& queued);
int ConfirmMessagePage(BattleShownLines& shown);
