// The PNG and JPEG decoders, both through their system libraries, libpng and libjpeg, whose
// errors longjmp back to the decoder instead of ending the program.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/common/image_formats.h"

namespace {

// A progressive JPEG may hold any number of scans, each a pass over the whole image; real ones
// have about ten. The cap keeps a small hostile file from costing minutes.
constexpr int kJpegMaxScans = 100;
// libjpeg's working memory beside the output image (a progressive 8192 x 8192 image with full
// chroma needs about 400 MB of coefficients).
constexpr long kJpegMaxWorkingBytes = 512L * 1024 * 1024;

// The error manager comes first, so the pointer libjpeg keeps to it also reaches the jump.
struct JpegErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JpegAbort(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings are counted quietly; running out of data is fatal, since libjpeg would otherwise
// make up the rest of a truncated file in grey.
void JpegMessage(j_common_ptr cinfo, int level) {
    if (level < 0) {
        if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
            JpegAbort(cinfo);
        }
        cinfo->err->num_warnings++;
    }
}

void JpegQuiet(j_common_ptr) {}

void JpegProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kJpegMaxScans) {
        JpegAbort(cinfo);
    }
}

void StoreJpegRow(const JSAMPLE* row, const jpeg_decompress_struct& cinfo, uint32_t* dst) {
    const JDIMENSION width = cinfo.output_width;
    if (cinfo.out_color_space == JCS_CMYK) {
        // Adobe's writers store CMYK inverted (255 = no ink); others store it plainly.
        const bool inverted = cinfo.saw_Adobe_marker;
        for (JDIMENSION x = 0; x < width; ++x) {
            uint32_t ink[4];
            for (int i = 0; i < 4; ++i) {
                ink[i] = inverted ? row[x * 4 + i] : 255u - row[x * 4 + i];
            }
            dst[x] =
                PackArgb(255, ink[0] * ink[3] / 255, ink[1] * ink[3] / 255, ink[2] * ink[3] / 255);
        }
        return;
    }
    for (JDIMENSION x = 0; x < width; ++x) {
        dst[x] = PackArgb(255, row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
    }
}

// Every local here is a plain C struct: a libjpeg error longjmps back to the setjmp below,
// and nothing with a destructor may be skipped on the way.
bool DecodeJpegWithLibrary(const uint8_t* data, size_t size, RgbaImage* out) {
    jpeg_decompress_struct cinfo;
    JpegErrorTrap trap;
    jpeg_progress_mgr progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    std::memset(&progress, 0, sizeof progress);
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JpegAbort;
    trap.manager.emit_message = JpegMessage;
    trap.manager.output_message = JpegQuiet;
    progress.progress_monitor = JpegProgress;
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kJpegMaxWorkingBytes;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!ImageStart(out, cinfo.image_width, cinfo.image_height, 0xFF000000)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height ||
        cinfo.output_components != (cmyk ? 4 : 3)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * cinfo.output_components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION y = cinfo.output_scanline;
        if (jpeg_read_scanlines(&cinfo, row, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        StoreJpegRow(row[0], cinfo, &out->pixels[static_cast<size_t>(y) * out->width]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadPngBytes(png_structp png, png_bytep into, png_size_t length) {
    PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        png_error(png, "truncated");
    }
    std::memcpy(into, source->data + source->position, length);
    source->position += length;
}

[[noreturn]] void PngAbort(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PngQuiet(png_structp, png_const_charp) {}

// libpng's full reader rather than its simplified one: the simplified reader converts gamma,
// and takes 16-bit files without a gamma chunk for linear light, brightening them. Textures
// want the stored values, only widened or narrowed to 8-bit RGBA. As with libjpeg, only plain
// locals live here, since libpng's errors longjmp back to the setjmp.
bool DecodePngWithLibrary(const uint8_t* data, size_t size, RgbaImage* out) {
    PngSource source{data, size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngAbort, PngQuiet);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, ReadPngBytes);
    png_set_user_limits(png, kImageMaxSide, kImageMaxSide);
    png_read_info(png, info);
    const int colourType = png_get_color_type(png, info);
    png_set_expand(png);  // palettes, grey below 8 bits and tRNS to 8-bit channels and alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4 ||
        !ImageStart(out, width, height, 0)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    // RGBA bytes straight into the pixel array, packed in place afterwards. Interlaced passes
    // each fill in their own pixels of the same rows.
    uint8_t* bytes = reinterpret_cast<uint8_t*>(out->pixels.data());
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, bytes + static_cast<size_t>(y) * width * 4, nullptr);
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    for (uint32_t& pixel : out->pixels) {
        const uint8_t* p = reinterpret_cast<const uint8_t*>(&pixel);
        const uint32_t r = p[0], g = p[1], b = p[2], a = p[3];
        pixel = PackArgb(a, r, g, b);
    }
    return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, RgbaImage* out) {
    return DecodePngWithLibrary(data, size, out);
}

bool DecodeJpeg(const uint8_t* data, size_t size, RgbaImage* out) {
    return DecodeJpegWithLibrary(data, size, out);
}
