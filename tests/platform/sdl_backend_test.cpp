// The real backend on SDL's offscreen video driver: the window, the key table fed from key
// events, close requests, the OpenGL device, and the whole game running frames on it.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <csignal>
#include <fstream>
#include <vector>

#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/system.h"
#include "platform/window.h"
#include "support/fixtures.h"
#include "support/temp_dir.h"

namespace {

class SdlBackendTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(PlatformInit()) << PlatformLastError(); }
    void TearDown() override {
        GfxReleaseDevice();
        PlatformDestroyWindow();
        PlatformShutdown();
    }

    static void CreateGameWindow() {
        WindowDesc desc{"Lirrowen", "VORNHALT", 640, 480, 10, 20};
        ASSERT_TRUE(PlatformCreateWindow(desc));
    }

    static void PushKey(SDL_Keycode key, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }
};

TEST_F(SdlBackendTest, WindowIsCreatedHiddenWithItsCaptionClassAndClientSize) {
    CreateGameWindow();
    ASSERT_TRUE(PlatformWindowExists());
    SDL_Window* window = sdlbackend::window;
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Lirrowen");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN, 0u);
    // The offscreen driver has no window class; the X11 and Wayland drivers take it from these
    // when video starts.
    for (const char* name : {"SDL_VIDEO_X11_WMCLASS", "SDL_VIDEO_WAYLAND_WMCLASS"}) {
        EXPECT_STREQ(SDL_getenv(name), "VORNHALT") << name;
    }
    PlatformShowWindow();
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN, 0u);
    PlatformDestroyWindow();
    EXPECT_FALSE(PlatformWindowExists());
    PlatformDestroyWindow();  // a second destroy is harmless
}

TEST_F(SdlBackendTest, KeyEventsFeedTheKeyTableBothSidesAndKeypadEnterIncluded) {
    CreateGameWindow();
    PushKey(SDLK_RCTRL, true);
    PushKey(SDLK_KP_ENTER, true);
    PushKey(SDLK_z, true);
    EXPECT_FALSE(PlatformPumpEvents());
    EXPECT_TRUE(PlatformIsKeyDown(VK_CODE_CONTROL));
    EXPECT_TRUE(PlatformIsKeyDown(VK_CODE_RETURN));
    EXPECT_TRUE(PlatformIsKeyDown(VK_CODE_Z));
    EXPECT_FALSE(PlatformIsKeyDown(VK_CODE_SHIFT));

    PushKey(SDLK_LCTRL, true);
    PushKey(SDLK_RCTRL, false);
    PlatformPumpEvents();
    EXPECT_TRUE(PlatformIsKeyDown(VK_CODE_CONTROL)) << "the left Control is still down";
    PushKey(SDLK_LCTRL, false);
    PushKey(SDLK_KP_ENTER, false);
    PlatformPumpEvents();
    EXPECT_FALSE(PlatformIsKeyDown(VK_CODE_CONTROL));
    EXPECT_FALSE(PlatformIsKeyDown(VK_CODE_RETURN));
    EXPECT_TRUE(PlatformIsKeyDown(VK_CODE_Z));
}

TEST_F(SdlBackendTest, QuitEventIsReportedAsACloseRequestOnce) {
    CreateGameWindow();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(PlatformPumpEvents());
    EXPECT_FALSE(PlatformPumpEvents());
}

TEST_F(SdlBackendTest, DeviceIsAnOpenGLContextThatPresentsFrames) {
    CreateGameWindow();
    DeviceSettings settings{true, false, true, 0, false};
    ASSERT_TRUE(GfxCreateDevice(settings)) << SDL_GetError();
    EXPECT_TRUE(GfxDeviceExists());
    EXPECT_FALSE(GfxCreateDevice(settings)) << "one device at a time";
    for (int i = 0; i < 3; ++i) {
        GfxBeginFrame(0xFF000000, 1.0f);
        EXPECT_EQ(GfxEndFrame(), PresentResult::Ok);
    }
    GfxReleaseDevice();
    EXPECT_FALSE(GfxDeviceExists());
    GfxReleaseDevice();
}

TEST_F(SdlBackendTest, ClockAdvancesInMilliseconds) {
    uint32_t start = PlatformTicks();
    SDL_Delay(20);
    uint32_t elapsed = PlatformTicks() - start;
    EXPECT_GE(elapsed, 20u);
    EXPECT_GT(PlatformCalendarSeconds(), 1700000000);
}

TEST_F(SdlBackendTest, GameStartsRunsFramesAndShutsDownOnAClose) {
    TempDir dir;
    WriteTestDataSet(dir.Path());
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    ASSERT_TRUE(CreateMainWindow());
    uint32_t start = PlatformTicks();
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(RunMessageLoopOnce());
    }
    EXPECT_GE(PlatformTicks() - start, 6u * 17u) << "frames are paced";
    EXPECT_TRUE(IsTaskSlotInUse(TASK_SLOT_TITLE));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_FALSE(RunMessageLoopOnce());
    EXPECT_FALSE(PlatformWindowExists());
    EXPECT_EQ(taskPool, nullptr);
    std::filesystem::current_path(previous);
}

TEST_F(SdlBackendTest, TerminationSignalsAreCloseRequestsThatNoMessageBoxHoldsUp) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        CreateGameWindow();
        EXPECT_FALSE(PlatformPumpEvents());
        ASSERT_EQ(std::raise(signal), 0) << "the signal must be caught, not end the process";
        EXPECT_TRUE(PlatformPumpEvents());
        EXPECT_TRUE(PlatformPumpEvents()) << "the request stays until the game has ended";
        // Once termination is asked for, a box is only written to stderr: on a display it
        // would otherwise wait for a click.
        PlatformShowMessage("error", "data load fail");
        PlatformDestroyWindow();
        PlatformShutdown();
        ASSERT_TRUE(PlatformInit());
        CreateGameWindow();
        EXPECT_FALSE(PlatformPumpEvents()) << "a new start forgets the request";
        PlatformDestroyWindow();
    }
}

}  // namespace
