// DecodeImage's choice of format by content, the helpers every decoder shares, and the
// texture preparation (power-of-two padding and the green colour key).
#include <bit>
#include <cstring>
#include <new>

#include "platform/common/image.h"
#include "platform/common/image_formats.h"

namespace {

constexpr uint32_t kColourKey = 0xFF00FF00;

bool StartsWith(const uint8_t* data, size_t size, const char* prefix, size_t length) {
    return size >= length && std::memcmp(data, prefix, length) == 0;
}

bool IsPpmMagic(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 'P' &&
           (data[1] == '2' || data[1] == '3' || data[1] == '5' || data[1] == '6');
}

// Signatures first, then the DIB header check, then TGA: TGA has no signature, so only a
// header that passes its field checks and matched nothing else is taken for one.
bool DecodeAnyFormat(const uint8_t* data, size_t size, RgbaImage* out) {
    static const char kPngSignature[] = "\x89PNG\r\n\x1a\n";
    if (StartsWith(data, size, kPngSignature, 8)) {
        return DecodePng(data, size, out);
    }
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
        return DecodeJpeg(data, size, out);
    }
    if (StartsWith(data, size, "BM", 2)) {
        return DecodeBmpFile(data, size, out);
    }
    if (StartsWith(data, size, "DDS ", 4)) {
        return DecodeDds(data, size, out);
    }
    if (IsPpmMagic(data, size)) {
        return DecodePpm(data, size, out);
    }
    if (LooksLikeDib(data, size)) {
        return DecodeDib(data, size, out);
    }
    if (LooksLikeTga(data, size)) {
        return DecodeTga(data, size, out);
    }
    return false;
}

int NextPowerOfTwo(int n) {
    int p = 1;
    while (p < n) {
        p <<= 1;
    }
    return p;
}

}  // namespace

bool ImageStart(RgbaImage* out, int64_t width, int64_t height, uint32_t fill) noexcept {
    if (!ImageSizeAllowed(width, height)) {
        return false;
    }
    try {
        out->pixels.assign(static_cast<size_t>(width * height), fill);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    return true;
}

MaskChannel MakeMaskChannel(uint32_t mask) {
    MaskChannel channel;
    if (mask != 0) {
        channel.mask = mask;
        channel.shift = std::countr_zero(mask);
        channel.bits = 32 - std::countl_zero(mask) - channel.shift;
    }
    return channel;
}

uint32_t MaskChannelValue(const MaskChannel& channel, uint32_t pixel) {
    if (channel.bits == 0) {
        return 0;
    }
    const uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8) {
        return value >> (channel.bits - 8);
    }
    // Rounded scaling, so the largest value of a narrow channel is exactly 255.
    const uint32_t largest = (1u << channel.bits) - 1;
    return (value * 255 + largest / 2) / largest;
}

bool DecodeImage(const uint8_t* data, size_t size, RgbaImage* out) {
    if (out == nullptr) {
        return false;
    }
    *out = RgbaImage{};
    if (data == nullptr || size == 0) {
        return false;
    }
    bool ok = false;
    try {
        ok = DecodeAnyFormat(data, size, out);
    } catch (...) {
        ok = false;
    }
    if (ok && (!ImageSizeAllowed(out->width, out->height) ||
               out->pixels.size() != static_cast<size_t>(out->width) * out->height)) {
        ok = false;
    }
    if (!ok) {
        *out = RgbaImage{};
    }
    return ok;
}

RgbaImage PrepareTextureImage(const RgbaImage& image) {
    RgbaImage texture;
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        return texture;
    }
    texture.width = NextPowerOfTwo(image.width);
    texture.height = NextPowerOfTwo(image.height);
    texture.pixels.assign(static_cast<size_t>(texture.width) * texture.height, 0);
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = &image.pixels[static_cast<size_t>(y) * image.width];
        uint32_t* dst = &texture.pixels[static_cast<size_t>(y) * texture.width];
        for (int x = 0; x < image.width; ++x) {
            dst[x] = src[x] == kColourKey ? 0 : src[x];
        }
    }
    return texture;
}
