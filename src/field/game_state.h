// The game state: the one record type of every character, the party arrays and the progress
// numbers. Static data that lives for the whole run; reset at start-up and by a new game,
// overwritten by loading a save.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/atlas_rect.h"

constexpr int PARTY_MAX = 4;
constexpr int32_t MONEY_MAX = 9999999;
constexpr int32_t START_MONEY = 2000;
constexpr int32_t DEFAULT_ENCOUNTER_INTERVAL = 30;

constexpr int32_t SIDE_PARTY = 0;
constexpr int32_t SIDE_ENEMY = 1;

constexpr int32_t CLASS_FIGHTER = 1;
constexpr int32_t CLASS_CASTER = 2;
constexpr int32_t CLASS_HYBRID = 3;
constexpr int32_t CLASS_FAMILIAR = 4;
constexpr int32_t CLASS_BOSS = 5;

constexpr uint32_t STATUS_POISON = 1;
constexpr uint32_t STATUS_PARALYSIS = 2;

constexpr int32_t AI_TYPE_LONER = 0;
constexpr int32_t AI_TYPE_APPROACH = 1;
constexpr int32_t AI_TYPE_CASTER = 2;
constexpr int32_t AI_TYPE_MIXED = 3;
constexpr int32_t AI_TYPE_WARP = 4;

// A party member, stored member, familiar, character template or enemy kind. Copied whole
// wherever it moves; the save file stores it field by field in this order.
struct CharacterRecord {
    int32_t characterId;
    int32_t level;
    int32_t modelIndex;
    int32_t side;
    int32_t characterClass;
    uint32_t statusBits;
    int32_t hp;
    int32_t hpMax;
    int32_t mp;
    int32_t mpMax;
    float attack;
    float defence;
    float magicAttack;
    float magicDefence;
    float move;
    float stat6;
    float accuracy;
    float magicSkill;
    float stat9;
    int32_t weaponItemId;
    int32_t armorItemId;
    AtlasRect portraitRect;
    AtlasRect nameRect;
    AtlasRect faceRect;
    uint32_t nameGlyphs[8];
    char nameText[40];  // Shift-JIS, 0-terminated
    int32_t goldReward;
    int32_t exp;
    int32_t aiType;
};
static_assert(sizeof(CharacterRecord) == 216, "CharacterRecord is stored as 216 bytes");
// The save file and the battle copies rely on these places.
static_assert(offsetof(CharacterRecord, characterId) == 0);
static_assert(offsetof(CharacterRecord, level) == 4);
static_assert(offsetof(CharacterRecord, modelIndex) == 8);
static_assert(offsetof(CharacterRecord, side) == 12);
static_assert(offsetof(CharacterRecord, characterClass) == 16);
static_assert(offsetof(CharacterRecord, statusBits) == 20);
static_assert(offsetof(CharacterRecord, hp) == 24);
static_assert(offsetof(CharacterRecord, hpMax) == 28);
static_assert(offsetof(CharacterRecord, mp) == 32);
static_assert(offsetof(CharacterRecord, mpMax) == 36);
static_assert(offsetof(CharacterRecord, attack) == 40);
static_assert(offsetof(CharacterRecord, defence) == 44);
static_assert(offsetof(CharacterRecord, magicAttack) == 48);
static_assert(offsetof(CharacterRecord, magicDefence) == 52);
static_assert(offsetof(CharacterRecord, move) == 56);
static_assert(offsetof(CharacterRecord, stat6) == 60);
static_assert(offsetof(CharacterRecord, accuracy) == 64);
static_assert(offsetof(CharacterRecord, magicSkill) == 68);
static_assert(offsetof(CharacterRecord, stat9) == 72);
static_assert(offsetof(CharacterRecord, weaponItemId) == 76);
static_assert(offsetof(CharacterRecord, armorItemId) == 80);
static_assert(offsetof(CharacterRecord, portraitRect) == 84);
static_assert(offsetof(CharacterRecord, nameRect) == 100);
static_assert(offsetof(CharacterRecord, faceRect) == 116);
static_assert(offsetof(CharacterRecord, nameGlyphs) == 132);
static_assert(offsetof(CharacterRecord, nameText) == 164);
static_assert(offsetof(CharacterRecord, goldReward) == 204);
static_assert(offsetof(CharacterRecord, exp) == 208);
static_assert(offsetof(CharacterRecord, aiType) == 212);

extern CharacterRecord partyRoster[PARTY_MAX];
extern CharacterRecord storedMembers[PARTY_MAX];
extern CharacterRecord familiarTeam[PARTY_MAX];

extern int32_t money;
extern int32_t partyCount;
extern int32_t familiarCount;
extern int32_t battleEnemyCount;
extern int32_t scenario;
extern int32_t currentMap;
extern int32_t encounterGroup;
extern int32_t encounterInterval;
extern int32_t encounterStepsLeft;
extern int32_t eventBlockCount;

// Adds delta (negative to pay) to money, held within 0..MONEY_MAX. Every gain and payment of
// the party's money goes through here.
void AddMoney(int32_t delta);
