// Controls of the headless backend, for tests: a clock the test moves, keys it sets, failures it
// injects, and records of what the game asked of the platform (calls in order, message boxes,
// device attempts). Nothing here exists in the real backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace headless {

// Back to a fresh machine: clock at 0, no keys, no window, no failures, empty records.
void Reset();

// The millisecond clock. It moves only when a test moves it, and by 1 ms per busy-wait turn.
void SetClock(uint32_t ms);
void AdvanceClock(uint32_t ms);
uint32_t Clock();
void SetCalendarSeconds(int64_t seconds);

// Keys by virtual-key code, as the next pump will see them.
void SetKey(uint32_t vk, bool down);
void ReleaseAllKeys();

// The next PlatformPumpEvents reports a close request, as the window's close box would.
void RequestClose();

struct WindowState {
    bool exists = false;
    bool shown = false;
    std::string caption;
    std::string className;
    int clientWidth = 0;
    int clientHeight = 0;
    int x = 0;
    int y = 0;
    bool fullScreen = false;
    int placements = 0;  // PlatformPlaceWindow calls
};
const WindowState& Window();
void SetDesktopSize(int width, int height);  // 0 by 0: no desktop to measure

// Injected failures.
void SetInitFails(bool fails);
void FailAllocationsOfSize(size_t bytes, int count);  // the next count requests of that size
void FailDeviceCreations(int count);                  // the next count device creations
void LoseDeviceAtNextPresent();

// Records. The call log names each platform call that changes the machine's state, in order:
// "timer:fine", "timer:coarse", "alloc:<bytes>", "free:<bytes>", "window:create",
// "window:show", "window:place", "window:destroy", "device:create", "device:release",
// "message:<text>".
const std::vector<std::string>& CallLog();
void ClearCallLog();

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};
const std::vector<MessageBoxRecord>& MessageBoxes();

const std::vector<DeviceSettings>& DeviceAttempts();
int FramesPresented();
size_t LiveAllocations();

}  // namespace headless
