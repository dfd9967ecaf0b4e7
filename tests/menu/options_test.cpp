// The options screen opened from the title: editing, closing with each of its keys and what that
// does to the music, the window and the device, and a mode the machine cannot make.
#include <array>

#include "engine/keyboard.h"
#include "engine/sound.h"
#include "menu/menu_flow.h"
#include "menu/options.h"

namespace {

using Log = std::vector<std::string>;
using Settings = std::array<uint32_t, OPTION_ROW_COUNT>;

class OptionsTest : public MenuFlowTest {
  protected:
    // The title's options item.
    void Open() {
        Press({KEY_DOWN, KEY_Z});
        ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_OPTIONS));
        ASSERT_EQ(CreateOptionsScreen(120.0f, OPTIONS_FROM_GAME), 0) << "one at a time";
    }
    static Settings Current() {
        return {options.optionWindowed, options.optionVsync, options.optionDepth24,
                options.optionMusic, options.optionSoundEffects};
    }
};

TEST_F(OptionsTest, EveryClosingKeyKeepsTheEditsAndAppliesThemAtOnce) {
    headless::SetDesktopSize(1024, 768);
    const Log rebuilt = {"device:release", "window:place", "device:create"};
    const Log titleMusic = {"play:26:loop", "play:26:loop", "play:1:once"};
    const struct {
        std::vector<int> keys;
        Settings settings;
        Log plays;  // of the closing press
        Log calls;
    } legs[] = {
        // Up wraps to the effects row, Down from there to the first.
        {{KEY_UP, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_DOWN, KEY_LEFT},
         {0, 1, 1, 0, 0},
         {},
         rebuilt},
        {{KEY_LEFT, KEY_UP, KEY_LEFT, KEY_UP, KEY_LEFT}, {1, 1, 1, 1, 1}, titleMusic, rebuilt},
        // Display settings switched twice are no change: the device stays.
        {{KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_RIGHT, KEY_LEFT},
         {1, 1, 1, 1, 1},
         titleMusic,
         {}},
    };
    for (int closing : {KEY_ESCAPE, KEY_RETURN, KEY_Z}) {
        for (const auto& leg : legs) {
            SCOPED_TRACE("key " + std::to_string(closing) + " leg " + std::to_string(&leg - legs));
            Open();
            const Settings before = Current();
            Press(leg.keys);
            EXPECT_EQ(Current(), before) << "applied before closing";
            headless::ClearCallLog();
            EXPECT_EQ(Press(closing), leg.plays);
            EXPECT_EQ(Current(), leg.settings);
            EXPECT_EQ(headless::CallLog(), leg.calls);
            EXPECT_EQ(headless::Voice(MUSIC_TITLE).playing, leg.settings[3] == 1);
            EXPECT_FALSE(IsTaskSlotInUse(TASK_SLOT_OPTIONS));
            EXPECT_TRUE(TaskKindExists(TASK_KIND_TITLE)) << "a new title";
            const headless::WindowState& w = headless::Window();
            EXPECT_EQ((std::array<int, 5>{w.fullScreen, w.x, w.y, w.clientWidth, w.clientHeight}),
                      (leg.settings[0] == 0 ? std::array<int, 5>{1, 0, 0, 1024, 768}
                                            : std::array<int, 5>{0, 192, 144, 640, 480}));
        }
    }
}

// A mode the machine cannot make falls back to the one that worked; only when that fails too
// does the game end, and it says why.
TEST_F(OptionsTest, AFailedRebuildGoesBackToThePreviousDisplayAndEndsOnlyIfThatFailsToo) {
    for (int failures : {4, 8}) {  // a build tries four devices
        SCOPED_TRACE(failures);
        const bool survives = failures == 4;
        Open();
        Press({KEY_LEFT, KEY_DOWN, KEY_DOWN, KEY_LEFT});
        headless::FailDeviceCreations(failures);
        game->Hold(KEY_Z);
        EXPECT_EQ(game->Frame(), survives);
        EXPECT_EQ(Current(), Settings({1, 1, 1, 1, 1}));
        EXPECT_FALSE(headless::Window().fullScreen);
        EXPECT_TRUE(headless::DeviceAttempts().back().depth24);
        if (!survives) {
            ASSERT_EQ(game->MessageBoxes().size(), 1u);
            EXPECT_EQ(game->MessageBoxes()[0].text, "direct graphice init error");
            return;
        }
        EXPECT_TRUE(game->MessageBoxes().empty());
        game->Release(KEY_Z);
        EXPECT_TRUE(game->Frame());
    }
}

}  // namespace
