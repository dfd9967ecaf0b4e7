// The headless harness.
#include "support/harness.h"

#include "engine/program_shell.h"

namespace {

constexpr uint32_t keySlotCodes[] = {40, 38, 39, 37, 27, 17, 13, 90, 32, 16, 65, 83, 68, 70};

}  // namespace

uint32_t KeySlotCode(int keySlot) {
    return keySlotCodes[keySlot];
}

GameHarness::GameHarness(const std::filesystem::path& dataDir, uint32_t seed) {
    headless::Reset();
    headless::SetCalendarSeconds(seed);
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(dataDir);
}

GameHarness::~GameHarness() {
    if (running_) {
        ShutDown();
    }
    std::filesystem::current_path(previousDir_);
}

bool GameHarness::Start() {
    running_ = CreateMainWindow() && headless::Window().shown;
    return running_;
}

bool GameHarness::Frame() {
    if (!running_) {
        return false;
    }
    running_ = RunMessageLoopOnce();
    framesRun_ += 1;
    return running_;
}

int GameHarness::Frames(int n) {
    int run = 0;
    while (run < n && running_) {
        Frame();
        run += 1;
    }
    return run;
}

bool GameHarness::RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) {
            return true;
        }
        if (!Frame()) {
            return done();
        }
    }
    return done();
}

void GameHarness::Hold(int keySlot) {
    headless::SetKey(KeySlotCode(keySlot), true);
}

void GameHarness::Release(int keySlot) {
    headless::SetKey(KeySlotCode(keySlot), false);
}

void GameHarness::ReleaseAll() {
    headless::ReleaseAllKeys();
}

void GameHarness::Tap(int keySlot) {
    Hold(keySlot);
    Frame();
    Release(keySlot);
    Frame();
}

void GameHarness::RequestClose() {
    headless::RequestClose();
}
