// A battle past its opening with the field emptied and the controller held still, for tests
// that set out their own units and watch one unit's turn play out.
#pragma once

#include <functional>

#include "battle/battle_field.h"
#include "battle/battle_fixture.h"

// Seeds the generator so that its next draws pass the check: the raw value that follows
// them, which tells whether the code under test drew exactly those.
inline int32_t SeedDraws(const std::function<bool()>& draws) {
    for (uint32_t seed = 1; seed < 100000; ++seed) {
        SeedRandom(seed);
        if (draws()) {
            const int32_t next = NextRandom();
            SeedRandom(seed);
            return next;
        }
    }
    ADD_FAILURE() << "no seed gives those draws";
    return -1;
}

class AiTest : public BattleTest {
  protected:
    void SetUp() override {
        BattleTest::SetUp();
        BeginPastOpening()->stateFn = WatchUnitTurn;
        TaskAt(TASK_SLOT_BATTLE)->updateOn = 0;
        Clear();
    }
    static void Clear() {
        KillSide(SIDE_PARTY);
        KillSide(SIDE_ENEMY);
        KillTasksOfKind(TASK_KIND_EFFECT);
    }
    // An idle unit from a copy of the record; hp and hpMax replace the record's when given.
    static BattleUnit* Put(CharacterRecord record, float x, float z, int32_t hp = -1,
                           int32_t hpMax = -1) {
        record.hpMax = hpMax < 0 ? record.hpMax : hpMax;
        record.hp = hp < 0 ? record.hpMax : hp;
        return SpawnBattleUnit(record, x, BATTLE_UNIT_HEIGHT, z, 0.0f);
    }
};
