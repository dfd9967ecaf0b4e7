// The two static tables of character records: the four characters who can join the party and
// the seventeen kinds of enemy, with their names as UTF-8 for the name labels on the atlas.
#pragma once

#include "field/game_state.h"

constexpr int CHARACTER_TEMPLATE_COUNT = 4;
constexpr int ENEMY_KIND_COUNT = 17;
// Kinds from this one on are bosses, met only in scripted battles.
constexpr int FIRST_BOSS_KIND = 12;

// Copied whole into the roster when a character joins; never written.
extern const CharacterRecord characterTemplates[CHARACTER_TEMPLATE_COUNT];
// Copied into each enemy unit of a battle; never written. Kinds 0..11 meet the party at
// random, 12..16 are the bosses of scripted battles.
extern const CharacterRecord enemyKinds[ENEMY_KIND_COUNT];

// What a familiar takes in place of the party member it is copied from.
constexpr int32_t FAMILIAR_MODEL = 32;
constexpr int32_t FAMILIAR_WEAPON = 10;
constexpr int32_t FAMILIAR_ARMOUR = 20;
constexpr AtlasRect FAMILIAR_NAME_RECT = {1490, 1000, 1551, 1020};
// Inside the message window's last portrait, which is the familiar's picture.
constexpr AtlasRect FAMILIAR_PORTRAIT_RECT = {1691, 1122, 1866, 1322};
constexpr AtlasRect FAMILIAR_FACE_RECT = {857, 1273, 977, 1363};
// The familiar's name in UTF-8 for its label, and as the record stores it (Shift-JIS).
extern const char* const familiarName;
extern const char familiarNameShiftJis[7];

// The names the records carry as glyph codes and Shift-JIS, in UTF-8.
extern const char* const characterTemplateNames[CHARACTER_TEMPLATE_COUNT];
extern const char* const enemyKindNames[ENEMY_KIND_COUNT];
