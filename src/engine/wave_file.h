// RIFF WAVE images as the archive stores the game's sounds: PCM, 8-bit unsigned or 16-bit
// signed, mono or stereo, any rate.
#pragma once

#include <cstdint>

struct WaveSound {
    int channels;
    int bitsPerSample;
    int sampleRate;
    const uint8_t* samples;  // points into the image
    uint32_t dataBytes;      // whole frames only
};

// Finds the format and the samples. Every header and field read lies inside the size bytes;
// a data chunk longer than the bytes present is cut to them, and a trailing partial frame is
// dropped. False for anything that is not such a sound, with why (when given) saying what is
// wrong.
bool ParseWave(const uint8_t* wave, uint32_t size, WaveSound* out, const char** why = nullptr);
