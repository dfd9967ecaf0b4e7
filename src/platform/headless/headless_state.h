// The headless backend's machine, shared by its source files.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

namespace headless {

struct State {
    uint32_t clock = 0;
    int64_t calendarSeconds = 0;
    std::array<bool, 256> pendingKeys{};
    std::array<bool, 256> keys{};
    bool closeRequested = false;
    WindowState window;
    int desktopWidth = 1920;
    int desktopHeight = 1080;

    bool initFails = false;
    std::map<size_t, int> failingAllocations;
    int deviceCreationsToFail = 0;
    bool loseDeviceAtPresent = false;

    std::vector<std::string> callLog;
    std::vector<MessageBoxRecord> messageBoxes;
    bool messageEcho = true;
    std::map<void*, size_t> liveBlocks;

    bool audioOpenFails = false;
    bool audioOpen = false;
    std::array<bool, AUDIO_VOICE_COUNT> voiceCreationFails{};
    std::array<bool, AUDIO_VOICE_COUNT> voiceLostAtPlay{};
    std::array<VoiceRecord, AUDIO_VOICE_COUNT> voices{};
    std::vector<std::string> soundLog;

    std::vector<DeviceSettings> deviceAttempts;
    std::vector<DrawRecord> drawCalls;
    bool depthTest = true;
    bool lighting = false;
    GfxMaterial material{};
    const GfxTexture* texture = nullptr;
    Mat4 transforms[3] = {MatrixIdentity(), MatrixIdentity(), MatrixIdentity()};
    bool deviceExists = false;
    bool frameOpen = false;
    int framesPresented = 0;
};

extern State state;
void Log(std::string entry);

}  // namespace headless
