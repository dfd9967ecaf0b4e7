// Hand-assembled image files of the formats the game reads, for tests and fuzz seeds: the
// headers of BMP, bare DIB, TGA and DDS files, to which the caller appends palettes and
// pixels, and whole JPEG files through libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>

#include "datapack/archive_writer.h"

// The low 16 bits, or all 32 bits, of v appended least significant byte first.
void AppendLE16(Bytes& b, uint32_t v);
void AppendLE32(Bytes& b, uint32_t v);

// a followed by b.
Bytes Concat(Bytes a, const Bytes& b);

// A BITMAPINFOHEADER-style DIB header of headerSize bytes (40, or 124 for a v5 header whose
// bit-field and alpha masks at offsets 40..55 the caller may fill in). A negative height
// stores the rows top first.
Bytes BmpInfo(int32_t w, int32_t h, int bpp, uint32_t compression = 0, uint32_t colours = 0,
              uint32_t headerSize = 40);

// "BM" and the file header in front of a DIB whose pixels start at pixelOffset in it.
Bytes BmpFile(const Bytes& dib, size_t pixelOffset);

// The 18-byte TGA header. A colour map is declared when mapLength > 0; idLength bytes of
// image id are to follow the header.
Bytes TgaHeader(int type, int w, int h, int bpp, int descriptor, int mapFirst = 0,
                int mapLength = 0, int mapBits = 0, int idLength = 0);

// "DDS " and the 124-byte header of a single-level w x h surface: pixel format flags, the
// four-character code as its little-endian value (0 for a bit-mask format), the bits per
// pixel and the red, green, blue and alpha masks.
Bytes Dds(uint32_t w, uint32_t h, uint32_t flags, uint32_t fourCc, uint32_t bits = 0,
          uint32_t r = 0, uint32_t g = 0, uint32_t b = 0, uint32_t a = 0);

// A JPEG of one flat colour at quality 95: RGB (200, 100, 30) with 3 components, grey `fill`
// with 1. Progressive scans when asked, baseline otherwise.
Bytes EncodeJpeg(int width, int height, int components, uint8_t fill, bool progressive);
