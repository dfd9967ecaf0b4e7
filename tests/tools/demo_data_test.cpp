// The data builder: the demo's sounds come out as distinct, well-formed waves, and mistakes in
// the recipes are reported with their line.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "datapack/sound_synth.h"
#include "engine/data_archive.h"
#include "engine/sound.h"
#include "engine/wave_file.h"
#include "support/fixtures.h"

namespace {

TEST(DemoDataTest, EverySoundIsADistinctWaveTheGameAccepts) {
    const std::vector<Bytes>& entries = DemoArchiveEntries();
    std::set<Bytes> distinct;
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const Bytes& wave = entries[ARCHIVE_SOUND_FIRST + id];
        WaveSound sound{};
        ASSERT_TRUE(ParseWave(wave.data(), static_cast<uint32_t>(wave.size()), &sound)) << id;
        EXPECT_EQ(sound.channels, 1);
        EXPECT_EQ(sound.bitsPerSample, 16);
        double seconds = sound.dataBytes / 2.0 / sound.sampleRate;
        if (id >= MUSIC_TITLE) {
            EXPECT_GE(seconds, 3.0) << "music " << id;
        } else {
            EXPECT_GT(seconds, 0.01) << "effect " << id;
            EXPECT_LT(seconds, 1.5) << "effect " << id;
        }
        distinct.insert(wave);
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(SOUND_COUNT));
}

TEST(DemoDataTest, RenderedSoundsAreAudibleAndUnclipped) {
    SoundRecipe recipe;
    recipe.name = "probe";
    recipe.lines = {"tone sine 440 440 100 0.5", "also tone sine 660 660 50 0.5", "rest 20"};
    std::vector<int16_t> samples = RenderSound(recipe);
    EXPECT_EQ(samples.size(), static_cast<size_t>(SYNTH_RATE * 0.12));
    int16_t peak = 0;
    for (int16_t s : samples) {
        peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(s)));
    }
    EXPECT_GT(peak, 10000);
    EXPECT_EQ(samples.back(), 0) << "the rest is silent";
}

TEST(DemoDataTest, RecipeMistakesNameTheirLine) {
    auto message = [](const std::string& text) {
        try {
            std::vector<SoundRecipe> recipes = ParseSoundRecipes(text);
            for (const SoundRecipe& r : recipes) {
                RenderSound(r);
            }
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(message("sound 1 a\n  tone sine 1 1 1\nend\n").find("cannot read step"),
              std::string::npos);
    EXPECT_NE(message("\n\nsound 1 a\n").find("no end"), std::string::npos);
    EXPECT_NE(message("tone sine 1 1 1 1\n").find("line 1"), std::string::npos);
    EXPECT_NE(message("sound 1 a\n notes sine 10 0.1 H4\nend\n").find("bad note"),
              std::string::npos);
    EXPECT_NE(message("sound 1 a\n tone hum 1 1 1 1\nend\n").find("unknown wave"),
              std::string::npos);
    EXPECT_EQ(message("# comment\nsound 1 a\n  notes square 10 0.1 C#4 Bb3:2 R\nend\n"),
              "accepted");
}

}  // namespace
