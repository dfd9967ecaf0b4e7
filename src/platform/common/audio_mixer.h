// The mixer behind the real audio backend: voices of 16-bit stereo frames summed and clipped
// into the device's buffer. Plain data and functions so tests can drive it without a device;
// the backend calls them with the device locked, since the device pulls on its own thread.
#pragma once

#include <cstdint>
#include <vector>

struct MixerVoice {
    std::vector<int16_t> frames;  // interleaved left, right
    uint32_t position = 0;        // in frames
    bool loaded = false;
    bool playing = false;
    bool looping = false;
};

struct Mixer {
    MixerVoice voices[29];
};

void MixerLoad(Mixer& mixer, int id, std::vector<int16_t> stereoFrames);
void MixerUnload(Mixer& mixer, int id);
// Playing a voice that already plays only updates its looping flag.
void MixerPlay(Mixer& mixer, int id, bool looping);
void MixerStop(Mixer& mixer, int id);
void MixerRewind(Mixer& mixer, int id);
// Fills frameCount stereo frames. A one-shot voice that reaches its end stops with its
// position back at 0; a looping one starts over.
void MixerMix(Mixer& mixer, int16_t* out, int frameCount);
