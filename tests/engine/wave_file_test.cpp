// RIFF WAVE parsing: chunk orders, format sizes, clamps and every malformed case refused
// without a read outside the image.
#include <gtest/gtest.h>

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
    Bytes f(length, 0);
    if (length >= 2)
        WriteLE16(f.data(), 1);
    if (length >= 4)
        WriteLE16(f.data() + 2, channels);
    if (length >= 8)
        WriteLE32(f.data() + 4, rate);
    if (length >= 12)
        WriteLE32(f.data() + 8, rate * channels * bits / 8);
    if (length >= 14) {
        WriteLE16(f.data() + 12,
                  blockAlign == 0xFFFF ? static_cast<uint16_t>(channels * bits / 8) : blockAlign);
    }
    if (length >= 16)
        WriteLE16(f.data() + 14, bits);
    return f;
}

bool Parse(const Bytes& image, WaveSound* out) {
    return ParseWave(image.data(), static_cast<uint32_t>(image.size()), out);
}

TEST(WaveFileTest, CanonicalFilesOfEveryAcceptedFormatParse) {
    struct Case {
        int channels;
        int bits;
        int rate;
    };
    for (Case c : {Case{1, 16, 22050}, Case{2, 16, 44100}, Case{1, 8, 11025}, Case{2, 8, 8000}}) {
        WaveLayout layout{c.channels, c.bits, c.rate, 16};
        Bytes samples(static_cast<size_t>(c.channels * c.bits / 8) * 10, 0x40);
        Bytes image = WriteWave(layout, samples);
        WaveSound sound{};
        ASSERT_TRUE(Parse(image, &sound)) << c.channels << "ch " << c.bits << "bit";
        EXPECT_EQ(sound.channels, c.channels);
        EXPECT_EQ(sound.bitsPerSample, c.bits);
        EXPECT_EQ(sound.sampleRate, c.rate);
        EXPECT_EQ(sound.dataBytes, samples.size());
        EXPECT_EQ(sound.samples, image.data() + image.size() - samples.size());
    }
}

TEST(WaveFileTest, FormatChunkSizes) {
    Bytes data(8, 1);
    WaveSound sound{};
    EXPECT_TRUE(Parse(
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16, 16)).Chunk("data", data).Build(), &sound));
    EXPECT_TRUE(Parse(
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16, 18)).Chunk("data", data).Build(), &sound));
    // 14 and 15 bytes hold no sample width, which PCM needs.
    EXPECT_FALSE(Parse(
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16, 14)).Chunk("data", data).Build(), &sound));
    EXPECT_FALSE(Parse(
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16, 15)).Chunk("data", data).Build(), &sound));
    EXPECT_FALSE(Parse(
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16, 12)).Chunk("data", data).Build(), &sound));
}

TEST(WaveFileTest, ChunksInAnyOrderWithOddChunksSkippedWithTheirPadByte) {
    Bytes data(6, 2);
    WaveSound sound{};
    Bytes image = RiffBuilder()
                      .Chunk("LIST", Bytes(5, 'x'))
                      .Chunk("data", data)
                      .Chunk("junk", Bytes(3, 'y'))
                      .Chunk("fmt ", Fmt(1, 8000, 16))
                      .Build();
    ASSERT_TRUE(Parse(image, &sound));
    EXPECT_EQ(sound.dataBytes, 6u);
    EXPECT_EQ(sound.samples[0], 2);
    EXPECT_EQ(sound.sampleRate, 8000);
}

TEST(WaveFileTest, OnlyTheFirstFormatAndTheFirstNonEmptyDataCount) {
    WaveSound sound{};
    Bytes image = RiffBuilder()
                      .Chunk("fmt ", Fmt(2, 11025, 8))
                      .Chunk("data", Bytes())
                      .Chunk("fmt ", Fmt(1, 44100, 16))
                      .Chunk("data", Bytes(4, 9))
                      .Chunk("data", Bytes(8, 7))
                      .Build();
    ASSERT_TRUE(Parse(image, &sound));
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.sampleRate, 11025);
    EXPECT_EQ(sound.dataBytes, 4u);
    EXPECT_EQ(sound.samples[0], 9);
}

TEST(WaveFileTest, DataLongerThanTheImageIsCutAndPartialFramesDropped) {
    WaveSound sound{};
    Bytes image =
        RiffBuilder().Chunk("fmt ", Fmt(2, 22050, 16)).Chunk("data", Bytes(10, 3), 4000).Build();
    ASSERT_TRUE(Parse(image, &sound));
    EXPECT_EQ(sound.dataBytes, 8u) << "10 bytes present, 4-byte frames";

    Bytes odd = RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes(7, 3)).Build();
    ASSERT_TRUE(Parse(odd, &sound));
    EXPECT_EQ(sound.dataBytes, 6u);
}

TEST(WaveFileTest, ZeroBlockAlignIsIgnoredButZeroRateIsRefused) {
    WaveSound sound{};
    Bytes noAlign =
        RiffBuilder().Chunk("fmt ", Fmt(2, 22050, 16, 16, 0)).Chunk("data", Bytes(8, 1)).Build();
    ASSERT_TRUE(Parse(noAlign, &sound));
    EXPECT_EQ(sound.dataBytes, 8u);
    Bytes noRate = RiffBuilder().Chunk("fmt ", Fmt(1, 0, 16)).Chunk("data", Bytes(8, 1)).Build();
    EXPECT_FALSE(Parse(noRate, &sound));
}

TEST(WaveFileTest, MalformedImagesAreRefused) {
    WaveSound sound{};
    const Bytes good =
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes(8, 1)).Build();
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
        {"only empty data",
         RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes()).Build()},
        {"data chunk with no bytes left",
         RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes(), 64).Build()},
        {"RIFF size ends before the data",
         RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes(8, 1)).Build(4 + 24)},
        {"three channels",
         RiffBuilder().Chunk("fmt ", Fmt(3, 22050, 16)).Chunk("data", Bytes(12, 1)).Build()},
        {"24-bit",
         RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 24)).Chunk("data", Bytes(12, 1)).Build()},
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

TEST(WaveFileTest, RiffSizeLargerThanTheImageIsBoundedByTheImage) {
    WaveSound sound{};
    Bytes image =
        RiffBuilder().Chunk("fmt ", Fmt(1, 22050, 16)).Chunk("data", Bytes(8, 1)).Build(0x7FFFFFF0);
    ASSERT_TRUE(Parse(image, &sound));
    EXPECT_EQ(sound.dataBytes, 8u);
}

}  // namespace
