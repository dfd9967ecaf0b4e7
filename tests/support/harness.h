// The headless harness: starts the game core on the headless backend in a data folder of the
// test's choosing, drives frames with scripted keys on a clock the test controls, and lets the
// test look at the task pool, the platform calls, the message boxes and the sounds.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/task_pool.h"
#include "platform/headless/headless.h"

class GameHarness {
  public:
    // The game reads its files from the current directory, so the harness runs it in dataDir.
    explicit GameHarness(const std::filesystem::path& dataDir, uint32_t seed = 1);
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Creates the window and runs start-up. True when start-up succeeded and frames can run.
    bool Start();
    // One turn of the message loop: the events (keys as set now), then one frame. False once
    // the program has ended.
    bool Frame();
    // Up to n frames; stops early when the program ends. The number of frames run.
    int Frames(int n);
    // Frames until the predicate holds (checked before each frame) or maxFrames have run.
    bool RunUntil(const std::function<bool()>& done, int maxFrames);

    // Keys by key slot (KEY_RETURN, ...), as the next poll will see them.
    void Hold(int keySlot);
    void Release(int keySlot);
    void ReleaseAll();
    // Holds the key for one frame, then releases it for one frame: one press.
    void Tap(int keySlot);

    // Asks to close the window, as its close box does.
    void RequestClose();

    bool Running() const { return running_; }
    int FramesRun() const { return framesRun_; }
    TaskSlot* Slot(int slot) const { return TaskAt(slot); }
    bool SlotInUse(int slot) const { return IsTaskSlotInUse(slot); }
    const std::vector<headless::MessageBoxRecord>& MessageBoxes() const {
        return headless::MessageBoxes();
    }
    const std::vector<std::string>& CallLog() const { return headless::CallLog(); }

  private:
    std::filesystem::path previousDir_;
    bool running_ = false;
    int framesRun_ = 0;
};

// The virtual-key code the game's key table holds for a key slot.
uint32_t KeySlotCode(int keySlot);
