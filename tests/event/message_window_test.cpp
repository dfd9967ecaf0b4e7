// The message window: the typewriter's frame-by-frame timing, the key that completes it and the
// key that closes it, the choice and its label jump, the window commands, and where the glyphs,
// the frame, the portrait and the choice bar are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "data/atlas_images.h"
#include "data/atlas_messages.h"
#include "data/glyph_table.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_commands.h"
#include "event/event_pack.h"
#include "event/event_runner.h"
#include "event/message_window.h"
#include "field/map_data.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "support/render_fixture.h"

namespace {

using Draw = headless::DrawRecord;

class MessageWindowTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        ClearEventFlags();
        ASSERT_TRUE(AllocMapBuffers());
    }
    void TearDown() override {
        FreeMapBuffers();
        RenderTest::TearDown();
    }

    static void SetBlock(uint32_t eventNumber, const std::string& text) {
        char* block = eventBlocks + (eventNumber - 1) * EVENT_BLOCK_SIZE;
        std::memset(block, 0, EVENT_BLOCK_SIZE);
        std::memcpy(block, text.data(), text.size());
    }
    // Starts event 1 with the text and runs frames until its first command has run.
    static EventRunnerPayload* Begin(const std::string& text) {
        SetBlock(1, text);
        EXPECT_EQ(StartEvent(1), 1);
        Frame();  // the runner's first update only begins
        Frame();  // the first command
        return CurrentEventRunner();
    }
    // One frame of the game's update: keys sampled with these held, sound requests cleared,
    // every task updated.
    static void Frame(std::initializer_list<int> held = {}) {
        ClearSoundRequests();
        PollWith(held);
        UpdateTasks();
    }
    static bool CursorSound() { return soundRequests[SOUND_CURSOR].requested != 0; }
    // Where a screen draw's top-left pixel is (the vertices sit half a pixel up and left).
    static float DrawX(const Draw& draw) { return draw.screen[0].x + 0.5f; }
    static float DrawY(const Draw& draw) { return draw.screen[0].y + 0.5f; }
    static float DrawWidth(const Draw& draw) { return draw.screen[2].x - draw.screen[0].x; }
};

// --- the typewriter ------------------------------------------------------------------------

TEST_F(MessageWindowTest, AFiveCodeLineTakesSixFramesThenEachEmptyLineOne) {
    EventRunnerPayload* runner = Begin("#2,1,12,13,14,15,16,0,#4,3,#99,");
    ASSERT_NE(runner, nullptr);
    EXPECT_EQ(runner->state, UpdateMessage);
    EXPECT_EQ(runner->lineCount, 1u);
    for (uint32_t frame = 1; frame <= 5; ++frame) {
        Frame();
        EXPECT_EQ(runner->revealLine, 0u) << "frame " << frame;
        EXPECT_EQ(runner->revealPos, frame);
        EXPECT_EQ(runner->shownGlyphs[0][frame - 1], 11 + frame);
        EXPECT_EQ(runner->shownGlyphs[0][frame], 0u) << "one glyph per frame";
    }
    Frame();  // the sixth frame finds the line's end
    EXPECT_EQ(runner->revealLine, 1u);
    EXPECT_EQ(runner->revealPos, 0u);
    Frame();
    EXPECT_EQ(runner->revealLine, 2u);
    Frame();
    EXPECT_EQ(runner->revealLine, 3u) << "the key wait begins after 8 frames";
    for (int frame = 0; frame < 30; ++frame) {
        Frame();
    }
    EXPECT_EQ(runner->state, UpdateMessage) << "the message waits for its key";
    EXPECT_FALSE(CursorSound());
    Frame({KEY_RETURN});
    EXPECT_EQ(runner->state, NextEventCommand);
    EXPECT_TRUE(CursorSound());
    Frame();
    EXPECT_EQ(runner->face, 3u) << "the next command runs in the next frame";
}

TEST_F(MessageWindowTest, ReturnDuringTheRevealShowsAllLinesAndASecondPressCloses) {
    EventRunnerPayload* runner = Begin("#2,3,12,13,14,0,15,16,0,17,0,#99,");
    Frame();
    Frame();
    EXPECT_EQ(runner->shownGlyphs[1][0], 0u);
    Frame({KEY_RETURN});
    EXPECT_TRUE(CursorSound());
    EXPECT_EQ(runner->revealLine, 3u);
    EXPECT_EQ(std::memcmp(runner->shownGlyphs, runner->sourceGlyphs, sizeof(runner->shownGlyphs)),
              0);
    EXPECT_EQ(runner->state, UpdateMessage) << "the press that completes does not close";
    Frame({KEY_RETURN});
    EXPECT_EQ(runner->state, UpdateMessage) << "a held key is no new press";
    EXPECT_FALSE(CursorSound());
    Frame();
    Frame({KEY_Z});
    EXPECT_EQ(runner->state, NextEventCommand);
    EXPECT_TRUE(CursorSound());
}

TEST_F(MessageWindowTest, ThreeFullLinesTakeSeventyTwoFrames) {
    EventRunnerPayload runner{};
    std::fill_n(&runner.sourceGlyphs[0][0], sizeof(runner.sourceGlyphs) / 4, 200u);
    PollWith({});
    for (int frame = 1; frame <= 71; ++frame) {
        RevealMessageGlyph(&runner);
        ASSERT_LT(runner.revealLine, 3u) << "frame " << frame;
    }
    RevealMessageGlyph(&runner);
    EXPECT_EQ(runner.revealLine, 3u);
    EXPECT_EQ(std::memcmp(runner.shownGlyphs, runner.sourceGlyphs, sizeof(runner.shownGlyphs)), 0);
}

TEST_F(MessageWindowTest, LinesBeyondThreeAreDroppedAndEachMessageClearsThePrevious) {
    EventRunnerPayload* runner = Begin("#2,5,12,0,13,0,14,15,0,16,0,17,0,#2,1,18,0,#4,9,#99,");
    EXPECT_EQ(runner->lineCount, 3u);
    EXPECT_EQ(runner->sourceGlyphs[2][1], 15u);
    Frame({KEY_RETURN});
    Frame();
    Frame({KEY_RETURN});
    Frame();  // the second message, read from past all five lines
    EXPECT_EQ(runner->lineCount, 1u);
    EXPECT_EQ(runner->sourceGlyphs[0][0], 18u);
    EXPECT_EQ(runner->sourceGlyphs[2][1], 0u);
    EXPECT_EQ(runner->shownGlyphs[0][0], 0u);
    Frame({KEY_RETURN});
    Frame();
    Frame({KEY_RETURN});
    Frame();
    EXPECT_EQ(runner->face, 9u);
}

// --- the choice ----------------------------------------------------------------------------

// Each step: the key pressed, the option after it, the cursor sound; a confirm jumps to the
// option's label, whose face command runs next.
TEST_F(MessageWindowTest, ChoiceKeepsItsEndsIgnoresEscapeAndJumpsToTheChosenLabel) {
    struct Step {
        int key;
        uint32_t choice;
        bool sound;
    };
    struct Case {
        std::vector<Step> steps;
        int confirm;
        uint32_t face;
    };
    const Case cases[] = {
        {{{KEY_DOWN, 1, true}, {KEY_RIGHT, 1, true}, {KEY_ESCAPE, 1, false}}, KEY_RETURN, 2},
        {{{KEY_UP, 0, true}, {KEY_DOWN, 1, true}, {KEY_LEFT, 0, true}}, KEY_Z, 1},
    };
    for (const Case& c : cases) {
        EventRunnerPayload* runner =
            Begin("#3,12,0,13,0,14,0,GOYES,GONO,#99,GOYES#4,1,#99,GONO#4,2,#99,");
        ASSERT_EQ(runner->state, UpdateChoice);
        EXPECT_EQ(runner->shownGlyphs[2][0], 14u) << "shown at once, no typewriter";
        for (const Step& step : c.steps) {
            Frame({step.key});
            EXPECT_EQ(runner->choice, step.choice) << step.key;
            EXPECT_EQ(CursorSound(), step.sound) << step.key;
            EXPECT_EQ(runner->state, UpdateChoice);
            Frame();
        }
        Frame({c.confirm});
        EXPECT_TRUE(CursorSound());
        Frame();
        EXPECT_EQ(runner->face, c.face);
        Frame();
        EXPECT_EQ(CurrentEventRunner(), nullptr);
    }
}

// --- the other window commands -------------------------------------------------------------

TEST_F(MessageWindowTest, WindowAndFaceCommandsSetTheirFields) {
    EventRunnerPayload* runner = Begin("#1,7,#4,26,#1,0,#4,100,#99,");
    EXPECT_EQ(runner->windowOn, 1u) << "any non-zero number";
    Frame();
    EXPECT_EQ(runner->face, 26u);
    Frame();
    EXPECT_EQ(runner->windowOn, 0u);
    Frame();
    EXPECT_EQ(runner->face, FACE_NONE);
}

// --- drawing -------------------------------------------------------------------------------

TEST_F(MessageWindowTest, GlyphsAreCentredInTheirBoxAndAdvanceByWidthPlusFour) {
    const uint32_t kanji = GlyphCodeOf(U'村');
    GlyphLine lines[3] = {
        {12, kanji, 13},
        {GLYPH_DIGIT_ZERO + 1, GLYPH_COUNT, 0, 5000, GLYPH_DIGIT_ZERO},
        {},
    };
    DrawMessageText(lines, 3, 100, 200);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 5u);
    for (const Draw& draw : draws) {
        EXPECT_EQ(draw.texture, glyphAtlas);
        EXPECT_EQ(draw.screen[0].colour, COLOUR_WHITE);
    }
    // Line 0: あ (16 x 16) 2 px down in the box, 村 (18 x 18) 1 px, then あ's neighbour.
    EXPECT_EQ(DrawX(draws[0]), 116.0f);
    EXPECT_EQ(DrawY(draws[0]), 210.0f);
    EXPECT_EQ(DrawWidth(draws[0]), 16.0f);
    EXPECT_EQ(DrawX(draws[1]), 136.0f);
    EXPECT_EQ(DrawY(draws[1]), 209.0f);
    EXPECT_EQ(draws[1].screen[2].y, 209.0f + 18 - 0.5f);
    EXPECT_EQ(DrawX(draws[2]), 158.0f);
    // Line 1, 28 lower: the 4-pixel one, 3 px down; the codes 704, 0 and 5000 leave no gap.
    EXPECT_EQ(DrawX(draws[3]), 116.0f);
    EXPECT_EQ(DrawY(draws[3]), 239.0f);
    EXPECT_EQ(DrawX(draws[4]), 124.0f);
    // The source is the glyph's rectangle on the 2048 x 1024 sheet.
    const GlyphRecord& zero = glyphTable[GLYPH_DIGIT_ZERO];
    EXPECT_FLOAT_EQ(draws[4].screen[0].u, zero.left / 2048.0f);
    EXPECT_FLOAT_EQ(draws[4].screen[2].v, zero.bottom / 1024.0f);

    // At most the three lines, whatever the count says.
    for (int count : {9, -1}) {
        headless::ClearDrawCalls();
        DrawMessageText(lines, count, 0, 0);
        EXPECT_EQ(Draws().size(), count < 0 ? 0u : 5u) << count;
    }
}

TEST_F(MessageWindowTest, BattleBoxIsCentredWithThreeLinesFromItsX) {
    GlyphLine lines[3] = {{12}, {}, {13}};
    DrawBattleMessageBox(lines);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 5u + 2u);
    EXPECT_EQ(DrawX(draws[0]), 64.0f) << "the panel centred";
    EXPECT_EQ(DrawY(draws[0]), 384.0f);
    EXPECT_EQ(DrawX(draws[5]), 80.0f);
    EXPECT_EQ(DrawY(draws[5]), 394.0f);
    EXPECT_EQ(DrawY(draws[6]), 384.0f + 56 + 10);
}

TEST_F(MessageWindowTest, RunnerDrawsPortraitWindowBarTextAndCoverInThisOrder) {
    SetBlock(1, "#99,");
    ASSERT_EQ(StartEvent(1), 1);
    TaskSlot* slot = TaskAt(TASK_SLOT_EVENT_RUNNER);
    EventRunnerPayload* runner = CurrentEventRunner();
    runner->face = 25;  // the last portrait
    runner->windowOn = 1;
    runner->tintOn = 1;
    runner->lineCount = 3;
    runner->shownGlyphs[0][0] = 12;
    runner->shownGlyphs[1][0] = 13;
    runner->shownGlyphs[2][0] = 14;
    runner->choice = 1;
    runner->state = UpdateChoice;
    DrawEventRunner(slot);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u + 5u + 1u + 3u + 300u);
    EXPECT_EQ(draws[0].texture, uiAtlas);
    EXPECT_EQ(DrawX(draws[0]), -4.0f) << "portrait";
    EXPECT_EQ(draws[0].screen[2].y, 479.5f) << "on the screen's bottom edge";
    EXPECT_EQ(DrawX(draws[1]), 124.0f) << "window";
    EXPECT_EQ(DrawX(draws[6]), 126.0f) << "the bar";
    EXPECT_EQ(DrawY(draws[6]), 448.0f) << "on option 1";
    EXPECT_EQ(DrawWidth(draws[6]), 508.0f);
    EXPECT_EQ(draws[7].texture, glyphAtlas) << "text over the bar";
    EXPECT_EQ(DrawX(draws[7]), 140.0f);
    EXPECT_EQ(DrawY(draws[9]), 384.0f + 56 + 10);
    EXPECT_EQ(draws[10].screen[0].colour, COLOUR_WHITE) << "the cover is untinted";
    headless::ClearDrawCalls();
    runner->choice = 0;
    DrawEventRunner(slot);
    EXPECT_EQ(DrawY(Draws()[6]), 420.0f) << "the bar on option 0";

    headless::ClearDrawCalls();
    runner->state = UpdateMessage;
    runner->lineCount = 2;
    runner->tintOn = 0;
    DrawEventRunner(slot);
    EXPECT_EQ(Draws().size(), 1u + 5u + 2u) << "no bar; the line count's lines";

    headless::ClearDrawCalls();
    runner->state = NextEventCommand;
    runner->face = 26;
    DrawEventRunner(slot);
    EXPECT_EQ(Draws().size(), 5u) << "the frame stays without text; face 26 draws nothing";
    runner->face = FACE_NONE;
    DrawEventRunner(slot);
    EXPECT_EQ(Draws().size(), 10u);

    headless::ClearDrawCalls();
    runner->windowOn = 0;
    runner->state = UpdateFadeToEnding;
    runner->fadeAlpha = 0;
    DrawEventRunner(slot);
    EXPECT_TRUE(Draws().empty());
    runner->fadeAlpha = 40;
    DrawEventRunner(slot);
    ASSERT_EQ(Draws().size(), 300u);
    EXPECT_EQ(Draws()[0].screen[0].colour, 0x28FFFFFFu);
}

}  // namespace
