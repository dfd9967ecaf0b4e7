// Controls of the headless backend, for tests: a clock the test moves, keys it sets, failures it
// injects, and records of what the game asked of the platform (calls in order, message boxes,
// device attempts). Nothing here exists in the real backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"
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
void SetAudioOpenFails(bool fails);
void FailVoiceCreation(int id);    // the next creation of that voice
void LoseVoiceAtNextPlay(int id);  // the next play of that voice reports it lost

// Records. The call log names each platform call that changes the machine's state, in order:
// "timer:fine", "timer:coarse", "alloc:<bytes>", "free:<bytes>", "window:create",
// "window:show", "window:place", "window:destroy", "device:create", "device:release",
// "message:<text>", "audio:open", "audio:close", "voice:create:<id>", "voice:destroy:<id>".
const std::vector<std::string>& CallLog();
void ClearCallLog();

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
// Whether message boxes are also written to stderr (on unless a fuzzer turns it off).
void SetMessageEcho(bool echo);

// What was done to the voices, in order: "play:<id>:once", "play:<id>:loop", "stop:<id>",
// "rewind:<id>".
const std::vector<std::string>& SoundLog();
void ClearSoundLog();

struct VoiceRecord {
    bool exists = false;
    bool playing = false;
    bool looping = false;
    uint32_t position = 0;  // 0 at the start; anything else once it has played
    PcmSound format{};      // samples point into the game's archive while it is loaded
};
const VoiceRecord& Voice(int id);
// The voice reaches its end: a one-shot stops and goes back to its start.
void FinishVoice(int id);

const std::vector<DeviceSettings>& DeviceAttempts();
int FramesPresented();

// One draw call with the device state it was made under.
struct DrawRecord {
    enum class Kind { ScreenFan, WorldFan, MeshSubset };
    Kind kind;
    const GfxTexture* texture;
    bool depthTest;
    bool lighting;
    GfxMaterial material;
    Mat4 world;
    Mat4 view;
    Mat4 projection;
    ScreenVertex screen[4];   // ScreenFan
    WorldVertex vertices[4];  // WorldFan
    const GfxMesh* mesh;      // MeshSubset
    uint32_t subset;
};
// The draws since the current frame began (or since the last ClearDrawCalls).
const std::vector<DrawRecord>& DrawCalls();
void ClearDrawCalls();

// The device state as last set.
bool DepthTest();
bool Lighting();
const Mat4& Transform(GfxTransform which);

struct TextureInfo {
    int width;
    int height;
};
// Null for a texture that does not exist.
const TextureInfo* TextureOf(const GfxTexture* texture);
struct MeshInfo {
    size_t vertexCount;
    bool normals;
    bool texCoords;
    bool colours;
    std::vector<size_t> subsetTriangles;
};
const MeshInfo* MeshOf(const GfxMesh* mesh);
size_t LiveTextures();
size_t LiveMeshes();
size_t LiveAllocations();

}  // namespace headless
