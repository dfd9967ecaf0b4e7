// PNG images of the builder's textures and atlases: 8-bit RGBA, written for speed over size.
#pragma once

#include "datapack/archive_writer.h"
#include "platform/common/image.h"

// The image as a PNG file. Throws std::runtime_error for an image whose pixel count does not
// match its sides, or when libpng fails.
Bytes EncodePng(const RgbaImage& image);
