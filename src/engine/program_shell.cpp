// Program shell and frame loop.
#include "engine/program_shell.h"

#include <cstdio>

#include "battle/inventory.h"
#include "battle/skill_table.h"
#include "engine/data_archive.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/random.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "menu/options.h"
#include "menu/title_screen.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "platform/window.h"
#include "render/graphics_device.h"

const char* const windowTitle = "Lirrowen";
const char* const windowClassName = "VORNHALT";

uint32_t isRunning = 0;

namespace {

constexpr const char* ERROR_CAPTION = "error";
constexpr const char* GRAPHICS_INIT_ERROR = "direct graphice init error";
constexpr uint32_t CLEAR_COLOUR = 0xFF000000;
constexpr int EXIT_START_UP_FAILED = 1;

enum class ShellState { Idle, Running, Ended };
ShellState shellState = ShellState::Idle;

void ShowStartUpError(const char* text) {
    PlatformShowMessage(ERROR_CAPTION, text);
}

// Destroying the window ends the message loop (the quit that follows window destruction).
void DestroyMainWindow() {
    PlatformDestroyWindow();
    shellState = ShellState::Ended;
}

}  // namespace

void CenterOnDesktop(int width, int height, int* x, int* y) {
    *x = 0;
    *y = 0;
    int desktopWidth = 0;
    int desktopHeight = 0;
    if (PlatformDesktopSize(&desktopWidth, &desktopHeight)) {
        *x = (desktopWidth - width) / 2;
        *y = (desktopHeight - height) / 2;
    }
}

bool CreateMainWindow() {
    shellState = ShellState::Idle;
    WindowDesc desc{};
    desc.caption = windowTitle;
    desc.className = windowClassName;
    desc.clientWidth = CLIENT_WIDTH;
    desc.clientHeight = CLIENT_HEIGHT;
    CenterOnDesktop(CLIENT_WIDTH, CLIENT_HEIGHT, &desc.x, &desc.y);
    if (!PlatformCreateWindow(desc)) {
        return false;
    }
    if (StartUp()) {
        shellState = ShellState::Running;
        PlatformShowWindow();
    }
    return true;
}

bool StartUp() {
    if (!InitParameters()) {
        ShowStartUpError("parameter init error");
        // The pool may exist when only the map buffers failed.
        FreeWorkBuffers();
        DestroyMainWindow();
        return false;
    }
    if (!LoadDataArchive()) {
        ShowStartUpError("data load fail");
        FreeWorkBuffers();
        DestroyMainWindow();
        return false;
    }
    if (!InitSound()) {
        ShowStartUpError("direct sound init error");
        FreeWorkBuffers();
        FreeDataArchive();
        ReleaseSound();
        DestroyMainWindow();
        return false;
    }
    if (!InitGraphics()) {
        ShowStartUpError(GRAPHICS_INIT_ERROR);
        FreeWorkBuffers();
        FreeDataArchive();
        ReleaseSound();
        ReleaseGraphics();
        DestroyMainWindow();
        return false;
    }
    CreateTitleScreen();
    PlatformSetFineTimer(true);
    return true;
}

bool InitParameters() {
    SeedRandom(static_cast<uint32_t>(GetTimeSeconds()));
    dataArchive = nullptr;
    dataArchiveSize = 0;
    isRunning = 1;
    currentMap = 0;
    scenario = 0;
    encounterGroup = 0;
    eventBlockCount = 0;
    encounterInterval = DEFAULT_ENCOUNTER_INTERVAL;
    encounterStepsLeft = encounterInterval;
    money = START_MONEY;
    partyCount = PARTY_MAX;
    battleEnemyCount = 0;
    familiarCount = PARTY_MAX;
    ZeroMemoryBlock(partyRoster, sizeof partyRoster);
    ZeroMemoryBlock(familiarTeam, sizeof familiarTeam);
    titleBackgroundVariant = 0;
    InitKeys();
    InitOptions();
    InitSkillCallbacks();
    money = START_MONEY;
    InitInventory();
    ClearEventFlags();
    return AllocWorkBuffers();
}

bool AllocWorkBuffers() {
    if (!CreateTaskPool()) {
        return false;
    }
    return AllocMapBuffers();
}

void FreeWorkBuffers() {
    DestroyTaskPool();
    FreeMapBuffers();
}

void RunFrame() {
    uint32_t frameStart = PlatformTicks();
    RenderFrame();
    UpdateFrame();
    // Whole milliseconds against a fractional period: a short frame lasts 17 ms. A long one is
    // not waited for, and nothing is skipped or caught up afterwards.
    while (static_cast<double>(static_cast<uint32_t>(PlatformTicks() - frameStart)) <
           FRAME_PERIOD_MS) {
        PlatformSpinPause();
    }
    if (isRunning == 0) {
        ShutDown();
    }
}

void RenderFrame() {
    if (!GfxDeviceExists()) {
        return;
    }
    GfxBeginFrame(CLEAR_COLOUR, 1.0f);
    DrawTasks();
    if (GfxEndFrame() == PresentResult::DeviceLost && !RecreateDevice()) {
        isRunning = 0;
    }
}

bool RecreateDevice() {
    // A failed build may have left part of a device behind; this releases that too.
    ReleaseGraphics();
    ApplyWindowMode();
    return InitGraphics();
}

void EndAfterGraphicsFailure() {
    ShowStartUpError(GRAPHICS_INIT_ERROR);
    isRunning = 0;
}

void UpdateFrame() {
    ClearSoundRequests();
    PollKeys();
    UpdateTasks();
    PlayRequestedSounds();
}

void ShutDown() {
    if (shellState != ShellState::Running) {
        return;
    }
    PlatformSetFineTimer(false);
    FreeWorkBuffers();
    FreeDataArchive();
    ReleaseSound();
    ReleaseGraphics();
    DestroyMainWindow();
}

bool RunMessageLoopOnce() {
    if (shellState != ShellState::Running) {
        return false;
    }
    // The close box is handled here, between frames, so ShutDown never frees the pool under a
    // running task pass.
    if (PlatformPumpEvents()) {
        ShutDown();
        return false;
    }
    RunFrame();
    return shellState == ShellState::Running;
}

int RunGame() {
    if (!CreateMainWindow()) {
        std::fprintf(stderr, "window: cannot be created: %s\n", PlatformLastError());
        return EXIT_START_UP_FAILED;
    }
    // A failed start-up has shown its message and released everything by now; scripts and
    // service managers must not take it for a game that ran.
    if (shellState != ShellState::Running) {
        return EXIT_START_UP_FAILED;
    }
    while (RunMessageLoopOnce()) {
    }
    return 0;
}
