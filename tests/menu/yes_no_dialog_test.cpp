// The yes/no dialog and the quit question built on it, the start menu with its scenario
// question, and the ways back to the title or out of the program, driven from the title.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/atlas_images.h"
#include "data/atlas_menus.h"
#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "menu/menu_flow.h"
#include "menu/title_screen.h"
#include "menu/yes_no_dialog.h"

namespace {

using Log = std::vector<std::string>;

const Log cursorSound = {"play:1:once"};
// The title music starts while the update runs; the requested effects play after it.
const Log titleMusicThenCursor = {"play:26:loop", "play:1:once"};

class YesNoDialogTest : public MenuFlowTest {
  protected:
    static ConfirmDialog* Dialog() {
        if (!IsTaskSlotInUse(TASK_SLOT_YES_NO)) {
            return nullptr;
        }
        return TaskPayload<ConfirmDialog>(TaskAt(TASK_SLOT_YES_NO));
    }

    static StartMenu* Menu() {
        if (!IsTaskSlotInUse(TASK_SLOT_START_MENU)) {
            return nullptr;
        }
        return TaskPayload<StartMenu>(TaskAt(TASK_SLOT_START_MENU));
    }

    static bool TitleShown() {
        return IsTaskSlotInUse(TASK_SLOT_TITLE) && TaskAt(TASK_SLOT_TITLE)->kind == TASK_KIND_TITLE;
    }

    void OpenQuitQuestion() {
        Press({KEY_RIGHT, KEY_Z});
        ASSERT_NE(Dialog(), nullptr);
    }

    void OpenStartMenuFromTitle() {
        Press(KEY_Z);
        ASSERT_NE(Menu(), nullptr);
    }
};

// Callbacks of test dialogs: how often each ran, and whether the dialog's slot was still
// taken while it ran.
int firstCalls = 0;
int secondCalls = 0;
bool slotTakenDuringCallback = false;

void CountFirst() {
    firstCalls += 1;
    slotTakenDuringCallback = IsTaskSlotInUse(TASK_SLOT_YES_NO);
}

void CountSecond() {
    secondCalls += 1;
    slotTakenDuringCallback = IsTaskSlotInUse(TASK_SLOT_YES_NO);
}

TEST(CenterXRoundedTest, CentresOnTheScreenRoundingHalvesAwayFromZero) {
    EXPECT_EQ(CenterXRounded(279), 181.0f);
    EXPECT_EQ(CenterXRounded(101), 270.0f);
    EXPECT_EQ(CenterXRounded(641), -1.0f);
}

TEST_F(YesNoDialogTest, QuitQuestionStartsOnNoAndItsChoiceWrapsBothWays) {
    OpenQuitQuestion();
    EXPECT_EQ(Dialog()->choice, 0) << "the Return that opened it must not have answered it";
    EXPECT_EQ(Dialog()->state, RunConfirmDialog);

    std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_EQ(sprites.size(), 300u + 5u);
    ExpectSprite(sprites[299], uiAtlas, 608, 448, RECT_YES_NO_BACKGROUND_TILE, "last tile");
    ExpectSprite(sprites[300], uiAtlas, 240, 190, RECT_QUESTION_FRAME, "frame");
    ExpectSprite(sprites[301], uiAtlas, 259, 198, RECT_QUIT_PROMPT, "prompt");
    ExpectSprite(sprites[302], uiAtlas, 291, 230, RECT_CHOICE_NO, "no");
    ExpectSprite(sprites[303], uiAtlas, 301, 260, RECT_CHOICE_YES, "yes");
    ExpectSprite(sprites[304], uiAtlas, 252, 230, RECT_MENU_CURSOR, "cursor on no");

    struct Step {
        int key;
        int choice;
    };
    const Step steps[] = {{KEY_RIGHT, 1}, {KEY_DOWN, 0}, {KEY_LEFT, 1}, {KEY_UP, 0}, {KEY_DOWN, 1}};
    for (const Step& step : steps) {
        EXPECT_EQ(Press(step.key), cursorSound);
        ASSERT_NE(Dialog(), nullptr);
        EXPECT_EQ(Dialog()->choice, step.choice) << "key " << step.key;
    }
    ASSERT_EQ(DrawnSprites().size(), 305u);
    ExpectSprite(DrawnSprites()[304], uiAtlas, 252, 260, RECT_MENU_CURSOR, "cursor on yes");
    EXPECT_TRUE(Press(KEY_ESCAPE).empty());
    ASSERT_NE(Dialog(), nullptr) << "Escape does nothing";
    EXPECT_EQ(Dialog()->choice, 1);
}

TEST_F(YesNoDialogTest, NoReturnsToAFreshTitleAndYesEndsTheProgramAtTheEndOfTheFrame) {
    OpenQuitQuestion();
    EXPECT_EQ(Press(KEY_RETURN), titleMusicThenCursor);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_YES_NO));
    ASSERT_TRUE(TitleShown());
    EXPECT_EQ(TaskPayload<TitleScreen>(TaskAt(TASK_SLOT_TITLE))->selection, 0);
    OpenQuitQuestion();  // the new title takes keys
    Press(KEY_DOWN);
    headless::ClearSoundLog();
    game->Hold(KEY_Z);
    EXPECT_FALSE(game->Frame()) << "the program went on";
    EXPECT_EQ(Plays(), cursorSound) << "the frame finished before the program shut down";
    EXPECT_FALSE(headless::Window().exists);
}

TEST_F(YesNoDialogTest, TheChosenCallbackRunsInsideTheUpdateBeforeTheSlotIsFreed) {
    for (int choice : {0, 1}) {
        KillAllTasks();
        firstCalls = 0;
        secondCalls = 0;
        slotTakenDuringCallback = false;
        ASSERT_EQ(CreateConfirmDialog(CountFirst, CountSecond, 1, 2, 3, 4), 1);
        game->Frame();
        if (choice == 1) {
            Press(KEY_LEFT);
        }
        EXPECT_EQ(Press(KEY_Z), cursorSound);
        EXPECT_EQ(firstCalls, choice == 0 ? 1 : 0);
        EXPECT_EQ(secondCalls, choice == 1 ? 1 : 0);
        EXPECT_TRUE(slotTakenDuringCallback);
        EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_YES_NO));
    }
}

// The dialog takes its prompt from the caller; a second one is refused while it stands, and
// one made without callbacks just closes.
TEST_F(YesNoDialogTest, ASecondDialogIsRefusedAndADialogWithoutCallbacksJustCloses) {
    KillAllTasks();
    firstCalls = secondCalls = 0;
    ASSERT_EQ(CreateConfirmDialog(nullptr, nullptr, 1, 2, 30, 40), 1);
    EXPECT_EQ(CreateConfirmDialog(CountFirst, CountSecond, 5, 6, 7, 8), 0);
    game->Frame();
    ASSERT_EQ(DrawnSprites().size(), 305u);
    ExpectSprite(DrawnSprites()[301], uiAtlas, 306, 198, {1, 2, 30, 40}, "prompt");
    Press(KEY_Z);
    EXPECT_EQ(firstCalls + secondCalls, 0);
    EXPECT_TRUE(game->Running());
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_YES_NO));
}

TEST_F(YesNoDialogTest, ReturnToTitleAndQuitGameClearThePoolFirst) {
    StartTask(AllocTaskAt(100), TASK_KIND_NPC, 0, nullptr, nullptr);
    ReturnToTitle();
    EXPECT_FALSE(IsTaskSlotInUse(100));
    EXPECT_TRUE(TitleShown());
    EXPECT_EQ(TaskPayload<TitleScreen>(TaskAt(TASK_SLOT_TITLE))->state, EnterTitleMenu)
        << "the title was not made anew";

    StartTask(AllocTaskAt(100), TASK_KIND_NPC, 0, nullptr, nullptr);
    QuitGame();
    EXPECT_FALSE(IsTaskSlotInUse(100));
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    EXPECT_EQ(isRunning, 0u);
    EXPECT_FALSE(game->Frame());
}

TEST_F(YesNoDialogTest, StartMenuOpensOnBackAndDrawsItsWindow) {
    OpenStartMenuFromTitle();
    EXPECT_EQ(Menu()->cursor, 0) << "the Z that opened it must not have chosen an entry";
    EXPECT_EQ(Menu()->count, 3);
    EXPECT_EQ(Menu()->state, SelectStartEntry);

    std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_EQ(sprites.size(), 300u + 10u);
    ExpectSprite(sprites[299], uiAtlas, 608, 448, RECT_START_MENU_BACKGROUND_TILE, "last tile");
    // The window at (181, 100): its panel, the title centred, the cursor, the three labels.
    ExpectSprite(sprites[305], uiAtlas, 249, 106, RECT_START_MENU_TITLE, "title");
    ExpectSprite(sprites[306], uiAtlas, 189, 135, RECT_MENU_CURSOR, "cursor");
    ExpectSprite(sprites[307], uiAtlas, 291, 135, RECT_START_ENTRY_BACK, "back");
    ExpectSprite(sprites[308], uiAtlas, 244, 162, RECT_START_ENTRY_SCENARIO_0, "scenario 0");
    ExpectSprite(sprites[309], uiAtlas, 199, 189, RECT_START_ENTRY_SCENARIO_1, "scenario 1");
}

TEST_F(YesNoDialogTest, StartMenuCursorWrapsBothWays) {
    OpenStartMenuFromTitle();
    struct Step {
        int key;
        int cursor;
    };
    const Step steps[] = {{KEY_DOWN, 1}, {KEY_DOWN, 2}, {KEY_DOWN, 0},  {KEY_UP, 2},
                          {KEY_LEFT, 1}, {KEY_UP, 0},   {KEY_RIGHT, 1}, {KEY_RIGHT, 2}};
    for (const Step& step : steps) {
        EXPECT_EQ(Press(step.key), cursorSound);
        ASSERT_NE(Menu(), nullptr);
        EXPECT_EQ(Menu()->cursor, step.cursor) << "key " << step.key;
        EXPECT_EQ(Menu()->state, SelectStartEntry);
    }
    ASSERT_EQ(DrawnSprites().size(), 310u);
    ExpectSprite(DrawnSprites()[306], uiAtlas, 189, 135 + 2 * 27, RECT_MENU_CURSOR, "cursor row 2");
}

// Escape from anywhere in the list and the Back entry both return to the title; only Escape
// sounds the cursor.
TEST_F(YesNoDialogTest, StartMenuEscapeAndItsBackEntryReturnToTheTitle) {
    struct Way {
        std::vector<int> keys;
        Log sounds;
    };
    const Way ways[] = {{{KEY_DOWN, KEY_ESCAPE}, titleMusicThenCursor},
                        {{KEY_RETURN}, {"play:26:loop"}}};
    for (const Way& way : ways) {
        OpenStartMenuFromTitle();
        EXPECT_EQ(Press(way.keys), way.sounds);
        EXPECT_EQ(Menu(), nullptr);
        ASSERT_TRUE(TitleShown());
    }
}

TEST_F(YesNoDialogTest, ScenarioEntriesAskFirstAndTheQuestionCanBeLeft) {
    OpenStartMenuFromTitle();
    EXPECT_EQ(Press({KEY_DOWN, KEY_Z}), cursorSound);
    ASSERT_NE(Menu(), nullptr);
    EXPECT_EQ(Menu()->state, ConfirmStartEntry);
    EXPECT_EQ(Menu()->choice, 0);

    // The question window on top of the list, at (240, 130), its cursor on No.
    std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_EQ(sprites.size(), 310u + 9u);
    ExpectSprite(sprites[306], uiAtlas, 189, 162, RECT_MENU_CURSOR, "list cursor on scenario 0");
    ExpectSprite(sprites[315], uiAtlas, 241, 136, RECT_START_QUESTION_TITLE, "question title");
    ExpectSprite(sprites[316], uiAtlas, 248, 165, RECT_MENU_CURSOR, "question cursor");
    ExpectSprite(sprites[317], uiAtlas, 291, 165, RECT_CHOICE_NO, "no");
    ExpectSprite(sprites[318], uiAtlas, 301, 192, RECT_CHOICE_YES, "yes");

    struct Step {
        int key;
        int choice;
    };
    const Step steps[] = {{KEY_DOWN, 1}, {KEY_RIGHT, 0}, {KEY_UP, 1}};
    for (const Step& step : steps) {
        EXPECT_EQ(Press(step.key), cursorSound);
        EXPECT_EQ(Menu()->choice, step.choice) << "key " << step.key;
        EXPECT_EQ(Menu()->state, ConfirmStartEntry);
    }

    // Escape goes back to the list with the choice reset; so does No.
    EXPECT_EQ(Press(KEY_ESCAPE), cursorSound);
    EXPECT_EQ(Menu()->state, SelectStartEntry);
    EXPECT_EQ(Menu()->choice, 0);
    EXPECT_EQ(Menu()->cursor, 1);
    EXPECT_EQ(DrawnSprites().size(), 310u) << "the question window stayed";
    Press(KEY_Z);
    EXPECT_EQ(Press(KEY_Z), cursorSound);
    EXPECT_EQ(Menu()->state, SelectStartEntry);
}

TEST_F(YesNoDialogTest, EachConfirmedScenarioStartsANewGameOnItsMap) {
    struct Case {
        std::vector<int> toEntry;
        int32_t scenario;
        int32_t map;
    };
    for (const Case& c : {Case{{KEY_DOWN}, 0, 0}, Case{{KEY_UP}, 1, 11}}) {
        SCOPED_TRACE("scenario " + std::to_string(c.scenario));
        ReturnToTitle();
        game->Frame();
        OpenStartMenuFromTitle();
        Press(c.toEntry);
        Press(KEY_Z);
        ASSERT_EQ(Menu()->state, ConfirmStartEntry);
        scenario = 7;  // values a new game must replace
        currentMap = 5;
        money = 5;
        Press(KEY_DOWN);
        Log plays = Press(KEY_Z);
        EXPECT_NE(std::find(plays.begin(), plays.end(), "play:1:once"), plays.end());
        EXPECT_EQ(scenario, c.scenario);
        EXPECT_EQ(currentMap, c.map);
        EXPECT_EQ(money, 2000);
        EXPECT_EQ(Menu(), nullptr);
        EXPECT_TRUE(game->Running());
    }
}

TEST_F(YesNoDialogTest, StartMenuIsRefusedWhileOneExistsAndShowsAtMostItsThreeEntries) {
    KillAllTasks();
    ASSERT_EQ(CreateStartMenu(7), 1);
    EXPECT_EQ(Menu()->count, 3);
    EXPECT_EQ(CreateStartMenu(3), 0);
    game->Frame();
    game->Frame();
    EXPECT_EQ(DrawnSprites().size(), 310u);
    Press(KEY_UP);
    EXPECT_EQ(Menu()->cursor, 2);

    KillAllTasks();
    ASSERT_EQ(CreateStartMenu(0), 1);
    EXPECT_EQ(Menu()->count, 1);
    game->Frame();
    Press(KEY_UP);
    EXPECT_EQ(Menu()->cursor, 0);
}

}  // namespace
