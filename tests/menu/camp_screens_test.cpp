// The camp's item, magic, order and status screens as the player drives them from the camp
// menu: the sounds of each press, and the bag, the members, their magic points and the order
// afterwards.
#include <cstring>

#include "data/atlas_camp.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "engine/keyboard.h"
#include "field/countdown.h"
#include "menu/camp_menu.h"
#include "menu/camp_screens.h"
#include "menu/field_menu_fixture.h"
#include "menu/menu_flow.h"

namespace {

using Log = std::vector<std::string>;
using Keys = std::vector<int>;
using Held = std::pair<int32_t, int32_t>;  // item id, count
const Held EMPTY = {ITEM_NONE, 0};
const Log cursor = {"play:1:once"};
const Log buzzer = {"play:11:once"};
const Log heal = {"play:1:once", "play:12:once"};
const Log equip = {"play:13:once"};
const Keys MAGIC = {KEY_RIGHT};
const Keys STATUS = {KEY_DOWN};
const Keys ITEMS = {KEY_DOWN, KEY_RIGHT};
const Keys ORDER = {KEY_DOWN, KEY_DOWN};

class CampScreensTest : public FieldMenuFixture {
  protected:
    void SetUp() override {
        SetUpField();
        game->Frame();
    }

    // Shift, the camp menu's entry, then the command: the screen's first update has run.
    void Open(Keys command) {
        Press({KEY_SHIFT, KEY_DOWN, KEY_Z});
        command.push_back(KEY_Z);
        Press(command);
    }
    static void ResetRoster(int32_t count) {
        std::copy(characterTemplates, characterTemplates + PARTY_MAX, partyRoster);
        partyCount = count;
    }
    // The whole bag empty but for the slots given.
    static void Bag(const std::vector<std::pair<int, Held>>& slots) {
        std::fill(std::begin(inventory), std::end(inventory), InventorySlot{ITEM_NONE, 0});
        for (const auto& [index, held] : slots) {
            inventory[index] = {held.first, held.second};
        }
    }
    static Held Slot(int i) { return {inventory[i].itemId, inventory[i].count}; }

    static bool CampOpen() { return IsTaskSlotInUse(TASK_SLOT_CAMP_MENU); }
    static ItemMenuPayload* Items() {
        return Payload<ItemMenuPayload>(TASK_SLOT_ITEM_MENU, TASK_KIND_ITEM_MENU);
    }
    static MagicMenuPayload* Magic() {
        return Payload<MagicMenuPayload>(TASK_SLOT_MAGIC_MENU, TASK_KIND_MAGIC_MENU);
    }
    static OrderMenuPayload* Order() {
        return Payload<OrderMenuPayload>(TASK_SLOT_ORDER_MENU, TASK_KIND_ORDER_MENU);
    }
    static StatusMenuPayload* Status() {
        return Payload<StatusMenuPayload>(TASK_SLOT_STATUS_MENU, TASK_KIND_STATUS_MENU);
    }

    // Whether the picture was drawn last frame: at (x, y) unless x < 0, in the colour unless 0.
    static bool Drawn(const AtlasRect& source, float x = -1, float y = -1, uint32_t colour = 0) {
        const std::vector<DrawnSprite> drawn = DrawnSprites();
        return std::any_of(drawn.begin(), drawn.end(), [&](const DrawnSprite& s) {
            return s.source.left == source.left && s.source.top == source.top &&
                   s.source.right == source.right && (colour == 0 || s.colour == colour) &&
                   (x < 0 || (s.screen.left == x && s.screen.top == y));
        });
    }
    // The number drawn in the medium digits from (x, y) last frame (left to right), or -1.
    static int NumberAt(float x, float y) {
        int n = -1;
        for (const DrawnSprite& s : DrawnSprites()) {
            const bool inRow = s.screen.top == y && s.screen.left >= x && s.screen.left < x + 80;
            for (int d = 0; inRow && d < 10; ++d) {
                if (s.source.left == mediumDigitRects[d].left &&
                    s.source.top == mediumDigitRects[d].top) {
                    n = std::max(n, 0) * 10 + d;
                }
            }
        }
        return n;
    }
    // The magic grid's cursor moved from the first cell to the skill's cell on page 0.
    void GoToSkill(int32_t skill) {
        Press(Keys(static_cast<size_t>(skill / 3), KEY_DOWN));
        Press(Keys(static_cast<size_t>(skill % 3), KEY_RIGHT));
    }
};

TEST_F(CampScreensTest, TheItemTabsAndGridPagesAndTheSlotChosen) {
    Bag({});
    Open(ITEMS);
    ASSERT_NE(Items(), nullptr);
    EXPECT_EQ(Press(KEY_Z), cursor);
    const struct {
        Keys keys;
        int page, column, row, slot;
    } moves[] = {
        {{KEY_RIGHT}, 0, 1, 0, 1},
        {{KEY_RIGHT, KEY_RIGHT}, 1, 0, 0, 20},
        {{KEY_LEFT}, 3, 0, 0, 60},  // the first column of the last page, not its second
        {{KEY_LEFT, KEY_UP, KEY_RIGHT}, 3, 1, 9, 79},
    };
    for (const auto& m : moves) {
        Items()->page = Items()->column = Items()->row = 0;
        EXPECT_EQ(Press(m.keys), cursor);
        EXPECT_EQ(Items()->page, m.page);
        EXPECT_EQ(Items()->column, m.column);
        EXPECT_EQ(Items()->row, m.row);
        EXPECT_EQ(Press(KEY_Z), cursor) << "an empty cell only sounds";
        EXPECT_EQ(Items()->slot, m.slot);
        EXPECT_EQ(Items()->state, UseTabSelectItem);
    }
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    for (const auto& [key, tab] : std::vector<std::pair<int, int>>{
             {KEY_RIGHT, 1}, {KEY_DOWN, 2}, {KEY_RIGHT, 0}, {KEY_LEFT, 2}, {KEY_UP, 1}}) {
        EXPECT_EQ(Press(key), cursor);
        EXPECT_EQ(Items()->tab, tab);
    }
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Items(), nullptr);
    EXPECT_TRUE(CampOpen());
}

TEST_F(CampScreensTest, ConsumablesActOnTheChosenMemberAndTakeOneEach) {
    Open(ITEMS);
    Press(KEY_Z);
    const struct {
        int32_t id, count, member, hp, mp;
        uint32_t status;
        Log sounds;
    } uses[] = {
        {0, 4, 0, 110, 0, 3, heal},  {1, 1, 0, 150, 0, 3, heal},  // the last one empties it
        {2, 2, 1, 10, 0, 3, heal},                                // a fighter has no MP
        {3, 2, 0, 10, 250, 3, heal}, {4, 2, 2, 10, 0, 2, heal},
        {5, 2, 2, 10, 0, 1, heal},   {7, 2, 0, 10, 0, 3, cursor},
    };
    for (const auto& u : uses) {
        SCOPED_TRACE("item " + std::to_string(u.id));
        ResetRoster(3);
        for (CharacterRecord& r : partyRoster) {
            r.hp = 10;
            r.mp = 0;
            r.statusBits = 3;
        }
        Bag({{0, {u.id, u.count}}});
        Items()->page = Items()->column = Items()->row = 0;
        EXPECT_EQ(Press(KEY_Z), cursor);
        ASSERT_EQ(Items()->state, SelectItemTarget);
        Press(Keys(static_cast<size_t>(u.member), KEY_DOWN));
        EXPECT_EQ(Press(KEY_Z), u.sounds);
        EXPECT_EQ(partyRoster[u.member].hp, u.hp);
        EXPECT_EQ(partyRoster[u.member].mp, u.mp);
        EXPECT_EQ(partyRoster[u.member].statusBits, u.status);
        EXPECT_EQ(Slot(0), (u.count > 1 ? Held{u.id, u.count - 1} : EMPTY));
        EXPECT_EQ(Items()->state, WaitAfterItemUse);
        EXPECT_TRUE(Drawn(RECT_MENU_CURSOR, 8, 380 + 25.0f * u.member)) << "the list stays";
        Press(KEY_Z);
        EXPECT_EQ(Items()->state, UseTabSelectItem);
    }
    // Without a key the pause ends by itself.
    Press(KEY_Z);
    Press(KEY_Z);
    ASSERT_EQ(Items()->state, WaitAfterItemUse);
    EXPECT_TRUE(game->RunUntil([] { return Items()->state == UseTabSelectItem; }, 60));
}

TEST_F(CampScreensTest, EquippingChecksRoomBeforeClassAndSwapsThePieces) {
    Open(ITEMS);
    Press(KEY_Z);
    const AtlasRect* signs[] = {nullptr, &RECT_EQUIP_BETTER[0], &RECT_EQUIP_BETTER[1],
                                &RECT_EQUIP_WORSE[0], &RECT_EQUIP_CANNOT};
    const int32_t N = ITEM_NONE;
    const struct {
        int member;
        int32_t piece;  // in the item's place before
        Held chosen;
        bool fullBag;
        int32_t reason, pieceAfter;
        Held slot0, slot1;
        int sign;
    } cases[] = {
        {0, 10, {10, 3}, false, 0, 10, {10, 3}, EMPTY, 0},  // the same id joins its own stack
        {0, 10, {11, 1}, false, 0, 11, EMPTY, {10, 1}, 1},
        {0, 11, {10, 1}, false, 0, 10, EMPTY, {11, 1}, 3},
        {0, 20, {21, 2}, false, 0, 21, {21, 1}, {20, 1}, 2},
        {0, 10, {11, 1}, true, 1, 10, {11, 1}, {0, 99}, 1},  // its own slot would free too late
        {1, 10, {13, 1}, true, 1, 10, {13, 1}, {0, 99}, 4},  // room before class
        {1, 10, {13, 1}, false, 2, 10, {13, 1}, EMPTY, 4},
        {2, N, {14, 1}, false, 0, 14, EMPTY, EMPTY, 1},  // no piece is worse than any
        {1, N, {13, 1}, false, 2, N, {13, 1}, EMPTY, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        ResetRoster(3);
        CharacterRecord& member = partyRoster[c.member];
        int32_t& place = itemTable[c.chosen.first].type == ITEM_TYPE_WEAPON ? member.weaponItemId
                                                                            : member.armorItemId;
        place = c.piece;
        Bag({{0, c.chosen}});
        for (int i = 1; c.fullBag && i < INVENTORY_SLOT_COUNT; ++i) {
            inventory[i] = {0, 99};
        }
        Items()->page = Items()->column = Items()->row = 0;
        Press(KEY_Z);
        Press(Keys(static_cast<size_t>(c.member), KEY_DOWN));
        const float signY = 380 + 25.0f * c.member;
        for (int sign = 1; sign < 5; ++sign) {
            EXPECT_EQ(Drawn(*signs[sign], 550, signY), sign == c.sign) << sign;
        }
        EXPECT_EQ(Press(KEY_Z), c.reason == 0 ? equip : buzzer);
        EXPECT_EQ(place, c.pieceAfter);
        EXPECT_EQ(Slot(0), c.slot0);
        EXPECT_EQ(Slot(1), c.slot1);
        if (c.reason != 0) {
            EXPECT_EQ(Items()->failReason, c.reason);
            EXPECT_EQ(Items()->state, WaitItemMessage);
            EXPECT_TRUE(Drawn(RECT_EQUIP_REFUSALS[c.reason - 1]));
        }
        Press(KEY_Z);
        EXPECT_EQ(Items()->state, UseTabSelectItem);
    }
}

TEST_F(CampScreensTest, DiscardRefusesKeyItemsAndSortAsksFirst) {
    Bag({{0, {ITEM_BOAT, 1}}, {1, {0, 37}}});
    Open(ITEMS);
    Press({KEY_RIGHT, KEY_Z});
    ASSERT_EQ(Items()->state, DiscardTabSelectItem);
    EXPECT_EQ(Press(KEY_Z), Log({"play:1:once", "play:11:once"}));
    EXPECT_EQ(Items()->state, DiscardTabSelectItem);
    Press({KEY_RIGHT, KEY_Z});
    EXPECT_EQ(Items()->state, ConfirmDiscardItem);
    EXPECT_TRUE(Press(KEY_ESCAPE).empty()) << "not read in the question";
    Press(KEY_Z);  // no
    EXPECT_EQ(Slot(1), Held(0, 37));
    EXPECT_EQ(Items()->state, DiscardTabSelectItem);
    Press({KEY_Z, KEY_DOWN, KEY_Z});
    EXPECT_EQ(Slot(1), EMPTY) << "the whole stack";
    EXPECT_EQ(Items()->state, DiscardTabSelectItem);
    EXPECT_EQ(Items()->choice, 0);

    Bag({{0, {10, 1}}, {2, {0, 4}}, {3, {10, 2}}});
    Press({KEY_ESCAPE, KEY_RIGHT, KEY_Z, KEY_Z});  // no
    EXPECT_EQ(Items()->state, SelectItemTab);
    EXPECT_EQ(inventory[0].itemId, 10);
    Press({KEY_Z, KEY_DOWN, KEY_Z});
    EXPECT_EQ(Items()->state, SelectItemTab);
    const Held sorted[] = {{0, 4}, {10, 1}, {10, 2}, EMPTY};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Slot(i), sorted[i]) << i;
    }
}

TEST_F(CampScreensTest, TheAmuletStartsTheCountdownAndGoesStraightToTheField) {
    Bag({{0, {ITEM_AMULET, 2}}});
    Open(ITEMS);
    Press({KEY_Z, KEY_Z});
    ASSERT_EQ(Items()->state, ConfirmUseSpecialItem);
    Press(KEY_Z);  // no
    EXPECT_EQ(Items()->state, UseTabSelectItem);
    Press({KEY_Z, KEY_DOWN, KEY_Z});
    ASSERT_EQ(Items()->state, UseSpecialItem);
    EXPECT_TRUE(Drawn(RECT_SPECIAL_USED_TEXT));
    EXPECT_EQ(Press(KEY_Z), Log({"play:22:once"}));
    EXPECT_EQ(Items(), nullptr);
    EXPECT_FALSE(CampOpen());
    EXPECT_TRUE(TaskAt(TASK_SLOT_PARTY_FIRST)->updateOn != 0) << "the field runs again";
    EXPECT_EQ(Slot(0), Held(ITEM_AMULET, 1));
    const CountdownPayload* countdown =
        Payload<CountdownPayload>(TASK_SLOT_COUNTDOWN, TASK_KIND_COUNTDOWN);
    ASSERT_NE(countdown, nullptr);
    EXPECT_EQ(countdown->count, itemTable[ITEM_AMULET].value);
}

TEST_F(CampScreensTest, CastingHealsAndCuresAndCostsTheCaster) {
    Open(MAGIC);
    ASSERT_NE(Magic(), nullptr);
    const struct {
        int32_t caster, skill, casterMp;
        int target;  // -1: the whole party, after the question
        int32_t hp[3];
        uint32_t status1;
        int32_t mpAfter;
    } casts[] = {
        {0, 4, 250, 1, {10, 110, 10}, 3, 240},
        {0, 4, 10, 1, {10, 110, 10}, 3, 0},  // exactly the cost
        {2, 6, 400, 0, {150, 10, 10}, 3, 380},
        {0, 5, 250, -1, {110, 110, 100}, 3, 220},  // each at most its maximum
        {2, 8, 400, 1, {10, 10, 10}, 2, 390},      // poison only
        {2, 9, 400, 1, {10, 10, 10}, 1, 380},
    };
    for (const auto& c : casts) {
        SCOPED_TRACE("skill " + std::to_string(c.skill));
        ResetRoster(3);
        for (CharacterRecord& r : partyRoster) {
            r.hp = 10;
        }
        partyRoster[1].statusBits = 3;
        partyRoster[c.caster].mp = c.casterMp;
        Magic()->caster = 0;
        Magic()->state = SelectCaster;
        Press(Keys(static_cast<size_t>(c.caster), KEY_DOWN));
        EXPECT_EQ(Press(KEY_Z), cursor);
        GoToSkill(c.skill);
        EXPECT_EQ(Press(KEY_Z), cursor);
        if (c.target < 0) {
            ASSERT_EQ(Magic()->state, ConfirmPartySpell);
            Press({KEY_DOWN, KEY_Z});
            EXPECT_EQ(Plays(), heal) << "both frames: the cast comes after the answer";
            EXPECT_EQ(Magic()->state, MoveSpellGridCursor) << "no pause";
        } else {
            ASSERT_EQ(Magic()->state, SelectSpellTarget);
            Press(Keys(static_cast<size_t>(c.target), KEY_DOWN));
            Press(KEY_Z);
            EXPECT_EQ(Plays(), heal);
            EXPECT_EQ(Magic()->state, WaitAfterCast);
            EXPECT_TRUE(Drawn(RECT_MAGIC_TARGET_CAPTION));
            Press(KEY_Z);
            EXPECT_EQ(Magic()->state, MoveSpellGridCursor);
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(partyRoster[i].hp, c.hp[i]) << i;
        }
        EXPECT_EQ(partyRoster[1].statusBits, c.status1);
        EXPECT_EQ(partyRoster[c.caster].mp, c.mpAfter);
    }
}

TEST_F(CampScreensTest, WhatTheMagicGridRefusesAndWhereItsKeysLead) {
    ResetRoster(3);
    const struct {
        int32_t skill, caster, mp, expected;
    } checks[] = {{0, 1, 0, SPELL_FIGHTER},
                  {0, 0, 250, SPELL_NOT_FIELD},  // fighter checked first
                  {7, 0, 250, SPELL_LEVEL_LOW},
                  {4, 0, 9, SPELL_MP_LOW},
                  {4, 0, 10, SPELL_CASTABLE}};
    for (const auto& c : checks) {
        partyRoster[c.caster].mp = c.mp;
        EXPECT_EQ(CheckSpellCastable(c.skill, c.caster), c.expected) << c.skill;
    }

    partyRoster[0].mp = 5;
    Open(MAGIC);
    Press({KEY_DOWN, KEY_Z});  // the fighter
    GoToSkill(4);
    EXPECT_TRUE(Drawn(RECT_SKILL_NAMES[4], 230, 226, COLOUR_WINDOW)) << "dimmed for a fighter";
    EXPECT_TRUE(Press(KEY_Z).empty()) << "a fighter's choice is silent";
    EXPECT_EQ(Magic()->state, MoveSpellGridCursor);
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Magic()->state, SelectCaster);
    EXPECT_EQ(Magic()->column + Magic()->row, 0);
    Press({KEY_UP, KEY_Z});
    GoToSkill(4);
    EXPECT_TRUE(Drawn(RECT_SKILL_NAMES[4], 230, 226, COLOUR_WHITE)) << "whatever the MP";
    EXPECT_EQ(Press(KEY_Z), buzzer);
    EXPECT_EQ(Magic()->state, WaitSpellMessage);
    EXPECT_TRUE(Drawn(RECT_NOT_ENOUGH_MP));
    Press(KEY_Z);
    partyRoster[0].mp = 250;
    Press(KEY_Z);
    Press(KEY_ESCAPE);
    EXPECT_EQ(Magic()->state, MoveSpellGridCursor);
    EXPECT_EQ(Magic()->column, 1) << "back on the skill just chosen";
    EXPECT_EQ(Magic()->row, 1);

    // Left off the first page's first column: the last column of the other page.
    Magic()->column = Magic()->row = 0;
    EXPECT_EQ(Press(KEY_LEFT), cursor);
    EXPECT_EQ(Magic()->page, 1);
    EXPECT_EQ(Magic()->column, 2);
    EXPECT_TRUE(Drawn(RECT_SKILL_NAMES[14], 440, 204));
    EXPECT_TRUE(Press(KEY_Z).empty()) << "not a skill for the field";
    Press(KEY_DOWN);
    EXPECT_TRUE(Press(KEY_Z).empty()) << "an empty cell";
    EXPECT_EQ(Magic()->state, MoveSpellGridCursor);

    // A paralysed caster cannot act; Escape at the caster list ends the screen.
    partyRoster[0].statusBits = STATUS_PARALYSIS;
    Press(KEY_ESCAPE);
    EXPECT_EQ(Press(KEY_Z), Log({"play:1:once", "play:11:once"}));
    EXPECT_EQ(Magic()->state, WaitCasterMessage);
    Press(KEY_Z);
    EXPECT_EQ(Magic()->state, SelectCaster);
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Magic(), nullptr);
    EXPECT_TRUE(CampOpen());
}

TEST_F(CampScreensTest, TheOrderScreenPutsThePicksInTheRoster) {
    ResetRoster(4);
    CharacterRecord before[PARTY_MAX];
    std::copy(partyRoster, partyRoster + PARTY_MAX, before);
    before[3].exp = 77;  // whole records move, not only their ids
    partyRoster[3].exp = 77;
    Open(ORDER);
    ASSERT_NE(Order(), nullptr);
    EXPECT_EQ(Press({KEY_DOWN, KEY_DOWN, KEY_Z}), cursor);  // 2
    EXPECT_EQ(Press(KEY_Z), buzzer) << "picked already";
    EXPECT_EQ(Order()->pickedCount, 1);
    Press({KEY_DOWN, KEY_DOWN, KEY_Z, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_Z, KEY_UP, KEY_UP, KEY_Z});
    EXPECT_EQ(Order()->pickedCount, 4);
    Press(KEY_Z);
    EXPECT_EQ(Order()->state, ConfirmPartyOrder);
    Press(KEY_Z);  // no keeps the picks; Escape then takes back the last
    EXPECT_EQ(Order()->pickedCount, 4);
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Order()->pickedCount, 3);
    EXPECT_EQ(Order()->newOrder[3].characterId, -1);
    Press({KEY_Z, KEY_Z, KEY_DOWN, KEY_Z});
    EXPECT_EQ(Order(), nullptr);
    EXPECT_TRUE(CampOpen());
    const int order[] = {2, 0, 3, 1};
    for (int i = 0; i < PARTY_MAX; ++i) {
        EXPECT_EQ(std::memcmp(&partyRoster[i], &before[order[i]], sizeof(CharacterRecord)), 0) << i;
    }

    // Escape takes back one pick at a time, then leaves the party as it was.
    std::copy(partyRoster, partyRoster + PARTY_MAX, before);
    Press({KEY_DOWN, KEY_DOWN, KEY_Z});
    Press({KEY_Z, KEY_DOWN, KEY_Z, KEY_DOWN, KEY_Z});
    EXPECT_EQ(Order()->pickedCount, 3);
    Press({KEY_ESCAPE, KEY_ESCAPE, KEY_ESCAPE});
    EXPECT_EQ(Order()->pickedCount, 0);
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Order(), nullptr);
    EXPECT_EQ(std::memcmp(partyRoster, before, sizeof(before)), 0);
}

TEST_F(CampScreensTest, TheStatusScreenShowsTheMemberAndItsGear) {
    ResetRoster(3);
    CharacterRecord& r = partyRoster[1];
    r.attack = 12.9f;
    r.defence = 7.5f;
    r.armorItemId = ITEM_NONE;
    r.exp = 0;
    r.statusBits = STATUS_POISON | STATUS_PARALYSIS;
    Open(STATUS);
    ASSERT_NE(Status(), nullptr);
    EXPECT_EQ(Press(KEY_RIGHT), cursor);
    EXPECT_EQ(Status()->member, 1);
    const struct {
        float x, y;
        int shown;
    } numbers[] = {
        {170, 331, 12 + itemTable[r.weaponItemId].value},
        {170, 356, 7},  // no armour, nothing added
        {500, 282, 1000},
        {500, 132, r.level},
    };
    for (const auto& n : numbers) {
        EXPECT_EQ(NumberAt(n.x, n.y), n.shown) << n.x << "," << n.y;
    }
    EXPECT_TRUE(Drawn(itemTable[r.weaponItemId].nameRect, 500, 190));
    EXPECT_TRUE(Drawn(RECT_MEMBER_POISON_ICON, 500, 250));
    EXPECT_TRUE(Drawn(RECT_MEMBER_PARALYSIS_ICON, 527, 250));

    partyCount = 1;
    Status()->member = 0;
    EXPECT_EQ(Press(KEY_DOWN), cursor);
    EXPECT_EQ(Status()->member, 0);
    EXPECT_EQ(Press(KEY_Z), cursor);
    EXPECT_EQ(Status(), nullptr);
    EXPECT_TRUE(CampOpen());
}

TEST_F(CampScreensTest, WithNoPartyNoCursorLeavesTheListAndNothingIsUsed) {
    Bag({{0, {0, 4}}});
    const struct {
        Keys command;
        Keys keys;
        Log last;
    } screens[] = {
        {STATUS, {KEY_UP}, cursor},
        {MAGIC, {KEY_UP, KEY_Z}, buzzer},
        {ITEMS, {KEY_Z, KEY_Z}, Log({"play:1:once", "play:11:once"})},
        {ORDER, {KEY_UP, KEY_Z, KEY_DOWN, KEY_Z}, cursor},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE("screen " + std::to_string(&s - screens));
        PlaceField();
        Bag({{0, {0, 4}}});
        partyCount = 0;
        game->Frame();
        Open(s.command);
        EXPECT_EQ(Press(s.keys), s.last);
        if (Status() != nullptr) {
            EXPECT_EQ(Status()->member, 0);
            EXPECT_FALSE(Drawn(RECT_STATUS_LEVEL_LABEL));
        } else if (Magic() != nullptr) {
            EXPECT_EQ(Magic()->caster, 0);
            EXPECT_EQ(Magic()->state, SelectCaster);
        } else if (Items() != nullptr) {
            EXPECT_EQ(Items()->state, UseTabSelectItem);
            EXPECT_EQ(inventory[0].count, 4);
        } else {
            EXPECT_TRUE(CampOpen()) << "the empty order was taken";
        }
        EXPECT_EQ(partyCount, 0);
    }
}

}  // namespace
