// The title screen: its menu keys and their wrapping, the confirm that clears the pool and runs
// the chosen action in the same update, the lower background's cycle, the refusal of a second
// title, and the picture it draws.
#include <gtest/gtest.h>

#include "data/atlas_menus.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "menu/menu_flow.h"
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

TEST_F(TitleScreenTest, StartUpMakesTheTitleWithItsMusicAndItsFirstFrameReadsNoKeys) {
    EXPECT_EQ(FindTaskByKind(TASK_KIND_TITLE), TaskAt(TASK_SLOT_TITLE));
    EXPECT_TRUE(headless::Voice(MUSIC_TITLE).playing && headless::Voice(MUSIC_TITLE).looping);
    KillAllTasks();
    ASSERT_EQ(CreateTitleScreen(), 1);
    EXPECT_EQ(Title()->state, EnterTitleMenu);
    headless::ClearSoundLog();
    game->Hold(KEY_RIGHT);
    game->Frame();
    EXPECT_EQ(Title()->column, 0) << "Right went down in the title's first frame";
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
    EXPECT_TRUE(Press(KEY_ESCAPE).empty()) << "Escape does nothing";
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(titleBackgroundVariant, 0);
}

TEST_F(TitleScreenTest, OneKeyActsPerFrameInTheirOrder) {
    game->Hold(KEY_RIGHT);
    game->Hold(KEY_DOWN);
    game->Hold(KEY_RETURN);
    game->Frame();
    game->ReleaseAll();
    game->Frame();
    ASSERT_NE(Title(), nullptr) << "Return acted although Right came first";
    EXPECT_EQ(Title()->selection, 1);

    game->Hold(KEY_UP);
    game->Hold(KEY_Z);
    game->Frame();
    game->ReleaseAll();
    game->Frame();
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Title()->selection, 5);
}

TEST_F(TitleScreenTest, ConfirmClearsThePoolAndRunsTheActionInTheSameUpdate) {
    Bystander(0);
    Bystander(499);
    headless::ClearSoundLog();
    game->Hold(KEY_Z);
    game->Frame();
    EXPECT_EQ(Plays(), cursorSound);
    EXPECT_FALSE(IsTaskSlotInUse(0) || IsTaskSlotInUse(499));
    EXPECT_FALSE(TaskKindExists(TASK_KIND_TITLE));
    EXPECT_EQ(titleBackgroundVariant, 1);
    // The start menu was opened by the title's update and, lying in a higher slot, already had
    // its own first update in the same pass.
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_START_MENU));
    EXPECT_EQ(TaskPayload<StartMenu>(TaskAt(TASK_SLOT_START_MENU))->state, SelectStartEntry);
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

// The menu's items as drawn: the left edge of the label centred in its 184-pixel column (the
// half pixel rounds up), and its row.
struct ItemLayout {
    float columnX;
    float labelX;
    float y;
    AtlasRect label;
};
const ItemLayout items[6] = {
    {138, 163, 132, RECT_TITLE_LABEL_START},    {321, 347, 132, RECT_TITLE_LABEL_QUIT},
    {138, 163, 162, RECT_TITLE_LABEL_OPTIONS},  {321, 348, 162, RECT_TITLE_LABEL_LOAD},
    {138, 204, 192, RECT_TITLE_LABEL_PICTURES}, {321, 374, 192, RECT_TITLE_LABEL_GALLERY},
};

void ExpectTitlePicture(int selection, int variant) {
    std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_EQ(sprites.size(), 12u);
    ExpectSprite(sprites[0], uiAtlas, 0, 0, RECT_TITLE_PICTURE, "picture");
    const AtlasRect& lower = RECT_TITLE_LOWER_BACKGROUNDS[variant];
    ExpectSprite(sprites[1], glyphAtlas, 0, 480 - RectHeight(lower), lower, "lower background");
    ExpectSprite(sprites[2], uiAtlas, 118, 4, RECT_TITLE_LOGO, "logo");
    ExpectSprite(sprites[3], uiAtlas, 2, 465, RECT_TITLE_FOOTER, "footer");
    ExpectSprite(sprites[4], uiAtlas, 136, 130, RECT_TITLE_MENU_FRAME, "menu frame");
    size_t next = 5;
    for (int i = 0; i < 6; ++i) {
        const ItemLayout& item = items[i];
        if (i == selection) {
            ExpectSprite(sprites[next++], uiAtlas, item.columnX, item.y, RECT_TITLE_HIGHLIGHT,
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
}

// Every chosen action advances the lower background 0, 1, 2, 0; one outside that range, which
// any code may write, shows the first.
TEST_F(TitleScreenTest, EachActionAdvancesTheLowerBackgroundAndABadOneShowsTheFirst) {
    for (int variant : {1, 2, 0, 1}) {
        ChooseQuitThenNo();
        game->Frame();
        SCOPED_TRACE("variant " + std::to_string(variant));
        EXPECT_EQ(titleBackgroundVariant, variant);
        ExpectTitlePicture(0, variant);
    }
    for (int bad : {7, -1}) {
        titleBackgroundVariant = bad;
        game->Frame();
        ExpectTitlePicture(0, 0);
    }
}

TEST_F(TitleScreenTest, DrawUiSpriteDrawsTheInterfaceRectangleUntinted) {
    headless::ClearDrawCalls();
    DrawUiSprite(10.4f, 20.6f, 1, 2, 31, 12);
    ASSERT_EQ(headless::DrawCalls().size(), 1u);
    ExpectSprite(AsSprite(headless::DrawCalls()[0]), uiAtlas, 10, 21, {1, 2, 31, 12}, "sprite");
}

TEST_F(TitleScreenTest, TheLoadItemOpensTheLoadScreenOverItsBackgroundAndEscapeReturns) {
    Press({KEY_DOWN, KEY_RIGHT, KEY_Z});
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_SAVE_LOAD));
    const SaveLoadMenu* screen = TaskPayload<SaveLoadMenu>(TaskAt(TASK_SLOT_SAVE_LOAD));
    EXPECT_EQ(screen->mode, SAVE_MODE_LOAD);
    EXPECT_EQ(screen->returnToField, 0u);
    EXPECT_EQ(Title(), nullptr);
    // The title's screen is gone: the tiled background comes first, 20 by 15 tiles.
    const std::vector<DrawnSprite> sprites = DrawnSprites();
    ASSERT_GT(sprites.size(), 300u);
    EXPECT_EQ(sprites[0].source.left, RECT_SAVE_BACKGROUND_TILE.left);
    EXPECT_EQ(sprites[299].screen.left, 608);
    EXPECT_NE(sprites[300].source.left, RECT_SAVE_BACKGROUND_TILE.left);
    EXPECT_EQ(Press(KEY_ESCAPE), Log({"play:26:loop", "play:1:once"}));
    EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_SAVE_LOAD));
    ASSERT_NE(Title(), nullptr);
    EXPECT_EQ(Press(KEY_RIGHT), cursorSound) << "the new title takes keys";
}

}  // namespace
