// RIFF WAVE images of PCM samples.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct WaveLayout {
    int channels = 1;
    int bitsPerSample = 16;
    int sampleRate = 22050;
    uint32_t fmtChunkBytes = 16;  // 16, or 18 with a zero extension size
};

// A canonical file: "RIFF" size "WAVE", "fmt ", "data".
Bytes WriteWave(const WaveLayout& layout, const Bytes& sampleBytes);
// 16-bit mono samples as sample bytes.
Bytes Pcm16Bytes(const std::vector<int16_t>& samples);
