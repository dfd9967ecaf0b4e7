// A tiny synthesizer: tones with pitch sweeps, notes, noise bursts and rests, mixed in tracks.
#include "datapack/sound_synth.h"
#include "datapack/recipe_text.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

constexpr double PI = 3.14159265358979323846;

double Number(const std::string& word, const std::string& line) {
    double value = 0;
    if (!ParseNumber(word, &value)) {
        throw std::runtime_error("not a number '" + word + "' in: " + line);
    }
    return value;
}

double Wave(const std::string& kind, double phase, const std::string& line) {
    double cycle = phase - std::floor(phase);
    if (kind == "sine") {
        return std::sin(2 * PI * cycle);
    }
    if (kind == "square") {
        return cycle < 0.5 ? 1.0 : -1.0;
    }
    if (kind == "triangle") {
        return cycle < 0.5 ? 4 * cycle - 1 : 3 - 4 * cycle;
    }
    if (kind == "saw") {
        return 2 * cycle - 1;
    }
    throw std::runtime_error("unknown wave '" + kind + "' in: " + line);
}

// Pitch of a note name such as C4, F#5 or Bb3; 0 for a rest (R).
double NoteFrequency(const std::string& name, const std::string& line) {
    if (name == "R") {
        return 0;
    }
    static const int semitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') {
        throw std::runtime_error("bad note '" + name + "' in: " + line);
    }
    int semitone = semitones[name[0] - 'A'];
    size_t i = 1;
    if (i < name.size() && name[i] == '#') {
        semitone += 1;
        i += 1;
    } else if (i < name.size() && name[i] == 'b') {
        semitone -= 1;
        i += 1;
    }
    int octave = static_cast<int>(Number(name.substr(i), line));
    int midi = 12 * (octave + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

class Track {
  public:
    explicit Track(std::vector<double>& mix, size_t start) : mix_(mix), at_(start) {}
    size_t End() const { return at_; }

    void Tone(const std::string& wave, double fromHz, double toHz, double ms, double volume,
              const std::string& line) {
        size_t count = Samples(ms);
        size_t attack = std::min<size_t>(count / 4, Samples(2));
        size_t release = std::min<size_t>(count / 2, Samples(10));
        double phase = 0;
        for (size_t i = 0; i < count; ++i) {
            double t = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0;
            double hz = fromHz + (toHz - fromHz) * t;
            double envelope = 1.0;
            if (i < attack) {
                envelope = static_cast<double>(i) / static_cast<double>(attack);
            } else if (i + release >= count) {
                envelope = static_cast<double>(count - i) / static_cast<double>(release + 1);
            }
            Add(i, volume * envelope * Wave(wave, phase, line));
            phase += hz / SYNTH_RATE;
        }
        at_ += count;
    }

    void Noise(double ms, double volume) {
        size_t count = Samples(ms);
        uint32_t seed = 0x2545F491u;
        for (size_t i = 0; i < count; ++i) {
            seed = seed * 1664525u + 1013904223u;
            double white = static_cast<double>(seed >> 8) / static_cast<double>(1u << 24) * 2 - 1;
            double decay = std::exp(-4.0 * static_cast<double>(i) / static_cast<double>(count));
            Add(i, volume * decay * white);
        }
        at_ += count;
    }

    void Rest(double ms) { at_ += Samples(ms); }

  private:
    static size_t Samples(double ms) {
        return static_cast<size_t>(std::max(0.0, ms) * SYNTH_RATE / 1000.0);
    }
    void Add(size_t i, double value) {
        if (mix_.size() <= at_ + i) {
            mix_.resize(at_ + i + 1, 0.0);
        }
        mix_[at_ + i] += value;
    }

    std::vector<double>& mix_;
    size_t at_;
};

}  // namespace

std::vector<SoundRecipe> ParseSoundRecipes(const std::string& text) {
    std::vector<SoundRecipe> recipes;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    SoundRecipe* open = nullptr;
    while (std::getline(in, line)) {
        lineNumber += 1;
        // A comment is a whole line starting with "#"; within a step "#" is a sharp.
        const std::string& content = line;
        std::vector<std::string> words = SplitWords(content);
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        auto fail = [&](const std::string& why) {
            throw std::runtime_error("sounds line " + std::to_string(lineNumber) + ": " + why);
        };
        if (words[0] == "sound" || words[0] == "music") {
            if (open != nullptr) {
                fail("'" + open->name + "' has no end");
            }
            if (words.size() != 3) {
                fail("expected '" + words[0] + " <id> <name>'");
            }
            SoundRecipe recipe;
            recipe.id = static_cast<int>(Number(words[1], line));
            recipe.name = words[2];
            recipe.music = words[0] == "music";
            recipes.push_back(recipe);
            open = &recipes.back();
        } else if (words[0] == "end") {
            if (open == nullptr) {
                fail("'end' outside a sound");
            }
            open = nullptr;
        } else {
            if (open == nullptr) {
                fail("a step outside a sound");
            }
            open->lines.push_back(content);
        }
    }
    if (open != nullptr) {
        throw std::runtime_error("sounds: '" + open->name + "' has no end");
    }
    return recipes;
}

std::vector<int16_t> RenderSound(const SoundRecipe& recipe) {
    std::vector<double> mix;
    size_t previousStart = 0;
    size_t end = 0;
    for (const std::string& line : recipe.lines) {
        std::vector<std::string> words = SplitWords(line);
        bool together = !words.empty() && words[0] == "also";
        if (together) {
            words.erase(words.begin());
        }
        if (words.empty()) {
            throw std::runtime_error("empty step in " + recipe.name);
        }
        size_t start = together ? previousStart : end;
        Track track(mix, start);
        const std::string& step = words[0];
        if (step == "tone" && words.size() == 6) {
            track.Tone(words[1], Number(words[2], line), Number(words[3], line),
                       Number(words[4], line), Number(words[5], line), line);
        } else if (step == "noise" && words.size() == 3) {
            track.Noise(Number(words[1], line), Number(words[2], line));
        } else if (step == "rest" && words.size() == 2) {
            track.Rest(Number(words[1], line));
        } else if (step == "notes" && words.size() >= 5) {
            double beatMs = Number(words[2], line);
            double volume = Number(words[3], line);
            for (size_t i = 4; i < words.size(); ++i) {
                std::string note = words[i];
                double beats = 1;
                size_t colon = note.find(':');
                if (colon != std::string::npos) {
                    beats = Number(note.substr(colon + 1), line);
                    note = note.substr(0, colon);
                }
                double hz = NoteFrequency(note, line);
                if (hz == 0) {
                    track.Rest(beatMs * beats);
                } else {
                    track.Tone(words[1], hz, hz, beatMs * beats, volume, line);
                }
            }
        } else {
            throw std::runtime_error("cannot read step in " + recipe.name + ": " + line);
        }
        previousStart = start;
        end = std::max(end, track.End());
    }
    mix.resize(std::max(mix.size(), end), 0.0);
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(mix[i], -1.0, 1.0) * 32767.0));
    }
    return samples;
}
