// Hand-assembled image files of the formats the game reads, for tests and fuzz seeds. Every
// field is written one at a time, little-endian, as the decoders read it.
#include "datapack/image_samples.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "engine/byte_io.h"

void AppendLE16(Bytes& b, uint32_t v) {
    b.resize(b.size() + 2);
    WriteLE16(b.data() + b.size() - 2, static_cast<uint16_t>(v));
}

void AppendLE32(Bytes& b, uint32_t v) {
    b.resize(b.size() + 4);
    WriteLE32(b.data() + b.size() - 4, v);
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes BmpInfo(int32_t w, int32_t h, int bpp, uint32_t compression, uint32_t colours,
              uint32_t headerSize) {
    Bytes b;
    for (uint32_t v : {headerSize, static_cast<uint32_t>(w), static_cast<uint32_t>(h)}) {
        AppendLE32(b, v);
    }
    AppendLE16(b, 1);
    AppendLE16(b, static_cast<uint32_t>(bpp));
    for (uint32_t v : {compression, 0u, 0u, 0u, colours, 0u}) {
        AppendLE32(b, v);
    }
    b.resize(headerSize, 0);
    return b;
}

Bytes BmpFile(const Bytes& dib, size_t pixelOffset) {
    Bytes b = {'B', 'M'};
    AppendLE32(b, static_cast<uint32_t>(14 + dib.size()));
    AppendLE32(b, 0);
    AppendLE32(b, static_cast<uint32_t>(14 + pixelOffset));
    return Concat(b, dib);
}

Bytes TgaHeader(int type, int w, int h, int bpp, int descriptor, int mapFirst, int mapLength,
                int mapBits, int idLength) {
    Bytes b = {static_cast<uint8_t>(idLength), static_cast<uint8_t>(mapLength > 0 ? 1 : 0),
               static_cast<uint8_t>(type)};
    AppendLE16(b, static_cast<uint32_t>(mapFirst));
    AppendLE16(b, static_cast<uint32_t>(mapLength));
    b.push_back(static_cast<uint8_t>(mapBits));
    for (int v : {0, 0, w, h}) {
        AppendLE16(b, static_cast<uint32_t>(v));
    }
    b.push_back(static_cast<uint8_t>(bpp));
    b.push_back(static_cast<uint8_t>(descriptor));
    return b;
}

Bytes Dds(uint32_t w, uint32_t h, uint32_t flags, uint32_t fourCc, uint32_t bits, uint32_t r,
          uint32_t g, uint32_t b, uint32_t a) {
    Bytes d(128, 0);
    std::memcpy(d.data(), "DDS ", 4);
    const uint32_t fields[][2] = {{4, 124},    {8, 0x1007},  {12, h},      {16, w}, {76, 32},
                                  {80, flags}, {84, fourCc}, {88, bits},   {92, r}, {96, g},
                                  {100, b},    {104, a},     {108, 0x1000}};
    for (const auto& f : fields) {
        WriteLE32(d.data() + f[0], f[1]);
    }
    return d;
}

Bytes EncodeJpeg(int width, int height, int components, uint8_t fill, bool progressive) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
    for (size_t i = 0; i < row.size(); ++i) {
        row[i] = components == 3 ? (i % 3 == 0 ? 200 : i % 3 == 1 ? 100 : 30) : fill;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}
