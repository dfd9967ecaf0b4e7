// One frame of a demo battle, drawn by the OpenGL backend from the demo data at the first party
// member's command menu, and written as previews/battle.png in the build tree for a person to
// look at; the test checks that the field, the menu, the status panels and the bars left marks.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "battle/battle_controller.h"
#include "battle/battle_states.h"
#include "engine/program_shell.h"
#include "engine/random.h"
#include "engine/task_pool.h"
#include "field/character_tables.h"
#include "field/game_state.h"
#include "field/map_data.h"

#include "preview_support.h"

namespace {

TEST(BattlePreviewTest, TheFirstCommandMenuShowsOverTheFieldWithPanelsAndBars) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    KillAllTasks();
    currentMap = 1;
    ASSERT_TRUE(ReadMapPack("mappack.dat"));
    partyCount = PARTY_MAX;
    for (int i = 0; i < PARTY_MAX; ++i) {
        partyRoster[i] = characterTemplates[i];
    }
    encounterGroup = 1;
    SeedRandom(1);
    ASSERT_EQ(StartRandomBattle(0.0f, 0.0f), 1);
    BattleController* b = Battle();
    ClearQueuedLines(b->queuedLines);
    b->eye.y = BATTLE_CAMERA_HIGH;
    b->stateFn = StartNextUnitTurn;
    for (int frame = 0; frame < 10 && IsUnitChoosingCommand() == 0; ++frame) {
        ASSERT_TRUE(RunMessageLoopOnce());
    }
    ASSERT_EQ(IsUnitChoosingCommand(), 1);
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));
    WritePreview("battle.png", picture);

    const auto light = [](uint32_t p) { return IsLight(p, 200); };
    EXPECT_GT(CountPixels(picture, 20, 140, 120, 320, light), 300) << "the command labels";
    EXPECT_GT(CountPixels(picture, 0, 364, 640, 464, light), 400) << "the status panels";
    EXPECT_GT(
        CountPixels(picture, 200, 100, 440, 300, [](uint32_t p) { return Green(p) > Red(p) + 20; }),
        240 * 200 / 2)
        << "the meadow's floor fills the middle";
    EXPECT_LT(Red(PixelAt(picture, 600, 470)), 0x60) << "the dark bottom bar";
}

}  // namespace
