// The audio mixer.
#include "platform/common/audio_mixer.h"

#include <algorithm>

namespace {

bool ValidVoice(int id) {
    return id >= 0 && id < 29;
}

}  // namespace

void MixerLoad(Mixer& mixer, int id, std::vector<int16_t> stereoFrames) {
    if (!ValidVoice(id)) {
        return;
    }
    MixerVoice& voice = mixer.voices[id];
    voice.frames = std::move(stereoFrames);
    voice.frames.resize(voice.frames.size() & ~static_cast<size_t>(1));
    voice.position = 0;
    voice.loaded = true;
    voice.playing = false;
    voice.looping = false;
}

void MixerUnload(Mixer& mixer, int id) {
    if (ValidVoice(id)) {
        mixer.voices[id] = MixerVoice{};
    }
}

void MixerPlay(Mixer& mixer, int id, bool looping) {
    if (!ValidVoice(id) || !mixer.voices[id].loaded) {
        return;
    }
    mixer.voices[id].playing = true;
    mixer.voices[id].looping = looping;
}

void MixerStop(Mixer& mixer, int id) {
    if (ValidVoice(id)) {
        mixer.voices[id].playing = false;
    }
}

void MixerRewind(Mixer& mixer, int id) {
    if (ValidVoice(id)) {
        mixer.voices[id].position = 0;
    }
}

void MixerMix(Mixer& mixer, int16_t* out, int frameCount) {
    static thread_local std::vector<int32_t> sum;
    sum.assign(static_cast<size_t>(frameCount) * 2, 0);
    for (MixerVoice& voice : mixer.voices) {
        if (!voice.playing) {
            continue;
        }
        const uint32_t length = static_cast<uint32_t>(voice.frames.size() / 2);
        int written = 0;
        while (written < frameCount) {
            if (voice.position >= length) {
                voice.position = 0;
                if (!voice.looping || length == 0) {
                    voice.playing = false;
                    break;
                }
            }
            uint32_t take = std::min<uint32_t>(length - voice.position,
                                               static_cast<uint32_t>(frameCount - written));
            const int16_t* from = voice.frames.data() + static_cast<size_t>(voice.position) * 2;
            int32_t* to = sum.data() + static_cast<size_t>(written) * 2;
            for (uint32_t i = 0; i < take * 2; ++i) {
                to[i] += from[i];
            }
            voice.position += take;
            written += static_cast<int>(take);
        }
        if (voice.playing && voice.position >= length && !voice.looping) {
            voice.playing = false;
            voice.position = 0;
        }
    }
    for (size_t i = 0; i < sum.size(); ++i) {
        out[i] = static_cast<int16_t>(std::clamp(sum[i], -32768, 32767));
    }
}
