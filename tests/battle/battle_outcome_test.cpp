// Victory with its rewards: money, experience, level-ups with the class's growth drawn in slot
// order, the level caps, the lines queued and the records written back; and what the battle
// draws over the field in each state.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <tuple>
#include <vector>

#include "battle/battle_fixture.h"
#include "battle/battle_hud.h"
#include "battle/battle_outcome.h"
#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_battle_hud.h"
#include "data/atlas_messages.h"
#include "platform/headless/headless.h"
#include "render/textures_and_meshes.h"

namespace {

int QueuedCount(const BattleQueuedLines& queued) {
    int n = 0;
    for (const BattleMessageLine& line : queued) {
        n += line[0] != 0 ? 1 : 0;
    }
    return n;
}

TEST_F(BattleTest, VictoryPaysLevelsUpWithGrowthInSlotOrderAndWritesTheRosterBack) {
    BattleController* b = BeginPastOpening();
    KillSide(SIDE_ENEMY);
    b->goldTotal = 300;
    b->expTotal = 25;
    money = 9999990;
    // class, level, exp before; the growth of hpMax, mpMax, attack, defence, magicAttack and
    // magicDefence, and the level after. Seed 1 gives 41, 18467, 6334, 26500, 19169, ...
    struct Row {
        int32_t characterClass, level, exp;
        std::vector<float> growth;
        int32_t levelAfter;
    };
    const Row rows[] = {
        {CLASS_FIGHTER, 5, 990, {3, 0, 3, 1, 0.5f, 0.5f}, 6},  // 41 % 3, 18467 % 3, 6334 % 2
        {CLASS_CASTER, 99, 980, {0, 0, 0, 0, 0, 0}, 100},      // no growth from level 100
        {CLASS_HYBRID, 98, 975, {1, 1, 1, 1, 2, 1.5f}, 99},    // 26500 % 2, 19169 % 2
        {CLASS_CASTER, 999, 999, {0, 0, 0, 0, 0, 0}, 999},     // stays at the top level
    };
    std::vector<CharacterRecord> before;
    for (int i = 0; i < 4; ++i) {
        CharacterRecord& r = LiveBattleUnitAt(10 + i)->record;
        std::tie(r.characterClass, r.level, r.exp) =
            std::tuple(rows[i].characterClass, rows[i].level, rows[i].exp);
        r.hp = 1;
        r.statusBits = STATUS_POISON;
        before.push_back(r);
    }
    SeedRandom(1);
    ShowVictory(b);
    EXPECT_EQ(money, MONEY_MAX);
    EXPECT_EQ(QueuedCount(b->queuedLines), 4 + 1 + 4) << "victory, reward and four level-ups";
    for (int i = 0; i < 4; ++i) {
        const CharacterRecord& r = partyRoster[i];
        const CharacterRecord& o = before[static_cast<size_t>(i)];
        EXPECT_EQ(std::tuple(r.level, r.exp, r.hp, r.mp, r.statusBits),
                  std::tuple(rows[i].levelAfter, 0, r.hpMax, r.mpMax, STATUS_POISON))
            << i;
        EXPECT_EQ((std::vector<float>{static_cast<float>(r.hpMax - o.hpMax),
                                      static_cast<float>(r.mpMax - o.mpMax), r.attack - o.attack,
                                      r.defence - o.defence, r.magicAttack - o.magicAttack,
                                      r.magicDefence - o.magicDefence}),
                  rows[i].growth)
            << i;
    }
    // A caster's draws come next: 15724 % 3, 11478 % 3, 29358 % 2.
    BattleUnit* caster = LiveBattleUnitAt(13);
    caster->record.level = 10;
    caster->record.exp = 999;
    const CharacterRecord o = caster->record;
    AddUnitExp(b, caster);
    EXPECT_EQ(
        std::tuple(caster->record.mpMax - o.mpMax, caster->record.magicAttack - o.magicAttack,
                   caster->record.magicDefence - o.magicDefence, caster->record.hpMax - o.hpMax),
        std::tuple(2, 1.0f, 1.0f, 1));
}

TEST_F(BattleTest, ExperienceFromASaveSumsWithoutWrapping) {
    BattleController* b = BeginPastOpening();
    BattleUnit* unit = LiveBattleUnitAt(10);
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
    // exp before and the reward; the levels gained and exp after
    using Row = std::tuple<int32_t, int32_t, int32_t, int32_t>;
    for (auto [exp, reward, gained, expAfter] :
         {Row{MAX - 10, 100, 1, 0}, Row{MIN + 5, -100, 0, MIN}}) {
        unit->record.level = 5;
        unit->record.exp = exp;
        b->expTotal = reward;
        AddUnitExp(b, unit);
        EXPECT_EQ(std::pair(unit->record.level - 5, unit->record.exp), std::pair(gained, expAfter))
            << exp;
    }
}

TEST(LevelUpUnitTest, GrowthFromASaveHoldsAtTheTopOfItsRange) {
    constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
    // class, level, hpMax and mpMax before; level, hpMax and mpMax after
    struct Row {
        int32_t characterClass, level, hpMax, mpMax, levelAfter, hpMaxAfter, mpMaxAfter;
    };
    const Row rows[] = {
        {CLASS_FIGHTER, 5, MAX, 10, 6, MAX, 10},
        {CLASS_CASTER, 5, MAX, MAX, 6, MAX, MAX},
        {CLASS_HYBRID, 5, MAX, MAX, 6, MAX, MAX},
        {CLASS_FIGHTER, MAX, 10, 10, LEVEL_MAX, 10, 10},
    };
    for (const Row& row : rows) {
        BattleUnit unit{};
        CharacterRecord& r = unit.record;
        std::tie(r.characterClass, r.level, r.hpMax, r.mpMax) =
            std::tuple(row.characterClass, row.level, row.hpMax, row.mpMax);
        LevelUpUnit(&unit);
        EXPECT_EQ(std::tuple(r.level, r.hpMax, r.mpMax, r.hp),
                  std::tuple(row.levelAfter, row.hpMaxAfter, row.mpMaxAfter, row.hpMaxAfter))
            << &row - rows;
    }
}

TEST(StorePartyMemberRecordTest, OnlyPartyClassesOneToThreeGoBackByCharacterId) {
    // class, side, written back
    for (auto [characterClass, side, stored] :
         {std::tuple(CLASS_FIGHTER, SIDE_PARTY, true), std::tuple(CLASS_HYBRID, SIDE_PARTY, true),
          std::tuple(0, SIDE_PARTY, false), std::tuple(CLASS_FAMILIAR, SIDE_PARTY, false),
          std::tuple(CLASS_CASTER, SIDE_ENEMY, false)}) {
        partyCount = 2;
        partyRoster[0] = characterTemplates[0];
        partyRoster[1] = characterTemplates[1];
        CharacterRecord record = partyRoster[1];
        std::tie(record.characterClass, record.side, record.hp) =
            std::tuple(characterClass, side, 7);
        StorePartyMemberRecord(record);
        EXPECT_EQ(std::pair(partyRoster[1].hp == 7, partyRoster[0].hp == 7),
                  std::pair(stored, false))
            << characterClass << " " << side;
    }
}

// Whether a draw cut this rectangle from the interface atlas.
bool Drew(const AtlasRect& rect) {
    for (const headless::DrawRecord& d : headless::DrawCalls()) {
        if (d.kind == headless::DrawRecord::Kind::ScreenFan && d.texture == uiAtlas &&
            d.screen[0].u * ATLAS_SIZE == rect.left && d.screen[0].v * ATLAS_SIZE == rect.top) {
            return true;
        }
    }
    return false;
}

TEST_F(BattleTest, TheHudShowsWhatEachStateAndFlagShows) {
    BattleController* b = BeginPastOpening();
    BattleUnit* unit = LiveBattleUnitAt(10);
    // pause box, top bar, status panel, message box, automatic icon, bottom bar
    using Shown = std::vector<bool>;
    struct Row {
        BattleStateFn controller;
        BattleUnitStateFn unit;
        uint32_t info, autoOn, hud;
        Shown shown;
    };
    const Row rows[] = {
        {HandleBattlePauseMenu, CommandMenuState, 1, 1, 1, {1, 0, 0, 0, 0, 0}},
        {WatchUnitTurn, CommandMenuState, 1, 1, 0, {0, 1, 1, 0, 1, 1}},
        {WatchUnitTurn, CommandMenuState, 0, 0, 1, {0, 1, 0, 0, 0, 1}},
        {WatchUnitTurn, OpenSkillMenu, 1, 0, 1, {0, 1, 0, 0, 0, 0}},
        {BattleMessageWaitState, UnitIdleState, 1, 0, 0, {0, 1, 0, 1, 0, 0}},
        {WaitFinalMessageKey, UnitIdleState, 1, 0, 1, {0, 1, 0, 1, 0, 1}},
    };
    for (const Row& r : rows) {
        b->stateFn = r.controller;
        unit->stateFn = r.unit;
        std::tie(b->infoShown, b->autoBattle, b->hudShown) = std::tuple(r.info, r.autoOn, r.hud);
        headless::ClearDrawCalls();
        DrawBattleController(TaskAt(TASK_SLOT_BATTLE));
        EXPECT_EQ((Shown{Drew(RECT_BATTLE_PAUSE_FRAME), Drew(RECT_TOP_BAR_PANEL),
                         Drew(RECT_UNIT_STATUS_PANEL), Drew(RECT_MESSAGE_WINDOW),
                         Drew(RECT_AUTO_ICON), Drew(RECT_BOTTOM_BAR)}),
                  r.shown)
            << &r - rows;
    }
}

}  // namespace
