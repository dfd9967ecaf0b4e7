// Images as the game's textures use them: 32-bit ARGB pixels (0xAARRGGBB), row 0 at the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width x height, row by row from the top
};

// Decodes a PNG, JPEG, BMP, DIB, TGA, PPM or DDS image held in memory. False, with out left
// empty, for anything that is not a well-formed image of those kinds. Never reads outside the
// size bytes.
bool DecodeImage(const uint8_t* data, size_t size, RgbaImage* out);

// The texture made from an image: sides padded up to powers of two with the image at the
// top-left and transparent black around it, and every opaque pure-green pixel (exactly
// 0xFF00FF00) turned into transparent black.
RgbaImage PrepareTextureImage(const RgbaImage& image);
