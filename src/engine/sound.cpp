// Sound effects and music. The switches of the options are read at every play.
#include "engine/sound.h"

#include <string>

#include "engine/data_archive.h"
#include "engine/wave_file.h"
#include "menu/options.h"
#include "platform/audio.h"
#include "platform/system.h"

SoundRequest soundRequests[SOUND_COUNT];

namespace {

bool soundDeviceOpen = false;

bool ValidSound(int id) {
    return id >= 0 && id < SOUND_COUNT;
}

bool SoundLoaded(int id) {
    return soundDeviceOpen && AudioVoiceExists(id);
}

bool CreateSoundBufferFromWave(int id, const uint8_t* wave, uint32_t size) {
    WaveSound sound;
    const char* why = "";
    if (!ParseWave(wave, size, &sound, &why)) {
        ReportBadArchiveEntry(ARCHIVE_SOUND_FIRST + id, std::string("not a valid sound: ") + why);
        return false;
    }
    PcmSound pcm{sound.channels, sound.bitsPerSample, sound.sampleRate, sound.samples,
                 sound.dataBytes};
    if (!AudioCreateVoice(id, pcm)) {
        ReportBadArchiveEntry(ARCHIVE_SOUND_FIRST + id,
                              std::string("the audio device refused it: ") + PlatformLastError());
        return false;
    }
    return true;
}

}  // namespace

bool InitSound() {
    soundDeviceOpen = false;
    if (!AudioOpen()) {
        std::fprintf(stderr, "sound: cannot open the audio device: %s\n", PlatformLastError());
        return false;
    }
    soundDeviceOpen = true;
    return LoadSounds();
}

bool LoadSounds() {
    for (int id = 0; id < SOUND_COUNT; ++id) {
        uint32_t size = 0;
        const uint8_t* wave = GetArchiveEntry(ARCHIVE_SOUND_FIRST + id, &size);
        if (wave == nullptr) {
            ReportBadArchiveEntry(ARCHIVE_SOUND_FIRST + id, "lies outside the file");
            return false;
        }
        if (!CreateSoundBufferFromWave(id, wave, size)) {
            return false;
        }
    }
    return true;
}

void ReleaseSound() {
    for (int id = 0; id < SOUND_COUNT; ++id) {
        AudioDestroyVoice(id);
    }
    // The device goes even when loading stopped half-way.
    AudioClose();
    soundDeviceOpen = false;
}

void RequestSound(int id, int noRestart) {
    if (!ValidSound(id)) {
        return;
    }
    soundRequests[id].requested = 1;
    soundRequests[id].noRestart = static_cast<uint32_t>(noRestart);
}

void ClearSoundRequests() {
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        soundRequests[id].requested = 0;
        soundRequests[id].noRestart = 0;
    }
}

void PlayRequestedSounds() {
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        if (soundRequests[id].requested == 1) {
            PlaySoundBuffer(id, static_cast<int>(soundRequests[id].noRestart));
        }
    }
}

void PlaySoundBuffer(int id, int noRestart) {
    if (options.optionSoundEffects == 0 || !ValidSound(id) || !SoundLoaded(id)) {
        return;
    }
    if (noRestart == 0) {
        AudioStop(id);
        AudioRewind(id);
    }
    if (AudioPlay(id, false) == VoicePlayResult::Lost) {
        // The voice is gone; this effect stays silent for the rest of the run.
        AudioDestroyVoice(id);
    }
}

void StopAllSoundEffects() {
    if (options.optionSoundEffects == 0) {
        return;
    }
    ClearSoundRequests();
    if (!soundDeviceOpen) {
        return;
    }
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        if (AudioVoiceExists(id)) {
            AudioStop(id);
            AudioRewind(id);
        }
    }
}

void StopSound(int id) {
    if (!ValidSound(id)) {
        return;
    }
    soundRequests[id].requested = 0;
    if (AudioVoiceExists(id)) {
        AudioStop(id);
    }
}

void PlayMusic(int id) {
    StopMusic();
    if (options.optionMusic == 1 && ValidSound(id) && SoundLoaded(id)) {
        AudioPlay(id, true);
    }
}

void StopMusic() {
    for (int id = MUSIC_TITLE; id <= MUSIC_BATTLE; ++id) {
        if (AudioVoiceExists(id)) {
            AudioStop(id);
            AudioRewind(id);
        }
    }
}
