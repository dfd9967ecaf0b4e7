// Headless backend: system, window and keyboard without a display, recorded for tests.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"

namespace headless {

State state;

void Log(std::string entry) {
    state.callLog.push_back(std::move(entry));
}

void Reset() {
    // Blocks the game still holds stay known, so that releasing them later frees them once.
    auto liveBlocks = std::move(state.liveBlocks);
    state = State{};
    state.liveBlocks = std::move(liveBlocks);
}

void SetClock(uint32_t ms) {
    state.clock = ms;
}
void AdvanceClock(uint32_t ms) {
    state.clock += ms;
}
uint32_t Clock() {
    return state.clock;
}
void SetCalendarSeconds(int64_t seconds) {
    state.calendarSeconds = seconds;
}

void SetKey(uint32_t vk, bool down) {
    if (vk < state.pendingKeys.size()) {
        state.pendingKeys[vk] = down;
    }
}
void ReleaseAllKeys() {
    state.pendingKeys.fill(false);
}

void RequestClose() {
    state.closeRequested = true;
}

const WindowState& Window() {
    return state.window;
}
void SetDesktopSize(int width, int height) {
    state.desktopWidth = width;
    state.desktopHeight = height;
}

void SetInitFails(bool fails) {
    state.initFails = fails;
}
void FailAllocationsOfSize(size_t bytes, int count) {
    state.failingAllocations[bytes] = count;
}
void FailDeviceCreations(int count) {
    state.deviceCreationsToFail = count;
}
void LoseDeviceAtNextPresent() {
    state.loseDeviceAtPresent = true;
}

const std::vector<std::string>& CallLog() {
    return state.callLog;
}
void ClearCallLog() {
    state.callLog.clear();
}
const std::vector<MessageBoxRecord>& MessageBoxes() {
    return state.messageBoxes;
}
void SetMessageEcho(bool echo) {
    state.messageEcho = echo;
}
const std::vector<DeviceSettings>& DeviceAttempts() {
    return state.deviceAttempts;
}
int FramesPresented() {
    return state.framesPresented;
}
size_t LiveAllocations() {
    return state.liveBlocks.size();
}

}  // namespace headless

using headless::Log;
using headless::state;

bool PlatformInit() {
    return !state.initFails;
}

void PlatformShutdown() {}

const char* PlatformLastError() {
    return state.initFails ? "headless: initialisation failure injected"
                           : "headless: failure injected";
}

uint32_t PlatformTicks() {
    return state.clock;
}

void PlatformSpinPause() {
    state.clock += 1;
}

void PlatformSetFineTimer(bool fine) {
    Log(fine ? "timer:fine" : "timer:coarse");
}

int64_t PlatformCalendarSeconds() {
    return state.calendarSeconds;
}

void* PlatformAllocate(size_t bytes) {
    auto failing = state.failingAllocations.find(bytes);
    if (failing != state.failingAllocations.end() && failing->second > 0) {
        failing->second -= 1;
        Log("alloc-failed:" + std::to_string(bytes));
        return nullptr;
    }
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr) {
        state.liveBlocks[block] = bytes;
        Log("alloc:" + std::to_string(bytes));
    }
    return block;
}

void PlatformRelease(void* block) {
    if (block == nullptr) {
        return;
    }
    auto it = state.liveBlocks.find(block);
    if (it != state.liveBlocks.end()) {
        Log("free:" + std::to_string(it->second));
        state.liveBlocks.erase(it);
    }
    std::free(block);
}

void PlatformShowMessage(const char* caption, const char* text) {
    if (state.messageEcho) {
        std::fprintf(stderr, "[%s] %s\n", caption, text);
    }
    state.messageBoxes.push_back({caption, text});
    Log(std::string("message:") + text);
}

bool PlatformCreateWindow(const WindowDesc& desc) {
    state.window = headless::WindowState{};
    state.window.exists = true;
    state.window.caption = desc.caption;
    state.window.className = desc.className;
    state.window.clientWidth = desc.clientWidth;
    state.window.clientHeight = desc.clientHeight;
    state.window.x = desc.x;
    state.window.y = desc.y;
    Log("window:create");
    return true;
}

void PlatformShowWindow() {
    if (state.window.exists) {
        state.window.shown = true;
        Log("window:show");
    }
}

void PlatformDestroyWindow() {
    if (!state.window.exists) {
        return;
    }
    state.window.exists = false;
    state.window.shown = false;
    Log("window:destroy");
}

bool PlatformWindowExists() {
    return state.window.exists;
}

bool PlatformDesktopSize(int* width, int* height) {
    if (state.desktopWidth <= 0 || state.desktopHeight <= 0) {
        return false;
    }
    *width = state.desktopWidth;
    *height = state.desktopHeight;
    return true;
}

void PlatformPlaceWindow(const WindowPlacement& placement) {
    if (!state.window.exists) {
        return;
    }
    state.window.fullScreen = placement.fullScreen;
    state.window.x = placement.x;
    state.window.y = placement.y;
    state.window.clientWidth = placement.width;
    state.window.clientHeight = placement.height;
    state.window.shown = true;
    state.window.placements += 1;
    Log("window:place");
}

bool PlatformPumpEvents() {
    state.keys = state.pendingKeys;
    bool close = state.closeRequested;
    state.closeRequested = false;
    return close;
}

bool PlatformIsKeyDown(uint32_t vk) {
    return vk < state.keys.size() && state.keys[vk];
}
