// The title screen: its menu keys and their wrapping, the confirm that clears the pool and runs
// the chosen action in the same update, the lower background's cycle, the refusal of a second
// title, and the picture it draws.
#include <gtest/gtest.h>

#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "menu/menu_flow.h"
#include "menu/options.h"
#include "menu/save_load.h"
#include "menu/title_screen.h"
#include "menu/yes_no_dialog.h"

namespace {

using Log = std::vector<std::string>;

const Log cursorSound = {"play:1:once"};

class TitleScreenTest : public MenuFlowTest {
  protected:
    static TitleScreen* Title() {
        if (!IsTaskSlotInUse(TASK_SLOT_TITLE) || TaskAt(TASK_SLOT_TITLE)->kind != TASK_KIND_TITLE) {
            return nullptr;
        }
        return TaskPayload<TitleScreen>(TaskAt(TASK_SLOT_TITLE));
    }

    // A task that does nothing, to see whether it survives.
    static void Bystander(int slot) {
        StartTask(AllocTaskAt(slot), TASK_KIND_NPC, 0, nullptr, nullptr);
    }

    // Quit question, then No: through one title action back to a fresh title.
    void ChooseQuitThenNo() {
        Press({KEY_RIGHT, KEY_Z});
        ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_YES_NO));
        Press(KEY_Z);
        ASSERT_NE(Title(), nullptr);
    }
};

TEST_F(TitleScreenTest, StartUpCreatesTheTitleInItsSlotOnTheFirstItem) {
    TaskSlot* slot = TaskAt(TASK_SLOT_TITLE);
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    EXPECT_EQ(slot->kind, TASK_KIND_TITLE);
    EXPECT_EQ(slot->updateOn, 1u);
    EXPECT_EQ(slot->drawOn, 1u);
    EXPECT_EQ(FindTaskByKind(TASK_KIND_TITLE), slot);
    const TitleScreen* title = Title();
    EXPECT_EQ(title->alive, 1u);
    EXPECT_EQ(title->column, 0);
    EXPECT_EQ(title->row, 0);
    EXPECT_EQ(title->selection, 0);
    EXPECT_EQ(title->state, TitleMenuState);
    EXPECT_EQ(titleBackgroundVariant, 0);
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).playing);
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).looping);
}

TEST_F(TitleScreenTest, ItsFirstFrameReadsNoKeys) {
    KillAllTasks();
    ASSERT_EQ(CreateTitleScreen(), 1);
    EXPECT_EQ(Title()->state, EnterTitleMenu);
    headless::ClearSoundLog();
    game->Hold(KEY_RIGHT);
    game->Frame();
    EXPECT_EQ(Title()->column, 0) << "Right went down in the title's first frame";
    EXPECT_EQ(Title()->state, TitleMenuState);
    EXPECT_TRUE(Plays().empty());
    game->Release(KEY_RIGHT);
    game->Frame();
    EXPECT_EQ(Press(KEY_RIGHT), cursorSound);
    EXPECT_EQ(Title()->column, 1);
}

TEST_F(TitleScreenTest, ColumnsAndRowsWrapAndTheSelectionFollows) {
    struct Step {
        int key;
        int column;
        int row;
    };
    const Step steps[] = {
        {KEY_RIGHT, 1, 0}, {KEY_RIGHT, 0, 0}, {KEY_LEFT, 1, 0},  {KEY_LEFT, 0, 0},
        {KEY_DOWN, 0, 1},  {KEY_DOWN, 0, 2},  {KEY_RIGHT, 1, 2}, {KEY_DOWN, 1, 0},
        {KEY_UP, 1, 2},    {KEY_UP, 1, 1},    {KEY_UP, 1, 0},    {KEY_LEFT, 0, 0},
    };
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE("step " + std::to_string(n++));
        EXPECT_EQ(Press(step.key), cursorSound);
        ASSERT_NE(Title(), nullptr);
        EXPECT_EQ(Title()->column, step.column);
        EXPECT_EQ(Title()->row, step.row);
        EXPECT_EQ(Title()->selection, step.column + 2 * step.row);
    }
}

TEST_F(TitleScreenTest, OneKeyActsPerFrameInTheirOrder) {
    game->Hold(KEY_RIGHT);
    game->Hold(KEY_DOWN);
    game->Hold(KEY_RETURN);
    game->Frame();
    game->ReleaseAll();
    game->Frame();
    ASSERT_NE(Title(), nullptr) << "Return acted although Right came first";
    EXPECT_EQ(Title()->column, 1);
    EXPECT_EQ(Title()->row, 0);

    game->Hold(KEY_UP);
    game->Hold(KEY_Z);
    game->Frame();
    game->ReleaseAll();
    game->Frame();
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Title()->row, 2);
    EXPECT_EQ(Title()->selection, 5);
}

TEST_F(TitleScreenTest, EscapeDoesNothing) {
    Press(KEY_DOWN);
    EXPECT_TRUE(Press(KEY_ESCAPE).empty());
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Title()->selection, 2);
    EXPECT_EQ(Title()->alive, 1u);
    EXPECT_EQ(titleBackgroundVariant, 0);
}

TEST_F(TitleScreenTest, ConfirmClearsThePoolAndRunsTheActionInTheSameUpdate) {
    Bystander(0);
    Bystander(100);
    Bystander(499);
    headless::ClearSoundLog();
    game->Hold(KEY_Z);
    game->Frame();
    EXPECT_EQ(Plays(), cursorSound);
    EXPECT_FALSE(IsTaskSlotInUse(0));
    EXPECT_FALSE(IsTaskSlotInUse(100));
    EXPECT_FALSE(IsTaskSlotInUse(499));
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE));
    EXPECT_EQ(titleBackgroundVariant, 1);
    // The start menu was opened by the title's update and, lying in a higher slot, already had
    // its own first update in the same pass.
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_START_MENU));
    EXPECT_EQ(TaskAt(TASK_SLOT_START_MENU)->kind, TASK_KIND_START_MENU);
    EXPECT_EQ(TaskPayload<StartMenu>(TaskAt(TASK_SLOT_START_MENU))->state, SelectStartEntry);
}

TEST_F(TitleScreenTest, TheQuitItemOpensTheQuitQuestion) {
    EXPECT_EQ(Press({KEY_RIGHT, KEY_RETURN}), cursorSound);
    EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE));
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_YES_NO));
    const ConfirmDialog* dialog = TaskPayload<ConfirmDialog>(TaskAt(TASK_SLOT_YES_NO));
    EXPECT_EQ(dialog->onFirst, ReturnToTitle);
    EXPECT_EQ(dialog->onSecond, QuitGame);
    EXPECT_FLOAT_EQ(dialog->prompt.left, 531);
    EXPECT_FLOAT_EQ(dialog->prompt.top, 640);
    EXPECT_FLOAT_EQ(dialog->prompt.right, 653);
    EXPECT_FLOAT_EQ(dialog->prompt.bottom, 660);
    EXPECT_EQ(titleBackgroundVariant, 1);
}

TEST_F(TitleScreenTest, EveryChosenActionAdvancesTheLowerBackgroundZeroOneTwoZero) {
    for (int expected : {1, 2, 0, 1}) {
        ChooseQuitThenNo();
        EXPECT_EQ(titleBackgroundVariant, expected);
    }
}

TEST_F(TitleScreenTest, ASecondTitleIsRefusedAndLeavesTheMusicAlone) {
    Press(KEY_RIGHT);
    headless::ClearSoundLog();
    EXPECT_EQ(CreateTitleScreen(), 0);
    EXPECT_TRUE(headless::SoundLog().empty()) << "the title music was touched";
    EXPECT_EQ(Title()->column, 1) << "the running title was reset";

    // Refused as well for a title task in another slot, and for a slot taken by another kind.
    KillAllTasks();
    StartTask(AllocTaskAt(TASK_SLOT_OPTIONS), TASK_KIND_TITLE, 0, nullptr, nullptr);
    EXPECT_EQ(CreateTitleScreen(), 0);
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    KillAllTasks();
    StartTask(AllocTaskAt(TASK_SLOT_TITLE), TASK_KIND_NPC, 0, nullptr, nullptr);
    EXPECT_EQ(CreateTitleScreen(), 0);
    EXPECT_EQ(TaskAt(TASK_SLOT_TITLE)->kind, TASK_KIND_NPC);
    EXPECT_TRUE(headless::SoundLog().empty());
}

// The menu's items as drawn: the left edge of the label in its 184-pixel column (the half
// pixel rounds up), its row, and its label.
struct ItemLayout {
    float columnX;
    float labelX;
    float y;
    AtlasRect label;
};
const ItemLayout items[6] = {
    {138, 163, 132, {0, 1086, 135, 1112}},   {321, 347, 132, {0, 1114, 133, 1140}},
    {138, 163, 162, {183, 1056, 318, 1082}}, {321, 348, 162, {183, 1086, 313, 1112}},
    {138, 204, 192, {657, 1208, 709, 1234}}, {321, 374, 192, {648, 1238, 727, 1263}},
};
const AtlasRect highlight = {0, 1056, 181, 1084};

void ExpectTitlePicture(int selection, int variant) {
    std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_EQ(sprites.size(), 12u);
    ExpectSprite(sprites[0], uiAtlas, 0, 0, {0, 0, 640, 480}, "picture");
    const AtlasRect lower[3] = {
        {1407, 391, 2047, 591}, {1407, 593, 2047, 793}, {1407, 795, 2047, 1023}};
    const float lowerY[3] = {280, 280, 252};
    ExpectSprite(sprites[1], glyphAtlas, 0, lowerY[variant], lower[variant], "lower background");
    ExpectSprite(sprites[2], uiAtlas, 118, 4, {795, 792, 1200, 918}, "logo");
    ExpectSprite(sprites[3], uiAtlas, 2, 465, {476, 597, 607, 610}, "footer");
    ExpectSprite(sprites[4], uiAtlas, 136, 130, {0, 962, 368, 1054}, "menu frame");
    size_t next = 5;
    for (int i = 0; i < 6; ++i) {
        const ItemLayout& item = items[i];
        if (i == selection) {
            ExpectSprite(sprites[next++], uiAtlas, item.columnX, item.y, highlight,
                         "highlight " + std::to_string(i));
        }
        ExpectSprite(sprites[next++], uiAtlas, item.labelX, item.y, item.label,
                     "label " + std::to_string(i));
    }
}

TEST_F(TitleScreenTest, DrawsPictureBackgroundLogoFooterFrameThenTheItems) {
    game->Frame();
    ExpectTitlePicture(0, 0);
    Press({KEY_RIGHT, KEY_DOWN, KEY_DOWN});
    ExpectTitlePicture(5, 0);
    Press(KEY_LEFT);
    ExpectTitlePicture(4, 0);
}

TEST_F(TitleScreenTest, EachBackgroundVariantSitsOnTheScreensBottomEdge) {
    for (int variant : {1, 2, 0}) {
        ChooseQuitThenNo();
        game->Frame();
        SCOPED_TRACE("variant " + std::to_string(variant));
        ExpectTitlePicture(0, variant);
    }
}

TEST_F(TitleScreenTest, AVariantOutsideItsRangeShowsTheFirstBackground) {
    titleBackgroundVariant = 7;
    game->Frame();
    ExpectTitlePicture(0, 0);
    titleBackgroundVariant = -1;
    game->Frame();
    ExpectTitlePicture(0, 0);
}

TEST_F(TitleScreenTest, DrawUiSpriteDrawsTheInterfaceRectangleUntinted) {
    headless::ClearDrawCalls();
    DrawUiSprite(10.4f, 20.6f, 1, 2, 31, 12);
    ASSERT_EQ(headless::DrawCalls().size(), 1u);
    ExpectSprite(AsSprite(headless::DrawCalls()[0]), uiAtlas, 10, 21, {1, 2, 31, 12}, "sprite");
}

// The options, load, picture and gallery screens are not built yet: until they are, each of
// their items must lead back to a working title rather than leave an empty screen.
TEST_F(TitleScreenTest, ItemsOfUnbuiltScreensLeadBackToAWorkingTitle) {
    struct Route {
        std::vector<int> keys;
        int selection;
    };
    const Route routes[] = {
        {{KEY_DOWN}, 2}, {{KEY_DOWN, KEY_RIGHT}, 3}, {{KEY_UP}, 4}, {{KEY_UP, KEY_RIGHT}, 5}};
    int variant = 0;
    for (const Route& route : routes) {
        SCOPED_TRACE("item " + std::to_string(route.selection));
        Press(route.keys);
        ASSERT_EQ(Title()->selection, route.selection);
        Bystander(100);
        Press(KEY_Z);
        variant = (variant + 1) % 3;
        EXPECT_EQ(titleBackgroundVariant, variant);
        EXPECT_TRUE(game->Running());
        EXPECT_FALSE(IsTaskSlotInUse(100));
        ASSERT_NE(Title(), nullptr);
        EXPECT_EQ(Title()->selection, 0);
        Press(KEY_RIGHT);
        EXPECT_EQ(Title()->column, 1) << "the new title takes keys";
        Press(KEY_LEFT);
    }
}

TEST_F(TitleScreenTest, UnbuiltScreensOpenedFromTheGameResumeTheFrozenWorld) {
    KillAllTasks();
    Bystander(0);
    SetAllTasksActive(TASK_ACTIVITY_STOP_UPDATE);
    EXPECT_EQ(CreateOptionsScreen(120.0f, 1), 1);
    EXPECT_EQ(TaskAt(0)->updateOn, 1u);
    SetAllTasksActive(TASK_ACTIVITY_STOP_UPDATE);
    EXPECT_EQ(CreateSaveLoadMenu(0, 1), 1);
    EXPECT_EQ(TaskAt(0)->updateOn, 1u);
    EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE)) << "the game was abandoned";
}

}  // namespace
