// Headless backend: voices that exist only as records, for tests.
#include "platform/audio.h"
#include "platform/headless/headless_state.h"

using headless::Log;
using headless::state;

namespace {

bool ValidVoice(int id) {
    return id >= 0 && id < AUDIO_VOICE_COUNT;
}

void SoundLog(const std::string& entry) {
    state.soundLog.push_back(entry);
}

}  // namespace

namespace headless {

void SetAudioOpenFails(bool fails) {
    state.audioOpenFails = fails;
}
void FailVoiceCreation(int id) {
    if (ValidVoice(id)) {
        state.voiceCreationFails[id] = true;
    }
}
void LoseVoiceAtNextPlay(int id) {
    if (ValidVoice(id)) {
        state.voiceLostAtPlay[id] = true;
    }
}
const std::vector<std::string>& SoundLog() {
    return state.soundLog;
}
void ClearSoundLog() {
    state.soundLog.clear();
}
const VoiceRecord& Voice(int id) {
    static const VoiceRecord none{};
    return ValidVoice(id) ? state.voices[id] : none;
}
void FinishVoice(int id) {
    if (ValidVoice(id) && !state.voices[id].looping) {
        state.voices[id].playing = false;
        state.voices[id].position = 0;
    }
}

}  // namespace headless

bool AudioOpen() {
    if (state.audioOpenFails) {
        Log("audio:open-failed");
        return false;
    }
    state.audioOpen = true;
    Log("audio:open");
    return true;
}

void AudioClose() {
    if (!state.audioOpen) {
        return;
    }
    for (int id = 0; id < AUDIO_VOICE_COUNT; ++id) {
        AudioDestroyVoice(id);
    }
    state.audioOpen = false;
    Log("audio:close");
}

bool AudioCreateVoice(int id, const PcmSound& sound) {
    if (!state.audioOpen || !ValidVoice(id)) {
        return false;
    }
    if (state.voiceCreationFails[id]) {
        state.voiceCreationFails[id] = false;
        Log("voice:create-failed:" + std::to_string(id));
        return false;
    }
    headless::VoiceRecord voice;
    voice.exists = true;
    voice.format = sound;
    state.voices[id] = voice;
    Log("voice:create:" + std::to_string(id));
    return true;
}

void AudioDestroyVoice(int id) {
    if (!ValidVoice(id) || !state.voices[id].exists) {
        return;
    }
    state.voices[id] = headless::VoiceRecord{};
    Log("voice:destroy:" + std::to_string(id));
}

bool AudioVoiceExists(int id) {
    return ValidVoice(id) && state.voices[id].exists;
}

VoicePlayResult AudioPlay(int id, bool looping) {
    if (!AudioVoiceExists(id)) {
        return VoicePlayResult::Ok;
    }
    SoundLog("play:" + std::to_string(id) + (looping ? ":loop" : ":once"));
    if (state.voiceLostAtPlay[id]) {
        state.voiceLostAtPlay[id] = false;
        return VoicePlayResult::Lost;
    }
    headless::VoiceRecord& voice = state.voices[id];
    voice.playing = true;
    voice.looping = looping;
    voice.position += 1;
    return VoicePlayResult::Ok;
}

void AudioStop(int id) {
    if (!AudioVoiceExists(id)) {
        return;
    }
    SoundLog("stop:" + std::to_string(id));
    state.voices[id].playing = false;
}

void AudioRewind(int id) {
    if (!AudioVoiceExists(id)) {
        return;
    }
    SoundLog("rewind:" + std::to_string(id));
    state.voices[id].position = 0;
}

bool AudioIsPlaying(int id) {
    return AudioVoiceExists(id) && state.voices[id].playing;
}
