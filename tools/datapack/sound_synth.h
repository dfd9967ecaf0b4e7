// The demo's sounds are written as small synthesizer recipes (demo/sounds.txt) and rendered
// here to 16-bit mono samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int SYNTH_RATE = 22050;

struct SoundRecipe {
    int id = -1;
    std::string name;
    bool music = false;
    std::vector<std::string> lines;  // the steps, one per line
};

// Parses the recipe text. Throws std::runtime_error naming the line of a mistake.
std::vector<SoundRecipe> ParseSoundRecipes(const std::string& text);
// Renders one recipe. Throws std::runtime_error on a step it does not understand.
std::vector<int16_t> RenderSound(const SoundRecipe& recipe);
