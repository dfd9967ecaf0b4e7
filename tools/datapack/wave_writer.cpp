// The wave writer.
#include "datapack/wave_writer.h"

#include "engine/byte_io.h"

namespace {

void Append32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void Append16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendId(Bytes& out, const char* id) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(id[i]));
    }
}

}  // namespace

Bytes WriteWave(const WaveLayout& layout, const Bytes& sampleBytes) {
    Bytes out;
    const uint16_t blockAlign = static_cast<uint16_t>(layout.channels * layout.bitsPerSample / 8);
    AppendId(out, "RIFF");
    Append32(out, 0);  // patched below
    AppendId(out, "WAVE");
    AppendId(out, "fmt ");
    Append32(out, layout.fmtChunkBytes);
    Append16(out, 1);
    Append16(out, static_cast<uint16_t>(layout.channels));
    Append32(out, static_cast<uint32_t>(layout.sampleRate));
    Append32(out, static_cast<uint32_t>(layout.sampleRate) * blockAlign);
    Append16(out, blockAlign);
    Append16(out, static_cast<uint16_t>(layout.bitsPerSample));
    for (uint32_t i = 16; i < layout.fmtChunkBytes; ++i) {
        out.push_back(0);
    }
    AppendId(out, "data");
    Append32(out, static_cast<uint32_t>(sampleBytes.size()));
    out.insert(out.end(), sampleBytes.begin(), sampleBytes.end());
    if (sampleBytes.size() % 2 != 0) {
        out.push_back(0);
    }
    WriteLE32(out.data() + 4, static_cast<uint32_t>(out.size() - 8));
    return out;
}

Bytes Pcm16Bytes(const std::vector<int16_t>& samples) {
    Bytes out(samples.size() * 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        WriteLE16(out.data() + i * 2, static_cast<uint16_t>(samples[i]));
    }
    return out;
}
