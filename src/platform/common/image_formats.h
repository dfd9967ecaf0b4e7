// What the image decoders share, inside src/platform/common only: the size limits, bounds
// checks, pixel packing, bit-mask channels, and one entry point per file format. The game uses
// image.h; DecodeImage picks the format and these functions decode it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/common/image.h"

// The largest side and pixel count a decoder accepts. 8192 x 8192 is exactly the pixel limit,
// so the count check only matters if the side limit ever grows.
constexpr int64_t kImageMaxSide = 8192;
constexpr int64_t kImageMaxPixels = int64_t{1} << 26;

inline bool ImageSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kImageMaxSide && height <= kImageMaxSide &&
           width * height <= kImageMaxPixels;
}

// True when [offset, offset + length) lies inside a buffer of size bytes, without overflow.
inline bool RangeFits(size_t size, uint64_t offset, uint64_t length) {
    return offset <= size && length <= size - offset;
}

inline uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Sizes out for width x height pixels, all set to fill. False when the size is refused or the
// memory cannot be had; never throws, so the libjpeg path can call it between its setjmp and
// the library calls that may longjmp.
bool ImageStart(RgbaImage* out, int64_t width, int64_t height, uint32_t fill) noexcept;

// One colour channel of a bit-mask pixel (BMP bit fields, uncompressed DDS), widened or
// narrowed to 8 bits. An empty mask reads as 0.
struct MaskChannel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;  // from the lowest to the highest set bit of the mask
};

MaskChannel MakeMaskChannel(uint32_t mask);
uint32_t MaskChannelValue(const MaskChannel& channel, uint32_t pixel);

// The decoders. Each gets the whole file and may leave out half-filled on failure (DecodeImage
// clears it).
bool DecodePng(const uint8_t* data, size_t size, RgbaImage* out);
bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage* out);
// A BMP file ("BM" and its 14-byte file header).
bool DecodeBmpFile(const uint8_t* data, size_t size, RgbaImage* out);
// A bare DIB: the info header first, then the palette and the pixels right after it.
bool LooksLikeDib(const uint8_t* data, size_t size);
bool DecodeDib(const uint8_t* data, size_t size, RgbaImage* out);
// TGA has no signature: LooksLikeTga validates the header fields instead.
bool LooksLikeTga(const uint8_t* data, size_t size);
bool DecodeTga(const uint8_t* data, size_t size, RgbaImage* out);
bool DecodePpm(const uint8_t* data, size_t size, RgbaImage* out);
bool DecodeDds(const uint8_t* data, size_t size, RgbaImage* out);
