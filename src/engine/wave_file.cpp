// The RIFF walk: chunks in any order, the first "fmt " counts, the first non-empty "data"
// counts, other chunks are skipped with their pad byte.
#include "engine/wave_file.h"

#include <algorithm>
#include <cstring>

#include "engine/byte_io.h"

namespace {

constexpr uint32_t FMT_MIN_BYTES = 14;
constexpr uint32_t PCM_FMT_BYTES = 16;
constexpr uint16_t FORMAT_PCM = 1;

bool IdIs(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

}  // namespace

bool ParseWave(const uint8_t* wave, uint32_t size, WaveSound* out, const char** why) {
    const char* ignored = nullptr;
    if (why == nullptr) {
        why = &ignored;
    }
    if (wave == nullptr || size < 12 || !IdIs(wave, "RIFF") || !IdIs(wave + 8, "WAVE")) {
        *why = "no RIFF WAVE header";
        return false;
    }
    const uint64_t riffEnd = 8 + static_cast<uint64_t>(ReadLE32(wave + 4));
    const uint64_t end = std::min<uint64_t>(riffEnd, size);

    const uint8_t* format = nullptr;
    uint32_t formatBytes = 0;
    uint64_t dataAt = 0;
    uint32_t dataSize = 0;
    bool haveData = false;
    bool found = false;

    uint64_t p = 12;
    while (p < end) {
        if (p + 8 > end) {
            break;
        }
        const uint8_t* chunk = wave + p;
        uint32_t chunkSize = ReadLE32(chunk + 4);
        p += 8;
        if (IdIs(chunk, "fmt ")) {
            if (format == nullptr) {
                if (chunkSize < FMT_MIN_BYTES) {
                    *why = "its format chunk is too short";
                    return false;
                }
                format = wave + p;
                formatBytes = chunkSize;
            }
        } else if (IdIs(chunk, "data")) {
            if (!haveData || dataSize == 0) {
                haveData = true;
                dataAt = p;
                dataSize = chunkSize;
            }
        }
        if (format != nullptr && haveData && dataSize != 0) {
            found = true;
            break;
        }
        p += static_cast<uint64_t>(chunkSize) + (chunkSize & 1);
    }
    if (!found) {
        *why = format == nullptr ? "no format chunk" : "no sample data";
        return false;
    }

    // Only the fields that are there are read: PCM needs the 16 bytes up to the sample width.
    if (formatBytes < PCM_FMT_BYTES ||
        static_cast<uint64_t>(format - wave) + PCM_FMT_BYTES > size) {
        *why = "its format chunk is too short";
        return false;
    }
    const uint16_t formatTag = ReadLE16(format);
    const uint16_t channels = ReadLE16(format + 2);
    const uint32_t rate = ReadLE32(format + 4);
    const uint16_t bits = ReadLE16(format + 14);
    if (formatTag != FORMAT_PCM || channels < 1 || channels > 2 || rate == 0 ||
        (bits != 8 && bits != 16)) {
        *why = "not 8- or 16-bit PCM in one or two channels";
        return false;
    }

    // The frame size comes from the format itself, never from the header's block align.
    const uint32_t frameBytes = channels * (bits / 8u);
    uint64_t present = size - dataAt;
    uint64_t bytes = std::min<uint64_t>(dataSize, present);
    bytes -= bytes % frameBytes;
    if (bytes == 0) {
        *why = "no whole sample frame";
        return false;
    }
    out->channels = channels;
    out->bitsPerSample = bits;
    out->sampleRate = static_cast<int>(std::min<uint32_t>(rate, 0x7FFFFFFF));
    out->samples = wave + dataAt;
    out->dataBytes = static_cast<uint32_t>(bytes);
    return true;
}
