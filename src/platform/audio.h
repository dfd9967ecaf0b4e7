// Sound output: one voice per game sound, loaded once from PCM samples and then played,
// stopped and rewound by number. The game mixes nothing itself.
#pragma once

#include <cstdint>

constexpr int AUDIO_VOICE_COUNT = 29;

// Opens the sound device. False when no device can be opened.
bool AudioOpen();
// Destroys every voice and closes the device; safe when nothing is open.
void AudioClose();

struct PcmSound {
    int channels;       // 1 or 2
    int bitsPerSample;  // 8 (unsigned) or 16 (signed)
    int sampleRate;     // frames per second, above 0
    const uint8_t* samples;
    uint32_t bytes;  // a whole number of frames
};

// Loads voice id (0..28) from PCM samples, converted once to the device's format. A voice
// that already exists is replaced.
bool AudioCreateVoice(int id, const PcmSound& sound);
void AudioDestroyVoice(int id);
bool AudioVoiceExists(int id);

enum class VoicePlayResult { Ok, Lost };
// Starts the voice from its position. A voice that is already playing goes on and only takes
// the new looping flag. Lost means the voice is gone for good.
VoicePlayResult AudioPlay(int id, bool looping);
// Stops the voice and keeps its position.
void AudioStop(int id);
// Moves the voice back to its first frame; a playing voice goes on from there.
void AudioRewind(int id);
bool AudioIsPlaying(int id);
