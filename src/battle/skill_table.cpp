// The skill table and the skills' effects outside battle.
#include "battle/skill_table.h"

#include <algorithm>

#include "battle/battle_unit.h"
#include "battle/skill_effects.h"
#include "data/atlas_skills.h"
#include "engine/saturating.h"
#include "field/game_state.h"

namespace {

struct SkillEffects {
    SkillBattleEffectFn battle;
    SkillFieldEffectFn field;
};

// By skill id. The rows below take their functions from here, and start-up stores them again.
constexpr SkillEffects SKILL_EFFECTS[SKILL_COUNT] = {
    {CastSingleShot, SkillFieldEffectNone},  {CastSingleShot, SkillFieldEffectNone},
    {CastMultiShot, SkillFieldEffectNone},   {CastMultiShot, SkillFieldEffectNone},
    {CastOnTarget, HealMemberBySkill},       {CastOnAllAllies, HealPartyBySkill},
    {CastOnTarget, HealMemberBySkill},       {CastOnAllAllies, HealPartyBySkill},
    {CastOnTarget, CureStatusBySkill},       {CastOnTarget, CureStatusBySkill},
    {CastOnTarget, SkillFieldEffectNone},    {CastOnTarget, SkillFieldEffectNone},
    {CastOnAllAllies, SkillFieldEffectNone}, {CastOnAllAllies, SkillFieldEffectNone},
    {CastOnAllAllies, SkillFieldEffectNone}, {CastSummonFamiliars, SkillFieldEffectNone},
};

constexpr SkillRecord Row(int32_t id, int32_t kind, int32_t level, int32_t power, int32_t mp,
                          int32_t targets, int32_t hitRate, uint32_t flags,
                          const AtlasRect& detail) {
    const SkillEffects& effects = SKILL_EFFECTS[id];
    // clang-format off
    return {id, kind, level, power, mp, targets, hitRate, flags, RECT_SKILL_NAMES[id], detail,
            effects.battle, effects.field};
    // clang-format on
}

// The party member of a roster index, or null outside the party.
CharacterRecord* Member(int32_t member) {
    return member >= 0 && member < partyCount && member < PARTY_MAX ? &partyRoster[member]
                                                                    : nullptr;
}

int32_t PowerOf(int32_t skillId) {
    const SkillRecord* row = SkillRow(skillId);
    return row != nullptr ? row->power : 0;
}

void HealRecord(CharacterRecord& record, int32_t amount) {
    // A save may bring any numbers.
    record.hp = std::min(SaturatingAdd(record.hp, amount), record.hpMax);
}

}  // namespace

// clang-format off
SkillRecord skillTable[SKILL_COUNT] = {
    // id kind level power MP targets hit flags detail line
    Row(0,  0, 10, 10,  10,  1, 80,  1, RECT_SKILL_DETAIL_SHOT),
    Row(1,  0, 15, 15,  15,  1, 80,  1, RECT_SKILL_DETAIL_SHOT),
    Row(2,  0, 15, 10,  20,  3, 80,  1, RECT_SKILL_DETAIL_TRIPLE),
    Row(3,  0, 20, 15,  30,  6, 80,  1, RECT_SKILL_DETAIL_VOLLEY),
    Row(4,  1, 10, 100, 10,  1, 100, 3, RECT_SKILL_DETAIL_HEAL),
    Row(5,  1, 20, 100, 30,  6, 100, 3, RECT_SKILL_DETAIL_HEAL_ALL),
    Row(6,  1, 15, 900, 20,  1, 100, 3, RECT_SKILL_DETAIL_GREAT_HEAL),
    Row(7,  1, 30, 900, 60,  6, 100, 3, RECT_SKILL_DETAIL_GREAT_HEAL_ALL),
    Row(8,  1, 5,  1,   10,  1, 100, 3, RECT_SKILL_DETAIL_CURE_POISON),
    Row(9,  1, 10, 2,   20,  1, 100, 3, RECT_SKILL_DETAIL_CURE_PARALYSIS),
    Row(10, 2, 10, 0,   20,  1, 100, 1, RECT_SKILL_DETAIL_GUARD),
    Row(11, 2, 10, 0,   30,  1, 100, 1, RECT_SKILL_DETAIL_WARD),
    Row(12, 2, 30, 0,   50,  6, 100, 1, RECT_SKILL_DETAIL_GUARD_ALL),
    Row(13, 2, 33, 0,   60,  6, 100, 1, RECT_SKILL_DETAIL_WARD_ALL),
    Row(14, 2, 36, 0,   80,  6, 100, 1, RECT_SKILL_DETAIL_BULWARK),
    Row(15, 3, 10, 0,   200, 0, 100, 1, RECT_SKILL_DETAIL_SUMMON),
};
// clang-format on

const SkillRecord* SkillRow(int32_t id) {
    return id >= 0 && id < SKILL_COUNT ? &skillTable[id] : nullptr;
}

void RunBattleEffect(BattleUnit* unit) {
    const SkillRecord* row = SkillRow(unit->skillId);
    if (row != nullptr && row->battleEffect != nullptr) {
        row->battleEffect(unit);
    }
}

void InitSkillCallbacks() {
    for (int id = 0; id < SKILL_COUNT; ++id) {
        skillTable[id].battleEffect = SKILL_EFFECTS[id].battle;
        skillTable[id].fieldEffect = SKILL_EFFECTS[id].field;
    }
}

void SkillFieldEffectNone(int32_t, int32_t) {}

void HealMemberBySkill(int32_t skillId, int32_t member) {
    if (CharacterRecord* record = Member(member)) {
        HealRecord(*record, PowerOf(skillId));
    }
}

void HealPartyBySkill(int32_t skillId, int32_t) {
    for (int32_t i = 0; i < partyCount && i < PARTY_MAX; ++i) {
        HealRecord(partyRoster[i], PowerOf(skillId));
    }
}

void CureStatusBySkill(int32_t skillId, int32_t member) {
    if (CharacterRecord* record = Member(member)) {
        record->statusBits &= ~static_cast<uint32_t>(PowerOf(skillId));
    }
}
