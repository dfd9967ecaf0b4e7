// The two static tables of character records: the four characters who can join the party and
// the seventeen kinds of enemy, with their names as UTF-8 for the name labels on the atlas.
#pragma once

#include "field/game_state.h"

constexpr int CHARACTER_TEMPLATE_COUNT = 4;
constexpr int ENEMY_KIND_COUNT = 17;

// Copied whole into the roster when a character joins; never written.
extern const CharacterRecord characterTemplates[CHARACTER_TEMPLATE_COUNT];
// Copied into each enemy unit of a battle; never written. Kinds 0..11 meet the party at
// random, 12..16 are the bosses of scripted battles.
extern const CharacterRecord enemyKinds[ENEMY_KIND_COUNT];

// The names the records carry as glyph codes and Shift-JIS, in UTF-8.
extern const char* const characterTemplateNames[CHARACTER_TEMPLATE_COUNT];
extern const char* const enemyKindNames[ENEMY_KIND_COUNT];
