// The BMP/DIB and TGA decoders: Windows bitmaps with core or info headers (palettes, bit
// fields, RLE8/RLE4, either row order), and Targa images of types 1-3 and 9-11.
#include <algorithm>
#include <array>

#include "engine/byte_io.h"
#include "platform/common/image_formats.h"

namespace {

// ---- BMP / DIB ----

constexpr uint32_t kBmpRgb = 0;
constexpr uint32_t kBmpRle8 = 1;
constexpr uint32_t kBmpRle4 = 2;
constexpr uint32_t kBmpBitFields = 3;
constexpr uint32_t kBmpAlphaBitFields = 6;

struct BmpLayout {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = kBmpRgb;
    uint32_t masks[4] = {};  // red, green, blue, alpha (an alpha mask of 0: opaque)
    uint64_t paletteStart = 0;
    uint64_t paletteCount = 0;  // as stored, before clamping to 256
    int paletteEntryBytes = 4;
};

bool IsBmpInfoHeaderSize(uint32_t headerSize) {
    return headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
           headerSize == 124;
}

// Reads the header at `at` (the DIB header's first byte) and checks every field it uses.
bool ReadBmpLayout(const uint8_t* data, size_t size, size_t at, BmpLayout* layout) {
    if (!RangeFits(size, at, 4)) {
        return false;
    }
    const uint32_t headerSize = ReadLE32(data + at);
    if (headerSize != 12 && !IsBmpInfoHeaderSize(headerSize)) {
        return false;
    }
    if (!RangeFits(size, at, headerSize)) {
        return false;
    }
    const uint8_t* h = data + at;
    uint64_t headerEnd = at + headerSize;
    uint32_t colorsUsed = 0;
    if (headerSize == 12) {
        layout->width = ReadLE16(h + 4);
        layout->height = ReadLE16(h + 6);
        if (ReadLE16(h + 8) != 1) {
            return false;
        }
        layout->bitsPerPixel = ReadLE16(h + 10);
        layout->paletteEntryBytes = 3;
        const int bpp = layout->bitsPerPixel;
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) {
            return false;
        }
    } else {
        layout->width = static_cast<int32_t>(ReadLE32(h + 4));
        layout->height = static_cast<int32_t>(ReadLE32(h + 8));
        if (ReadLE16(h + 12) != 1) {
            return false;
        }
        layout->bitsPerPixel = ReadLE16(h + 14);
        layout->compression = ReadLE32(h + 16);
        colorsUsed = ReadLE32(h + 32);
        if (layout->height < 0) {
            layout->topDown = true;
            layout->height = -layout->height;
        }
        const uint32_t c = layout->compression;
        const bool fields = c == kBmpBitFields || c == kBmpAlphaBitFields;
        if (fields) {
            // The 40-byte header keeps its masks right after it; the longer ones inside.
            const int maskCount = c == kBmpAlphaBitFields ? 4 : 3;
            const uint8_t* m = h + 40;
            if (headerSize == 40) {
                if (!RangeFits(size, headerEnd, 4u * maskCount)) {
                    return false;
                }
                headerEnd += 4u * maskCount;
            }
            for (int i = 0; i < 4; ++i) {
                const bool present =
                    headerSize == 40 ? i < maskCount : 40u + 4u * i + 4u <= headerSize;
                layout->masks[i] = present ? ReadLE32(m + 4 * i) : 0;
            }
            if ((layout->masks[0] | layout->masks[1] | layout->masks[2]) == 0) {
                return false;
            }
        }
        const int bpp = layout->bitsPerPixel;
        switch (c) {
            case kBmpRgb:
                if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
                    return false;
                }
                break;
            case kBmpRle8:
            case kBmpRle4:
                // RLE runs only go bottom-up.
                if (bpp != (c == kBmpRle8 ? 8 : 4) || layout->topDown) {
                    return false;
                }
                break;
            case kBmpBitFields:
            case kBmpAlphaBitFields:
                if (bpp != 16 && bpp != 32) {
                    return false;
                }
                break;
            default:
                return false;
        }
    }
    if (layout->compression == kBmpRgb && layout->bitsPerPixel == 16) {
        layout->masks[0] = 0x7C00;
        layout->masks[1] = 0x03E0;
        layout->masks[2] = 0x001F;
    } else if (layout->compression == kBmpRgb && layout->bitsPerPixel == 32) {
        // The fourth byte of plain 32-bit pixels is padding, however it is filled.
        layout->masks[0] = 0x00FF0000;
        layout->masks[1] = 0x0000FF00;
        layout->masks[2] = 0x000000FF;
    }
    if (!ImageSizeAllowed(layout->width, layout->height)) {
        return false;
    }
    layout->paletteStart = headerEnd;
    if (layout->bitsPerPixel <= 8) {
        layout->paletteCount = colorsUsed != 0 ? colorsUsed : 1u << layout->bitsPerPixel;
    } else {
        layout->paletteCount = colorsUsed;
    }
    return true;
}

bool DecodeBmpRle(const uint8_t* data, size_t size, uint64_t start, const BmpLayout& layout,
                  const std::array<uint32_t, 256>& palette, RgbaImage* out) {
    const bool rle8 = layout.compression == kBmpRle8;
    const int64_t width = layout.width;
    const int64_t height = layout.height;
    // Rows count from the bottom, as stored; skipped pixels keep palette entry 0.
    int64_t x = 0;
    int64_t y = 0;
    auto put = [&](int64_t px, uint32_t index) {
        if (px < width && y < height) {
            out->pixels[static_cast<size_t>((height - 1 - y) * width + px)] = palette[index];
        }
    };
    uint64_t p = start;
    while (y < height) {
        if (!RangeFits(size, p, 2)) {
            return false;
        }
        const uint32_t count = data[p];
        const uint32_t value = data[p + 1];
        p += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count && x + i < width; ++i) {
                put(x + i, rle8 ? value : (i % 2 == 0 ? value >> 4 : value & 15));
            }
            x += count;
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (!RangeFits(size, p, 2)) {
                return false;
            }
            x += data[p];
            y += data[p + 1];
            p += 2;
        } else {
            // A literal run, padded to a 16-bit boundary.
            const uint64_t bytes = rle8 ? value : (value + 1) / 2;
            if (!RangeFits(size, p, bytes)) {
                return false;
            }
            for (uint32_t i = 0; i < value && x + i < width; ++i) {
                const uint32_t byte = data[p + (rle8 ? i : i / 2)];
                put(x + i, rle8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 15));
            }
            x += value;
            p += bytes + (bytes & 1);
        }
    }
    return true;
}

bool DecodeBmpPixels(const uint8_t* data, size_t size, uint64_t pixelStart, const BmpLayout& layout,
                     RgbaImage* out) {
    std::array<uint32_t, 256> palette;
    palette.fill(0xFF000000);
    if (layout.bitsPerPixel <= 8) {
        // A palette that runs into the pixels (a BMP file's offset says where they start) or off
        // the end is cut short; missing entries read as black.
        const uint64_t room =
            pixelStart > layout.paletteStart ? pixelStart - layout.paletteStart : 0;
        uint64_t count = layout.paletteCount;
        count = std::min<uint64_t>(count, 256);
        count = std::min<uint64_t>(count, room / layout.paletteEntryBytes);
        if (!RangeFits(size, layout.paletteStart, count * layout.paletteEntryBytes)) {
            return false;
        }
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* e = data + layout.paletteStart + i * layout.paletteEntryBytes;
            palette[i] = PackArgb(255, e[2], e[1], e[0]);
        }
    }
    if (!ImageStart(out, layout.width, layout.height, palette[0])) {
        return false;
    }
    if (layout.compression == kBmpRle8 || layout.compression == kBmpRle4) {
        return DecodeBmpRle(data, size, pixelStart, layout, palette, out);
    }
    const int bpp = layout.bitsPerPixel;
    const int64_t width = layout.width;
    const int64_t height = layout.height;
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bpp + 7) / 8;
    const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    // The last row's padding may be missing.
    if (!RangeFits(size, pixelStart, stride * (height - 1) + rowBytes)) {
        return false;
    }
    const MaskChannel red = MakeMaskChannel(layout.masks[0]);
    const MaskChannel green = MakeMaskChannel(layout.masks[1]);
    const MaskChannel blue = MakeMaskChannel(layout.masks[2]);
    const MaskChannel alpha = MakeMaskChannel(layout.masks[3]);
    const bool hasAlpha = layout.masks[3] != 0;
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = data + pixelStart + stride * row;
        const int64_t outRow = layout.topDown ? row : height - 1 - row;
        uint32_t* dst = &out->pixels[static_cast<size_t>(outRow * width)];
        for (int64_t x = 0; x < width; ++x) {
            switch (bpp) {
                case 1:
                    dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                    break;
                case 4:
                    dst[x] = palette[(src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15];
                    break;
                case 8:
                    dst[x] = palette[src[x]];
                    break;
                case 24:
                    dst[x] = PackArgb(255, src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
                    break;
                default: {
                    const uint32_t v = bpp == 16 ? ReadLE16(src + x * 2) : ReadLE32(src + x * 4);
                    const uint32_t a = hasAlpha ? MaskChannelValue(alpha, v) : 255;
                    dst[x] = PackArgb(a, MaskChannelValue(red, v), MaskChannelValue(green, v),
                                      MaskChannelValue(blue, v));
                    break;
                }
            }
        }
    }
    return true;
}

// ---- TGA ----

struct TgaHeader {
    uint32_t idLength = 0;
    uint32_t colorMapType = 0;
    uint32_t imageType = 0;
    uint32_t mapFirst = 0;
    uint32_t mapLength = 0;
    uint32_t mapEntryBits = 0;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t descriptor = 0;
};

constexpr size_t kTgaHeaderBytes = 18;

bool ReadTgaHeader(const uint8_t* data, size_t size, TgaHeader* h) {
    if (size < kTgaHeaderBytes) {
        return false;
    }
    h->idLength = data[0];
    h->colorMapType = data[1];
    h->imageType = data[2];
    h->mapFirst = ReadLE16(data + 3);
    h->mapLength = ReadLE16(data + 5);
    h->mapEntryBits = data[7];
    h->width = ReadLE16(data + 12);
    h->height = ReadLE16(data + 14);
    h->bitsPerPixel = data[16];
    h->descriptor = data[17];
    // Interleaving (bits 6-7) was never used; a set bit means this is not a TGA header.
    if (h->colorMapType > 1 || (h->descriptor & 0xC0) != 0) {
        return false;
    }
    if (!ImageSizeAllowed(h->width, h->height)) {
        return false;
    }
    const uint32_t bpp = h->bitsPerPixel;
    const bool mapEntryOk = h->mapEntryBits == 15 || h->mapEntryBits == 16 ||
                            h->mapEntryBits == 24 || h->mapEntryBits == 32;
    if (h->colorMapType == 1 && !mapEntryOk) {
        return false;
    }
    switch (h->imageType) {
        case 1:
        case 9:
            return h->colorMapType == 1 && h->mapLength > 0 && bpp == 8;
        case 2:
        case 10:
            return bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32;
        case 3:
        case 11:
            return bpp == 8 || bpp == 16;  // grey, or grey and alpha
        default:
            return false;
    }
}

// One pixel or colour map entry of the given size. Alpha is read only when the descriptor
// gives the pixels alpha bits; without them the extra bits are unused padding.
uint32_t TgaColour(const uint8_t* p, uint32_t bits, bool grey, bool useAlpha) {
    if (grey) {
        const uint32_t a = bits == 16 && useAlpha ? p[1] : 255;
        return PackArgb(a, p[0], p[0], p[0]);
    }
    switch (bits) {
        case 15:
        case 16: {
            const uint32_t v = ReadLE16(p);
            // Scaled as the BMP bit fields are, so both formats give a 5-bit value one colour.
            auto widen = [](uint32_t five) { return (five * 255 + 15) / 31; };
            const uint32_t a = bits == 16 && useAlpha ? ((v & 0x8000) != 0 ? 255 : 0) : 255;
            return PackArgb(a, widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
        }
        case 24:
            return PackArgb(255, p[2], p[1], p[0]);
        default:
            return PackArgb(useAlpha ? p[3] : 255, p[2], p[1], p[0]);
    }
}

}  // namespace

bool DecodeBmpFile(const uint8_t* data, size_t size, RgbaImage* out) {
    constexpr size_t kFileHeaderBytes = 14;
    if (size < kFileHeaderBytes) {
        return false;
    }
    BmpLayout layout;
    if (!ReadBmpLayout(data, size, kFileHeaderBytes, &layout)) {
        return false;
    }
    // Trust the file header's pixel offset unless it points back into the headers.
    uint64_t pixelStart = ReadLE32(data + 10);
    if (pixelStart < layout.paletteStart) {
        const uint64_t stored = layout.bitsPerPixel <= 8 ? layout.paletteCount : 0;
        pixelStart = layout.paletteStart + stored * layout.paletteEntryBytes;
    }
    return DecodeBmpPixels(data, size, pixelStart, layout, out);
}

bool LooksLikeDib(const uint8_t* data, size_t size) {
    BmpLayout layout;
    return ReadBmpLayout(data, size, 0, &layout);
}

bool DecodeDib(const uint8_t* data, size_t size, RgbaImage* out) {
    BmpLayout layout;
    if (!ReadBmpLayout(data, size, 0, &layout)) {
        return false;
    }
    const uint64_t pixelStart =
        layout.paletteStart + layout.paletteCount * layout.paletteEntryBytes;
    return DecodeBmpPixels(data, size, pixelStart, layout, out);
}

bool LooksLikeTga(const uint8_t* data, size_t size) {
    TgaHeader header;
    return ReadTgaHeader(data, size, &header);
}

bool DecodeTga(const uint8_t* data, size_t size, RgbaImage* out) {
    TgaHeader h;
    if (!ReadTgaHeader(data, size, &h)) {
        return false;
    }
    const bool useAlpha = (h.descriptor & 0x0F) != 0;
    const bool mapped = h.imageType == 1 || h.imageType == 9;
    const bool grey = h.imageType == 3 || h.imageType == 11;
    const bool rle = h.imageType >= 9;
    uint64_t p = kTgaHeaderBytes + h.idLength;

    // The colour map is read for mapped images and skipped for the others.
    std::array<uint32_t, 256> palette;
    palette.fill(0xFF000000);
    if (h.colorMapType == 1) {
        const uint32_t entryBytes = (h.mapEntryBits + 7) / 8;
        if (!RangeFits(size, p, static_cast<uint64_t>(h.mapLength) * entryBytes)) {
            return false;
        }
        if (mapped) {
            // Pixel values count from mapFirst; entries past index 255 cannot be reached.
            for (uint32_t i = 0; i < h.mapLength && h.mapFirst + i < 256; ++i) {
                palette[h.mapFirst + i] =
                    TgaColour(data + p + i * entryBytes, h.mapEntryBits, false, useAlpha);
            }
        }
        p += static_cast<uint64_t>(h.mapLength) * entryBytes;
    }
    if (!ImageStart(out, h.width, h.height, 0xFF000000)) {
        return false;
    }
    const uint32_t pixelBytes = (h.bitsPerPixel + 7) / 8;
    auto colourAt = [&](const uint8_t* src) {
        return mapped ? palette[src[0]] : TgaColour(src, h.bitsPerPixel, grey, useAlpha);
    };
    // Pixels arrive in stored order; bit 5 says the first row is the top, bit 4 that rows run
    // right to left.
    const bool topFirst = (h.descriptor & 0x20) != 0;
    const bool rightToLeft = (h.descriptor & 0x10) != 0;
    const int64_t total = h.width * h.height;
    auto put = [&](int64_t n, uint32_t colour) {
        const int64_t row = n / h.width;
        const int64_t column = n % h.width;
        const int64_t y = topFirst ? row : h.height - 1 - row;
        const int64_t x = rightToLeft ? h.width - 1 - column : column;
        out->pixels[static_cast<size_t>(y * h.width + x)] = colour;
    };
    if (!rle) {
        if (!RangeFits(size, p, static_cast<uint64_t>(total) * pixelBytes)) {
            return false;
        }
        for (int64_t n = 0; n < total; ++n) {
            put(n, colourAt(data + p + n * pixelBytes));
        }
        return true;
    }
    // Packets may run across row ends; a packet running past the last pixel is cut short.
    int64_t n = 0;
    while (n < total) {
        if (!RangeFits(size, p, 1)) {
            return false;
        }
        const uint32_t packet = data[p++];
        const int64_t count = (packet & 0x7F) + 1;
        if ((packet & 0x80) != 0) {
            if (!RangeFits(size, p, pixelBytes)) {
                return false;
            }
            const uint32_t colour = colourAt(data + p);
            p += pixelBytes;
            for (int64_t i = 0; i < count && n < total; ++i) {
                put(n++, colour);
            }
        } else {
            if (!RangeFits(size, p, static_cast<uint64_t>(count) * pixelBytes)) {
                return false;
            }
            for (int64_t i = 0; i < count && n < total; ++i) {
                put(n++, colourAt(data + p + i * pixelBytes));
            }
            p += static_cast<uint64_t>(count) * pixelBytes;
        }
    }
    return true;
}
