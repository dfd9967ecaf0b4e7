// The end of a battle: victory with its rewards and level-ups, defeat, and the records written
// back to the roster.
#include "battle/battle_outcome.h"

#include "battle/battle_states.h"
#include "engine/random.h"
#include "engine/saturating.h"
#include "engine/sound.h"

void StorePartyMemberRecord(const CharacterRecord& record) {
    if (record.side != SIDE_PARTY || record.characterClass < CLASS_FIGHTER ||
        record.characterClass > CLASS_HYBRID) {
        return;
    }
    const int32_t count = partyCount < PARTY_MAX ? partyCount : PARTY_MAX;
    for (int32_t i = 0; i < count; ++i) {
        if (partyRoster[i].characterId == record.characterId) {
            partyRoster[i] = record;
            return;
        }
    }
}

void StorePartyUnitRecord(const BattleUnit* unit) {
    const CharacterRecord& record = unit->record;
    const int32_t place = unit->rosterPlace;
    if (record.side == SIDE_PARTY && record.characterClass >= CLASS_FIGHTER &&
        record.characterClass <= CLASS_HYBRID && place >= 0 && place < partyCount &&
        place < PARTY_MAX && partyRoster[place].characterId == record.characterId) {
        partyRoster[place] = record;
        return;
    }
    StorePartyMemberRecord(record);
}

void SavePartyRecords() {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        if (const BattleUnit* unit = LiveBattleUnitAt(slot)) {
            StorePartyUnitRecord(unit);
        }
    }
}

namespace {

void CloseWithLines(BattleController* controller) {
    controller->stateFn = ShowFinalLines;
    controller->hudShown = 0;
}

}  // namespace

void ShowVictory(BattleController* controller) {
    controller->gameOver = 0;
    ClearMessageWindow(controller->shownLines, controller->queuedLines);
    QueueBattleTextPage(controller->queuedLines, BATTLE_TEXT_VICTORY);
    QueueBattleText(controller->queuedLines, BATTLE_TEXT_VICTORY_AFTER);
    GiveBattleRewards(controller);
    SavePartyRecords();
    CloseWithLines(controller);
}

void GiveBattleRewards(BattleController* controller) {
    AddMoney(controller->goldTotal);
    QueueRewardLine(controller->queuedLines, controller->goldTotal, controller->expTotal);
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == SIDE_PARTY) {
            AddUnitExp(controller, unit);
        }
    }
}

void AddUnitExp(BattleController* controller, BattleUnit* unit) {
    // A save may bring any exp: wrapped round to a debt, it would never reach a level again.
    unit->record.exp = SaturatingAdd(unit->record.exp, controller->expTotal);
    if (unit->record.exp < EXP_PER_LEVEL) {
        return;
    }
    unit->record.exp = 0;
    LevelUpUnit(unit);
    QueueLevelUpLine(controller->queuedLines, unit->record);
    RequestSound(SOUND_LEVEL_UP, 0);
}

void LevelUpUnit(BattleUnit* unit) {
    CharacterRecord& r = unit->record;
    // A stored record may hold any level and maxima: each rise stops at its top.
    r.level = r.level >= LEVEL_MAX ? LEVEL_MAX : r.level + 1;
    // Only the three party classes grow; any other class, from a stored record, gets nothing.
    if (r.level < GROWTH_LEVEL_LIMIT) {
        switch (r.characterClass) {
            case CLASS_FIGHTER:
                r.hpMax = SaturatingAdd(r.hpMax, RandomInt(3) + 1);
                r.attack += static_cast<float>(RandomInt(3) + 1);
                r.defence += static_cast<float>(RandomInt(2) + 1);
                r.magicAttack += 0.5f;
                r.magicDefence += 0.5f;
                r.stat6 += 1.0f;
                r.magicSkill += 0.3f;
                break;
            case CLASS_CASTER:
                r.hpMax = SaturatingAdd(r.hpMax, 1);
                r.mpMax = SaturatingAdd(r.mpMax, RandomInt(3) + 1);
                r.attack += 0.5f;
                r.defence += 0.5f;
                r.magicAttack += static_cast<float>(RandomInt(3) + 1);
                r.magicDefence += static_cast<float>(RandomInt(2) + 1);
                r.stat6 += 0.3f;
                r.magicSkill += 0.5f;
                break;
            case CLASS_HYBRID:
                r.hpMax = SaturatingAdd(r.hpMax, RandomInt(2) + 1);
                r.mpMax = SaturatingAdd(r.mpMax, 1);
                r.attack += 1.0f;
                r.defence += 1.0f;
                r.magicAttack += static_cast<float>(RandomInt(2) + 1);
                r.magicDefence += 1.5f;
                r.stat6 += 0.3f;
                r.magicSkill += 0.5f;
                break;
            default:
                break;
        }
    }
    r.hp = r.hpMax;
    r.mp = r.mpMax;
}

void ShowDefeat(BattleController* controller) {
    ClearMessageWindow(controller->shownLines, controller->queuedLines);
    if (controller->escaping == 0) {
        controller->gameOver = 1;
        QueueBattleTextPage(controller->queuedLines, BATTLE_TEXT_DEFEAT);
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_DEFEAT_AFTER);
    } else {
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_ESCAPED);
    }
    CloseWithLines(controller);
}

void HandleTeamDefeat(BattleController* controller) {
    if (controller->escaping != 0) {
        ClearMessageWindow(controller->shownLines, controller->queuedLines);
        QueueBattleText(controller->queuedLines, BATTLE_TEXT_ESCAPED);
        CloseWithLines(controller);
        return;
    }
    ClearTurnList(controller);
    SwapBattleTeam(controller);
    FillTurnListWithSide(controller, SIDE_PARTY);
    controller->autoBattle = 0;
    controller->stateFn = StartNextUnitTurn;
}
