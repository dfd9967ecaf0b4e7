// The DDS decoder: the top mip level of uncompressed bit-mask surfaces (RGB, RGBA, luminance,
// alpha) and of DXT1, DXT3 and DXT5 block-compressed ones. Rows are stored top first.
#include "engine/byte_io.h"
#include "platform/common/image_formats.h"

namespace {

constexpr size_t kDdsDataStart = 128;  // "DDS " and the 124-byte header

constexpr uint32_t kPixelAlphaPixels = 0x1;  // the alpha mask is in use
constexpr uint32_t kPixelAlphaOnly = 0x2;
constexpr uint32_t kPixelFourCc = 0x4;
constexpr uint32_t kPixelRgb = 0x40;
constexpr uint32_t kPixelLuminance = 0x20000;

constexpr uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

enum class BlockKind { Dxt1, Dxt3, Dxt5 };

struct Rgb {
    uint32_t r, g, b;
};

Rgb Expand565(uint32_t c) {
    const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

// The weighted mean (wa * a + wb * b) / (wa + wb), rounded to nearest.
uint32_t Mix(uint32_t a, uint32_t wa, uint32_t b, uint32_t wb) {
    const uint32_t total = wa + wb;
    return (a * wa + b * wb + total / 2) / total;
}

uint32_t MixRgb(const Rgb& a, uint32_t wa, const Rgb& b, uint32_t wb) {
    return PackArgb(255, Mix(a.r, wa, b.r, wb), Mix(a.g, wa, b.g, wb), Mix(a.b, wa, b.b, wb));
}

// The four colours of an 8-byte colour block. DXT1 blocks whose first colour is not above the
// second have three colours and transparent black; DXT3 and DXT5 always have four.
void BlockColours(const uint8_t* block, bool allowTransparent, uint32_t colours[4]) {
    const uint32_t c0 = ReadLE16(block);
    const uint32_t c1 = ReadLE16(block + 2);
    const Rgb a = Expand565(c0);
    const Rgb b = Expand565(c1);
    colours[0] = PackArgb(255, a.r, a.g, a.b);
    colours[1] = PackArgb(255, b.r, b.g, b.b);
    if (!allowTransparent || c0 > c1) {
        colours[2] = MixRgb(a, 2, b, 1);
        colours[3] = MixRgb(a, 1, b, 2);
    } else {
        colours[2] = MixRgb(a, 1, b, 1);
        colours[3] = 0;
    }
}

// Decodes one 4x4 block, row by row from its top-left pixel.
void DecodeBlock(const uint8_t* block, BlockKind kind, uint32_t pixels[16]) {
    uint32_t alpha[16];
    const uint8_t* colourBlock = block;
    if (kind == BlockKind::Dxt3) {
        for (int k = 0; k < 16; ++k) {
            alpha[k] = ((block[k / 2] >> (4 * (k % 2))) & 15) * 17;
        }
        colourBlock = block + 8;
    } else if (kind == BlockKind::Dxt5) {
        const uint32_t a0 = block[0];
        const uint32_t a1 = block[1];
        uint32_t levels[8] = {a0, a1};
        if (a0 > a1) {
            for (uint32_t i = 2; i < 8; ++i) {
                levels[i] = Mix(a0, 8 - i, a1, i - 1);
            }
        } else {
            for (uint32_t i = 2; i < 6; ++i) {
                levels[i] = Mix(a0, 6 - i, a1, i - 1);
            }
            levels[6] = 0;
            levels[7] = 255;
        }
        uint64_t indices = 0;
        for (int i = 0; i < 6; ++i) {
            indices |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
        }
        for (int k = 0; k < 16; ++k) {
            alpha[k] = levels[(indices >> (3 * k)) & 7];
        }
        colourBlock = block + 8;
    }
    uint32_t colours[4];
    BlockColours(colourBlock, kind == BlockKind::Dxt1, colours);
    const uint32_t indices = ReadLE32(colourBlock + 4);
    for (int k = 0; k < 16; ++k) {
        const uint32_t colour = colours[(indices >> (2 * k)) & 3];
        pixels[k] = kind == BlockKind::Dxt1 ? colour : (colour & 0x00FFFFFF) | alpha[k] << 24;
    }
}

bool DecodeBlocks(const uint8_t* data, size_t size, BlockKind kind, int64_t width, int64_t height,
                  RgbaImage* out) {
    const uint64_t blockBytes = kind == BlockKind::Dxt1 ? 8 : 16;
    const int64_t blocksWide = (width + 3) / 4;
    const int64_t blocksHigh = (height + 3) / 4;
    if (!RangeFits(size, kDdsDataStart, blocksWide * blocksHigh * blockBytes)) {
        return false;
    }
    if (!ImageStart(out, width, height, 0)) {
        return false;
    }
    const uint8_t* block = data + kDdsDataStart;
    for (int64_t by = 0; by < blocksHigh; ++by) {
        for (int64_t bx = 0; bx < blocksWide; ++bx, block += blockBytes) {
            uint32_t pixels[16];
            DecodeBlock(block, kind, pixels);
            // Blocks on the right and bottom edges hang over sides that are not multiples
            // of 4; their outside pixels are dropped.
            for (int k = 0; k < 16; ++k) {
                const int64_t x = bx * 4 + k % 4;
                const int64_t y = by * 4 + k / 4;
                if (x < width && y < height) {
                    out->pixels[static_cast<size_t>(y * width + x)] = pixels[k];
                }
            }
        }
    }
    return true;
}

bool DecodeMasked(const uint8_t* data, size_t size, const uint8_t* format, int64_t width,
                  int64_t height, RgbaImage* out) {
    const uint32_t flags = ReadLE32(format + 4);
    const uint32_t bits = ReadLE32(format + 12);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return false;
    }
    const bool luminance = (flags & kPixelLuminance) != 0;
    const bool rgb = (flags & kPixelRgb) != 0;
    const bool alphaOnly = (flags & kPixelAlphaOnly) != 0 && !rgb && !luminance;
    if (!rgb && !luminance && !alphaOnly) {
        return false;
    }
    const MaskChannel red = MakeMaskChannel(ReadLE32(format + 16));
    const MaskChannel green = MakeMaskChannel(ReadLE32(format + 20));
    const MaskChannel blue = MakeMaskChannel(ReadLE32(format + 24));
    const MaskChannel alpha = MakeMaskChannel(ReadLE32(format + 28));
    const bool hasAlpha = (flags & (kPixelAlphaPixels | kPixelAlphaOnly)) != 0 && alpha.bits > 0;
    if ((rgb && red.bits + green.bits + blue.bits == 0) || (luminance && red.bits == 0) ||
        (alphaOnly && !hasAlpha)) {
        return false;
    }
    // Rows are packed without padding; the header's pitch field is too often wrong to use.
    const uint64_t pixelBytes = bits / 8;
    const uint64_t pitch = static_cast<uint64_t>(width) * pixelBytes;
    if (!RangeFits(size, kDdsDataStart, pitch * height)) {
        return false;
    }
    if (!ImageStart(out, width, height, 0xFF000000)) {
        return false;
    }
    const uint8_t* src = data + kDdsDataStart;
    for (uint32_t& pixel : out->pixels) {
        uint32_t v = 0;
        for (uint64_t i = 0; i < pixelBytes; ++i) {
            v |= static_cast<uint32_t>(src[i]) << (8 * i);
        }
        src += pixelBytes;
        const uint32_t a = hasAlpha ? MaskChannelValue(alpha, v) : 255;
        if (alphaOnly) {
            pixel = PackArgb(a, 0, 0, 0);
        } else if (luminance) {
            const uint32_t l = MaskChannelValue(red, v);
            pixel = PackArgb(a, l, l, l);
        } else {
            pixel = PackArgb(a, MaskChannelValue(red, v), MaskChannelValue(green, v),
                             MaskChannelValue(blue, v));
        }
    }
    return true;
}

}  // namespace

bool DecodeDds(const uint8_t* data, size_t size, RgbaImage* out) {
    if (size < kDdsDataStart || ReadLE32(data + 4) != 124) {
        return false;
    }
    const int64_t height = ReadLE32(data + 12);
    const int64_t width = ReadLE32(data + 16);
    if (!ImageSizeAllowed(width, height)) {
        return false;
    }
    const uint8_t* format = data + 76;
    if (ReadLE32(format) != 32) {
        return false;
    }
    const uint32_t flags = ReadLE32(format + 4);
    if ((flags & kPixelFourCc) == 0) {
        return DecodeMasked(data, size, format, width, height, out);
    }
    // DXT2 and DXT4 are the premultiplied forms of DXT3 and DXT5: their colours are taken as
    // they are stored.
    switch (ReadLE32(format + 8)) {
        case FourCc('D', 'X', 'T', '1'):
            return DecodeBlocks(data, size, BlockKind::Dxt1, width, height, out);
        case FourCc('D', 'X', 'T', '2'):
        case FourCc('D', 'X', 'T', '3'):
            return DecodeBlocks(data, size, BlockKind::Dxt3, width, height, out);
        case FourCc('D', 'X', 'T', '4'):
        case FourCc('D', 'X', 'T', '5'):
            return DecodeBlocks(data, size, BlockKind::Dxt5, width, height, out);
        default:
            return false;
    }
}
