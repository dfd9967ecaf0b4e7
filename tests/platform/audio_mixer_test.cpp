// The audio mixer driven directly: the voice rules the game's sound code relies on, and the
// sum of voices clipped to 16 bits.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/audio_mixer.h"

namespace {

std::vector<int16_t> Constant(int frames, int16_t value) {
    return std::vector<int16_t>(static_cast<size_t>(frames) * 2, value);
}

std::vector<int16_t> Mix(Mixer& mixer, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    MixerMix(mixer, out.data(), frames);
    return out;
}

TEST(AudioMixerTest, OneShotPlaysToItsEndThenStopsAtItsStart) {
    Mixer mixer;
    MixerLoad(mixer, 3, Constant(10, 100));
    MixerPlay(mixer, 3, false);
    std::vector<int16_t> out = Mix(mixer, 16);
    EXPECT_EQ(out[19], 100);
    EXPECT_EQ(out[20], 0) << "silence after the last frame";
    EXPECT_FALSE(mixer.voices[3].playing);
    EXPECT_EQ(mixer.voices[3].position, 0u);
}

TEST(AudioMixerTest, ExactEndAlsoStopsAndRewinds) {
    Mixer mixer;
    MixerLoad(mixer, 0, Constant(8, 5));
    MixerPlay(mixer, 0, false);
    Mix(mixer, 8);
    EXPECT_FALSE(mixer.voices[0].playing);
    EXPECT_EQ(mixer.voices[0].position, 0u);
}

TEST(AudioMixerTest, LoopingVoiceWrapsAround) {
    Mixer mixer;
    std::vector<int16_t> ramp;
    for (int16_t i = 0; i < 4; ++i) {
        ramp.push_back(i);
        ramp.push_back(i);
    }
    MixerLoad(mixer, 27, ramp);
    MixerPlay(mixer, 27, true);
    std::vector<int16_t> out = Mix(mixer, 10);
    std::vector<int16_t> left;
    for (size_t i = 0; i < out.size(); i += 2) {
        left.push_back(out[i]);
    }
    EXPECT_EQ(left, (std::vector<int16_t>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1}));
    EXPECT_TRUE(mixer.voices[27].playing);
}

TEST(AudioMixerTest, PlayingAPlayingVoiceContinuesAndOnlyTakesTheLoopFlag) {
    Mixer mixer;
    MixerLoad(mixer, 1, Constant(100, 1));
    MixerPlay(mixer, 1, false);
    Mix(mixer, 30);
    MixerPlay(mixer, 1, true);
    EXPECT_EQ(mixer.voices[1].position, 30u);
    EXPECT_TRUE(mixer.voices[1].looping);
}

TEST(AudioMixerTest, StopKeepsThePositionAndRewindWhilePlayingGoesOnFromZero) {
    Mixer mixer;
    MixerLoad(mixer, 2, Constant(100, 1));
    MixerPlay(mixer, 2, false);
    Mix(mixer, 40);
    MixerStop(mixer, 2);
    EXPECT_EQ(Mix(mixer, 10)[0], 0);
    EXPECT_EQ(mixer.voices[2].position, 40u);
    MixerPlay(mixer, 2, false);
    MixerRewind(mixer, 2);
    Mix(mixer, 5);
    EXPECT_EQ(mixer.voices[2].position, 5u);
    EXPECT_TRUE(mixer.voices[2].playing);
}

TEST(AudioMixerTest, VoicesAreSummedAndClipped) {
    Mixer mixer;
    MixerLoad(mixer, 0, Constant(4, 30000));
    MixerLoad(mixer, 1, Constant(4, 30000));
    MixerLoad(mixer, 2, Constant(4, -30000));
    MixerLoad(mixer, 3, Constant(4, -30000));
    MixerLoad(mixer, 4, Constant(4, 1234));
    MixerPlay(mixer, 0, false);
    MixerPlay(mixer, 1, false);
    EXPECT_EQ(Mix(mixer, 1)[0], 32767);
    MixerStop(mixer, 0);
    MixerStop(mixer, 1);
    MixerPlay(mixer, 2, false);
    MixerPlay(mixer, 3, false);
    EXPECT_EQ(Mix(mixer, 1)[0], -32768);
    MixerPlay(mixer, 4, false);
    EXPECT_EQ(Mix(mixer, 1)[0], -32768);
    MixerStop(mixer, 2);
    MixerStop(mixer, 3);
    EXPECT_EQ(Mix(mixer, 1)[1], 1234);
}

TEST(AudioMixerTest, UnloadedAndOutOfRangeVoicesAreIgnored) {
    Mixer mixer;
    MixerPlay(mixer, 5, false);
    EXPECT_FALSE(mixer.voices[5].playing);
    MixerPlay(mixer, -1, false);
    MixerPlay(mixer, 29, true);
    MixerLoad(mixer, 6, {});
    MixerPlay(mixer, 6, true);
    EXPECT_EQ(Mix(mixer, 3), std::vector<int16_t>(6, 0));
    EXPECT_FALSE(mixer.voices[6].playing) << "an empty voice ends at once, even looping";
}

}  // namespace
