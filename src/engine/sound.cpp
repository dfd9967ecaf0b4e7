// Sound effects and music.
#include "engine/sound.h"

SoundRequest soundRequests[SOUND_COUNT];

bool InitSound() {
    return LoadSounds();
}

bool LoadSounds() {
    return true;
}

void ReleaseSound() {}

void RequestSound(int id, int noRestart) {
    if (id < 0 || id >= SOUND_COUNT) {
        return;
    }
    soundRequests[id].requested = 1;
    soundRequests[id].noRestart = static_cast<uint32_t>(noRestart);
}

void ClearSoundRequests() {
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        soundRequests[id] = SoundRequest{};
    }
}

void PlayRequestedSounds() {}
void PlaySoundBuffer(int, int) {}
void StopAllSoundEffects() {}
void StopSound(int) {}
void PlayMusic(int) {}
void StopMusic() {}
