// An event's message, compiled from quoted text and run by the event runner over a backdrop,
// drawn by the OpenGL backend from the demo data: a portrait, the window and three lines of
// Japanese text. The frame is written as a PNG into the build tree for a person to look at; the
// test checks the pieces left their marks where they should.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/atlas_menus.h"
#include "datapack/event_compiler.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "event/event_commands.h"
#include "event/event_pack.h"
#include "event/event_runner.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

#include "preview_support.h"

namespace {

void DrawBackdrop(TaskSlot*) {
    DrawSprite(0, 0, RECT_TITLE_PICTURE, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

TEST(MessagePreviewTest, PortraitWindowAndThreeLinesOfText) {
    PreviewGame game;
    ASSERT_TRUE(game.Started());
    KillAllTasks();
    StartTask(AllocTaskAt(100), TASK_KIND_NPC, 0, nullptr, DrawBackdrop);

    // Written as block text after extraction: no line feeds.
    std::string text = CompileEventText(
        "#1,1,#4,0,#2,3,\"ようこそ、旅の人。ここは　森の村だ。\","
        "\"東の洞窟には　魔物が住みついて\","
        "\"いるらしい。気をつけて行くんだぞ！\","
        "#3,\"洞窟へ　行ってみるか？\",\"はい\",\"いいえ\",GO,STAY,#99,GO#99,STAY#99,",
        "preview");
    std::memset(eventBlocks, 0, EVENT_BLOCK_SIZE);
    std::memcpy(eventBlocks, text.data(), text.size());
    ASSERT_EQ(StartEvent(1), 1);
    bool revealed = false;
    for (int frame = 0; frame < 120 && !revealed; ++frame) {
        ASSERT_TRUE(RunMessageLoopOnce());
        const EventRunnerPayload* runner = CurrentEventRunner();
        ASSERT_NE(runner, nullptr);
        revealed = runner->revealLine == MESSAGE_LINES;
    }
    ASSERT_TRUE(revealed) << "the typewriter finishes on its own";
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> picture;
    ASSERT_TRUE(ReadPreviewPicture(&picture));

    // The choice that follows, with the second option taken, as Return and Down would do.
    EventRunnerPayload* runner = CurrentEventRunner();
    ASSERT_NE(runner, nullptr);
    runner->state = NextEventCommand;
    ASSERT_TRUE(RunMessageLoopOnce());
    ASSERT_EQ(runner->state, UpdateChoice);
    runner->choice = 1;
    ASSERT_TRUE(RunMessageLoopOnce());
    std::vector<uint32_t> choicePicture;
    ASSERT_TRUE(ReadPreviewPicture(&choicePicture));
    WritePreview("message.png", picture);
    WritePreview("message_choice.png", choicePicture);

    auto at = [&](int x, int y) { return PixelAt(picture, x, y); };
    auto countWhite = [&](int left, int top, int right, int bottom) {
        return CountPixels(picture, left, top, right, bottom,
                           [](uint32_t p) { return IsLight(p, 220); });
    };
    // Each line's glyph box: 20 pixels from 8 below the line's top; text from x 140.
    for (int line = 0; line < 3; ++line) {
        int top = 384 + 28 * line + 8;
        EXPECT_GT(countWhite(140, top, 600, top + 20), 300) << "line " << line;
        EXPECT_GT(countWhite(140, top, 160, top + 20), 10) << "line " << line << " starts at 140";
    }
    EXPECT_EQ(countWhite(126, 386, 138, 478), 0) << "the indent stays clear";
    uint32_t frame = at(300, 384);
    EXPECT_GT(frame & 0xFF, 200u) << "the window's light frame";
    // The portrait stands at x -4 on the bottom edge; its hair (party member 0) at the top.
    int portraitTop = 480 - 171;
    EXPECT_NE(at(60, 470), at(60, portraitTop - 20)) << "the portrait below, the backdrop above";

    // The bar lies over option 1 (line 2) and not over option 0: bluer there than before.
    auto blueMinusRed = [&](const std::vector<uint32_t>& p, int x, int y) {
        const uint32_t c = PixelAt(p, x, y);
        return Blue(c) - Red(c);
    };
    EXPECT_GT(blueMinusRed(choicePicture, 600, 455), blueMinusRed(picture, 600, 455) + 20);
    EXPECT_EQ(blueMinusRed(choicePicture, 600, 427), blueMinusRed(picture, 600, 427));
}

}  // namespace
