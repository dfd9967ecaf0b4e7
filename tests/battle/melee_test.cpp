// The melee strike: the damage rule, the swing with the draws of its blow and the weapon's
// status, and the push or tilt of the struck unit until it recovers or sinks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/melee.h"
#include "engine/sound.h"

namespace {

class MeleeTest : public BattleTest {
  protected:
    // Party units 10 and 11 (the second parked in a corner) against enemy 14.
    void SetUp() override {
        BattleTest::SetUp();
        BeginPastOpening();
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            if (s != 10 && s != 11 && s != 14) {
                TaskAt(s)->inUse = 0;
            }
        }
        attacker = LiveBattleUnitAt(10);
        other = LiveBattleUnitAt(11);
        target = LiveBattleUnitAt(14);
        attacker->target = target;
    }
    void Reset() {
        Battle()->stateFn = WatchUnitTurn;
        Put(other, -13, 13);
        for (BattleUnit* u : {attacker, target}) {
            u->stateFn = UnitIdleState;
            u->tiltX = u->tiltZ = 0.0f;
        }
        for (int s = TASK_SLOT_POPUP_FIRST; s < TASK_SLOT_POPUP_END; ++s) {
            TaskAt(s)->inUse = 0;
        }
        ClearSoundRequests();
    }
    static void Put(BattleUnit* u, float x, float z) { u->position = {x, 0.15f, z}; }
    BattleUnit* attacker = nullptr;
    BattleUnit* other = nullptr;
    BattleUnit* target = nullptr;
};

TEST_F(MeleeTest, DamageIsAttackLessDefenceAndNeverBelowTen) {
    // attack, weapon, defence, armour, guard, defence buff, random part: damage.
    using Row = std::tuple<float, int32_t, float, int32_t, float, float, int32_t, float>;
    for (auto [attack, weapon, defence, armour, guard, buff, roll, want] : {
             Row{30, ITEM_NONE, 21, ITEM_NONE, 0, 0, 0, 10},
             Row{30, ITEM_NONE, 20, ITEM_NONE, 0, 0, 0, 10},
             Row{31, ITEM_NONE, 20, ITEM_NONE, 0, 0, 0, 11},
             Row{5, ITEM_NONE, 50, ITEM_NONE, 0, 0, 0, 10},
             Row{100, ITEM_NONE, 0, ITEM_NONE, 26.67f, 0, 0, 74},
             Row{50, ITEM_NONE, 0, ITEM_NONE, 5.9f, -2.7f, 0, 47},
             Row{100.5f, ITEM_NONE, -0.5f, ITEM_NONE, 0, 0, 0, 102},
             Row{50.49f, 11, 0, 21, 0, 0, 3, 47},
             // Only a weapon row adds to the attack and only an armour row to the defence.
             Row{50, 0, 0, 0, 0, 0, 0, 50},
             Row{50, 20, 0, 11, 0, 0, 0, 50},
             Row{50, ITEM_COUNT, 0, -1, 0, 0, 0, 50},
         }) {
        attacker->record.attack = attack;
        attacker->record.weaponItemId = weapon;
        target->record.defence = defence;
        target->record.armorItemId = armour;
        target->guard = guard;
        target->defenceBuff = buff;
        EXPECT_EQ(MeleeDamage(attacker, target, roll), want) << attack << " " << weapon;
    }
}

TEST_F(MeleeTest, AStrikeSwingsBackDrawsInTurnAndPassesTheStatusOnOneTimeInTen) {
    using Row = std::tuple<int32_t, float, uint32_t, int32_t>;  // weapon, accuracy, status, hp
    for (auto [weapon, accuracy, status, hp] :
         {Row{18, 2, STATUS_POISON, 500}, Row{19, 10, STATUS_PARALYSIS, 5}, Row{11, 0, 0, 500}}) {
        for (const bool statusRoll : {true, false}) {
            uint32_t seed = 0;
            int32_t roll = 0;
            int32_t next = 0;
            for (bool found = false; !found;) {
                SeedRandom(++seed);
                RandomInt(100);
                RandomInt(static_cast<int32_t>(accuracy));
                roll = RandomInt(4);
                found = (RandomInt(10) == 0) == statusRoll;
                next = NextRandom();
            }
            Reset();
            Put(attacker, -1, -1);
            Put(target, 1, -1);
            attacker->record.attack = 60;
            attacker->record.accuracy = accuracy;
            attacker->record.weaponItemId = weapon;
            attacker->facing = 0.0f;
            // A status already there stays.
            const uint32_t before = status == STATUS_POISON ? STATUS_PARALYSIS : 0;
            target->record.statusBits = before;
            target->record.hp = hp;
            target->record.defence = 0;
            target->record.armorItemId = ITEM_NONE;
            target->guard = target->defenceBuff = 0.0f;
            attacker->stateFn = BeginMeleeAttack;
            SeedRandom(seed);
            std::vector<int> swings;
            for (int call = 1; attacker->stateFn != TurnEndState && call < 100; ++call) {
                ClearSoundRequests();
                attacker->stateFn(attacker);
                if (soundRequests[SOUND_SWING].requested != 0) {
                    swings.push_back(call);
                }
            }
            EXPECT_EQ(swings, std::vector<int>{11});
            EXPECT_EQ(std::fmod(attacker->facing + 360.0f, 360.0f), 0.0f);
            EXPECT_EQ(NextRandom(), next) << weapon << " made other draws";
            const int32_t damage = 60 + itemTable[weapon].value - roll;
            EXPECT_EQ(target->record.hp, std::max(hp - damage, 0)) << weapon;
            EXPECT_EQ(target->record.statusBits, statusRoll ? before | status : before) << weapon;
            EXPECT_EQ(TaskKindExists(TASK_KIND_WORLD_POPUP), statusRoll && status != 0) << weapon;
            EXPECT_EQ(std::tuple(soundRequests[SOUND_DAMAGE].requested, target->stateFn),
                      std::tuple(1u, &UpdateKnockbackPosX));
        }
    }
}

TEST_F(MeleeTest, TheStruckUnitIsPushedIntoAFreeCellInsideTheFieldElseOnlyTiltsThenRecovers) {
    // Attacker, target, a unit behind, a fallen target: where the target ends and its tilts.
    using Row = std::tuple<float, float, float, float, bool, bool, float, float, float, float>;
    for (auto [ax, az, tx, tz, blocked, fallen, ex, ez, tiltX, tiltZ] : {
             Row{-1, -1, 1, -1, false, false, 3, -1, 0, 315},
             Row{-1, -1, 1, 1, false, false, 3, 3, 45, 315},
             Row{1, 1, -1, -1, false, false, -3, -3, 315, 45},
             Row{-1, -3, -1, -1, false, false, -1, 1, 45, 0},
             Row{11, 1, 13, 1, false, false, 13, 1, 0, 315},
             Row{-1, -1, 1, -1, true, false, 1, -1, 0, 315},
             Row{1, -1, -1, 1, false, true, -3, 3, 45, 45},
         }) {
        Reset();
        Put(attacker, ax, az);
        Put(target, tx, tz);
        if (blocked) {
            Put(other, 2 * tx - ax, 2 * tz - az);
        }
        target->record.hp = fallen ? 0 : 100;
        KnockBackTarget(attacker);
        EXPECT_EQ(FramesUntil([&] { return target->stateFn == HitReactionState; }), 4);
        EXPECT_EQ(std::tuple(target->position.x, target->position.z, target->tiltX, target->tiltZ,
                             target->hitTimer),
                  std::tuple(ex, ez, tiltX, tiltZ, 40))
            << tx << "," << tz << " " << blocked;
        // The tilt goes only when the unit recovers; a fallen one sinks with it.
        ASSERT_GE(
            FramesUntil([&] { return target->stateFn == (fallen ? &RunSinking : &UnitIdleState); }),
            0);
        EXPECT_EQ(std::pair(target->tiltX, target->tiltZ),
                  fallen ? std::pair(tiltX, tiltZ) : std::pair(0.0f, 0.0f));
    }
}

}  // namespace
