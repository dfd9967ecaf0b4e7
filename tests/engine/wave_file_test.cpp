// RIFF WAVE parsing: chunk orders, format sizes, clamps and every malformed case refused
// without a read outside the image.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "datapack/wave_writer.h"
#include "engine/byte_io.h"
#include "engine/wave_file.h"

namespace {

// A RIFF image built chunk by chunk, for the unusual layouts the writer never makes.
class RiffBuilder {
  public:
    RiffBuilder& Chunk(const std::string& id, const Bytes& body, int declaredSize = -1) {
        bytes_.insert(bytes_.end(), id.begin(), id.end());
        uint32_t size = declaredSize < 0 ? static_cast<uint32_t>(body.size())
                                         : static_cast<uint32_t>(declaredSize);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<uint8_t>(size >> shift));
        }
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        if (body.size() % 2 != 0) {
            bytes_.push_back(0);
        }
        return *this;
    }
    Bytes Build(int riffSize = -1) const {
        Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
        uint32_t size = riffSize < 0 ? static_cast<uint32_t>(4 + bytes_.size())
                                     : static_cast<uint32_t>(riffSize);
        WriteLE32(out.data() + 4, size);
        out.insert(out.end(), bytes_.begin(), bytes_.end());
        return out;
    }

  private:
    Bytes bytes_;
};

Bytes Fmt(uint16_t channels, uint32_t rate, uint16_t bits, size_t length = 16,
          uint16_t blockAlign = 0xFFFF) {
    Bytes f(std::max<size_t>(length, 16), 0);
    WriteLE16(f.data(), 1);
    WriteLE16(f.data() + 2, channels);
    WriteLE32(f.data() + 4, rate);
    WriteLE32(f.data() + 8, rate * channels * bits / 8);
    WriteLE16(f.data() + 12,
              blockAlign == 0xFFFF ? static_cast<uint16_t>(channels * bits / 8) : blockAlign);
    WriteLE16(f.data() + 14, bits);
    f.resize(length);  // a short format chunk is cut, not zeroed
    return f;
}

// The usual two chunks, optionally with false sizes.
Bytes Wave(const Bytes& format, const Bytes& data, int dataSize = -1, int riffSize = -1) {
    return RiffBuilder().Chunk("fmt ", format).Chunk("data", data, dataSize).Build(riffSize);
}

bool Parse(const Bytes& image, WaveSound* out) {
    return ParseWave(image.data(), static_cast<uint32_t>(image.size()), out);
}

TEST(WaveFileTest, ChunksInAnyOrderFirstFormatAndFirstNonEmptyDataCount) {
    WaveSound sound{};
    Bytes dataFirst = RiffBuilder()
                          .Chunk("LIST", Bytes(5, 'x'))
                          .Chunk("data", Bytes(6, 2))
                          .Chunk("junk", Bytes(3, 'y'))
                          .Chunk("data", Bytes(8, 7))
                          .Chunk("fmt ", Fmt(1, 8000, 16))
                          .Build();
    ASSERT_TRUE(Parse(dataFirst, &sound)) << "odd chunks are skipped with their pad byte";
    EXPECT_EQ(sound.dataBytes, 6u);
    EXPECT_EQ(sound.sampleRate, 8000);
    Bytes repeated = RiffBuilder()
                         .Chunk("fmt ", Fmt(2, 11025, 8))
                         .Chunk("data", Bytes())
                         .Chunk("fmt ", Fmt(1, 44100, 16))
                         .Chunk("data", Bytes(4, 9))
                         .Chunk("data", Bytes(8, 7))
                         .Build();
    ASSERT_TRUE(Parse(repeated, &sound));
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.dataBytes, 4u);
    EXPECT_EQ(sound.samples[0], 9);
}

// Images that parse: what the data tool writes in every accepted format, and odd layouts, with
// the whole frames each keeps.
TEST(WaveFileTest, AcceptedImagesGiveTheirFormatAndWholeFramesInsideTheImage) {
    const Bytes data(8, 0x5A);  // a value no header byte here holds
    struct Case {
        const char* name;
        Bytes image;
        int channels, bits, rate;
        uint32_t dataBytes;
    };
    const Case cases[] = {
        {"written mono 16-bit", WriteWave({1, 16, 22050, 16}, Bytes(20, 0x5A)), 1, 16, 22050, 20},
        {"written stereo 8-bit", WriteWave({2, 8, 8000, 16}, Bytes(20, 0x5A)), 2, 8, 8000, 20},
        {"18-byte format", Wave(Fmt(1, 11025, 8, 18), data), 1, 8, 11025, 8},
        {"data longer than the image, 4-byte frames",
         Wave(Fmt(2, 44100, 16), Bytes(10, 0x5A), 4000), 2, 16, 44100, 8},
        {"partial frame dropped", Wave(Fmt(1, 22050, 16), Bytes(7, 0x5A)), 1, 16, 22050, 6},
        {"zero block align ignored", Wave(Fmt(2, 22050, 16, 16, 0), data), 2, 16, 22050, 8},
        {"RIFF size past the image", Wave(Fmt(1, 22050, 16), data, -1, 0x7FFFFFF0), 1, 16, 22050,
         8},
    };
    for (const Case& c : cases) {
        WaveSound sound{};
        ASSERT_TRUE(Parse(c.image, &sound)) << c.name;
        EXPECT_EQ(sound.channels, c.channels) << c.name;
        EXPECT_EQ(sound.bitsPerSample, c.bits) << c.name;
        EXPECT_EQ(sound.sampleRate, c.rate) << c.name;
        EXPECT_EQ(sound.dataBytes, c.dataBytes) << c.name;
        EXPECT_EQ(sound.samples[0], 0x5A) << c.name;
        EXPECT_EQ(sound.samples[sound.dataBytes - 1], 0x5A) << c.name;
    }
}

TEST(WaveFileTest, MalformedImagesAreRefused) {
    WaveSound sound{};
    const Bytes good = Wave(Fmt(1, 22050, 16), Bytes(8, 1));
    ASSERT_TRUE(Parse(good, &sound));

    struct Case {
        const char* name;
        Bytes image;
    };
    Bytes notRiff = good;
    notRiff[0] = 'X';
    Bytes notWave = good;
    notWave[8] = 'X';
    Bytes truncatedHeader(good.begin(), good.begin() + 11);
    Bytes truncatedFormat(good.begin(), good.begin() + 12 + 8 + 10);
    Case cases[] = {
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"shorter than the RIFF header", truncatedHeader},
        {"format cut short", truncatedFormat},
        {"no data chunk", RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Build()},
        {"no format chunk", RiffBuilder().Chunk("data", Bytes(8, 1)).Build()},
        {"only empty data", Wave(Fmt(1, 22050, 16), Bytes())},
        {"data chunk with no bytes left", Wave(Fmt(1, 22050, 16), Bytes(), 64)},
        {"RIFF size ends before the data", Wave(Fmt(1, 22050, 16), Bytes(8, 1), -1, 4 + 24)},
        {"14-byte format: the width after it is not its own",
         RiffBuilder()
             .Chunk("fmt ", Fmt(1, 22050, 16, 14))
             .Chunk(std::string("\x10\0id", 4), Bytes())
             .Chunk("data", Bytes(8, 1))
             .Build()},
        {"12-byte format", Wave(Fmt(1, 22050, 16, 12), Bytes(8, 1))},
        {"zero rate", Wave(Fmt(1, 0, 16), Bytes(8, 1))},
        {"three channels", Wave(Fmt(3, 22050, 16), Bytes(12, 1))},
        {"24-bit", Wave(Fmt(1, 22050, 24), Bytes(12, 1))},
        {"huge skipped chunk", RiffBuilder()
                                   .Chunk("LIST", Bytes(2, 0), 0x7FFFFFFF)
                                   .Chunk("fmt ", Fmt(1, 22050, 16))
                                   .Build()},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Parse(c.image, &sound)) << c.name;
    }
    Bytes adpcm = good;
    WriteLE16(adpcm.data() + 20, 2);
    EXPECT_FALSE(Parse(adpcm, &sound)) << "not PCM";
    EXPECT_FALSE(ParseWave(nullptr, 0, &sound));
}

}  // namespace
