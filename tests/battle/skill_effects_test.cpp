// The skills' effects: the hit roll's draws, shot damage, the volley's aim and timing, a shot's
// flight onto a unit that may leave the field, the pending damage with its rounding and tilt,
// the heals, cures and buffs, and the skill images in the atlas.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/skill_command.h"
#include "battle/skill_effects.h"
#include "battle/skill_table.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "render/textures_and_meshes.h"
#include "render/world_popups.h"

namespace {

class SkillEffectsTest : public BattleTest {
  protected:
    // The caster (slot 12) against enemies 14 and 15; the others leave the field.
    void SetUp() override {
        BattleTest::SetUp();
        BeginPastOpening()->stateFn = WatchUnitTurn;
        for (int s = 16; s < 20; ++s) {
            TaskAt(s)->inUse = 0;
        }
        caster = LiveBattleUnitAt(12);
        foe = LiveBattleUnitAt(14);
        weak = LiveBattleUnitAt(15);
        ally = LiveBattleUnitAt(10);
    }
    static std::vector<SkillProjectile*> Projectiles() {
        std::vector<SkillProjectile*> out;
        for (int s = TASK_SLOT_DYNAMIC_FIRST; s < TASK_SLOT_DYNAMIC_END; ++s) {
            if (IsTaskSlotInUse(s) && TaskAt(s)->kind == TASK_KIND_EFFECT) {
                out.push_back(TaskPayload<SkillProjectile>(TaskAt(s)));
            }
        }
        return out;
    }
    static void ClearEffectsAndPopups() {
        for (int s = 0; s < TASK_POOL_SIZE; ++s) {
            const uint32_t kind = TaskAt(s)->kind;
            if (kind == TASK_KIND_EFFECT || kind == TASK_KIND_WORLD_POPUP ||
                kind == TASK_KIND_DAMAGE_DIGIT) {
                TaskAt(s)->inUse = 0;
            }
        }
    }
    BattleUnit* caster = nullptr;
    BattleUnit* foe = nullptr;
    BattleUnit* weak = nullptr;
    BattleUnit* ally = nullptr;
};

TEST_F(SkillEffectsTest, HitRollThenDamageDrawInOrderAndAttackRowsMissBelowTwenty) {
    int hits = 0;
    caster->record.magicAttack = 60.0f;
    foe->record.magicDefence = 20.0f;
    foe->magicDefenceBuff = 4.0f;
    foe->record.magicSkill = 1.0f;
    for (auto [skillId, magicSkill] :
         {std::pair(0, 0.0f), std::pair(3, 30.9f), std::pair(4, 0.0f)}) {
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            SeedRandom(seed);
            const int32_t first = RandomInt(100);
            const int32_t second = RandomInt(static_cast<int32_t>(magicSkill));
            const float attack = static_cast<float>(RandomInt(4));
            const float defence = static_cast<float>(RandomInt(4));
            caster->skillId = skillId;
            caster->record.magicSkill = magicSkill;
            foe->pendingMagicDamage = 0.0f;
            SeedRandom(seed);
            const int hit = RollHit(caster, foe);
            EXPECT_EQ(hit, skillId == 4 || first + second >= 20) << skillId << " " << seed;
            ApplyShotDamage(caster, foe);
            const float power = static_cast<float>(skillTable[skillId].power);
            EXPECT_FLOAT_EQ(
                foe->pendingMagicDamage,
                std::max(10.0f, (power + 60 + magicSkill - attack) - (20 + 4 + 1 - defence)))
                << "a magic skill of 0 draws nothing";
            hits += skillId == 0 ? hit : 0;
        }
    }
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 40);
    // However strong the defence, each shot deals 10, and shots on one unit add up.
    weak->record.magicDefence = 500.0f;
    weak->pendingMagicDamage = 0.0f;
    ApplyShotDamage(caster, weak);
    ApplyShotDamage(caster, weak);
    EXPECT_FLOAT_EQ(weak->pendingMagicDamage, 20.0f);
}

TEST_F(SkillEffectsTest, VolleyAimsAtTheWeakestFirstAndEachShotLeavesTenFramesAfterTheLast) {
    foe->record.hp = 50;
    weak->record.hp = 30;
    caster->skillId = 3;
    CastMultiShot(caster);
    std::vector<SkillProjectile*> shots = Projectiles();
    ASSERT_EQ(shots.size(), 6u);
    for (size_t i = 0; i < shots.size(); ++i) {
        EXPECT_EQ(shots[i]->target, i % 2 == 0 ? weak : foe) << i;
        EXPECT_FLOAT_EQ(shots[i]->orbitAngle, 60.0f * static_cast<float>(i + 1)) << i;
        // The radius grows by 0.1 in single precision: it passes 3.0 on the 31st frame.
        int frames = 0;
        while (shots[i]->stateFn == UpdateProjectileRise && frames < 500) {
            UpdateProjectileRise(shots[i]);
            ++frames;
        }
        EXPECT_EQ(frames, 71 + 10 * static_cast<int>(i));
    }
    // A side with no unit on the field gets no shot, and the caster resolves at once.
    ClearEffectsAndPopups();
    SpawnShotVolley(caster, 6, SIDE_PARTY + 7);
    EXPECT_TRUE(Projectiles().empty());
}

TEST_F(SkillEffectsTest, AShotFallsOnItsTargetOrEndsWhenTheTargetHasLeft) {
    for (const bool leaves : {false, true}) {
        ClearEffectsAndPopups();
        foe->pendingMagicDamage = 0.0f;
        caster->skillId = 4;  // always hits
        caster->target = foe;
        foe->position.y = 0.15f;
        CastSingleShot(caster);
        TaskSlot* slot = FindTaskByKind(TASK_KIND_EFFECT);
        ASSERT_NE(slot, nullptr);
        SkillProjectile* shot = TaskPayload<SkillProjectile>(slot);
        int frames = 0;
        while (slot->inUse != 0 && shot->stateFn != ProjectileLingerState && frames < 400) {
            if (leaves && shot->stateFn == UpdateProjectileFall) {
                TaskAt(14)->inUse = 0;
            }
            UpdateProjectileTask(slot);
            ++frames;
        }
        if (leaves) {
            EXPECT_EQ(slot->inUse, 0u);
            EXPECT_EQ(CountKind(TASK_KIND_WORLD_POPUP), 0) << "no miss is shown";
            TaskAt(14)->inUse = 1;
        } else {
            EXPECT_EQ(shot->meshIndex, PRIMITIVE_RED_SPHERE);
            EXPECT_FLOAT_EQ(shot->position.x, foe->position.x);
            EXPECT_LT(shot->position.y, foe->position.y + meshTable[foe->record.modelIndex].height);
            EXPECT_GE(foe->pendingMagicDamage, 10.0f);
        }
    }
}

TEST_F(SkillEffectsTest, PendingDamageRoundsHalfUpShowsTheWholePartAndTiltsByFacing) {
    // pending, facing, hit points before: after, tilt, digits shown.
    using Row = std::tuple<float, float, int32_t, int32_t, float, int>;
    for (auto [pending, facing, before, after, tilt, digits] :
         {Row{9.5f, 90.0f, 100, 90, 315.0f, 1}, Row{12.49f, 270.0f, 100, 88, 45.0f, 2},
          Row{10.0f, 0.0f, 100, 90, 315.0f, 2}, Row{10.0f, 180.0f, 100, 90, 315.0f, 2},
          Row{10.0f, -1.0f, 100, 90, 45.0f, 2}, Row{99.5f, 181.0f, 20, 0, 45.0f, 2},
          Row{0.0f, 90.0f, 100, 100, 0.0f, 0}}) {
        ClearEffectsAndPopups();
        ClearPendingMagicDamage();
        foe->stateFn = UnitIdleState;
        foe->tiltX = 0.0f;
        foe->record.hp = before;
        foe->facing = facing;
        foe->pendingMagicDamage = pending;
        ApplyPendingMagicDamage();
        EXPECT_EQ(std::tuple(foe->record.hp, foe->tiltX, CountKind(TASK_KIND_DAMAGE_DIGIT)),
                  std::tuple(after, tilt, digits))
            << pending << " " << facing;
        EXPECT_EQ(foe->stateFn, pending > 0 ? &HitReactionState : &UnitIdleState);
        EXPECT_EQ(foe->pendingMagicDamage, 0.0f);
    }
}

TEST_F(SkillEffectsTest, SupportSkillsHealCureAndSetBuffsOnTheirTargets) {
    // skill, hit points, status before: hit points, status, defence buff, magic defence buff,
    // popups and digits shown over each target. Buffs are cast twice: they are set, not added.
    using Row = std::tuple<int32_t, int32_t, uint32_t, int32_t, uint32_t, float, float, int, int>;
    for (auto [skill, hp, status, hpAfter, statusAfter, guard, ward, popups, digits] :
         {Row{4, 50, 0, 150, 0, 0, 0, 0, 3}, Row{6, 50, 0, 200, 0, 0, 0, 0, 3},
          Row{4, 200, 0, 200, 0, 0, 0, 0, 1}, Row{8, 50, 3, 50, 2, 0, 0, 1, 0},
          Row{9, 50, 0, 50, 0, 0, 0, 1, 0}, Row{10, 50, 0, 50, 0, 40, 0, 2, 0},
          Row{11, 50, 0, 50, 0, 0, 20, 2, 0}, Row{5, 150, 0, 200, 0, 0, 0, 0, 2},
          Row{14, 50, 0, 50, 0, 40, 20, 4, 0}, Row{15, 50, 3, 50, 3, 0, 0, 0, 0}}) {
        ClearEffectsAndPopups();
        for (int s = 10; s < 14; ++s) {
            BattleUnit* u = LiveBattleUnitAt(s);
            u->record.hp = hp;
            u->record.hpMax = 200;
            u->record.statusBits = status;
            u->record.defence = 80.0f;
            u->record.magicDefence = 40.0f;
            u->defenceBuff = u->magicDefenceBuff = 0.0f;
        }
        caster->skillId = skill;
        caster->target = ally;
        const bool all = skillTable[skill].targetCount > 1;
        if (all) {
            CastOnAllAllies(caster);
        }
        ApplySupportSkill(caster);
        if (skill >= 10) {
            ApplySupportSkill(caster);
        }
        for (int s = 10; s < 14; ++s) {
            const BattleUnit* u = LiveBattleUnitAt(s);
            const bool reached = all || u == ally;
            EXPECT_EQ(
                std::tuple(u->record.hp, u->record.statusBits, u->defenceBuff, u->magicDefenceBuff),
                reached ? std::tuple(hpAfter, statusAfter, guard, ward)
                        : std::tuple(hp, status, 0.0f, 0.0f))
                << skill << " " << s;
        }
        const int reached = all ? 4 : 1;
        EXPECT_EQ(CountKind(TASK_KIND_WORLD_POPUP), popups * reached) << skill;
        EXPECT_EQ(CountKind(TASK_KIND_DAMAGE_DIGIT), digits * reached) << skill;
    }
}

TEST(SkillAtlasTest, EachSkillImageIsRegisteredOnceAndCoversNoOtherPicture) {
    const std::vector<AtlasImage>& all = AtlasImages();
    auto overlap = [](const AtlasRect& a, const AtlasRect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    for (size_t i = 0; i < skillAtlasImages.count; ++i) {
        const AtlasImage& mine = skillAtlasImages.images[i];
        for (const AtlasImage& other : all) {
            if (other.sheet != mine.sheet || !overlap(mine.rect, other.rect)) {
                continue;
            }
            const bool itself = other.rect.left == mine.rect.left &&
                                other.rect.top == mine.rect.top && other.text == mine.text;
            // The battle background tile lies inside the skill window's panel.
            const bool tileInPanel = mine.rect.top == RECT_SKILL_WINDOW_PANEL.top &&
                                     mine.art == AtlasArt::Panel && other.art == AtlasArt::Fill;
            EXPECT_TRUE(itself || tileInPanel) << mine.text << " overlaps " << other.text;
        }
    }
}

}  // namespace
