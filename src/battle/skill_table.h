// The sixteen skills: what each costs, whom it reaches and how hard it hits, and the two
// functions that play it, one in battle and one from the camp's magic screen.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"

struct BattleUnit;

constexpr int SKILL_COUNT = 16;

constexpr int32_t SKILL_KIND_ATTACK = 0;
constexpr int32_t SKILL_KIND_HEAL = 1;  // heals and cures
constexpr int32_t SKILL_KIND_SUPPORT = 2;
constexpr int32_t SKILL_KIND_SUMMON = 3;

// Bit 1 is set on every row and means nothing.
constexpr uint32_t SKILL_FLAG_FIELD = 2;  // may be cast from the camp's magic screen

using SkillBattleEffectFn = void (*)(BattleUnit* caster);
// The magic screen passes the skill and the roster index of the member it acts on.
using SkillFieldEffectFn = void (*)(int32_t skillId, int32_t member);

struct SkillRecord {
    int32_t id;
    int32_t kind;
    int32_t requiredLevel;
    int32_t power;  // damage added, hit points restored, or the status bits cured
    int32_t mpCost;
    int32_t targetCount;  // 1 one chosen target; above 1 no choice; 0 the summon
    int32_t hitRate;      // percent
    uint32_t flags;
    AtlasRect nameRect;
    AtlasRect detailRect;
    SkillBattleEffectFn battleEffect;
    SkillFieldEffectFn fieldEffect;
};

extern SkillRecord skillTable[SKILL_COUNT];

// The row of a skill id, or null for anything else.
const SkillRecord* SkillRow(int32_t id);
// Runs the battle effect of the unit's chosen skill (its skillId), when it is a skill with one.
void RunBattleEffect(BattleUnit* unit);

// Stores each row's two effect functions; start-up calls it before any skill is used.
void InitSkillCallbacks();

// The field effects on partyRoster. A member index outside the party changes nothing.
void SkillFieldEffectNone(int32_t skillId, int32_t member);
void HealMemberBySkill(int32_t skillId, int32_t member);
void HealPartyBySkill(int32_t skillId, int32_t member);
void CureStatusBySkill(int32_t skillId, int32_t member);
