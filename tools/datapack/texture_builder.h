// The demo's textures are written as short procedural recipes (demo/textures.txt): a fill, then
// noise, bricks, stripes, shapes and the like painted over it. This turns them into images.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/common/image.h"

struct TextureStep {
    int line = 0;  // where it was written, for messages
    std::string op;
    uint32_t colour = 0;  // ARGB, for the steps that paint a colour
    std::string word;     // a direction or axis, for the steps that take one
    std::vector<double> numbers;
};

struct TextureRecipe {
    std::string name;
    int slot = -1;  // 0..27 for a game texture ("tile"), -1 for a model texture ("skin")
    int width = 0;
    int height = 0;
    std::vector<TextureStep> steps;
};

struct TextureLibrary {
    std::vector<RgbaImage> tiles;             // the game textures, by slot
    std::map<std::string, RgbaImage> byName;  // every texture, tiles and skins
};

// Parses the recipe text. Throws std::runtime_error naming the line of a mistake.
std::vector<TextureRecipe> ParseTextureRecipes(const std::string& text);
// Paints one recipe. Deterministic: its noise is seeded from the recipe's name.
RgbaImage RenderTexture(const TextureRecipe& recipe);
// Parses and paints everything; the tiles must fill slots 0..tileCount-1 exactly once each and
// names must be unique. Throws std::runtime_error otherwise.
TextureLibrary BuildTextureLibrary(const std::string& text, int tileCount);
