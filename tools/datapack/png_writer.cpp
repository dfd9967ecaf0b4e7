// The PNG writer, through libpng. Settings favour speed: the builder writes 2048 x 2048
// atlases, and zlib's higher levels cost several times the time for a few percent of size.
#include "datapack/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <stdexcept>

namespace {

// libpng cannot report a failed write other than through png_error, which longjmps: the
// vector's exception is caught here first, so it never crosses libpng's C frames.
void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    bool grown = true;
    try {
        Bytes* out = static_cast<Bytes*>(png_get_io_ptr(png));
        out->insert(out->end(), data, data + length);
    } catch (...) {
        grown = false;
    }
    if (!grown) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

void IgnoreWarning(png_structp, png_const_charp) {}

// Only plain locals here: a libpng error longjmps back to the setjmp, skipping destructors.
bool WriteWithLibrary(int width, int height, png_bytepp rows, Bytes* out) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendToBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // The left-neighbour filter alone is nearly free and turns the smooth runs of painted
    // textures into the repeats that zlib's run-length strategy packs at low cost.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Bytes EncodePng(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        throw std::runtime_error("EncodePng: the pixel count does not match the image size");
    }
    const size_t width = static_cast<size_t>(image.width);
    Bytes rgba(image.pixels.size() * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = image.pixels[i];
        rgba[i * 4] = static_cast<uint8_t>(p >> 16);
        rgba[i * 4 + 1] = static_cast<uint8_t>(p >> 8);
        rgba[i * 4 + 2] = static_cast<uint8_t>(p);
        rgba[i * 4 + 3] = static_cast<uint8_t>(p >> 24);
    }
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = rgba.data() + y * width * 4;
    }
    // Room for the worst case up front: growing a 16 MB vector would copy it again and again,
    // and pages never written cost nothing.
    Bytes out;
    out.reserve(rgba.size() + rgba.size() / 64 + 4096);
    if (!WriteWithLibrary(image.width, image.height, rows.data(), &out)) {
        throw std::runtime_error("EncodePng: libpng failed");
    }
    return out;
}
