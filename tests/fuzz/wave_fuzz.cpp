// Fuzzes the wave parser: every accepted sound lies inside the image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveSound sound;
    if (ParseWave(data, static_cast<uint32_t>(size), &sound)) {
        if (sound.samples < data || sound.samples + sound.dataBytes > data + size ||
            sound.dataBytes % static_cast<uint32_t>(sound.channels * sound.bitsPerSample / 8) !=
                0) {
            std::abort();
        }
        volatile uint8_t last = sound.samples[sound.dataBytes - 1];
        (void)last;
    }
    return 0;
}
