// The field's menus as the player drives them, with the sounds of each press: the system menu
// (its gates, the frozen world, each entry, the refused save), the camp menu (its cursor grid,
// closing, the screens it hands over to) and the save/load screen (the list, the question and
// the answers to a save or a load).
#include <sys/stat.h>

#include "data/atlas_images.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "menu/camp_menu.h"
#include "menu/field_menu_fixture.h"
#include "menu/menu_flow.h"
#include "menu/save_load.h"
#include "menu/system_menu.h"
#include "menu/title_screen.h"

namespace {

using Log = std::vector<std::string>;
const Log cursor = {"play:1:once"};
const Log buzzer = {"play:1:once", "play:11:once"};
const Log saved = {"play:1:once", "play:2:once"};

int failingRename(const char*, const char*) {
    return -1;
}

class FieldMenusTest : public FieldMenuFixture {
  protected:
    void SetUp() override {
        SetUpField();
        game->Frame();
    }
    void TearDown() override { saveFileOps = SYSTEM_SAVE_FILE_OPS; }

    static MenuTask* Menu() { return Payload<MenuTask>(TASK_SLOT_SYSTEM_MENU, 5020); }
    static CampMenuPayload* Camp() {
        return Payload<CampMenuPayload>(TASK_SLOT_CAMP_MENU, TASK_KIND_CAMP_MENU);
    }
    static SaveLoadMenu* Screen() {
        return Payload<SaveLoadMenu>(TASK_SLOT_SAVE_LOAD, TASK_KIND_SAVE_LOAD);
    }
    // Whether the field runs: the leader's update is on.
    static bool FieldRuns() { return TaskAt(TASK_SLOT_PARTY_FIRST)->updateOn != 0; }
    // Opens the system menu, then presses the keys; the sounds of the last press.
    Log FromMenu(const std::vector<int>& keys) {
        Log plays = Press(KEY_SHIFT);
        EXPECT_NE(Menu(), nullptr);
        return keys.empty() ? plays : Press(keys);
    }
};

TEST_F(FieldMenusTest, ShiftFreezesTheFieldUnderTheMenuUnlessABattleOrAnEventRuns) {
    for (int busy : {TASK_SLOT_BATTLE, TASK_SLOT_EVENT_RUNNER}) {
        StartTask(AllocTaskAt(busy), TASK_KIND_NPC, 0, nullptr, nullptr);
        EXPECT_TRUE(Press(KEY_SHIFT).empty()) << busy;
        EXPECT_EQ(Menu(), nullptr) << busy;
        TaskAt(busy)->inUse = 0;
    }
    // A menu that cannot be made leaves the field running.
    StartTask(AllocTaskAt(390), TASK_KIND_SYSTEM_MENU, 0, nullptr, nullptr);
    EXPECT_TRUE(Press(KEY_SHIFT).empty());
    EXPECT_TRUE(FieldRuns());
    TaskAt(390)->inUse = 0;

    headless::ClearSoundLog();
    game->Hold(KEY_SHIFT);
    game->Frame();
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Menu()->saveAllowed, 1u);
    const Log& log = headless::SoundLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().rfind("stop:", 0), 0u) << "the effects stop first";
    EXPECT_EQ(Plays(), cursor);
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        const TaskSlot* t = TaskAt(i);
        if (t->inUse != 0 && i != TASK_SLOT_SYSTEM_MENU) {
            EXPECT_EQ(t->updateOn, t->kind == TASK_KIND_MAP_VIEW ? 1u : 0u) << i;
            EXPECT_EQ(t->drawOn, 1u) << i;
        }
    }
    game->Release(KEY_SHIFT);
    game->Frame();
    EXPECT_TRUE(Press(KEY_ESCAPE).empty()) << "the menu is left only through its entries";
    EXPECT_NE(Menu(), nullptr);

    // The walk marker's menu, which refuses to save: its save entry only buzzes.
    PlaceField();
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        TaskAt(i)->inUse = 0;
    }
    game->Hold(KEY_SHIFT);
    game->Frame();
    ASSERT_TRUE(TryOpenFieldMenu());
    game->Release(KEY_SHIFT);
    game->Frame();
    EXPECT_EQ(Press({KEY_DOWN, KEY_DOWN, KEY_Z}), buzzer);
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Screen(), nullptr);
    const std::vector<DrawnSprite> drawn = DrawnSprites();
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [](const DrawnSprite& s) {
        return s.source.top == RECT_SYSTEM_ENTRY_SAVE_REFUSED.top;
    }));
}

TEST_F(FieldMenusTest, EachEntryOfTheSystemMenu) {
    const Log toTitle = {"play:26:loop", "play:1:once"};
    const struct {
        std::vector<int> keys;
        uint32_t onTop;  // the kind that takes the keys next, 0 for the field
        Log sounds;
    } routes[] = {
        {{KEY_Z}, 0, cursor},
        {{KEY_DOWN, KEY_Z}, TASK_KIND_CAMP_MENU, cursor},
        {{KEY_DOWN, KEY_DOWN, KEY_Z}, TASK_KIND_SAVE_LOAD, cursor},
        {{KEY_UP, KEY_UP, KEY_Z}, TASK_KIND_SAVE_LOAD, cursor},
        {{KEY_UP, KEY_Z, KEY_Z}, TASK_KIND_SYSTEM_MENU, cursor},
        {{KEY_UP, KEY_Z, KEY_DOWN, KEY_Z}, TASK_KIND_TITLE, toTitle},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE("route " + std::to_string(&route - routes));
        PlaceField();
        game->Frame();
        EXPECT_EQ(FromMenu(route.keys), route.sounds);
        EXPECT_EQ(Menu() != nullptr, route.onTop == TASK_KIND_SYSTEM_MENU);
        EXPECT_TRUE(route.onTop == 0 || TaskKindExists(route.onTop));
        EXPECT_EQ(IsTaskSlotInUse(0) && FieldRuns(), route.onTop == 0);
        if (route.onTop == TASK_KIND_SAVE_LOAD) {
            EXPECT_EQ(Screen()->mode, route.keys[0] == KEY_DOWN ? SAVE_MODE_SAVE : SAVE_MODE_LOAD);
            EXPECT_EQ(Screen()->returnToField, 1u);
            EXPECT_EQ(Screen()->state, SelectSaveSlotState) << "its first update came at once";
        } else if (route.onTop == TASK_KIND_SYSTEM_MENU) {
            EXPECT_EQ(Menu()->count, 5) << "the quit question's no brings back the list";
            EXPECT_EQ(Menu()->cursor, 0);
        } else if (route.onTop == TASK_KIND_TITLE) {
            EXPECT_FALSE(TaskKindExists(TASK_KIND_PARTY_MEMBER));
        }
    }
}

TEST_F(FieldMenusTest, TheCampMenusCursorCommandsAndClosing) {
    FromMenu({KEY_DOWN, KEY_Z});
    ASSERT_NE(Camp(), nullptr);
    const struct {
        int key;
        int column;
        int row;
    } moves[] = {{KEY_RIGHT, 1, 0}, {KEY_RIGHT, 0, 0}, {KEY_UP, 0, 2},  {KEY_DOWN, 0, 0},
                 {KEY_LEFT, 1, 0},  {KEY_DOWN, 1, 1},  {KEY_DOWN, 1, 2}};
    for (const auto& m : moves) {
        EXPECT_EQ(Press(m.key), cursor);
        EXPECT_EQ(Camp()->column, m.column);
        EXPECT_EQ(Camp()->row, m.row);
    }
    EXPECT_TRUE(Press(KEY_SPACE).empty());
    const std::vector<DrawnSprite> drawn = DrawnSprites();
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [](const DrawnSprite& s) {
        return s.source.left == RECT_MENU_CURSOR.left && s.screen.left == 146 && s.screen.top == 54;
    })) << "the hand beside the options command";

    // Escape closes at once; the close command asks first, and no keeps the cursor.
    EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    EXPECT_EQ(Camp(), nullptr);
    EXPECT_TRUE(FieldRuns());
    FromMenu({KEY_DOWN, KEY_Z});
    EXPECT_EQ(Press(KEY_Z), cursor);
    EXPECT_EQ(Camp()->state, ConfirmCampClose);
    EXPECT_TRUE(Press(KEY_ESCAPE).empty()) << "not read in the question";
    Press(KEY_Z);
    EXPECT_EQ(Camp()->state, SelectCampCommand);
    EXPECT_EQ(Camp()->column + Camp()->row, 0);
    EXPECT_EQ(Press({KEY_Z, KEY_DOWN, KEY_Z}), cursor);
    EXPECT_EQ(Camp(), nullptr);
    EXPECT_TRUE(FieldRuns());

    // The four screens take over from the camp menu and, left with Escape, hand back a fresh
    // one with the world still frozen; one that cannot open leaves the camp menu buzzing.
    FromMenu({KEY_DOWN, KEY_Z});
    for (const std::vector<int>& to : std::vector<std::vector<int>>{
             {KEY_RIGHT}, {KEY_DOWN}, {KEY_DOWN, KEY_RIGHT}, {KEY_DOWN, KEY_DOWN}}) {
        Press(to);
        EXPECT_EQ(Press(KEY_Z), cursor);
        EXPECT_EQ(Camp(), nullptr);
        EXPECT_EQ(Press(KEY_ESCAPE), cursor);
        game->Frame();  // the magic screen closes a frame after its Escape
        ASSERT_NE(Camp(), nullptr);
        EXPECT_EQ(Camp()->column + Camp()->row, 0) << "a fresh menu";
        EXPECT_FALSE(FieldRuns());
    }
    StartTask(AllocTaskAt(TASK_SLOT_MAGIC_MENU), TASK_KIND_NPC, 0, nullptr, nullptr);
    EXPECT_EQ(Press({KEY_RIGHT, KEY_Z}), buzzer);
    EXPECT_EQ(Camp()->column, 1);
    EXPECT_EQ(OpenCampMenu(), 0);
    EXPECT_EQ(Camp()->column, 1) << "the running menu was reset";
    // The options screen opens over the frozen world and does not bring the camp menu back:
    // the world runs again when it closes, to the field's music.
    Press({KEY_DOWN, KEY_DOWN, KEY_Z});
    EXPECT_EQ(Camp(), nullptr);
    ASSERT_TRUE(TaskKindExists(TASK_KIND_OPTIONS));
    EXPECT_FALSE(FieldRuns());
    EXPECT_EQ(Press(KEY_ESCAPE), Log({"play:27:loop", "play:1:once"}));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_OPTIONS) || TaskKindExists(TASK_KIND_TITLE));
    EXPECT_EQ(Camp(), nullptr);
    EXPECT_TRUE(FieldRuns());
}

TEST_F(FieldMenusTest, TheSaveScreensListQuestionAndAnswers) {
    FromMenu({KEY_DOWN, KEY_DOWN, KEY_Z});
    ASSERT_NE(Screen(), nullptr);
    for (const auto& [key, slot] :
         std::vector<std::pair<int, int>>{{KEY_UP, 4}, {KEY_DOWN, 0}, {KEY_DOWN, 1}, {KEY_UP, 0}}) {
        EXPECT_EQ(Press(key), cursor);
        EXPECT_EQ(Screen()->cursor, slot);
    }
    EXPECT_EQ(Press(KEY_Z), cursor);
    EXPECT_EQ(Screen()->state, ConfirmSaveLoadState);
    for (const auto& [key, choice] :
         std::vector<std::pair<int, int>>{{KEY_UP, 1}, {KEY_UP, 0}, {KEY_DOWN, 1}}) {
        EXPECT_EQ(Press(key), cursor);
        EXPECT_EQ(Screen()->choice, choice);
    }
    EXPECT_TRUE(Press(KEY_ESCAPE).empty());
    EXPECT_EQ(Press(KEY_Z), saved);
    EXPECT_EQ(Screen()->state, WaitSavedMessage);
    EXPECT_FALSE(SaveBytes(0).empty());
    EXPECT_EQ(Screen()->slots[0].exists, 1u) << "the list shows the new save";
    EXPECT_EQ(Press(KEY_Z), cursor);
    EXPECT_EQ(Screen()->state, SelectSaveSlotState);

    // A write that fails shows it cannot save and keeps the old save; so does an event cell.
    const std::vector<uint8_t> old = SaveBytes(0);
    money = 1;
    saveFileOps.rename = failingRename;
    EXPECT_EQ(Press({KEY_Z, KEY_DOWN, KEY_Z}), buzzer);
    EXPECT_EQ(Screen()->state, WaitCannotSaveMessage);
    EXPECT_TRUE(SaveBytes(0) == old);
    EXPECT_EQ(Press(KEY_Z), cursor);
    EXPECT_EQ(Screen(), nullptr);
    EXPECT_TRUE(FieldRuns());
    saveFileOps = SYSTEM_SAVE_FILE_OPS;
    const Vec3 at = PartyMemberAt(0)->actor.head.position;
    eventLayer[WorldToMapCell(at.x, at.z)] = 1;
    EXPECT_EQ(FromMenu({KEY_DOWN, KEY_DOWN, KEY_Z, KEY_Z, KEY_DOWN, KEY_Z}), buzzer);
    EXPECT_EQ(Screen()->state, WaitCannotSaveMessage);
    EXPECT_TRUE(SaveBytes(0) == old);
    eventLayer[WorldToMapCell(at.x, at.z)] = 0;
    Press(KEY_Z);

    // Loading: an empty slot and a damaged save say there is no data; a good save loads.
    dir.Write("save1.dat", {1, 2, 3});
    for (int slot : {1, 2}) {
        FromMenu({KEY_UP, KEY_UP, KEY_Z});
        Press(std::vector<int>(static_cast<size_t>(slot), KEY_DOWN));
        EXPECT_EQ(Press({KEY_Z, KEY_DOWN, KEY_Z}), buzzer) << slot;
        EXPECT_EQ(Screen()->state, WaitNoDataMessage);
        EXPECT_EQ(Press(KEY_Z), cursor);
        EXPECT_EQ(Screen()->state, SelectSaveSlotState);
        EXPECT_EQ(Press(KEY_ESCAPE), cursor);
    }
    EXPECT_EQ(money, 1);
    FromMenu({KEY_UP, KEY_UP, KEY_Z});
    EXPECT_EQ(Press({KEY_Z, KEY_DOWN, KEY_Z}), Log({"play:27:loop", "play:1:once"}));
    EXPECT_EQ(Screen(), nullptr);
    EXPECT_EQ(money, 123456);
    EXPECT_TRUE(FieldRuns());
}

}  // namespace
