// SDL backend: one audio device fed by our mixer. Every voice change takes the device lock,
// since SDL pulls samples on its own thread.
#include <vector>

#include "platform/audio.h"
#include "platform/common/audio_mixer.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// The game's sounds are made at 22,050 Hz, so the device runs at that rate and they play as
// loaded; a sound at another rate is resampled once, at load.
constexpr int OUTPUT_RATE = 22050;

SDL_AudioDeviceID device = 0;
Mixer mixer;

void FillAudio(void*, Uint8* stream, int length) {
    MixerMix(mixer, reinterpret_cast<int16_t*>(stream), length / 4);
}

bool ValidVoice(int id) {
    return id >= 0 && id < AUDIO_VOICE_COUNT;
}

class DeviceLock {
  public:
    DeviceLock() { SDL_LockAudioDevice(device); }
    ~DeviceLock() { SDL_UnlockAudioDevice(device); }
};

// The sound as 16-bit stereo frames at the device's rate, converted once with SDL's converter.
bool ConvertToDeviceFormat(const PcmSound& sound, std::vector<int16_t>* out) {
    SDL_AudioCVT cvt;
    SDL_AudioFormat format = sound.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(sound.channels), sound.sampleRate,
                          AUDIO_S16SYS, 2, OUTPUT_RATE) < 0) {
        sdlbackend::SetLastError("audio conversion");
        return false;
    }
    std::vector<Uint8> buffer(static_cast<size_t>(sound.bytes) * static_cast<size_t>(cvt.len_mult));
    if (sound.bytes != 0) {
        SDL_memcpy(buffer.data(), sound.samples, sound.bytes);
    }
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(sound.bytes);
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) {
        sdlbackend::SetLastError("audio conversion");
        return false;
    }
    int converted = cvt.needed != 0 ? cvt.len_cvt : cvt.len;
    out->assign(reinterpret_cast<const int16_t*>(buffer.data()),
                reinterpret_cast<const int16_t*>(buffer.data()) + converted / 2);
    return true;
}

}  // namespace

bool AudioOpen() {
    if (device != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        sdlbackend::SetLastError("audio");
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = OUTPUT_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = FillAudio;
    SDL_AudioSpec have{};
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        sdlbackend::SetLastError("audio device");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    mixer = Mixer{};
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void AudioClose() {
    if (device == 0) {
        return;
    }
    SDL_CloseAudioDevice(device);
    device = 0;
    mixer = Mixer{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioCreateVoice(int id, const PcmSound& sound) {
    if (device == 0 || !ValidVoice(id)) {
        return false;
    }
    std::vector<int16_t> frames;
    if (!ConvertToDeviceFormat(sound, &frames)) {
        return false;
    }
    DeviceLock lock;
    MixerLoad(mixer, id, std::move(frames));
    return true;
}

void AudioDestroyVoice(int id) {
    if (device == 0 || !ValidVoice(id)) {
        return;
    }
    DeviceLock lock;
    MixerUnload(mixer, id);
}

bool AudioVoiceExists(int id) {
    if (device == 0 || !ValidVoice(id)) {
        return false;
    }
    DeviceLock lock;
    return mixer.voices[id].loaded;
}

VoicePlayResult AudioPlay(int id, bool looping) {
    if (device == 0 || !ValidVoice(id)) {
        return VoicePlayResult::Ok;
    }
    DeviceLock lock;
    MixerPlay(mixer, id, looping);
    return VoicePlayResult::Ok;
}

void AudioStop(int id) {
    if (device == 0 || !ValidVoice(id)) {
        return;
    }
    DeviceLock lock;
    MixerStop(mixer, id);
}

void AudioRewind(int id) {
    if (device == 0 || !ValidVoice(id)) {
        return;
    }
    DeviceLock lock;
    MixerRewind(mixer, id);
}

bool AudioIsPlaying(int id) {
    if (device == 0 || !ValidVoice(id)) {
        return false;
    }
    DeviceLock lock;
    return mixer.voices[id].playing;
}
